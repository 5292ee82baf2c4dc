// The web build in headless Chromium (software WebGL): the page is served
// from 127.0.0.1, answered and played through the keyboard, tried on other
// devices (device_checks.mjs), with a lost context, no WebGL, a slow, failing
// or absent network (robust_checks.mjs), and the walks given on the command
// line are drawn at 640 x 480 and read back for comparison with the snapshot
// tool's pictures of the same walks. With --bench, only the page's frame
// rate over five seconds and a first visit's bytes and time to the question;
// with --picture, the whole page after a walk.
//   node browser_test.mjs SITE_DIR OUT_DIR [NAME SEED KEYS]...
//   node browser_test.mjs --bench SITE_DIR
//   node browser_test.mjs --picture SITE_DIR FILE.png SEED KEYS
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { deviceChecks } from './device_checks.mjs';
import { queryChecks } from './query_checks.mjs';
import { robustChecks, loadBench } from './robust_checks.mjs';

const mode = process.argv[2].startsWith('--') ? process.argv[2] : '';
const bench = mode === '--bench';
const [site, outDir, ...walkArgs] = process.argv.slice(mode ? 3 : 2);
const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png',
};
let passed = 0;
let failed = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  ok ? ++passed : ++failed;
}

function serve(root) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(root) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] || 'application/octet-stream',
    });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Answers the page's message box, once it shows the caption.
async function answer(page, caption, button) {
  await page.waitForFunction(
    (c) => document.getElementById('box').open &&
      document.getElementById('box-caption').textContent === c,
    { timeout: 30000 }, caption);
  await page.click(`#box-${button}`);
}

async function play(browser, base) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${base}/index.html`);
  await answer(page, 'Start FullScreen?', 'no');
  await page.waitForFunction(
    () => document.title === 'Quorne Tv lounge by Velmar', { timeout: 30000 });
  check(true, 'the start-up question answered No opens the game');
  await page.focus('#canvas');
  await page.keyboard.down('ArrowUp');
  await new Promise((resolve) => setTimeout(resolve, 1000));
  await page.keyboard.up('ArrowUp');
  const title = await page.title();
  check(/^Balls collected so far: \d+$|^collision occured/.test(title),
    `holding ArrowUp for a second writes the title ("${title}")`);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.ended !== undefined,
    { timeout: 30000 }).catch(() => {});
  const ended = await page.evaluate(() => ({
    code: document.body.dataset.ended,
    shown: !document.getElementById('ended').hidden,
    said: document.body.innerText.split('The game has ended.').length - 1,
  }));
  check(ended.code === '0' && ended.shown && ended.said === 1,
    `Escape ends the game, says so once and offers to start again (${JSON.stringify(ended)})`);
  check(errors.length === 0, `no page errors (${errors.join('; ')})`);
  await page.close();
}

async function walk(browser, base, name, seed, keys, pageFile) {
  const page = await browser.newPage();
  const query = new URLSearchParams({ seed, keys, size: '640x480' });
  await page.goto(`${base}/index.html?${query}`);
  await answer(page, 'Start FullScreen?', 'no');
  const done = await page.waitForFunction(
    () => document.body.dataset.walk === 'done', { timeout: 120000 })
    .then(() => true, () => false);
  check(done, `walk ${name} ends`);
  if (done) {
    if (pageFile) {
      await page.screenshot({ path: pageFile }); // the whole page as laid out
    } else {
      // The drawing buffer itself, read in the frame the game drew it.
      const png = await page.evaluate(() => new Promise((resolve) =>
        requestAnimationFrame(() =>
          resolve(document.getElementById('canvas').toDataURL('image/png')))));
      fs.writeFileSync(path.join(outDir, `${name}.png`),
        Buffer.from(png.slice(png.indexOf(',') + 1), 'base64'));
    }
  }
  await page.close();
}

// Frames the game presented in five seconds of standing still.
async function frameRate(browser, base) {
  const page = await browser.newPage();
  await page.goto(`${base}/index.html`);
  await answer(page, 'Start FullScreen?', 'no');
  await page.waitForFunction(() => Module.page.framesPresented() > 10,
    { timeout: 30000 });
  const before = await page.evaluate(() => [Module.page.framesPresented(), performance.now()]);
  await new Promise((resolve) => setTimeout(resolve, 5000));
  const after = await page.evaluate(() => [Module.page.framesPresented(), performance.now()]);
  const fps = (after[0] - before[0]) * 1000 / (after[1] - before[1]);
  console.log(`browser: ${fps.toFixed(1)} frames per second over ` +
    `${((after[1] - before[1]) / 1000).toFixed(1)} s (headless, software WebGL)`);
  await page.close();
}

const server = await serve(path.resolve(site));
const base = `http://127.0.0.1:${server.address().port}`;
function launch(extraArgs = []) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--use-gl=swiftshader', '--enable-unsafe-swiftshader',
      '--ignore-gpu-blocklist', '--disable-dev-shm-usage', '--window-size=800,700',
      ...extraArgs],
    defaultViewport: { width: 800, height: 700, deviceScaleFactor: 1 },
  });
}
const browser = await launch();
try {
  if (bench) {
    await frameRate(browser, base);
    await loadBench(browser, site);
  } else if (mode === '--picture') {
    await walk(browser, base, 'picture', walkArgs[0], walkArgs[1], outDir);
  } else {
    fs.mkdirSync(outDir, { recursive: true });
    await play(browser, base);
    await queryChecks(browser, base, check);
    await deviceChecks(browser, base, check, outDir);
    await robustChecks(browser, site, check, { outDir, launch });
    for (let i = 0; i + 2 < walkArgs.length; i += 3) {
      await walk(browser, base, walkArgs[i], walkArgs[i + 1], walkArgs[i + 2]);
    }
  }
} catch (error) {
  check(false, `the browser run: ${error.message}`);
} finally {
  await browser.close();
  server.close();
}
if (!mode) {
  console.log(`browser: ${passed} passed, ${failed} failed`);
}
process.exit(failed === 0 ? 0 : 1);
