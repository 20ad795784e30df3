#include "panel/question_pictures.h"

#include <algorithm>

#include "media/picture_resource.h"

namespace {

constexpr int kPictureBox = 300;
constexpr int kPictureResourceBase = 400;
constexpr int kAnswerPictureResourceBase = 10400;

HBITMAP LoadPicture(int id, int boxHeight) {
  return LoadPictureResource(GetModuleHandleA(nullptr), id, kImageResourceType, kPictureBox,
                             boxHeight);
}

PictureSize BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

// The control's bitmap is replaced; the old one is deleted.
void ReplacePicture(HWND control, HBITMAP bitmap) {
  HANDLE old = reinterpret_cast<HANDLE>(
      SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (old != nullptr) DeleteObject(old);
}

}  // namespace

void LoadRowPictures(int n, RowPictures* row) {
  row->height = 0;
  for (int column = 0; column < kGridColumns; ++column) {
    HBITMAP bitmap = LoadPicture(kPictureResourceBase + n + column, kPictureBox);
    row->bitmap[column] = bitmap;
    row->size[column] = bitmap != nullptr ? BitmapSize(bitmap) : PictureSize{kPictureBox, 0};
    row->height = std::max(row->height, row->size[column].height);
  }
}

void SetQuestionPicture(HWND control, RowPictures* row, int column) {
  if (row->bitmap[column] == nullptr) return;
  ReplacePicture(control, row->bitmap[column]);
  row->bitmap[column] = nullptr;
}

void DiscardRowPictures(RowPictures* row) {
  for (HBITMAP& bitmap : row->bitmap) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

void ShowAnswerPicture(const QuizData& data, HWND panel, int questionIndex) {
  if (questionIndex < 0 || questionIndex >= kMaxQuestions) return;
  const int n = questionIndex + 1;
  HWND control = GetDlgItem(panel, kPictureBaseId + n);
  if (control == nullptr) return;
  HBITMAP bitmap =
      LoadPicture(kAnswerPictureResourceBase + n, data.rowHeights[questionIndex / kGridColumns]);
  if (bitmap == nullptr) return;
  RECT old;
  GetWindowRect(control, &old);
  POINT topLeft = {old.left, old.top};
  ScreenToClient(panel, &topLeft);
  const PictureSize size = BitmapSize(bitmap);
  SetWindowPos(control, nullptr, topLeft.x + (old.right - old.left - size.width) / 2,
               topLeft.y + (old.bottom - old.top - size.height) / 2, size.width, size.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ReplacePicture(control, bitmap);
}

void ReleaseQuestionPictures(const QuizData& data, HWND panel) {
  if (data.displayMode != kPictureGrid) return;
  const int questions = std::clamp(data.questionCount, 0, kMaxQuestions);
  for (int n = 1; n <= questions; ++n) {
    HWND control = GetDlgItem(panel, kPictureBaseId + n);
    if (control != nullptr) ReplacePicture(control, nullptr);
  }
}
