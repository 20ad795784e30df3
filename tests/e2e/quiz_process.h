// Driving a built quiz executable from another process under Wine: start it
// in a working directory, find its windows, type into them, read them back,
// close it. Every wait is bounded, so a hung or crashed quiz fails the test.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/win_ui.h"

class QuizProcess {
 public:
  // Starts `exe` (a Windows path) in `directory` and waits for its frame.
  QuizProcess(const std::string& exe, const std::string& directory);
  ~QuizProcess();

  bool running() const { return frame_ != nullptr; }
  HWND frame() const { return frame_; }
  HWND header() const { return header_; }
  HWND panel() const { return panel_; }
  DWORD id() const { return info_.dwProcessId; }

  std::string Text(HWND parent, int id) const;
  // Replaces a field's text and releases Enter in it, as a player confirms.
  void Answer(int fieldId, const std::string& text);
  // Types `text` and Enter with real keyboard input into the focused field
  // after clicking it.
  void TypeWithKeyboard(int fieldId, const std::string& text);
  void ClickSave();

  // Waits until control `id` of `parent` reads `text`; false after the limit.
  bool WaitForText(HWND parent, int id, const std::string& text) const;
  // Waits until control `id` of `parent` reads anything but `text`, and returns
  // what it reads then (still `text` after the limit).
  std::string WaitForChange(HWND parent, int id, const std::string& text) const;

  // Asks the frame to close and waits for the process; its exit code, or -1
  // when it did not end in time (it is killed then).
  int Close();

 private:
  PROCESS_INFORMATION info_ = {};
  HWND frame_ = nullptr;
  HWND header_ = nullptr;
  HWND panel_ = nullptr;
};

// The Windows path under Wine's Z: drive of a path of the build machine.
std::string WindowsPath(std::string unixPath);
