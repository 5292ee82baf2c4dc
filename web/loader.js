// Starts the game: fetches its gzipped files with a progress bar over the
// canvas, unpacks them, and runs tvlounge.js on them; a file that fails to
// arrive offers a retry. Once the game runs, the service worker keeps the
// files for offline play. build.js is written by scripts/web.sh: the
// build's version and the files' sizes.
import { sizes as builtSizes, version } from './build.js';
import * as overlay from './overlay.js';
import { support } from './support.js';

// Compressed sizes, for the bar when a server sends no Content-Length.
const sizes = Object.assign({}, builtSizes);
const names = Object.keys(sizes);
const loaded = {}; // name: the bytes as sent
const received = {}; // name: bytes received so far

function showProgress() {
  let total = 0;
  let got = 0;
  for (const name of names) {
    total += sizes[name];
    got += Math.min(received[name] || 0, sizes[name]);
  }
  const percent = Math.floor((100 * got) / total);
  overlay.show('Loading the game… ' + percent + '%', percent);
}

async function fetchBytes(name) {
  const response = await fetch(name);
  if (!response.ok) throw new Error(name + ': the server answered ' + response.status);
  const length = Number(response.headers.get('Content-Length'));
  if (length > 0) sizes[name] = length;
  const reader = response.body.getReader();
  const chunks = [];
  received[name] = 0;
  for (;;) {
    const part = await reader.read();
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
  const head = new Uint8Array(await blob.slice(0, 2).arrayBuffer());
  if (head[0] !== 0x1f || head[1] !== 0x8b) return blob.arrayBuffer();
  const stream = blob.stream().pipeThrough(new DecompressionStream('gzip'));
  return new Response(stream).arrayBuffer();
}

// Keeps the files in the cache the service worker serves them from, so
// it need not fetch them a second time.
async function keepForOffline() {
  if (!support.offline) return;
  try {
    if (!navigator.serviceWorker.controller) {
      const folder = new URL('.', window.location.href).href;
      const cache = await caches.open('tvlounge ' + version + ' ' + folder);
      await Promise.all(names.map((name) =>
        cache.put(new URL(name, folder).href, new Response(loaded[name]))));
    }
    await navigator.serviceWorker.register('sw.js');
  } catch (error) {
    console.warn('offline play unavailable: ' + error.message);
  }
}

function start(Module, files) {
  Module.wasmBinary = files['tvlounge.wasm.gz'];
  Module.getPreloadedPackage = () => files['tvlounge.data.gz'];
  const ready = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = () => {
    overlay.hide();
    if (ready) ready();
    keepForOffline();
  };
  const script = document.createElement('script');
  script.src = URL.createObjectURL(
    new Blob([files['tvlounge.js.gz']], { type: 'text/javascript' }));
  document.body.appendChild(script);
}

// Loads the game's files and starts the game in the emscripten module.
export async function load(Module) {
  try {
    showProgress();
    // All settle before a failure is shown, so no late progress hides it.
    const results = await Promise.all(names.map((name) => (async () => {
      if (!loaded[name]) loaded[name] = await fetchBytes(name);
    })().then(() => null, (error) => error)));
    const failure = results.find((error) => error);
    if (failure) throw failure;
    overlay.show('Starting the game…', 100);
    const files = {};
    for (const name of names) files[name] = await unpack(loaded[name]);
    start(Module, files);
  } catch (error) {
    for (const name of names) {
      if (!loaded[name]) received[name] = 0;
    }
    console.warn('loading failed: ' + error.message);
    overlay.show('The game could not be loaded (' + error.message +
      ').\nCheck the connection and try again.', null, () => load(Module));
    document.body.dataset.load = 'failed';
  }
}
