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

// The format recognised (empty when none) and the extension the player will
// save the file under: a warning when they differ.
struct MediaNaming {
  std::string format;
  std::string saved;
};
MediaNaming NameMedia(std::string_view bytes);
