// Measures the browser page in headless chromium (run by scripts/measure-web.sh): what it
// transfers (gzip), navigation to the painted rules window, 开始 to the painted board, a click
// to the painted selection, the main thread's time per removal, and the heap after 20 removals.
// Medians over RUNS page loads; nothing here passes or fails.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
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

// Installed before the page's own scripts: notes when things reach the screen. A frame is
// painted after its animation-frame callbacks; a task queued from one runs after that paint.
const probe = () => {
    window.marks = {};
    const afterPaint = (name) => requestAnimationFrame(() => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => (window.marks[name] = performance.now());
        channel.port2.postMessage(0);
    });
    new MutationObserver(() => {
        const rules = document.getElementById('frmSplash');
        if (rules?.open && !window.marks.rulesOpen) {
            window.marks.rulesOpen = performance.now();
            afterPaint('rulesPainted');
        }
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['open'] });
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
    await page.waitForFunction(() => window.marks.rulesPainted);
    const result = { rulesPainted: await page.evaluate(() => window.marks.rulesPainted) };
    const fcp = await page.evaluate(() =>
        performance.getEntriesByName('first-contentful-paint')[0]?.startTime);
    result.firstContentfulPaint = fcp;

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

    // Removals: a click selects (timed to its frame), the second removes. The module's entry
    // points are timed around each removal: each call's script time, the core's handler with
    // the DOM writes it makes. The main thread's whole time (style, layout and paint too)
    // comes from the browser's own counters.
    const timeCalls = () => page.evaluate(() => {
        window.calls = [];
        for (const name of ['_tv_click', '_tv_tick']) {
            // An export binds itself on its first call, replacing whatever stands in its place.
            if (Module[name].timed) continue;
            const entry = Module[name];
            Module[name] = Object.assign((arg) => {
                const start = performance.now();
                entry(arg);
                window.calls.push({ name, arg, start, ms: performance.now() - start });
            }, { timed: true });
        }
    });
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
        await timeCalls();
        const before = await metrics();
        await page.mouse.click(...second);
        await sleep(400); // the hold (three 50 ms ticks) and the board check after it
        const after = await metrics();
        const split = await page.evaluate(() => window.calls);
        // Slot 0 is Timer1, the board check after a removal; everything else up to it is the
        // click and the hold.
        const check = split.findIndex((c) => c.name === '_tv_tick' && c.arg === 0);
        const hold = check < 0 ? split : split.slice(0, check);
        cpu.push({
            hold: hold.reduce((sum, c) => sum + c.ms, 0),
            holdCalls: hold.length,
            check: check < 0 ? 0 : split[check].ms,
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
    result.holdScript = median(cpu.map((c) => c.hold));
    result.holdCalls = median(cpu.map((c) => c.holdCalls));
    result.checkScript = median(cpu.map((c) => c.check));
    result.removalScript = median(cpu.map((c) => c.script));
    result.removalTask = median(cpu.map((c) => c.task));
    await cdp.send('HeapProfiler.collectGarbage');
    const heap = await metrics();
    result.jsHeapUsed = heap.JSHeapUsedSize / 1024;
    result.wasmMemory = (await page.evaluate(() => Module.HEAP8.length)) / 1024;
    result.fetched = [...fetched];
    await context.close();
    return result;
}

// The server runs in a process of its own, so the measurement's own work never delays a file.
function startServer() {
    const server = spawn(process.execPath, [path.join(__dirname, 'web_server.js'), dir, '0'],
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

let server;
(async () => {
    let origin;
    ({ server, origin } = await startServer());
    const browser = await chromium.launch({
        executablePath: process.env.TILVARA_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
    const results = [];
    for (let run = 0; run < runs; ++run) results.push(await oneRun(browser, origin, 7 + run));
    await browser.close();
    server.kill();

    const fetched = [...new Set(results.flatMap((r) => r.fetched))]
        .filter((p) => p !== '/favicon.ico');
    let all = 0;
    let art = 0;
    for (const pathname of fetched) {
        const file = path.join(dir, pathname === '/' ? 'index.html' : pathname);
        if (!fs.existsSync(file)) continue;
        const size = await gzipSize(file);
        all += size;
        if (pathname.startsWith('/art/')) art += size;
    }
    const m = (key) => median(results.map((r) => r[key])).toFixed(1);
    const kb = (bytes) => (bytes / 1024).toFixed(1);
    const line = (what, text) => console.log(`  ${what.padEnd(30)}${text}`);
    console.log(`Tilvara page, ${runs} loads in headless chromium (medians)`);
    line('transfer, gzip -9:',
        `${kb(all)} KB in ${fetched.length} files (${kb(all - art)} KB without the art)`);
    line('navigation to rules painted:',
        `${m('rulesPainted')} ms (first contentful paint ${m('firstContentfulPaint')} ms)`);
    line('开始 to board painted:', `${m('dealPainted')} ms (handler done after ` +
        `${m('dealHandled')} ms; every picture decoded ${m('artReady')} ms after the click)`);
    line('click to selection painted:',
        `${m('clickPainted')} ms (handler done after ${m('clickHandled')} ms)`);
    line("a removal's click and hold:", `${m('holdScript')} ms script in ${m('holdCalls')} ` +
        `calls (the board check after it: ${m('checkScript')} ms)`);
    line('main thread per removal:', `${m('removalScript')} ms script, ${m('removalTask')} ms ` +
        `in tasks (400 ms from the second click; idle 400 ms: ${m('idleScript')} ms script, ` +
        `${m('idleTask')} ms tasks)`);
    line(`after ${removals} removals:`,
        `JS heap ${m('jsHeapUsed')} KB, wasm memory ${m('wasmMemory')} KB`);
})().catch((error) => {
    console.error(error);
    server?.kill();
    process.exit(1);
});
