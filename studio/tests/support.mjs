// What the studio's tests and benchmark share: where the builds are, the
// native packer to compare with, the studio module under node, the example
// folders and the faulty quizzes, the page served on 127.0.0.1 and Debian's
// chromium.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, statSync, writeFileSync, mkdirSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const studioDir = process.env.TEVRA_STUDIO_DIR || join(root, 'build/studio');
export const packProgram = process.env.TEVRA_PACK || join(root, 'build/native/tools/tevra-pack');
// The win64 build holds every example ready to pack, media drawn and recorded.
const builtExamples = join(root, 'build/win64/examples');

export function scratch() {
  return mkdtempSync(join(tmpdir(), 'tevra-studio-'));
}

// Runs the native tevra-pack: {status, stdout, stderr}.
export function pack(args, { cwd, input } = {}) {
  const run = spawnSync(packProgram, args, { cwd, input, encoding: 'utf8' });
  if (run.error) throw run.error;
  return run;
}

export async function loadApi() {
  const require = createRequire(import.meta.url);
  const { wrapTevraStudio } = require(join(studioDir, 'tevra_api.js'));
  const createTevraStudio = require(join(studioDir, 'tevra_studio.js'));
  return wrapTevraStudio(await createTevraStudio());
}

// Every example quiz folder, by name.
export function exampleDirs() {
  const dirs = {};
  for (const name of readdirSync(join(root, 'examples')).sort()) {
    const source = join(root, 'examples', name);
    if (!statSync(source).isDirectory()) continue;
    const built = join(builtExamples, name);
    dirs[name] = statSync(join(built, 'quiz.toml'), { throwIfNoEntry: false }) ? built : source;
  }
  return dirs;
}

// The files of a quiz folder, as an author picks them all.
export function folderFiles(dir) {
  return readdirSync(dir).filter((name) => statSync(join(dir, name)).isFile())
      .map((name) => join(dir, name));
}

export function addFolder(api, dir) {
  api.reset();
  for (const path of folderFiles(dir)) api.addFile(path.slice(dir.length + 1), readFileSync(path));
}

// The executable that `tevra-pack build` makes of a folder.
export function nativeBuild(dir) {
  const out = join(scratch(), 'quiz.exe');
  const run = pack(['build', 'quiz.toml', '-o', out], { cwd: dir });
  if (run.status !== 0) throw new Error(`tevra-pack build ${dir}: ${run.stderr}`);
  return readFileSync(out);
}

// A PNG picture the examples draw at build time.
export const examplePicture = () => {
  const formes = exampleDirs().formes;
  return readFileSync(folderFiles(formes).find((path) => path.endsWith('.png')));
};

const grid = (questions) =>
  'title = "Formes"\ndisplay = "pictures"\nkind = 2\n' + questions;
const textQuiz = (questions) => 'title = "Villes"\n' + questions;

// Quizzes an author gets wrong, each a folder's files: errors the reader
// finds, errors and warnings of check.
export const faultyQuizzes = {
  'syntax error': { 'quiz.toml': 'title = Villes\n[[question]]\nanswer = "Paris"\n' },
  'no title': { 'quiz.toml': '[[question]]\ntext = "Q"\nanswer = "Paris"\n' },
  'unknown key': { 'quiz.toml': textQuiz('color = [1, 2, 3]\n[[question]]\ntext = "Q"\nanswer = "Paris"\n') },
  'overlong answer': {
    'quiz.toml': textQuiz(`[[question]]\ntext = "Q"\nanswer = "${'A'.repeat(86)}"\n`),
  },
  'bar in a text': { 'quiz.toml': textQuiz('[[question]]\ntext = "a|b"\nanswer = "Paris"\n') },
  'too many questions': {
    'quiz.toml': textQuiz('[[question]]\ntext = "Q"\nanswer = "Paris"\n'.repeat(97)),
  },
  'missing picture': {
    'quiz.toml': grid('[[question]]\nanswer = "Cercle"\nextra = "Rond"\npicture = "cercle.png"\n'),
  },
  'not a picture': {
    'quiz.toml': grid('[[question]]\nanswer = "Cercle"\nextra = "Rond"\npicture = "cercle.png"\n'),
    'cercle.png': 'not a picture at all',
  },
  'warnings only': {
    // The typographic apostrophe is kept on purpose: an error otherwise.
    'quiz.toml': 'title = "Formes"\ndisplay = "pictures"\nkind = 3\ncodes = ["UN"]\n' +
        'accept = ["typographic-apostrophe"]\n' +
        '[[question]]\nanswer = "Île"\nextra = "E"\npicture = "a.png"\n' +
        '[[question]]\nanswer = "l\u2019été\u00a0chaud"\nextra = "E"\nextra2 = "F"\npicture = "a.png"\n' +
        '[[question]]\nanswer = "ÎLE"\nextra = "X"\n',
    'a.png': examplePicture(),
  },
};

// Writes a faulty quiz's files to a new folder.
export function writeQuiz(files) {
  const dir = scratch();
  for (const [name, bytes] of Object.entries(files)) {
    mkdirSync(dirname(join(dir, name)), { recursive: true });
    writeFileSync(join(dir, name), bytes);
  }
  return dir;
}

// The page's folder on 127.0.0.1: {url, close}.
export async function serveStudio() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };
  const server = createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/^\/$/, '/index.html');
    const path = join(studioDir, name);
    if (!path.startsWith(studioDir + '/') || !statSync(path, { throwIfNoEntry: false })) {
      response.writeHead(404).end();
      return;
    }
    const type = types[path.slice(path.lastIndexOf('.'))] || 'application/octet-stream';
    response.writeHead(200, { 'content-type': type }).end(readFileSync(path));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => server.close(done)),
  };
}

export const studioFileUrl = () => pathToFileURL(join(studioDir, 'index.html')).href;

// Debian's chromium, kept from reaching any network on its own.
export async function launchChromium() {
  const { chromium } = await import(join(root, 'studio/node_modules/playwright-core/index.mjs'));
  return chromium.launch({
    executablePath: process.env.TEVRA_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// A page of the studio, loaded and ready (loadMs from navigation to ready),
// with its errors and downloads collected.
export async function openStudio(browser, url) {
  const context = await browser.newContext({ acceptDownloads: true });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  const downloads = [];
  page.on('download', (download) => downloads.push(download));
  const started = performance.now();
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  const loadMs = performance.now() - started;
  return { page, errors, downloads, loadMs, close: () => context.close() };
}

export const control = (name) => `[data-test="${name}"]`;

// Opens files (or a folder, through open-folder) and waits for the page to
// have read them.
export async function openFiles(page, paths, input = 'open-files') {
  await page.evaluate(() => { document.querySelector('[data-test="status"]').textContent = ''; });
  await page.setInputFiles(control(input), paths);
  await page.waitForFunction(() => document.querySelector('[data-test="status"]').textContent);
}

// Clicks "Construire" and gives the download's name and bytes.
export async function buildDownload(page) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(control('build'))]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}
