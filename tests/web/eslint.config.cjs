// The lint of the page's JavaScript, CSS and HTML and of the scripts around it, run by CTest
// (web.lint) with the packages pinned in package-lock.json.
'use strict';

const js = require('@eslint/js');
const css = require('@eslint/css').default;
const html = require('@html-eslint/eslint-plugin');
const globals = require('globals');

const rules = {
    ...js.configs.recommended.rules,
    eqeqeq: 'error',
    'no-var': 'error',
    'prefer-const': 'error',
    'no-implicit-globals': 'error',
};

module.exports = [
    { ignores: ['**/node_modules/**', 'build/**'] },
    // The page: an ES module, and the plain script that runs before it.
    { files: ['web/page.js'], languageOptions: { sourceType: 'module', globals: globals.browser }, rules },
    { files: ['web/start.js'], languageOptions: { sourceType: 'script', globals: globals.browser }, rules },
    { files: ['web/sw.js'], languageOptions: { sourceType: 'script', globals: globals.serviceworker }, rules },
    // The page's calls, an emscripten library: its functions run inside the module.
    {
        files: ['web/page_library.js', 'tests/web/*_library.js'],
        languageOptions: {
            sourceType: 'script',
            globals: { mergeInto: 'readonly', LibraryManager: 'readonly', Module: 'readonly',
                UTF8ToString: 'readonly' },
        },
        rules,
    },
    // Build steps, servers, measurements and tests under node.
    {
        files: ['web/prerender.js', 'web/precache.js', 'scripts/*.js', 'tests/web/*.js',
            'tests/web/*.cjs'],
        ignores: ['tests/web/*_library.js'],
        languageOptions: {
            sourceType: 'commonjs',
            // tile() and label(): the page test's helpers inside the page.
            globals: { ...globals.node, ...globals.browser, tile: 'readonly', label: 'readonly' },
        },
        rules,
    },
    // !important marks the few rules no inline style may undo; --picture is set by page.js.
    {
        files: ['web/*.css'],
        language: 'css/css',
        plugins: { css },
        rules: {
            ...css.configs.recommended.rules,
            'css/no-important': 'off',
            // The menus are popovers, in every major browser since 2024.
            'css/use-baseline': ['error', { available: 'newly' }],
            'css/no-invalid-properties': ['error', { allowUnknownVariables: true }],
        },
    },
    {
        files: ['web/*.html'],
        plugins: { '@html-eslint': html },
        languageOptions: { parser: require('@html-eslint/parser') },
        // Correctness, not layout: the markup keeps its own indentation and line breaks.
        rules: {
            ...html.configs['flat/recommended'].rules,
            '@html-eslint/indent': 'off',
            '@html-eslint/element-newline': 'off',
            '@html-eslint/attrs-newline': 'off',
            // The manifest and theme colour are hints: a browser without them loses nothing.
            '@html-eslint/use-baseline': 'off',
        },
    },
];
