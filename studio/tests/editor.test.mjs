// The studio's editor in Debian's chromium: a picture quiz typed in from
// nothing builds as tevra-pack build of its folder, saved and opened again it
// builds the same, findings stand beside their fields, answers tried give the
// native verdicts, the work comes back when the page is opened again, and a
// browser without room for it says so.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, test } from 'node:test';

import {
  addFolder, control, exampleDirs, examplePicture, faultyQuizzes, folderFiles, launchChromium, loadApi,
  nativeBuild, openFiles, openStudio, pack, scratch, serveStudio, writeQuiz,
} from './support.mjs';

let browser;
let server;
let api;
before(async () => {
  browser = await launchChromium();
  server = await serveStudio();
  api = await loadApi();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const formes = exampleDirs().formes;

// The formes quiz as the editor's model, read by the core under node.
function formesModel() {
  addFolder(api, formes);
  api.readQuiz('quiz.toml');
  return api.model().quiz;
}

// Clicks a control that delivers a file: its name and where it is kept under that name.
async function download(page, name) {
  const [file] = await Promise.all([page.waitForEvent('download'), page.click(control(name))]);
  const path = join(scratch(), file.suggestedFilename());
  await file.saveAs(path);
  return { name: file.suggestedFilename(), path };
}

const built = async (page) => readFileSync((await download(page, 'build')).path);

// Types a whole quiz into the form of a new quiz, as an author does.
async function typeQuiz(page, quiz, dir) {
  await page.click(control('new-quiz'));
  for (const key of ['title', 'subtitle', 'author', 'link', 'footer']) {
    await page.fill(control(`quiz-${key}`), quiz[key]);
  }
  await page.selectOption(control('quiz-display'), quiz.display);
  await page.selectOption(control('quiz-kind'), String(quiz.kind));
  const hex = '#' + quiz.colour.map((part) => part.toString(16).padStart(2, '0')).join('');
  await page.fill(control('quiz-colour'), hex);
  for (const [index, question] of quiz.questions.entries()) {
    await page.click(control('add-question'));
    const field = (key) => control(`question-${index + 1}-${key}`);
    for (const key of ['text', 'answer1', 'extra']) await page.fill(field(key), question[key]);
    for (const key of ['picture', 'answer_picture']) {
      await page.setInputFiles(field(key), join(dir, question[key]));
      await page.waitForSelector(`${control(`question-${index + 1}-${key}-drop`)} img`);
    }
  }
  for (const [index, code] of quiz.codes.split('\n').entries()) {
    if (code) await page.fill(control(`code-${index + 1}`), code);
  }
}

test('the formes quiz typed in from nothing builds as tevra-pack build, and again once saved and opened', async () => {
  const studio = await openStudio(browser, server.url);
  const { page } = studio;
  await typeQuiz(page, formesModel(), formes);
  const native = nativeBuild(formes);
  assert.ok((await built(page)).equals(native), 'the typed quiz builds other bytes');
  const thumb = await page.$eval(`${control('question-1-picture-drop')} img`, (i) => [i.width, i.height]);
  assert.deepEqual(thumb, [api.fitPicture('triangle.png', 300, 300).fitted.width,
                           api.fitPicture('triangle.png', 300, 300).fitted.height]);

  const zip = await download(page, 'save');
  assert.equal(zip.name, 'formes-geometriques.zip');
  await openFiles(page, [zip.path]);
  assert.ok((await built(page)).equals(native), 'the saved quiz builds other bytes');
  assert.deepEqual(studio.errors, []);
  await studio.close();
});

// The field a finding of the core concerns, as the form names it.
const fieldOf = (f) => (f.question ? `question-${f.question}-` : 'quiz-') +
    f.field.replace(/^answers?(\[1\])?$/, 'answer1');

test('every finding stands beside its field, as the author types too', async () => {
  const studio = await openStudio(browser, server.url);
  const { page } = studio;
  for (const name of ['warnings only', 'missing picture', 'not a picture']) {
    const dir = writeQuiz(faultyQuizzes[name]);
    addFolder(api, dir);
    api.readQuiz('quiz.toml');
    const findings = api.check().findings.filter((f) => f.field);
    assert.ok(findings.length > 0, name);
    await openFiles(page, folderFiles(dir));
    for (const finding of findings) {
      // A field the kind never shows is not offered: its findings stand by its question.
      const field = await page.$(control(`${fieldOf(finding)}-findings`)) ||
          await page.$(control(`question-${finding.question}-findings`));
      const beside = await field.$$eval('li', (items) => items.map((item) => item.dataset.text));
      // The page writes the quiz.toml again from its form: lines may move.
      const placeless = (text) => text.replace(/^[^:]*(?::\d+)?: /, '');
      assert.ok(beside.map(placeless).includes(placeless(finding.text)),
                `${name}: ${finding.text} / ${beside}`);
    }
  }
  await page.fill(control('question-1-answer1'), 'A'.repeat(86));
  await page.fill(control('quiz-title'), 'Formes ☃');
  await page.waitForFunction(() => document.querySelector('[data-test="quiz-title-findings"]').textContent);
  assert.match(await page.textContent(control('question-1-answer1-findings')), /^Erreur : fait 86 caractères, plus que les 85 permis$/);
  assert.match(await page.textContent(control('quiz-title-findings')), /^Erreur : le caractère U\+2603 /);
  assert.equal(await page.isDisabled(control('build')), true);
  await openFiles(page, folderFiles(formes));
  // Within their own limits, but together too long for the player's built-in block.
  await page.fill(control('quiz-link'), 'http://qzjx.kvwp/ybtfmgu');
  await page.fill(control('quiz-footer'), 'Xq7 Zr9 Wv2 Kp4 Jm8 Bn3 Hd6 Yt5 Lc1 Fg0 Sw');
  await page.waitForFunction(() => document.querySelector('[data-test="quiz-link-findings"]').textContent);
  assert.match(await page.textContent(control('quiz-link-findings')), /Erreur : le lien et le texte du coin prennent trop de place/);
  assert.deepEqual(studio.errors, []);
  await studio.close();
});

// A French wording under a misspelt code would never be used: the page would
// fall back to the English text without a word.
test('the page words findings in French by codes the core has', () => {
  const root = fileURLToPath(new URL('../..', import.meta.url));
  const core = readFileSync(join(root, 'tools/findings.cpp'), 'utf8');
  const codes = new Set([...core.matchAll(/FindingCode::k\w+,\s*"([a-z0-9-]+)"/g)].map((m) => m[1]));
  const page = readFileSync(join(root, 'studio/studio.js'), 'utf8');
  const table = /const frenchWordings = \{([\s\S]*?)\n {2}\};/.exec(page)[1];
  const keys = [...table.matchAll(/^ *'([a-z0-9-]+)(?::[a-z_]+)?':/gm)].map((m) => m[1]);
  assert.ok(codes.size > 50 && keys.length > 40, `${codes.size} codes, ${keys.length} wordings`);
  assert.deepEqual(keys.filter((key) => !codes.has(key)), []);
});

test('"Essayer une réponse" gives the native verdict and its colour', async () => {
  const studio = await openStudio(browser, server.url);
  const { page } = studio;
  await openFiles(page, folderFiles(formes));
  const answers = formesModel().questions.map((q) => q.answer1);
  const tries = [[1, 'triangle'], [1, 'TRIANGLE'], [1, 'triangl'], [1, 'tri'], [2, 'carre'],
                 [2, 'carré'], [6, 'etoile'], [9, 'trapezes'], [3, 'hexagone'], [4, 'x'], [7, 'octogonee']];
  const run = pack(['judge', '--batch'],
                   { input: tries.map(([n, typed]) => `${answers[n - 1]}\t${typed}`).join('\n') });
  const native = run.stdout.trimEnd().split('\n');
  for (const [i, [number, typed]] of tries.entries()) {
    await page.selectOption(control('try-question'), String(number));
    await page.fill(control('try-typed'), typed);
    const shown = await page.$eval(control('try-verdict'), (v) => [v.textContent, v.dataset.colour]);
    const colour = api.judge(answers[number - 1], typed).colour;
    assert.deepEqual(shown, [native[i], colour || ''], `${number} / ${typed}`);
  }
  assert.deepEqual(studio.errors, []);
  await studio.close();
});

test('the work comes back when the page is opened again, and a full browser says so', async () => {
  const studio = await openStudio(browser, server.url);
  const { page } = studio;
  await openFiles(page, folderFiles(formes));
  await page.fill(control('quiz-title'), 'Mes formes');
  await page.waitForSelector('body[data-kept="true"]');
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.inputValue(control('quiz-title')), 'Mes formes');
  assert.equal(await page.locator(`${control('questions')} img`).count(), 18);
  await page.fill(control('quiz-title'), 'Formes géométriques');
  assert.ok((await built(page)).equals(nativeBuild(formes)));
  await studio.close();

  const full = await openStudio(browser, server.url);
  await full.page.evaluate(() => {
    IDBObjectStore.prototype.put = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  await openFiles(full.page, folderFiles(formes));
  await full.page.waitForSelector(`${control('storage')}:not([hidden])`);
  assert.match(await full.page.textContent(control('storage')), /plus de place.*Enregistrer/);
  const zip = await download(full.page, 'storage-save');
  assert.equal(zip.name, 'formes-geometriques.zip');
  await full.close();
});

test('questions are moved, removed, given a dropped picture and a hidden second box', async () => {
  const studio = await openStudio(browser, server.url);
  const { page } = studio;
  await openFiles(page, folderFiles(exampleDirs().drapeaux));
  const answers = async () => page.$$eval(`${control('questions')} > li`, (items) =>
    items.map((item, i) => item.querySelector(`[data-test="question-${i + 1}-answer1"]`).value));
  const [first, second] = await answers();
  await page.click(control('question-2-up'));
  await page.click(control('question-1-remove'));
  assert.deepEqual((await answers()).slice(0, 1), [first]);
  assert.equal(await page.locator(`${control('codes')} input`).count(), 11, second);

  await page.check(control('question-1-hide2'));
  assert.equal(await page.locator(control('question-1-answer2')).count(), 0);
  await page.selectOption(control('try-box'), 'answer2');
  await page.fill(control('try-typed'), 'x');
  assert.equal(await page.textContent(control('try-verdict')), 'cette case est cachée');

  const picture = await page.evaluateHandle((bytes) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], 'posé.png'));
    return transfer;
  }, [...examplePicture()]);
  await page.dispatchEvent(control('question-1-picture-drop'), 'drop', { dataTransfer: picture });
  await page.waitForSelector(`${control('question-1-picture-drop')} img`);
  // Another picture of the same name does not take the place of the first.
  await page.setInputFiles(control('question-2-picture'),
                           { name: 'posé.png', mimeType: 'image/png', buffer: readFileSync(folderFiles(formes)[1]) });
  await page.waitForSelector(`${control('question-2-picture-drop')} >> text=posé-2.png`);
  const zip = await download(page, 'save');
  const saved = writeQuiz({});
  spawnSync('python3', ['-m', 'zipfile', '-e', zip.path, saved]);
  const toml = readFileSync(join(saved, 'quiz.toml'), 'utf8');
  assert.match(toml, /answers = \[".*", "-"\]\nextra = .*\npicture = "posé.png"/);
  assert.ok(readFileSync(join(saved, 'posé.png')).equals(examplePicture()));
  assert.ok((await built(page)).equals(nativeBuild(saved)));
  assert.deepEqual(studio.errors, []);
  await studio.close();
});
