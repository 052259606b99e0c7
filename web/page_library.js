// The page's calls from C++ (declared in web/page.h), linked into the module with
// --js-library: each turns its C arguments into the page's (web/page.js, handed to the module
// as Module.page) and returns at once.
mergeInto(LibraryManager.library, {
    Build: function (rows, cols, width, height) { Module.page.build(rows, cols, width, height); },
    Build__sig: 'viidd',
    PlaceCell: function (index, left, top, width, height) {
        Module.page.place(index, left, top, width, height);
    },
    PlaceCell__sig: 'vidddd',
    PaintCell: function (index, picture, lit, visible, shown, name) {
        Module.page.cell(index, UTF8ToString(picture), lit, visible, shown, UTF8ToString(name));
    },
    PaintCell__sig: 'viiiiii',
    PaintCursor: function (index, left, top, width, height, shown, framed) {
        Module.page.cursor(index, left, top, width, height, shown, framed);
    },
    PaintCursor__sig: 'viddddii',
    BoardHasFocus: function () { return Module.page.boardHasFocus(); },
    BoardHasFocus__sig: 'i',
    FocusBoard: function () { Module.page.focusBoard(); },
    FocusBoard__sig: 'v',
    PaintPiece: function (n, left, top, width, height, on) {
        Module.page.piece(n, left, top, width, height, on);
    },
    PaintPiece__sig: 'viddddi',
    PaintLabel: function (n, text, left, top, width, height) {
        Module.page.label(n, UTF8ToString(text), left, top, width, height);
    },
    PaintLabel__sig: 'viidddd',
    PaintBacking: function (left, top, width, height, max) {
        Module.page.backing(left, top, width, height, max);
    },
    PaintBacking__sig: 'vddddi',
    PaintBar: function (left, top, width, height, now, text, warning) {
        Module.page.bar(left, top, width, height, now, UTF8ToString(text), warning);
    },
    PaintBar__sig: 'vddddiii',
    PaintClockText: function (n, text, left, top, width, height) {
        Module.page.clockText(n, UTF8ToString(text), left, top, width, height);
    },
    PaintClockText__sig: 'viidddd',
    PaintStartLine: function (text, left, top, width, height) {
        Module.page.startLine(UTF8ToString(text), left, top, width, height);
    },
    PaintStartLine__sig: 'vidddd',
    SetCaption: function (text) { Module.page.caption(UTF8ToString(text)); },
    SetCaption__sig: 'vi',
    AddMenu: function (caption, enabled) { Module.page.addMenu(UTF8ToString(caption), enabled); },
    AddMenu__sig: 'vii',
    AddMenuItem: function (menu, caption, enabled) {
        Module.page.addItem(menu, UTF8ToString(caption), enabled);
    },
    AddMenuItem__sig: 'viii',
    EnableMenuItem: function (menu, item, enabled) { Module.page.enableItem(menu, item, enabled); },
    EnableMenuItem__sig: 'viii',
    OpenMenu: function (menu) { Module.page.openMenu(menu); },
    OpenMenu__sig: 'vi',
    ShowMainWindow: function (shown) { Module.page.showMain(shown); },
    ShowMainWindow__sig: 'vi',
    ShowEnded: function (shown, notice) { Module.page.ended(shown, UTF8ToString(notice)); },
    ShowEnded__sig: 'vii',
    SetText: function (dialog, control, text) {
        Module.page.text(UTF8ToString(dialog), UTF8ToString(control), UTF8ToString(text));
    },
    SetText__sig: 'viii',
    OpenBox: function (id, title, text, ok) {
        Module.page.openBox(id, UTF8ToString(title), UTF8ToString(text), UTF8ToString(ok));
    },
    OpenBox__sig: 'viiii',
    OpenWindow: function (id, element) { Module.page.openWindow(id, UTF8ToString(element)); },
    OpenWindow__sig: 'vii',
    CloseWindow: function (id) { Module.page.closeWindow(id); },
    CloseWindow__sig: 'vi',
    StartInterval: function (slot, ms) { Module.page.startTimer(slot, ms); },
    StartInterval__sig: 'vii',
    StopInterval: function (slot) { Module.page.stopTimer(slot); },
    StopInterval__sig: 'vi',
    PreloadArt: function (pictures) { Module.page.preloadArt(UTF8ToString(pictures)); },
    PreloadArt__sig: 'vi',
    SeedParameter: function () { return Module.page.seed(); },
    SeedParameter__sig: 'd',
});
