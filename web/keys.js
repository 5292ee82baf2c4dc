// The one way keys reach the game from the page (tvl_web_key), the
// keyboard heard on the game's own element only while it has focus, and
// which input the player uses (keys, touch or a gamepad: the help line and
// the touch controls follow it).
import { KEYS, SOURCE } from './input_map.js';
import { framesPresented } from './frames.js';
import { asking } from './dialog.js';

const canvas = document.getElementById('canvas');
// The keys the game reads; only these are kept from the browser.
const gameCodes = new Set(KEYS.map((key) => key.code));
const held = Object.values(SOURCE).map(() => new Set()); // codes per source
let ready = false;
let over = false;

// The key path's export: down or up from one source.
export function send(code, down, source) {
  if (down) held[source].add(code); else held[source].delete(code);
  if (!ready) return;
  window.Module.ccall('tvl_web_key', 'number', ['string', 'number', 'number'],
    [code, down ? 1 : 0, source]);
}

export function release(source) {
  downAt.forEach((press, key) => {
    if (press.source === source) downAt.delete(key);
  });
  Array.from(held[source]).forEach((code) => send(code, false, source));
}

function releaseAll() {
  Object.values(SOURCE).forEach(release);
}

// A key let go before the game has run a pass with it down would be down
// and up again before the game looks (F1 and Escape are read once a
// pass): its release waits until a frame has been presented with it down.
// A new press of the key overtakes a release still waiting.
const downAt = new Map(); // source + code -> its latest press
function hold(code, source) {
  send(code, true, source);
  downAt.set(source + code, { source, frame: framesPresented() });
}
function releaseWhenSeen(code, source) {
  const key = source + code;
  const press = downAt.get(key);
  (function wait() {
    if (downAt.get(key) !== press) return; // pressed again, or let go already
    if (!press || framesPresented() > press.frame + 1 || !playing()) {
      downAt.delete(key);
      send(code, false, source);
      return;
    }
    requestAnimationFrame(wait);
  })();
}

// A tap: down now, up once the game has seen it.
export function press(code, source) {
  hold(code, source);
  releaseWhenSeen(code, source);
}

// Keys belong to the game only while it plays: not before it runs, not
// while a message box asks, not after it ends.
export function playing() {
  return ready && !over && !asking();
}

export function use(input) {
  if (document.body.dataset.input !== input) document.body.dataset.input = input;
}

function onKey(event) {
  const down = event.type === 'keydown';
  const code = event.code;
  if (!down) {
    if (held[SOURCE.keyboard].has(code)) {
      releaseWhenSeen(code, SOURCE.keyboard);
      if (playing()) event.preventDefault();
    }
    return;
  }
  // Browser shortcuts, and the browser's own way out of full screen.
  if (event.ctrlKey || event.altKey || event.metaKey || !gameCodes.has(code) ||
      (code === 'Escape' && document.fullscreenElement) || !playing()) {
    return;
  }
  event.preventDefault(); // arrows would scroll the page, F1 open help
  use('keys');
  if (!event.repeat) hold(code, SOURCE.keyboard);
}

canvas.addEventListener('keydown', onKey);
canvas.addEventListener('keyup', onKey);
// Keys let go while the game had no focus never report their release.
canvas.addEventListener('blur', () => release(SOURCE.keyboard));
document.addEventListener('visibilitychange', () => {
  if (document.hidden) releaseAll();
});
window.addEventListener('touchstart', () => use('touch'), { capture: true, passive: true });
use(window.matchMedia && window.matchMedia('(pointer: coarse)').matches ? 'touch' : 'keys');

export function started() {
  ready = true;
}

export function ended() {
  over = true;
  releaseAll();
}
