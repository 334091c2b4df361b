// Number and string conversions and file-name helpers.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/SysUtils.h"

namespace {

TEST(SysUtilsTest, IntegerConversions) {
  struct Case {
    const char* Text;
    bool Ok;
    int64_t Value;
  };
  const Case cases[] = {{"0", true, 0},          {"  42 ", true, 42},
                        {"-17", true, -17},       {"+5", true, 5},
                        {"$FF", true, 255},       {"0x1f", true, 31},
                        {"-$10", true, -16},      {"2147483647", true, 2147483647},
                        {"-2147483648", true, -2147483648LL},
                        {"2147483648", false, 0}, {"", false, 0},
                        {"-", false, 0},          {"12a", false, 0},
                        {"1 2", false, 0},        {"$", false, 0},
                        {"0x", false, 0}};
  for (const Case& c : cases) {
    int v = -999;
    EXPECT_EQ(TryStrToInt(c.Text, v), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_EQ(v, c.Value) << c.Text;
    }
    EXPECT_EQ(StrToIntDef(c.Text, -7), c.Ok ? c.Value : -7) << c.Text;
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(IntToStr(-5), "-5");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("0"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_THROW(StrToBool("yes"), EConvertError);
}

TEST(SysUtilsTest, CaseAndComparison) {
  EXPECT_EQ(UpperCase("abc\xE9"), "ABC\xE9");  // ASCII only
  EXPECT_EQ(AnsiUpperCase("abc\xE9\xFF\x9A\xF7"), "ABC\xC9\x9F\x8A\xF7");
  EXPECT_EQ(AnsiLowerCase("\xC9\xD7\x8C"), "\xE9\xD7\x9C");
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Hello", "Hell"));
  EXPECT_TRUE(AnsiSameText("\xC9t\xE9", "\xE9T\xC9"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_GT(AnsiCompareText("b", "A"), 0);
  EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
}

TEST(SysUtilsTest, TrimQuoteAndFormat) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  size_t pos = 0;
  EXPECT_EQ(ExtractQuotedStr("\"a\"\"b\" rest", pos, '"'), "a\"b");
  EXPECT_EQ(pos, 6u);
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Format("%s=%d", "n", 5), "n=5");
  EXPECT_EQ(Format("%s", std::string(1000, 'z').c_str()).size(), 1000u);
  EXPECT_EQ(StringReplaceAll("aXbxc", "x", "--", true), "a--b--c");
  EXPECT_EQ(StringReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_TRUE(IsValidIdent("_a1"));
  EXPECT_FALSE(IsValidIdent("1a"));
  EXPECT_FALSE(IsValidIdent(""));
}

TEST(SysUtilsTest, FileNameParts) {
  struct Case {
    const char* Name;
    const char* Path;
    const char* Dir;
    const char* File;
    const char* Ext;
  };
  const Case cases[] = {
      {"C:\\dir\\file.txt", "C:\\dir\\", "C:\\dir", "file.txt", ".txt"},
      {"C:\\file", "C:\\", "C:\\", "file", ""},
      {"C:file.a.b", "C:", "C:", "file.a.b", ".b"},
      {"dir.x\\name", "dir.x\\", "dir.x", "name", ""},
      {"/tmp/x/y.tar.gz", "/tmp/x/", "/tmp/x", "y.tar.gz", ".gz"},
      {"plain", "", "", "plain", ""},
      {"\\\\server\\share\\f.c", "\\\\server\\share\\", "\\\\server\\share", "f.c", ".c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.Name), c.Path) << c.Name;
    EXPECT_EQ(ExtractFileDir(c.Name), c.Dir) << c.Name;
    EXPECT_EQ(ExtractFileName(c.Name), c.File) << c.Name;
    EXPECT_EQ(ExtractFileExt(c.Name), c.Ext) << c.Name;
  }
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\Tarnquill.exe", ".INI"), "C:\\a.b\\Tarnquill.INI");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\noext", ".bak"), "C:\\a.b\\noext.bak");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\x\\"), "C:\\x");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("x"), std::string("x") + PathDelim);
}

TEST(SysUtilsTest, FoldersAndRenames) {
  std::string dir = ::testing::TempDir() + "sysutils_test_dir";
  RemoveDir(dir);
  ASSERT_TRUE(CreateDir(dir));
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_TRUE(DirectoryExists(IncludeTrailingPathDelimiter(dir)));
  EXPECT_FALSE(FileExists(dir));
  std::string a = IncludeTrailingPathDelimiter(dir) + "a.txt";
  std::string b = IncludeTrailingPathDelimiter(dir) + "b.txt";
  TFileHandle h = FileCreate(a);
  ASSERT_NE(h, InvalidFileHandle);
  EXPECT_EQ(FileWrite(h, "abc", 3), 3);
  FileClose(h);
  EXPECT_TRUE(FileRename(a, b));
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(FileSizeByName(b), 3);
  EXPECT_FALSE(RemoveDir(dir));  // not empty
  EXPECT_TRUE(FileDelete(b));
  EXPECT_TRUE(RemoveDir(dir));
  EXPECT_FALSE(DirectoryExists(dir));
}

TEST(SysUtilsTest, DateTimesBeforeAndAfter1970) {
  struct Case {
    int y, mo, d, h, mi, s;
    double value;
  } cases[] = {
      {1899, 12, 30, 0, 0, 0, 0.0},      {1970, 1, 1, 0, 0, 0, 25569.0},
      {1900, 3, 1, 12, 0, 0, 61.5},      {1979, 12, 31, 18, 0, 0, 29220.75},
      {2000, 2, 29, 6, 0, 0, 36585.25},  {1601, 1, 1, 0, 0, 0, -109205.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    EXPECT_DOUBLE_EQ(EncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s), c.value);
    int y, mo, d, h, mi, s;
    DecodeDateTime(c.value, y, mo, d, h, mi, s);
    EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{c.y, c.mo, c.d, c.h, c.mi, c.s}));
  }
  // One second before midnight must not round into the next day.
  int y, mo, d, h, mi, s;
  DecodeDateTime(EncodeDateTime(1969, 12, 31, 23, 59, 59), y, mo, d, h, mi, s);
  EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{1969, 12, 31, 23, 59, 59}));
}

TEST(SysUtilsTest, LocaleOrderAndItsSortKeys) {
  const char* texts[] = {"b", "A", "a", "B", "ab", "Ab", "", "a b", "file.pas", "file.txt", "FILE.txt"};
  for (bool ignoreCase : {false, true})
    for (const char* a : texts)
      for (const char* b : texts) {
        SCOPED_TRACE(std::string(a) + "|" + b + (ignoreCase ? " nocase" : ""));
        const int byCall = LocaleCompare(a, b, ignoreCase);
        const std::string ka = LocaleSortKey(a, ignoreCase), kb = LocaleSortKey(b, ignoreCase);
        const int byKey = ka < kb ? -1 : (kb < ka ? 1 : 0);
        EXPECT_EQ(byCall < 0 ? -1 : (byCall > 0 ? 1 : 0), byKey);
      }
  EXPECT_EQ(LocaleCompare("abc", "ABC", true), 0);
  EXPECT_NE(LocaleCompare("abc", "ABC", false), 0);
  EXPECT_LT(LocaleCompare("a", "b", false), 0);
  EXPECT_LT(LocaleCompare("a", "B", true), 0);
}

TEST(SysUtilsTest, FindFirstMasksIgnoreCaseAndStarDotStarTakesBareNames) {
  const std::string dir = IncludeTrailingPathDelimiter(::testing::TempDir() + "sysutils_find_dir");
  const char* names[] = {"README", "a.b.txt", "Foo.TXT", "x.pas"};
  CreateDir(dir);
  for (const char* n : names) FileClose(FileCreate(dir + n));
  auto list = [&](const char* mask) {
    std::vector<std::string> found;
    TSearchRec f;
    for (int r = FindFirst(dir + mask, 0, f); r == 0; r = FindNext(f)) {
      found.push_back(f.Name);
      EXPECT_NEAR(f.TimeStamp, UnixToLocalDateTime(f.Time), 1.0 / 86400);  // Time drops the milliseconds
      EXPECT_GT(f.TimeStamp, EncodeDateTime(2000, 1, 1, 0, 0, 0));
    }
    FindClose(f);
    std::sort(found.begin(), found.end());
    return found;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(list("*.*"), (V{"Foo.TXT", "README", "a.b.txt", "x.pas"}));
  EXPECT_EQ(list("*.txt"), (V{"Foo.TXT", "a.b.txt"}));
  EXPECT_EQ(list("readme.*"), (V{"README"}));
  EXPECT_EQ(list("?.PAS"), (V{"x.pas"}));
  EXPECT_EQ(list("*.c"), V{});
  for (const char* n : names) FileDelete(dir + n);
  RemoveDir(dir);
}

}  // namespace
