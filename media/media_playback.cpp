#include "media/media_playback.h"

#include <initguid.h>
#include <wmp.h>

#include <cstring>

#include "app/player_state.h"
#include "media/nibble_swap.h"
#include "panel/panel_layout.h"

MediaSlot mediaSlots[kMaxQuestions];
int32_t currentMedia = 0;
char lastMediaPath[kMediaPathSize] = "";

namespace {

static_assert(kMediaTempDirSize == kTempDirSize, "media paths are sized for the whole tempDir");

constexpr int kMediaResourceBase = 400;
constexpr DWORD kPlayerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
constexpr int kAudioMedia = 1;
constexpr int kVideoMedia = 2;

using AttachControlFunction = HRESULT(WINAPI*)(IUnknown* control, HWND container,
                                               IUnknown** containerUnknown);

struct MediaHost {
  HMODULE hostLibrary;
  AttachControlFunction attachControl;
  bool comEntered;
};

MediaHost host;

bool FindImageResource(int resourceId, const uint8_t** stored, size_t* size) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "IMG");
  if (!info) return false;
  *size = SizeofResource(nullptr, info);
  HGLOBAL handle = LoadResource(nullptr, info);
  *stored = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
  return true;
}

MediaFinder mediaFinder = FindImageResource;

bool IsMediaQuiz() {
  return quiz && (quiz->data.displayMode == kAudioGrid || quiz->data.displayMode == kVideoGrid);
}

MediaSlot* SlotFor(int n) {
  return n >= 1 && n <= kMaxQuestions ? &mediaSlots[n - 1] : nullptr;
}

// The player wants COM strings; the texts are in the ANSI code page.
BSTR AllocWideString(const char* text) {
  wchar_t wide[kMediaPathSize];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kMediaPathSize) == 0) return nullptr;
  return SysAllocString(wide);
}

void ShowLoadingMessage(int mediaKind) {
  // Without an owner, as the player has always shown it.
  if (mediaKind == kAudioMedia) {
    MessageBoxA(nullptr, "Impossible de charger le fichier audio.", "Tevra", MB_OK);
  } else if (mediaKind == kVideoMedia) {
    MessageBoxA(nullptr, "Impossible de charger le fichier vid\xE9o.", "Tevra", MB_OK);
  }
}

// Removes a file left half written, so that nothing ever plays a truncated file
// or an older quiz's media under our name.
bool WriteWholeFile(const char* path, const uint8_t* bytes, size_t size) {
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool fits = size <= MAXDWORD;
  const bool wrote = fits && WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
                     written == size;
  const bool closed = CloseHandle(file);
  if (wrote && closed) return true;
  DeleteFileA(path);
  return false;
}

// The media player is handed a whole path: a temporary directory that could
// not be read names the file in the current directory.
bool MakeFullPath(char (&path)[kMediaPathSize]) {
  char full[kMediaPathSize];
  const DWORD length = GetFullPathNameA(path, sizeof(full), full, nullptr);
  if (length == 0 || length > kMaxMediaPathLength) return false;
  std::memcpy(path, full, sizeof(path));
  return true;
}

void StopAllPlayers() {
  const int count =
      quiz->data.questionCount < kMaxQuestions ? quiz->data.questionCount : kMaxQuestions;
  for (int n = 1; n <= count; ++n) {
    MediaSlot& slot = mediaSlots[n - 1];
    if (!slot.controls) continue;
    slot.state = kMediaStopped;
    slot.controls->stop();
  }
}

// The play button always restarts its question's media from the beginning, and
// there is no pause: the button shows a play icon, not a play/pause one, and a
// player guessing from a short clip wants to hear it again from its start.
void PlayQuestionMedia(HWND panel, int n) {
  StopAllPlayers();
  MediaSlot& slot = mediaSlots[n - 1];
  if (!slot.player || !slot.controls) return;  // a row that was never built
  currentMedia = n;
  // Let go of the file this player may still hold, so that it can be rewritten.
  slot.player->close();
  if (ExtractMediaResource(panel, kMediaResourceBase + n, quiz->data.displayMode - 1) != 1) {
    return;
  }
  BSTR url = AllocWideString(lastMediaPath);
  if (!url) return;
  slot.player->put_URL(url);
  SysFreeString(url);
  slot.controls->play();
  slot.state = kMediaPlaying;
}

// Whichever stop button was pressed, it stops the media started last.
void StopCurrentMedia() {
  MediaSlot* slot = SlotFor(currentMedia);
  if (!slot) return;
  slot->state = kMediaStopped;
  if (slot->controls) slot->controls->stop();
}

}  // namespace

int InitMediaHost() {
  std::memset(mediaSlots, 0, sizeof(mediaSlots));
  currentMedia = 0;
  lastMediaPath[0] = '\0';
  if (!IsMediaQuiz()) return 0;
  host.hostLibrary = LoadLibraryA("atl.dll");
  if (!host.hostLibrary) return 1;
  host.attachControl = reinterpret_cast<AttachControlFunction>(
      reinterpret_cast<void*>(GetProcAddress(host.hostLibrary, "AtlAxAttachControl")));
  host.comEntered = SUCCEEDED(CoInitialize(nullptr));
  return 0;
}

void ShutdownMediaHost(HWND mainWindow) {
  if (!IsMediaQuiz()) return;
  ReleaseMediaPlayers();
  DestroyWindow(mainWindow);
  if (host.comEntered) CoUninitialize();
  if (host.hostLibrary) FreeLibrary(host.hostLibrary);
  host = {};
}

bool CreateQuestionPlayer(HWND panel, int n, HWND container) {
  MediaSlot* slot = SlotFor(n);
  if (!slot) return false;
  *slot = {};
  slot->container = container;
  // A host library without its attach export can host nothing: the same failure
  // as a player that cannot be created.
  if (host.attachControl) {
    slot->lastResult = CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, kPlayerContext,
                                        IID_IWMPPlayer, reinterpret_cast<void**>(&slot->player));
  }
  if (!host.attachControl || FAILED(slot->lastResult) || !slot->player) {
    slot->player = nullptr;
    MessageBoxA(panel, "Erreur WindowsMediaPlater", "TEVRA", MB_OK);
    return false;
  }
  slot->lastResult = host.attachControl(slot->player, container, nullptr);
  slot->lastResult = slot->player->get_controls(&slot->controls);
  BSTR mode = AllocWideString("none");
  slot->lastResult = slot->player->put_uiMode(mode);
  SysFreeString(mode);
  return true;
}

bool HandleMediaCommand(HWND panel, WPARAM command) {
  if (!IsMediaQuiz()) return false;
  if (command > kPlayButtonBaseId && command <= kPlayButtonBaseId + kMaxQuestions) {
    PlayQuestionMedia(panel, static_cast<int>(command - kPlayButtonBaseId));
    return true;
  }
  if (command > kStopButtonBaseId && command <= kStopButtonBaseId + kMaxQuestions) {
    StopCurrentMedia();
    return true;
  }
  return false;
}

void ReleaseMediaPlayers() {
  // A player holds its file open: stop and close every one before deleting.
  for (MediaSlot& slot : mediaSlots) {
    slot.state = kMediaStopped;
    if (slot.controls) {
      slot.controls->stop();
      slot.controls->Release();
      slot.controls = nullptr;
    }
    if (slot.player) {
      slot.player->close();
      slot.player->Release();
      slot.player = nullptr;
    }
  }
  currentMedia = 0;
  if (lastMediaPath[0] != '\0') {
    DeleteFileA(lastMediaPath);
    lastMediaPath[0] = '\0';
  }
}

int ExtractMediaResource(HWND /*owner: the messages have none*/, int resourceId, int mediaKind) {
  const uint8_t* stored = nullptr;
  size_t size = 0;
  if (!mediaFinder(resourceId, &stored, &size)) return 0;
  if (!stored) {
    ShowLoadingMessage(mediaKind);
    return 0;
  }
  return WriteMediaFile(resourceId, mediaKind, stored, size);
}

int WriteMediaFile(int resourceId, int mediaKind, const uint8_t* stored, size_t size) {
  // A copy: the resource keeps its stored form, so every play writes the same bytes.
  const std::unique_ptr<uint8_t[]> plain = DescrambledCopy(stored, size);
  char path[kMediaPathSize];
  if (plain == nullptr ||
      !FormatMediaPath(quiz->tempDir, resourceId, SniffMediaExtension(plain.get(), size), path,
                       sizeof(path)) ||
      !MakeFullPath(path) || !WriteWholeFile(path, plain.get(), size)) {
    ShowLoadingMessage(mediaKind);
    return 0;
  }
  std::memcpy(lastMediaPath, path, sizeof(lastMediaPath));
  return 1;
}

void SetMediaFinder(MediaFinder finder) {
  mediaFinder = finder ? finder : FindImageResource;
}
