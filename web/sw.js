// The service worker: keeps this build's files in a cache of the build's own version and
// serves the page from it, so the game loads and plays without a network. A new build has a
// new version: it is fetched while the old one serves, and the next load is the new one. The
// game writes nothing here: the cache holds the build's files and nothing else.
const Version = '@VERSION@';
const Files = ['@FILES@'];
const Store = `tilvara-${Version}`;

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(Store)
        .then((cache) => cache.addAll(Files))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    const old = (name) => name.startsWith('tilvara-') && name !== Store;
    // A page that loaded without it stays so: taking it over in mid-game would send its
    // next requests (the board's art) through here while it is busy, late.
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
    // The page under any query (?seed=N) is index.html.
    const key = request.mode === 'navigate' ? 'index.html' : request;
    event.respondWith(caches.open(Store)
        .then((cache) => cache.match(key, { ignoreSearch: true }))
        .then((cached) => cached || fetch(request)));
});
