// A picture example built both ways, by the toolchain from the resource script
// of 'tevra-pack rc' and by the Windows 'tevra-pack build', plays the same:
// every control of the panel and the header with the same text and place, the
// same bitmap in every picture control, the same verdicts.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "tests/e2e/picture_probe.h"
#include "tests/e2e/quiz_process.h"
#include "tests/support/scratch_directory.h"

namespace {

constexpr int kQuestionCount = 6;

// The quiz's side of the probe: a hook on its user-interface thread, and a
// message-only window of the driver's that takes the replies.
class PictureProbe {
 public:
  explicit PictureProbe(HWND panel) {
    module_ = LoadLibraryA(WindowsPath(TEVRA_PICTURE_PROBE).c_str());
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(module_, "ProbeCallHook")));
    hook_ = hook ? SetWindowsHookExA(WH_CALLWNDPROC, hook, module_,
                                     GetWindowThreadProcessId(panel, nullptr))
                 : nullptr;
    window_ =
        CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Receive));
  }
  ~PictureProbe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    DestroyWindow(window_);
    if (module_) FreeLibrary(module_);
  }
  bool ready() const { return hook_ != nullptr; }

  // -1 x -1 when the probe did not answer.
  SIZE BitmapSize(HWND control) {
    reply_ = {-1, -1};
    SendMessageA(control, RegisterWindowMessageA(kProbeMessageName),
                 reinterpret_cast<WPARAM>(window_), 0);
    return reply_;
  }

 private:
  // Runs while BitmapSize waits in SendMessage: a sent message is handled then.
  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message == WM_COPYDATA && data->dwData == kProbeReplyTag && data->cbData == sizeof(SIZE)) {
      reply_ = *static_cast<const SIZE*>(data->lpData);
      return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static inline SIZE reply_ = {-1, -1};
  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
  HWND window_ = nullptr;
};

struct Play {
  std::vector<std::string> header, panel, verdicts;
  std::vector<SIZE> bitmaps;
  std::string score;
};

// The dialog's own controls, in id order. EnumChildWindows lists them all at
// once: a sibling-by-sibling walk can miss controls while the quiz, another
// process, still lays out its header and reorders them.
std::vector<HWND> ChildControls(HWND dialog) {
  std::vector<HWND> children;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  children.erase(std::remove_if(children.begin(), children.end(),
                                [dialog](HWND child) { return GetParent(child) != dialog; }),
                 children.end());
  std::stable_sort(children.begin(), children.end(),
                   [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
  return children;
}

// Every child control of a dialog as a player sees it: id, text, place in the
// dialog's client area, visibility and, for a picture control, its bitmap.
std::vector<std::string> Controls(const QuizProcess& quiz, HWND dialog, PictureProbe* probe,
                                  Play* play) {
  std::vector<std::string> controls;
  for (HWND child : ChildControls(dialog)) {
    const int id = GetDlgCtrlID(child);
    const RECT rect = RectInParent(child);
    std::string line =
        std::to_string(id) + " \"" + quiz.Text(dialog, id) + "\" at (" + std::to_string(rect.left) +
        ", " + std::to_string(rect.top) + ") " + std::to_string(rect.right - rect.left) + " x " +
        std::to_string(rect.bottom - rect.top) + (IsWindowVisible(child) ? "" : " hidden");
    if (id > kPictureBaseId && id <= kPictureBaseId + kQuestionCount) {
      const SIZE bitmap = probe->BitmapSize(child);
      play->bitmaps.push_back(bitmap);
      line += " bitmap " + std::to_string(bitmap.cx) + " x " + std::to_string(bitmap.cy);
    }
    controls.push_back(line);
  }
  return controls;
}

// Reads the whole window, then types two answers and reads their verdicts.
Play PlayOnce(const std::string& exe) {
  Play play;
  ScratchDirectory directory;
  QuizProcess quiz(WindowsPath(exe), directory.path());
  EXPECT_TRUE(quiz.running()) << exe;
  if (!quiz.running() || !quiz.panel()) return play;
  PictureProbe probe(quiz.panel());
  EXPECT_TRUE(probe.ready()) << "the probe hook was refused";
  play.header = Controls(quiz, quiz.header(), &probe, &play);
  play.panel = Controls(quiz, quiz.panel(), &probe, &play);
  const struct {
    int field;
    const char* typed;
  } answers[] = {{kAnswerFieldBaseId + 2, "sept"}, {kAnswerFieldBaseId + 5, "onez"}};
  for (const auto& answer : answers) {
    quiz.Answer(answer.field, answer.typed);
    play.verdicts.push_back(
        quiz.WaitForChange(quiz.panel(), answer.field + kFeedbackOffset, kWordEmpty));
  }
  play.score = quiz.Text(quiz.header(), kScoreLabelId);
  EXPECT_EQ(quiz.Close(), 0);
  return play;
}

TEST(PictureQuiz, ToolchainAndPackerBuildsPlayTheSame) {
  const Play toolchain = PlayOnce(TEVRA_TOOLCHAIN_QUIZ);
  const Play packed = PlayOnce(TEVRA_PACKED_QUIZ);
  ASSERT_FALSE(toolchain.panel.empty());
  EXPECT_EQ(toolchain.header, packed.header);
  EXPECT_EQ(toolchain.panel, packed.panel);
  EXPECT_EQ(toolchain.verdicts, packed.verdicts);
  EXPECT_EQ(toolchain.verdicts[0], kWordBravo);
  EXPECT_EQ(toolchain.score, " 1 / 6");
  EXPECT_EQ(toolchain.score, packed.score);
  // Not two empty grids: every picture was found, whichever way it was stored.
  ASSERT_EQ(toolchain.bitmaps.size(), size_t{kQuestionCount});
  for (const SIZE& bitmap : toolchain.bitmaps) {
    EXPECT_GT(bitmap.cx, 0);
    EXPECT_GT(bitmap.cy, 0);
  }
}

}  // namespace
