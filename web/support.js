// What this browser offers the page, looked at once: WebGL and its largest
// viewport, WebAssembly, and the APIs the page reaches for, each with the
// fallback the page takes where it is missing. The WebGL probe's context is
// only dropped: losing it on purpose would have the browser report a lost
// context (Firefox logs one on every load).

const wasm = typeof WebAssembly === 'object' && typeof WebAssembly.instantiate === 'function';

function probeWebgl() {
  // Browsers had WebGL years before WebAssembly: one with WebAssembly but no
  // WebGL interface has it turned off (WebKit then hides the interface).
  if (!window.WebGLRenderingContext) return { webgl: wasm ? 'off' : 'absent', maxViewport: 0 };
  let gl = null;
  try {
    const probe = document.createElement('canvas');
    gl = probe.getContext('webgl') || probe.getContext('experimental-webgl');
  } catch (error) {
    gl = null;
  }
  if (!gl) return { webgl: 'off', maxViewport: 0 };
  const dims = gl.getParameter(gl.MAX_VIEWPORT_DIMS);
  return { webgl: 'on', maxViewport: dims ? Math.min(dims[0], dims[1]) : 4096 };
}

const gl = probeWebgl();

export const support = {
  // 'on', 'off' (the browser has it but will not give it: settings, a
  // blocked driver) or 'absent' (a browser from before WebGL).
  webgl: gl.webgl,
  maxViewport: gl.maxViewport,
  wasm,
  // Else the loader unpacks gzip with the bundled inflate.js.
  decompression: typeof DecompressionStream === 'function',
  // Else a response is read whole, without progress along the way.
  streams: typeof ReadableStream === 'function' && 'body' in Response.prototype,
  // Else the message box is shown without the browser's modal dialog.
  dialog: typeof HTMLDialogElement === 'function' &&
    typeof HTMLDialogElement.prototype.showModal === 'function',
  // Else the game fills the page's viewport (iPhone Safari).
  fullScreen: !!(document.fullscreenEnabled && Element.prototype.requestFullscreen),
  gamepads: typeof navigator.getGamepads === 'function',
  // Else the page plays online only.
  offline: 'serviceWorker' in navigator && !!window.caches,
  // Else the layout follows window resizes alone.
  resizeObserver: typeof ResizeObserver === 'function',
};
