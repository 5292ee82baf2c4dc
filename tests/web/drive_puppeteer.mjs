// The engine checks' driver for Chromium (DevTools protocol) and Firefox
// (WebDriver BiDi), both through puppeteer-core on the system's browsers.
// Each page opens in a fresh browser context, a profile of its own.
//   const engine = await launchChromium({ webgl, display });
//   const page = await engine.open(url); page.eval(fn, ...args); ...
//   const browser = await startChromium({ webgl }); // puppeteer's own
import puppeteer from 'puppeteer-core';

const viewport = { width: 800, height: 700, deviceScaleFactor: 1 };

function wrap(browser, name) {
  return {
    name,
    async open(url) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport(viewport);
      await page.goto(url);
      return {
        eval: (fn, ...args) => page.evaluate(fn, ...args),
        click: (selector) => page.click(selector),
        key: (key, down) => (down ? page.keyboard.down(key) : page.keyboard.up(key)),
        // Down and up back to back, as automation taps.
        press: (key) => page.keyboard.press(key),
        reload: () => page.reload(),
        close: () => context.close(),
      };
    },
    close: () => browser.close(),
  };
}

// The browser itself, for checks that need more than the driver (frames).
export function startChromium({ webgl = true } = {}) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--use-gl=swiftshader', '--enable-unsafe-swiftshader',
      '--ignore-gpu-blocklist', '--disable-dev-shm-usage', '--window-size=800,700',
      ...(webgl ? [] : ['--disable-webgl', '--disable-3d-apis'])],
    defaultViewport: viewport,
  });
}

export async function launchChromium(options = {}) {
  return wrap(await startChromium(options), 'chromium');
}

// Headless Firefox draws WebGL only with an X display to make its GL
// context on.
export async function launchFirefox({ webgl = true, display } = {}) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    env: { ...process.env, DISPLAY: display },
    extraPrefsFirefox: webgl ? {} : { 'webgl.disabled': true },
    defaultViewport: viewport,
  });
  return wrap(browser, 'firefox');
}
