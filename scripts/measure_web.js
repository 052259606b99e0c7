// Measures the browser page in headless chromium (run by scripts/measure-web.sh): what it
// transfers (gzip), navigation to the painted rules window beside the same window as static
// HTML (the page without its scripts: same CSS, fonts and art), loaded by turns, each in a fresh
// browser; 开始 to the painted board, a click to the painted selection, the main thread's time
// per removal, and the heap after 20 removals. Medians over RUNS page loads; nothing here
// passes or fails.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { chromium } = require('playwright-core');
const { readBoard, firstPair } = require('../tests/web/board.js');

const dir = path.resolve(process.argv[2] || 'build/web');
const runs = Number(process.argv[3] || 5);
const removals = 20;

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const mid = sorted.length >> 1;
    return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Installed before the page's own scripts: notes when a click's result reaches the screen. A
// frame is painted after its animation-frame callbacks; a task queued from one runs after that
// paint.
const probe = () => {
    window.marks = {};
    const afterPaint = (name) => requestAnimationFrame(() => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => (window.marks[name] = performance.now());
        channel.port2.postMessage(0);
    });
    // The click that starts a deal or selects a tile, and the frame that shows its result.
    document.addEventListener('click', (event) => {
        window.marks.click = event.timeStamp;
        queueMicrotask(() => {
            window.marks.handled = performance.now();
            afterPaint('clickPainted');
        });
    }, true);
};

async function gzipSize(file) {
    return zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
}

async function oneRun(browser, origin, seed) {
    const context = await browser.newContext({ viewport: { width: 1000, height: 640 } });
    const page = await context.newPage();
    await page.addInitScript(probe);
    const fetched = new Set();
    page.on('response', (response) => fetched.add(new URL(response.url()).pathname));
    const cdp = await context.newCDPSession(page);
    await cdp.send('Performance.enable');
    const metrics = async () => {
        const { metrics: all } = await cdp.send('Performance.getMetrics');
        return Object.fromEntries(all.map((m) => [m.name, m.value]));
    };

    await page.goto(`${origin}/?seed=${seed}`);
    // Keys reach the rules window once the module has taken it over.
    await page.waitForFunction(() => document.getElementById('frmSplash').matches(':modal'));
    const result = {};

    // 开始 as soon as the rules window is gone; the board counts as painted when its art is in.
    await page.keyboard.press('Enter');
    await page.locator('#form1').waitFor();
    await page.waitForTimeout(300); // the art the page preloads arrives, as while reading rules
    await page.getByRole('menuitem', { name: '游戏', exact: true }).click();
    const start = page.getByRole('menu', { name: '游戏' })
        .getByRole('menuitem', { name: '开始', exact: true });
    const box = await start.boundingBox();
    await page.evaluate(() => delete window.marks.clickPainted);
    await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
    await page.waitForFunction(() => window.marks.clickPainted);
    const deal = await page.evaluate(() => window.marks);
    result.dealHandled = deal.handled - deal.click;
    result.dealPainted = deal.clickPainted - deal.click;
    // The art as the browser has it: every picture decoded, as the painted board needs them.
    result.artReady = await page.evaluate(async () => {
        const pictures = [...document.querySelectorAll('#board .cell')].map((cell) =>
            getComputedStyle(cell).getPropertyValue('--picture').match(/url\("?([^")]+)/)[1]);
        const decoded = (src) => Object.assign(new Image(), { src }).decode();
        await Promise.all([...new Set(pictures)].map(decoded));
        return performance.now() - window.marks.click;
    });

    // Removals: a click selects (timed to its frame), the second removes; the main thread's
    // whole time (script, style, layout and paint) from the browser's own counters.
    const clicks = [];
    const cpu = [];
    const centre = async (id) => {
        const b = await page.locator(`#${id}`).boundingBox();
        return [b.x + b.width / 2, b.y + b.height / 2];
    };
    for (let n = 0; n < removals; ++n) {
        const pair = firstPair(await readBoard(page));
        if (!pair) throw new Error(`seed ${seed}: no pair after ${n} removals`);
        const [first, second] = [await centre(pair[0].id), await centre(pair[1].id)];
        await page.evaluate(() => delete window.marks.clickPainted);
        await page.mouse.click(...first);
        await page.waitForFunction(() => window.marks.clickPainted);
        const select = await page.evaluate(() => window.marks);
        clicks.push({
            handled: select.handled - select.click,
            painted: select.clickPainted - select.click,
        });
        const before = await metrics();
        await page.mouse.click(...second);
        await sleep(400); // the hold (three 50 ms ticks) and the board check after it
        const after = await metrics();
        cpu.push({
            script: (after.ScriptDuration - before.ScriptDuration) * 1000,
            task: (after.TaskDuration - before.TaskDuration) * 1000,
        });
        // A reward's box waits for its 确定.
        while (await page.$('dialog.box[open]')) await page.keyboard.press('Enter');
        await page.waitForFunction((id) =>
            document.getElementById(id).getAttribute('aria-label').startsWith('空'), pair[1].id);
    }
    const idleBefore = await metrics();
    await sleep(400);
    const idleAfter = await metrics();
    result.idleScript = (idleAfter.ScriptDuration - idleBefore.ScriptDuration) * 1000;
    result.idleTask = (idleAfter.TaskDuration - idleBefore.TaskDuration) * 1000;
    result.clickHandled = median(clicks.map((c) => c.handled));
    result.clickPainted = median(clicks.map((c) => c.painted));
    result.removalScript = median(cpu.map((c) => c.script));
    result.removalTask = median(cpu.map((c) => c.task));
    await cdp.send('HeapProfiler.collectGarbage');
    const heap = await metrics();
    result.jsHeapUsed = heap.JSHeapUsedSize / 1024;
    result.fetched = [...fetched];
    await context.close();
    return result;
}

// Navigation to the first paint, which shows the rules window, in a browser of its own.
async function firstPaint(url) {
    const browser = await chromium.launch(launchOptions);
    const page = await browser.newPage({ viewport: { width: 1000, height: 640 } });
    await page.goto(url);
    const painted = await page.waitForFunction(() =>
        performance.getEntriesByName('first-contentful-paint')[0]?.startTime);
    const ms = await painted.jsonValue();
    await browser.close();
    return ms;
}

// The same rules window as static HTML: the built page without its scripts, beside the
// build's own CSS and art.
function staticCopy() {
    const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'tilvara-static-'));
    const html = fs.readFileSync(path.join(dir, 'index.html'), 'utf8')
        .replace(/<script\b[^>]*><\/script>\n?/g, '')
        .replace(/<link rel="(modulepreload|preload|manifest)"[^>]*>\n?/g, '');
    fs.writeFileSync(path.join(copy, 'index.html'), html);
    for (const name of ['tilvara.css', 'art']) fs.symlinkSync(path.join(dir, name), path.join(copy, name));
    return copy;
}

const launchOptions = {
    executablePath: process.env.TILVARA_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--no-first-run'],
};

// The server runs in a process of its own, so the measurement's own work never delays a file.
function startServer(root) {
    const server = spawn(process.execPath, [path.join(__dirname, 'web_server.js'), root, '0'],
        { stdio: ['ignore', 'pipe', 'inherit'] });
    return new Promise((resolve, reject) => {
        server.stdout.once('data', (line) => {
            const port = String(line).match(/:(\d+)\//);
            if (port) resolve({ server, origin: `http://127.0.0.1:${port[1]}` });
            else reject(new Error(`web_server: ${line}`));
        });
        server.once('exit', (code) => reject(new Error(`web_server exited with ${code}`)));
    });
}

let server, staticServer, copy;
(async () => {
    let origin, staticOrigin;
    ({ server, origin } = await startServer(dir));
    copy = staticCopy();
    ({ server: staticServer, origin: staticOrigin } = await startServer(copy));
    const page = [];
    const still = [];
    for (let run = 0; run < runs; ++run) {
        // By turns, so that a change in the machine's load falls on both alike.
        if (run % 2) still.push(await firstPaint(`${staticOrigin}/`));
        page.push(await firstPaint(`${origin}/?seed=${7 + run}`));
        if (!(run % 2)) still.push(await firstPaint(`${staticOrigin}/`));
    }
    const browser = await chromium.launch(launchOptions);
    const results = [];
    for (let run = 0; run < runs; ++run) results.push(await oneRun(browser, origin, 7 + run));
    await browser.close();

    // What a first visit downloads: the page, then everything the service worker keeps.
    let all = 0;
    let art = 0;
    for (const file of fs.readdirSync(dir, { recursive: true })) {
        const full = path.join(dir, file);
        if (fs.statSync(full).isDirectory()) continue;
        const size = await gzipSize(full);
        all += size;
        if (file.startsWith('art')) art += size;
    }
    const fetched = [...new Set(results.flatMap((r) => r.fetched))];
    let start = 0;
    for (const pathname of fetched) {
        const file = path.join(dir, pathname === '/' ? 'index.html' : pathname);
        if (fs.existsSync(file) && fs.statSync(file).isFile()) start += await gzipSize(file);
    }
    const m = (key) => median(results.map((r) => r[key])).toFixed(1);
    const kb = (bytes) => (bytes / 1024).toFixed(1);
    const line = (what, text) => console.log(`  ${what.padEnd(30)}${text}`);
    console.log(`Tilvara page, ${runs} loads in headless chromium (medians)`);
    line('transfer, gzip -9:', `${kb(all)} KB, every file of the build (${kb(all - art)} KB ` +
        `without the art; what a game's start fetches: ${kb(start)} KB in ${fetched.length} files)`);
    const [ours, theirs] = [median(page), median(still)];
    if (process.env.TILVARA_MEASURE_VERBOSE) console.log({ page, still });
    line('navigation to rules painted:', `${ours.toFixed(1)} ms; as static HTML ` +
        `${theirs.toFixed(1)} ms: ${(ours / theirs).toFixed(2)} times`);
    line('开始 to board painted:', `${m('dealPainted')} ms (handler done after ` +
        `${m('dealHandled')} ms; every picture decoded ${m('artReady')} ms after the click)`);
    line('click to selection painted:',
        `${m('clickPainted')} ms (handler done after ${m('clickHandled')} ms)`);
    line('main thread per removal:', `${m('removalScript')} ms script, ${m('removalTask')} ms ` +
        `in tasks (400 ms from the second click; idle 400 ms: ${m('idleScript')} ms script, ` +
        `${m('idleTask')} ms tasks)`);
    line(`after ${removals} removals:`, `JS heap ${m('jsHeapUsed')} KB`);
})().catch((error) => {
    console.error(error);
    process.exitCode = 1;
}).finally(() => {
    server?.kill();
    staticServer?.kill();
    if (copy) fs.rmSync(copy, { recursive: true, force: true });
});
