// The page's side of the browser front end: builds the cells and menus, applies what the C++
// shell paints, keeps the game area scaled to the window, runs the menus and the link
// labels' hover colours, and hands every other DOM event to the shell (Module._tv_*).
'use strict';

// The emscripten module's settings; its main() starts the first run once it has loaded.
var Module = {
    onAbort() {
        TilvaraPage.stop();
        document.body.textContent = 'Tilvara 无法启动：浏览器未能运行 WebAssembly。';
        document.body.style.color = '#eee';
    },
};

const TilvaraPage = (() => {
    const $ = (id) => document.getElementById(id);
    // Nothing more reaches a module that has stopped on an error.
    let running = true;
    const call = (name, ...args) => running && Module['_tv_' + name](...args);
    const attr = (element, name, value) => element.setAttribute(name, value);

    let cells = []; // the cell pictures by index; 0 is the template left of the first row
    let design = { width: 1, height: 1 };
    const windows = new Map(); // open dialogs by the shell's window id
    const menus = []; // { button, list, items[] }
    let openMenu = -1;
    let preloaded = [];
    const intervals = new Map(); // the shell's timers by slot
    let pendingTitle; // a caption on its way to the title

    // ---- the game area, in design pixels, scaled as one piece

    function fit() {
        const client = $('client');
        const width = client.clientWidth;
        const height = client.clientHeight;
        if (!width || !height) return;
        const scale = Math.min(width / design.width, height / design.height);
        // Centred on whole device pixels, so the grid's edges stay sharp.
        const dpr = window.devicePixelRatio || 1;
        const x = Math.floor(((width - design.width * scale) / 2) * dpr) / dpr;
        const y = Math.floor(((height - design.height * scale) / 2) * dpr) / dpr;
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
            if (index >= 0) call('click', index);
        });
        $('labels').children[3].addEventListener('click', () => call('label1'));
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

    // The frame stands three design pixels outside the cell; the board names the cell as its
    // active descendant, which is how a screen reader follows the focus inside it.
    function cursor(index, left, top, width, height, shown) {
        const frame = $('cursor');
        box(frame, left - 3, top - 3, width + 6, height + 6);
        frame.classList.toggle('shown', !!shown);
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
        const list = document.createElement('div');
        attr(list, 'role', 'menu');
        attr(list, 'aria-label', caption);
        list.hidden = true;
        holder.append(button, list);
        $('menubar').append(holder);
        menus.push({ button, list, items: [] });
        button.addEventListener('click', () =>
            openMenu === m ? closeMenus(true) : showMenu(m, false));
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
            call('menu', m, i);
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
        closeMenus(false);
        openMenu = m;
        menu.list.hidden = false;
        attr(menu.button, 'aria-expanded', 'true');
        const first = menu.items.find((item) => item.getAttribute('aria-disabled') !== 'true');
        (focusFirst && first ? first : menu.button).focus();
    }

    // toButton keeps the focus on the menu bar; otherwise it goes back to the board.
    function closeMenus(toButton) {
        if (openMenu < 0) return;
        const menu = menus[openMenu];
        menu.list.hidden = true;
        attr(menu.button, 'aria-expanded', 'false');
        openMenu = -1;
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

    // A run of blanks in a rule text must end its line: the label is as wide as the text
    // before the blanks plus half a character, in whatever font the browser resolved.
    function fitRules() {
        const widthOf = (element) => {
            const probe = document.createElement('span');
            probe.style.whiteSpace = 'pre';
            probe.textContent = element.textContent.split(/ {2,}/)[0];
            element.append(probe);
            const width = probe.getBoundingClientRect().width;
            probe.remove();
            return width;
        };
        const [one, two, three, howTo] = ['Label1', 'Label2', 'Label3', 'lblHowToPlay']
            .map((n) => control('frmSplash', n));
        for (const element of [one, two, three, howTo]) element.style.width = '';
        const half = parseFloat(getComputedStyle(one).fontSize) / 2;
        const rules = Math.ceil(Math.max(widthOf(one), widthOf(two)) + half);
        // The line on how to play wraps where it must, as wide as the rules.
        one.style.width = two.style.width = howTo.style.width = rules + 'px';
        three.style.width = Math.ceil(widthOf(three) + half) + 'px';
    }

    // ---- windows: the rules, the about box and message boxes, all modal dialogs

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
        dialog.showModal();
        // The rules window has no button to start on: the window itself takes the keys.
        if (dialog.id === 'frmSplash') {
            dialog.focus();
            fitRules();
        }
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
            if (event.target.closest(closers)) return call('dismiss', id());
            const part = event.target.closest('[data-control]');
            if (part && !part.matches('.link'))
                Module.ccall('tv_control', null, ['number', 'string'],
                    [id(), part.dataset.control]);
        });
        dialog.addEventListener('cancel', (event) => {
            event.preventDefault();
            call('dismiss', id());
        });
        dialog.addEventListener('close', () => {
            if (windows.get(id()) === dialog) {
                windows.delete(id());
                call('dismiss', id());
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

    // The script runs deferred, once the document is parsed, and before the module can call.
    for (const panel of document.querySelectorAll('.panel.ads'))
        panel.append($('ads').content.cloneNode(true));
    for (const id of ['frmSplash', 'frmAbout']) wireDialog($(id));
    $('menubar').addEventListener('keydown', menuKey);
    window.addEventListener('resize', () => {
        for (const dialog of windows.values()) fitDialog(dialog);
    });
    document.addEventListener('pointerdown', (event) => {
        if (openMenu >= 0 && !event.target.closest('#menubar')) closeMenus(false);
    });
    $('ended').querySelector('button').addEventListener('click', () => call('new_run'));

    function stopInterval(slot) {
        clearInterval(intervals.get(slot));
        intervals.delete(slot);
    }

    return {
        startInterval(slot, ms) {
            stopInterval(slot);
            intervals.set(slot, setInterval(() => call('tick', slot), ms));
        },
        stopInterval,
        stop() {
            running = false;
            for (const slot of [...intervals.keys()]) stopInterval(slot);
        },
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
            requestAnimationFrame(() => setTimeout(() => (preloaded = names.map(load))));
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
            element.textContent = text;
            box(element, left, top, width, height);
            element.classList.toggle('clickable', n === 3);
        },
        startLine(text, left, top, width, height) {
            $('startline').textContent = text;
            box($('startline'), left, top, width, height);
        },
        backing(left, top, width, height, secondsMax) {
            box($('backing'), left, top, width, height);
            attr($('backing'), 'aria-valuemax', secondsMax);
        },
        bar(left, top, width, height, secondsLeft, text) {
            box($('bar'), left, top, width, height);
            attr($('backing'), 'aria-valuenow', secondsLeft);
            attr($('backing'), 'aria-valuetext', text);
        },
        // The window caption is the page's title. Setting it costs a round trip to the
        // browser (milliseconds on a busy machine), so it waits until the frame that shows the
        // click or removal behind it is painted.
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
        ended(shown) {
            $('ended').hidden = !shown;
            if (shown) $('ended').querySelector('button').focus();
        },
        text(dialogId, name, text) {
            control(dialogId, name).textContent = text;
        },
        link(dialogId, name, text, href) {
            const element = control(dialogId, name);
            element.textContent = text;
            if (href) element.href = href;
            else element.removeAttribute('href');
        },
        joinHoverGroup(dialogId, name) {
            control(dialogId, name).classList.add('linked');
        },
        picture(dialogId, name, picture) {
            control(dialogId, name).style.setProperty('--picture', `url(art/${picture}.svg)`);
        },
        openBox,
        openWindow,
        closeWindow,
    };
})();
