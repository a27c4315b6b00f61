// The offline copy of the site: every file is kept on the first visit; later visits
// are served from the copy at once while a fresh copy is fetched for the next one.
const kCache = 'scr-site-1';
const kFiles = ['./', 'index.html', 'style.css', 'js/app.js', 'js/play.js', 'js/effects.js', 'js/host.js',
  'js/module.js', 'scrweb.js', 'scrweb.wasm', 'savers.json'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== kCache).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith(caches.open(kCache).then(async (cache) => {
    const kept = await cache.match(request, { ignoreSearch: true });
    const fresh = fetch(request).then((response) => {
      if (response.ok) cache.put(request, response.clone());
      return response;
    });
    if (kept) {
      fresh.catch(() => {});
      return kept;
    }
    return fresh;
  }));
});
