// What the page asks the player: the game's message box (MessageBoxA) as
// the page's modal dialog, and the ended screen's Play again. Both answer
// the keyboard, a click or tap, and a gamepad's A and B (controls.js).
const canvas = document.getElementById('canvas');
const box = document.getElementById('box');
const endedBox = document.getElementById('ended');
const again = document.getElementById('again');
// Framed in another page, the game takes focus only when clicked.
const framed = window.self !== window.top;
let answerShown = null; // answers the box while it is up: true its first button


export function takeFocus(element) {
  if (!framed || document.hasFocus()) element.focus();
}

// Whether the message box is up.
export function asking() {
  return box.open;
}

// Resolves with 'yes', 'no' or 'ok'. Return takes the first (default)
// button, Escape the last one, as the desktop dialogs do; Y and N answer
// a question.
export function ask(caption, text, yesNo) {
  const answers = yesNo ? ['yes', 'no'] : ['ok'];
  const labels = { yes: 'Yes', no: 'No', ok: 'OK' };
  document.getElementById('box-caption').textContent = caption;
  document.getElementById('box-text').textContent = text;
  const buttons = document.getElementById('box-buttons');
  buttons.textContent = '';
  return new Promise((resolve) => {
    function finish(answer) {
      answerShown = null;
      box.removeEventListener('keydown', onKey, true);
      box.removeEventListener('cancel', onCancel);
      box.close();
      takeFocus(canvas);
      resolve(answer);
    }
    function onKey(event) {
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      let answer = { Enter: answers[0], NumpadEnter: answers[0],
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
    const hint = document.createElement('span');
    hint.id = 'box-hint';
    hint.textContent = yesNo ? 'Gamepad: A Yes · B No' : 'Gamepad: A or B OK';
    buttons.appendChild(hint);
    answers.forEach((answer) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = 'box-' + answer;
      button.textContent = labels[answer];
      button.addEventListener('click', () => finish(answer));
      buttons.appendChild(button);
    });
    answerShown = (first) => finish(first ? answers[0] : answers[answers.length - 1]);
    box.addEventListener('keydown', onKey, true);
    box.addEventListener('cancel', onCancel);
    // Framed and not focused, the host page's keys stay its own: a modal
    // box takes the focus on showing (its first button, or itself), which
    // would take it from the host, so it cannot until it is up.
    const leaveFocus = framed && !document.hasFocus();
    box.inert = leaveFocus;
    box.showModal();
    box.inert = false;
    if (!leaveFocus) document.getElementById('box-' + answers[0]).focus();
  });
}

// The ended screen, with its Play again (a new page load, as the game's
// state lives in the page).
export function showEnded(text) {
  document.getElementById('ended-text').textContent = text;
  endedBox.hidden = false;
  takeFocus(again);
}

function playAgain() {
  window.location.reload();
}
again.addEventListener('click', playAgain);

// A gamepad's answer to what is shown: first is A (Yes, OK, Play again),
// else B (No; an OK box's only answer, as Escape gives it). False when
// nothing asks.
export function answer(first) {
  if (answerShown) {
    answerShown(first);
    return true;
  }
  if (!endedBox.hidden && first) {
    playAgain();
    return true;
  }
  return false;
}
