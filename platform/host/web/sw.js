// The page's files, kept for playing without a connection. Each build has a cache of its own,
// named after its files' contents, fetched whole past the browser's HTTP cache, and the old
// builds' caches go when it takes over: no page ever runs files of two builds.
const Build = "kestor-@BUILD@";
const Files = ["./", @FILES@];

self.addEventListener("install", event => {
    event.waitUntil(caches.open(Build).then(cache =>
        cache.addAll(Files.map(file => new Request(file, { cache: "reload" })))));
});

// The first build a player gets takes the page at once. A newer one, fetched in the background
// while an older build plays, waits until the page starts again and asks for it.
self.addEventListener("activate", event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name.startsWith("kestor-") && name !== Build)
                                        .map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener("message", event => {
    if (event.data === "take over") self.skipWaiting();
});

self.addEventListener("fetch", event => {
    if (event.request.method !== "GET") return;
    event.respondWith(caches.open(Build)
        .then(cache => cache.match(event.request, { ignoreSearch: true }))
        .then(kept => kept || fetch(event.request)));
});
