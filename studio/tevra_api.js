// The studio's C API (studio/studio_api.h) as JavaScript calls, for the page
// and for the tests under node: texts go in as UTF-8, JSON replies come out
// parsed, byte buffers as Uint8Array copies.
'use strict';

function wrapTevraStudio(module) {
  const text = (name, types = [], args = []) => module.ccall(name, 'string', types, args);
  const json = (name, types, args) => JSON.parse(text(name, types, args));
  const bytesAt = (pointer, size) => module.HEAPU8.slice(pointer, pointer + size);
  return {
    reset: () => module._tevra_reset(),
    addFile(name, bytes) {
      const pointer = module._malloc(Math.max(bytes.length, 1));
      module.HEAPU8.set(bytes, pointer);
      module.ccall('tevra_add_file', 'number', ['string', 'number', 'number'],
                   [name, pointer, bytes.length]);
      module._free(pointer);
    },
    readQuiz: (name) => json('tevra_read_quiz', ['string'], [name]),
    check: () => json('tevra_check'),
    build() {
      const reply = json('tevra_build');
      if (reply.ok) reply.bytes = bytesAt(module._tevra_output_data(), module._tevra_output_size());
      return reply;
    },
    unpack: (name) => json('tevra_unpack', ['string'], [name]),
    file(name) {
      const size = module.ccall('tevra_file_size', 'number', ['string'], [name]);
      const pointer = module.ccall('tevra_file_data', 'number', ['string'], [name]);
      return pointer ? bytesAt(pointer, size) : null;
    },
    writeToml: () => text('tevra_write_toml'),
    // The editor's model ({the quiz's fields, questions: [{...}]}) written as
    // quiz.toml by the core and read: what readQuiz gives.
    edit(model) {
      module._tevra_edit_start(model.questions.length);
      const set = (question, key, value) => {
        if (!module.ccall('tevra_edit_set', 'number', ['number', 'string', 'string'],
                          [question, key, String(value)])) {
          throw new Error(`champ refusé : ${key} = ${value}`);
        }
      };
      for (const [key, value] of Object.entries(model)) {
        if (key !== 'questions') set(0, key, value);
      }
      model.questions.forEach((question, index) => {
        for (const [key, value] of Object.entries(question)) set(index + 1, key, value);
      });
      return json('tevra_edit_finish');
    },
    model: () => json('tevra_model'),
    kinds: () => json('tevra_kinds'),
    fitPicture: (name, width, height) =>
      json('tevra_fit_picture', ['string', 'number', 'number'], [name, width, height]),
    judge: (expected, typed) => json('tevra_judge', ['string', 'string'], [expected, typed]),
  };
}

if (typeof module !== 'undefined') module.exports = { wrapTevraStudio };
