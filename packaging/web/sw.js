// The service worker: keeps every file of the site in a cache named after the build, so the
// game starts from the cache, plays offline after its first visit and can be installed as an
// app. The build writes the file list and the version (a hash of every file's content) into
// this file, so a new build is a new service worker with a new cache, which replaces the old.
'use strict';

const version = '@QUARVEL_SITE_VERSION@';
const files = [@QUARVEL_SITE_FILES@];
const cacheName = 'quarvel-' + version;

// The whole site, each file checked with the server first so that the cache holds this build;
// what the page itself just fetched comes from the browser's HTTP cache, not again in full.
self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(cacheName)
      .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'no-cache' }))))
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

// Cache first; a folder (the site's own, "." in the manifest) is its index.html.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  const key = url.pathname.endsWith('/') ? new URL('index.html', url).href : request;
  event.respondWith(
    caches.open(cacheName).then((cache) =>
      cache.match(key, { ignoreSearch: true }).then((hit) => hit || fetch(request)),
    ),
  );
});
