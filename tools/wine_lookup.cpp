#include <algorithm>

#include "tools/quiz_launch.h"

namespace {

const char* const kWineNames[] = {"wine", "wine64"};
// Where Debian's wine64 package puts the loader without linking it into PATH.
constexpr char kDebianWine64[] = "/usr/lib/wine/wine64";

}  // namespace

std::string FindWine(std::string_view search_path,
                     const std::function<bool(const std::string& path)>& is_program) {
  for (const char* name : kWineNames) {
    size_t start = 0;
    while (start <= search_path.size()) {
      const size_t end = std::min(search_path.find(':', start), search_path.size());
      // An empty entry means the current folder, as for the shell.
      std::string folder(search_path.substr(start, end - start));
      const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
      if (is_program(candidate)) return candidate;
      start = end + 1;
    }
  }
  return is_program(kDebianWine64) ? kDebianWine64 : "";
}
