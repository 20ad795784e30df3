// Starting a quiz under Wine, on the systems that have fork and exec.
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/personality.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "tools/quiz_launch.h"

namespace {

constexpr int kExecFailed = 127;

bool IsProgram(const std::string& path) {
  return access(path.c_str(), X_OK) == 0;
}

// Wine without its preloader (as Debian ships it) places its loader's heap at
// random before it maps a page at a fixed address, and about one start in 8,000
// finds that page taken and ends at once. A fixed layout does not.
void KeepAddressesFixed() {
#ifdef __linux__
  constexpr unsigned long kQueryPersonality = 0xffffffff;
  const int current = personality(kQueryPersonality);
  if (current != -1) personality(static_cast<unsigned long>(current) | ADDR_NO_RANDOMIZE);
#endif
}

}  // namespace

bool RunQuizExecutable(const std::string& exe, const std::string& dir, int* status,
                       std::string* error) {
  const char* path = std::getenv("PATH");
  const std::string wine = FindWine(path ? path : "", IsProgram);
  if (wine.empty()) {
    *error =
        "a quiz runs under Wine here, and neither 'wine' nor 'wine64' was found "
        "(on Debian: apt-get install wine64)";
    return false;
  }
  const pid_t child = fork();
  if (child < 0) {
    *error = std::string("cannot start Wine: ") + std::strerror(errno);
    return false;
  }
  if (child == 0) {
    // Wine's "fixme" notes mean nothing to an author; keep any setting of theirs.
    setenv("WINEDEBUG", "fixme-all", 0);
    KeepAddressesFixed();
    if (chdir(dir.c_str()) == 0) {
      execl(wine.c_str(), wine.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    }
    _exit(kExecFailed);
  }
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0) {
    if (errno != EINTR) {
      *error = std::string("lost the Wine process: ") + std::strerror(errno);
      return false;
    }
  }
  if (WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == kExecFailed) {
    *error = "cannot run " + wine + " in " + dir;
    return false;
  }
  *status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return true;
}
