// The page on other devices than a desktop with a keyboard: a phone held
// both ways with touch, large and small desktop windows, a gamepad, keys
// that stay with the page, and full screen. Screenshots of each go to the
// output folder.
import path from 'node:path';

const kQuestion = 'Start FullScreen?';
const kGameTitle = 'Quorne Tv lounge by Velmar';
const kMoved = /^Balls collected so far: \d+$|^collision occured/;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function open(browser, base, viewport, beforeLoad) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport(viewport);
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  await page.goto(`${base}/index.html`);
  await page.waitForFunction(
    (c) => document.getElementById('box').open &&
      document.getElementById('box-caption').textContent === c,
    { timeout: 30000 }, kQuestion);
  return { page, errors };
}

function waitTitle(page, pattern, timeout = 30000) {
  return page.waitForFunction((source) => new RegExp(source).test(document.title),
    { timeout }, pattern.source).then(() => true, () => false);
}

// The drawing buffer has taken the size the page's layout asks for.
function settled(page) {
  return page.waitForFunction(() => {
    const size = Module.page.bufferSize();
    const canvas = document.getElementById('canvas');
    return size && canvas.width === size[0] && canvas.height === size[1];
  }, { timeout: 10000 }).then(() => true, () => false);
}

// What lies outside the viewport, and whether the page scrolls sideways.
function layout(page) {
  return page.evaluate(() => {
    const width = window.innerWidth;
    const height = window.innerHeight;
    const outside = [];
    for (const element of document.querySelectorAll('body *')) {
      const box = element.getBoundingClientRect();
      if (box.width === 0 && box.height === 0) continue; // not shown
      if (box.left < -0.5 || box.top < -0.5 || box.right > width + 0.5 ||
          box.bottom > height + 0.5) {
        outside.push(`${element.id || element.className || element.tagName}`);
      }
    }
    const canvas = document.getElementById('canvas');
    const box = canvas.getBoundingClientRect();
    return {
      outside,
      sideways: document.documentElement.scrollWidth > width,
      css: [box.width, box.height],
      buffer: [canvas.width, canvas.height],
      ratio: window.devicePixelRatio,
    };
  });
}

// A 32 x 24 reduction of the picture, read in the frame the game drew it.
function picture(page) {
  return page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => {
    const small = document.createElement('canvas');
    small.width = 32;
    small.height = 24;
    const context = small.getContext('2d');
    context.drawImage(document.getElementById('canvas'), 0, 0, 32, 24);
    resolve(Array.from(context.getImageData(0, 0, 32, 24).data));
  })));
}

function differs(a, b) {
  let sum = 0;
  for (let i = 0; i < a.length; ++i) sum += Math.abs(a[i] - b[i]);
  return sum / a.length > 1;
}

function centre(page, selector) {
  return page.$eval(selector, (element) => {
    const box = element.getBoundingClientRect();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  });
}

// Records the key changes the page sends the game.
function spyKeys(page) {
  return page.evaluate(() => {
    window.sentKeys = [];
    const real = Module.ccall;
    Module.ccall = function (name, result, types, args) {
      if (name === 'tvl_web_key') window.sentKeys.push(args.join(' '));
      return real.apply(this, arguments);
    };
  });
}

async function checkLayout(page, check, name, shots) {
  await settled(page);
  const seen = await layout(page);
  check(seen.outside.length === 0 && !seen.sideways,
    `${name}: nothing outside the viewport, no sideways scroll ` +
    `(outside: ${seen.outside.join(', ') || 'none'})`);
  check(seen.buffer[0] >= 0.95 * seen.css[0] * seen.ratio &&
    seen.buffer[1] >= 0.95 * seen.css[1] * seen.ratio &&
    Math.abs(seen.css[0] * 3 - seen.css[1] * 4) <= 4,
    `${name}: 4:3 picture, drawing buffer ${seen.buffer.join('x')} for ` +
    `${seen.css.join('x')} CSS px at ratio ${seen.ratio}`);
  await page.screenshot({ path: path.join(shots, `${name}.png`) });
  return seen;
}

// A phone without the Fullscreen API, as iPhone Safari is.
async function phone(browser, base, check, shots) {
  const portrait = { width: 390, height: 844, deviceScaleFactor: 3,
    isMobile: true, hasTouch: true };
  const landscape = { ...portrait, width: 844, height: 390, isLandscape: true };
  const { page, errors } = await open(browser, base, portrait, () => {
    Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => false });
    Element.prototype.requestFullscreen = undefined;
  });
  const cdp = await page.createCDPSession();
  const fingers = (points) => points.map((point, id) => ({ ...point, id }));
  const tap = async (selector) => {
    const point = await centre(page, selector);
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers([point]) });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  };
  for (const [name, viewport] of [['portrait', portrait], ['landscape', landscape]]) {
    await page.setViewport(viewport);
    const buttons = await page.evaluate(() => ['box-yes', 'box-no'].map((id) => {
      const box = document.getElementById(id).getBoundingClientRect();
      return box.left >= 0 && box.top >= 0 && box.right <= window.innerWidth &&
        box.bottom <= window.innerHeight && box.height >= 44;
    }));
    check(buttons.every(Boolean), `phone ${name}: the question's buttons fit the screen`);
  }
  await tap('#box-yes');
  const filled = await waitTitle(page, new RegExp(`^${kGameTitle}$`)) &&
    await page.evaluate(() => document.getElementById('game').classList.contains('filled') &&
      !document.getElementById('notice').hidden);
  check(filled, 'phone: a tap on Yes fills the screen where there is no full screen, and says so');
  await checkLayout(page, check, 'phone-filled', shots);
  await tap('[data-touch=full]');
  check(await page.waitForFunction(
    () => !document.getElementById('game').classList.contains('filled'),
    { timeout: 20000 }).then(() => true, () => false),
  'phone: the full-screen control goes back to the page');
  await checkLayout(page, check, 'phone-landscape', shots);
  await page.setViewport(portrait);
  await checkLayout(page, check, 'phone-portrait', shots);
  const controls = await page.$$eval('#touch .control', (all) =>
    all.map((element) => element.getBoundingClientRect())
      .filter((box) => box.width >= 44 && box.height >= 44).length);
  check(controls === 10, `phone: ten touch controls of at least 44 px shown (${controls})`);

  await waitTitle(page, /^ZENTRA TUTORIALS$/); // the window opened again
  await spyKeys(page);
  const walk = await centre(page, '[data-touch=up]');
  const turn = await centre(page, '[data-touch=left]');
  const before = await picture(page);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers([walk]) });
  await sleep(1000);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  const moved = await waitTitle(page, kMoved, 5000);
  check(moved && differs(before, await picture(page)),
    `phone: holding the walk control walks (title "${await page.title()}")`);

  const beforeBoth = await picture(page);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers([walk, turn]) });
  await sleep(800);
  const bothHeld = await page.$$eval('#touch .held', (all) => all.map((e) => e.dataset.touch));
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await sleep(200);
  const sent = await page.evaluate(() => window.sentKeys);
  const together = sent.indexOf('ArrowLeft 1 1') > sent.indexOf('ArrowUp 1 1') &&
    sent.indexOf('ArrowUp 1 1') >= 0 &&
    sent.lastIndexOf('ArrowUp 0 1') > sent.indexOf('ArrowLeft 1 1');
  check(together && bothHeld.length === 2 && differs(beforeBoth, await picture(page)),
    `phone: two fingers walk and turn together (held ${bothHeld.join(', ')}; sent ${sent.join(', ')})`);
  check(errors.length === 0, `phone: no page errors (${errors.join('; ')})`);
  await page.close();
}

async function desktop(browser, base, check, shots) {
  const { page, errors } = await open(browser, base,
    { width: 1920, height: 1080, deviceScaleFactor: 1 });
  await page.keyboard.press('Escape');
  check(await waitTitle(page, new RegExp(`^${kGameTitle}$`)) &&
    await page.evaluate(() => !document.fullscreenElement),
    'desktop: Escape answers the question No');
  const large = await checkLayout(page, check, 'desktop-1920x1080', shots);
  check(large.css[0] >= 1200 || large.css[1] >= 800,
    `desktop 1920x1080: the canvas grows to ${large.css.join('x')} CSS px`);

  // Which keys the game kept from the browser: a listener after the game's.
  await page.focus('#canvas');
  await page.evaluate(() => {
    window.kept = {};
    window.addEventListener('keydown', (event) => {
      window.kept[(event.ctrlKey ? 'Ctrl+' : '') + event.code] = event.defaultPrevented;
      event.preventDefault(); // no reload while testing
    });
  });
  for (const key of ['ArrowLeft', 'ArrowRight', 'Tab', 'F5']) {
    await page.focus('#canvas');
    await page.keyboard.press(key);
  }
  await page.focus('#canvas');
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyR');
  await page.keyboard.up('Control');
  const kept = await page.evaluate(() => window.kept);
  check(kept.ArrowLeft === true && kept.ArrowRight === true && kept.Tab === false &&
    kept.F5 === false && kept['Ctrl+KeyR'] === false,
    `desktop: arrows kept by the game, Tab, F5 and Ctrl+R left to the browser (${JSON.stringify(kept)})`);

  await page.setViewport({ width: 500, height: 400, deviceScaleFactor: 1 });
  await checkLayout(page, check, 'desktop-500x400', shots);
  check(errors.length === 0, `desktop: no page errors (${errors.join('; ')})`);
  await page.close();
}

// Full screen from the answer's click and back with F1; then a gamepad,
// plugged in while the game runs, walks.
async function fullScreenAndGamepad(browser, base, check, shots) {
  const { page, errors } = await open(browser, base,
    { width: 1280, height: 720, deviceScaleFactor: 1 }, () => {
      const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
      window.fakePad = { id: 'fake pad', index: 0, connected: true, mapping: 'standard',
        timestamp: 0, buttons, axes: [0, 0, 0, 0] };
      window.padPlugged = false;
      navigator.getGamepads = () => [window.padPlugged ? window.fakePad : null, null, null, null];
    });
  await page.click('#box-yes');
  const full = await page.waitForFunction(
    () => document.fullscreenElement && document.fullscreenElement.id === 'game',
    { timeout: 10000 }).then(() => true, () => false);
  check(full, 'a click on Yes puts the game element full screen');
  if (full) await checkLayout(page, check, 'full-screen', shots);
  await waitTitle(page, new RegExp(`^${kGameTitle}$`));
  await page.focus('#canvas');
  await page.keyboard.press('F1');
  const left = await page.waitForFunction(() => !document.fullscreenElement,
    { timeout: 10000 }).then(() => true, () => false);
  const frames = await page.evaluate(() => Module.page.framesPresented());
  await sleep(2000);
  check(left && await page.evaluate((n) => Module.page.framesPresented() > n + 3, frames),
    'F1 leaves full screen and the game runs on');

  await page.evaluate(() => {
    window.fakePad.axes[1] = -1; // the left stick pushed forward
    window.padPlugged = true;
  });
  const walked = await waitTitle(page, kMoved, 10000);
  await page.evaluate(() => { window.fakePad.axes[1] = 0; });
  const help = await page.evaluate(() => document.body.dataset.input);
  check(walked && help === 'gamepad',
    `a gamepad plugged in walks, and the help shows its buttons (${help})`);
  await page.screenshot({ path: path.join(shots, 'gamepad.png') });
  check(errors.length === 0, `full screen and gamepad: no page errors (${errors.join('; ')})`);
  await page.close();
}

// Framed in a host page, the game leaves the host's focus alone until it is
// clicked: an Enter meant for the host does not answer the game's question.
async function framed(browser, base, check) {
  const page = await browser.newPage();
  await page.goto(`${base}/index.html?size=640x480`); // the same origin
  await page.setContent('<input id="host">');
  await page.focus('#host');
  await page.evaluate((src) => {
    const game = document.createElement('iframe');
    Object.assign(game, { src, width: 700, height: 600 });
    document.body.appendChild(game);
  }, `${base}/index.html`);
  const frame = await (await page.waitForSelector('iframe')).contentFrame();
  await frame.waitForFunction(() => document.getElementById('box').open,
    { timeout: 30000 });
  await sleep(500);
  await page.keyboard.press('Enter');
  await sleep(500);
  const kept = await page.evaluate(() =>
    document.activeElement.id || document.activeElement.tagName);
  const stillAsked = await frame.evaluate(() => document.getElementById('box').open);
  await frame.click('#box-no');
  const answered = await frame.waitForFunction(
    () => !document.getElementById('box').open, { timeout: 10000 })
    .then(() => true, () => false);
  check(kept === 'host' && stillAsked && answered,
    `framed: the host keeps its focus and Enter, a click answers (kept ${kept}, ` +
    `asked ${stillAsked}, answered ${answered})`);
  await page.close();
}

export async function deviceChecks(browser, base, check, shots) {
  for (const run of [phone, desktop, fullScreenAndGamepad, framed]) {
    try {
      await run(browser, base, check, shots);
    } catch (error) {
      check(false, `${run.name}: ${error.message}`);
    }
  }
}
