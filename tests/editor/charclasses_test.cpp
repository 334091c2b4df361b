// The code page 1252 character classes against what the system reports for
// that code page (captured from the window system under Wine). The system's
// own classes must agree too: under Wine (code page 1252) they come from the
// real API, natively from the table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "editor/CharClasses.h"

namespace {
void ExpectFixture(TCharClassSource source) {
  std::ifstream in(std::string(TQ_TEST_SOURCE_DIR) + "/fixtures/cp1252-classes.txt");
  ASSERT_TRUE(in) << "fixture missing";
  TCharClassTable table;
  source(table);
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int code, lower, alnum, lead;
    ASSERT_TRUE(fields >> code >> lower >> alnum >> lead) << line;
    EXPECT_EQ(table.Lower[code], lower) << "code " << code;
    EXPECT_EQ(table.AlphaNumeric[code], alnum != 0) << "code " << code;
    EXPECT_EQ(table.LeadByte[code], lead != 0) << "code " << code;
    ++rows;
  }
  EXPECT_EQ(rows, 255);
}
}  // namespace

TEST(CharClasses, Cp1252TableMatchesTheSystem) { ExpectFixture(&Cp1252CharClasses); }

TEST(CharClasses, SystemClassesMatchCodePage1252) { ExpectFixture(&SystemCharClasses); }

namespace {
void UpperIsLower(TCharClassTable& table) {
  Cp1252CharClasses(table);
  for (int c = 'a'; c <= 'z'; ++c) table.Lower[c] = uint8_t(c - 32);
}
}  // namespace

TEST(CharClasses, AnotherSourceReplacesTheTableInPlace) {
  const TCharClassTable& table = CharClasses();
  EXPECT_EQ(table.Lower['A'], 'a');
  TCharClassSource previous = SetCharClassSource(&UpperIsLower);
  EXPECT_EQ(table.Lower['a'], 'A');
  SetCharClassSource(previous);
  EXPECT_EQ(table.Lower['a'], 'a');
}
