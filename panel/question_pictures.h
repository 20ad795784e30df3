// The pictures of the picture grid: each question's picture, loaded a row at
// a time while the rows are built; the answer picture that takes its place
// once the question is solved; and the bitmaps let go with the panel.
#pragma once

#include <windows.h>

#include "media/picture_fit.h"
#include "panel/panel_layout.h"
#include "quiz/quiz_data.h"

// The pictures of one grid row, fitted to their 300 x 300 boxes. A question
// without a picture has no bitmap and a size of 300 x 0.
struct RowPictures {
  HBITMAP bitmap[kGridColumns];
  PictureSize size[kGridColumns];
  int height;  // the tallest of the three
};

// Loads the pictures of questions n, n + 1 and n + 2.
void LoadRowPictures(int n, RowPictures* row);

// Gives the picture of the row's column to its control, which owns it from
// then on.
void SetQuestionPicture(HWND control, RowPictures* row, int column);

// Deletes the bitmaps no control took (questions past the end of the quiz).
void DiscardRowPictures(RowPictures* row);

// Puts the answer picture of question questionIndex + 1 in place of its
// picture, centred where the picture was; without one, nothing changes.
void ShowAnswerPicture(const QuizData& data, HWND panel, int questionIndex);

// Deletes the bitmaps the picture controls show.
void ReleaseQuestionPictures(const QuizData& data, HWND panel);
