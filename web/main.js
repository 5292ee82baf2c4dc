// The page's entry: sets up the page around the game, then, where the
// browser can run the game, loads it; where it cannot, says why.
import { support } from './support.js';
import { Module } from './page.js';
import * as overlay from './overlay.js';
import { load } from './loader.js';
import './context.js';
import './controls.js';

document.body.dataset.page = 'ready';

if (support.webgl !== 'on') {
  overlay.show('TV Lounge needs WebGL, which this browser has turned ' +
    'off or lacks.\nTo turn it on, switch on hardware acceleration ' +
    '("use graphics acceleration") in the browser\'s settings, then ' +
    'reload the page.');
  Module.page.setStatus('This browser cannot draw the game: WebGL is off.');
  document.body.dataset.webgl = 'missing';
} else {
  load(Module);
}
