// Sound and video playback with the real hosted media player: files written to
// the temporary directory, the play and stop buttons of a panel, the failure
// messages. The player's own play state is not readable here, so playback is
// observed through the play-state events the control sends.
#include "media/media_playback.h"

#include <gtest/gtest.h>
#include <initguid.h>
#include <wmp.h>
#include <wmpids.h>

#include <string>
#include <utility>
#include <vector>

#include "app/control_ids.h"
#include "app/player_state.h"
#include "media/nibble_swap.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/win_files.h"
#include "tests/support/win_ui.h"

namespace {

constexpr int kRows = 3;
constexpr DWORD kEventWaitMs = 10000;

// --- Media the tests carry instead of resources -----------------------------

// A mono 8-bit PCM WAVE file of silence lasting `milliseconds`.
std::vector<uint8_t> MakeWave(int milliseconds) {
  constexpr uint32_t kRate = 8000;
  const uint32_t samples = kRate * milliseconds / 1000;
  std::vector<uint8_t> file;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    file.push_back(static_cast<uint8_t>(v));
    file.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto tag = [&](const char* t) { file.insert(file.end(), t, t + 4); };
  tag("RIFF");
  put32(36 + samples);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate);
  put16(1);
  put16(8);
  tag("data");
  put32(samples);
  file.insert(file.end(), samples, 0x80);
  return file;
}

std::vector<uint8_t> Scrambled(std::vector<uint8_t> plain) {
  SwapNibbles(plain.data(), plain.size());
  return plain;
}

struct StoredMedia {
  int resourceId;
  std::vector<uint8_t> stored;  // empty: present but not loadable
};
std::vector<StoredMedia> storedMedia;

bool FindTestMedia(int resourceId, const uint8_t** stored, size_t* size) {
  for (const StoredMedia& media : storedMedia) {
    if (media.resourceId != resourceId) continue;
    *stored = media.stored.empty() ? nullptr : media.stored.data();
    *size = media.stored.size();
    return true;
  }
  return false;
}

// --- Play-state events of every player -------------------------------------

struct PlayEvent {
  int row;
  long state;
  bool operator==(const PlayEvent& other) const { return row == other.row && state == other.state; }
};
std::vector<PlayEvent> playEvents;
// Whether this file was still there each time a player reported it stopped.
std::string watchedFile;
std::vector<bool> watchedFileAtStop;

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct PlayStateSink : IDispatch {
  int row = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__WMPOCXEvents) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives in the fixture
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (id == DISPID_WMPCOREEVENT_PLAYSTATECHANGE && params->cArgs == 1) {
      const long state = static_cast<long>(params->rgvarg[0].ulVal);
      playEvents.push_back({row, state});
      if (state == wmppsStopped && !watchedFile.empty()) {
        watchedFileAtStop.push_back(FileExists(watchedFile));
      }
    }
    return S_OK;
  }
};

// --- A panel: containers, play and stop buttons, commands to the media -----

LRESULT CALLBACK TestPanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && HandleMediaCommand(window, wparam)) return 0;
  if (message == WM_DESTROY) ReleaseMediaPlayers();
  return DefWindowProcA(window, message, wparam, lparam);
}

std::string AsString(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class MediaPlaybackTest : public testing::Test {
 protected:
  void SetUp() override {
    quiz = new PlayerQuiz{};
    tempDir = scratch.path() + "\\";
    lstrcpynA(quiz->tempDir, tempDir.c_str(), sizeof(quiz->tempDir));
    storedMedia.clear();
    playEvents.clear();
    watchedFile.clear();
    watchedFileAtStop.clear();
    SetMediaFinder(FindTestMedia);
  }

  void TearDown() override {
    if (panel) DestroyWindow(panel);
    ShutdownMediaHost(frame);
    for (auto& [point, cookie] : connections) point->Release();
    SetMediaFinder(nullptr);
    delete quiz;
    quiz = nullptr;
  }

  void MakeQuiz(int displayMode) {
    quiz->data.displayMode = displayMode;
    quiz->data.questionCount = kRows;
  }

  // The frame and panel; with `players`, a player in each row's container.
  void Start(bool players = true) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestPanelProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TevraMediaTestPanel";
    RegisterClassA(&windowClass);
    frame = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 400,
                            nullptr, nullptr, nullptr, nullptr);
    panel = CreateWindowExA(0, "TevraMediaTestPanel", "", WS_CHILD | WS_VISIBLE, 0, 0, 1000, 400,
                            frame, nullptr, nullptr, nullptr);
    for (int n = 1; n <= kRows; ++n) {
      const int x = 46 + 330 * (n - 1);
      HWND container = CreateChild("Static", WS_BORDER, x, 5, 300, 200, kPictureBaseId + n);
      CreateChild("Button", 0, x, 215, 20, 20, kPlayButtonBaseId + n);
      CreateChild("Button", 0, x, 235, 20, 19, kStopButtonBaseId + n);
      if (players) {
        ASSERT_TRUE(CreateQuestionPlayer(panel, n, container));
        Listen(n);
      }
    }
  }

  HWND CreateChild(const char* windowClass, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, panel,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }

  void Listen(int n) {
    IConnectionPointContainer* points = nullptr;
    ASSERT_HRESULT_SUCCEEDED(mediaSlots[n - 1].player->QueryInterface(
        IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)));
    IConnectionPoint* point = nullptr;
    ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(IID__WMPOCXEvents, &point));
    points->Release();
    sinks[n - 1].row = n;
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(point->Advise(&sinks[n - 1], &cookie));
    connections.push_back({point, cookie});
  }

  void Click(int id) { SendMessageA(GetDlgItem(panel, id), BM_CLICK, 0, 0); }

  // Pumps messages until `event` has been seen or the wait is over.
  bool WaitFor(PlayEvent event) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kEventWaitMs) {
      for (const PlayEvent& seen : playEvents) {
        if (seen == event) return true;
      }
      PumpMessages();
      Sleep(5);
    }
    return false;
  }

  int IndexOf(PlayEvent event) {
    for (size_t i = 0; i < playEvents.size(); ++i) {
      if (playEvents[i] == event) return static_cast<int>(i);
    }
    return -1;
  }

  std::string PathOf(const char* name) { return tempDir + name; }

  // The temporary directory the media files are written to.
  ScratchDirectory scratch;
  std::string tempDir;
  HWND frame = nullptr;
  HWND panel = nullptr;
  // Every message box is answered at once, and recorded.
  MessageBoxAnswerer boxes;
  PlayStateSink sinks[kRows];
  std::vector<std::pair<IConnectionPoint*, DWORD>> connections;
};

constexpr PlayEvent Playing(int row) {
  return {row, wmppsPlaying};
}
constexpr PlayEvent Stopped(int row) {
  return {row, wmppsStopped};
}
constexpr PlayEvent Ended(int row) {
  return {row, wmppsMediaEnded};
}

TEST_F(MediaPlaybackTest, TextAndPictureQuizzesLoadNothingAndIgnoreTheButtons) {
  ASSERT_EQ(GetModuleHandleA("atl.dll"), nullptr);
  for (int displayMode : {0, 1}) {
    MakeQuiz(displayMode);
    storedMedia = {{401, Scrambled(MakeWave(100))}};
    EXPECT_EQ(InitMediaHost(), 0);
    Start(false);
    Click(kPlayButtonBaseId + 1);
    Click(kStopButtonBaseId + 1);
    EXPECT_FALSE(HandleMediaCommand(panel, kPlayButtonBaseId + 1));
    EXPECT_FALSE(HandleMediaCommand(panel, kStopButtonBaseId + 1));
    EXPECT_EQ(GetModuleHandleA("atl.dll"), nullptr) << displayMode;
    EXPECT_FALSE(FileExists(PathOf("tevra401.WAV"))) << displayMode;
    EXPECT_EQ(currentMedia, 0);
    DestroyWindow(frame);
    panel = nullptr;
  }
}

TEST_F(MediaPlaybackTest, PlayWritesTheDescrambledFileAndPlaysItToTheEnd) {
  MakeQuiz(2);
  const std::vector<uint8_t> wave = MakeWave(200);
  storedMedia = {{401, Scrambled(wave)}};
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  Click(kPlayButtonBaseId + 1);
  EXPECT_EQ(ReadFileBytes(PathOf("tevra401.WAV")), AsString(wave));
  EXPECT_EQ(lastMediaPath, PathOf("tevra401.WAV"));
  EXPECT_EQ(currentMedia, 1);
  EXPECT_EQ(mediaSlots[0].state, kMediaPlaying);
  EXPECT_TRUE(WaitFor(Playing(1)));
  EXPECT_TRUE(WaitFor(Ended(1)));
  EXPECT_TRUE(boxes.captions.empty());
}

TEST_F(MediaPlaybackTest, SecondPlayRewritesAnIdenticalFileAndStartsAgain) {
  MakeQuiz(3);
  const std::vector<uint8_t> wave = MakeWave(150);
  storedMedia = {{402, Scrambled(wave)}};
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  Click(kPlayButtonBaseId + 2);
  ASSERT_TRUE(WaitFor(Ended(2)));
  const std::string first = ReadFileBytes(PathOf("tevra402.WAV"));
  // Spoil the file: the second play must write it again, not reuse it.
  DeleteFileA(PathOf("tevra402.WAV").c_str());
  playEvents.clear();
  Click(kPlayButtonBaseId + 2);
  EXPECT_EQ(ReadFileBytes(PathOf("tevra402.WAV")), first);
  EXPECT_EQ(first, AsString(wave));
  EXPECT_TRUE(WaitFor(Playing(2)));
  EXPECT_TRUE(WaitFor(Ended(2)));
}

TEST_F(MediaPlaybackTest, PlayOnRowTwoStopsRowOneFirst) {
  MakeQuiz(2);
  storedMedia = {{401, Scrambled(MakeWave(5000))}, {402, Scrambled(MakeWave(5000))}};
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  Click(kPlayButtonBaseId + 1);
  ASSERT_TRUE(WaitFor(Playing(1)));
  playEvents.clear();
  Click(kPlayButtonBaseId + 2);
  ASSERT_TRUE(WaitFor(Playing(2)));
  ASSERT_NE(IndexOf(Stopped(1)), -1);
  EXPECT_LT(IndexOf(Stopped(1)), IndexOf(Playing(2)));
  EXPECT_EQ(mediaSlots[0].state, kMediaStopped);
  EXPECT_EQ(mediaSlots[1].state, kMediaPlaying);
  EXPECT_EQ(currentMedia, 2);
  EXPECT_EQ(lastMediaPath, PathOf("tevra402.WAV"));
}

TEST_F(MediaPlaybackTest, AnyStopButtonStopsTheMediaStartedLast) {
  MakeQuiz(2);
  storedMedia = {{402, Scrambled(MakeWave(5000))}};
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  Click(kStopButtonBaseId + 1);  // nothing started yet: nothing to stop
  EXPECT_TRUE(playEvents.empty());
  Click(kPlayButtonBaseId + 2);
  ASSERT_TRUE(WaitFor(Playing(2)));
  playEvents.clear();
  Click(kStopButtonBaseId + 3);
  EXPECT_TRUE(WaitFor(Stopped(2)));
  EXPECT_EQ(mediaSlots[1].state, kMediaStopped);
  EXPECT_EQ(IndexOf(Playing(2)), -1);
}

TEST_F(MediaPlaybackTest, ClosingThePanelStopsThePlayersThenDeletesTheLastFile) {
  MakeQuiz(2);
  storedMedia = {{401, Scrambled(MakeWave(5000))}, {403, Scrambled(MakeWave(5000))}};
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  Click(kPlayButtonBaseId + 1);
  Click(kPlayButtonBaseId + 3);
  ASSERT_TRUE(WaitFor(Playing(3)));
  watchedFile = PathOf("tevra403.WAV");
  DestroyWindow(panel);  // its WM_DESTROY releases the players
  panel = nullptr;
  EXPECT_TRUE(WaitFor(Stopped(3)));
  EXPECT_EQ(watchedFileAtStop, std::vector<bool>{true});  // stopped before the file went
  EXPECT_FALSE(FileExists(PathOf("tevra403.WAV")));
  EXPECT_TRUE(FileExists(PathOf("tevra401.WAV")));  // only the last one is ours to delete
  EXPECT_STREQ(lastMediaPath, "");
  for (const MediaSlot& slot : mediaSlots) EXPECT_EQ(slot.player, nullptr);
  DeleteFileA(PathOf("tevra401.WAV").c_str());
}

TEST_F(MediaPlaybackTest, NoHostLibraryShowsThePlayerErrorOverTheWindow) {
  MakeQuiz(3);  // InitMediaHost not run: as when "atl.dll" or its export is missing
  Start(false);
  EXPECT_FALSE(CreateQuestionPlayer(panel, 1, GetDlgItem(panel, kPictureBaseId + 1)));
  ASSERT_EQ(boxes.captions.size(), 1u);
  EXPECT_EQ(boxes.captions[0], "TEVRA");
  EXPECT_EQ(boxes.texts[0], "Erreur WindowsMediaPlater");
  EXPECT_EQ(boxes.owners[0], frame);  // a box over a child window belongs to its frame
  EXPECT_EQ(mediaSlots[0].player, nullptr);
  Click(kPlayButtonBaseId + 1);  // a row without a player does nothing
  EXPECT_EQ(boxes.captions.size(), 1u);
}

TEST_F(MediaPlaybackTest, WritesEachKindUnderItsSniffedName) {
  MakeQuiz(3);
  struct Case {
    int resourceId;
    std::string plain;
    const char* name;
  } cases[] = {
      {401, std::string("RIFF\x24\0\0\0WAVEfmt ", 16), "tevra401.WAV"},
      {405, std::string("RIFF\x24\0\0\0AVI LIST", 16), "tevra405.AVI"},
      {410, std::string("ID3\x04\0\0\0\0\0\x10", 10), "tevra410.MP3"},
      {420, std::string("\0\0\x01\xBA\x44\0\x04\0\x04\x01", 10), "tevra420.MPG"},
      {496, std::string("MThd\0\0\0\x06", 8), "tevra496.MID"},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> plain(c.plain.begin(), c.plain.end());
    const std::vector<uint8_t> stored = Scrambled(plain);
    EXPECT_EQ(WriteMediaFile(c.resourceId, 2, stored.data(), stored.size()), 1) << c.name;
    EXPECT_EQ(ReadFileBytes(PathOf(c.name)), c.plain) << c.name;
    EXPECT_EQ(lastMediaPath, PathOf(c.name));
    DeleteFileA(PathOf(c.name).c_str());
  }
}

// Media that cannot be written is never played: the loading message instead,
// and the file written before stays the one to delete.
TEST_F(MediaPlaybackTest, MediaThatCannotBeWrittenIsNotPlayed) {
  enum Stored { kMissing, kUnloadable, kPresent };
  enum Directory { kUsual, kTooLong, kNameTaken };
  struct Case {
    const char* what;
    int displayMode;
    Stored stored;
    Directory directory;
    const char* message;  // null: none
  } cases[] = {
      {"no such resource", 2, kMissing, kUsual, nullptr},
      {"not loadable, audio", 2, kUnloadable, kUsual, "Impossible de charger le fichier audio."},
      {"not loadable, video", 3, kUnloadable, kUsual, "Impossible de charger le fichier vid\xE9o."},
      {"255-character directory", 3, kPresent, kTooLong,
       "Impossible de charger le fichier vid\xE9o."},
      {"file cannot be created", 2, kPresent, kNameTaken,
       "Impossible de charger le fichier audio."},
  };
  MakeQuiz(2);
  ASSERT_EQ(InitMediaHost(), 0);
  Start();
  const std::vector<uint8_t> wave = MakeWave(100);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    quiz->data.displayMode = c.displayMode;
    storedMedia = {{403, Scrambled(wave)}};
    if (c.stored != kMissing) {
      storedMedia.push_back({401, c.stored == kPresent ? Scrambled(wave) : std::vector<uint8_t>{}});
    }
    Click(kPlayButtonBaseId + 3);
    ASSERT_EQ(lastMediaPath, PathOf("tevra403.WAV"));
    const std::string longDirectory = std::string(254, 'd') + "\\";
    if (c.directory == kTooLong) lstrcpynA(quiz->tempDir, longDirectory.c_str(), kTempDirSize);
    if (c.directory == kNameTaken) CreateDirectoryA(PathOf("tevra401.WAV").c_str(), nullptr);
    boxes.Clear();
    playEvents.clear();
    Click(kPlayButtonBaseId + 1);
    if (c.message) {
      ASSERT_EQ(boxes.captions.size(), 1u);
      EXPECT_EQ(boxes.captions[0], "Tevra");
      EXPECT_EQ(boxes.texts[0], c.message);
      EXPECT_EQ(boxes.owners[0], nullptr);
    } else {
      EXPECT_TRUE(boxes.captions.empty());
    }
    EXPECT_EQ(IndexOf(Playing(1)), -1);
    EXPECT_EQ(mediaSlots[0].state, kMediaStopped);
    EXPECT_EQ(lastMediaPath, PathOf("tevra403.WAV"));
    RemoveDirectoryA(PathOf("tevra401.WAV").c_str());
    lstrcpynA(quiz->tempDir, tempDir.c_str(), kTempDirSize);
  }
}

// A temporary directory that could not be read names the file in the current
// directory, handed to the player as a whole path; a copy that cannot be made
// shows the loading message, and nothing escapes as an exception.
TEST_F(MediaPlaybackTest, MediaIsWrittenWithoutATemporaryDirectoryOrMemoryToSpare) {
  MakeQuiz(2);
  quiz->tempDir[0] = '\0';
  const std::vector<uint8_t> stored = Scrambled(MakeWave(100));
  {
    CurrentDirectory inTemp(tempDir);
    EXPECT_EQ(WriteMediaFile(401, 1, stored.data(), stored.size()), 1);
  }
  EXPECT_EQ(lastMediaPath, PathOf("tevra401.WAV"));
  EXPECT_EQ(ReadFileBytes(PathOf("tevra401.WAV")).size(), stored.size());

  boxes.Clear();
  EXPECT_EQ(WriteMediaFile(402, 1, stored.data(), SIZE_MAX / 2), 0);
  ASSERT_EQ(boxes.captions.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Impossible de charger le fichier audio.");
  EXPECT_EQ(lastMediaPath, PathOf("tevra401.WAV"));
}

}  // namespace
