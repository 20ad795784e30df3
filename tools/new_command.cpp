// tevra-pack new: a commented quiz.toml to start from, which checks and
// builds as it stands.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "quiz/quiz_kinds.h"
#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/quiz_source.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack new DIR [--display text|pictures|audio|video]\n"
    "Writes DIR/quiz.toml, a small quiz to start from, its comments telling what\n"
    "each setting does: a text list (one line per question) unless --display\n"
    "asks for a grid of pictures, sounds or videos, whose comments show where\n"
    "the files go. It checks and builds as it stands. An existing quiz.toml is\n"
    "never replaced.\n";

constexpr char kHeader[] =
    "# A Tevra quiz. Texts are UTF-8 and must fit code page 1252 (French accents,\n"
    "# \xC5\x93 and \xE2\x82\xAC are fine). Try it with:   tevra-pack play quiz.toml\n"
    "# Check it with:  tevra-pack check quiz.toml\n"
    "# Build it with:  tevra-pack build quiz.toml -o quiz.exe\n"
    "\n"
    "title = \"Mon quiz\"\n"
    "author = \"Mon nom\"\n"
    "subtitle = \"Tapez la r\xC3\xA9ponse puis Entr\xC3\xA9"
    "e\"\n"
    "\n"
    "# \"text\": one line per question, its text beside its answer box.\n"
    "# \"pictures\", \"audio\", \"video\": grids of three questions a row, each\n"
    "# a picture, a sound or a video above its answer box.\n";

constexpr char kSettings[] =
    "\n"
    "# Optional settings:\n"
    "# colour = [90, 95, 150]     # the panel's background: red, green, blue\n"
    "# link = \"http://ecole.fr\"   # at most 24 characters, opened on a click\n"
    "# footer = \"Bonne chance\"    # at most 42 characters, bottom right corner\n"
    "# scramble = true            # stores the quiz scrambled\n"
    "\n"
    "# The reward codes: the header shows the code of the player's score, the\n"
    "# first for 1 right answer, the second for 2... \"\" shows an empty field.\n"
    "codes = [\"\", \"\", \"BRAVO\"]\n";

constexpr char kTextKind[] =
    "display = \"text\"\n"
    "# A text list shows nothing more when a question is solved: kind 0.\n"
    "kind = 0\n";

constexpr char kGridKind[] =
    "# Kind 2 shows each question's extra text under it once it is solved; the\n"
    "# README's table of kinds tells what the others show.\n"
    "kind = 2\n"
    "# Two answer boxes per question: answers_per_question = 2, and in each\n"
    "# question answers = [\"first\", \"second\"] instead of answer.\n";

constexpr char kTextQuestions[] =
    "\n"
    "# One [[question]] table per question, in order (1 to 96). The answer is\n"
    "# what the player types; case and outer spaces do not count, accents do.\n"
    "[[question]]\n"
    "text = \"Quelle est la capitale de l'Italie ?\"\n"
    "answer = \"Rome\"\n"
    "\n"
    "[[question]]\n"
    "text = \"Quelle est la capitale de l'Espagne ?\"\n"
    "answer = \"Madrid\"\n"
    "\n"
    "[[question]]\n"
    "text = \"Quelle est la capitale du Portugal ?\"\n"
    "answer = \"Lisbonne\"\n";

constexpr int kGridQuestionCount = 3;

// How a grid question names its file, by display mode: a comment for each
// question, so that the quiz builds before the files are there.
struct GridFiles {
  const char* advice;  // said once, above the questions
  const char* key;
  const char* names[kGridQuestionCount];
};

const GridFiles kGridFiles[] = {
    {},  // the text list names no files
    {"# Each question shows a picture: PNG, JPEG, GIF or BMP, fitted into a\n"
     "# 300-pixel box. Put the files beside quiz.toml and name them below.\n"
     "# Kinds 1, 3, 4, 6 and 8 can show an answer_picture as well.\n",
     "picture",
     {"cercle.png", "triangle.png", "rectangle.png"}},
    {"# Each question plays a sound file (WAV or MP3 play best) from its play\n"
     "# button. Put the files beside quiz.toml and name them below.\n",
     "media",
     {"cercle.wav", "triangle.wav", "rectangle.wav"}},
    {"# Each question plays a video file (AVI or MPEG) in a 300 x 200 box. Put\n"
     "# the files beside quiz.toml and name them below.\n",
     "media",
     {"cercle.avi", "triangle.avi", "rectangle.avi"}},
};

struct GridQuestion {
  const char* answer;
  const char* extra;
};

const GridQuestion kGridQuestions[kGridQuestionCount] = {
    {"Cercle",
     "Tous ses points sont \xC3\xA0 la m\xC3\xAA"
     "me distance du centre."},
    {"Triangle", "Trois c\xC3\xB4t\xC3\xA9s, trois angles."},
    {"Rectangle", "Quatre angles droits."},
};

std::string GridQuizToml(int display) {
  const GridFiles& files = kGridFiles[display];
  std::string out = std::string("display = \"") + DisplayTraitsOf(display).name + "\"\n" +
                    kGridKind + kSettings + "\n" + files.advice;
  for (int i = 0; i < kGridQuestionCount; ++i) {
    out += std::string("\n[[question]]\nanswer = \"") + kGridQuestions[i].answer +
           "\"\nextra = \"" + kGridQuestions[i].extra + "\"\n# " + files.key + " = \"" +
           files.names[i] + "\"\n";
  }
  return out;
}

std::string NewQuizToml(int display) {
  if (display == kTextList) return kHeader + std::string(kTextKind) + kSettings + kTextQuestions;
  return kHeader + GridQuizToml(display);
}

}  // namespace

int RunNew(int argc, char** argv) {
  const char* dir = nullptr;
  int display = kTextList;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintText(stdout, kUsage);
      return kExitOk;
    }
    if (std::strcmp(argv[i], "--display") == 0 && i + 1 < argc &&
        DisplayModeNamed(argv[i + 1]) >= 0) {
      display = DisplayModeNamed(argv[++i]);
    } else if (argv[i][0] != '-' && !dir) {
      dir = argv[i];
    } else {
      dir = nullptr;
      break;
    }
  }
  if (!dir) {
    PrintText(stderr, kUsage);
    return kExitUsageError;
  }
  const std::string target = (std::filesystem::u8path(dir) / kQuizTomlName).u8string();
  std::error_code ignored;
  if (std::filesystem::exists(NativePath(target), ignored)) {
    Print(stderr, "%s: already exists, and is left as it is\n", target.c_str());
    return kExitInputError;
  }
  std::string error;
  if (!WriteOutputFiles({{target, NewQuizToml(display)}}, &error)) {
    Print(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s: a %s quiz of 3 questions to start from\n", target.c_str(),
        DisplayTraitsOf(display).name);
  return kExitOk;
}
