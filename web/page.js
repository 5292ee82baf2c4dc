// The page around the game: the modal message box, the title and status
// line, the walk asked for in the query string, and the notice when the
// game ends; full screen and the canvas's size are TvLayout's. The game's
// web face calls these through TvLounge.
'use strict';

var TvLounge = (function () {
  var canvas = document.getElementById('canvas');
  var status = document.getElementById('status');
  var box = document.getElementById('box');
  var query = new URLSearchParams(window.location.search);
  // Framed in another page, the game takes focus only when clicked.
  var framed = window.self !== window.top;

  function takeFocus(element) {
    if (!framed || document.hasFocus()) element.focus();
  }

  function setStatus(text) {
    status.textContent = text;
  }

  // Resolves with 'yes', 'no' or 'ok'. Return takes the first (default)
  // button, Escape the last one, as the desktop dialogs do; Y and N answer
  // a question.
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
        takeFocus(canvas);
        resolve(answer);
      }
      function onKey(event) {
        if (event.ctrlKey || event.altKey || event.metaKey) return;
        var answer = { Enter: answers[0], NumpadEnter: answers[0],
          Escape: answers[answers.length - 1] }[event.code];
        if (yesNo && (event.code === 'KeyY' || event.code === 'KeyN')) {
          answer = event.code === 'KeyY' ? 'yes' : 'no';
        }
        if (answer) {
          event.preventDefault();
          finish(answer);
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
      // Framed and not focused, the host page's keys stay its own: a modal
      // box takes the focus on showing (its first button, or itself), which
      // would take it from the host, so it cannot until it is up.
      var leaveFocus = framed && !document.hasFocus();
      box.inert = leaveFocus;
      box.showModal();
      box.inert = false;
      if (!leaveFocus) buttons.firstChild.focus();
    });
  }

  function setTitle(text) {
    document.title = text;
    setStatus(text);
  }


  // The game's frames so far, for the page's frame-rate readings.
  // A held frame (context.js) waits until the promise resolves.
  var frames = 0;
  var frameGate = Promise.resolve();
  function nextFrame() {
    return new Promise(function (resolve) {
      window.requestAnimationFrame(function () {
        ++frames;
        TvControls.pollGamepads();
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
    TvKeys.ended();
    TvLayout.fullScreen(false);
    setStatus(code === 0 ? 'The game has ended.' :
      'The game has ended with an error (status ' + code + ').');
    document.getElementById('ended').hidden = false;
    takeFocus(document.getElementById('again'));
    document.body.dataset.ended = String(code);
  }

  document.getElementById('again').addEventListener('click', function () {
    window.location.reload();
  });
  // Left by the browser's own means, full screen is switched off in the
  // game as F1 does, so that the next F1 goes full screen again.
  TvLayout.onBrowserExit(function () {
    if (TvKeys.playing()) TvKeys.press('F1', TvKeys.source.keyboard);
  });

  return {
    ask: ask,
    setTitle: setTitle,
    setStatus: setStatus,
    fullScreen: TvLayout.fullScreen,
    bufferSize: TvLayout.bufferSize,
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
  onRuntimeInitialized: function () { TvKeys.started(); },
};
