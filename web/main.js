// The page's entry: sets up the page around the game, then, where the
// browser can run the game, loads it; where it cannot, says why.
import { support } from './support.js';
import { Module } from './page.js';
import * as overlay from './overlay.js';
import { load } from './loader.js';
import './context.js';
import './controls.js';

document.body.dataset.page = 'ready';

// Which browsers first had what the page cannot do without.
const kTooOld = {
  wasm: 'WebAssembly, which browsers have had since 2017 (Chrome 57, Firefox 52, Safari 11)',
  webgl: 'WebGL, which browsers have had since 2011 to 2014 (Chrome 9, Firefox 4, Safari 8)',
};
const lacking = !support.wasm ? 'wasm' : support.webgl === 'absent' ? 'webgl' : '';

if (lacking) {
  overlay.show(`TV Lounge needs ${kTooOld[lacking]}: this browser is older than ` +
    'that.\nUpdate it, or open the page in a current browser.');
  Module.page.setStatus('This browser is too old to run the game.');
  document.body.dataset.lacks = lacking;
} else if (support.webgl !== 'on') {
  overlay.show('TV Lounge needs WebGL, which this browser has turned ' +
    'off or lacks.\nTo turn it on, switch on hardware acceleration ' +
    '("use graphics acceleration") in the browser\'s settings, then ' +
    'reload the page.');
  Module.page.setStatus('This browser cannot draw the game: WebGL is off.');
  document.body.dataset.webgl = 'missing';
} else {
  load(Module);
}
