// Invariants of the grading scale over many generated answer pairs: typing
// errors, parts, extensions, anagrams and unrelated texts, each typed with
// random letter case and outer spaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/answers/judge_helpers.h"

namespace {

constexpr int kPairs = 10000;
constexpr unsigned kSeed = 20261207;

// Capital letters of code page 1252 with their lower-case forms.
const std::vector<std::pair<char, char>>& Capitals() {
  static const auto* capitals = [] {
    auto* list = new std::vector<std::pair<char, char>>();
    for (int c = 'A'; c <= 'Z'; ++c) list->push_back({char(c), char(c + 0x20)});
    for (int c = 0xC0; c <= 0xDE; ++c) {
      if (c != 0xD7) list->push_back({char(c), char(c + 0x20)});
    }
    list->push_back({'\x8A', '\x9A'});
    list->push_back({'\x8C', '\x9C'});
    list->push_back({'\x8E', '\x9E'});
    list->push_back({'\x9F', '\xFF'});
    return list;
  }();
  return *capitals;
}

enum class Change {
  kNone,
  kInsert,
  kDelete,
  kSubstitute,
  kTranspose,
  kPrefix,
  kSuffix,
  kInner,
  kExtend,
  kShuffle,
  kSeveralEdits,
  kUnrelated,
  kCount
};

class PairMaker {
 public:
  explicit PairMaker(unsigned seed) : rng_(seed) {}

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // A capital, a digit or punctuation; from two letters only now and then, so
  // that repeats, anagrams and broken runs of the containment scan are common.
  char Byte(bool narrow) {
    if (narrow) return Uniform(0, 1) ? 'A' : 'B';
    const int pick = Uniform(0, 19);
    if (pick == 0) return " '-"[Uniform(0, 2)];
    if (pick == 1) return char('0' + Uniform(0, 9));
    const auto& capitals = Capitals();
    if (pick == 2) return capitals[Uniform(26, int(capitals.size()) - 1)].first;
    return capitals[Uniform(0, 25)].first;
  }

  std::string Text(int length, bool narrow) {
    std::string text;
    for (int i = 0; i < length; ++i) text += Byte(narrow);
    return text;
  }

  // Mostly the lengths of typed answers; a few near the field capacity.
  int Length() {
    const int pick = Uniform(0, 39);
    if (pick < 4) return Uniform(0, 3);
    if (pick < 28) return Uniform(4, 30);
    if (pick < 39) return Uniform(31, 85);
    return Uniform(86, kMaxTextLength - 25);
  }

  std::string Edit(std::string text, bool narrow) {
    const int at = Uniform(0, int(text.size()));
    const int kind = text.empty() ? 0 : Uniform(0, 2);
    if (kind == 0) return text.insert(at, 1, Byte(narrow));
    const int inside = std::min(at, int(text.size()) - 1);
    if (kind == 1) return text.erase(inside, 1);
    char replacement;
    do replacement = Byte(narrow);
    while (replacement == text[inside]);
    text[inside] = replacement;
    return text;
  }

  std::string Change(const std::string& e, ::Change change, bool narrow) {
    const int len = int(e.size());
    std::string t = e;
    switch (change) {
      case Change::kNone:
        return t;
      case Change::kInsert:
      case Change::kDelete:
      case Change::kSubstitute:
        return Edit(t, narrow);
      case Change::kTranspose: {
        if (len < 2) return t;
        const int at = Uniform(0, len - 2);
        std::swap(t[at], t[at + 1]);
        return t;
      }
      case Change::kPrefix:
        return e.substr(0, Uniform(0, len));
      case Change::kSuffix:
        return e.substr(Uniform(0, len));
      case Change::kInner: {
        const int from = Uniform(0, len);
        return e.substr(from, Uniform(0, len - from));
      }
      case Change::kExtend:
        return Text(Uniform(0, 12), narrow) + e + Text(Uniform(0, 12), narrow);
      case Change::kShuffle:
        std::shuffle(t.begin(), t.end(), rng_);
        return t;
      case Change::kSeveralEdits:
        for (int edits = Uniform(2, 5); edits > 0; --edits) t = Edit(t, narrow);
        return t;
      default:
        return Text(Length(), narrow);
    }
  }

  // Types a text as a player might: any letter in either case, and spaces
  // around it, within the capacity of the field.
  std::string Dress(const std::string& text) {
    std::string typed;
    for (char c : text) {
      const auto& capitals = Capitals();
      auto it = std::find_if(capitals.begin(), capitals.end(),
                             [c](const std::pair<char, char>& p) { return p.first == c; });
      typed += it != capitals.end() && Uniform(0, 1) ? it->second : c;
    }
    const int room = kMaxTextLength - int(typed.size());
    if (room <= 0) return typed;
    const int before = Uniform(0, std::min(room, 3));
    const int after = Uniform(0, std::min(room - before, 3));
    return std::string(before, ' ') + typed + std::string(after, ' ');
  }

 private:
  std::mt19937 rng_;
};

// The distance by the full table, as the definition gives it.
int TableDistance(const std::string& a, const std::string& b) {
  const size_t width = b.size() + 1;
  std::vector<int> d((a.size() + 1) * width);
  for (size_t i = 0; i <= a.size(); ++i) d[i * width] = int(i);
  for (size_t j = 0; j <= b.size(); ++j) d[j] = int(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i * width + j] = std::min({d[(i - 1) * width + j] + 1, d[i * width + j - 1] + 1,
                                   d[(i - 1) * width + j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
    }
  }
  return d.back();
}

std::string Trimmed(std::string text) {
  TrimSpaces(text.data());
  return text.c_str();
}

std::string Sorted(std::string text) {
  std::sort(text.begin(), text.end());
  return text;
}

bool Holds(const std::string& outer, const std::string& inner) {
  return outer.find(inner) != std::string::npos;
}

// Facts about a pair, worked out from the upper-cased texts without the
// verdict code, that each word requires.
struct Facts {
  int len_e, len_t, distance;
  bool equal, anagram, t_in_e, e_in_t;
};

void CheckWordAgreesWithFacts(const std::string& word, const Facts& f) {
  const bool has_parts = f.len_e >= 4;
  EXPECT_EQ(word == kWordEmpty, f.len_t == 0);
  if (f.len_t > 0) {
    EXPECT_EQ(word == kWordBravo, f.equal);
  }
  if (!has_parts) {
    EXPECT_TRUE(word == kWordEmpty || word == kWordBravo || word == kWordFaux);
    return;
  }
  if (f.len_t == 0 || f.equal) return;
  EXPECT_EQ(word == kWordAnagramme, f.anagram);
  EXPECT_EQ(word == kWordQuasiment, f.distance == 1);
  EXPECT_EQ(word == kWordPresque, f.distance == 2 && !f.anagram);
  if (word == kWordTropCourt) {
    EXPECT_TRUE(f.t_in_e && f.len_e >= 10 && 5 * f.len_t > 4 * f.len_e && f.distance >= 3);
  }
  if (word == kWordTropLong) {
    EXPECT_TRUE(f.e_in_t && f.len_t - f.len_e >= 3 && f.len_t - f.len_e <= 10);
  }
  if (word == kWordPasLoin) {
    EXPECT_TRUE(f.t_in_e || f.e_in_t);
  }
  if (word == kWordIdee) {
    const int longer = std::max(f.len_e, f.len_t);
    EXPECT_TRUE(f.distance >= 3 && longer > 5 * f.distance);
  }
}

TEST(JudgeAnswerProperties, HoldOnGeneratedPairs) {
  PairMaker maker(kSeed);
  std::map<std::string, int> seen;
  for (int n = 0; n < kPairs; ++n) {
    const bool narrow = maker.Uniform(0, 7) == 0;
    const std::string e = maker.Text(maker.Length(), narrow);
    const auto change = static_cast<Change>(maker.Uniform(0, int(Change::kCount) - 1));
    const std::string plain = maker.Change(e, change, narrow).substr(0, kMaxTextLength);
    const std::string typed = maker.Dress(plain);
    SCOPED_TRACE("pair " + std::to_string(n) + ": \"" + e + "\" / \"" + typed + "\"");

    const std::string word = JudgeAsPlayer(e, typed);
    seen[word]++;
    EXPECT_EQ(std::count(std::begin(kFeedbackWords), std::end(kFeedbackWords), word), 1);
    // Case and outer spaces never change the word, nor does folding.
    EXPECT_EQ(JudgeAsPlayer(e, plain), word);
    EXPECT_EQ(JudgeUpcased(e, typed), word);

    const std::string t = Trimmed(plain);
    const Facts facts = {int(e.size()),          int(t.size()), TableDistance(e, t), e == t,
                         Sorted(e) == Sorted(t), Holds(e, t),   Holds(t, e)};
    CheckWordAgreesWithFacts(word, facts);

    // The primitives agree on folded and plain texts, and with the full table.
    std::string folded_e = e, folded_t = t;
    FoldAnswer(folded_e.data());
    FoldAnswer(folded_t.data());
    EXPECT_EQ(EditDistance(folded_e.c_str(), folded_t.c_str()), facts.distance);
    EXPECT_EQ(EditDistance(t.c_str(), e.c_str()), facts.distance);
    const int containment = FindContainment(e.c_str(), t.c_str());
    EXPECT_EQ(FindContainment(folded_e.c_str(), folded_t.c_str()), containment);
    if (containment == kTypedInsideExpected) {
      EXPECT_TRUE(facts.t_in_e);
    }
    if (containment == kTypedContainsExpected) {
      EXPECT_TRUE(facts.e_in_t);
    }

    // Single typing errors on answers long enough for hints.
    if (e.size() >= 4 && t.size() == e.size() && change == Change::kTranspose && t != e) {
      EXPECT_EQ(word, kWordAnagramme);
    }
    if (::testing::Test::HasFailure()) break;
  }
  // The generator reaches every word of the scale.
  for (const char* w : kFeedbackWords) EXPECT_GT(seen[w], 0) << w;
}

}  // namespace
