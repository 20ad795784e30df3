// The studio's benchmark: a 20-picture quiz opened in Debian's chromium, over
// http and as a local file. Reports the page's load time (navigation to the
// module ready), the time from the build click to the finished download, and
// the size of the WebAssembly module. Medians of a few runs; nothing is
// asserted.
import { spawnSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

import {
  buildDownload, folderFiles, launchChromium, openFiles, openStudio, scratch, serveStudio,
  studioDir, studioFileUrl,
} from '../tests/support.mjs';

const kPictures = 20;
const kRuns = 7;

// 20 pictures of 300 x 300 noise (what photographs compress like), and their quiz.
function makeQuiz() {
  const dir = scratch();
  let toml = 'title = "Vingt images"\ndisplay = "pictures"\n';
  for (let n = 1; n <= kPictures; ++n) {
    const name = `image${n}.${n % 2 ? 'png' : 'jpg'}`;
    const draw = spawnSync('convert', ['-seed', String(n), '-size', '300x300', 'plasma:fractal',
                                       join(dir, name)]);
    if (draw.status !== 0) throw new Error(`convert: ${draw.stderr}`);
    toml += `\n[[question]]\nanswer = "Image numéro ${n}"\npicture = "${name}"\n`;
  }
  writeFileSync(join(dir, 'quiz.toml'), toml);
  return dir;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function measure(browser, url, files) {
  const loads = [];
  const builds = [];
  for (let run = 0; run < kRuns; ++run) {
    const studio = await openStudio(browser, url);
    loads.push(studio.loadMs);
    await openFiles(studio.page, files);
    const clicked = performance.now();
    await buildDownload(studio.page);
    builds.push(performance.now() - clicked);
    await studio.close();
  }
  return { load: median(loads), build: median(builds) };
}

const module = readFileSync(join(studioDir, 'tevra_studio.js'), 'utf8');
const wasm = Buffer.from(module.match(/data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/)[1],
                         'base64');
const dir = makeQuiz();
const files = folderFiles(dir);
const pictureBytes = files.filter((f) => !f.endsWith('.toml'))
    .reduce((sum, f) => sum + readFileSync(f).length, 0);
console.log(`WebAssembly module: ${wasm.length} bytes (${gzipSync(wasm).length} gzipped); ` +
            `tevra_studio.js with it embedded: ${module.length} bytes`);
console.log(`quiz: ${kPictures} pictures of 300 x 300, ${pictureBytes} bytes in all`);
const browser = await launchChromium();
const server = await serveStudio();
try {
  for (const [mode, url] of [['http', server.url], ['file', studioFileUrl()]]) {
    const { load, build } = await measure(browser, url, files);
    console.log(`${mode}: load ${load.toFixed(0)} ms, build click to download ${build.toFixed(0)} ms ` +
                `(medians of ${kRuns})`);
  }
} finally {
  await browser.close();
  await server.close();
}
