// The studio page: a quiz opened (quiz.toml and its files, a quiz executable,
// a saved zip) or started from nothing, edited in a form whose every change the
// packer's own code writes as quiz.toml and checks, its answers tried, the work
// kept in the browser, and "Construire" delivering the quiz executable.
'use strict';

(function () {
  const control = (name) => document.querySelector(`[data-test="${name}"]`);
  const severityWords = { error: 'Erreur', warning: 'Attention' };
  const displayWords = {
    text: 'Liste de questions', pictures: 'Grille d\'images', audio: 'Grille de sons',
    video: 'Grille de vidéos',
  };
  const questionFields = [
    { key: 'text', label: 'Question' },
    { key: 'answer1', label: 'Réponse' },
    { key: 'answer2', label: 'Seconde réponse', twoAnswers: true },
    { key: 'extra', label: 'Texte en plus', use: 'extra' },
    { key: 'extra2', label: 'Second texte en plus', use: 'extra2' },
    { key: 'picture', label: 'Image', use: 'picture', file: 'image/*' },
    { key: 'answer_picture', label: 'Image réponse', use: 'answer_picture', file: 'image/*' },
    { key: 'media', label: 'Son ou vidéo', use: 'media', file: 'audio/*,video/*' },
  ];
  // The second answer "-" leaves the second box hidden for that question.
  const kHiddenSecond = '-';
  const kThumbBox = 300;  // the player's picture box
  const kRefreshDelayMs = 150;
  let api = null;
  let kinds = null;
  let work = null;  // {quiz: {settings}, questions: [...], files: {path: bytes}, name}
  let refreshTimer = 0;

  // French counts: 0 and 1 take the singular.
  function count(n, noun) {
    return `${n} ${noun}${n > 1 ? 's' : ''}`;
  }

  function setStatus(text) {
    control('status').textContent = text;
  }

  function findingItem(finding, text) {
    const item = document.createElement('li');
    item.dataset.severity = finding.severity;
    const word = document.createElement('strong');
    word.textContent = severityWords[finding.severity] + ' : ';
    item.append(word, text);
    return item;
  }

  function showFindings(findings, notice) {
    control('messages').replaceChildren(...findings.map((f) => findingItem(f, f.text)));
    const errors = findings.filter((finding) => finding.severity === 'error').length;
    control('no-messages').textContent = notice ||
        (findings.length === 0 ? 'Aucun problème trouvé.' :
         `${count(errors, 'erreur')}, ${count(findings.length - errors, 'avertissement')}.`);
  }

  // The form field a finding concerns: "quiz-title", "question-3-answer1",
  // "code-4"; the quiz file's keys named as the form names them.
  function fieldOf(finding) {
    const field = finding.field.replace(/^answers?(\[1\])?$/, 'answer1')
        .replace(/^answers\[2\]$/, 'answer2').replace(/^answer_captions\[(\d)\]$/, 'caption$1');
    if (finding.question) return `question-${finding.question}-${field}`;
    const code = /^codes\[(\d+)\]$/.exec(field);
    return code ? `code-${code[1]}` : `quiz-${field}`;
  }

  // The core's findings in French, by code: "{N}" is value N (from 1), and a
  // "{?...?}" part is said only when every value it names is given and not
  // empty, as in the core's English table. A code missing here is shown as the
  // core words it.
  const frenchWordings = {
    'unreadable': 'ne peut pas être lu{? ({1})?}',
    'syntax': 'erreur de syntaxe TOML : {1}',
    'syntax-unquoted-text': 'erreur de syntaxe TOML : {1} (un texte s\'écrit entre guillemets : {2} = "{3}")',
    'syntax-quote-in-text': 'erreur de syntaxe TOML : {1} (un guillemet dans un texte s\'écrit \\", ou le texte entier se met entre apostrophes droites)',
    'syntax-backslash': 'erreur de syntaxe TOML : {1} (écrivez les chemins avec / comme dans "img/cercle.png")',
    'not-utf8': 'n\'est pas en UTF-8 : enregistrez-le en UTF-8 dans votre éditeur',
    'unknown-field': 'champ inconnu{? (vouliez-vous dire « {1} » ?)?}',
    'setting-in-question': 'réglage du quiz entier : placez-le avant la première question',
    'not-string': 'doit être un texte',
    'not-code-page': 'le caractère {1} ne peut pas être montré par le quiz',
    'bar': 'contient « | », qui ne peut pas être gardé dans le quiz',
    'line-break': 'contient un retour à la ligne',
    'empty-answer': 'est vide : la question ne pourrait jamais être résolue',
    'outer-space': 'commence ou finit par une espace, qui ne pourrait jamais être tapée',
    'control-character': 'contient un caractère de contrôle, qui ne peut pas être tapé',
    'too-long': 'fait {1} caractères, plus que les {2} permis',
    'integer-range': 'doit être un nombre entier de {1} à {2}',
    'display-name': 'doit être l\'un de {1}',
    'two-strings': 'doit être deux textes',
    'colour': 'doit être trois nombres de 0 à 255 (rouge, vert, bleu)',
    'boolean': 'doit être vrai ou faux',
    'wrong-answer-key': 'ne va pas avec {1} réponse(s) par question : écrivez « {2} »',
    'missing': 'à remplir',
    'not-path': 'doit être le chemin d\'un fichier',
    'needs-text': 'à remplir : la liste le montre comme question',
    'no-questions': 'le quiz a besoin d\'au moins une question',
    'too-many-questions': '{1} questions, plus que les {2} permises',
    'not-table': 'doit être une question ([[question]])',
    'not-string-array': 'doit être une liste de textes',
    'too-many-codes': '{1} codes, mais le score ne va que jusqu\'à {2}',
    'text-two-answers': 'une liste de questions n\'a qu\'une réponse par question : choisissez 1 ou une grille',
    'unknown-code': '« {1} » n\'est le code d\'aucun avertissement{? (vouliez-vous dire « {2} » ?)?}',
    'no-such-file': '{1} est introuvable : donnez ce fichier{? (vouliez-vous dire {2} ?)?}',
    'file-unreadable': '{1} ne peut pas être lu ({2})',
    'not-picture': '{1} n\'est pas une image PNG, JPEG, GIF ou BMP',
    'png-side': '{1} fait {2} × {3} pixels : un côté dépasse {4}, le plus long que le quiz sache ouvrir',
    'png-pixels': '{1} fait {2} × {3} pixels, plus que le quiz ne sait ouvrir ({4} × {4} en tout)',
    'typographic-apostrophe': '« {1} » contient une apostrophe typographique (’), que l\'on ne peut pas taper : écrivez \' à la place',
    'short-answer': '« {1} » a 3 caractères ou moins : jugé juste ou faux, sans indice pour une réponse presque juste',
    'no-break-space': '« {1} » contient une espace insécable, que l\'on tape comme une espace',
    'accent': '« {1} » contient « {2} » : il faut taper l\'accent, la lettre sans accent compte comme fausse',
    'shared-answer': '« {1} » est aussi la réponse de la question {2}',
    'missing-codes': 'pas de code pour le score {2}{? (ni depuis le score {1})?} : qui y arrive voit un code vide',
    'picture-not-shown': 'cet affichage ne montre pas d\'images : elle n\'est pas gardée',
    'media-not-shown': 'cet affichage ne joue ni son ni vidéo : le fichier n\'est pas gardé',
    'extra-not-shown': 'cet affichage ne montre pas ce texte : il n\'est pas gardé',
    'extra2-not-shown': 'le quiz ne montre jamais de second texte en plus : il n\'est pas gardé',
    'not-shown-by-kind': 'ni cet affichage ni le type {2} ne le montrent : il n\'est pas gardé',
    'no-picture': 'à remplir : la case de la question resterait vide',
    'no-media': 'à remplir : le bouton de lecture de la question n\'aurait rien à jouer',
    'needed-by-kind': 'à remplir : le type {2} le montre',
    'large-picture': '{1} fait {2} × {3} pixels, réduite dans une case de 300 pixels : une image plus petite s\'affiche pareil',
    'media-unrecognised': '{1} : format inconnu, le quiz l\'enregistrera en .{2}',
    'media-misnamed': '{1} : contient du {2} mais le quiz l\'enregistrera en .{3}, qu\'un lecteur peut refuser',
    'too-wide': '« {1} » fait {2} pixels de large, le quiz en montre {3} : la fin est coupée',
    'too-many-lines': '« {1} » prend {2} lignes de {3} pixels, le quiz en montre {4} : la fin est coupée',
    // The build's fault of the link's field is the one block both texts share:
    // its value is the build's English sentence, so it is worded by its field.
    'not-built:link': 'le lien et le texte du coin prennent trop de place une fois compressés : raccourcissez-les',
  };

  // "{N}" filled from values; *complete, as the core's, false when one is empty.
  function fill(text, values, state) {
    return text.replace(/\{(\d+)\}/g, (_, n) => {
      const value = values[n - 1] ?? '';
      if (value === '') state.complete = false;
      return value;
    });
  }

  function inFrench(finding) {
    const wording = frenchWordings[`${finding.code}:${finding.field}`] ?? frenchWordings[finding.code];
    if (wording === undefined) return finding.message;
    return wording.split(/\{\?|\?\}/).map((part, i) => {
      const state = { complete: true };
      const text = fill(part, finding.values, state);
      return i % 2 === 0 || state.complete ? text : '';
    }).join('');
  }

  // Each finding beside its field, in French and without the place the field
  // shows; the core's own text kept in data-text.
  function placeFindings(findings) {
    for (const list of document.querySelectorAll('ul.findings')) list.replaceChildren();
    for (const finding of findings) {
      const list = control(`${fieldOf(finding)}-findings`) ||
          (finding.question && control(`question-${finding.question}-findings`));
      if (!list) continue;
      const item = findingItem(finding, inFrench(finding));
      item.dataset.text = finding.text;
      item.dataset.code = finding.code;
      list.append(item);
    }
  }

  function hideDownload() {
    const link = control('download');
    if (link.href) URL.revokeObjectURL(link.href);
    link.removeAttribute('href');
    link.hidden = true;
  }

  function baseName(path) {
    return path.replace(/^.*\//, '').replace(/\.[^.]*$/, '');
  }

  // A file name from the title: accents dropped, anything else but letters and
  // digits made a dash.
  function plainName(title) {
    const plain = title.normalize('NFD').replace(/[\u0300-\u036f]/g, '')
        .replace(/[^A-Za-z0-9]+/g, '-').replace(/^-+|-+$/g, '').toLowerCase();
    return plain || 'quiz';
  }

  // The opened folder's name, else the quiz file's (but not the generic
  // "quiz.toml", which says nothing); '' leaves it to the title.
  function nameFor(path) {
    if (path.includes('/')) return path.split('/')[0];
    const name = baseName(path);
    return name.toLowerCase() === 'quiz' ? '' : name;
  }

  const outputName = () => work.name || plainName(work.quiz.title);

  function pickQuizFile(files) {
    const tomls = files.filter((file) => /\.toml$/i.test(file.path));
    const byDepth = (a, b) => a.path.split('/').length - b.path.split('/').length;
    return tomls.filter((file) => /(^|\/)quiz\.toml$/.test(file.path)).sort(byDepth)[0] ||
           tomls.sort(byDepth)[0];
  }

  // The picked file a path of the quiz names: beside the quiz file, else the
  // only one with that file name (as the packer finds it).
  function pickedFile(files, quizPath, path) {
    const folder = quizPath.slice(0, quizPath.lastIndexOf('/') + 1);
    const exact = files.find((file) => file.path === folder + path);
    const same = files.filter((file) => file.path.replace(/^.*\//, '') === path.replace(/^.*\//, ''));
    return exact || (same.length === 1 ? same[0] : null);
  }

  // Picked files with every zip among them opened: [{path, bytes}].
  async function unzipPicked(files) {
    const out = [];
    for (const file of files) {
      const bytes = new Uint8Array(await file.arrayBuffer());
      const path = file.webkitRelativePath || file.name;
      if (!tevraZip.isZip(bytes)) {
        out.push({ path, bytes });
        continue;
      }
      const folder = baseName(path);
      for (const entry of await tevraZip.read(bytes)) {
        out.push({ path: `${folder}/${entry.name}`, bytes: entry.bytes });
      }
    }
    return out;
  }

  function describe(quiz, from) {
    const missing = quiz.files.filter((file) => !file.found).length;
    const summary = control('summary');
    summary.textContent = `« ${quiz.title} » : ${count(quiz.questions, 'question')}, ` +
        `${count(quiz.files.length, 'fichier')} d'images ou de sons` +
        (missing ? `, dont ${count(missing, 'introuvable')}` : '') + ` (${from}).`;
    summary.hidden = false;
  }

  async function open(picked) {
    if (picked.length === 0) return;
    const files = await unzipPicked(picked);
    api.reset();
    for (const file of files) api.addFile(file.path, file.bytes);
    const quizFile = pickQuizFile(files);
    const exe = files.find((file) => /\.exe$/i.test(file.path));
    let reply;
    if (quizFile) {
      reply = api.readQuiz(quizFile.path);
    } else if (exe) {
      reply = api.unpack(exe.path);
      if (!reply.ok && reply.error) reply.findings = [{ severity: 'error', text: reply.error }];
    } else {
      showFindings([], 'Aucun quiz.toml, quiz .exe ni .zip parmi les fichiers choisis.');
      setStatus('Rien à construire.');
      return;
    }
    if (!reply.ok) {
      hideDownload();
      control('build').disabled = true;
      showFindings(reply.findings, 'Ce quiz ne peut pas être lu.');
      setStatus('Rien à construire : corrigez les erreurs ci-dessus.');
      return;
    }
    const model = api.model().quiz;
    const opened = { name: nameFor(quizFile ? quizFile.path : exe.path), files: {} };
    for (const file of reply.quiz.files) {
      const bytes = quizFile ? pickedFile(files, quizFile.path, file.path)?.bytes : api.file(file.path);
      if (bytes) opened.files[file.path] = bytes;
    }
    const { questions, ...quiz } = model;
    load({ ...opened, quiz, questions });
    describe(reply.quiz, quizFile ? quizFile.path : `extrait de ${exe.path}`);
    setStatus(`Prêt à construire ${outputName()}.exe.`);
  }

  function emptyQuiz() {
    return {
      name: '', files: {}, questions: [],
      quiz: {
        title: '', subtitle: '', author: '', link: '', footer: '', caption1: '', caption2: '',
        display: 'text', kind: 0, answers_per_question: 1, colour: [90, 95, 150], codes: '',
        scramble: false, accept: '',
      },
    };
  }

  function emptyQuestion() {
    return Object.fromEntries(questionFields.map((field) => [field.key, '']));
  }

  // Takes a quiz as the work: its files in the session under the paths the
  // quiz gives them, the form drawn.
  function load(quiz) {
    work = quiz;
    api.reset();
    for (const [path, bytes] of Object.entries(work.files)) api.addFile(path, bytes);
    control('editor').hidden = false;
    control('save').disabled = false;
    fillSettings();
    drawQuestions();
    refreshNow();
  }

  // --- The settings ---

  const hex = (colour) => '#' + colour.map((part) => part.toString(16).padStart(2, '0')).join('');

  function kindHelp(kind) {
    const traits = kinds.kinds[kind];
    const parts = {
      'none': 'pas de texte sous la case',
      'hidden-extra': traits.solvedLabel ? 'le texte en plus apparaît sous la case une fois trouvée'
                                         : 'un texte en plus, caché sous la case',
      'shown-extra': 'le texte en plus est montré sous la case dès le départ',
      'word-hint': 'le nombre de mots de la réponse est montré sous la case',
    };
    const sentence = [parts[traits.reveal]];
    if (traits.solvedExtra) sentence.push('puis le texte en plus une fois trouvée');
    if (traits.solvedMessage) sentence.push('une bonne réponse montre un message puis l\'image réponse');
    if (traits.allAtEnd) sentence.push('tout est dévoilé à la fin du quiz');
    if (traits.extras === 0) sentence.push('aucun texte en plus');
    if (traits.extras === 2) sentence.push('un second texte est gardé sans être montré');
    return `Type ${kind} : ${sentence.join(' ; ')}.`;
  }

  function fillSettings() {
    for (const input of document.querySelectorAll('[data-test^="quiz-"][data-key]')) {
      const value = work.quiz[input.dataset.key];
      if (input.type === 'checkbox') input.checked = value;
      else if (input.type === 'color') input.value = hex(value);
      else input.value = value;
    }
    showSettings();
  }

  // What the display, kind and answer count show of the form.
  function showSettings() {
    control('kind-help').textContent = kindHelp(work.quiz.kind);
    control('colour-swatch').style.background = hex(work.quiz.colour);
    for (const label of document.querySelectorAll('[data-two-answers]')) {
      label.hidden = Number(work.quiz.answers_per_question) !== 2;
    }
  }

  function settingChanged(event) {
    const input = event.target;
    const key = input.dataset.key;
    if (input.type === 'checkbox') work.quiz[key] = input.checked;
    else if (input.type === 'color') work.quiz[key] = input.value.slice(1).match(/../g).map((h) => parseInt(h, 16));
    else if (key === 'kind' || key === 'answers_per_question') work.quiz[key] = Number(input.value);
    else work.quiz[key] = input.value;
    showSettings();
    if (['display', 'kind', 'answers_per_question'].includes(key)) drawQuestions();
    scheduleRefresh();
  }

  // One code per score level, from 1 to the number of questions.
  function drawCodes() {
    const codes = work.quiz.codes.split('\n');
    const items = work.questions.map((_, index) => {
      const level = index + 1;
      const item = document.createElement('li');
      item.dataset.field = `code-${level}`;
      const input = document.createElement('input');
      input.dataset.test = `code-${level}`;
      input.value = codes[index] || '';
      input.addEventListener('input', () => {
        const all = work.quiz.codes.split('\n');
        all[index] = input.value;
        work.quiz.codes = all.join('\n');
        scheduleRefresh();
      });
      const label = document.createElement('label');
      label.append(`Score ${level} `, input);
      item.append(label, findingsList(`code-${level}`));
      return item;
    });
    control('codes').replaceChildren(...items);
  }

  // --- The questions ---

  function findingsList(field) {
    const list = document.createElement('ul');
    list.className = 'findings';
    list.dataset.test = `${field}-findings`;
    return list;
  }

  function button(text, test, action, disabled = false) {
    const element = document.createElement('button');
    element.type = 'button';
    element.textContent = text;
    element.dataset.test = test;
    element.disabled = disabled;
    element.addEventListener('click', action);
    return element;
  }

  // A picture fitted into the player's box, by the player's own fitting.
  function thumbnail(path) {
    const fit = api.fitPicture(path, kThumbBox, kThumbBox);
    if (!fit.ok || !work.files[path]) return null;
    const image = document.createElement('img');
    image.src = URL.createObjectURL(new Blob([work.files[path]]));
    image.width = fit.fitted.width;
    image.height = fit.fitted.height;
    image.alt = path;
    return image;
  }

  const sameBytes = (a, b) => a.length === b.length && a.every((byte, i) => byte === b[i]);

  // The file's name, or, when the quiz holds other bytes under it (two
  // pictures both named "image.png"), that name numbered: "image-2.png".
  function freeName(name, bytes) {
    let candidate = name;
    for (let n = 2; work.files[candidate] && !sameBytes(work.files[candidate], bytes); n++) {
      candidate = name.replace(/(\.[^.]*)?$/, `-${n}$1`);
    }
    return candidate;
  }

  async function takeFile(question, key, file) {
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    const name = freeName(file.name, bytes);
    work.files[name] = bytes;
    api.addFile(name, bytes);
    question[key] = name;
    drawQuestions();
    refreshNow();
  }

  function fileField(question, field, test) {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = field.file;
    input.dataset.test = test;
    input.addEventListener('change', () => takeFile(question, field.key, input.files[0]));
    const choose = document.createElement('label');
    choose.className = 'button';
    choose.append('Choisir…', input);
    const zone = document.createElement('div');
    zone.className = 'drop';
    zone.dataset.test = `${test}-drop`;
    zone.addEventListener('dragover', (event) => event.preventDefault());
    zone.addEventListener('drop', (event) => {
      event.preventDefault();
      takeFile(question, field.key, event.dataTransfer.files[0]);
    });
    const name = document.createElement('span');
    name.textContent = question[field.key] || 'déposez un fichier ici, ou';
    zone.append(name, ' ', choose);
    const thumb = field.key !== 'media' && question[field.key] && thumbnail(question[field.key]);
    if (thumb) zone.append(thumb);
    return zone;
  }

  function textField(question, field, test) {
    const input = document.createElement('input');
    input.dataset.test = test;
    input.value = question[field.key];
    input.addEventListener('input', () => {
      question[field.key] = input.value;
      scheduleRefresh();
    });
    return input;
  }

  // The second box hidden for this question: the "-" marker.
  function hideSecondBox(question, number) {
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.dataset.test = `question-${number}-hide2`;
    box.checked = question.answer2 === kHiddenSecond;
    box.addEventListener('change', () => {
      question.answer2 = box.checked ? kHiddenSecond : '';
      drawQuestions();
      scheduleRefresh();
    });
    const label = document.createElement('label');
    label.className = 'check';
    label.append(box, ' cacher la seconde case');
    return label;
  }

  function shows(field) {
    if (field.twoAnswers) return Number(work.quiz.answers_per_question) === 2;
    if (!field.use) return true;
    const display = kinds.displays.indexOf(work.quiz.display);
    return kinds.uses[display][work.quiz.kind][field.use] !== 'unused';
  }

  function move(index, by) {
    const [question] = work.questions.splice(index, 1);
    work.questions.splice(index + by, 0, question);
    drawQuestions();
    refreshNow();
  }

  function questionItem(question, index) {
    const number = index + 1;
    const item = document.createElement('li');
    item.dataset.test = `question-${number}`;
    for (const field of questionFields.filter(shows)) {
      const test = `question-${number}-${field.key}`;
      // A file field holds a chooser's own label: labels do not nest.
      const label = document.createElement(field.file ? 'div' : 'label');
      label.className = 'field';
      label.dataset.field = test;
      label.append(field.label + ' ');
      if (field.file) label.append(fileField(question, field, test));
      else if (field.key !== 'answer2' || question.answer2 !== kHiddenSecond) {
        label.append(textField(question, field, test));
      }
      if (field.key === 'answer2') label.append(hideSecondBox(question, number));
      item.append(label, findingsList(test));
    }
    item.append(findingsList(`question-${number}`));
    const last = work.questions.length - 1;
    const tools = document.createElement('div');
    tools.className = 'tools';
    tools.append(button('↑', `question-${number}-up`, () => move(index, -1), index === 0),
                 button('↓', `question-${number}-down`, () => move(index, 1), index === last),
                 button('Supprimer', `question-${number}-remove`, () => {
                   work.questions.splice(index, 1);
                   drawQuestions();
                   refreshNow();
                 }));
    item.append(tools);
    return item;
  }

  function drawQuestions() {
    for (const image of control('questions').querySelectorAll('img')) URL.revokeObjectURL(image.src);
    control('questions').replaceChildren(...work.questions.map(questionItem));
    drawCodes();
    const choice = control('try-question');
    const chosen = choice.value;
    choice.replaceChildren(...work.questions.map((_, index) => new Option(index + 1, index + 1)));
    if (chosen && chosen <= work.questions.length) choice.value = chosen;
  }

  // --- Checking, trying, building ---

  // The work as the core's editor takes it; the codes only where there are
  // questions to score.
  function model() {
    const { codes, colour, ...quiz } = work.quiz;
    const out = { ...quiz, colour: colour.join(','), questions: work.questions };
    if (work.questions.length) out.codes = codes.split('\n').slice(0, work.questions.length).join('\n');
    return out;
  }

  function scheduleRefresh() {
    document.body.dataset.kept = 'false';
    clearTimeout(refreshTimer);
    refreshTimer = setTimeout(refreshNow, kRefreshDelayMs);
  }

  // The work written as quiz.toml by the core, read and checked; the findings
  // shown, the answer tried again, the work kept.
  function refreshNow() {
    clearTimeout(refreshTimer);
    hideDownload();
    const reply = api.edit(model());
    const findings = reply.ok ? api.check().findings : reply.findings;
    showFindings(findings);
    placeFindings(findings);
    control('build').disabled = !reply.ok;
    tryAnswer();
    keep();
  }

  function tryAnswer() {
    const verdict = control('try-verdict');
    const question = work.questions[control('try-question').value - 1];
    const typed = control('try-typed').value;
    verdict.textContent = '';
    verdict.style.color = '';
    verdict.dataset.colour = '';
    if (!question || !typed) return;
    const box = Number(work.quiz.answers_per_question) === 2 ? control('try-box').value : 'answer1';
    if (question[box] === kHiddenSecond) {
      verdict.textContent = 'cette case est cachée';
      return;
    }
    const reply = api.judge(question[box], typed);
    verdict.textContent = reply.ok ? reply.word : reply.error;
    verdict.dataset.colour = reply.colour || '';
    verdict.style.color = reply.colour || '';
  }

  // The build runs within the click, so that the download it starts is the
  // click's own.
  function build() {
    refreshNow();
    const reply = api.build();
    showFindings(reply.findings);
    if (!reply.ok) {
      setStatus('Rien n\'a été construit : corrigez les erreurs ci-dessus.');
      return;
    }
    const name = outputName();
    deliver(new Blob([reply.bytes], { type: 'application/octet-stream' }), `${name}.exe`,
            `Télécharger ${name}.exe (${Math.ceil(reply.size / 1024)} Ko)`);
    setStatus(`${name}.exe est construit.`);
  }

  function deliver(blob, fileName, text) {
    const link = control('download');
    hideDownload();
    link.href = URL.createObjectURL(blob);
    link.download = fileName;
    link.textContent = text;
    link.hidden = false;
    link.click();
  }

  // quiz.toml as the core writes it, and the files it names.
  function save() {
    refreshNow();
    const files = [{ name: 'quiz.toml', bytes: api.file('quiz.toml') }];
    for (const [path, bytes] of Object.entries(work.files)) {
      if (work.questions.some((q) => [q.picture, q.answer_picture, q.media].includes(path))) {
        files.push({ name: path, bytes });
      }
    }
    deliver(tevraZip.write(files), `${outputName()}.zip`, `Télécharger ${outputName()}.zip`);
    setStatus(`${outputName()}.zip est enregistré.`);
  }

  // --- Keeping the work in the browser ---

  const kStoreName = 'work';
  let storeFailed = false;
  let keeps = 0;  // the last keep started: only its end says the work shown is kept

  function database() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('tevra-studio', 1);
      request.onupgradeneeded = () => request.result.createObjectStore(kStoreName);
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function storeRequest(mode, call) {
    return database().then((db) => new Promise((resolve, reject) => {
      const transaction = db.transaction(kStoreName, mode);
      const request = call(transaction.objectStore(kStoreName));
      transaction.oncomplete = () => resolve(request.result);
      transaction.onerror = transaction.onabort = () => reject(transaction.error || request.error);
    }).finally(() => db.close()));
  }

  // Why the work is not kept, with the zip that keeps it offered right there.
  function storageNotice(text) {
    const notice = control('storage');
    notice.textContent = text;
    notice.hidden = !text;
    if (text && work) notice.append(' ', button('Enregistrer le zip', 'storage-save', save));
  }

  function keep() {
    const sequence = ++keeps;
    document.body.dataset.kept = 'false';
    const kept = { ...work, quiz: { ...work.quiz }, questions: work.questions.map((q) => ({ ...q })) };
    Promise.resolve().then(() => storeRequest('readwrite', (store) => store.put(kept, 'current')))
        .then(() => {
          if (storeFailed) storageNotice('');
          storeFailed = false;
          if (sequence === keeps) document.body.dataset.kept = 'true';
        })
        .catch((error) => {
          storeFailed = true;
          const full = error && error.name === 'QuotaExceededError';
          storageNotice((full ? 'Ce navigateur n\'a plus de place pour garder votre travail. '
                              : 'Ce navigateur ne peut pas garder votre travail. ') +
                        'Enregistrez-le (bouton « Enregistrer ») pour ne rien perdre.');
        });
  }

  async function restore() {
    try {
      const kept = await storeRequest('readonly', (store) => store.get('current'));
      if (kept) {
        load(kept);
        setStatus('Votre travail a été retrouvé tel que vous l\'avez laissé.');
        return;
      }
    } catch (error) {
      storageNotice('Ce navigateur ne peut pas garder votre travail : enregistrez-le pour ne rien perdre.');
    }
    setStatus('Prêt. Ouvrez un quiz ou commencez-en un.');
  }

  // --- Wiring ---

  function fillChoices() {
    control('quiz-display').replaceChildren(
        ...kinds.displays.map((name) => new Option(displayWords[name] || name, name)));
    control('quiz-kind').replaceChildren(
        ...kinds.kinds.map((_, kind) => new Option(`Type ${kind}`, kind)));
  }

  for (const name of ['open-files', 'open-folder']) {
    control(name).addEventListener('change', (event) => {
      const files = Array.from(event.target.files);
      event.target.value = '';  // so that choosing the same files again reads them again
      control('summary').hidden = true;
      open(files).catch((error) => setStatus(`Erreur : ${error.message}`));
    });
  }
  for (const input of document.querySelectorAll('[data-test^="quiz-"][data-key]')) {
    input.addEventListener(input.tagName === 'SELECT' || input.type === 'checkbox' ? 'change' : 'input',
                           settingChanged);
  }
  control('editor').addEventListener('submit', (event) => event.preventDefault());
  control('new-quiz').addEventListener('click', () => {
    const started = work && (work.quiz.title || work.questions.length);
    if (started && !confirm('Le quiz en cours sera remplacé : enregistrez-le d\'abord pour le garder. ' +
                            'Commencer un nouveau quiz ?')) {
      return;
    }
    load(emptyQuiz());
    setStatus('Nouveau quiz : donnez-lui un titre et des questions.');
  });
  control('add-question').addEventListener('click', () => {
    work.questions.push(emptyQuestion());
    drawQuestions();
    refreshNow();
  });
  control('try-question').addEventListener('change', tryAnswer);
  control('try-box').addEventListener('change', tryAnswer);
  control('try-typed').addEventListener('input', tryAnswer);
  control('build').addEventListener('click', build);
  control('save').addEventListener('click', save);

  for (const label of control('editor').querySelectorAll('.fields [data-field]')) {
    label.after(findingsList(label.dataset.field));
  }

  createTevraStudio().then((module) => {
    api = wrapTevraStudio(module);
    kinds = api.kinds();
    fillChoices();
    for (const name of ['open-files', 'open-folder', 'new-quiz']) control(name).disabled = false;
    return restore();
  }).then(() => { document.body.dataset.ready = 'true'; });
})();
