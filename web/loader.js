// Starts the game: fetches its script and wasm with a progress bar over the
// canvas, unpacks them, and runs tvlounge.js on them; the textures stream
// on while the game asks its start-up question, and the game waits for
// them where it first opens one (web_face.cpp), their progress shown over
// the picture. A file that fails to arrive offers a retry. A browser without
// DecompressionStream unpacks them with inflate.js (npm's fflate, which
// scripts/web.sh puts beside the page), fetched by such browsers alone. Once
// all are in, the service worker keeps the files for offline play. build.js
// is written by scripts/web.sh: the build's version, the files' sizes and
// the textures' names and sizes.
import { sizes as builtSizes, textures, version } from './build.js';
import * as overlay from './overlay.js';
import { support } from './support.js';

// Compressed sizes, for the bar when a server sends no Content-Length.
const sizes = Object.assign({}, builtSizes);
const names = Object.keys(sizes);
const dataName = 'tvlounge.data.gz';
const gameNames = names.filter((name) => name !== dataName);
const loaded = {}; // name: the bytes as sent
const received = {}; // name: bytes received so far
// What the overlay shows while bytes come in: the game's script and wasm
// first, then the textures once the game waits for them.
let progressOf = gameNames;
let progressLabel = 'Loading the game… ';

function showProgress() {
  if (!progressOf) return;
  let total = 0;
  let got = 0;
  for (const name of progressOf) {
    total += sizes[name];
    got += Math.min(received[name] || 0, sizes[name]);
  }
  const percent = Math.floor((100 * got) / total);
  overlay.show(progressLabel + percent + '%', percent);
}

// The first try of the game's script and wasm takes the answer index.html
// asked for as the page came in.
function request(name) {
  const early = window.Module.early[name];
  if (!early) return fetch(name);
  delete window.Module.early[name];
  return early;
}

async function fetchBytes(name) {
  const response = await request(name);
  if (!response.ok) throw new Error(name + ': the server answered ' + response.status);
  const length = Number(response.headers.get('Content-Length'));
  if (length > 0) sizes[name] = length;
  const chunks = [];
  received[name] = 0;
  if (!support.streams) {
    chunks.push(await response.arrayBuffer());
    received[name] = chunks[0].byteLength;
    showProgress();
  } else {
    const reader = response.body.getReader();
    for (;;) {
      const part = await reader.read();
      if (part.done) break;
      chunks.push(part.value);
      received[name] += part.value.length;
      showProgress();
    }
  }
  return new Blob(chunks);
}

// A server that labels .gz files as gzip-encoded has the browser unpack
// them already; only bytes that still start with gzip's magic are unpacked.
async function unpack(blob) {
  const bytes = await new Response(blob).arrayBuffer();
  const head = new Uint8Array(bytes, 0, 2);
  if (head[0] !== 0x1f || head[1] !== 0x8b) return bytes;
  if (!support.decompression) {
    const { gunzipSync } = await import('./inflate.js');
    const out = gunzipSync(new Uint8Array(bytes));
    return out.byteLength === out.buffer.byteLength ? out.buffer : out.slice().buffer;
  }
  const stream = new Response(bytes).body.pipeThrough(new DecompressionStream('gzip'));
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

// The textures: fetched once the game has started, unpacked and written
// into its file system at data/texture/ once the runtime has one.
let runtimeReady = null;
let texturesIn = null; // resolved once they are written
let writeTextures = null;
let texturesFailed = null; // the error, while a retry is due
let gameWaits = false;

async function fetchTextures() {
  try {
    texturesFailed = null;
    if (!loaded[dataName]) loaded[dataName] = await fetchBytes(dataName);
    const bytes = new Uint8Array(await unpack(loaded[dataName]));
    const FS = await runtimeReady;
    let at = 0;
    for (const [name, size] of textures) {
      FS.writeFile('/data/texture/' + name, bytes.subarray(at, at + size));
      at += size;
    }
    writeTextures();
    keepForOffline();
  } catch (error) {
    received[dataName] = 0;
    console.warn('loading the textures failed: ' + error.message);
    texturesFailed = error;
    if (gameWaits) showTexturesFailed();
  }
}

function showTexturesFailed() {
  progressOf = null;
  overlay.show('The game could not be loaded (' + texturesFailed.message +
    ').\nCheck the connection and try again.', null, retryTextures);
  document.body.dataset.load = 'failed';
}

function retryTextures() {
  delete document.body.dataset.load;
  progressOf = [dataName];
  showProgress();
  fetchTextures();
}

// The web face's wait at the game's first file (Module.page.textures).
function awaitTextures() {
  gameWaits = true;
  texturesIn.then(() => {
    progressOf = null;
    overlay.hide();
  });
  if (texturesFailed) {
    showTexturesFailed();
  } else if (!loaded[dataName] || received[dataName] < sizes[dataName]) {
    progressOf = [dataName];
    progressLabel = 'Loading the textures… ';
    showProgress();
  }
  return texturesIn;
}

function start(Module, files) {
  Module.wasmBinary = files['tvlounge.wasm.gz'];
  texturesIn = new Promise((resolve) => { writeTextures = resolve; });
  runtimeReady = new Promise((resolve) => {
    Module.preRun = [() => {
      Module.FS.mkdirTree('/data/texture');
      resolve(Module.FS);
    }];
  });
  Module.page.textures = awaitTextures;
  const ready = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = () => {
    progressOf = null;
    overlay.hide();
    if (ready) ready();
  };
  const script = document.createElement('script');
  script.src = URL.createObjectURL(
    new Blob([files['tvlounge.js.gz']], { type: 'text/javascript' }));
  document.body.appendChild(script);
  fetchTextures();
}

// Loads the game's script and wasm and starts the game in the emscripten
// module; the textures follow.
export async function load(Module) {
  try {
    progressOf = gameNames;
    showProgress();
    // All settle before a failure is shown, so no late progress hides it.
    const results = await Promise.all(gameNames.map((name) => (async () => {
      if (!loaded[name]) loaded[name] = await fetchBytes(name);
    })().then(() => null, (error) => error)));
    const failure = results.find((error) => error);
    if (failure) throw failure;
    progressOf = null;
    overlay.show('Starting the game…', 100);
    const files = {};
    for (const name of gameNames) files[name] = await unpack(loaded[name]);
    start(Module, files);
  } catch (error) {
    for (const name of gameNames) {
      if (!loaded[name]) received[name] = 0;
    }
    progressOf = null;
    console.warn('loading failed: ' + error.message);
    overlay.show('The game could not be loaded (' + error.message +
      ').\nCheck the connection and try again.', null, () => load(Module));
    document.body.dataset.load = 'failed';
  }
}
