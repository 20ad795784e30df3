// Starting a quiz executable for its author: directly on Windows, under Wine
// elsewhere.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Starts the quiz executable at exe (an absolute path) with dir as its current
// directory, so that it saves its answers there, and waits until it is closed.
// Its exit status in *status; false, with the reason in *error, when it cannot
// be started.
bool RunQuizExecutable(const std::string& exe, const std::string& dir, int* status,
                       std::string* error);

// The Wine loader to run a quiz with: the first `wine`, then the first
// `wine64`, in the folders of search_path (a PATH value, ':'-separated), else
// Debian's /usr/lib/wine/wine64; "" when there is none. is_program tells
// whether a path is an executable file.
std::string FindWine(std::string_view search_path,
                     const std::function<bool(const std::string& path)>& is_program);
