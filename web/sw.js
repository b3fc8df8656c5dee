// Keeps the page's files, so that after one visit the page opens and computes without a network.
// Network first: with a network every visit gets the files as they are on the server, so a new
// version replaces the old one at once; the kept copy serves only when the network fails. A file
// that arrives different from its kept copy is a new version, which the page is told of when it
// asks, once its own files have arrived.
'use strict';

const store = 'tralvik';
const files = ['./', 'index.html', 'page.js', 'page.css', 'tralvik.js', 'tralvik.wasm',
               'tralvik.svg', 'manifest.webmanifest', 'icons/tralvik_192.png',
               'icons/tralvik_512.png'];

// Per page (client id): the comparisons of its files with their kept copies, each true when the
// file changed.
const comparisons = new Map();

self.addEventListener('install', (event) => {
  // cache: 'reload' passes the browser's HTTP cache, which may hold an older file.
  event.waitUntil(caches.open(store)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== store)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

const sameBytes = async (a, b) => {
  const [x, y] = await Promise.all([a.arrayBuffer(), b.arrayBuffer()]);
  if (x.byteLength !== y.byteLength)
    return false;
  const u = new Uint8Array(x);
  const v = new Uint8Array(y);
  for (let i = 0; i < u.length; ++i) {
    if (u[i] !== v[i])
      return false;
  }
  return true;
};

// The kept copy of a request: a page opened by a link with a query is still the page.
const kept = (cache, request) => request.mode === 'navigate'
  ? cache.match('./', { ignoreSearch: true })
  : cache.match(request, { ignoreSearch: true });

const fromNetwork = async (event) => {
  const cache = await caches.open(store);
  const request = event.request;
  let response;
  try {
    response = await fetch(request, { cache: 'no-cache' });
  } catch {
    const copy = await kept(cache, request);
    if (copy)
      return copy;
    throw new TypeError('Geen netwerk en geen bewaarde kopie van ' + request.url);
  }
  if (response.ok && response.type === 'basic') {
    const old = await kept(cache, request);
    const key = request.mode === 'navigate' ? './' : request;
    const fresh = response.clone();
    const compared = (old ? sameBytes(old, fresh.clone()).then((same) => !same)
                          : Promise.resolve(false))
      .then(async (changed) => {
        await cache.put(key, fresh);
        return changed;
      });
    const client = event.resultingClientId || event.clientId;
    if (client) {
      if (!comparisons.has(client))
        comparisons.set(client, []);
      comparisons.get(client).push(compared);
    }
    event.waitUntil(compared);
  }
  return response;
};

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin)
    return;
  event.respondWith(fromNetwork(event));
});

self.addEventListener('message', (event) => {
  if (event.data !== 'updated?' || !event.source)
    return;
  const id = event.source.id;
  const pending = comparisons.get(id) ?? [];
  comparisons.delete(id);
  event.waitUntil(Promise.all(pending).then((changed) => {
    event.source.postMessage({ updated: changed.some(Boolean) });
  }));
});
