// A lost WebGL context (GPU reset, driver update, memory pressure): the page
// asks the browser to give it back, holds the game at its next frame and
// says so over the canvas; once it is back, the game's GL objects are made
// again on it and the game goes on where it stood.
'use strict';

(function () {
  var canvas = document.getElementById('canvas');
  var release = null;

  // The game's exports for it (web_face.cpp); absent until the game runs,
  // and a context only exists once it does.
  function tell(name) {
    var call = Module['_tvl_web_context_' + name];
    return typeof call === 'function' ? call() : 0;
  }

  canvas.addEventListener('webglcontextlost', function (event) {
    event.preventDefault(); // without this the browser never restores it
    if (release) return;
    TvLounge.holdFrames(new Promise(function (resolve) {
      release = resolve;
    }));
    tell('lost');
    TvOverlay.show('The graphics were lost (the browser reset its GPU).\n' +
      'The game waits where it stood until they are back.');
    document.body.dataset.context = 'lost';
  });

  canvas.addEventListener('webglcontextrestored', function () {
    if (!tell('restored')) {
      TvOverlay.show('The graphics came back, but the game could not draw ' +
        'on them again.\nReload the page to play on.');
      document.body.dataset.context = 'failed';
      return;
    }
    TvOverlay.hide();
    document.body.dataset.context = 'restored';
    var resume = release;
    release = null;
    if (resume) resume();
  });
})();
