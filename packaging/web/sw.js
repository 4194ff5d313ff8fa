// The service worker: keeps every file of the site in a cache named after the build, so the
// game starts from the cache, plays offline after its first visit and can be installed as an
// app. The build writes the file list and the version (a hash of every file's content) into
// this file, so a new build is a new service worker with a new cache, which replaces the old.
'use strict';

const version = '@QUARVEL_SITE_VERSION@';
const files = [@QUARVEL_SITE_FILES@];
const cacheName = 'quarvel-' + version;

// The whole site, each file checked with the server first so that the cache holds this build;
// what the page itself just fetched comes from the browser's HTTP cache, not again in full. The
// site's folder is its index.html. Where the browser routes by itself (addRoutes), every file of
// the site, asked for without a query, comes straight from the cache: a later visit does not wait
// for this worker to start.
self.addEventListener('install', (event) => {
  if (event.addRoutes) {
    const folder = new URL('./', self.location).pathname;
    const urlPatterns = ['', ...files].map((file) => ({ urlPattern: { pathname: folder + file, search: '' } }));
    // A browser that takes no such route leaves every request to the fetch handler below.
    event.waitUntil(event.addRoutes({ condition: { or: urlPatterns }, source: 'cache' }).catch(() => {}));
  }
  event.waitUntil(
    caches
      .open(cacheName)
      .then((cache) =>
        cache
          .addAll(files.map((file) => new Request(file, { cache: 'no-cache' })))
          .then(() => cache.match('index.html'))
          .then((page) => cache.put('./', page)),
      )
      .then(() => self.skipWaiting()),
  );
});

// Every page loads all it needs at its start, so the new build takes over at once, and the
// caches of earlier builds go.
self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) =>
        Promise.all(
          names
            .filter((name) => name.startsWith('quarvel-') && name !== cacheName)
            .map((name) => caches.delete(name)),
        ),
      )
      .then(() => self.clients.claim()),
  );
});

// Cache first, for what the routes leave to this worker: a browser without them, a query.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  event.respondWith(
    caches.open(cacheName).then((cache) =>
      cache.match(request, { ignoreSearch: true }).then((hit) => hit || fetch(request)),
    ),
  );
});
