// Times sorting a season table in Chromium as a reader meets it: the page
// opened on a phone-sized screen, touched once (which loads the table's later
// rows), then a column heading clicked three times; and once on a fresh page
// whose first act is the click. Prints the times and whether the rows came out
// in order with each traded player's team rows under his total.
//   node sort_time.js CHROMIUM URL COLUMN
const puppeteer = require(process.env.PUPPETEER || 'puppeteer-core');

const sortOnce = (column) => new Promise((resolve) => {
  const th = document.querySelectorAll('table.sortable th')[column];
  const before = th.getAttribute('aria-sort');
  const start = performance.now();
  th.click();
  const done = () => {
    if (th.getAttribute('aria-sort') === before) return setTimeout(done, 1);
    const ms = performance.now() - start;
    const rows = Array.from(document.querySelectorAll('table.sortable tbody tr'));
    const down = th.getAttribute('aria-sort') === 'descending';
    let ordered = true, previous = null;
    rows.forEach((row, i) => {
      if (row.classList.contains('part')) {
        if (!rows[i - 1] || rows[i - 1].cells[0].textContent !== row.cells[0].textContent) ordered = false;
        return;
      }
      const cell = row.cells[column];
      const value = parseFloat(cell.getAttribute('data-v') ?? cell.textContent);
      if (isNaN(value)) return;
      if (previous !== null && (down ? value > previous : value < previous)) ordered = false;
      previous = value;
    });
    resolve({ ms: Math.round(ms), rows: rows.length, ordered });
  };
  done();
});

(async () => {
  const [chrome, url, column] = process.argv.slice(2);
  const browser = await puppeteer.launch({ executablePath: chrome, args: ['--no-sandbox', '--headless=new'] });
  const open = async () => {
    const page = await browser.newPage();
    await page.setViewport({ width: 390, height: 844 });
    await page.goto(url, { waitUntil: 'load' });
    return page;
  };
  const page = await open();
  await page.mouse.click(200, 700);
  await page.waitForFunction(() => !document.querySelector('table[data-rows]'), { timeout: 20000 });
  const warm = [];
  for (let i = 0; i < 3; i++) warm.push(await page.evaluate(sortOnce, Number(column)));
  const cold = await (await open()).evaluate(sortOnce, Number(column));
  const ordered = warm.every((r) => r.ordered) && cold.ordered;
  console.log(`sort ${url.split('/').slice(-2).join('/')} column ${column}: ${warm[0].rows} rows, ` +
              `${warm.map((r) => r.ms).join(' / ')} ms after a touch, ${cold.ms} ms as the first act, ` +
              (ordered ? 'in order' : 'OUT OF ORDER'));
  await browser.close();
  process.exit(ordered ? 0 : 1);
})();
