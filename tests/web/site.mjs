// The built page served to the engine checks: any first path segment is a
// folder of its own (its own service worker scope and cache), so one server
// gives each check a fresh site. Every index.html gets a script ahead of
// the page's own that keeps the page's errors and console lines where any
// driver can read them (window.tvlSeen), and under a folder named in
// `before` also that folder's script. Compresses nothing; `offline` drops
// every request as a lost network would; site.hold(folder, file) keeps that
// file's answers back until the returned release() is called. site.log has
// each request's status and path; site.sent counts the bytes of the bodies.
// With `rate` (bits per second) all answers share one link of that speed,
// each started `latency` ms after its request, so every engine meets the
// same slow network, whatever throttles its own driver has or lacks.
//   const site = await serveSite(root, before, { rate, latency });
//   site.url(folder); site.close()
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Runs in the page before anything else: WebKit's driver reads no console.
function watch() {
  const seen = { errors: [], console: [] };
  window.tvlSeen = seen;
  window.addEventListener('error', (event) => seen.errors.push(String(event.message)));
  window.addEventListener('unhandledrejection',
    (event) => seen.errors.push(`unhandled: ${event.reason && event.reason.message}`));
  for (const level of ['log', 'warn', 'error']) {
    const real = console[level];
    console[level] = function (...args) {
      seen.console.push(`${level}: ${args.join(' ')}`);
      return real.apply(this, args);
    };
  }
}

// One slow link: the bodies waiting go out in turn, a segment each, no
// faster than the rate allows; an idle link saves up no credit.
function link(bitsPerSecond) {
  const perMs = bitsPerSecond / 8 / 1000;
  const segment = 1460;
  const waiting = []; // { response, body, at }
  let credit = 0;
  let last = 0;
  let timer = null;
  function tick() {
    const now = performance.now();
    credit = Math.min(credit + (now - last) * perMs, 4 * segment);
    last = now;
    while (waiting.length && credit >= segment) {
      const item = waiting.shift();
      const part = item.body.subarray(item.at, item.at + segment);
      item.at += part.length;
      credit -= part.length;
      if (item.response.destroyed) continue;
      if (item.at < item.body.length) {
        item.response.write(part);
        waiting.push(item);
      } else {
        item.response.end(part);
      }
    }
    timer = waiting.length ? setTimeout(tick, 2) : null;
  }
  return (response, body) => {
    waiting.push({ response, body, at: 0 });
    if (!timer) {
      last = performance.now();
      credit = 0;
      timer = setTimeout(tick, 2);
    }
  };
}

export function serveSite(root, before = {}, { rate = 0, latency = 0 } = {}) {
  root = path.resolve(root);
  const site = { offline: false, requests: 0, sent: 0, log: [] };
  const send = rate ? link(rate) : (response, body) => response.end(body);
  const held = new Map(); // 'folder/file' -> { asked, answers: [] }
  site.hold = (folder, file) => {
    const hold = { asked: 0, answers: [] };
    held.set(`${folder}/${file}`, hold);
    return {
      asked: () => hold.asked,
      release() {
        held.delete(`${folder}/${file}`);
        for (const answer of hold.answers.splice(0)) answer();
      },
    };
  };
  const server = http.createServer((request, response) => {
    if (site.offline) {
      request.socket.destroy();
      return;
    }
    ++site.requests;
    const parts = decodeURIComponent(new URL(request.url, 'http://x').pathname)
      .split('/').filter(Boolean);
    const folder = parts.shift();
    const file = path.join(root, parts.join('/') || 'index.html');
    if (!folder || !file.startsWith(root + path.sep) || !fs.existsSync(file) ||
        fs.statSync(file).isDirectory()) {
      site.log.push(`404 ${request.url}`);
      response.writeHead(404).end();
      return;
    }
    site.log.push(`200 ${request.url}`);
    let body = fs.readFileSync(file);
    if (path.basename(file) === 'index.html') {
      const scripts = [watch, before[folder]].filter(Boolean)
        .map((f) => `<script>(${f})();</script>`).join('');
      body = Buffer.from(String(body).replace('<head>', `<head>${scripts}`));
    }
    const answer = () => setTimeout(() => {
      site.sent += body.length;
      response.writeHead(200, {
        'Content-Length': body.length,
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      send(response, body);
    }, latency);
    const hold = held.get(`${folder}/${parts.join('/')}`);
    if (hold) {
      ++hold.asked;
      hold.answers.push(answer);
    } else {
      answer();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    const port = server.address().port;
    site.url = (folder, query = '') =>
      `http://127.0.0.1:${port}/${folder}/index.html${query ? `?${query}` : ''}`;
    site.close = () => {
      server.closeAllConnections();
      server.close();
    };
    resolve(site);
  }));
}
