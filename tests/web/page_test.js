// The page in headless chromium, played as a player would: the rules window and its closing,
// a deal, a selection, a removal with its path on show, hint and reshuffle keys, a box and its
// modality, a level's end, the about box and its links, and quitting; then the page as an app:
// its clock in a hidden tab, its start failures, offline play, a phone. Run by CTest with
// TILVARA_WEB_DIR (the built page), TILVARA_CHROMIUM and NODE_PATH (playwright-core) set.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { chromium } = require('playwright-core');
const { serve } = require('../../scripts/web_server.js');
const { readBoard, firstPair } = require('./board.js');

// A deal that the greedy clearing below takes to the end of level 1 with the reshuffles it has.
const Seed = 7;
const Deadline = 15_000; // for any one thing to show on a busy machine
const Site = 'https://tilvara.example.org';

let server, browser, context, page, origin;
const pageErrors = [];

before(async () => {
    server = await serve(process.env.TILVARA_WEB_DIR, 0);
    origin = `http://127.0.0.1:${server.address().port}`;
    browser = await chromium.launch(launchOptions);
    context = await browser.newContext({ viewport: { width: 1000, height: 640 } });
    // For the test's checks inside the page: whether a cell holds a tile (its name says so),
    // a status line's text.
    await context.addInitScript(() => {
        window.globalsBefore = new Set(Object.getOwnPropertyNames(window));
        window.tile = (id) =>
            !document.getElementById(id).getAttribute('aria-label').startsWith('空');
        window.label = (n) => document.querySelectorAll('#labels .label')[n].textContent;
    });
    // No network here: the maker's pages answer from the test.
    await context.route(`${Site}/**`, (route) =>
        route.fulfill({ contentType: 'text/html', body: '<title>site</title>' }));
    page = await newPage(context);
});

after(async () => {
    await browser?.close();
    server?.close();
    assert.deepEqual(pageErrors, [], 'the page threw');
});

const launchOptions = {
    executablePath: process.env.TILVARA_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--no-first-run'],
};

// Every page of the test reports its exceptions and what its security policy refused.
async function newPage(where) {
    const p = await where.newPage();
    p.on('pageerror', (error) => pageErrors.push(error.message));
    p.on('console', (m) => /Content Security Policy/.test(m.text()) && pageErrors.push(m.text()));
    return p;
}

// ---- reading the page as assistive technology does

const until = (fn, arg) => page.waitForFunction(fn, arg, { timeout: Deadline });
const label = (n) => page.locator('#labels .label').nth(n).textContent(); // Label4, 2, 3, 1
const dialog = (name) => page.getByRole('dialog', { name });
const visibleCells = () => page.getByRole('gridcell');
// The board's description: the line on the empty field.
const startLine = () => page.evaluate(() => {
    const board = document.getElementById('board');
    return document.getElementById(board.getAttribute('aria-describedby')).textContent;
});
const dealt = () =>
    until(() => document.querySelectorAll('#board .cell:not(.gone, .empty)').length === 144);
// Until status line n reads as the pattern says.
const untilLabel = (n, pattern) =>
    until(([i, source]) => new RegExp(source).test(label(i)), [n, pattern.source]);

async function menu(title, item) {
    await page.getByRole('menuitem', { name: title, exact: true }).click();
    const list = page.getByRole('menu', { name: title });
    await list.getByRole('menuitem', { name: item, exact: true }).click();
}

// Clicks a pair and waits for the removal to finish, closing the reward boxes on the way; any
// other box is left open for the caller.
async function removePair(a, b) {
    await page.click(`#${a.id}`);
    await removeSelected(a, b);
}

async function removeSelected(a, b) {
    await page.click(`#${b.id}`);
    for (;;) {
        await until(([x, y]) =>
            document.querySelector('dialog.box[open]') || (!tile(x) && !tile(y)), [a.id, b.id]);
        const box = await page.$('dialog.box[open] p');
        const text = box && await box.textContent();
        if (!box || !text.startsWith('奖励')) return;
        await closeTwice(text.includes('提示') ? 1 : 0);
    }
}

// A reward box closed by two quick inputs, by turns two Returns and a click on 确定 followed
// by a Return: the reward comes once. (The Return that finds no box falls on the emptied
// cell the last click left the cursor on, and does nothing.)
let doubleClosings = 0;
async function closeTwice(n) {
    const count = async () => Number((await label(n)).match(/\d+/)[0]);
    const before = await count();
    if (doubleClosings++ % 2) {
        await page.keyboard.press('Enter');
    } else {
        const ok = await page.locator('dialog.box[open] .buttons button').boundingBox();
        await page.mouse.click(ok.x + ok.width / 2, ok.y + ok.height / 2);
    }
    await page.keyboard.press('Enter');
    await page.locator('dialog.box[open]').waitFor({ state: 'detached' });
    assert.equal(await count(), before + 1, 'one reward for one box');
}

// ---- the game, in the order a player meets it

test('the rules window opens first, and a key closes it and opens the main window', async () => {
    await page.goto(`${origin}/?seed=${Seed}`);
    await dialog('游戏规则 - Tilvara').waitFor();
    assert.equal(await page.title(), 'Tilvara');
    // Painted from the page's markup first; keys reach it once the module has taken it over.
    await until(() => document.getElementById('frmSplash').matches(':modal'));
    const globals = await page.evaluate(() => Object.getOwnPropertyNames(window)
        .filter((name) => !window.globalsBefore.has(name)));
    assert.deepEqual(globals.sort(), ['globalsBefore', 'label', 'tile'], 'the page adds no globals');
    const rule = page.locator('#frmSplash [data-control=Label1]');
    assert.match(await rule.textContent(), /^得分规则/);
    assert.ok(await page.locator('#form1').isHidden());
    await page.keyboard.press('x');
    await page.locator('#form1').waitFor();
    assert.ok(await dialog('游戏规则 - Tilvara').isHidden());
    assert.equal(await visibleCells().count(), 0, 'nothing is dealt before 开始');
    assert.equal(await label(1), '');
    assert.match(await startLine(), /开始/, 'the empty field says how to start');
});

test('the rules window closes itself on its tenth second, but not as help', async () => {
    // A clock of the test's own, in a context of its own: it would replace every page's timers.
    const own = await browser.newContext({ viewport: { width: 1000, height: 640 } });
    const clocked = await newPage(own);
    // Stopped: it moves only as the test says.
    await clocked.clock.install({ time: new Date('2026-01-01T08:00:00') });
    await clocked.clock.pauseAt(new Date('2026-01-01T08:00:01'));
    await clocked.goto(`${origin}/?seed=${Seed}`);
    const open = (id) => clocked.evaluate((i) => document.getElementById(i).open, id);
    await clocked.waitForFunction(() => document.getElementById('frmSplash').open);
    await clocked.clock.runFor(9_500);
    assert.ok(await open('frmSplash'), 'open after nine ticks');
    const countdown = () => clocked.locator('#frmSplash [data-control=lblCountdown]').textContent();
    assert.match(await countdown(), /^1秒/);
    await clocked.clock.runFor(1_000);
    assert.ok(!(await open('frmSplash')), 'closed on the tenth');
    assert.ok(await clocked.locator('#form1').isVisible());
    // Help: 帮助 > 帮助, then twenty seconds.
    const help = clocked.locator('#menubar .menu').nth(2).locator('[role=menu] button').first();
    await help.dispatchEvent('click');
    assert.ok(await open('frmSplash'));
    await clocked.clock.runFor(20_000);
    assert.ok(await open('frmSplash'), 'help stays until closed');
    assert.equal(await countdown(), '', 'and counts nothing down');
    await clocked.locator('#frmSplash [data-control=Label1]').dispatchEvent('click');
    assert.ok(!(await open('frmSplash')));
    assert.ok(await clocked.locator('#form1').isVisible());
    await own.close();
});

test('a deal, a selection, and a removal whose path shows during the hold', async () => {
    await menu('游戏', '开始');
    await dealt();
    assert.deepEqual([await label(0), await label(1), await label(2)],
        ['1次重排,F2键', '5次提示,F1键', '目前总分:0']);
    assert.equal(await startLine(), '');
    assert.equal(await page.getByRole('status').count(), 4, 'the status lines are live regions');
    const [a, b] = firstPair(await readBoard(page));
    await page.click(`#${a.id}`);
    await page.getByRole('gridcell', { name: a.name, selected: true }).waitFor();
    // What the path pieces do from here on, seen from inside the page.
    await page.evaluate((first) => {
        window.seen = [];
        new MutationObserver(() => window.seen.push({
            pieces: document.querySelectorAll('.piece.on').length,
            tileShown: tile(first),
        })).observe(document.getElementById('pieces'), { subtree: true, attributes: true });
    }, a.id);
    await removeSelected(a, b);
    const seen = await page.evaluate(() => window.seen);
    assert.ok(seen.some((s) => s.pieces > 0 && s.tileShown),
        'the path showed while the pair was still there');
    assert.equal(seen.at(-1).pieces, 0, 'and went with the pair');
    await until(() => document.title === '142 · Tilvara');
    // The emptied cells stay, named empty, for the keyboard's cursor and a screen reader.
    assert.equal(await visibleCells().count(), 144);
    await untilLabel(3, /^还有\d+个连通!$/);
});

test('the keyboard plays: arrows move the cursor, Space and Return click, F10 opens 游戏',
    async () => {
        const board = page.getByRole('grid', { name: '棋盘' });
        const focused = () => board.getAttribute('aria-activedescendant');
        await board.focus();
        const [a, b] = firstPair(await readBoard(page));
        // The cursor stands where the last click was: walk it from there to each tile.
        const walk = async (to) => {
            const from = await page.evaluate((id) => {
                const name = document.getElementById(id).getAttribute('aria-label');
                return name.match(/第(\d+)行第(\d+)列/).slice(1).map(Number);
            }, await focused());
            const steps = [[to.row - from[0], 'ArrowDown', 'ArrowUp'],
                [to.col - from[1], 'ArrowRight', 'ArrowLeft']];
            for (const [n, more, less] of steps) {
                for (let i = 0; i < Math.abs(n); ++i)
                    await page.keyboard.press(n > 0 ? more : less);
            }
            assert.equal(await focused(), to.id, 'the screen reader follows the cursor');
        };
        await walk(a);
        await page.keyboard.press('Space');
        await page.getByRole('gridcell', { name: a.name, selected: true }).waitFor();
        await walk(b);
        await page.keyboard.press('Enter');
        await until(([x, y]) => !tile(x) && !tile(y), [a.id, b.id]);
        await page.keyboard.press('F10');
        assert.equal(await page.evaluate(() => document.activeElement.textContent), '开始');
        await page.keyboard.press('Escape');
        await page.keyboard.press('Escape'); // off the menu bar, back to the board
        assert.ok(await board.evaluate((e) => e === document.activeElement));
        assert.ok(await page.locator('#form1').isVisible(), 'Esc on the menus quits nothing');
    });

test('a click on the game area outside the board gives the keys back to the board', async () => {
    const cursor = () => page.locator('#board').getAttribute('aria-activedescendant');
    await page.getByRole('menuitem', { name: '游戏', exact: true }).focus();
    const client = await page.locator('#client').boundingBox();
    await page.mouse.click(client.x + 4, client.y + client.height / 2);
    const before = await cursor();
    await page.keyboard.press(before === 'cell1' ? 'ArrowRight' : 'ArrowLeft');
    assert.notEqual(await cursor(), before, 'an arrow key moves the cursor');
});

test('F1 marks a pair and F2 reshuffles, one for a press, and the browser keeps out', async () => {
    await page.evaluate(() => {
        window.allowed = [];
        window.addEventListener('keydown', (e) => e.defaultPrevented || window.allowed.push(e.key));
    });
    // A held key: the browser's repeats, and a second press the browser forgot to flag.
    await page.keyboard.down('F1');
    await page.keyboard.down('F1');
    const cdp = await context.newCDPSession(page);
    await cdp.send('Input.dispatchKeyEvent',
        { type: 'rawKeyDown', key: 'F1', code: 'F1', windowsVirtualKeyCode: 112 });
    await page.keyboard.up('F1');
    await untilLabel(1, /^还有4次提示,F1键$/);
    const marked = (await readBoard(page)).filter((c) => c.selected);
    assert.equal(marked.length, 2);
    assert.equal(marked[0].picture, marked[1].picture);

    const before = (await readBoard(page)).map((c) => c.picture);
    await page.keyboard.press('F2');
    await untilLabel(0, /^0次重排,F2键$/);
    await until((old) => [...document.querySelectorAll('#board [role=gridcell]')]
        .some((c, i) => tile(c.id) && !c.getAttribute('aria-label').startsWith(old[i])), before);
    const after = (await readBoard(page)).map((c) => c.picture);
    assert.deepEqual([...after].sort(), [...before].sort(), 'the same tiles, moved');
    assert.equal(await label(1), '还有4次提示,F1键', 'one hint for one held key');
    assert.deepEqual(await page.evaluate(() => window.allowed), []);
});

test('a box is modal, the clock runs on behind it, and Enter closes it', async () => {
    await page.keyboard.press('F2');
    const box = dialog('提示');
    await box.waitFor();
    assert.equal(await box.locator('p').textContent(), '重排机会用完!');
    assert.ok(await page.evaluate(() => document.activeElement.closest('dialog.box') !== null));
    // A tile that is there and not selected, clicked where it shows.
    const selected = () => readBoard(page).then((cells) => cells.filter((c) => c.selected).length);
    const before = await selected();
    const free = (await readBoard(page)).find((c) => c.picture && !c.selected);
    const cell = await page.locator(`#${free.id}`).boundingBox();
    await page.mouse.click(cell.x + cell.width / 2, cell.y + cell.height / 2);
    await page.keyboard.press('F1');
    assert.equal(await selected(), before, 'no click got through');
    assert.equal(await label(1), '还有4次提示,F1键', 'no key got through');
    const seconds = () => page.locator('#backing').getAttribute('aria-valuenow');
    const now = await seconds();
    await until((s) => document.getElementById('backing').getAttribute('aria-valuenow') !== s, now);
    await page.keyboard.press('Enter');
    await box.waitFor({ state: 'detached' });
});

test('the about box: hover colours, a tab for each link, and Esc closes only the box', async () => {
    await menu('帮助', '关于');
    const about = dialog('关于');
    await about.waitFor();
    const ad = about.locator('[data-control=Label5]');
    const mail = about.locator('[data-control=Label1]');
    const site = about.locator('[data-control=Label3]');
    // The contact labels open what they say.
    assert.equal(await mail.getAttribute('href'), `mailto:${await mail.textContent()}`);
    assert.equal(await site.getAttribute('href'), `https://${await site.textContent()}`);
    await ad.hover();
    assert.match(await ad.getAttribute('class'), /red.*underlined|underlined.*red/);
    assert.match(await mail.getAttribute('class'), /blue/);
    await mail.hover();
    assert.match(await ad.getAttribute('class'), /blue/);
    assert.match(await ad.getAttribute('class'), /underlined/, 'an underline stays');
    const [tab] = await Promise.all([context.waitForEvent('page'), ad.click()]);
    await tab.waitForLoadState();
    assert.equal(tab.url(), `${Site}/soft.htm`);
    await tab.close();
    await page.keyboard.press('Escape');
    await about.waitFor({ state: 'hidden' });
    assert.ok(await page.locator('#form1').isVisible(), 'the game goes on');
});

test('clearing the board ends the level, and the next one deals', async () => {
    await menu('游戏', '开始');
    await dealt();
    for (;;) {
        const cells = await readBoard(page);
        if (!cells.some((c) => c.picture)) break;
        const pair = firstPair(cells);
        if (pair) {
            await removePair(...pair);
            continue;
        }
        // A dead board is reshuffled by itself.
        await until((old) => [...document.querySelectorAll('#board [role=gridcell]')]
            .some((c, i) => c.getAttribute('aria-label') !== old[i]), cells.map((c) => c.name));
    }
    const box = dialog('提示');
    await box.waitFor();
    const text = await box.locator('p').textContent();
    assert.match(text, /^用时\d+:\d\d:\d\d，准备进入下一关！$/);
    assert.ok(doubleClosings >= 2, 'reward boxes were closed twice over, both ways');
    await page.keyboard.press('Enter');
    await dealt();
    assert.match(await label(2), /^目前总分:[1-9]\d*$/, 'the score carries on into level 2');
});

test('Esc ends the game; starting again is a new run', async () => {
    await page.keyboard.press('Escape');
    await page.locator('#ended').waitFor();
    assert.ok(await page.locator('#form1').isHidden());
    assert.match(await page.locator('#ended p').textContent(), /^你按了Esc，游戏已结束。第\d关，目前总分\d+。$/,
        'the notice says how the game ended, the level and the score');
    await until(() => document.title === 'Tilvara');
    await page.getByRole('button', { name: '重新开始' }).click();
    await dialog('游戏规则 - Tilvara').waitFor();
    // Esc closes the rules window, and only that: the new run goes on.
    await page.keyboard.press('Escape');
    await page.locator('#form1').waitFor();
    assert.ok(await page.locator('#ended').isHidden());
    await until(() => document.title === 'Tilvara');
    assert.equal(await visibleCells().count(), 0);
});

test('the game and its windows fit the browser, from a phone held sideways up', async () => {
    const phone = await browser.newContext({ viewport: { width: 740, height: 360 },
        deviceScaleFactor: 2 });
    const small = await newPage(phone);
    const inside = async (locator, outer) => {
        const r = await locator.boundingBox();
        return r.x >= outer.x - 0.5 && r.y >= outer.y - 0.5 &&
            r.x + r.width <= outer.x + outer.width + 0.5 &&
            r.y + r.height <= outer.y + outer.height + 0.5;
    };
    const view = () => ({ x: 0, y: 0, ...small.viewportSize() });
    await small.goto(`${origin}/?seed=${Seed}`);
    const rules = small.getByRole('dialog', { name: '游戏规则 - Tilvara' });
    await rules.waitFor();
    assert.ok(await inside(rules, view()), 'the rules window fits');
    await small.keyboard.press('Space');
    // The menus from the keyboard: to the menu bar, down into 游戏, Enter on 开始.
    await small.getByRole('menuitem', { name: '游戏', exact: true }).focus();
    await small.keyboard.press('ArrowDown');
    await small.keyboard.press('Enter');
    await small.waitForFunction(() => document.querySelectorAll('.cell:not(.gone)').length === 144);
    const client = await small.locator('#client').boundingBox();
    assert.ok(await inside(small.locator('#stage'), client), 'the game area fits');
    assert.ok(await inside(small.locator('#cell144'), client), 'to its last tile');
    await small.setViewportSize({ width: 1600, height: 1000 });
    await small.waitForFunction(() =>
        document.getElementById('cell1').getBoundingClientRect().width > 39 * 1.5);
    assert.ok(await inside(small.locator('#stage'), await small.locator('#client').boundingBox()),
        'and grows with a larger window');
    await phone.close();
});

// ---- the page as an app

// A page of its own, dealt through the menus as a player taps or clicks them.
async function dealtPage(where, url = `${origin}/?seed=${Seed}`) {
    const p = await newPage(where);
    await p.goto(url);
    await p.locator('#frmSplash [data-control=Label1]').click();
    await p.getByRole('menuitem', { name: '游戏', exact: true }).click();
    await p.getByRole('menu', { name: '游戏' }).getByRole('menuitem', { name: '开始', exact: true }).click();
    await p.waitForFunction(() => document.querySelectorAll('.cell:not(.gone, .empty)').length === 144);
    return p;
}

test('a hidden tab keeps the clock true: the ticks it missed come on its return', async () => {
    const own = await browser.newContext({ viewport: { width: 1000, height: 640 } });
    // The page's view of its visibility, switched as a browser does for a background tab.
    await own.addInitScript(() => {
        let state = 'visible';
        Object.defineProperty(document, 'visibilityState', { get: () => state });
        Object.defineProperty(document, 'hidden', { get: () => state === 'hidden' });
        window.showPage = (shown) => {
            state = shown ? 'visible' : 'hidden';
            document.dispatchEvent(new Event('visibilitychange'));
        };
    });
    const p = await newPage(own);
    await p.clock.install();
    const seconds = () => p.evaluate(() =>
        Number(document.getElementById('backing').getAttribute('aria-valuenow')));
    const shownBox = () => p.evaluate(() => document.querySelector('dialog.box[open] p')?.textContent);
    await p.goto(`${origin}/?seed=${Seed}`);
    await p.locator('#frmSplash [data-control=Label1]').click();
    await p.getByRole('menuitem', { name: '游戏', exact: true }).click();
    await p.getByRole('menu', { name: '游戏' }).getByRole('menuitem', { name: '开始', exact: true }).click();
    await p.waitForFunction(() => document.querySelectorAll('.cell:not(.gone)').length === 144);
    const start = await seconds();
    // Hidden, its timers fire seldom and late: a jump of the clock fires each at most once.
    await p.clock.pauseAt(await p.evaluate(() => Date.now() + 1000));
    await p.evaluate(() => window.showPage(false));
    await p.clock.fastForward(200_000);
    await p.evaluate(() => window.showPage(true));
    const left = await seconds();
    assert.ok(left <= start - 199 && left >= start - 202, `${start} s, 200 s later ${left} s`);
    assert.equal(await shownBox(), undefined);
    await p.evaluate(() => window.showPage(false));
    await p.clock.fastForward(300_000);
    await p.evaluate(() => window.showPage(true));
    assert.equal(await shownBox(), '您的速度太慢，时间已经用完！');
    assert.equal(await seconds(), 452, 'the bar is back to full for the next try');
    await own.close();
});

test('the page says why it cannot start, and what to do', async () => {
    const cases = [
        { why: 'file', url: `file://${path.resolve(process.env.TILVARA_WEB_DIR, 'index.html')}`,
            says: /网页服务器.*http:\/\// },
        { why: 'wasm', init: () => delete window.WebAssembly, says: /不能运行 WebAssembly/ },
        { why: 'fetch', route: '**/tilvara.wasm', says: /检查网络连接/ },
    ];
    for (const c of cases) {
        const own = await browser.newContext();
        const p = await own.newPage(); // its failure is the point: errors are not counted
        if (c.init) await p.addInitScript(c.init);
        if (c.route) await p.route(c.route, (route) => route.abort());
        await p.goto(c.url || `${origin}/`);
        const reason = p.locator('#failed p:not([hidden])');
        await reason.waitFor();
        assert.equal(await reason.getAttribute('data-why'), c.why);
        assert.match(await reason.textContent(), c.says);
        assert.ok(await p.locator('#frmSplash').isHidden(), `${c.why}: no rules window`);
        await own.close();
    }
});

test('installable, and a reload without the network still plays a pair', async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tilvara-app-'));
    const app = await chromium.launchPersistentContext(profile,
        { ...launchOptions, viewport: { width: 1000, height: 640 } });
    try {
        const p = await newPage(app);
        await p.goto(`${origin}/?seed=${Seed}`);
        await p.evaluate(() => navigator.serviceWorker.ready);
        const cdp = await app.newCDPSession(p);
        assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
        // The cache holds exactly the build's files.
        const cached = await p.evaluate(async () => {
            const names = await caches.keys();
            const files = await (await caches.open(names[0])).keys();
            return { names, files: files.map((r) => new URL(r.url).pathname.slice(1)).sort() };
        });
        const built = fs.readdirSync(process.env.TILVARA_WEB_DIR, { recursive: true })
            .filter((f) => !fs.statSync(path.join(process.env.TILVARA_WEB_DIR, f)).isDirectory())
            .filter((f) => f !== 'sw.js').sort();
        assert.ok(built.includes('copyright'), 'the build carries its licence notice');
        assert.equal(cached.names.length, 1);
        assert.deepEqual(cached.files, built);

        await app.setOffline(true);
        const offline = await dealtPage(app, `${origin}/?seed=${Seed}`);
        const [a, b] = firstPair(await readBoard(offline));
        await offline.click(`#${a.id}`);
        await offline.click(`#${b.id}`);
        await offline.waitForFunction((ids) => ids.every((id) =>
            document.getElementById(id).getAttribute('aria-label').startsWith('空')), [a.id, b.id]);
    } finally {
        await app.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
});

test('on a phone: upright, a hint to turn it; sideways, the board takes the whole height and ' +
    'the counts take taps', async () => {
    for (const [width, height, upright] of [[390, 844, true], [844, 390, false]]) {
        const phone = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: 3,
            isMobile: true, hasTouch: true });
        const p = await dealtPage(phone);
        assert.equal(await p.getByText('横屏效果更好').isVisible(), upright, `${width}x${height}`);
        if (!upright) {
            const cell = await p.locator('#cell1').boundingBox();
            assert.ok(cell.height >= 40, `cells ${cell.height} px tall`);
            assert.ok(cell.y + 8 * cell.height <= height, 'every row on the screen');
            await p.locator('#labels .label').nth(1).tap();
            await p.waitForFunction(() => /^还有4次提示/.test(
                document.querySelectorAll('#labels .label')[1].textContent));
            await p.locator('#labels .label').nth(0).tap();
            await p.waitForFunction(() => /^0次重排/.test(
                document.querySelectorAll('#labels .label')[0].textContent));
        }
        await phone.close();
    }
});
