// The one way keys reach the game from the page (tvl_web_key), the
// keyboard heard on the game's own element only while it has focus, and
// which input the player uses (keys, touch or a gamepad: the help line and
// the touch controls follow it).
'use strict';

var TvKeys = (function () {
  var canvas = document.getElementById('canvas');
  var kSources = { keyboard: 0, touch: 1, gamepad: 2 };
  // The keys the game reads; only these are kept from the browser.
  var gameCodes = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight',
    'KeyB', 'KeyD', 'KeyN', 'KeyR', 'F1', 'Escape']);
  var held = [new Set(), new Set(), new Set()]; // codes per source
  var ready = false;
  var ended = false;

  // The key path's export: down or up from one source.
  function send(code, down, source) {
    if (down) held[source].add(code); else held[source].delete(code);
    if (!ready) return;
    Module.ccall('tvl_web_key', 'number', ['string', 'number', 'number'],
      [code, down ? 1 : 0, source]);
  }

  function release(source) {
    downAt.forEach(function (press, key) {
      if (press.source === source) downAt.delete(key);
    });
    Array.from(held[source]).forEach(function (code) { send(code, false, source); });
  }

  // A key let go before the game has run a pass with it down would be down
  // and up again before the game looks (F1 and Escape are read once a
  // pass): its release waits until a frame has been presented with it down.
  // A new press of the key overtakes a release still waiting.
  var downAt = new Map(); // source + code -> its latest press
  function hold(code, source) {
    send(code, true, source);
    downAt.set(source + code, { source: source, frame: TvLounge.framesPresented() });
  }
  function releaseWhenSeen(code, source) {
    var key = source + code;
    var press = downAt.get(key);
    (function wait() {
      if (downAt.get(key) !== press) return; // pressed again, or let go already
      if (!press || TvLounge.framesPresented() > press.frame + 1 || !playing()) {
        downAt.delete(key);
        send(code, false, source);
        return;
      }
      requestAnimationFrame(wait);
    })();
  }

  // A tap: down now, up once the game has seen it.
  function press(code, source) {
    hold(code, source);
    releaseWhenSeen(code, source);
  }

  // Keys belong to the game only while it plays: not before it runs, not
  // while a message box asks, not after it ends.
  function playing() {
    return ready && !ended && !document.getElementById('box').open;
  }

  function use(input) {
    if (document.body.dataset.input !== input) {
      document.body.dataset.input = input;
    }
  }

  function onKey(event) {
    var down = event.type === 'keydown';
    var code = event.code;
    if (!down) {
      if (held[0].has(code)) {
        releaseWhenSeen(code, 0);
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
    if (!event.repeat) hold(code, 0);
  }

  canvas.addEventListener('keydown', onKey);
  canvas.addEventListener('keyup', onKey);
  // Keys let go while the game had no focus never report their release.
  canvas.addEventListener('blur', function () { release(0); });
  document.addEventListener('visibilitychange', function () {
    if (document.hidden) {
      release(0);
      release(1);
      release(2);
    }
  });
  window.addEventListener('touchstart', function () { use('touch'); },
    { capture: true, passive: true });
  use(window.matchMedia && window.matchMedia('(pointer: coarse)').matches ?
    'touch' : 'keys');

  return {
    source: kSources,
    send: send,
    press: press,
    release: release,
    use: use,
    playing: playing,
    started: function () { ready = true; },
    ended: function () {
      ended = true;
      release(0);
      release(1);
      release(2);
    },
  };
})();
