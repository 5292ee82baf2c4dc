// The page around the game, as the web face (web_page.cpp) calls it through
// Module.page: the message box, the title and status line, full screen and
// the drawing buffer's size, the game's frames, the walk asked for in the
// query string, and the ended screen. Also the emscripten module itself,
// the one global the page makes.
import * as dialog from './dialog.js';
import * as frames from './frames.js';
import * as keys from './keys.js';
import * as layout from './layout.js';
import * as overlay from './overlay.js';
import { SOURCE } from './input_map.js';

const canvas = document.getElementById('canvas');
const status = document.getElementById('status');
const query = new URLSearchParams(window.location.search);

function setStatus(text) {
  status.textContent = text;
}

// What the page refused in the address, shown in the status line until the
// game's title takes it.
const notes = [];
function note(text) {
  notes.push(text);
  setStatus(notes.join(' '));
}

function setTitle(text) {
  document.title = text;
  setStatus(text);
}

function ended(code) {
  keys.ended();
  layout.fullScreen(false);
  setStatus('');
  dialog.showEnded(code === 0 ? 'The game has ended.' :
    'The game has ended with an error (status ' + code + ').');
  document.body.dataset.ended = String(code);
}

// Left by the browser's own means, full screen is switched off in the
// game as F1 does, so that the next F1 goes full screen again.
layout.whenBrowserExits(() => {
  if (keys.playing()) keys.press('F1', SOURCE.keyboard);
});

// The walk, both parts or neither: a NUL (%00) would end the text the game
// reads there, so a script or seed holding one is refused whole here.
function walk() {
  const seed = query.get('seed') || '';
  const keys = query.get('keys') || '';
  for (const [name, text] of [['seed', seed], ['keys', keys]]) {
    if (text.includes('\0')) {
      const shown = text.replace(/[\0-\x1f]/g,
        (c) => '%' + c.charCodeAt(0).toString(16).padStart(2, '0').toUpperCase());
      note(`Bad ${name} in the address: "${shown}" holds a NUL (%00); ` +
        'playing without the walk.');
      return { seed: '', keys: '' };
    }
  }
  return { seed, keys };
}
const asked = walk();
if (layout.sizeRefused) {
  note(`Bad size in the address: ${layout.sizeRefused}; drawing at the page's own size.`);
}

// The game stopped on its own fault (its wasm refused, out of memory): the
// overlay says so in place of its last words, with a way to start anew.
let running = false;
function aborted(what) {
  const text = running ? 'The game stopped' : 'The game could not start';
  setStatus(`${text}: ${what}`);
  overlay.show(`${text} (${what}).\nReload the page to try again.`, null,
    () => window.location.reload());
  document.body.dataset.abort = String(what);
}

// The calls of the web face (web_page.cpp); the walk is the query
// string's: ?seed=7&keys=RIGHT*63 UP*190 B
const face = {
  ask: dialog.ask,
  setTitle,
  setStatus: note, // the game's own refusals of the walk
  fullScreen: layout.fullScreen,
  bufferSize: layout.bufferSize,
  nextFrame: frames.nextFrame,
  framesPresented: frames.framesPresented,
  holdFrames: frames.holdFrames,
  walkKeys: () => asked.keys,
  walkSeed: () => asked.seed,
  walkDone: () => { document.body.dataset.walk = 'done'; },
  ended,
};

// The emscripten module tvlounge.js finds as a global; the loader adds the
// game's files and its own start-up steps. index.html's head has put the
// game's early requests on it (early).
export const Module = window.Module = {
  early: (window.Module && window.Module.early) || {},
  canvas,
  page: face,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  onAbort: aborted,
  onRuntimeInitialized: () => {
    running = true;
    setStatus(notes.join(' '));
    keys.started();
  },
};
