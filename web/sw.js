// Keeps the lesson's site in the browser, so that after one visit it opens
// with no network. The build writes the site's version (a hash of its files)
// and their names in place of the two markers below: a new site is a new
// worker, which keeps the new files, takes over and drops the old ones.
const VERSION = '@VERSION@';
const FILES = @FILES@;
const CACHE = `kansu-${VERSION}`;

// The page registers the worker once the lesson is shown, when the browser
// has just fetched the lesson's files: asked for with 'no-cache', each comes
// from the browser's own cache once the server says it is unchanged (a few
// hundred bytes), and only a changed file crosses the network again.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('kansu-') && name !== CACHE)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache, anything else from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET')
    return;
  const url = new URL(event.request.url);
  if (url.origin !== self.location.origin)
    return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
