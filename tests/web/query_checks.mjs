// The page's query string refused: a bad seed or key script is named in the
// status line, the start-up question is still asked, and the game then
// plays without the walk (holding ArrowUp walks).
//   queryChecks(browser, base, check): check(ok, what) reports each finding.

const cases = [
  { query: 'seed=abc&keys=UP*3', parameter: 'seed', shown: '"abc"', play: true },
  { query: 'keys=FOO*3', parameter: 'keys', shown: '"FOO"', play: true },
  // Above 2^32-1: refused, not capped to 4294967295.
  { query: 'seed=4294967296&keys=UP*3', parameter: 'seed', shown: '"4294967296"' },
];

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
      check(/^Balls collected so far: \d+$|^collision occured/.test(title) &&
        walked === undefined,
      `?${c.query}: no walk, and holding ArrowUp walks ("${title}")`);
    }
    check(errors.length === 0, `?${c.query}: no page errors (${errors.join('; ')})`);
    await page.close();
  }
}
