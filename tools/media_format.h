// What an author's sound or video file really is, and whether the player will
// name it so: the player chooses the extension of the temporary file it plays
// from a few first bytes only, and the media player it hands the file to may
// go by that name.
#pragma once

#include <string>
#include <string_view>

// The container recognised from the first bytes: "WAV", "AVI", "MP3", "MPG",
// "WMV" (any ASF file), "MID", "OGG", "MKV", "MP4" or "FLAC"; empty when none.
std::string RecogniseMediaFormat(std::string_view bytes);

// Empty when the player will write the file under the extension of its format;
// otherwise what goes wrong, as the tail of a warning sentence.
std::string MediaNameWarning(std::string_view bytes);
