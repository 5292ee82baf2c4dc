// The page when things go wrong or the network is slow or gone: a lost and
// restored WebGL context, a browser without WebGL, a file that fails once,
// a first visit's bytes and progress bar, and offline play from the service
// worker's cache. The site is served from a sub-folder by a server that
// compresses nothing and counts what it sends. loadBench: a first visit's
// bytes.
//   await robustChecks(browser, site, check, { outDir, launch })
//   await loadBench(browser, site)
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { spawnSync } from 'node:child_process';

const folder = '/games/tvlounge/';
const firstVisitLimit = 1900000; // bytes
const slowLink = { download: 1500000 / 8, upload: 1500000 / 8, latency: 40 };

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

function serveSubFolder(root) {
  const state = { sent: 0, failOnce: new Set() };
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://x');
    let name = decodeURIComponent(url.pathname);
    if (!name.startsWith(folder)) return response.writeHead(404).end();
    name = name.slice(folder.length) || 'index.html';
    const file = path.join(root, name);
    if (!file.startsWith(root) || !fs.existsSync(file)) {
      return response.writeHead(404).end();
    }
    if (state.failOnce.delete(name)) return response.writeHead(503).end();
    let body = fs.readFileSync(file);
    if (state.nextBuild && (name === 'sw.js' || name === 'build.js')) {
      body = Buffer.from(String(body).replace(/version = '(\w+)'/,
        "version = '$1-next'"));
    }
    state.sent += body.length;
    response.writeHead(200, {
      'Content-Length': body.length,
      'Content-Type': types[path.extname(file)] || 'application/octet-stream',
    });
    response.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    state.server = server;
    state.url = `http://127.0.0.1:${server.address().port}${folder}`;
    resolve(state);
  }));
}

const questionAsked = () => document.getElementById('box').open &&
  document.getElementById('box-caption').textContent === 'Start FullScreen?';

// From the request to the start-up question and, answered No, to the
// game's first picture (its textures in): seconds; and the bytes the page's
// own requests took on the wire (CDP's count) until the service worker
// holds the page, all files in.
async function firstLoad(page, url) {
  const client = await page.createCDPSession();
  await client.send('Network.enable');
  let bytes = 0;
  client.on('Network.loadingFinished', (event) => {
    bytes += event.encodedDataLength;
  });
  const started = Date.now();
  await page.goto(url);
  await page.waitForFunction(questionAsked, { timeout: 120000 });
  const seconds = (Date.now() - started) / 1000;
  await page.click('#box-no');
  await page.waitForFunction(() => Module.page.framesPresented() > 0, { timeout: 120000 });
  const picture = (Date.now() - started) / 1000;
  await page.waitForFunction(() => Boolean(navigator.serviceWorker.controller),
    { timeout: 60000 });
  await client.detach();
  return { bytes, seconds, picture };
}

async function answerAndWalk(page) {
  await page.click('#box-no');
  await page.waitForFunction(() => document.title === 'Quorne Tv lounge by Velmar',
    { timeout: 30000 });
  await page.focus('#canvas');
  await page.keyboard.down('ArrowUp');
  await new Promise((resolve) => setTimeout(resolve, 1000));
  await page.keyboard.up('ArrowUp');
  return page.title();
}

// Pixels of two PNG files that differ by more than 3%, as the walks'
// pictures are compared (ImageMagick).
function pixelsDiffering(a, b) {
  const run = spawnSync('compare', ['-metric', 'AE', '-fuzz', '3%', a, b, 'null:'],
    { encoding: 'utf8' });
  return /^\d+$/.test(run.stderr.trim()) ? Number(run.stderr.trim()) : Infinity;
}

async function contextLoss(browser, site, check, outDir) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  const keys = 'RIGHT*58 UP*37 LEFT UP*2 RIGHT UP LEFT RIGHT*35 UP*19';
  await page.goto(`${site.url}index.html?seed=1&keys=${encodeURIComponent(keys)}`);
  await page.waitForFunction(questionAsked, { timeout: 60000 });
  await page.click('#box-no');
  await page.waitForFunction(() => document.body.dataset.walk === 'done',
    { timeout: 120000 });
  const canvas = await page.$('#canvas');
  const titleBefore = await page.title();
  const before = await canvas.screenshot({ encoding: 'base64' });
  await page.evaluate(() => {
    window.loser = document.getElementById('canvas').getContext('webgl')
      .getExtension('WEBGL_lose_context');
    window.loser.loseContext();
  });
  const said = await page.waitForFunction(() =>
    document.body.dataset.context === 'lost' &&
    !document.getElementById('overlay').hidden, { timeout: 10000 })
    .then(() => true, () => false);
  const during = await canvas.screenshot({ encoding: 'base64' });
  await page.evaluate(() => window.loser.restoreContext());
  const restored = await page.waitForFunction(() =>
    document.body.dataset.context === 'restored', { timeout: 10000 })
    .then(() => true, () => false);
  // A few frames drawn on the restored context (none if the game stays held).
  const until = await page.evaluate(() => Module.page.framesPresented() + 3);
  await page.waitForFunction((until) => Module.page.framesPresented() >= until,
    { timeout: 10000 }, until).catch(() => {});
  const after = await canvas.screenshot({ encoding: 'base64' });
  const titleAfter = await page.title();
  const shots = {};
  for (const [name, data] of [['before', before], ['lost', during], ['after', after]]) {
    shots[name] = path.join(outDir, `context-${name}.png`);
    fs.writeFileSync(shots[name], Buffer.from(data, 'base64'));
  }
  const differing = pixelsDiffering(shots.before, shots.after);
  check(said, 'a lost WebGL context is said over the canvas');
  check(restored && differing <= 500,
    `the restored context draws the frame before the loss (${differing} pixels differ at 3%)`);
  check(titleAfter === titleBefore && /Balls collected so far: [1-9]/.test(titleAfter),
    `the title and score are kept ("${titleBefore}" -> "${titleAfter}")`);
  check(errors.length === 0, `no page errors over the lost context (${errors.join('; ')})`);
  await page.close();
}

// The game's wasm refused by the browser: the overlay says the start
// failed, where it would go on saying "Starting the game…".
async function failedStart(browser, site, check) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    WebAssembly.instantiate = () => Promise.reject(new Error('stand-in refusal'));
  });
  await page.goto(`${site.url}index.html`);
  const said = await page.waitForFunction(() => document.body.dataset.abort &&
    !document.getElementById('overlay').hidden, { timeout: 60000 })
    .then(() => page.$eval('#overlay-text', (text) => text.textContent), () => '');
  check(/could not start.*stand-in refusal/.test(said),
    `a failed start is said over the canvas ("${said.replace(/\n/g, ' ')}")`);
  await page.close();
}

// Browsers of other ages: one without DecompressionStream (Safari before
// 16.4) unpacks the game with the page's own inflate and plays a walk; one
// without WebAssembly is told its age, not to check its connection.
async function oldBrowsers(browser, site, check) {
  const page = await browser.newPage();
  const inflate = [];
  page.on('request', (request) => {
    if (request.url().endsWith('/inflate.js')) inflate.push(request.url());
  });
  await page.evaluateOnNewDocument(() => { delete window.DecompressionStream; });
  const walk = 'RIGHT*58 UP*37 LEFT UP*2 RIGHT UP LEFT RIGHT*35 UP*19';
  await page.goto(`${site.url}index.html?seed=1&keys=${encodeURIComponent(walk)}`);
  const asked = await page.waitForFunction(questionAsked, { timeout: 60000 })
    .then(() => true, () => false);
  if (asked) await page.click('#box-no');
  const walked = asked && await page.waitForFunction(
    () => document.body.dataset.walk === 'done', { timeout: 120000 }).then(() => true, () => false);
  const title = await page.title();
  check(walked && inflate.length === 1 && /Balls collected so far: [1-9]/.test(title),
    `without DecompressionStream the page inflates the game itself, asks and walks ` +
    `("${title}", inflate.js fetched ${inflate.length} time(s))`);
  await page.close();

  const old = await browser.newPage();
  await old.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await old.goto(`${site.url}index.html`);
  const notice = await old.waitForFunction(() => document.body.dataset.lacks,
    { timeout: 30000 }).then(() => old.$eval('#overlay-text', (text) => text.textContent), () => '');
  check(/WebAssembly.*since 2017.*older/.test(notice) && !/connection/.test(notice),
    `without WebAssembly the page names the browser's age ("${notice.replace(/\n/g, ' ')}")`);
  await old.close();
}

async function noWebgl(site, check, launch) {
  const browser = await launch(['--disable-webgl', '--disable-3d-apis']);
  try {
    const page = await browser.newPage();
    await page.goto(`${site.url}index.html`);
    await page.waitForFunction(() => document.body.dataset.webgl === 'missing',
      { timeout: 30000 }).catch(() => {});
    await new Promise((resolve) => setTimeout(resolve, 500));
    const seen = await page.evaluate(() => ({
      notice: document.getElementById('overlay').hidden ? '' :
        document.getElementById('overlay-text').textContent,
      dialog: document.getElementById('box').open,
      again: !document.getElementById('ended').hidden,
    }));
    check(/needs WebGL/.test(seen.notice) && /hardware acceleration/.test(seen.notice) &&
      !seen.dialog && !seen.again,
      `without WebGL the page says so and asks nothing (${JSON.stringify(seen)})`);
  } finally {
    await browser.close();
  }
}

// The web app manifest as Chromium reads it, and the sizes of its icons.
async function appManifest(page) {
  const client = await page.createCDPSession();
  const { errors, data } = await client.send('Page.getAppManifest');
  await client.detach();
  const icons = await page.evaluate((text) => Promise.all(JSON.parse(text || '{"icons":[]}')
    .icons.map(async (icon) => {
      const image = new Image();
      image.src = icon.src;
      await image.decode();
      return `${icon.sizes} ${image.naturalWidth}x${image.naturalHeight}`;
    })), data);
  return { errors: errors.map((error) => error.message), icons };
}

// A fresh profile for one check. Closing it may find the browser already
// dropped its session (service workers end on their own): that is no fault
// of the page, so only the check's own errors are passed on.
async function withProfile(browser, run) {
  const profile = await browser.createBrowserContext();
  try {
    return await run(profile);
  } finally {
    await profile.close().catch(() => {});
  }
}

// A fresh profile's first visit in bytes, a reload with the network gone,
// a new build, and a file that fails once and loads on retry.
async function visits(browser, site, check) {
  await withProfile(browser, async (profile) => {
    const page = await profile.newPage();
    site.sent = 0;
    const first = await firstLoad(page, `${site.url}index.html`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const installable = await appManifest(page);
    check(installable.errors.length === 0 &&
      installable.icons.join() === '192x192 192x192,512x512 512x512',
      `the web app manifest reads without errors, icons ${installable.icons.join(', ')} ` +
      `(${installable.errors.join('; ')})`);
    check(first.bytes <= firstVisitLimit && site.sent <= firstVisitLimit,
      `a first visit takes ${first.bytes} bytes on the wire (the server sent ` +
      `${site.sent}, service worker included; at most ${firstVisitLimit})`);
    await page.setOfflineMode(true);
    await page.reload();
    const asked = await page.waitForFunction(questionAsked, { timeout: 60000 })
      .then(() => true, () => false);
    const title = asked ? await answerAndWalk(page) : '';
    check(asked && /^Balls collected so far: \d+$|^collision occured/.test(title),
      `offline, a reload asks the question and the game plays ("${title}")`);
    // A new build served: its service worker keeps its own cache alone.
    await page.setOfflineMode(false);
    site.nextBuild = true;
    await page.reload();
    const replaced = await page.waitForFunction(async () => {
      const names = await caches.keys();
      return names.length === 1 && names[0].includes('-next ');
    }, { timeout: 30000, polling: 250 }).then(() => true, () => false);
    site.nextBuild = false;
    check(replaced, 'a new build served replaces the old build\'s cache');
    await page.close();
  });
  await withProfile(browser, async (fresh) => {
    const page = await fresh.newPage();
    site.failOnce.add('tvlounge.data.gz');
    await page.goto(`${site.url}index.html`);
    // The textures fail behind the question; the game, answered, says so.
    const asked = await page.waitForFunction(questionAsked, { timeout: 60000 })
      .then(() => true, () => false);
    if (asked) await page.click('#box-no');
    const failed = await page.waitForFunction(() => document.body.dataset.load === 'failed' &&
      !document.getElementById('overlay-retry').hidden, { timeout: 60000 })
      .then(() => true, () => false);
    if (failed) await page.click('#overlay-retry');
    const drawn = await page.waitForFunction(() => Module.page.framesPresented() > 3,
      { timeout: 60000 }).then(() => true, () => false);
    check(asked && failed && drawn,
      'textures that fail to load are said once the game needs them, and Try again plays');
    await page.close();
  });
}

// A first visit over 1.5 Mbit/s: the progress bar is seen climbing, the
// game's files' before the question and the textures' after it.
async function slowVisit(browser, site) {
  return withProfile(browser, async (profile) => {
    const page = await profile.newPage();
    await page.emulateNetworkConditions(slowLink);
    const seen = new Set();
    const watching = setInterval(() => {
      page.evaluate(() => !document.getElementById('overlay').hidden &&
        !document.getElementById('overlay-bar').hidden &&
        document.getElementById('overlay-text').textContent).then((text) => {
        if (text) seen.add(text);
      }, () => {});
    }, 250);
    const load = await firstLoad(page, `${site.url}index.html`);
    clearInterval(watching);
    await page.close();
    const steps = [...seen].filter((text) => /\d+%/.test(text));
    return { ...load, steps };
  });
}

export async function robustChecks(browser, siteDir, check, { outDir, launch } = {}) {
  const site = await serveSubFolder(path.resolve(siteDir));
  try {
    // Each check on its own: one that throws does not hide the others.
    const checks = [
      ['lost context', () => contextLoss(browser, site, check, outDir)],
      ['failed start', () => failedStart(browser, site, check)],
      ['old browsers', () => oldBrowsers(browser, site, check)],
      ['visits', () => visits(browser, site, check)],
      ['slow visit', async () => {
        const slow = await slowVisit(browser, site);
        check(slow.steps.length >= 3, 'at 1.5 Mbit/s the progress bar shows the load ' +
          `(${slow.steps.slice(0, 4).join(', ')}…)`);
      }],
    ];
    if (launch) checks.push(['no WebGL', () => noWebgl(site, check, launch)]);
    for (const [name, run] of checks) {
      await run().catch((error) => check(false, `${name}: ${error.message}`));
    }
  } finally {
    site.server.close();
  }
}

export async function loadBench(browser, siteDir) {
  const site = await serveSubFolder(path.resolve(siteDir));
  try {
    // The time at 1.5 Mbit/s is engines.mjs --bench's, in every engine.
    const first = await withProfile(browser, async (profile) =>
      firstLoad(await profile.newPage(), `${site.url}index.html`));
    console.log(`browser: a first visit takes ${first.bytes} bytes on the wire ` +
      `(${(first.bytes / 1e6).toFixed(2)} MB; at most ${firstVisitLimit / 1e6} MB)`);
  } finally {
    site.server.close();
  }
}
