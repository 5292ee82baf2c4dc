// The engine checks' driver for WebKit: WebKitGTK's MiniBrowser under
// WebKitWebDriver, spoken to in plain W3C WebDriver over HTTP. A session
// is one MiniBrowser with a fresh profile; its one window is navigated
// from page to page.
//   const engine = await launchWebkit({ webgl, display });
import { spawn, execFileSync } from 'node:child_process';
import net from 'node:net';

const elementKey = 'element-6066-11e4-a52e-4f735466cecf';
// WebDriver's code points for the keys the checks use.
const keys = {
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
  Escape: '\uE00C', Enter: '\uE007', F1: '\uE031',
};

// MiniBrowser as Debian's WebKitGTK 4.1 package ships it.
function miniBrowser() {
  if (process.env.MINIBROWSER) return process.env.MINIBROWSER;
  const files = execFileSync('dpkg', ['-L', 'libwebkit2gtk-4.1-0'], { encoding: 'utf8' });
  const found = files.split('\n').find((file) => file.endsWith('/MiniBrowser'));
  if (!found) throw new Error('no MiniBrowser in libwebkit2gtk-4.1-0');
  return found;
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.on('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

async function startDriver(display) {
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`],
    { env: { ...process.env, DISPLAY: display }, stdio: 'ignore' });
  const exited = new Promise((resolve) => driver.once('exit', resolve));
  const base = `http://127.0.0.1:${port}`;
  for (const started = Date.now(); Date.now() - started < 20000;) {
    const ready = await fetch(`${base}/status`).then((r) => r.json(),
      () => null).catch(() => null);
    if (ready && ready.value && ready.value.ready) return { driver, base, exited };
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  driver.kill();
  throw new Error('WebKitWebDriver did not answer');
}

export async function launchWebkit({ webgl = true, display } = {}) {
  const { driver, base, exited } = await startDriver(display);
  let session = '';
  async function call(method, path, body) {
    const response = await fetch(`${base}/session${session && `/${session}`}${path}`, {
      method,
      headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok) {
      throw new Error(`${method} ${path}: ${answer.value.error}: ${answer.value.message}`);
    }
    return answer.value;
  }
  try {
    const created = await call('POST', '', {
      capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
        binary: miniBrowser(),
        args: ['--automation', ...(webgl ? [] : ['--enable-webgl=false'])],
      } } },
    });
    session = created.sessionId;
    await call('POST', '/timeouts', { script: 180000, pageLoad: 60000 });
    await call('POST', '/window/rect', { width: 800, height: 700 });
  } catch (error) {
    driver.kill();
    throw error;
  }

  const keyActions = (steps) => call('POST', '/actions', {
    actions: [{ type: 'key', id: 'keyboard', actions: steps }],
  });
  const page = {
    // The function runs as a promise in the page; its value or its error
    // comes back.
    async eval(fn, ...args) {
      const result = await call('POST', '/execute/async', {
        script: `const done = arguments[arguments.length - 1];
          Promise.resolve().then(() => (${fn}).apply(null,
            Array.prototype.slice.call(arguments, 0, -1)))
          .then((value) => done({ value }), (error) => done({ error: String(error) }));`,
        args,
      });
      if (result && 'error' in result) throw new Error(result.error);
      return result ? result.value : undefined;
    },
    async click(selector) {
      const element = await call('POST', '/element', { using: 'css selector', value: selector });
      await call('POST', `/element/${element[elementKey]}/click`, {});
    },
    key: (key, down) => keyActions([{ type: down ? 'keyDown' : 'keyUp', value: keys[key] }]),
    press: (key) => keyActions([{ type: 'keyDown', value: keys[key] },
      { type: 'keyUp', value: keys[key] }]),
    reload: () => call('POST', '/refresh', {}),
    close: () => call('POST', '/url', { url: 'about:blank' }),
  };
  return {
    name: 'webkit',
    async open(url) {
      await call('POST', '/url', { url });
      return page;
    },
    async close() {
      await call('DELETE', '').catch(() => {});
      driver.kill();
      await exited;
    },
  };
}
