// The page's query string refused: a bad seed, key script or size is named
// in the status line, the start-up question is still asked, and the game
// then plays without the walk (holding ArrowUp walks), at the page's own
// size.
//   queryChecks(browser, base, check): check(ok, what) reports each finding.

const cases = [
  { query: 'seed=abc&keys=UP*3', parameter: 'seed', shown: '"abc"', play: true },
  { query: 'keys=FOO*3', parameter: 'keys', shown: '"FOO"', play: true },
  // Above 2^32-1: refused, not capped to 4294967295.
  { query: 'seed=4294967296&keys=UP*3', parameter: 'seed', shown: '"4294967296"' },
  // A NUL would end the script the game reads: it would play nothing, unsaid.
  { query: 'keys=%00UP', parameter: 'keys', shown: '"%00UP"', play: true },
  // Wider than the page's 3840 cap, and a stripe the page would stretch.
  { query: 'size=4096x1', parameter: 'size', shown: '"4096x1"', play: true },
];
// Sizes refused as the page loads, before the game runs.
const badSizes = ['0x0', '99999x99999', '640x480x', '-640x480', '640x479x1', '400x400'];

export async function queryChecks(browser, base, check) {
  for (const c of cases) {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(`${base}/index.html?${c.query}`);
    const asked = await page.waitForFunction(
      () => document.getElementById('box').open &&
        document.getElementById('box-caption').textContent === 'Start FullScreen?',
      { timeout: 30000 }).then(() => true, () => false);
    const status = await page.$eval('#status', (s) => s.textContent);
    check(asked && status.includes(`Bad ${c.parameter}`) && status.includes(c.shown),
      `?${c.query}: the question is asked and the status names ${c.parameter} ("${status}")`);
    if (asked && c.play) {
      await page.click('#box-no');
      await page.waitForFunction(
        () => document.title === 'Quorne Tv lounge by Velmar', { timeout: 30000 })
        .catch(() => {});
      await page.focus('#canvas');
      await page.keyboard.down('ArrowUp');
      await new Promise((resolve) => setTimeout(resolve, 1000));
      await page.keyboard.up('ArrowUp');
      const title = await page.title();
      const walked = await page.evaluate(() => document.body.dataset.walk);
      const buffer = await page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]);
      check(/^Balls collected so far: \d+$|^collision occured/.test(title) &&
        walked === undefined && buffer[0] !== 4096,
      `?${c.query}: no walk, holding ArrowUp walks ("${title}"), ` +
      `drawn at ${buffer.join('x')}`);
    }
    check(errors.length === 0, `?${c.query}: no page errors (${errors.join('; ')})`);
    await page.close();
  }
  const page = await browser.newPage();
  const said = [];
  for (const size of badSizes) {
    await page.goto(`${base}/index.html?size=${encodeURIComponent(size)}`);
    const status = await page.waitForFunction(() => /Bad size/.test(
      document.getElementById('status').textContent), { timeout: 10000 })
      .then(() => page.$eval('#status', (s) => s.textContent), () => '');
    if (status.includes(`"${size}"`)) said.push(size);
  }
  check(said.length === badSizes.length,
    `the bad sizes ${badSizes.join(', ')} are named in the status line (${said.join(', ')})`);
  await page.close();
}
