// Pictures of the page in headless chromium: the main window after a few
// seconds of a run at 100 % and at 200 % (device pixel ratio 2), and the
// cavity dialog, the quit confirmation and the exercise text open over it.
//   node web/tools/screenshots.mjs build-web/site build-web/screenshots
import fs from 'node:fs';
import path from 'node:path';
import { serveFolder, launchChromium } from '../../tests/web/page_driver.mjs';

const [site = 'build-web/site', out = 'build-web/screenshots'] = process.argv.slice(2);
fs.mkdirSync(out, { recursive: true });
const server = await serveFolder(path.resolve(site));
const browser = await launchChromium();
try {
  for (const scale of [1, 2]) {
    const page = await browser.newPage({ viewport: { width: 950, height: 602 }, deviceScaleFactor: scale });
    await page.goto(server.url);
    await page.waitForFunction(() => window.veloxPage?.ready);
    await page.click('#Button1');
    await page.waitForTimeout(4000);
    await page.click('#Button1');
    await page.waitForTimeout(1100);  // the next once-a-second redraw of the spectra
    const name = path.join(out, `web-${scale * 100}.png`);
    await page.screenshot({ path: name });
    console.log(name);
    if (scale === 1) {
      await page.click('#Shape2', { button: 'right' });
      await page.screenshot({ path: path.join(out, 'web-cavity-dialog.png') });
      console.log(path.join(out, 'web-cavity-dialog.png'));
      await page.click('#CavityCancelBtn');
      await page.click('#Vge1');
      await page.screenshot({ path: path.join(out, 'web-quit-confirmation.png') });
      console.log(path.join(out, 'web-quit-confirmation.png'));
      await page.click('#QuitCancelBtn');
      await page.click('#Feladat1');
      await page.locator('#TaskButton1').waitFor();
      await page.screenshot({ path: path.join(out, 'web-task-text.png') });
      console.log(path.join(out, 'web-task-text.png'));
    }
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
}
