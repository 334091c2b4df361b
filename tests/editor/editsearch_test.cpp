// Whole-text search: hits, case and whole-word rules, corrections after
// replacements, and agreement with a plain reference search.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/CharClasses.h"
#include "editor/EditSearch.h"
#include "platform/SysUtils.h"

namespace {

std::vector<int> All(TktEditSearch& s, std::string_view text) {
  s.FindAll(text);
  std::vector<int> r;
  for (int i = 0; i < s.GetResultCount(); ++i) r.push_back(s.GetResults(i));
  return r;
}

// The rules written out plainly: leftmost hits, never overlapping, compared
// through the system's lower case, whole words between non-alphanumerics.
std::vector<int> Reference(std::string_view text, std::string_view pattern, bool sensitive,
                           bool whole) {
  const TCharClassTable& cc = CharClasses();
  auto fold = [&](char c) { return sensitive ? uint8_t(c) : cc.Lower[uint8_t(c)]; };
  std::vector<int> hits;
  const size_t m = pattern.size();
  size_t i = 0;
  while (i + m <= text.size()) {
    bool match = true;
    for (size_t k = 0; k < m && match; ++k) match = fold(text[i + k]) == fold(pattern[k]);
    if (match && whole) {
      if (i > 0 && cc.AlphaNumeric[uint8_t(text[i - 1])]) match = false;
      if (i + m < text.size() && cc.AlphaNumeric[uint8_t(text[i + m])]) match = false;
    }
    if (match) {
      hits.push_back(int(i + 1));
      i += m;
    } else {
      ++i;
    }
  }
  return hits;
}

}  // namespace

TEST(EditSearch, FindsHitsWithAndWithoutCase) {
  struct Case {
    const char* text;
    const char* pattern;
    bool sensitive, whole;
    std::vector<int> hits;
  } cases[] = {
      {"xAbyab", "ab", false, false, {2, 5}},
      {"xAbyab", "ab", true, false, {5}},
      {"ab_ab ab", "ab", false, true, {1, 4, 7}},  // "_" is no letter to the system
      {"abc ab", "ab", false, true, {5}},
      {"aaaa", "aa", true, false, {1, 3}},         // hits never overlap
      {"a", "ab", false, false, {}},               // text shorter than the pattern
      {"", "a", false, false, {}},
      {"\xC4rger \xE4rger", "\xE4rger", false, true, {1, 7}},  // accented capitals fold too
      {"abcabc", "abc", true, true, {}},
  };
  for (const Case& c : cases) {
    TktEditSearch s;
    s.SetSensitive(c.sensitive);
    s.Whole = c.whole;
    s.SetPattern(c.pattern);
    EXPECT_EQ(All(s, c.text), c.hits) << c.text << " / " << c.pattern;
    EXPECT_EQ(s.FindAll(c.text), int(c.hits.size()));
  }
}

TEST(EditSearch, FindFirstAndNextWalkTheHitsAndCountThem) {
  TktEditSearch s;
  s.SetPattern("on");
  const std::string text = "one two on ON";
  EXPECT_EQ(s.FindFirst(text), 1);
  EXPECT_EQ(s.Next(), 9);
  EXPECT_EQ(s.Next(), 12);
  EXPECT_EQ(s.Next(), 0);
  EXPECT_EQ(s.Next(), 0);
  EXPECT_EQ(s.GetCount(), 3);
  s.SetPattern("on");  // every set resets the count
  EXPECT_EQ(s.GetCount(), 0);
}

TEST(EditSearch, ChangingTheCaseSettingAfterThePatternRebuildsItsTables) {
  TktEditSearch s;
  s.SetPattern("Ab");  // built case-insensitive
  s.SetSensitive(true);
  EXPECT_EQ(All(s, "ab Ab AB"), std::vector<int>{4});
  s.SetSensitive(false);
  EXPECT_EQ(All(s, "ab Ab AB"), (std::vector<int>{1, 4, 7}));
}

TEST(EditSearch, InstancesKeepTheirOwnTables) {
  TktEditSearch sensitive, insensitive;
  sensitive.SetSensitive(true);
  sensitive.SetPattern("X");
  insensitive.SetPattern("X");
  const std::string text = "x X x";
  EXPECT_EQ(All(sensitive, text), std::vector<int>{3});
  EXPECT_EQ(All(insensitive, text), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(All(sensitive, text), std::vector<int>{3});
}

TEST(EditSearch, AnEmptyPatternRaisesAndThenFindsNothing) {
  TktEditSearch s;
  s.SetPattern("a");
  try {
    s.SetPattern("");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Pattern is empty");
  }
  EXPECT_EQ(s.GetPattern(), "");
  EXPECT_EQ(s.FindAll("aaa"), 0);
  EXPECT_EQ(s.FindFirst("aaa"), 0);
}

TEST(EditSearch, NeverReadsPastTheEndOfTheText) {
  // Exactly sized heap blocks: a read one past the end is a sanitizer error.
  for (const std::string content : {"xxab", "xxa", "abxx", "ab", "xab"}) {
    for (bool sensitive : {false, true}) {
      for (bool whole : {false, true}) {
        auto block = std::make_unique<char[]>(content.size());
        std::copy(content.begin(), content.end(), block.get());
        TktEditSearch s;
        s.SetSensitive(sensitive);
        s.Whole = whole;
        s.SetPattern("ab");
        std::string_view text(block.get(), content.size());
        EXPECT_EQ(All(s, text), Reference(content, "ab", sensitive, whole)) << content;
        s.SetPattern("abab");  // repeats its last character: the other skip path
        EXPECT_EQ(All(s, text), Reference(content, "abab", sensitive, whole)) << content;
      }
    }
  }
}

TEST(EditSearch, AgreesWithAPlainSearchOnRandomTexts) {
  std::mt19937 rng(11);
  const std::string alphabet = "aAbB_ \xC4\xE4\n1";
  auto random = [&](int maxLen, int minLen) {
    std::string s;
    const int len = minLen + int(rng() % unsigned(maxLen - minLen + 1));
    for (int i = 0; i < len; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    // Mostly short texts; every twentieth long enough for the block-wise filter.
    const std::string text = random(round % 20 == 0 ? 3000 : 60, 0);
    const std::string pattern = random(4, 1);
    const bool sensitive = rng() % 2, whole = rng() % 2;
    TktEditSearch s;
    s.SetSensitive(sensitive);
    s.Whole = whole;
    s.SetPattern(pattern);
    ASSERT_EQ(All(s, text), Reference(text, pattern, sensitive, whole))
        << "text '" << text << "' pattern '" << pattern << "' sensitive " << sensitive
        << " whole " << whole;
  }
}

TEST(EditSearch, FixResultsMovesTheHitsAfterAReplacement) {
  TktEditSearch s;
  s.SetPattern("ab");
  ASSERT_EQ(All(s, "xxxxab ab ab"), (std::vector<int>{5, 8, 11}));
  s.FixResults(5, -3);  // the hit at 5 (2 characters) became 5 characters
  EXPECT_EQ(s.GetResults(0), 5);
  EXPECT_EQ(s.GetResults(1), 11);
  EXPECT_EQ(s.GetResults(2), 14);
  s.FixResults(11, 0);
  EXPECT_EQ(s.GetResults(2), 14);
  EXPECT_EQ(s.GetResults(3), 0);
  EXPECT_EQ(s.GetResults(-1), 0);
}
