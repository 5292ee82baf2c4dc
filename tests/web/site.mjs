// The built page served to the engine checks: any first path segment is a
// folder of its own (its own service worker scope and cache), so one server
// gives each check a fresh site. Every index.html gets a script ahead of
// the page's own that keeps the page's errors and console lines where any
// driver can read them (window.tvlSeen), and under a folder named in
// `before` also that folder's script. Compresses nothing; `offline` drops
// every request as a lost network would; site.hold(folder, file) keeps that
// file's answers back until the returned release() is called.
//   const site = await serveSite(root); site.url(folder); site.close()
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
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

export function serveSite(root, before = {}) {
  root = path.resolve(root);
  const site = { offline: false, requests: 0 };
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
      response.writeHead(404).end();
      return;
    }
    let body = fs.readFileSync(file);
    if (path.basename(file) === 'index.html') {
      const scripts = [watch, before[folder]].filter(Boolean)
        .map((f) => `<script>(${f})();</script>`).join('');
      body = Buffer.from(String(body).replace('<head>', `<head>${scripts}`));
    }
    const answer = () => {
      response.writeHead(200, {
        'Content-Length': body.length,
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(body);
    };
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
