// The keyword table as data: entries by hash, listing order inside an
// entry, the two ways of comparing, and words that cannot fit the table.
#include "highlighters/KeywordTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/SysUtils.h"

namespace {

// Letters fold to 1-26; digits all hash 0 (and so compare equal).
TCharTables FoldedTables() {
  TCharTables t;
  for (int c = 'a'; c <= 'z'; ++c) {
    t.HashValue[static_cast<size_t>(c)] = c - 'a' + 1;
    t.HashValue[static_cast<size_t>(c - 32)] = c - 'a' + 1;
  }
  return t;
}

const TKeywordDef* Find(const TKeywordTable& table, const char* word) {
  return table.Find(table.HashOf(word), word, std::strlen(word));
}

TEST(KeywordTable, HashValueCompareFoldsCaseAndDigits) {
  const TCharTables tables = FoldedTables();
  const TKeywordTable table(tables, 64, TKeywordCompare::kcHashValues,
                            {{"atan2", 1}, {"Mod", 2}, {"dom", 3}});
  EXPECT_EQ(table.WordCount(), 3);
  EXPECT_EQ(table.UsedEntries(), 2);  // mod and dom share the entry 32
  ASSERT_NE(Find(table, "MOD"), nullptr);
  EXPECT_EQ(Find(table, "MOD")->Tag, 2);
  EXPECT_EQ(Find(table, "DOM")->Tag, 3);
  ASSERT_NE(Find(table, "atan7"), nullptr);  // any digit matches any digit
  EXPECT_EQ(Find(table, "atan7")->Tag, 1);
  EXPECT_EQ(Find(table, "mode"), nullptr);
  EXPECT_EQ(table.Find(64, "mod", 3), nullptr);   // outside the table
  EXPECT_EQ(table.Find(-1, "mod", 3), nullptr);
}

TEST(KeywordTable, ExactCompareIsCaseSensitive) {
  const TCharTables tables = FoldedTables();
  const TKeywordTable table(tables, 64, TKeywordCompare::kcExact, {{"Int", 1}, {"int", 2}});
  EXPECT_EQ(Find(table, "Int")->Tag, 1);
  EXPECT_EQ(Find(table, "int")->Tag, 2);
  EXPECT_EQ(Find(table, "INT"), nullptr);
  // The first listed word of an entry wins.
  const TKeywordTable twice(tables, 64, TKeywordCompare::kcHashValues, {{"Int", 1}, {"int", 2}});
  EXPECT_EQ(Find(twice, "INT")->Tag, 1);
}

TEST(KeywordTable, MemberHashAndWordsOutsideTheTable) {
  const TCharTables tables = FoldedTables();
  // Entry by the first letter only.
  const TKeywordTable byFirst(tables, 27, TKeywordCompare::kcExact, {{"zebra", 1}},
                              [](const TCharTables& t, std::string_view w) { return t.Hash(w[0]); });
  EXPECT_EQ(byFirst.HashOf("zebra"), 26);
  EXPECT_EQ(byFirst.Entry(26).size(), 1u);
  EXPECT_THROW(TKeywordTable(tables, 10, TKeywordCompare::kcExact, {{"zebra", 1}}), Exception);
}

}  // namespace
