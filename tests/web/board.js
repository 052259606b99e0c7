// The board as a player reads it from the page's accessible names, and the first pair that a
// straightforward path search can link: shared by the page test and the page's measurement.
'use strict';

// Every cell by index: its accessible name, its picture's name ("" when empty), row, column
// and selection.
async function readBoard(page) {
    return page.$$eval('#board [role=gridcell]', (cells) =>
        cells.map((cell) => {
            const name = cell.getAttribute('aria-label');
            const [, picture, row, col] = name.match(/^(\S+) 第(\d+)行第(\d+)列$/);
            const shown = cell.checkVisibility({ visibilityProperty: true });
            return { id: cell.id, name, picture: shown && picture !== '空' ? picture : '',
                row: +row, col: +col, selected: cell.getAttribute('aria-selected') === 'true' };
        }));
}

// A path of at most three straight segments through empty cells, the border included.
function linkable(cells, a, b) {
    const grid = Array.from({ length: 10 }, () => Array(20).fill(false));
    for (const cell of cells) grid[cell.row][cell.col] = cell.picture !== '';
    const clear = (points) => {
        const [er, ec] = points[points.length - 1];
        for (let i = 0; i + 1 < points.length; ++i) {
            let [r, c] = points[i];
            const [tr, tc] = points[i + 1];
            while (r !== tr || c !== tc) {
                r += Math.sign(tr - r);
                c += Math.sign(tc - c);
                if ((r !== er || c !== ec) && grid[r][c]) return false;
            }
        }
        return true;
    };
    const [p, q] = [[a.row, a.col], [b.row, b.col]];
    for (let c = 0; c < 20; ++c) if (clear([p, [a.row, c], [b.row, c], q])) return true;
    for (let r = 0; r < 10; ++r) if (clear([p, [r, a.col], [r, b.col], q])) return true;
    return false;
}

function firstPair(cells) {
    for (const a of cells)
        for (const b of cells)
            if (a !== b && a.picture && a.picture === b.picture && linkable(cells, a, b))
                return [a, b];
    return null;
}

module.exports = { readBoard, firstPair };
