#include "platform/StrHelpers.h"

#include <gtest/gtest.h>

TEST(StrHelpers, BeforeAndAfterSplitAtTheFirstSeparator) {
  struct Case { const char* sep; const char* text; const char* before; const char* after; };
  const Case cases[] = {
      {"=", "a=b=c", "a", "b=c"},
      {".", "Find", "", ""},          // separator absent: both empty
      {"=", "=x", "", "x"},
      {"=", "x=", "x", ""},
      {"->", "left->right->end", "left", "right->end"},  // several characters
      {"", "text", "", ""},           // an empty separator never matches
      {"=", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrBefore(c.sep, c.text), c.before) << c.sep << " | " << c.text;
    EXPECT_EQ(StrAfter(c.sep, c.text), c.after) << c.sep << " | " << c.text;
  }
}

TEST(StrHelpers, ReplaceAllContinuesAfterTheInsertedText) {
  std::string s = "banana";
  StrReplaceAll("a", s, "aa");
  EXPECT_EQ(s, "baanaanaa");

  s = "aaaa";
  StrReplaceAll("aa", s, "a");  // non-overlapping, left to right
  EXPECT_EQ(s, "aa");

  s = "x%1y%1";
  StrReplaceAll("%1", s, "");
  EXPECT_EQ(s, "xy");

  s = "Case case";
  StrReplaceAll("case", s, "X");  // case-sensitive
  EXPECT_EQ(s, "Case X");
}

TEST(StrHelpers, ReplaceAllLeavesTextAloneForDegenerateArguments) {
  std::string s = "abc";
  StrReplaceAll("", s, "x");
  EXPECT_EQ(s, "abc");
  StrReplaceAll("b", s, "b");
  EXPECT_EQ(s, "abc");
  StrReplaceAll("z", s, "y");
  EXPECT_EQ(s, "abc");
  std::string empty;
  StrReplaceAll("a", empty, "b");
  EXPECT_EQ(empty, "");
}

#include "platform/ErrorText.h"

TEST(ErrorText, UnexpectedErrorNamesThePlaceAndAsksForTheMessage) {
  EXPECT_EQ(UnexpectedErrorText("MainForm", 2014, "Access denied"),
            "Unexpected error at MainForm.2014: Access denied\r\n"
            "Would you send me whole this message to solve that problem?");
  EXPECT_EQ(UnexpectedErrorText("Ascii", 85, "%s %d"),  // the message is not a format
            "Unexpected error at Ascii.85: %s %d\r\n"
            "Would you send me whole this message to solve that problem?");
}
