// A notice laid over the game's canvas: the load's progress bar, a failed
// load's retry button, a browser that cannot run the game, a failed start,
// a lost GL context. It sits in the game's box (so full screen shows it too)
// over the canvas, wherever the page's layout puts it.
import { support } from './support.js';

const canvas = document.getElementById('canvas');
const box = document.getElementById('overlay');
const text = document.getElementById('overlay-text');
const bar = document.getElementById('overlay-bar');
const retry = document.getElementById('overlay-retry');
let onRetry = null;

// The game's box is the canvas's offset parent, and the overlay's.
function place() {
  box.style.left = canvas.offsetLeft + 'px';
  box.style.top = canvas.offsetTop + 'px';
  box.style.width = canvas.offsetWidth + 'px';
  box.style.height = canvas.offsetHeight + 'px';
}
window.addEventListener('resize', place);
if (support.resizeObserver) new ResizeObserver(place).observe(canvas);

retry.addEventListener('click', () => {
  if (onRetry) onRetry();
});

// Shows message; percent (0-100) adds the progress bar, again a button
// that calls it back.
export function show(message, percent, again) {
  text.textContent = message;
  bar.hidden = percent === undefined || percent === null;
  if (!bar.hidden) bar.value = percent;
  onRetry = again || null;
  retry.hidden = !again;
  box.hidden = false;
  place();
  if (again) retry.focus();
}

export function hide() {
  box.hidden = true;
  onRetry = null;
}
