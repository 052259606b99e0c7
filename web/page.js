// The page's side of the browser front end, an ES module that leaves no globals: loads the
// module (tilvara.js and tilvara.wasm), builds the cells and menus, applies what the C++ shell
// paints, keeps the game area scaled to the window, runs the menus, the link labels' hover
// colours and the timers, and hands every other DOM event to the shell (the module's tv_*).
import createTilvara from './tilvara.js';

const $ = (id) => document.getElementById(id);
const attr = (element, name, value) => element.setAttribute(name, value);

// The module, once it runs: every event goes in through enter(), and nothing more reaches a
// module that has stopped on an error.
let game = null;
let running = true;
const enter = (call) => running && game && call();

let cells = []; // the cell pictures by index; 0 is the template left of the first row
let design = { width: 1, height: 1 };
const windows = new Map(); // open dialogs by the shell's window id
const menus = []; // { button, list, items[] }
let openMenu = -1;
const preloaded = []; // kept, so that the browser keeps the pictures
let pendingTitle; // a caption on its way to the title

// ---- start-up, and what the page says when the game cannot run here

// The page's own words for each reason, shown instead of the game (index.html holds them).
function fail(why) {
    running = false;
    for (const dialog of document.querySelectorAll('dialog[open]')) dialog.close();
    $('form1').hidden = true;
    $('failed').hidden = false;
    for (const reason of $('failed').children) reason.hidden = reason.dataset.why !== why;
}

// ---- timers: the game's five and the rules window's, by slot

// Each runs on its due time on the page's steady clock. A browser fires timers late, and a
// hidden tab's rarely or never; whenever the page runs again, every tick that fell due
// meanwhile is delivered, the earliest first, each at the time it was due, so the game's
// clock keeps to real time.
const timers = new Map(); // slot -> { ms, due }
let wake = 0;
let ticking = null; // while ticks are delivered: the time of the one in hand

function startTimer(slot, ms) {
    timers.set(slot, { ms, due: (ticking ?? performance.now()) + ms });
    schedule();
}

function stopTimer(slot) {
    timers.delete(slot);
    schedule();
}

function deliver() {
    let owed = false; // the last tick left its painting to a later one
    for (;;) {
        let next = null;
        for (const [slot, timer] of timers) {
            if (!next || timer.due < next.timer.due) next = { slot, timer };
        }
        if (!running || !next || next.timer.due > performance.now()) break;
        ticking = next.timer.due;
        next.timer.due += next.timer.ms; // a restart inside the tick replaces it
        // A tick with another of its timer's due after it paints nothing: the last one does.
        owed = next.timer.due <= performance.now();
        enter(() => game._tv_tick(next.slot, owed));
    }
    if (owed) enter(() => game._tv_paint());
    ticking = null;
    schedule();
}

function schedule() {
    if (ticking !== null) return; // deliver() schedules once its ticks are done
    clearTimeout(wake);
    const due = Math.min(...[...timers.values()].map((timer) => timer.due));
    if (running && due < Infinity) wake = setTimeout(deliver, due - performance.now());
}

// A tab shown again, or a frozen one resumed, catches up at once.
document.addEventListener('visibilitychange', deliver);
document.addEventListener('resume', deliver);

// ---- the game area, in design pixels, scaled as one piece

// Scaled to fit what it shows, centred on whole device pixels, so the grid's edges stay sharp.
// A phone held sideways leaves out the empty margins of the design, so the board gets the
// whole height.
function fit() {
    const client = $('client');
    const width = client.clientWidth;
    const height = client.clientHeight;
    if (!width || !height) return;
    let top = 0;
    let bottom = design.height;
    if (getComputedStyle(client).getPropertyValue('--fit').trim() === 'content') {
        const labels = [...$('labels').children].filter((label) => label.textContent !== '');
        const parts = [$('backing'), cells[1], cells.at(-1), ...labels];
        top = Math.min(...parts.map((part) => part.offsetTop));
        bottom = Math.max(...parts.map((part) => part.offsetTop + part.offsetHeight));
    }
    const scale = Math.min(width / design.width, height / (bottom - top));
    const dpr = window.devicePixelRatio || 1;
    const x = Math.floor(((width - design.width * scale) / 2) * dpr) / dpr;
    const y = Math.floor(((height - (bottom - top) * scale) / 2 - top * scale) * dpr) / dpr;
    $('stage').style.transform = `translate(${x}px, ${y}px) scale(${scale})`;
}

function box(element, left, top, width, height) {
    const s = element.style;
    s.left = left + 'px';
    s.top = top + 'px';
    s.width = width + 'px';
    s.height = height + 'px';
}

function build(rows, cols, width, height) {
    design = { width, height };
    $('stage').style.width = width + 'px';
    $('stage').style.height = height + 'px';
    const board = $('board');
    attr(board, 'aria-rowcount', rows);
    attr(board, 'aria-colcount', cols);
    const template = document.createElement('div');
    template.className = 'template';
    attr(template, 'aria-hidden', 'true');
    cells = [template];
    board.append(template);
    for (let row = 1; row <= rows; ++row) {
        const line = document.createElement('div');
        attr(line, 'role', 'row');
        for (let col = 1; col <= cols; ++col) {
            const cell = document.createElement('div');
            cell.className = 'cell gone';
            cell.id = 'cell' + cells.length;
            attr(cell, 'role', 'gridcell');
            attr(cell, 'aria-selected', 'false');
            line.append(cell);
            cells.push(cell);
        }
        board.append(line);
    }
    board.addEventListener('click', (event) => {
        const index = cells.indexOf(event.target.closest('.cell, .template'));
        if (index >= 0) enter(() => game._tv_click(index));
    });
    // Label1 takes clicks; on a touch screen the two counts do what F2 and F1 do.
    $('labels').children[3].addEventListener('click', () => enter(() => game._tv_label1()));
    for (const n of [0, 1])
        $('labels').children[n].addEventListener('click', () => enter(() => game._tv_tap(n)));
    new ResizeObserver(fit).observe($('client'));
}

function cell(index, picture, lit, visible, shown, name) {
    const element = cells[index];
    element.style.setProperty('--picture', picture ? `url(art/${picture}.svg)` : 'none');
    element.classList.toggle('lit', !!(lit && visible));
    element.classList.toggle('empty', !visible);
    element.classList.toggle('gone', !shown);
    attr(element, 'aria-selected', lit && visible ? 'true' : 'false');
    attr(element, 'aria-label', name);
}

// The frame around the cursor's cell; the board names the cell as its
// active descendant, which is how a screen reader follows the focus inside it.
function cursor(index, left, top, width, height, shown, framed) {
    const frame = $('cursor');
    box(frame, left, top, width, height);
    frame.classList.toggle('shown', !!(shown && framed));
    if (shown) attr($('board'), 'aria-activedescendant', cells[index].id);
    else $('board').removeAttribute('aria-activedescendant');
}

// ---- menus: a menu bar of buttons, each opening a list of items

function addMenu(caption, enabled) {
    const m = menus.length;
    const holder = document.createElement('div');
    holder.className = 'menu';
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = caption;
    attr(button, 'role', 'menuitem');
    attr(button, 'aria-haspopup', 'menu');
    attr(button, 'aria-expanded', 'false');
    attr(button, 'aria-disabled', enabled ? 'false' : 'true');
    button.tabIndex = m === 0 ? 0 : -1;
    // A popover: the platform opens and closes it on its title, and closes it on a click
    // elsewhere; the menu bar keeps track here.
    const list = document.createElement('div');
    attr(list, 'role', 'menu');
    attr(list, 'aria-label', caption);
    list.popover = 'auto';
    if (enabled) button.popoverTargetElement = list;
    list.addEventListener('beforetoggle', (event) => {
        const opening = event.newState === 'open';
        attr(button, 'aria-expanded', String(opening));
        if (opening) {
            openMenu = m;
            // Below its title, or beside it where the menu bar is a column.
            const at = button.getBoundingClientRect();
            const column = getComputedStyle($('menubar')).flexDirection === 'column';
            list.style.left = `${column ? at.right + 3 : at.left}px`;
            list.style.top = `${column ? at.top : at.bottom + 1}px`;
        } else if (openMenu === m) {
            openMenu = -1;
        }
    });
    holder.append(button, list);
    $('menubar').append(holder);
    menus.push({ button, list, items: [] });
    // Once a menu is open, the mouse moves it from title to title.
    button.addEventListener('mouseenter', () => {
        if (openMenu >= 0 && openMenu !== m) showMenu(m, false);
    });
}

function addItem(m, caption, enabled) {
    const menu = menus[m];
    const i = menu.items.length;
    const item = document.createElement('button');
    item.type = 'button';
    item.textContent = caption;
    item.tabIndex = -1;
    attr(item, 'role', 'menuitem');
    attr(item, 'aria-disabled', enabled ? 'false' : 'true');
    item.addEventListener('click', () => {
        if (item.getAttribute('aria-disabled') === 'true') return;
        closeMenus(false);
        enter(() => game._tv_menu(m, i));
    });
    item.addEventListener('mouseenter', () => item.focus());
    menu.list.append(item);
    menu.items.push(item);
}

function enableItem(m, i, enabled) {
    attr(menus[m].items[i], 'aria-disabled', enabled ? 'false' : 'true');
}

function showMenu(m, focusFirst) {
    const menu = menus[m];
    if (menu.button.getAttribute('aria-disabled') === 'true') return;
    if (openMenu !== m) menu.list.showPopover(); // and the open one closes
    const first = menu.items.find((item) => item.getAttribute('aria-disabled') !== 'true');
    (focusFirst && first ? first : menu.button).focus();
}

// toButton keeps the focus on the menu bar; otherwise it goes back to the board.
function closeMenus(toButton) {
    if (openMenu < 0) return;
    const menu = menus[openMenu];
    menu.list.hidePopover();
    (toButton ? menu.button : $('board')).focus();
}

// Arrow keys, Home/End, Enter and Space move through the menus; Esc closes the open one
// and, on a closed title, leaves the menu bar for the board, as F10 does. F1 and F2 do
// nothing while a menu is open, and never reach the browser.
function menuKey(event) {
    const titles = menus.map((menu) => menu.button);
    const t = titles.indexOf(document.activeElement);
    const items = openMenu >= 0 ? menus[openMenu].items : [];
    const i = items.indexOf(document.activeElement);
    const step = (list, from, by) => list[(from + by + list.length) % list.length].focus();
    const take = () => {
        event.preventDefault();
        event.stopPropagation();
    };
    switch (event.key) {
        case 'ArrowLeft':
        case 'ArrowRight': {
            const by = event.key === 'ArrowLeft' ? -1 : 1;
            const from = openMenu >= 0 ? openMenu : t;
            const to = (from + by + titles.length) % titles.length;
            if (openMenu >= 0 && menus[to].button.getAttribute('aria-disabled') !== 'true')
                showMenu(to, true);
            else titles[to].focus();
            return take();
        }
        case 'ArrowDown':
        case 'ArrowUp':
            if (i >= 0) step(items, i, event.key === 'ArrowDown' ? 1 : -1);
            else if (t >= 0) showMenu(t, true);
            return take();
        case 'Home':
        case 'End':
            if (i >= 0) items[event.key === 'Home' ? 0 : items.length - 1].focus();
            return take();
        case 'Enter':
        case ' ':
            if (t >= 0) showMenu(t, true);
            else if (i >= 0) items[i].click();
            return take();
        case 'Escape':
            if (openMenu >= 0) closeMenus(i >= 0);
            else $('board').focus();
            return take();
        case 'Tab':
            closeMenus(false);
            return undefined;
        case 'F1':
        case 'F2':
            if (openMenu >= 0) take();
            return undefined;
        case 'F10':
            // Again: the menu closes, as on the desktop.
            if (openMenu < 0) return undefined;
            closeMenus(false);
            return take();
        default:
            return undefined;
    }
}

// ---- link labels: the hover rule, and Enter on one opens it rather than counting as a
// key for the window around it

// The label under the mouse (a link) turns red and underlined, the others of the window's
// hover group (.linked, which the shell sets) blue; nothing changes back when the mouse
// leaves. In the rules window two rule texts are in the group, though they are no links.
function hover(dialog, target) {
    for (const other of dialog.querySelectorAll('.link, .linked')) {
        other.classList.toggle('red', other === target);
        other.classList.toggle('blue', other !== target);
    }
    target.classList.add('underlined');
}

// A control of the rules or about window, by the name the game's rules know it by.
const control = (dialogId, name) => $(dialogId).querySelector(`[data-control="${name}"]`);

// Each opening starts from the window's design: no hover colours, no underlines beyond
// those the design has.
function resetLinks(dialog) {
    for (const element of dialog.querySelectorAll('.link, .linked'))
        element.classList.remove('red', 'blue', 'underlined');
}

// A window larger than the browser's is shrunk as a whole, as the game area is.
function fitDialog(dialog) {
    dialog.style.zoom = '';
    const room = Math.min(
        (window.innerWidth - 16) / dialog.offsetWidth,
        (window.innerHeight - 16) / dialog.offsetHeight,
    );
    if (room < 1) dialog.style.zoom = room;
}

function track(id, dialog) {
    windows.set(id, dialog);
    dialog.dataset.window = id;
    dialog.style.zoom = '';
    // The rules window painted from the page's own markup before the module came; taken over
    // without a close event, which would count as the player's closing.
    dialog.removeAttribute('open');
    dialog.showModal();
    // The rules window has no button to start on: the window itself takes the keys.
    if (dialog.id === 'frmSplash') dialog.focus();
    fitDialog(dialog);
}

function openBox(id, title, text, ok) {
    const dialog = $('box').content.firstElementChild.cloneNode(true);
    const caption = dialog.querySelector('.caption span');
    const message = dialog.querySelector('p');
    caption.textContent = title;
    caption.id = `box${id}-title`;
    message.textContent = text;
    message.id = `box${id}-text`;
    attr(dialog, 'aria-labelledby', caption.id);
    attr(dialog, 'aria-describedby', message.id);
    dialog.querySelector('.buttons button').textContent = ok;
    wireDialog(dialog);
    document.body.append(dialog);
    track(id, dialog);
}

function openWindow(id, name) {
    const dialog = $(name);
    resetLinks(dialog);
    track(id, dialog);
}

// Closed by the shell: no word back. Boxes are copies and go; the two windows stay.
function closeWindow(id) {
    const dialog = windows.get(id);
    if (!dialog) return;
    windows.delete(id);
    if (dialog.open) dialog.close();
    if (dialog.classList.contains('box')) dialog.remove();
}

// Every dialog: its close buttons and closing parts ask the shell, and a close the browser
// makes by itself (a close request it would not let the page refuse) is reported too.
function wireDialog(dialog) {
    const id = () => Number(dialog.dataset.window);
    dialog.addEventListener('click', (event) => {
        const closers = '.caption button, dialog.box .buttons button, [data-control=cmdOK]';
        if (event.target.closest(closers)) return enter(() => game._tv_dismiss(id()));
        const part = event.target.closest('[data-control]');
        if (part && !part.matches('.link')) {
            enter(() => game.ccall('tv_control', null, ['number', 'string'],
                [id(), part.dataset.control]));
        }
        return undefined;
    });
    dialog.addEventListener('cancel', (event) => {
        event.preventDefault();
        enter(() => game._tv_dismiss(id()));
    });
    dialog.addEventListener('close', () => {
        if (windows.get(id()) === dialog) {
            windows.delete(id());
            enter(() => game._tv_dismiss(id()));
        }
    });
    dialog.addEventListener('mousemove', (event) => {
        const target = event.target.closest('.link');
        if (target) hover(dialog, target);
    });
    dialog.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && event.target.matches('.link')) event.stopPropagation();
    });
}


// ---- the page as the module sees it (web/page_library.js calls these)

const page = {
    startTimer,
    stopTimer,
    // The test hook ?seed=N: digits only, so the number is exact; -1 for none.
    seed() {
        const seed = new URLSearchParams(location.search).get('seed');
        return seed !== null && /^[0-9]{1,15}$/.test(seed) ? Number(seed) : -1;
    },
    // Once the rules window is on the screen: a request costs the page a few milliseconds
    // each, which its first paint should not wait for. Kept, so that the browser keeps them
    // until the board shows them.
    preloadArt(pictures) {
        const names = ['tile', 'clock', ...pictures.split(' ')];
        const load = (name) => Object.assign(new Image(), { src: `art/${name}.svg` });
        requestAnimationFrame(() => setTimeout(() => preloaded.push(...names.map(load))));
    },
    build,
    place: (index, left, top, width, height) => box(cells[index], left, top, width, height),
    cell,
    cursor,
    boardHasFocus: () => document.activeElement === $('board'),
    focusBoard: () => $('board').focus(),
    piece(n, left, top, width, height, on) {
        const element = $('pieces').children[n];
        box(element, left, top, width, height);
        element.classList.toggle('on', !!on);
    },
    label(n, text, left, top, width, height) {
        const element = $('labels').children[n];
        const fresh = (element.textContent === '') !== (text === '');
        element.textContent = text;
        box(element, left, top, width, height);
        if (fresh) fit();
    },
    startLine(text, left, top, width, height) {
        $('startline').firstElementChild.textContent = text;
        box($('startline'), left, top, width, height);
    },
    clockText(n, text, left, top, width, height) {
        const element = $('clocktexts').children[n];
        element.textContent = text;
        box(element, left, top, width, height);
    },
    backing(left, top, width, height, secondsMax) {
        box($('backing'), left, top, width, height);
        attr($('backing'), 'aria-valuemax', secondsMax);
    },
    bar(left, top, width, height, secondsLeft, text, warning) {
        box($('bar'), left, top, width, height);
        $('bar').classList.toggle('warning', !!warning);
        attr($('backing'), 'aria-valuenow', secondsLeft);
        attr($('backing'), 'aria-valuetext', text);
    },
    // The window caption is the page's title. Setting it costs a round trip to the browser
    // (milliseconds on a busy machine), so it waits until the frame that shows the click or
    // removal behind it is painted.
    caption(text) {
        const scheduled = pendingTitle !== undefined;
        pendingTitle = text;
        if (scheduled) return;
        requestAnimationFrame(() => setTimeout(() => {
            document.title = pendingTitle;
            pendingTitle = undefined;
        }));
    },
    addMenu,
    addItem,
    enableItem,
    openMenu: (m) => showMenu(m, true),
    showMain(shown) {
        $('form1').hidden = !shown;
        if (!shown) return closeMenus(false);
        fit();
        $('board').focus();
    },
    ended(shown, notice) {
        $('ended').hidden = !shown;
        if (!shown) return;
        $('ended').querySelector('p').textContent = notice;
        $('ended').querySelector('button').focus();
    },
    text(dialogId, name, text) {
        control(dialogId, name).textContent = text;
    },
    openBox,
    openWindow,
    closeWindow,
};

for (const id of ['frmSplash', 'frmAbout']) wireDialog($(id));
$('menubar').addEventListener('keydown', menuKey);
window.addEventListener('resize', () => {
    for (const dialog of windows.values()) fitDialog(dialog);
});
// A click anywhere on the game area, outside the menus, gives the keyboard back to the board.
$('form1').addEventListener('click', (event) => {
    if (!event.target.closest('.menu')) $('board').focus();
});
$('ended').querySelector('button').addEventListener('click', () => enter(() => game._tv_new_run()));

// A page opened from the disk, or in a browser without WebAssembly, cannot run the module:
// start.js has said so already.
// Installable and playable offline: the service worker keeps the build's files. It registers
// once the page has loaded, so that its downloads never hold up the game's start.
if ('serviceWorker' in navigator && location.protocol !== 'file:')
    window.addEventListener('load', () => navigator.serviceWorker.register('sw.js'));

if (location.protocol !== 'file:' && typeof WebAssembly === 'object') {
    const module = {
        page,
        // Ready before its main() runs, which starts the timers and builds the board.
        onRuntimeInitialized: () => (game = module),
        onAbort: () => fail(game ? 'crash' : 'fetch'),
    };
    createTilvara(module).catch(() => fail('fetch'));
}
