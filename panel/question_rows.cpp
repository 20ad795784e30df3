#include "panel/question_rows.h"

#include <cstdio>
#include <string_view>

#include "answers/answer_check.h"
#include "answers/score.h"
#include "app/player_state.h"
#include "media/media_playback.h"
#include "panel/answer_field.h"
#include "panel/feedback_labels.h"
#include "panel/panel_layout.h"
#include "panel/question_panel.h"
#include "panel/question_pictures.h"
#include "progress/saved_answers.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_model.h"
#include "resources/player_resources.h"

namespace {

constexpr int kTextFontHeight = 15;
constexpr int kTextFontWeight = 100;
constexpr int kModulePathSize = MAX_PATH;

constexpr DWORD kNumberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kBoxedLabelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTERIMAGE | SS_CENTER;
constexpr DWORD kGridFieldStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
// The text list's fields carry one more bit, which an edit control ignores.
constexpr DWORD kTextListFieldStyle = kGridFieldStyle | 0x200;
constexpr DWORD kPictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTERIMAGE | SS_BITMAP;
constexpr DWORD kContainerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD kRevealStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD kCaptionStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kMediaButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;

// The saved-answers file, read while the rows are built.
struct SavedAnswers {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  const char* bytes = nullptr;
  size_t size = 0;
  size_t position = 0;
};

void OpenSavedAnswers(SavedAnswers* saved) {
  char modulePath[kModulePathSize] = {};
  GetModuleFileNameA(nullptr, modulePath, sizeof(modulePath));
  const std::string name = SavedAnswersFileName(modulePath);
  saved->file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (saved->file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(saved->file, &size) || size.QuadPart == 0) return;
  saved->mapping = CreateFileMappingA(saved->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (saved->mapping == nullptr) return;
  saved->bytes = static_cast<const char*>(MapViewOfFile(saved->mapping, FILE_MAP_READ, 0, 0, 0));
  if (saved->bytes != nullptr) saved->size = static_cast<size_t>(size.QuadPart);
}

void CloseSavedAnswers(SavedAnswers* saved) {
  if (saved->bytes != nullptr) UnmapViewOfFile(saved->bytes);
  if (saved->mapping != nullptr) CloseHandle(saved->mapping);
  if (saved->file != INVALID_HANDLE_VALUE) CloseHandle(saved->file);
}

// The next field's initial text.
void NextSavedLine(SavedAnswers* saved, char (&text)[kAnswerFieldLength + 1]) {
  const size_t length =
      ReadSavedLine(std::string_view(saved->bytes, saved->size), &saved->position, text);
  text[length] = '\0';
}

// What every row is built with.
struct RowBuilder {
  PlayerQuiz& player;
  HWND panel;
  SavedAnswers saved;
  HICON playIcon = nullptr;
  HICON stopIcon = nullptr;
  bool anyWordChanged = false;
};

HWND CreateControl(const RowBuilder& rows, const char* windowClass, const char* text, DWORD style,
                   const Rect& at, int id) {
  return CreateWindowExA(0, windowClass, text, style, at.x, at.y, at.width, at.height, rows.panel,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void SetFont(HWND control, HFONT font, BOOL redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void SetGuiFont(HWND control) {
  SetFont(control, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

HWND CreateNumberLabel(const RowBuilder& rows, int n, const Rect& at, int id) {
  char number[16];
  std::snprintf(number, sizeof(number), "%d.", n);
  return CreateControl(rows, "Static", number, kNumberStyle, at, id);
}

// An answer field with its restored text and its "?" label. The field is
// judged and subclassed by the caller once the row's layout is final.
HWND CreateAnswerField(RowBuilder& rows, DWORD style, const Rect& field, const Rect& label,
                       int id) {
  char text[kAnswerFieldLength + 1];
  NextSavedLine(&rows.saved, text);
  HWND edit = CreateControl(rows, "Edit", text, style, field, id);
  SetFont(edit, rows.player.textFont, FALSE);
  SendMessageA(edit, EM_LIMITTEXT, kAnswerFieldLength, 0);
  HWND feedback = CreateControl(rows, "Static", "?", kBoxedLabelStyle, label, id + kFeedbackOffset);
  NoteAnswerControls(rows.panel, id - kAnswerFieldBaseId, edit, feedback);
  return edit;
}

void JudgeAndSubclass(RowBuilder& rows, HWND field, int id) {
  rows.anyWordChanged |= JudgeAnswerField(rows.player, rows.panel, id);
  SubclassAnswerField(field);
}

// Returns the top of the next row.
int BuildTextListRow(RowBuilder& rows, const Question& question, int n, int y) {
  const TextListRow row = LayOutTextListRow(y);
  CreateNumberLabel(rows, n, row.number, kNumberLabelId);
  HWND label = CreateControl(rows, "Static", question.questionText, kBoxedLabelStyle, row.question,
                             kQuestionLabelId);
  SetFont(label, rows.player.textFont, FALSE);
  const int id = kAnswerFieldBaseId + n;
  HWND field = CreateAnswerField(rows, kTextListFieldStyle, row.field, row.feedback, id);
  JudgeAndSubclass(rows, field, id);
  return y + kTextListRowStep;
}

// The plain (upper-cased) text of an accepted answer.
void PlainAnswer(const char* folded, char (&plain)[kTextSize]) {
  CopyText(plain, sizeof(plain), folded);
  UnfoldAnswer(plain);
}

bool IsSingleHyphen(const char* folded) {
  char plain[kTextSize];
  PlainAnswer(folded, plain);
  return plain[0] == '-' && plain[1] == '\0';
}

void CreateRevealLabel(const RowBuilder& rows, const Question& question, const GridCell& cell,
                       int n) {
  const RevealLabel reveal = KindTraitsOf(rows.player.data.questionKind).revealLabel;
  char text[kTextSize];
  if (reveal == RevealLabel::kWordHint) {
    char plain[kTextSize];
    PlainAnswer(question.answer1, plain);
    FormatWordHint(plain, text, sizeof(text));
  } else {
    CopyText(text, sizeof(text), question.extraText);
  }
  const bool shown = reveal == RevealLabel::kWordHint || reveal == RevealLabel::kShownExtra;
  HWND label =
      CreateControl(rows, "Static", text, shown ? kRevealStyle : kRevealStyle & ~WS_VISIBLE,
                    GridRevealLabel(cell), kRevealLabelBaseId + n);
  SetGuiFont(label);
}

void CreateAnswerFields(RowBuilder& rows, const Question& question, const GridCell& cell, int n) {
  const QuizData& data = rows.player.data;
  const int boxes = AnswerBoxes(data);
  for (int box = 1; box <= boxes; ++box) {
    const int id = AnswerFieldId(data, n - 1, box);
    HWND field = CreateAnswerField(rows, kGridFieldStyle, GridAnswerField(cell, boxes, box),
                                   GridFeedbackLabel(cell, boxes, box), id);
    HWND label = FeedbackLabelWindow(rows.panel, id - kAnswerFieldBaseId);
    if (boxes == 2) SetGuiFont(label);
    // A second answer of "-" needs no answer: the box is filled and hidden.
    if (box == 2 && IsSingleHyphen(question.answer2)) {
      SetWindowTextA(field, "-");
      ShowWindow(field, SW_HIDE);
      ShowWindow(label, SW_HIDE);
    }
    JudgeAndSubclass(rows, field, id);
  }
}

void CreateMediaButtons(const RowBuilder& rows, const GridCell& cell, int n) {
  HWND play = CreateControl(rows, "Button", "", kMediaButtonStyle, GridPlayButton(cell),
                            kPlayButtonBaseId + n);
  SendMessageA(play, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(rows.playIcon));
  HWND stop = CreateControl(rows, "Button", "", kMediaButtonStyle, GridStopButton(cell),
                            kStopButtonBaseId + n);
  SendMessageA(stop, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(rows.stopIcon));
}

struct GridPosition {
  int rowTop;
  RowPictures pictures;  // of the current row, picture grid only
};

// Builds question n of a grid; false when its media player could not be
// created, which ends the building of rows.
bool BuildGridQuestion(RowBuilder& rows, const Question& question, int n, GridPosition* at) {
  QuizData& data = rows.player.data;
  const int column = (n - 1) % kGridColumns;
  RowPictures& pictures = at->pictures;
  if (data.displayMode == kPictureGrid && column == 0) {
    LoadRowPictures(n, &pictures);
    data.rowHeights[(n - 1) / kGridColumns] = pictures.height;
  }
  const GridCell cell =
      LayOutGridCell(data.displayMode, data.answersPerQuestion, n, at->rowTop, pictures.height);
  if (data.displayMode == kPictureGrid) {
    const PictureSize size = pictures.size[column];
    HWND picture =
        CreateControl(rows, "Static", "", kPictureStyle,
                      GridPicture(cell, at->rowTop, pictures.height, size.width, size.height),
                      kPictureBaseId + n);
    // Before the answers are judged, so that a restored solved answer puts its
    // answer picture over this one rather than under it.
    SetQuestionPicture(picture, &pictures, column);
  } else {
    HWND container =
        CreateControl(rows, "Static", "", kContainerStyle,
                      GridMediaContainer(data.displayMode, cell, at->rowTop), kPictureBaseId + n);
    if (!CreateQuestionPlayer(rows.panel, n, container)) return false;
  }
  if (AnswerBoxes(data) == 2 && column == 0) {
    SetGuiFont(CreateControl(rows, "Static", data.answerCaption1, kCaptionStyle,
                             GridCaptionLabel(cell, 1), kCaptionLabelId));
    SetGuiFont(CreateControl(rows, "Static", data.answerCaption2, kCaptionStyle,
                             GridCaptionLabel(cell, 2), kCaptionLabelId));
  }
  CreateNumberLabel(rows, n, GridNumberLabel(cell), kNumberLabelId + n);
  if (HasRevealLabel(data.questionKind)) CreateRevealLabel(rows, question, cell, n);
  CreateAnswerFields(rows, question, cell, n);
  if (data.displayMode != kPictureGrid) CreateMediaButtons(rows, cell, n);

  const int areaBottom = cell.answerY + GridAnswerAreaHeight(data.questionKind);
  if (column == 0) {
    data.contentWidth = kGridContentWidth;
    data.contentHeight = areaBottom;
  }
  if (column == kGridColumns - 1) at->rowTop = areaBottom;
  return true;
}

void CreateTextFont(PlayerQuiz& player) {
  LOGFONTA description = {};
  description.lfHeight = kTextFontHeight;
  description.lfWeight = kTextFontWeight;
  if (player.textFont != nullptr) DeleteObject(player.textFont);
  player.textFont = CreateFontIndirectA(&description);
}

// Returns false when building stopped early.
bool BuildRows(RowBuilder& rows) {
  QuizData& data = rows.player.data;
  const int questions = QuestionsWithRows(data);
  GridPosition grid = {kFirstRowTop, {}};
  int textTop = kFirstRowTop;
  for (int n = 1; n <= questions; ++n) {
    const Question* question = QuestionAt(data, n - 1);
    if (question == nullptr) break;
    if (data.displayMode == kTextList) {
      textTop = BuildTextListRow(rows, *question, n, textTop);
      data.contentWidth = kTextListContentWidth;
      data.contentHeight = textTop;
    } else if (DisplayTraitsOf(data.displayMode).grid &&
               !BuildGridQuestion(rows, *question, n, &grid)) {
      return false;
    }
  }
  DiscardRowPictures(&grid.pictures);
  return true;
}

}  // namespace

BOOL BuildQuestionRows(HWND panel) {
  RowBuilder rows = {*quiz, panel, {}};
  QuizData& data = rows.player.data;
  data.contentWidth = 0;
  data.contentHeight = 0;
  if (data.displayMode == kAudioGrid || data.displayMode == kVideoGrid) {
    rows.playIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PLAY));
    rows.stopIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_STOP));
  }
  ForgetAnswerControls(panel);
  OpenSavedAnswers(&rows.saved);
  CreateTextFont(rows.player);
  const bool complete = BuildRows(rows);
  CloseSavedAnswers(&rows.saved);
  if (rows.anyWordChanged) UpdateScore(rows.player, panel);
  // After a failed media player the ranges wait for the next resize.
  if (complete) {
    data.contentWidth += ContentWidthMargin(data.answersPerQuestion);
    UpdateScrollRanges(panel);
  }
  return TRUE;
}
