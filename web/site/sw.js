// The offline copy of the site: every file is kept on the first visit; later visits
// are served from the copy at once while a fresh copy is fetched for the next one.
const kCache = 'scr-site-1';
const kFiles = ['./', 'index.html', 'style.css', 'js/app.js', 'js/play.js', 'js/effects.js', 'js/host.js',
  'js/module.js', 'scrweb.js', 'scrweb.wasm', 'savers.json'];

// The Make view (the first view) and the Windows files it makes savers of; a site built
// without the Windows runtime still keeps the rest.
const kMakeFiles = ['make/', 'make/index.html', 'make/make.css', 'make/make_view.js', 'make/make_files.js',
  'make/picture_messages.js', 'make/picture_metadata.js', 'make/picture_pool.js', 'make/picture_rules.js', 'make/picture_worker.js',
  'make/project_file.js', 'make/settings_form.js', 'make/webwriter.js', 'make/webwriter.wasm',
  'make/vendor/pica.min.js', 'make/vendor/fflate.js', 'runtime.scr', 'nuvscrhook.dll'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache)
    .then((cache) => cache.addAll(kFiles).then(() => Promise.all(kMakeFiles.map((f) => cache.add(f).catch(() => {})))))
    .then(() => self.skipWaiting()));
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
