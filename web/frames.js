// The game's frames: each swap waits here for the browser's next animation
// frame, counted for the page's readings and for keys.js's taps; a held
// frame (context.js) waits until the promise it was held with resolves.
let frames = 0;
let gate = Promise.resolve();

export function nextFrame() {
  return new Promise((resolve) => {
    requestAnimationFrame(() => {
      ++frames;
      gate.then(resolve);
    });
  });
}

export function holdFrames(until) {
  gate = until;
}

export function framesPresented() {
  return frames;
}
