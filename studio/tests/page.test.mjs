// The studio page in Debian's chromium, served on 127.0.0.1 and opened as a
// local file: every example built through the page is the native packer's
// executable byte for byte, an executable opened gives back its quiz, a
// faulty quiz shows its findings and delivers nothing, and the page never
// reports an error.
import assert from 'node:assert/strict';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  buildDownload, control, exampleDirs, faultyQuizzes, folderFiles, launchChromium, nativeBuild,
  openFiles, openStudio, scratch, serveStudio, studioFileUrl, writeQuiz,
} from './support.mjs';

let browser;
let server;
before(async () => {
  browser = await launchChromium();
  server = await serveStudio();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const messages = (page) => page.$$eval(`${control('messages')} li`, (items) =>
  items.map((item) => ({ severity: item.dataset.severity, text: item.textContent })));

for (const [mode, url] of [['http', () => server.url], ['file', studioFileUrl]]) {
  describe(`opened over ${mode}`, () => {
    let studio;
    before(async () => { studio = await openStudio(browser, url()); });
    after(async () => {
      assert.deepEqual(studio.errors, []);
      await studio.close();
    });

    for (const [name, dir] of Object.entries(exampleDirs())) {
      test(`${name} builds as tevra-pack build`, async () => {
        await openFiles(studio.page, folderFiles(dir));
        const download = await buildDownload(studio.page);
        assert.ok(download.bytes.equals(nativeBuild(dir)), 'the executables differ');
        assert.match(download.name, /^[a-z0-9-]+\.exe$/);
      });
    }

    test('a folder opened names the executable after it', async () => {
      await openFiles(studio.page, exampleDirs().formes, 'open-folder');
      const download = await buildDownload(studio.page);
      assert.equal(download.name, 'formes.exe');
      assert.ok(download.bytes.equals(nativeBuild(exampleDirs().formes)));
    });

    test('a quiz executable gives back its quiz and builds the same', async () => {
      const exe = join(scratch(), 'drapeaux.exe');
      writeFileSync(exe, nativeBuild(exampleDirs().drapeaux));
      await openFiles(studio.page, [exe]);
      assert.match(await studio.page.textContent(control('summary')), /« Drapeaux du monde » : 12 questions/);
      const download = await buildDownload(studio.page);
      assert.equal(download.name, 'drapeaux.exe');
      assert.ok(download.bytes.equals(nativeBuild(exampleDirs().drapeaux)));
    });

    test('a faulty quiz shows its findings and delivers nothing', async () => {
      for (const name of ['syntax error', 'missing picture', 'not a picture']) {
        const dir = writeQuiz(faultyQuizzes[name]);
        const before = studio.downloads.length;
        await openFiles(studio.page, folderFiles(dir));
        if (await studio.page.isEnabled(control('build'))) await studio.page.click(control('build'));
        const shown = await messages(studio.page);
        assert.ok(shown.some((m) => m.severity === 'error' && m.text.startsWith('Erreur : quiz.toml')),
                  `${name}: ${JSON.stringify(shown)}`);
        assert.equal(await studio.page.isHidden(control('download')), true, name);
        assert.equal(studio.downloads.length, before, name);
      }
    });
  });
}
