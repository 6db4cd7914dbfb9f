// The page in headless chromium: start-up, the run commands, the cavity
// dialog, the target's drag, loading through the file picker, the export
// and the timed run against velox-batch.
//   VELOX_SITE=build-web/site VELOX_BATCH=build/velox-batch node tests/web/page_test.mjs
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { serveFolder, launchChromium } from './page_driver.mjs';

const site = process.env.VELOX_SITE ?? 'build-web/site';
const batch = process.env.VELOX_BATCH ?? 'build/velox-batch';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velox-web-'));
const root = path.join(work, 'site');
fs.cpSync(site, root, { recursive: true });
// A set-up of three cavities that setup= names; the default teszt02.gydat is
// absent, so the plain page starts from the built-in accelerator.
const threeCavities = 'Cavity num =3\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\n' +
  'Cavity =\t12\t70\t12\t70\r\nTarget =500\r\nFreq =55\r\nAmpli =40\r\nStartfazis =10\r\nStopfazis =90\r\n';
fs.writeFileSync(path.join(root, 'harom.gydat'), threeCavities);

const server = await serveFolder(root);
const browser = await launchChromium();
after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
});

async function open(query = '') {
  const page = await browser.newPage({ acceptDownloads: true, viewport: { width: 950, height: 602 } });
  page.on('pageerror', (e) => { throw e; });
  await page.goto(`${server.url}/${query}`);
  await page.waitForFunction(() => window.veloxPage?.ready);
  return page;
}

// What the page shows: the controls' texts, enabled states and checks.
const shown = (page) => page.evaluate(() => {
  const q = (id) => document.getElementById(id);
  const out = { text: {}, enabled: {}, checked: {}, cavities: 0 };
  for (const id of ['Button1', 'Button2', 'Button3', 'Button4', 'Button5', 'Label20', 'Label26'])
    out.text[id] = q(id).textContent;
  for (const id of ['Edit2', 'Edit4', 'Edit13', 'Edit14', 'Edit15', 'Edit5', 'Edit9', 'Edit7', 'Edit11'])
    out.text[id] = q(id).value.trim();
  for (const id of ['Button1', 'Button2', 'Button3', 'Button4', 'Button5', 'Edit13', 'Edit14', 'Betlts1'])
    out.enabled[id] = !q(id).disabled;
  for (const id of ['CheckBox1', 'CheckBox4', 'RadioButton1']) out.checked[id] = q(`${id}Box`).checked;
  for (let k = 1; k <= 21; k += 1) out.cavities += q(`Shape${k}`).hidden ? 0 : 1;
  out.targetLeft = parseInt(q('Target').style.left, 10);
  out.speed = q('ComboBox1').selectedOptions[0].textContent;
  return out;
});

async function answer(page, caption) {
  await page.locator('dialog[open] .buttons button', { hasText: caption }).click();
}

async function downloadOf(page, action) {
  const [download] = await Promise.all([page.waitForEvent('download'), action()]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

async function menu(page, top, item) {
  await page.locator('#menu > div > button', { hasText: top }).click();
  await page.locator(`#${item}`).click();
}

// The controls as the page shows them, in the terms of the layer's dump.
const shownControls = (page) => page.evaluate(() => {
  const out = {};
  for (const node of document.querySelectorAll('#client [id], #menu [id]')) {
    const box = node.matches('label.check, label.radio') && node.firstChild;
    if (box) out[node.id] = { text: node.textContent, enabled: !box.disabled, checked: box.checked };
    else if (node.matches('input.edit')) out[node.id] = { text: node.value.trim(), enabled: !node.disabled };
    else if (node.matches('button')) out[node.id] = { text: node.textContent, enabled: !node.disabled };
    else if (node.matches('fieldset')) out[node.id] = { text: node.firstChild.textContent };
    else if (node.matches('.label, .heading')) out[node.id] = { text: node.textContent.replace(/\s+/g, ' ') };
  }
  return out;
});

// The axes of a plot on a canvas: the longest horizontal and vertical runs of
// white pixels, and the tick marks that stand out from them by two pixels.
const plotAxes = (page, id) => page.evaluate((id2) => {
  const c = document.getElementById(id2);
  const { data, width, height } = c.getContext('2d').getImageData(0, 0, c.width, c.height);
  const white = (x, y) => data[4 * (y * width + x)] > 200 && data[4 * (y * width + x) + 2] > 200;
  const longest = (outer, inner, at) => {
    let best = [0, 0];
    for (let i = 0; i < outer; i += 1) {
      for (let j = 0, n = 0; j < inner; j += 1) {
        n = at(i, j) ? n + 1 : 0;
        if (n > best[0]) best = [n, i];
      }
    }
    return best;
  };
  const [h, row] = longest(height, width, (y, x) => white(x, y));
  const [v, column] = longest(width, height, (x, y) => white(x, y));
  let countTicks = 0;
  let channelTicks = 0;
  for (let y = 0; y < height; y += 1) countTicks += white(column - 2, y) ? 1 : 0;
  for (let x = 0; x < width; x += 1) channelTicks += white(x, row + 2) ? 1 : 0;
  return { h, v, countTicks, channelTicks };
}, id);

test("start-up: the layer's expected state, shown; the file setup= names", async () => {
  const page = await open();
  const expected = fs.readFileSync(new URL('../expected/startup_state.json', import.meta.url), 'utf8');
  assert.equal(await page.evaluate(() => window.veloxPage.face.dump()), expected);
  const want = JSON.parse(expected);
  const controls = await shownControls(page);
  assert.ok(Object.keys(controls).length > 70, Object.keys(controls).join());
  for (const [name, got] of Object.entries(controls)) {
    assert.ok(want[name], name);
    for (const [key, value] of Object.entries(got))
      assert.equal(value, key === 'text' ? want[name].text.replace(/\s+/g, ' ') : want[name][key], `${name}.${key}`);
  }
  const s = await shown(page);
  assert.deepEqual([s.cavities, s.targetLeft], [2, 400]);
  // Both plots show their axes: the channel axis over most of the width, the count axis over most of the height.
  for (const id of ['Image2', 'Image3']) {
    const a = await plotAxes(page, id);
    assert.ok(a.h > 200 && a.v > 130 && a.countTicks >= 5 && a.channelTicks >= 5, `${id}: ${JSON.stringify(a)}`);
  }
  await page.click('#Feladat1');
  assert.match(await page.locator('#task .text').textContent(), /VELOX – lineáris gyorsító szimulációja/);
  await page.click('#TaskButton1');
  // "Vége": Cancel keeps the page running, OK ends it.
  for (const [button, running] of [['#QuitCancelBtn', true], ['#QuitOKBtn', false]]) {
    await page.click('#Vge1');
    await page.click(button);
    assert.equal(await page.locator('#ended').isHidden(), running);
  }
  await page.close();

  const named = await open('?setup=harom.gydat');
  const h = await shown(named);
  assert.deepEqual([h.cavities, h.targetLeft, h.text.Edit13, h.text.Edit14, h.text.Edit4], [3, 500, '10', '90', '45']);
  const saved = await downloadOf(named, () => menu(named, 'Gyorsító adatai', 'Kirs1'));
  assert.equal(saved.name, 'harom.gydat');
  await named.close();

  // Anything but a plain name beside the page is refused: the page starts as without a start-up file.
  for (const query of ['?setup=../harom.gydat', '?setup=%2Fharom.gydat', '?setup=http:harom.gydat', '?setup=nincs.gydat']) {
    const refused = await open(query);
    assert.equal((await shown(refused)).cavities, 2, query);
    await refused.close();
  }
});

test('run, single step and restart; a number field refuses an entry and takes the focus back', async () => {
  const page = await open();
  await page.fill('#Edit5', '1e3');
  await page.press('#Edit5', 'Enter');
  // The whole text selected again in the field that keeps the focus.
  await page.waitForFunction(() => {
    const e = document.activeElement;
    return e.id === 'Edit5' && e.value.slice(e.selectionStart, e.selectionEnd) === '1e3';
  });
  await page.fill('#Edit5', '300');
  await page.press('#Edit5', 'Enter');
  await page.waitForFunction(() => document.activeElement.id === 'CheckBox1Box');
  assert.equal((await page.inputValue('#Edit5')).trim(), '300');
  await page.click('#Button2');
  assert.notEqual((await shown(page)).text.Label26, 'Fázis =');
  await page.click('#Button1');
  let s = await shown(page);
  assert.equal(s.text.Button1, 'Stop');
  assert.deepEqual([s.enabled.Button2, s.enabled.Button3, s.enabled.Button4], [false, false, false]);
  await page.waitForFunction(() => !/beérkezett = 0$/.test(document.getElementById('Label20').textContent));
  await page.click('#Button1');
  s = await shown(page);
  assert.equal(s.text.Button1, 'Folytatás');
  assert.ok(s.enabled.Button2 && s.enabled.Button3);
  const launched = Number(/indított = (\d+)/.exec(s.text.Label20)[1]);
  assert.ok(launched > 0);
  // Results stand, so the restart asks; No in free mode still restarts the clock, Yes clears.
  await page.selectOption('#ComboBox1', { label: '1' });
  await page.click('#Button3');
  await answer(page, 'Nem');
  await page.waitForTimeout(300);  // the clock shows from the next tick on
  await page.click('#Button1');
  s = await shown(page);
  assert.ok(s.text.Edit15 < '00:00:01' && Number(/indított = (\d+)/.exec(s.text.Label20)[1]) >= launched);
  await page.click('#Button3');
  await answer(page, 'Igen');
  await page.waitForTimeout(300);
  await page.click('#Button1');
  s = await shown(page);
  assert.match(s.text.Label20, /beérkezett = 0$/);
  assert.ok(s.text.Edit15 < '00:00:01');
  await page.close();
});

test('cavity dialog: add with a refused field, edit, delete; the target is dragged', async () => {
  const page = await open();
  const field = (k) => page.locator(`#CavityEdit${k}`);
  await page.click('#Button4');
  for (const [k, v] of [[1, '40'], [2, '3'], [3, '$0C'], [4, '30']]) await field(k).fill(v);
  await page.click('#CavityOKBtn');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'CavityEdit2');
  await field(2).fill('14');
  await page.click('#CavityOKBtn');
  assert.equal((await shown(page)).cavities, 3);
  const cavityLines = async () => (await downloadOf(page, () => menu(page, 'Gyorsító adatai', 'Kirs1')))
    .bytes.toString().split('\r\n').filter((l) => l.startsWith('Cavity ='));
  // The start-up file is current even when it was missing; no results file is yet, so the first "Kiírás" asks.
  assert.equal((await downloadOf(page, () => menu(page, 'Gyorsító adatai', 'Kirs1'))).name, 'teszt02.gydat');
  const first = await downloadOf(page, async () => {
    await menu(page, 'Eredmények', 'Kirs2');
    assert.equal(await page.locator('dialog[open] input').inputValue(), 'velox.edat');
    await page.locator('dialog[open] input').fill('mappa/sajat');
    await answer(page, 'Mentés');
  });
  assert.equal(first.name, 'sajat.edat');
  assert.equal((await downloadOf(page, () => menu(page, 'Eredmények', 'Kirs2'))).name, 'sajat.edat');
  assert.deepEqual((await cavityLines())[2], 'Cavity =\t14\t40\t12\t30');

  await page.click('#Shape3', { button: 'right' });
  assert.equal(await field(1).inputValue(), '40');
  await field(1).fill('44');
  await page.click('#CavityOKBtn');
  assert.deepEqual((await cavityLines())[2], 'Cavity =\t14\t44\t12\t30');
  await page.click('#Shape1', { button: 'right' });
  await page.click('#CavityButton1');
  await answer(page, 'Igen');
  const lines = await cavityLines();
  assert.deepEqual([lines.length, lines[0]], [2, 'Cavity =\t16\t95\t20\t80']);

  const box = await page.locator('#Image1').boundingBox();
  const target = await page.locator('#Target').boundingBox();
  await page.mouse.move(target.x + 4, target.y + 4);
  await page.mouse.down();
  await page.mouse.move(box.x + 200, box.y + 100, { steps: 5 });
  await page.mouse.up();
  assert.equal((await shown(page)).targetLeft, 13 + 200 - 4);
  await page.close();
});

test('loading through the file picker, and the export', async () => {
  const page = await open();
  const pick = async (item, name, bytes) => {
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), menu(page, item === 'Betlts1'
      ? 'Gyorsító adatai' : 'Eredmények', item)]);
    await chooser.setFiles({ name, mimeType: 'application/octet-stream', buffer: Buffer.from(bytes) });
  };
  await pick('Betlts1', 'harom.gydat', threeCavities);
  await page.waitForFunction(() => !document.getElementById('Shape3').hidden);
  // Three arrivals of 10, 20 and 30 with their closing records.
  const records = [10, 20, 30, -9999, 0.1, 0.2, 0.3, -9999, 3, 7, 36526.5, 1, 0, 100, 20, 1, 0.05, 0, 100, 20, 1];
  const edat = Buffer.alloc(8 * records.length);
  records.forEach((v, k) => edat.writeDoubleLE(v, 8 * k));
  await pick('Betlts2', 'harom.edat', edat);
  await page.waitForFunction(() => document.getElementById('Label20').textContent.includes('beérkezett = 3'));
  assert.equal((await shown(page)).text.Edit15, '12:00:00');
  await pick('Betlts2', 'rossz "2".edat', edat.subarray(0, 8 * 12));
  assert.match(await page.locator('dialog[open] .body').textContent(), /rossz "2"\.edat[\s\S]*változatlanok maradtak/);
  await answer(page, 'OK');

  const exported = async (name) => downloadOf(page, async () => {
    await menu(page, 'Eredmények', 'Exportls1');
    await page.locator('dialog[open] input').fill(name);
    await answer(page, 'Mentés');
  });
  const csv = await exported('jegyzokonyv');
  assert.equal(csv.name, 'jegyzokonyv.csv');
  assert.equal(csv.bytes.toString().trim().split(/\r?\n/).length, 1 + 3);
  const png = await exported('kep.PNG');
  assert.equal(png.name, 'kep.PNG');
  assert.equal(png.bytes.subarray(1, 4).toString(), 'PNG');
  assert.deepEqual([png.bytes.readUInt32BE(16), png.bytes.readUInt32BE(20)], [2 * 530, 2 * 179]);
  // The chosen spectrum's marker line, two pixels wide over the whole height.
  const yellow = await page.evaluate(async (b64) => {
    const image = await createImageBitmap(new Blob([Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0))]));
    const ctx = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height }).getContext('2d');
    ctx.drawImage(image, 0, 0);
    const { data } = ctx.getImageData(0, 0, image.width, image.height);
    let n = 0;
    for (let k = 0; k < data.length; k += 4) n += data[k] > 200 && data[k + 1] > 200 && data[k + 2] < 60 ? 1 : 0;
    return n;
  }, png.bytes.toString('base64'));
  assert.ok(yellow > 600 && yellow <= 2 * 2 * 179, String(yellow));
  await page.close();
});

test('timed run at speed 5: the files of velox-batch, the count-axis tops by their rule', { timeout: 180000 }, async () => {
  const out = path.join(work, 'batch');
  execFileSync(batch, ['--out', out]);
  const page = await open();
  await page.click('#CheckBox4Box');
  // From the click on "Újraindít" to the end message, by the page's clock.
  await page.evaluate(() => {
    document.getElementById('Button3').addEventListener('click', () => { window.t0 = performance.now(); }, { capture: true });
    new MutationObserver(() => { window.t1 ??= document.querySelector('dialog[open]') ? performance.now() : undefined; })
      .observe(document.body, { subtree: true, childList: true, attributes: true });
  });
  await page.click('#Button3');
  await page.locator('dialog[open] .title', { hasText: '*** INFORMÁCIÓ ***' }).waitFor({ timeout: 120000 });
  const wall = await page.evaluate(() => (window.t1 - window.t0) / 1000);
  console.log(`timed run: ${wall.toFixed(2)} s of wall time`);
  assert.ok(wall < 61, `${wall} s`);
  const files = {};
  page.on('download', async (d) => { files[d.suggestedFilename()] = fs.readFileSync(await d.path()); });
  await answer(page, 'OK');
  await page.waitForFunction(() => !document.getElementById('ended').hidden);
  await new Promise((resolve) => { setTimeout(resolve, 1000); });
  assert.deepEqual(Object.keys(files).sort(), ['VELOX_2013.edat', 'VELOX_2013.gydat']);
  assert.ok(files['VELOX_2013.gydat'].equals(fs.readFileSync(path.join(out, 'VELOX_2013.gydat'))));

  const mine = files['VELOX_2013.edat'];
  const theirs = fs.readFileSync(path.join(out, 'VELOX_2013.edat'));
  assert.equal(mine.length, theirs.length);
  // The closing records end with the settings of the energy, then of the
  // time spectrum: channel width, Xmin, Xmax, Ymax, Auto each.
  const records = mine.length / 8;
  const yMax = [records - 7, records - 2];
  for (let k = 0; k < records; k += 1)
    if (!yMax.includes(k)) assert.ok(mine.subarray(8 * k, 8 * k + 8).equals(theirs.subarray(8 * k, 8 * k + 8)), `record ${k}`);
  // velox-batch gives the top of the final counts; the page's last redraw
  // came up to a second earlier, from counts no higher.
  for (const k of yMax) {
    const [top, final] = [mine.readDoubleLE(8 * k), theirs.readDoubleLE(8 * k)];
    const reachable = await page.evaluate(({ top, final }) => {
      const rule = window.veloxPage.module.autoCountAxisTop;
      for (let c = 0; rule(c) <= final; c += 1) if (rule(c) === top) return true;
      return false;
    }, { top, final });
    assert.ok(reachable && top <= final, `Ymax ${top} against ${final}`);
  }
  await page.close();
});
