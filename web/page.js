// The page around the game, as the web face (web_page.cpp) calls it through
// Module.page: the message box, the title and status line, full screen and
// the drawing buffer's size, the game's frames, the walk asked for in the
// query string, and the ended screen. Also the emscripten module itself,
// the one global the page makes.
import * as dialog from './dialog.js';
import * as frames from './frames.js';
import * as keys from './keys.js';
import * as layout from './layout.js';
import { SOURCE } from './input_map.js';

const canvas = document.getElementById('canvas');
const status = document.getElementById('status');
const query = new URLSearchParams(window.location.search);

function setStatus(text) {
  status.textContent = text;
}

function setTitle(text) {
  document.title = text;
  setStatus(text);
}

function ended(code) {
  keys.ended();
  layout.fullScreen(false);
  setStatus(code === 0 ? 'The game has ended.' :
    'The game has ended with an error (status ' + code + ').');
  dialog.showEnded();
  document.body.dataset.ended = String(code);
}

// Left by the browser's own means, full screen is switched off in the
// game as F1 does, so that the next F1 goes full screen again.
layout.whenBrowserExits(() => {
  if (keys.playing()) keys.press('F1', SOURCE.keyboard);
});

// The calls of the web face (web_page.cpp); the walk is the query
// string's: ?seed=7&keys=RIGHT*63 UP*190 B
const face = {
  ask: dialog.ask,
  setTitle,
  setStatus,
  fullScreen: layout.fullScreen,
  bufferSize: layout.bufferSize,
  nextFrame: frames.nextFrame,
  framesPresented: frames.framesPresented,
  holdFrames: frames.holdFrames,
  walkKeys: () => query.get('keys') || '',
  walkSeed: () => query.get('seed') || '',
  walkDone: () => { document.body.dataset.walk = 'done'; },
  ended,
};

// The emscripten module tvlounge.js finds as a global; the loader adds the
// game's files and its own start-up steps.
export const Module = window.Module = {
  canvas,
  page: face,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  setStatus: (text) => { if (text) setStatus(text); },
  onAbort: (what) => setStatus('The game stopped: ' + what),
  onRuntimeInitialized: () => keys.started(),
};
