// node studio/tests/screenshot.mjs OUT.png: the studio page with the picture
// example formes opened in the editor, its top as the README shows it.
import { control, exampleDirs, launchChromium, openFiles, openStudio, studioFileUrl } from './support.mjs';

const out = process.argv[2] || 'build/studio-screenshot.png';
const browser = await launchChromium();
try {
  const studio = await openStudio(browser, studioFileUrl());
  await studio.page.setViewportSize({ width: 900, height: 1500 });
  await openFiles(studio.page, exampleDirs().formes, 'open-folder');
  await studio.page.selectOption(control('try-question'), '2');
  await studio.page.fill(control('try-typed'), 'carre');
  await studio.page.evaluate(() => window.scrollTo(0, 0));
  await studio.page.screenshot({ path: out });
  console.log(`screenshot: ${out}`);
} finally {
  await browser.close();
}
