// A notice laid over the game's canvas: the load's progress bar, a failed
// load's retry button, a missing WebGL, a lost GL context. It sits in the
// game's box (so full screen shows it too) over the canvas, wherever the
// page's layout puts it.
'use strict';

var TvOverlay = (function () {
  var canvas = document.getElementById('canvas');
  var style = document.createElement('style');
  style.textContent =
    '#overlay { position: absolute; box-sizing: border-box; display: flex;' +
    ' flex-direction: column; align-items: center; justify-content: center;' +
    ' gap: 12px; padding: 24px; background: rgba(0, 0, 0, 0.78); color: #eee;' +
    ' text-align: center; font: 15px/1.4 sans-serif; z-index: 2; }' +
    '#overlay[hidden] { display: none; }' +
    '#overlay-text { margin: 0; max-width: 32em; white-space: pre-line; }' +
    '#overlay-bar { width: 60%; height: 10px; }' +
    '#overlay-bar[hidden], #overlay-retry[hidden] { display: none; }';
  document.head.appendChild(style);

  var box = document.createElement('div');
  box.id = 'overlay';
  box.setAttribute('role', 'status');
  box.hidden = true;
  var text = document.createElement('p');
  text.id = 'overlay-text';
  var bar = document.createElement('progress');
  bar.id = 'overlay-bar';
  bar.max = 100;
  var retry = document.createElement('button');
  retry.id = 'overlay-retry';
  retry.type = 'button';
  retry.textContent = 'Try again';
  box.append(text, bar, retry);
  canvas.parentNode.appendChild(box);

  // The game's box is the canvas's offset parent, and the overlay's.
  function place() {
    box.style.left = canvas.offsetLeft + 'px';
    box.style.top = canvas.offsetTop + 'px';
    box.style.width = canvas.offsetWidth + 'px';
    box.style.height = canvas.offsetHeight + 'px';
  }
  window.addEventListener('resize', place);
  if (window.ResizeObserver) {
    new ResizeObserver(place).observe(canvas);
  }

  var onRetry = null;
  retry.addEventListener('click', function () {
    if (onRetry) onRetry();
  });

  // Shows message; percent (0-100) adds the progress bar, again a button
  // that calls it back.
  function show(message, percent, again) {
    text.textContent = message;
    bar.hidden = percent === undefined || percent === null;
    if (!bar.hidden) bar.value = percent;
    onRetry = again || null;
    retry.hidden = !again;
    box.hidden = false;
    place();
    if (again) retry.focus();
  }

  function hide() {
    box.hidden = true;
    onRetry = null;
  }

  return { show: show, hide: hide };
})();
