// A static file server for the page in build/web: `node scripts/web_server.js DIR [PORT]`
// (port 8080 by default, 0 for any free one), and the server the page tests start in-process.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');

const Types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.svg': 'image/svg+xml',
    '.wasm': 'application/wasm', // without it, the browser cannot compile while it loads
    '.json': 'application/json',
    '.png': 'image/png',
};

// Resolves a request path inside root, or null: "..", encoded or not, never leaves it.
function fileFor(root, url) {
    let pathname;
    try {
        pathname = decodeURIComponent(new URL(url, 'http://localhost').pathname);
    } catch {
        return null;
    }
    if (pathname.includes('\0')) return null;
    if (pathname.endsWith('/')) pathname += 'index.html';
    const file = path.resolve(root, '.' + path.posix.normalize(pathname));
    return file.startsWith(root + path.sep) ? file : null;
}

// Resolves once the server listens; its address() tells the port.
function serve(dir, port = 8080, host = '127.0.0.1') {
    const root = path.resolve(dir);
    const server = http.createServer((request, response) => {
        const file = fileFor(root, request.url);
        const fail = (code) => {
            response.writeHead(code, { 'Content-Type': 'text/plain' });
            response.end(`${code}\n`);
        };
        if (request.method !== 'GET' && request.method !== 'HEAD') return fail(405);
        if (!file) return fail(404);
        fs.stat(file, (error, stats) => {
            if (error || !stats.isFile()) return fail(404);
            response.writeHead(200, {
                'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
                'Content-Length': stats.size,
                'Cache-Control': 'no-cache', // a rebuild shows on the next reload
            });
            if (request.method === 'HEAD') return response.end();
            fs.createReadStream(file).pipe(response);
        });
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, host, () => resolve(server));
    });
}

module.exports = { serve };

if (require.main === module) {
    const [dir, port = '8080'] = process.argv.slice(2);
    if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
        console.error('usage: node scripts/web_server.js DIR [PORT]  (DIR holds index.html)');
        process.exit(2);
    }
    serve(dir, Number(port)).then(
        (server) => console.log(`Serving ${dir} on http://localhost:${server.address().port}/`),
        (error) => {
            console.error(`web_server: ${error.message}`);
            process.exit(1);
        },
    );
}
