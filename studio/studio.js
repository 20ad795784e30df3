// The studio page: files chosen -> the quiz read and checked by the packer's
// own code -> "Construire" -> the quiz executable as a download.
'use strict';

(function () {
  const control = (name) => document.querySelector(`[data-test="${name}"]`);
  const severityWords = { error: 'Erreur', warning: 'Attention' };
  let api = null;
  let exeName = '';  // the built executable's name, without ".exe"

  // French counts: 0 and 1 take the singular.
  function count(n, noun) {
    return `${n} ${noun}${n > 1 ? 's' : ''}`;
  }

  function setStatus(text) {
    control('status').textContent = text;
  }

  function showFindings(findings, notice) {
    const list = control('messages');
    list.replaceChildren();
    for (const finding of findings) {
      const item = document.createElement('li');
      item.dataset.severity = finding.severity;
      const word = document.createElement('strong');
      word.textContent = severityWords[finding.severity] + ' : ';
      item.append(word, finding.text);
      list.append(item);
    }
    const errors = findings.filter((finding) => finding.severity === 'error').length;
    control('no-messages').textContent = notice ||
        (findings.length === 0 ? 'Aucun problème trouvé.' :
         `${count(errors, 'erreur')}, ${count(findings.length - errors, 'avertissement')}.`);
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
  // "quiz.toml", which says nothing), else a plain form of the title.
  function nameFor(quizFile, title) {
    const path = quizFile.webkitRelativePath || '';
    if (path.includes('/')) return path.split('/')[0];
    const name = baseName(quizFile.name);
    return name.toLowerCase() === 'quiz' ? plainName(title) : name;
  }

  function pickQuizFile(files) {
    const tomls = files.filter((file) => /\.toml$/i.test(file.name));
    const byDepth = (a, b) => pathOf(a).split('/').length - pathOf(b).split('/').length;
    return tomls.filter((file) => file.name === 'quiz.toml').sort(byDepth)[0] ||
           tomls.sort(byDepth)[0];
  }

  function pathOf(file) {
    return file.webkitRelativePath || file.name;
  }

  function describe(quiz, from) {
    const missing = quiz.files.filter((file) => !file.found).length;
    const summary = control('summary');
    summary.textContent = `« ${quiz.title} » : ${count(quiz.questions, 'question')}, ` +
        `${count(quiz.files.length, 'fichier')} d'images ou de sons` +
        (missing ? `, dont ${count(missing, 'introuvable')}` : '') + ` (${from}).`;
    summary.hidden = false;
  }

  async function open(files) {
    if (files.length === 0) return;
    hideDownload();
    control('summary').hidden = true;
    control('build').disabled = true;
    api.reset();
    for (const file of files) api.addFile(pathOf(file), new Uint8Array(await file.arrayBuffer()));
    const quizFile = pickQuizFile(files);
    const exe = files.find((file) => /\.exe$/i.test(file.name));
    let reply;
    if (quizFile) {
      reply = api.readQuiz(pathOf(quizFile));
      if (reply.ok) exeName = nameFor(quizFile, reply.quiz.title);
    } else if (exe) {
      reply = api.unpack(pathOf(exe));
      if (!reply.ok && reply.error) reply.findings = [{ severity: 'error', text: reply.error }];
      exeName = baseName(exe.name);
    } else {
      showFindings([], 'Aucun quiz.toml ni quiz .exe parmi les fichiers choisis.');
      setStatus('Rien à construire.');
      return;
    }
    if (!reply.ok) {
      showFindings(reply.findings, 'Ce quiz ne peut pas être lu.');
      setStatus('Rien à construire : corrigez les erreurs ci-dessus.');
      return;
    }
    describe(reply.quiz, quizFile ? pathOf(quizFile) : `extrait de ${exe.name}`);
    showFindings(api.check().findings);
    control('build').disabled = false;
    setStatus(`Prêt à construire ${exeName}.exe.`);
  }

  // The build runs within the click, so that the download it starts is the
  // click's own.
  function build() {
    hideDownload();
    const reply = api.build();
    showFindings(reply.findings);
    if (!reply.ok) {
      setStatus('Rien n\'a été construit : corrigez les erreurs ci-dessus.');
      return;
    }
    const link = control('download');
    const blob = new Blob([reply.bytes], { type: 'application/octet-stream' });
    link.href = URL.createObjectURL(blob);
    link.download = `${exeName}.exe`;
    link.textContent = `Télécharger ${exeName}.exe (${Math.ceil(reply.size / 1024)} Ko)`;
    link.hidden = false;
    link.click();
    setStatus(`${exeName}.exe est construit.`);
  }

  for (const name of ['open-files', 'open-folder']) {
    control(name).addEventListener('change', (event) => {
      const files = Array.from(event.target.files);
      event.target.value = '';  // so that choosing the same files again reads them again
      open(files).catch((error) => setStatus(`Erreur : ${error.message}`));
    });
  }
  control('build').addEventListener('click', build);

  createTevraStudio().then((module) => {
    api = wrapTevraStudio(module);
    for (const name of ['open-files', 'open-folder']) control(name).disabled = false;
    document.body.dataset.ready = 'true';
    setStatus('Prêt. Ouvrez un quiz.');
  });
})();
