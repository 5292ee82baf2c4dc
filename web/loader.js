// Starts the game: first checks that the browser can make a WebGL context,
// then fetches the game's gzipped files with a progress bar over the canvas,
// unpacks them, and runs tvlounge.js on them; a file that fails to arrive
// offers a retry. Once the game runs, the service worker keeps the files
// for offline play. scripts/web.sh fills in the sizes and the version.
'use strict';

(function () {
  // Compressed sizes, for the bar when a server sends no Content-Length.
  var sizes = { @SIZES@ };
  var version = '@VERSION@';
  var names = Object.keys(sizes);
  var loaded = {}; // name: the bytes as sent
  var received = {}; // name: bytes received so far

  function webglAvailable() {
    var probe = document.createElement('canvas');
    var gl = null;
    try {
      gl = probe.getContext('webgl') || probe.getContext('experimental-webgl');
    } catch (error) {
      gl = null;
    }
    if (!gl) return false;
    var lose = gl.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext(); // frees it now rather than at collection
    return true;
  }

  function showProgress() {
    var total = 0;
    var got = 0;
    names.forEach(function (name) {
      total += sizes[name];
      got += Math.min(received[name] || 0, sizes[name]);
    });
    var percent = Math.floor((100 * got) / total);
    TvOverlay.show('Loading the game… ' + percent + '%', percent);
  }

  async function fetchBytes(name) {
    var response = await fetch(name);
    if (!response.ok) {
      throw new Error(name + ': the server answered ' + response.status);
    }
    var length = Number(response.headers.get('Content-Length'));
    if (length > 0) sizes[name] = length;
    var reader = response.body.getReader();
    var chunks = [];
    received[name] = 0;
    for (;;) {
      var part = await reader.read();
      if (part.done) break;
      chunks.push(part.value);
      received[name] += part.value.length;
      showProgress();
    }
    return new Blob(chunks);
  }

  // A server that labels .gz files as gzip-encoded has the browser unpack
  // them already; only bytes that still start with gzip's magic are unpacked.
  async function unpack(blob) {
    var head = new Uint8Array(await blob.slice(0, 2).arrayBuffer());
    if (head[0] !== 0x1f || head[1] !== 0x8b) return blob.arrayBuffer();
    var stream = blob.stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer();
  }

  // Keeps the files in the cache the service worker serves them from, so
  // it need not fetch them a second time.
  async function keepForOffline() {
    if (!('serviceWorker' in navigator) || !window.caches) return;
    try {
      if (!navigator.serviceWorker.controller) {
        var folder = new URL('.', window.location.href).href;
        var cache = await caches.open('tvlounge ' + version + ' ' + folder);
        await Promise.all(names.map(function (name) {
          return cache.put(new URL(name, folder).href, new Response(loaded[name]));
        }));
      }
      await navigator.serviceWorker.register('sw.js');
    } catch (error) {
      console.warn('offline play unavailable: ' + error.message);
    }
  }

  function start(files) {
    Module.wasmBinary = files['tvlounge.wasm.gz'];
    Module.getPreloadedPackage = function () {
      return files['tvlounge.data.gz'];
    };
    var ready = Module.onRuntimeInitialized;
    Module.onRuntimeInitialized = function () {
      TvOverlay.hide();
      if (ready) ready();
      keepForOffline();
    };
    var script = document.createElement('script');
    script.src = URL.createObjectURL(
      new Blob([files['tvlounge.js.gz']], { type: 'text/javascript' }));
    document.body.appendChild(script);
  }

  async function load() {
    try {
      showProgress();
      // All settle before a failure is shown, so no late progress hides it.
      var results = await Promise.allSettled(names.map(async function (name) {
        if (!loaded[name]) loaded[name] = await fetchBytes(name);
      }));
      results.forEach(function (result) {
        if (result.status === 'rejected') throw result.reason;
      });
      TvOverlay.show('Starting the game…', 100);
      var files = {};
      for (var i = 0; i < names.length; ++i) {
        files[names[i]] = await unpack(loaded[names[i]]);
      }
      start(files);
    } catch (error) {
      names.forEach(function (name) {
        if (!loaded[name]) received[name] = 0;
      });
      console.warn('loading failed: ' + error.message);
      TvOverlay.show('The game could not be loaded (' + error.message +
        ').\nCheck the connection and try again.', null, load);
      document.body.dataset.load = 'failed';
    }
  }

  if (!webglAvailable()) {
    TvOverlay.show('TV Lounge needs WebGL, which this browser has turned ' +
      'off or lacks.\nTo turn it on, switch on hardware acceleration ' +
      '("use graphics acceleration") in the browser\'s settings, then ' +
      'reload the page.');
    TvLounge.setStatus('This browser cannot draw the game: WebGL is off.');
    document.body.dataset.webgl = 'missing';
    return;
  }
  load();
})();
