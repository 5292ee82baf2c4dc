// What the page must do the same in every browser engine, written once
// against a small driver (drive_puppeteer.mjs, drive_webkit.mjs): the load
// and the start-up question, No and a held ArrowUp that walks, full screen
// from F1 and from Yes, one walk's picture against the snapshot tool's, a
// lost and restored context, an offline reload from the service worker,
// and the notice without WebGL.
//   await engineChecks(engine, relaunch, site, check, { out, walk })
//     engine: { name, open(url) -> page, close() }, relaunch({ webgl })
//     page: { eval(fn, ...args), click(selector), key(key, down), press(key),
//             reload(), close() }
//     walk: { name, seed, keys, tool } (tool: the snapshot tool's PNG)
import fs from 'node:fs';
import path from 'node:path';
import { spawnSync } from 'node:child_process';

const kGameTitle = 'Quorne Tv lounge by Velmar';
const kMoved = /^Balls collected so far: \d+$|^collision occured/;

// Polls fn in the page until it answers truthy (true) or the time is up
// (false); a page between documents answers nothing and is asked again.
async function waitFor(page, fn, args = [], timeout = 30000) {
  const until = Date.now() + timeout;
  for (;;) {
    const value = await page.eval(fn, ...args).catch(() => false);
    if (value) return true;
    if (Date.now() > until) return false;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

const asked = () => document.getElementById('box').open &&
  document.getElementById('box-caption').textContent === 'Start FullScreen?';
const titled = (source) => new RegExp(source).test(document.title);
const fullScreen = () => Boolean(document.fullscreenElement) &&
  document.fullscreenElement.id === 'game';
const seenErrors = (page) => page.eval(() => (window.tvlSeen ? window.tvlSeen.errors : []));
const focusGame = () => document.getElementById('canvas').focus();

// The drawing buffer in the frame the game drew it, as a PNG data URL, or
// null for a read that came back all black (Firefox's now and then).
function readPicture() {
  return new Promise((resolve) => requestAnimationFrame(() => {
    const canvas = document.getElementById('canvas');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(0, 0, copy.width, copy.height).data;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] || data[i + 1] || data[i + 2]) {
        resolve(copy.toDataURL('image/png'));
        return;
      }
    }
    resolve(null);
  }));
}

async function savePicture(page, file) {
  for (let tries = 0; tries < 10; ++tries) {
    const url = await page.eval(readPicture);
    if (url) {
      fs.writeFileSync(file, Buffer.from(url.slice(url.indexOf(',') + 1), 'base64'));
      return true;
    }
  }
  return false;
}

// Pixels of two PNG files that differ by more than 3% (ImageMagick).
function pixelsDiffering(a, b) {
  const run = spawnSync('compare', ['-metric', 'AE', '-fuzz', '3%', a, b, 'null:'],
    { encoding: 'utf8' });
  return /^\d+$/.test(run.stderr.trim()) ? Number(run.stderr.trim()) : Infinity;
}

// With the textures held back the question comes, and once answered the
// game waits for them, their progress shown over it; let go, they are
// drawn. Then No's game: a held ArrowUp walks; F1 goes full screen and back.
async function plain(engine, site, check) {
  const textures = site.hold('plain', 'tvlounge.data.gz');
  let page;
  try {
    page = await engine.open(site.url('plain'));
    check(await waitFor(page, asked, [], 60000) && textures.asked() > 0,
      'the page asks the start-up question while its textures are still to come');
    await page.click('#box-no');
    const waiting = await waitFor(page, () => !document.getElementById('overlay').hidden &&
      /textures/.test(document.getElementById('overlay-text').textContent), [], 15000);
    const framesHeld = await page.eval(() => Module.page.framesPresented());
    textures.release();
    check(waiting && framesHeld === 0 && await waitFor(page, () =>
      Module.page.framesPresented() > 3 && document.getElementById('overlay').hidden, [], 30000),
    `answered, the game waits for the textures over the picture (${framesHeld} frames), ` +
      'and draws once they are in');
  } finally {
    textures.release();
  }
  check(await waitFor(page, titled, [`^${kGameTitle}$`]) &&
    !(await page.eval(fullScreen)), 'No opens the game in the page');
  await page.eval(focusGame);
  await page.key('ArrowUp', true);
  const walked = await waitFor(page, titled, [kMoved.source], 15000);
  await page.key('ArrowUp', false);
  check(walked, `a held ArrowUp walks ("${await page.eval(() => document.title)}")`);
  await page.press('F1');
  check(await waitFor(page, fullScreen, [], 15000), 'F1 puts the game full screen');
  await page.eval(focusGame);
  await page.press('F1');
  const left = await waitFor(page, () => !document.fullscreenElement, [], 15000);
  const frames = await page.eval(() => Module.page.framesPresented());
  check(left && await waitFor(page, (n) => Module.page.framesPresented() > n + 3, [frames]),
    'F1 again leaves full screen and the game runs on');
  const errors = await seenErrors(page);
  check(errors.length === 0, `no page errors (${errors.join('; ')})`);
  await page.close();
}

// The walk's last picture against the snapshot tool's; then the context is
// lost, said, restored and draws that picture again.
async function walkAndContext(engine, site, check, { out, walk }) {
  const query = new URLSearchParams({ seed: walk.seed, keys: walk.keys, size: '640x480' });
  const page = await engine.open(site.url('walk', query));
  await waitFor(page, asked, [], 60000);
  await page.click('#box-no');
  const done = await waitFor(page, () => document.body.dataset.walk === 'done', [], 120000);
  const shots = Object.fromEntries(['walk', 'after'].map((name) =>
    [name, path.join(out, `${engine.name}-${name}.png`)]));
  const read = done && await savePicture(page, shots.walk);
  const differ = read ? pixelsDiffering(shots.walk, walk.tool) : Infinity;
  check(differ <= 500, `walk ${walk.name}: ${read ? differ : 'no picture:'} of 307200 ` +
    'pixels differ from the snapshot tool\'s (at most 500)');

  const title = await page.eval(() => document.title);
  await page.eval(() => {
    window.loser = document.getElementById('canvas').getContext('webgl')
      .getExtension('WEBGL_lose_context');
    window.loser.loseContext();
  });
  check(await waitFor(page, () => document.body.dataset.context === 'lost' &&
    !document.getElementById('overlay').hidden, [], 10000), 'a lost context is said over the game');
  await page.eval(() => window.loser.restoreContext());
  const restored = await waitFor(page, () => document.body.dataset.context === 'restored',
    [], 10000);
  const until = await page.eval(() => Module.page.framesPresented() + 3);
  const drawn = restored && await waitFor(page, (n) => Module.page.framesPresented() >= n,
    [until], 10000) && await savePicture(page, shots.after);
  const again = drawn ? pixelsDiffering(shots.walk, shots.after) : Infinity;
  const titleAfter = await page.eval(() => document.title);
  check(again <= 500 && titleAfter === title, `the restored context draws the same ` +
    `picture (${drawn ? again : 'none'} pixels differ) and title ("${titleAfter}")`);
  const errors = await seenErrors(page);
  check(errors.length === 0, `no page errors over the walk and the lost context (${errors.join('; ')})`);
  await page.close();
}

// Yes goes full screen; once the service worker holds the page, a reload
// with the network gone plays.
async function yesAndOffline(engine, site, check) {
  const page = await engine.open(site.url('offline'));
  await waitFor(page, asked, [], 60000);
  await page.click('#box-yes');
  check(await waitFor(page, fullScreen, [], 15000), 'Yes puts the game full screen');
  // A plain answer: Firefox's driver cannot send a ServiceWorker back.
  const held = await waitFor(page, () => Boolean(navigator.serviceWorker &&
    navigator.serviceWorker.controller), [], 60000);
  site.offline = true;
  try {
    await page.reload();
    const again = held && await waitFor(page, asked, [], 60000);
    if (again) await page.click('#box-no');
    const played = again && await waitFor(page, titled, [`^${kGameTitle}$`]);
    check(played, `offline, a reload asks the question and the game plays ` +
      `(service worker ${held ? 'in control' : 'never in control'})`);
  } finally {
    site.offline = false;
  }
  await page.close();
}

async function noWebgl(relaunch, site, check) {
  const engine = await relaunch({ webgl: false });
  try {
    const page = await engine.open(site.url('nogl'));
    const said = await waitFor(page, () => document.body.dataset.webgl === 'missing');
    const seen = await page.eval(() => ({
      notice: document.getElementById('overlay').hidden ? '' :
        document.getElementById('overlay-text').textContent,
      asked: document.getElementById('box').open,
    }));
    check(said && /needs WebGL/.test(seen.notice) && !seen.asked,
      `without WebGL the page says so and asks nothing ("${seen.notice.split('\n')[0]}")`);
  } finally {
    await engine.close();
  }
}

export async function engineChecks(engine, relaunch, site, check, options) {
  const runs = [['plain', () => plain(engine, site, check)],
    ['walk', () => walkAndContext(engine, site, check, options)],
    ['offline', () => yesAndOffline(engine, site, check)],
    ['no WebGL', () => noWebgl(relaunch, site, check)]];
  for (const [name, run] of runs) {
    try {
      await run();
    } catch (error) {
      check(false, `${name}: ${error.message.split('\n')[0]}`);
    }
  }
}

// Runs in the page ahead of its own scripts: when the start-up question
// opens and the game draws its first picture, on the page's clock (from the
// start of the navigation), and the bytes on the wire by then as the engine
// counts them (Resource Timing; null where it keeps that to itself).
export function timeFirstVisit() {
  const times = {};
  window.tvlTimes = times;
  const wire = () => {
    const entries = performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource'));
    const sizes = entries.map((entry) => entry.transferSize).filter((size) => size > 0);
    return sizes.length ? sizes.reduce((a, b) => a + b, 0) : null;
  };
  const look = () => {
    const box = document.getElementById('box');
    if (!times.question && box && box.open &&
        document.getElementById('box-caption').textContent === 'Start FullScreen?') {
      times.question = performance.now();
      times.questionBytes = wire();
    }
    const game = window.Module && window.Module.page;
    if (!times.picture && game && game.framesPresented && game.framesPresented() > 0) {
      times.picture = performance.now();
      times.pictureBytes = wire();
    }
    if (!times.picture) requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

// A fresh profile's first visit to a folder whose index.html runs
// timeFirstVisit: the question, answered No, then the first picture (the
// textures in); seconds on the page's clock, and the bytes the server sent.
export async function firstVisit(engine, site, folder) {
  site.sent = 0;
  const page = await engine.open(site.url(folder));
  try {
    const timed = () => window.tvlTimes || {};
    if (!await waitFor(page, () => Boolean(window.tvlTimes && window.tvlTimes.question),
      [], 120000)) throw new Error('no start-up question');
    await page.click('#box-no');
    if (!await waitFor(page, () => Boolean(window.tvlTimes.picture), [], 120000)) {
      throw new Error('no picture after No');
    }
    const times = await page.eval(timed);
    return { ...times, question: times.question / 1000, picture: times.picture / 1000,
      sent: site.sent };
  } finally {
    await page.close().catch(() => {});
  }
}
