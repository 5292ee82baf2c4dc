// The picture's place on the page: the canvas as large as the game's box
// allows at 4:3, centred, its drawing buffer at the device's pixel ratio
// (or the size the query's size=WxH fixes), and full screen through the
// Fullscreen API, or the whole visible viewport where there is none.
'use strict';

var TvLayout = (function () {
  var game = document.getElementById('game');
  var canvas = document.getElementById('canvas');
  var notice = document.getElementById('notice');
  // A drawing buffer wider than this (a 4K screen's 4:3 part is 2880) buys
  // no sharpness a screen shows and costs tens of megabytes per buffer; the
  // GPU's own viewport limit caps it further where that is lower.
  var kMaxBufferWidth = 3840;
  var fixed = fixedSize(new URLSearchParams(window.location.search).get('size'));
  var buffer = null; // [width, height] in device pixels, once laid out
  var wanted = false; // the game asked for full screen
  var filled = false; // full screen stood in for by the viewport
  var told = false;
  var onBrowserExit = function () {};

  // "WxH" with both from 1 to 4096, else null.
  function fixedSize(text) {
    var match = /^(\d{1,4})x(\d{1,4})$/.exec(text || '');
    if (!match) return null;
    var size = [Number(match[1]), Number(match[2])];
    return size[0] >= 1 && size[1] >= 1 && size[0] <= 4096 && size[1] <= 4096 ?
      size : null;
  }

  function gpuLimit() {
    if (gpuLimit.value === undefined) {
      var probe = document.createElement('canvas').getContext('webgl');
      var dims = probe && probe.getParameter(probe.MAX_VIEWPORT_DIMS);
      gpuLimit.value = dims ? Math.min(dims[0], dims[1]) : 4096;
      var lose = probe && probe.getExtension('WEBGL_lose_context');
      if (lose) lose.loseContext();
    }
    return gpuLimit.value;
  }

  // The largest 4:3 box inside the game's box, in whole CSS pixels.
  function fit() {
    var width = game.clientWidth;
    var height = game.clientHeight;
    if (width < 1 || height < 1) return;
    var cssWidth = Math.min(width, Math.floor(height * 4 / 3));
    var cssHeight = Math.min(height, Math.round(cssWidth * 3 / 4));
    canvas.style.width = cssWidth + 'px';
    canvas.style.height = cssHeight + 'px';
    if (fixed) {
      buffer = fixed;
      return;
    }
    var ratio = window.devicePixelRatio || 1;
    var bufferWidth = Math.round(cssWidth * ratio);
    var cap = Math.min(kMaxBufferWidth, gpuLimit());
    if (bufferWidth > cap) bufferWidth = cap;
    buffer = [bufferWidth, Math.round(bufferWidth * cssHeight / cssWidth)];
  }

  function bufferSize() {
    return buffer;
  }

  function tellOnce(text) {
    if (told) return;
    told = true;
    notice.textContent = text;
    notice.hidden = false;
    setTimeout(function () { notice.hidden = true; }, 6000);
  }

  function fill(on) {
    filled = on;
    game.classList.toggle('filled', on);
    fit();
  }

  // The game's full-screen mode on or off. The request needs the player's
  // recent click or key, which the start-up answer and F1 give; without it,
  // or without the API (iPhone Safari), the game fills the viewport.
  function fullScreen(on) {
    wanted = on;
    if (!on) {
      if (filled) fill(false);
      if (document.fullscreenElement) {
        document.exitFullscreen().catch(function () {});
      }
      return true;
    }
    if (document.fullscreenElement === game || filled) return true;
    if (!document.fullscreenEnabled || !game.requestFullscreen) {
      fill(true);
      tellOnce('This browser offers no full screen: the game fills the window instead.');
      return true;
    }
    game.requestFullscreen({ navigationUI: 'hide' }).catch(function () {
      if (wanted && !document.fullscreenElement) {
        fill(true);
        tellOnce('The browser refused full screen: the game fills the window instead.');
      }
    });
    return true;
  }

  // The browser's own way out (Escape, its menu) leaves the game thinking it
  // is full screen: the page then asks the game to switch, as F1 would.
  document.addEventListener('fullscreenchange', function () {
    if (!document.fullscreenElement && wanted && !filled) {
      wanted = false;
      onBrowserExit();
    }
    fit();
  });

  if (window.ResizeObserver) {
    new ResizeObserver(fit).observe(game);
  }
  window.addEventListener('resize', fit);
  if (window.visualViewport) {
    window.visualViewport.addEventListener('resize', fit);
  }
  fit();

  return {
    bufferSize: bufferSize,
    fullScreen: fullScreen,
    isFullScreen: function () {
      return document.fullscreenElement === game || filled;
    },
    onBrowserExit: function (callback) { onBrowserExit = callback; },
  };
})();
