// Writes the service worker at build time: `node precache.js TEMPLATE OUT DIR FILE...` puts
// the build's files (relative to DIR) and a version made from their contents into it.
'use strict';

const crypto = require('crypto');
const fs = require('fs');
const path = require('path');

const [template, out, dir, ...files] = process.argv.slice(2);
const hash = crypto.createHash('sha256');
const names = files.map((file) => path.relative(dir, file).split(path.sep).join('/')).sort();
for (const name of names) hash.update(name).update('\0').update(fs.readFileSync(path.join(dir, name)));
fs.writeFileSync(out, fs.readFileSync(template, 'utf8')
    .replace('@VERSION@', hash.digest('hex').slice(0, 16))
    .replace("['@FILES@']", JSON.stringify(names)));
