#include "progress/save_progress.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "progress/saved_answers.h"
#include "quiz/answer_boxes.h"

namespace {

constexpr int kFieldTextSize = 260;
constexpr char kTempSuffix[] = ".new";

std::string FileNameOfThisProgram() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return SavedAnswersFileName(path);
}

// The file as it stands, or nothing when it cannot be read.
std::string ReadWholeFile(const std::string& name) {
  std::string bytes;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::string& name, const std::string& bytes) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok = CloseHandle(file) && ok;
  if (!ok) DeleteFileA(name.c_str());
  return ok;
}

// The text of every answer field, in answer-number order. The strings are
// kept in `texts` so that the fields' views stay valid.
std::vector<SavedField> CollectFields(const PlayerQuiz& player, std::vector<std::string>* texts) {
  const int count = StoredAnswerCount(player.data);
  texts->assign(count, std::string());
  std::vector<SavedField> fields(count, SavedField{false, {}});
  for (int n = 1; n <= count; ++n) {
    HWND field =
        player.panelWindow ? GetDlgItem(player.panelWindow, kAnswerFieldBaseId + n) : nullptr;
    if (!field) continue;
    char text[kFieldTextSize] = {};
    GetWindowTextA(field, text, kFieldTextSize);
    (*texts)[n - 1] = text;
    fields[n - 1] = {true, (*texts)[n - 1]};
  }
  return fields;
}

// Built in a buffer of its own: it is also what a save that ran out of memory
// shows.
void TellSaveFailed(const PlayerQuiz& player, const char* name, SaveMoment moment) {
  const char* advice = moment == SaveMoment::kOnClosing
                           ? "Les r\xE9ponses tap\xE9"
                             "es depuis le dernier enregistrement seront perdues."
                           : "V\xE9rifiez que le dossier n'est pas prot\xE9g\xE9 en \xE9"
                             "criture, puis "
                             "r\xE9"
                             "essayez.";
  char text[MAX_PATH + 256];
  std::snprintf(text, sizeof(text),
                "Impossible d'enregistrer vos r\xE9ponses dans le fichier %s.\n%s", name, advice);
  HWND owner = player.panelWindow ? GetAncestor(player.panelWindow, GA_ROOT) : nullptr;
  MessageBoxA(owner, text, "Tevra", MB_OK | MB_ICONWARNING);
}

// Writes the new file beside the old one, then puts it in its place.
bool ReplaceSavedFile(const std::string& name, const std::vector<SavedField>& fields) {
  const std::string bytes = BuildSavedAnswers(fields, SplitSavedLines(ReadWholeFile(name)));
  const std::string temporary = name + kTempSuffix;
  if (WriteWholeFile(temporary, bytes) &&
      MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace

bool SaveProgress(const PlayerQuiz& player, SaveMoment moment) {
  std::string name;
  bool saved = false;
  // Runs inside window procedures: memory that cannot be had for the copies
  // of the texts and of the old file makes a failed save, never an exception.
  try {
    name = FileNameOfThisProgram();
    std::vector<std::string> texts;
    const std::vector<SavedField> fields = CollectFields(player, &texts);
    // A quiz that failed to load has no field at all: writing would only
    // empty the file of an earlier, good run.
    if (fields.empty()) return true;
    saved = ReplaceSavedFile(name, fields);
  } catch (const std::bad_alloc&) {
    saved = false;
  }
  if (!saved) TellSaveFailed(player, name.c_str(), moment);
  return saved;
}
