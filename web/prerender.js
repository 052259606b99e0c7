// Writes the page's index.html at build time: the template with the rules and about windows
// filled in from the core (the rows web/prerender.cpp prints: texts, lines, addresses, pictures
// and hover groups), so that the browser paints the
// rules window while the module loads. `node prerender.js TEMPLATE TOOL.js OUT`
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');

const [template, tool, out] = process.argv.slice(2);
const rows = JSON.parse(execFileSync(process.execPath, [tool], { encoding: 'utf8' }));
const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;')
    .replace(/>/g, '&gt;').replace(/"/g, '&quot;');

let html = fs.readFileSync(template, 'utf8');
// Both windows carry the advertising panel.
const ads = html.match(/\s*<template id="ads">([\s\S]*?)<\/template>/);
html = html.replace(ads[0], '')
    .replace(/(<div class="panel ads"[^>]*>)(<\/div>)/g, (_, open, close) => open + ads[1] + close);

for (const [window, control, what, value] of rows) {
    const start = html.indexOf(`id="${window}"`);
    const end = html.indexOf('</dialog>', start);
    const section = html.slice(start, end);
    const found = section.match(new RegExp(`<(\\w+)[^>]* data-control="${control}"[^>]*>`));
    if (start < 0 || !found) throw new Error(`no control ${control} in ${window}`);
    const at = start + found.index;
    let open = found[0];
    let inner = '';
    if (what === 'text') inner = escape(value);
    else if (what === 'lines') inner = value.map((line) => `<span>${escape(line)}</span>`).join('');
    else if (what === 'href' || what === 'src')
        open = open.replace(/>$/, value ? ` ${what}="${escape(value)}">` : '>');
    else if (/ class="/.test(open)) open = open.replace(' class="', ` class="${value} `);
    else open = open.replace(/>$/, ` class="${value}">`);
    html = html.slice(0, at) + open + inner + html.slice(at + found[0].length);
}
fs.writeFileSync(out, html);
