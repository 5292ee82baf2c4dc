// What the page asks the player: the game's message box (MessageBoxA) as
// the page's modal dialog, and the ended screen's Play again.
const canvas = document.getElementById('canvas');
const box = document.getElementById('box');
const endedBox = document.getElementById('ended');
const again = document.getElementById('again');
// Framed in another page, the game takes focus only when clicked.
const framed = window.self !== window.top;

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
    answers.forEach((answer) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = 'box-' + answer;
      button.textContent = labels[answer];
      button.addEventListener('click', () => finish(answer));
      buttons.appendChild(button);
    });
    box.addEventListener('keydown', onKey, true);
    box.addEventListener('cancel', onCancel);
    // Framed and not focused, the host page's keys stay its own: a modal
    // box takes the focus on showing (its first button, or itself), which
    // would take it from the host, so it cannot until it is up.
    const leaveFocus = framed && !document.hasFocus();
    box.inert = leaveFocus;
    box.showModal();
    box.inert = false;
    if (!leaveFocus) buttons.firstChild.focus();
  });
}

// The ended screen, with its Play again (a new page load, as the game's
// state lives in the page).
export function showEnded(text) {
  document.getElementById('ended-text').textContent = text;
  endedBox.hidden = false;
  takeFocus(again);
}

again.addEventListener('click', () => window.location.reload());
