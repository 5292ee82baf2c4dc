// The picture's place on the page: the canvas as large as the game's box
// allows at 4:3, centred, its drawing buffer at the device's pixel ratio
// (or the size the query's size=WxH fixes), and full screen through the
// Fullscreen API, or the whole visible viewport where there is none.
import { support } from './support.js';

const game = document.getElementById('game');
const canvas = document.getElementById('canvas');
const notice = document.getElementById('notice');
// A drawing buffer wider than this (a 4K screen's 4:3 part is 2880) buys
// no sharpness a screen shows and costs tens of megabytes per buffer; the
// GPU's own viewport limit caps it further where that is lower.
const kMaxBufferWidth = 3840;
const cap = Math.min(kMaxBufferWidth, support.maxViewport || 4096);
let buffer = null; // [width, height] in device pixels, once laid out
let wanted = false; // the game asked for full screen
let filled = false; // full screen stood in for by the viewport
let told = false;
let onBrowserExit = () => {};

// size=WxH: a 4:3 buffer (the picture the page shows, so nothing is
// stretched) from 4x3 to the cap; null with the reason otherwise.
function fixedSize(text) {
  if (text === null) return { size: null, refused: '' };
  const match = /^(\d{1,5})x(\d{1,5})$/.exec(text);
  const size = match ? [Number(match[1]), Number(match[2])] : null;
  if (size && size[0] >= 4 && size[0] <= cap && size[1] <= cap &&
      Math.abs(size[0] * 3 - size[1] * 4) < 4) {
    return { size, refused: '' };
  }
  return { size: null, refused: `"${text}" (a 4:3 size WxH from 4x3 to ` +
    `${cap}x${Math.round(cap * 3 / 4)}, as 640x480)` };
}

const fixed = fixedSize(new URLSearchParams(window.location.search).get('size'));
// Why the query's size was not taken, or ''.
export const sizeRefused = fixed.refused;

// The largest 4:3 box inside the game's box, in whole CSS pixels.
function fit() {
  const width = game.clientWidth;
  const height = game.clientHeight;
  if (width < 1 || height < 1) return;
  const cssWidth = Math.min(width, Math.floor(height * 4 / 3));
  const cssHeight = Math.min(height, Math.round(cssWidth * 3 / 4));
  canvas.style.width = cssWidth + 'px';
  canvas.style.height = cssHeight + 'px';
  if (fixed.size) {
    buffer = fixed.size;
    return;
  }
  const ratio = window.devicePixelRatio || 1;
  const bufferWidth = Math.min(Math.round(cssWidth * ratio), cap);
  buffer = [bufferWidth, Math.round(bufferWidth * cssHeight / cssWidth)];
}

export function bufferSize() {
  return buffer;
}

function tellOnce(text) {
  if (told) return;
  told = true;
  notice.textContent = text;
  notice.hidden = false;
  setTimeout(() => { notice.hidden = true; }, 6000);
}

function fill(on) {
  filled = on;
  game.classList.toggle('filled', on);
  fit();
}

// The game's full-screen mode on or off. The request needs the player's
// recent click or key, which the start-up answer and F1 give; without it,
// or without the API (iPhone Safari), the game fills the viewport.
export function fullScreen(on) {
  wanted = on;
  if (!on) {
    if (filled) fill(false);
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    return true;
  }
  if (document.fullscreenElement === game || filled) return true;
  if (!support.fullScreen) {
    fill(true);
    tellOnce('This browser offers no full screen: the game fills the window instead.');
    return true;
  }
  game.requestFullscreen({ navigationUI: 'hide' }).catch(() => {
    if (wanted && !document.fullscreenElement) {
      fill(true);
      tellOnce('The browser refused full screen: the game fills the window instead.');
    }
  });
  return true;
}

// The browser's own way out (Escape, its menu) leaves the game thinking it
// is full screen: the page then asks the game to switch, as F1 would.
export function whenBrowserExits(callback) {
  onBrowserExit = callback;
}

document.addEventListener('fullscreenchange', () => {
  if (!document.fullscreenElement && wanted && !filled) {
    wanted = false;
    onBrowserExit();
  }
  fit();
});

if (support.resizeObserver) new ResizeObserver(fit).observe(game);
window.addEventListener('resize', fit);
if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
fit();
