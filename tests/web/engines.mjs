// The engine checks (engine_checks.mjs) in each browser engine this
// machine has: Chromium and Firefox through puppeteer-core, WebKitGTK
// through its WebDriver, one browser each, on an X display of the run's
// own (Xvfb: Firefox and WebKit make their GL contexts on it). A line per
// engine and check; ENGINES (comma-separated) picks some. With --bench,
// each engine's first visit over a server that sends at 1.5 Mbit/s (one
// link shared by all requests, 40 ms before each answer starts): the time
// to the start-up question and to the first picture, and the bytes.
//   node engines.mjs SITE_DIR OUT_DIR WALK_NAME SEED KEYS TOOL_PNG
//   node engines.mjs --bench SITE_DIR
import fs from 'node:fs';
import { spawn } from 'node:child_process';
import { serveSite } from './site.mjs';
import { engineChecks, firstVisit, timeFirstVisit } from './engine_checks.mjs';
import { launchChromium, launchFirefox } from './drive_puppeteer.mjs';
import { launchWebkit } from './drive_webkit.mjs';

const bench = process.argv[2] === '--bench';
const [site, out, name, seed, keys, tool] = process.argv.slice(bench ? 3 : 2);
const slowLink = { rate: 1500000, latency: 40 };
const questionTarget = 1.5; // seconds
const launchers = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebkit };
const chosen = (process.env.ENGINES || 'chromium,firefox,webkit').split(',');
let passed = 0;
let failed = 0;

// Xvfb says its display number on a pipe once it listens (abstract socket
// only, so it clashes with no other display on the machine).
function startDisplay() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24',
    '+extension', 'GLX', '-nolisten', 'tcp', '-nolisten', 'unix'],
  { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let said = '';
    const timer = setTimeout(() => reject(new Error('Xvfb did not start')), 20000);
    xvfb.stdio[3].on('data', (data) => {
      said += data;
      if (said.includes('\n')) {
        clearTimeout(timer);
        resolve({ display: `:${said.trim()}`, stop: () => xvfb.kill() });
      }
    });
    xvfb.once('exit', () => reject(new Error('Xvfb ended')));
  });
}

// Bytes as the engine counts them, where it does.
function engineBytes(bytes) {
  return bytes === null || bytes === undefined ? 'the engine does not count them' :
    `${bytes} bytes on the wire by the engine's count`;
}

async function benchOne(engine, served, check) {
  const visit = await firstVisit(engine, served, `bench-${engine.name}`);
  const met = visit.question <= questionTarget ? 'within' : 'MISSES';
  console.log(`bench: ${engine.name}: at 1.5 Mbit/s the question comes after ` +
    `${visit.question.toFixed(2)} s (${met} the ${questionTarget} s aimed at; ` +
    `${engineBytes(visit.questionBytes)}), the first picture (answered No) after ` +
    `${visit.picture.toFixed(1)} s (${engineBytes(visit.pictureBytes)}; the server ` +
    `sent ${visit.sent})`);
  check(true, 'a first visit at 1.5 Mbit/s asks and draws');
}

if (!bench) fs.mkdirSync(out, { recursive: true });
const display = await startDisplay();
const served = bench ?
  await serveSite(site, Object.fromEntries(chosen.map((engineName) =>
    [`bench-${engineName}`, timeFirstVisit])), slowLink) :
  await serveSite(site);
try {
  for (const engineName of chosen) {
    const started = Date.now();
    const check = (ok, what) => {
      console.log(`${ok ? 'ok  ' : 'FAIL'} ${engineName}: ${what}`);
      ok ? ++passed : ++failed;
    };
    const relaunch = (options) =>
      launchers[engineName]({ ...options, display: display.display });
    let engine = null;
    try {
      engine = await relaunch({});
      if (bench) {
        await benchOne(engine, served, check);
      } else {
        await engineChecks(engine, relaunch, served, check,
          { out, walk: { name, seed, keys, tool } });
      }
    } catch (error) {
      check(false, `the browser: ${error.message.split('\n')[0]}`);
    } finally {
      if (engine) await engine.close().catch(() => {});
    }
    console.log(`engines: ${engineName} took ${((Date.now() - started) / 1000).toFixed(0)} s`);
  }
} finally {
  served.close();
  display.stop();
}
console.log(`engines: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
