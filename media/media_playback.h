// Sound and video of an audio or video quiz: one media player control per
// question, hosted in a static container of the question panel and fed with the
// question's media file, written descrambled to the temporary directory.
//
// What the rest of the player calls:
//   start-up    InitMediaHost() once the quiz is loaded, before the main window;
//   panel       CreateQuestionPlayer(panel, n, container) for each row of an audio
//               or video grid (false: stop building rows), HandleMediaCommand(panel,
//               wParam) on WM_COMMAND, ReleaseMediaPlayers() on WM_CLOSE and
//               WM_DESTROY (stops the players and deletes the last media file);
//   teardown    ShutdownMediaHost(mainWindow) after the loop, panel and header gone.
// In a text or picture quiz all of these do nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "media/media_sniff.h"
#include "quiz/quiz_data.h"

struct IWMPPlayer;
struct IWMPControls;

enum MediaState : int32_t { kMediaStopped = 0, kMediaPlaying = 1 };

struct MediaSlot {
  int32_t state;
  HWND container;
  HRESULT lastResult;  // of the last creation step; kept for debugging only
  IWMPPlayer* player;
  IWMPControls* controls;
};

// Indexed by question number - 1.
extern MediaSlot mediaSlots[kMaxQuestions];
// Question number (from 1) whose media was started last; 0 before any play.
extern int32_t currentMedia;
// Full path of the media file written last; empty when none is left to delete.
extern char lastMediaPath[kMediaPathSize];

// Loads the control-hosting library and enters COM for an audio or video quiz.
// 0 when done or not needed, 1 when the library could not be loaded.
int InitMediaHost();
void ShutdownMediaHost(HWND mainWindow);

// Creates question n's player inside `container` (a child of `panel`). On failure
// shows "Erreur WindowsMediaPlater" over the panel and returns false: the panel
// then builds no further rows.
bool CreateQuestionPlayer(HWND panel, int n, HWND container);

// Play (6000 + n) and stop (7000 + n) buttons. Returns true when `command` was
// one of them in an audio or video quiz.
bool HandleMediaCommand(HWND panel, WPARAM command);

// Stops and lets go of every player, then deletes the media file written last.
// Safe to call more than once.
void ReleaseMediaPlayers();

// Writes the media file of resource `resourceId` ("IMG", nibble-swapped) to the
// temporary directory and sets lastMediaPath. `mediaKind` 1 (audio) or 2 (video)
// chooses the wording of the loading message. Returns 1 when the whole file was
// written, 0 otherwise.
int ExtractMediaResource(HWND owner, int resourceId, int mediaKind);

// The same from stored bytes already in memory (the resource, or a test's copy).
int WriteMediaFile(int resourceId, int mediaKind, const uint8_t* stored, size_t size);

// Where ExtractMediaResource finds stored media: the executable's "IMG"
// resources unless a test puts its own finder in. A finder returns false when
// there is no such resource; it sets *stored to null when one exists but cannot
// be loaded.
using MediaFinder = bool (*)(int resourceId, const uint8_t** stored, size_t* size);
void SetMediaFinder(MediaFinder finder);
