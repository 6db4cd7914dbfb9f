// The page's worst-case tick in headless chromium: 20 cavities, all 21
// particles in flight, both spectra full.  Prints the median and the 90th
// percentile of one Timer2 tick (the step, the view and the controls it
// changes) and of one Timer3 redraw of both spectra, the page's load time
// and the module's size compressed with gzip -9.
//   VELOX_SITE=build-web/site node bench/web/tick_bench.mjs
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { serveFolder, launchChromium } from '../../tests/web/page_driver.mjs';

const site = process.env.VELOX_SITE ?? 'build-web/site';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velox-bench-'));
fs.cpSync(site, work, { recursive: true });

// Twenty short cavities (the most "Új gyorsítóüreg" adds) and a launch
// window of the whole period, so that every slot is soon in flight.
const cavities = Array.from({ length: 20 }, () => 'Cavity =\t4\t8\t4\t8\r\n').join('');
fs.writeFileSync(path.join(work, 'legrosszabb.gydat'),
  `Cavity num =20\r\n${cavities}Target =600\r\nFreq =50\r\nAmpli =100\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =360\r\n`);

// Every channel of both plots counted, many times over.
const energies = [];
const times = [];
for (let round = 0; round < 100; round += 1) {
  for (let k = 0; k < 440; k += 1) energies.push(k / 2 + round / 1000);
  for (let k = 0; k < 100; k += 1) times.push(k * 0.05 + 0.001);
}
const records = [...energies, -9999, ...times, -9999, energies.length, energies.length, 36526, 1, 0, 220, 20, 1,
  0.05, 0, 100, 20, 1];
const edat = Buffer.alloc(8 * records.length);
records.forEach((v, k) => edat.writeDoubleLE(v, 8 * k));

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const p90 = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length * 0.9)];

const server = await serveFolder(work);
const browser = await launchChromium();
try {
  const page = await browser.newPage({ viewport: { width: 950, height: 602 } });
  const loadStart = Date.now();
  await page.goto(`${server.url}/?setup=legrosszabb.gydat`);
  await page.waitForFunction(() => window.veloxPage?.ready);
  const loadTime = Date.now() - loadStart;

  await page.locator('#menu > div > button', { hasText: 'Eredmények' }).click();
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.click('#Betlts2')]);
  await chooser.setFiles({ name: 'tele.edat', mimeType: 'application/octet-stream', buffer: edat });
  await page.waitForFunction(() => !/beérkezett = 0$/.test(document.getElementById('Label20').textContent));

  const result = await page.evaluate(async () => {
    const { face } = window.veloxPage;
    const flying = () => [...Array(21).keys()].filter((k) => !document.getElementById(`Shape${22 + k}`).hidden).length;
    for (let k = 0; k < 3000 && flying() < 21; k += 1) face.timer2();
    // The page's clock is coarse (0.1 ms): ticks are timed singly for the
    // spread and in runs of 100 for the mean of each run.
    const ticks = [];
    const runs = [];
    const redraws = [];
    let most = 0;
    for (let run = 0; run < 30; run += 1) {
      const start = performance.now();
      for (let k = 0; k < 100; k += 1) {
        const t0 = performance.now();
        face.timer2();
        ticks.push(performance.now() - t0);
      }
      runs.push((performance.now() - start) / 100);
      most = Math.max(most, flying());
      const t1 = performance.now();
      face.timer3();
      redraws.push(performance.now() - t1);
      await new Promise((resolve) => { requestAnimationFrame(resolve); });
    }
    return { ticks, runs, redraws, most, cavities: [...Array(21).keys()].filter((k) => !document.getElementById(`Shape${k + 1}`).hidden).length };
  });
  const wasm = fs.readFileSync(path.join(site, 'velox_web.wasm'));
  const script = fs.readFileSync(path.join(site, 'velox_web.js'));
  const gz = (b) => zlib.gzipSync(b, { level: 9 }).length;
  console.log(`page load (to the start-up state): ${loadTime} ms`);
  console.log(`cavities ${result.cavities}, particles in flight at most ${result.most}`);
  console.log(`Timer2 tick: median of 30 runs of 100 ticks ${median(result.runs).toFixed(3)} ms per tick; ` +
    `single ticks: median ${median(result.ticks).toFixed(1)} ms, 90 % ${p90(result.ticks).toFixed(1)} ms`);
  console.log(`Timer3 redraw of both spectra: median ${median(result.redraws).toFixed(3)} ms`);
  console.log(`module: velox_web.wasm ${wasm.length} bytes (gzip -9: ${gz(wasm)}), velox_web.js ${script.length} bytes ` +
    `(gzip -9: ${gz(script)})`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
