// Touch controls and gamepads: both become the game's own key changes
// (TvKeys). The walk pad holds a key per finger, so two fingers walk and
// turn together; full screen and quit act on a tap, quit only on a second
// one. Gamepads are read once a frame, plugged in or out at any time.
'use strict';

var TvControls = (function () {
  var touch = document.getElementById('touch');
  var quit = document.getElementById('quit');
  var kTouch = TvKeys.source.touch;
  var kGamepad = TvKeys.source.gamepad;

  var fingers = new Map(); // pointer id -> the code it holds
  var holders = new Map(); // code -> how many fingers hold it

  function controlAt(x, y) {
    var element = document.elementFromPoint(x, y);
    return element && touch.contains(element) ? element.closest('[data-code]') : null;
  }

  // Moves one finger's hold to another code (null: none).
  function hold(pointer, code) {
    var old = fingers.get(pointer) || null;
    if (old === code) return;
    if (old) {
      var left = holders.get(old) - 1;
      holders.set(old, left);
      if (left === 0) {
        TvKeys.send(old, false, kTouch);
        touch.querySelector('[data-code="' + old + '"]').classList.remove('held');
      }
    }
    if (code) {
      var count = (holders.get(code) || 0) + 1;
      holders.set(code, count);
      if (count === 1) {
        TvKeys.send(code, true, kTouch);
        touch.querySelector('[data-code="' + code + '"]').classList.add('held');
      }
      fingers.set(pointer, code);
    } else {
      fingers.delete(pointer);
    }
  }

  var quitTimer = 0;
  function tap(code) {
    if (code === 'Escape') {
      // A stray tap should not end the game: the first one only asks.
      if (!quit.classList.contains('armed')) {
        quit.classList.add('armed');
        quitTimer = setTimeout(function () { quit.classList.remove('armed'); }, 3000);
        return;
      }
      clearTimeout(quitTimer);
      quit.classList.remove('armed');
    }
    TvKeys.press(code, kTouch);
  }

  touch.addEventListener('pointerdown', function (event) {
    event.preventDefault(); // no focus change, selection or mouse emulation
    TvKeys.use('touch');
    var control = controlAt(event.clientX, event.clientY);
    if (control) hold(event.pointerId, control.dataset.code);
  });
  // A finger sliding from one pad key to the next takes the next one.
  touch.addEventListener('pointermove', function (event) {
    if (!fingers.has(event.pointerId)) return;
    var control = controlAt(event.clientX, event.clientY);
    hold(event.pointerId, control ? control.dataset.code : null);
  });
  function lift(event) {
    hold(event.pointerId, null);
  }
  touch.addEventListener('pointerup', function (event) {
    lift(event);
    // Taps act on lifting: that is when a touch lets a page go full screen.
    var element = document.elementFromPoint(event.clientX, event.clientY);
    var target = element && touch.contains(element) && element.closest('[data-tap]');
    if (target && TvKeys.playing()) tap(target.dataset.tap);
  });
  touch.addEventListener('pointercancel', lift);
  touch.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  // Standard-mapping buttons and the codes they stand for: A bump mapping,
  // X new game, Y full screen, LB / RB lights down / up, Back quit, d-pad.
  var kButtons = { 0: 'KeyB', 2: 'KeyR', 3: 'F1', 4: 'KeyN', 5: 'KeyD',
    8: 'Escape', 12: 'ArrowUp', 13: 'ArrowDown', 14: 'ArrowLeft', 15: 'ArrowRight' };
  var kDeadZone = 0.5; // half the stick's range
  var padHeld = new Set();

  function padCodes(pad, codes) {
    Object.keys(kButtons).forEach(function (index) {
      var button = pad.buttons[index];
      if (button && button.pressed) codes.add(kButtons[index]);
    });
    var x = pad.axes[0] || 0;
    var y = pad.axes[1] || 0;
    if (x < -kDeadZone) codes.add('ArrowLeft');
    if (x > kDeadZone) codes.add('ArrowRight');
    if (y < -kDeadZone) codes.add('ArrowUp');
    if (y > kDeadZone) codes.add('ArrowDown');
  }

  // Once a frame: what every connected pad holds now against what was held;
  // a pad unplugged lets go of its keys.
  function pollGamepads() {
    if (!navigator.getGamepads) return;
    var codes = new Set();
    Array.prototype.forEach.call(navigator.getGamepads(), function (pad) {
      if (pad && pad.connected) padCodes(pad, codes);
    });
    if (!TvKeys.playing()) codes.clear();
    padHeld.forEach(function (code) {
      if (!codes.has(code)) TvKeys.send(code, false, kGamepad);
    });
    codes.forEach(function (code) {
      if (!padHeld.has(code)) TvKeys.send(code, true, kGamepad);
    });
    if (codes.size > 0) TvKeys.use('gamepad');
    padHeld = codes;
  }

  return { pollGamepads: pollGamepads };
})();
