// Touch controls and gamepads: both become the game's own key changes
// (keys.js), named by the input map. The walk pad holds a key per finger,
// so two fingers walk and turn together; full screen and quit act on a
// tap, quit only on a second one. Gamepads are read once an animation
// frame, plugged in or out at any time.
import { KEYS, SOURCE } from './input_map.js';
import * as keys from './keys.js';
import { support } from './support.js';

const touch = document.getElementById('touch');
const quit = touch.querySelector('[data-touch=quit]');
const codeOfControl = new Map(KEYS.filter((key) => key.touch).map((key) => [key.touch, key.code]));
const controlOfCode = new Map(KEYS.filter((key) => key.touch).map((key) => [key.code, key.touch]));

const fingers = new Map(); // pointer id -> the code it holds
const holders = new Map(); // code -> how many fingers hold it

function controlAt(x, y) {
  const element = document.elementFromPoint(x, y);
  return element && touch.contains(element) ? element.closest('[data-touch]') : null;
}

function showHeld(code, on) {
  touch.querySelector(`[data-touch="${controlOfCode.get(code)}"]`).classList.toggle('held', on);
}

// Moves one finger's hold to another code (null: none).
function hold(pointer, code) {
  const old = fingers.get(pointer) || null;
  if (old === code) return;
  if (old) {
    const left = holders.get(old) - 1;
    holders.set(old, left);
    if (left === 0) {
      keys.send(old, false, SOURCE.touch);
      showHeld(old, false);
    }
  }
  if (code) {
    const count = (holders.get(code) || 0) + 1;
    holders.set(code, count);
    if (count === 1) {
      keys.send(code, true, SOURCE.touch);
      showHeld(code, true);
    }
    fingers.set(pointer, code);
  } else {
    fingers.delete(pointer);
  }
}

// The code a held control stands for; taps are not held.
function heldCode(control) {
  return control && !('tap' in control.dataset) ? codeOfControl.get(control.dataset.touch) : null;
}

let quitTimer = 0;
function tap(code) {
  if (code === 'Escape') {
    // A stray tap should not end the game: the first one only asks.
    if (!quit.classList.contains('armed')) {
      quit.classList.add('armed');
      quitTimer = setTimeout(() => quit.classList.remove('armed'), 3000);
      return;
    }
    clearTimeout(quitTimer);
    quit.classList.remove('armed');
  }
  keys.press(code, SOURCE.touch);
}

touch.addEventListener('pointerdown', (event) => {
  event.preventDefault(); // no focus change, selection or mouse emulation
  keys.use('touch');
  const code = heldCode(controlAt(event.clientX, event.clientY));
  if (code) hold(event.pointerId, code);
});
// A finger sliding from one pad key to the next takes the next one.
touch.addEventListener('pointermove', (event) => {
  if (!fingers.has(event.pointerId)) return;
  hold(event.pointerId, heldCode(controlAt(event.clientX, event.clientY)));
});
function lift(event) {
  hold(event.pointerId, null);
}
touch.addEventListener('pointerup', (event) => {
  lift(event);
  // Taps act on lifting: that is when a touch lets a page go full screen.
  const control = controlAt(event.clientX, event.clientY);
  if (control && 'tap' in control.dataset && keys.playing()) {
    tap(codeOfControl.get(control.dataset.touch));
  }
});
touch.addEventListener('pointercancel', lift);
touch.addEventListener('contextmenu', (event) => event.preventDefault());

const padButtons = KEYS.filter((key) => key.pad >= 0);
const kDeadZone = 0.5; // half the stick's range
let padHeld = new Set();

function padCodes(pad, codes) {
  for (const key of padButtons) {
    const button = pad.buttons[key.pad];
    if (button && button.pressed) codes.add(key.code);
  }
  const x = pad.axes[0] || 0;
  const y = pad.axes[1] || 0;
  if (x < -kDeadZone) codes.add('ArrowLeft');
  if (x > kDeadZone) codes.add('ArrowRight');
  if (y < -kDeadZone) codes.add('ArrowUp');
  if (y > kDeadZone) codes.add('ArrowDown');
}

// What every connected pad holds now against what was held; a pad
// unplugged lets go of its keys.
function pollGamepads() {
  requestAnimationFrame(pollGamepads);
  const codes = new Set();
  for (const pad of Array.from(navigator.getGamepads())) {
    if (pad && pad.connected) padCodes(pad, codes);
  }
  if (!keys.playing()) codes.clear();
  padHeld.forEach((code) => {
    if (!codes.has(code)) keys.send(code, false, SOURCE.gamepad);
  });
  codes.forEach((code) => {
    if (!padHeld.has(code)) keys.send(code, true, SOURCE.gamepad);
  });
  if (codes.size > 0) keys.use('gamepad');
  padHeld = codes;
}

if (support.gamepads) requestAnimationFrame(pollGamepads);
