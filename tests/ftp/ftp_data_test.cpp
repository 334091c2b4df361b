#include "ftp/FtpData.h"
#include "ftp/FtpMisc.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::string> Names(const TMFtpFileInfoList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.Name(i));
  return out;
}

TMFtpFileInfoList Sized(std::initializer_list<const char*> sizes) {
  TMFtpFileInfoList list;
  int n = 0;
  for (const char* s : sizes) list.AddEntry("f" + std::to_string(n++), "", "", s, "", "", "", "");
  return list;
}

std::vector<std::string> SizesOf(const TMFtpFileInfoList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.GetColumn(i, fcSize));
  return out;
}

TEST(FtpData, RowsMoveTogether) {
  TMFtpFileInfoList list;
  list.AddEntry("b", "drwx", "1/2/03 4:05", "10", "lnk", "desc", "own", "grp");
  list.AddEntry("A", "", "", "9", "", "", "", "");
  list.Sort(5, true);
  MFtpFileInfo info;
  list.GetEntry(1, info);
  EXPECT_EQ(info.FileName, "b");
  EXPECT_EQ(info.Attrib, "drwx");
  EXPECT_EQ(info.Date, "1/2/03 4:05");
  EXPECT_EQ(info.Size, "10");
  EXPECT_EQ(info.SymbolLink, "lnk");
  EXPECT_EQ(info.Description, "desc");
  EXPECT_EQ(info.Owner, "own");
  EXPECT_EQ(info.Group, "grp");
  EXPECT_EQ(list.IndexOfName("a"), 0);
  EXPECT_EQ(list.IndexOfName("zz"), -1);
  TMFtpFileInfoList copy;
  copy.CopyFrom(list);
  EXPECT_EQ(Names(copy), Names(list));
  copy.ClearColumn(fcDescription);
  EXPECT_EQ(copy.GetColumn(1, fcDescription), "");
}

TEST(FtpData, SortBySizeIsNumericWithTextLowest) {
  auto list = Sized({"10", "9", "abc", "18446744073709551615", "4294967296", "-5", "", "2"});
  list.Sort(2, true);
  EXPECT_EQ(SizesOf(list), (std::vector<std::string>{"", "18446744073709551615", "abc", "-5",
                                                      "2", "9", "10", "4294967296"}));
  list.Sort(2, false);
  EXPECT_EQ(SizesOf(list).front(), "4294967296");
  EXPECT_EQ(SizesOf(list).back(), "");
}

TEST(FtpData, SortByNameIgnoresCaseAndKeyThreeKeepsOrder) {
  TMFtpFileInfoList list;
  for (const char* n : {"beta", "Alpha", "gamma", "ALPHA2"}) list.AddEntry(n, "", "", "", "", "", "", "");
  list.Sort(3, true);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"beta", "Alpha", "gamma", "ALPHA2"}));
  list.Sort(5, true);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma"}));
  list.Sort(5, false);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"gamma", "beta", "ALPHA2", "Alpha"}));
}

TEST(FtpData, SortByDateAndType) {
  TMFtpFileInfoList list;
  list.AddEntry("new", "", "1/2/03 4:05", "", "", "", "", "");
  list.AddEntry("old", "", "12/31/99 23:59", "", "", "", "", "");
  list.AddEntry("mid", "", "6/15/01 12:00", "", "", "", "", "");
  list.Sort(1, true);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"old", "mid", "new"}));
  TMFtpFileInfoList files;
  for (const char* n : {"z.txt", "a.zip", "m.c"}) files.AddEntry(n, "", "", "", "", "", "", "");
  files.Sort(8, true);  // natively the type name is the extension
  EXPECT_EQ(Names(files), (std::vector<std::string>{"m.c", "z.txt", "a.zip"}));
}

// A large random list with many equal and odd keys sorts to an order every
// adjacent pair agrees with, whatever key: no exceptions, no deep recursion.
TEST(FtpData, SortIsAValidOrderOnHostileInput) {
  std::mt19937 rng(7);
  const char* pool[] = {"", "0", "00", "-1", "x", "99999999999999999999", "7", "7 ", " 7"};
  TMFtpFileInfoList list;
  for (int i = 0; i < 5000; ++i) {
    std::string s = pool[rng() % 9];
    list.AddEntry(s, s, s, s, s, s, s, s);
  }
  for (int key : {0, 1, 2, 5}) {
    list.Sort(key, true);
    int column = key == 1 ? fcSortKey : key;
    for (int i = 1; i < list.GetCount(); ++i) {
      const std::string& a = list.GetColumn(i - 1, column);
      const std::string& b = list.GetColumn(i, column);
      if (key == 2)
        ASSERT_LE(CompareSizeText(a, b), 0) << i;
      else
        ASSERT_LE(CompareTextLocale(a, b), 0) << key << " " << i;
    }
  }
}

TEST(FtpData, DateSortKey) {
  EXPECT_EQ(DateSortKey("1/2/03 4:05").substr(0, 10), "2003010204");
  EXPECT_EQ(DateSortKey("12/31/99 23:59").substr(0, 10), "1999123123");
  EXPECT_LT(DateSortKey("12/31/99 23:59"), DateSortKey("1/2/03 4:05"));
  EXPECT_LT(DateSortKey("1/2/03 4:05"), DateSortKey("1/2/03 14:05"));
  // Short and odd texts give what they hold, never a read past the end.
  for (const char* odd : {"", "1", "1/", "1/2", "1/2/", "1/2/0", "/", "//", "1/2/03", "1/2/03 ", "1/2/03 4"})
    EXPECT_NO_THROW(DateSortKey(odd)) << odd;
  EXPECT_EQ(DateSortKey("1/2/03"), "20030102/2/03");
}

}  // namespace
