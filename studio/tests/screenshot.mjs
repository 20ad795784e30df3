// node studio/tests/screenshot.mjs OUT.png: the studio page with the picture
// example formes opened and built, as the README shows it.
import {
  buildDownload, exampleDirs, launchChromium, openFiles, openStudio, studioFileUrl,
} from './support.mjs';

const out = process.argv[2] || 'build/studio-screenshot.png';
const browser = await launchChromium();
try {
  const studio = await openStudio(browser, studioFileUrl());
  await studio.page.setViewportSize({ width: 900, height: 640 });
  await openFiles(studio.page, exampleDirs().formes, 'open-folder');
  await buildDownload(studio.page);
  await studio.page.evaluate(() => window.scrollTo(0, 0));
  await studio.page.screenshot({ path: out, fullPage: true });
  console.log(`screenshot: ${out}`);
} finally {
  await browser.close();
}
