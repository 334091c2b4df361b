// What the remote list and tree show: size texts, prefix search, the mask
// filter and folder addresses.
#include "ftp/Ftp.h"
#include "ftp/FtpMisc.h"
#include "ftp/FtpViewData.h"

#include <gtest/gtest.h>

namespace {

TEST(FtpViewData, SizeTexts) {
  struct Case { const char* size; const char* shown; } cases[] = {
      {"0", "0KB"}, {"1", "1KB"}, {"511", "1KB"}, {"2048", "2KB"}, {"1535", "1KB"},
      {"1536", "2KB"}, {"1048576", "1,024KB"}, {"1073741824000", "1,048,576,000KB"},
      // Not a number of bytes: shown as the server sent it.
      {"", ""}, {"-5", "-5"}, {"abc", "abc"}, {"12 ", "12 "},
      {"99999999999999999999", "99999999999999999999"},
  };
  for (const Case& c : cases) EXPECT_EQ(FtpSizeText(c.size), c.shown) << c.size;
}

TEST(FtpViewData, PrefixSearchMakesOnePassAndWrapsOnlyWhenAsked) {
  std::vector<std::string> names = {"BIN", "DOCS", "ALPHA.TXT", "BETA.TXT", "README"};
  EXPECT_EQ(FindNamePrefix(names, "b", 0, false), 0);
  EXPECT_EQ(FindNamePrefix(names, "b", 1, false), 3);
  EXPECT_EQ(FindNamePrefix(names, "doc", 4, true), 1);   // from the last row round to the top
  EXPECT_EQ(FindNamePrefix(names, "doc", 4, false), -1);
  EXPECT_EQ(FindNamePrefix(names, "readme", 4, true), 4);
  EXPECT_EQ(FindNamePrefix(names, "zz", 2, true), -1);    // a full round, then no more
  EXPECT_EQ(FindNamePrefix(names, "", 2, false), 2);
  EXPECT_EQ(FindNamePrefix(names, "a", 99, false), 2);   // a start past the end starts at the top
  EXPECT_EQ(FindNamePrefix({}, "a", 0, true), -1);
}

TEST(FtpViewData, FilterTakesEachEntryOnceMaskByMask) {
  TMFtpFileInfoList files, out;
  for (const char* n : {"a.TXT", "b.txt", "A.txt", "c.doc", "B.TXT"})
    files.AddEntry(n, "-rw-r--r--", "", "1", "", "", "", "");
  int pumped = 0;
  FilterFileList(files, {"*.txt", "*.TXT", "*.txt"}, out, [&] { ++pumped; });
  EXPECT_EQ(pumped, 3);
  std::vector<std::string> names;
  for (int i = 0; i < out.GetCount(); ++i) names.push_back(out.Name(i));
  // Names differing only in case are different files: both stay.
  EXPECT_EQ(names, (std::vector<std::string>{"b.txt", "A.txt", "a.TXT", "B.TXT"}));
}

TEST(FtpViewData, FolderAddressesComeBackWhole) {
  EXPECT_EQ(FolderNodeURL("ftp://h/", {"pub", "docs"}), "ftp://h/pub/docs/");
  EXPECT_EQ(FolderNodeURL("ftp://h/", {}), "ftp://h/");
  std::string url = FolderNodeURL("ftp://127.0.0.1/", {"50% off", "a@b:c#d?e", "x\\y"});
  EXPECT_EQ(url, "ftp://127.0.0.1/50%25%20off/a%40b%3Ac%23d%3Fe/x%5Cy/");
  TFtpURL split;
  std::string error;
  ASSERT_TRUE(SplitFtpURL(url, split, error)) << error;
  EXPECT_FALSE(split.HasUser);
  EXPECT_EQ(split.Host, "127.0.0.1");
  EXPECT_EQ(split.Path, "/50% off/a@b:c#d?e/x\\y/");
}

TEST(FtpViewData, CachedNamesThatMakeFolders) {
  for (const char* bad : {"", ".", "..", "a/b", "a\rb", "tab\t", "\x7f"})
    EXPECT_FALSE(UsableFolderName(bad)) << bad;
  for (const char* good : {"...", "pub", "a b", "x\\y", "%"}) EXPECT_TRUE(UsableFolderName(good)) << good;
  EXPECT_EQ(JoinRemotePath("/", "pub"), "/pub");
  EXPECT_EQ(JoinRemotePath("/pub", "docs"), "/pub/docs");
  EXPECT_EQ(SortKeyOf(TMFtpSortBase::stFileType), 8);
  EXPECT_EQ(SortKeyOf(TMFtpSortBase::stNone), -1);
}

}  // namespace
