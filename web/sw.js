// The service worker: keeps the game's files in a cache named after the
// build, serves them from there (so the page plays offline), and drops
// the caches of older builds once a new one is in place. scripts/web.sh
// fills in the version and the files; the loader has usually stored the
// large ones already.
'use strict';

var version = '@VERSION@';
var files = [@FILES@];
var folder = self.registration.scope;
var cacheName = 'tvlounge ' + version + ' ' + folder;

self.addEventListener('install', function (event) {
  event.waitUntil((async function () {
    var cache = await caches.open(cacheName);
    for (var i = 0; i < files.length; ++i) {
      var url = new URL(files[i], folder).href;
      // Past the browser's HTTP cache, which may still hold an older build.
      if (!(await cache.match(url))) {
        await cache.add(new Request(url, { cache: 'reload' }));
      }
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', function (event) {
  event.waitUntil((async function () {
    var names = await caches.keys();
    await Promise.all(names.filter(function (name) {
      return name.startsWith('tvlounge ') && name.endsWith(' ' + folder) &&
        name !== cacheName;
    }).map(function (name) {
      return caches.delete(name);
    }));
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || !request.url.startsWith(folder)) return;
  event.respondWith((async function () {
    var cache = await caches.open(cacheName);
    var hit = await cache.match(request, { ignoreSearch: true });
    if (!hit && request.mode === 'navigate') {
      hit = await cache.match(new URL('index.html', folder).href);
    }
    return hit || fetch(request);
  })());
});
