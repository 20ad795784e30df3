// The studio's C API under node, held to the native tevra-pack: the same
// verdicts, the same findings, the same executables, the same unpacked files.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { before, describe, test } from 'node:test';

import {
  addFolder, exampleDirs, examplePicture, faultyQuizzes, loadApi, nativeBuild, pack, scratch, writeQuiz,
} from './support.mjs';

let api;
before(async () => { api = await loadApi(); });

// Accepted answers and, for each, typed answers near it and far from it.
function judgePairs() {
  const expected = ['PARIS', 'Christophe Colomb', 'ÉTÉ', 'œuvre', 'Léonard de Vinci', 'roi',
                    'PARIS ', 'l\'Île-de-France', 'ZOO', 'Anticonstitutionnellement', 'A B'];
  const variants = (answer) => [
    answer, answer.toLowerCase(), ` ${answer}  `, answer.slice(1), answer.slice(0, -1),
    answer.slice(0, Math.ceil(answer.length * 0.8)), answer.slice(0, Math.ceil(answer.length / 2)),
    answer + 'S', answer + 'xxxxxxxxxxxx', [...answer].reverse().join(''),
    answer.normalize('NFD').replace(/[\u0300-\u036f]/g, ''), answer.replace(/ /g, ''),
    answer.replace(/[AEIOU]/gi, 'Y'), answer.split(' ')[0], '', '   ', 'X', '☃',
    answer.slice(1) + answer[0], `${answer} ${answer}`,
  ];
  const pairs = [];
  for (const answer of expected) {
    for (const typed of variants(answer)) pairs.push([answer, typed]);
  }
  pairs.push(['☃', 'A'], ['A'.repeat(260), 'A'], ['A', 'A'.repeat(260)]);
  return pairs;
}

test('judge gives the native verdicts, and a colour for every word but "?"', () => {
  const pairs = judgePairs();
  const run = pack(['judge', '--batch'], { input: pairs.map((pair) => pair.join('\t')).join('\n') });
  const native = run.stdout.trimEnd().split('\n');
  assert.equal(native.length, pairs.length);
  const words = new Set();
  pairs.forEach(([expected, typed], i) => {
    const reply = api.judge(expected, typed);
    const got = reply.ok ? reply.word : `error: ${reply.error}`;
    assert.equal(got, native[i], `${expected} / ${typed}`);
    if (!reply.ok) return;
    words.add(reply.word);
    assert.equal(reply.colour === null, reply.word === '?', reply.word);
  });
  assert.ok(words.size >= 8, `only ${[...words]} came up`);
});

// The native check's findings: errors on stderr, warnings on stdout, then a count.
function nativeFindings(dir) {
  const run = pack(['check', 'quiz.toml'], { cwd: dir });
  const lines = (text) => text.split('\n').filter(Boolean);
  const warnings = lines(run.stdout);
  const summary = warnings.pop();
  return { ok: run.status === 0, errors: lines(run.stderr), warnings, summary };
}

// The studio's findings as the command line says them.
function studioFindings(reply) {
  const texts = (severity) => reply.lines.filter((f) => f.severity === severity).map((f) => f.text);
  return { ok: reply.ok, errors: texts('error'), warnings: texts('warning') };
}

describe('check gives the native findings', () => {
  const cases = { ...exampleDirs() };
  for (const [name, files] of Object.entries(faultyQuizzes)) cases[name] = writeQuiz(files);
  for (const [name, dir] of Object.entries(cases)) {
    test(name, () => {
      addFolder(api, dir);
      api.readQuiz('quiz.toml');
      const native = nativeFindings(dir);
      const studio = studioFindings(api.check());
      assert.deepEqual(studio, { ok: native.ok, errors: native.errors, warnings: native.warnings });
      const count = (severity, noun) => {
        const n = api.check().findings.filter((f) => f.severity === severity).length;
        return `${n} ${noun}${n === 1 ? '' : 's'}`;
      };
      assert.match(native.summary, new RegExp(`: ${count('error', 'error')}, ${count('warning', 'warning')}$`));
    });
  }
  test('the faulty quizzes are found faulty, and build nothing', () => {
    for (const [name, files] of Object.entries(faultyQuizzes)) {
      addFolder(api, writeQuiz(files));
      api.readQuiz('quiz.toml');
      const reply = api.build();
      assert.equal(reply.ok, name === 'warnings only', name);
      assert.equal(reply.size > 0, reply.ok, name);
    }
  });
});

test('files picked without their folders are found by name, unless two share it', () => {
  const toml = 'title = "F"\ndisplay = "pictures"\n[[question]]\nanswer = "Cercle"\npicture = "img/a.png"\n';
  const png = examplePicture();
  api.reset();
  api.addFile('quiz.toml', Buffer.from(toml));
  api.addFile('a.png', png);
  assert.deepEqual(api.readQuiz('quiz.toml').quiz.files.map((file) => file.found), [true]);
  assert.ok(api.build().ok);
  api.addFile('autre/a.png', png);
  assert.deepEqual(api.readQuiz('quiz.toml').quiz.files.map((file) => file.found), [false]);
  api.addFile('img/a.png', png);  // beside the quiz.toml, as written: no doubt left
  assert.ok(api.build().ok);
});

describe('build and unpack as the native packer', () => {
  for (const [name, dir] of Object.entries(exampleDirs())) {
    test(name, () => {
      addFolder(api, dir);
      assert.ok(api.readQuiz('quiz.toml').ok);
      const built = api.build();
      assert.ok(built.ok, JSON.stringify(built.findings));
      const exe = nativeBuild(dir);
      assert.ok(Buffer.from(built.bytes).equals(exe), 'the executables differ');

      // The native executable unpacked: the files of the native unpack, and
      // built again, the same executable.
      const out = scratch();
      const exePath = join(scratch(), `${name}.exe`);
      writeFileSync(exePath, exe);
      assert.equal(pack(['unpack', exePath, '-o', out]).status, 0);
      api.reset();
      api.addFile(`${name}.exe`, exe);
      const unpacked = api.unpack(`${name}.exe`);
      assert.ok(unpacked.ok, unpacked.error);
      assert.deepEqual([...unpacked.files].sort(), readdirSync(out).sort());
      for (const file of unpacked.files) {
        assert.ok(Buffer.from(api.file(file)).equals(readFileSync(join(out, file))), file);
      }
      assert.equal(api.writeToml(), readFileSync(join(out, 'quiz.toml'), 'utf8'));
      assert.ok(Buffer.from(api.build().bytes).equals(exe), 'the unpacked quiz builds otherwise');
    });
  }
  test('what is not a quiz executable is refused, and the session is kept', () => {
    api.reset();
    api.addFile('quiz.toml', Buffer.from('title = "T"\n[[question]]\ntext = "Q"\nanswer = "Paris"\n'));
    api.addFile('x.exe', Buffer.from('MZ not really'));
    const reply = api.unpack('x.exe');
    assert.equal(reply.ok, false);
    assert.match(reply.error, /^x\.exe: /);
    assert.ok(api.readQuiz('quiz.toml').ok);
    assert.equal(api.readQuiz('missing.toml').ok, false);
    assert.equal(api.build().ok, false);
  });
});

describe('the editor', () => {
  test('every example given field by field builds as tevra-pack build', () => {
    for (const [name, dir] of Object.entries(exampleDirs())) {
      addFolder(api, dir);
      api.readQuiz('quiz.toml');
      const toml = api.writeToml();
      const { quiz } = api.model();
      assert.ok(api.edit({ ...quiz, colour: quiz.colour.join(',') }).ok, name);
      assert.equal(api.writeToml(), toml, name);
      assert.ok(Buffer.from(api.build().bytes).equals(nativeBuild(dir)), name);
    }
  });

  test('a text code page 1252 cannot hold is a finding of its field, a field unknown is refused', () => {
    const question = { text: 'Q', answer1: 'Paris ☃' };
    const reply = api.edit({ title: 'Villes', codes: 'UN', questions: [question] });
    const [first] = reply.findings;
    assert.deepEqual([first.severity, first.question, first.field, first.message],
                     ['error', 1, 'answer1', 'character U+2603 is not in code page 1252']);
    assert.throws(() => api.edit({ title: 'Villes', colour: '1,2', questions: [] }), /colour/);
    assert.throws(() => api.edit({ title: 'Villes', questions: [{ answer: 'Paris' }] }), /answer/);
  });
});

test('the zip of the saved work reads back, and zips of other tools with deflated files too', async () => {
  const require = (await import('node:module')).createRequire(import.meta.url);
  const { tevraZip } = require(join(import.meta.dirname, '../studio_zip.js'));
  const files = [{ name: 'quiz.toml', bytes: new TextEncoder().encode('title = "Été"\n') },
                 { name: 'formes/carré.png', bytes: examplePicture() }];
  const zip = new Uint8Array(await tevraZip.write(files).arrayBuffer());
  const back = await tevraZip.read(zip);
  assert.deepEqual(back.map((f) => [f.name, Buffer.from(f.bytes)]),
                   files.map((f) => [f.name, Buffer.from(f.bytes)]));
  const path = join(scratch(), 'other.zip');
  const made = spawnSync('python3', ['-c', 'import sys, zipfile\nwith zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:\n  z.writestr("d/", "")\n  z.writestr("d/quiz.toml", "title = \\"x\\"\\n" * 50)', path]);
  assert.equal(made.status, 0, String(made.stderr));
  const other = await tevraZip.read(readFileSync(path));
  assert.deepEqual(other.map((f) => [f.name, new TextDecoder().decode(f.bytes)]),
                   [['d/quiz.toml', 'title = "x"\n'.repeat(50)]]);
  await assert.rejects(tevraZip.read(new Uint8Array(40)), /zip/);
});
