// Runs before the module, as a plain script, which a browser runs even where it refuses the
// module (a page opened from the disk): says why the game cannot start where it cannot.
// Declares nothing global.
{
    const why = location.protocol === 'file:' ? 'file'
        : typeof WebAssembly !== 'object' ? 'wasm' : '';
    if (why) {
        document.getElementById('frmSplash').close();
        for (const reason of document.getElementById('failed').children)
            reason.hidden = reason.dataset.why !== why;
    }
}
