// A lost WebGL context (GPU reset, driver update, memory pressure): the page
// asks the browser to give it back, holds the game at its next frame and
// says so over the canvas. The game's web face hears the same events and has
// the GL subset drop its objects and make them again (web_face.cpp); the
// game goes on where it stood once that is done.
import { holdFrames } from './frames.js';
import * as overlay from './overlay.js';

const canvas = document.getElementById('canvas');
let release = null;

canvas.addEventListener('webglcontextlost', (event) => {
  event.preventDefault(); // without this the browser never restores it
  if (release) return;
  holdFrames(new Promise((resolve) => { release = resolve; }));
  overlay.show('The graphics were lost (the browser reset its GPU).\n' +
    'The game waits where it stood until they are back.');
  document.body.dataset.context = 'lost';
});

canvas.addEventListener('webglcontextrestored', () => {
  overlay.hide();
  document.body.dataset.context = 'restored';
  const resume = release;
  release = null;
  // The face's own listener, added after this one, rebuilds the GL
  // objects; the game draws only after every listener has run.
  if (resume) setTimeout(resume, 0);
});
