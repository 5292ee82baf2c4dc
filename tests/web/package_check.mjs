// The zip a page is published as (scripts/web.sh package), as a player
// meets it: unpacked into a fresh folder, served from a sub-folder as plain
// files (nothing gzip-encoded, no headers of note), played in Chromium, and
// played again inside an iframe of another site's page, as a game portal
// shows it. A folder given in place of the zip is served as it stands.
//   node package_check.mjs ZIP_OR_FOLDER
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { serveSite } from './site.mjs';
import { startChromium } from './drive_puppeteer.mjs';

const kGameTitle = 'Quorne Tv lounge by Velmar';
const kMoved = /^Balls collected so far: \d+$|^collision occured/;
const folders = ['top', 'framed'];
let passed = 0;
let failed = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} package: ${what}`);
  ok ? ++passed : ++failed;
}

const asked = () => document.getElementById('box').open &&
  document.getElementById('box-caption').textContent === 'Start FullScreen?';
const until = (promise) => promise.then(() => true, () => false);

// In the page itself or in a frame of it: the question answered No, then a
// held ArrowUp walks. Framed, the game has the keys only once clicked.
async function answerAndWalk(page, where, framed) {
  if (!await until(where.waitForFunction(asked, { timeout: 60000 }))) return 'no question';
  await where.click('#box-no');
  if (!await until(where.waitForFunction((title) => document.title === title,
    { timeout: 30000 }, kGameTitle))) return 'No opened no game';
  if (framed) await where.click('#canvas');
  else await where.focus('#canvas');
  await page.keyboard.down('ArrowUp');
  await until(where.waitForFunction((moved) => new RegExp(moved).test(document.title),
    { timeout: 15000 }, kMoved.source));
  await page.keyboard.up('ArrowUp');
  return where.evaluate(() => document.title);
}

async function inPage(browser, site) {
  const profile = await browser.createBrowserContext();
  try {
    const page = await profile.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(site.url('top'));
    const title = await answerAndWalk(page, page, false);
    check(kMoved.test(title), `served as plain files, the page asks, No opens the game ` +
      `and a held ArrowUp walks ("${title}")`);
    // The service worker keeps every file of the build: it is in control
    // only once each of them has come.
    const kept = await until(page.waitForFunction(
      () => Boolean(navigator.serviceWorker.controller), { timeout: 60000 }));
    check(kept, 'the service worker holds every file of the build');
    const seen = await page.evaluate(() => window.tvlSeen.errors);
    errors.push(...seen);
    check(errors.length === 0, `no page errors (${errors.join('; ')})`);
  } finally {
    await profile.close().catch(() => {});
  }
}

// The portal's page: another site (localhost, not 127.0.0.1) that frames
// the game as portals do, full screen allowed.
function servePortal(gameUrl) {
  const server = http.createServer((request, response) => {
    response.writeHead(200, { 'Content-Type': 'text/html' });
    response.end(`<!doctype html><meta charset="utf-8"><title>Portal</title>
<h1>Games</h1><iframe id="game" src="${gameUrl}" width="720" height="540"
 allow="fullscreen" style="border: 0"></iframe>`);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function inFrame(browser, site) {
  const portal = await servePortal(site.url('framed'));
  const profile = await browser.createBrowserContext();
  try {
    const page = await profile.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(`http://localhost:${portal.address().port}/`);
    const frame = await (await page.waitForSelector('#game')).contentFrame();
    const title = await answerAndWalk(page, frame, true);
    check(kMoved.test(title), `inside another site's iframe the page asks, No opens the ` +
      `game and, clicked, a held ArrowUp walks ("${title}")`);
    errors.push(...await frame.evaluate(() => window.tvlSeen.errors));
    check(errors.length === 0, `no page errors in the iframe (${errors.join('; ')})`);
  } finally {
    await profile.close().catch(() => {});
    portal.close();
  }
}

const [given] = process.argv.slice(2);
let root = given;
let scratch = null;
if (!fs.statSync(given).isDirectory()) {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'tvlounge-web-'));
  root = scratch;
  // CMake's tar reads zips: nothing else to install.
  execFileSync('cmake', ['-E', 'tar', 'xf', path.resolve(given)], { cwd: root });
  check(fs.existsSync(path.join(root, 'index.html')),
    `unpacked: index.html at the zip's root, ${fs.readdirSync(root).length} files`);
}
const site = await serveSite(root);
const browser = await startChromium();
try {
  for (const [name, run] of [['page', inPage], ['iframe', inFrame]]) {
    await run(browser, site).catch((error) => check(false, `${name}: ${error.message}`));
  }
} finally {
  await browser.close();
  site.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
}
// Every file asked for came from the page's own folder and was there.
const amiss = site.log.filter((line) =>
  !folders.some((folder) => line.startsWith(`200 /${folder}/`)));
check(amiss.length === 0, `every file the page asked for is in the zip (${site.log.length} ` +
  `requests${amiss.length ? `; not: ${amiss.join(', ')}` : ''})`);
console.log(`package: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
