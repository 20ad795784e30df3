// Starting a quiz on Windows: the packer's thin platform shell for 'play'.
#include <windows.h>

#include "tools/quiz_launch.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

}  // namespace

bool RunQuizExecutable(const std::string& exe, const std::string& dir, int* status,
                       std::string* error) {
  const std::wstring program = Wide(exe);
  std::wstring command_line = L"\"" + program + L"\"";
  const std::wstring folder = Wide(dir);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    *error = "cannot be started (Windows error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  *status = static_cast<int>(code);
  return true;
}
