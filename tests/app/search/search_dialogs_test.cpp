// The search dialogs' input history and the hex find's two-way entry.
#include <gtest/gtest.h>

#include "app/search/SearchDialogs.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

std::vector<std::string> Items(const TStringList& l) {
  std::vector<std::string> r;
  for (int i = 0; i < l.GetCount(); ++i) r.push_back(l.Get(i));
  return r;
}

using V = std::vector<std::string>;

TEST(SearchHistory, NewestFirstTenKeptAndKnownEntriesStayPut) {
  TStringList l;
  AddToHistory(l, "one");
  EXPECT_EQ(Items(l), (V{"one", "", "", "", "", "", "", "", "", ""}));
  AddToHistory(l, "two");
  AddToHistory(l, "one");  // already there: nothing moves
  EXPECT_EQ(Items(l)[0], "two");
  EXPECT_EQ(Items(l)[1], "one");
  AddToHistory(l, "ONE");  // another entry: the comparison keeps case
  EXPECT_EQ(Items(l)[0], "ONE");
  for (int i = 0; i < 8; ++i) AddToHistory(l, "e" + std::to_string(i));
  EXPECT_EQ(Items(l), (V{"e7", "e6", "e5", "e4", "e3", "e2", "e1", "e0", "ONE", "two"}));
  AddToHistory(l, "e8");  // the eleventh distinct entry pushes the oldest out
  EXPECT_EQ(l.GetCount(), 10);
  EXPECT_EQ(Items(l).back(), "ONE");
}

TEST(SearchHistory, ItemsPastTheTenthAreKept) {
  TStringList l;
  for (int i = 0; i < 12; ++i) l.Add("i" + std::to_string(i));
  AddToHistory(l, "new");
  EXPECT_EQ(Items(l), (V{"new", "i0", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8", "i10", "i11"}));
}

TEST(HexEntry, TextBecomesUpperCasePairs) {
  EXPECT_EQ(TextToHex("AB"), "41 42");
  EXPECT_EQ(TextToHex(std::string("\x00\xff\n", 3)), "00 FF 0A");
  EXPECT_EQ(TextToHex(""), "");
}

TEST(HexEntry, TypedHexIsCleanedWithTheCaretFollowing) {
  struct Case {
    const char* typed;
    int caret;
    const char* hex;
    int newCaret;
    std::string text;
  } cases[] = {
      {"4142", 4, "41 42 ", 6, "AB"},       // blanks after both pairs, caret behind them
      {"4", 1, "4", 1, "\x04"},             // a last single digit decodes alone
      {"41 G", 4, "41 ", 3, "A"},           // G is dropped, the caret moves back
      {"41 42 ", 2, "41 42 ", 3, "AB"},     // a blank inserted at the caret moves it on
      {"41 4x2 ", 5, "41 42 ", 4, "AB"},    // a dropped character before the caret
      {"", 0, "", 0, ""},
      {"zz", 2, "", 0, ""},
      {"ab", 2, "", 0, ""},                 // lower case is not a digit here (the box is upper-case)
      {"4 1", 3, "41 ", 3, "A"},
  };
  for (const Case& c : cases) {
    const THexEntry e = CleanHexEntry(c.typed, c.caret);
    EXPECT_EQ(e.Hex, c.hex) << c.typed;
    EXPECT_EQ(e.Caret, c.newCaret) << c.typed;
    EXPECT_EQ(e.Text, c.text) << c.typed;
  }
}

TEST(HexEntry, TextAndHexRoundTrip) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += char(c);
  const std::string hex = TextToHex(all);
  EXPECT_EQ(CleanHexEntry(hex, 0).Text, all);
  EXPECT_EQ(HexSearchBytes(hex), all);
}

TEST(HexSearchBytes, PairsFromTheLeftWithALastSingleDigit) {
  EXPECT_EQ(HexSearchBytes("0a 0D ff"), std::string("\x0a\x0d\xff"));
  EXPECT_EQ(HexSearchBytes("abc"), std::string("\xab\x0c"));
  EXPECT_EQ(HexSearchBytes("  4 1 42  "), "AB");
  EXPECT_EQ(HexSearchBytes(""), "");
  EXPECT_THROW(HexSearchBytes("4G"), Exception);
  EXPECT_THROW(HexSearchBytes("-1"), Exception);
}

}  // namespace
