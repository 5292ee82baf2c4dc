// The page around the game: the modal message box, the title and status
// line, full screen, the walk asked for in the query string, and the notice
// when the game ends. The game's web face calls these through TvLounge.
'use strict';

var TvLounge = (function () {
  var canvas = document.getElementById('canvas');
  var status = document.getElementById('status');
  var box = document.getElementById('box');
  var query = new URLSearchParams(window.location.search);

  function setStatus(text) {
    status.textContent = text;
  }

  // Resolves with 'yes', 'no' or 'ok'. Return takes the first (default)
  // button, Escape the last one, as the desktop dialogs do.
  function ask(caption, text, yesNo) {
    var answers = yesNo ? ['yes', 'no'] : ['ok'];
    var labels = { yes: 'Yes', no: 'No', ok: 'OK' };
    document.getElementById('box-caption').textContent = caption;
    document.getElementById('box-text').textContent = text;
    var buttons = document.getElementById('box-buttons');
    buttons.textContent = '';
    return new Promise(function (resolve) {
      function finish(answer) {
        box.removeEventListener('keydown', onKey, true);
        box.removeEventListener('cancel', onCancel);
        box.close();
        canvas.focus();
        resolve(answer);
      }
      function onKey(event) {
        event.stopPropagation();
        if (event.key === 'Enter') {
          event.preventDefault();
          finish(answers[0]);
        }
      }
      function onCancel(event) {
        event.preventDefault();
        finish(answers[answers.length - 1]);
      }
      answers.forEach(function (answer) {
        var button = document.createElement('button');
        button.type = 'button';
        button.id = 'box-' + answer;
        button.textContent = labels[answer];
        button.addEventListener('click', function () { finish(answer); });
        buttons.appendChild(button);
      });
      box.addEventListener('keydown', onKey, true);
      box.addEventListener('cancel', onCancel);
      box.showModal();
      buttons.firstChild.focus();
    });
  }

  function setTitle(text) {
    document.title = text;
    setStatus(text);
  }

  // Full screen needs the user's recent click or key, which the start-up
  // question and F1 provide; false where the page may not go full screen.
  function fullScreen(on) {
    if (!on) {
      if (document.fullscreenElement) {
        document.exitFullscreen().catch(function () {});
      }
      return true;
    }
    if (!document.fullscreenEnabled || !canvas.requestFullscreen) {
      return false;
    }
    canvas.requestFullscreen().catch(function (error) {
      console.warn('full screen refused: ' + error.message);
    });
    return true;
  }

  // The game's frames so far, for the page's frame-rate readings.
  // A held frame (context.js) waits until the promise resolves.
  var frames = 0;
  var frameGate = Promise.resolve();
  function nextFrame() {
    return new Promise(function (resolve) {
      window.requestAnimationFrame(function () {
        ++frames;
        frameGate.then(resolve);
      });
    });
  }
  function holdFrames(until) {
    frameGate = until;
  }
  function framesPresented() {
    return frames;
  }

  // The walk the query string asks for: ?seed=7&keys=RIGHT*63 UP*190 B
  function walkKeys() {
    return query.get('keys') || '';
  }
  function walkSeed() {
    return query.get('seed') || '';
  }
  function walkDone() {
    document.body.dataset.walk = 'done';
  }

  function ended(code) {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function () {});
    }
    setStatus(code === 0 ? 'The game has ended.' :
      'The game has ended with an error (status ' + code + ').');
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
    document.body.dataset.ended = String(code);
  }

  document.getElementById('again').addEventListener('click', function () {
    window.location.reload();
  });

  return {
    ask: ask,
    setTitle: setTitle,
    setStatus: setStatus,
    fullScreen: fullScreen,
    nextFrame: nextFrame,
    framesPresented: framesPresented,
    holdFrames: holdFrames,
    walkKeys: walkKeys,
    walkSeed: walkSeed,
    walkDone: walkDone,
    ended: ended,
  };
})();

var Module = {
  canvas: document.getElementById('canvas'),
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
  setStatus: function (text) { if (text) TvLounge.setStatus(text); },
  onAbort: function (what) { TvLounge.setStatus('The game stopped: ' + what); },
};
