// The kit's string routines, the progress adapter and the file routines
// against real files in a temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/FileUtil.h"
#include "kit/Progress.h"
#include "kit/StrUtils.h"
#include "platform/Streams.h"
#include "platform/TypInfo.h"

namespace {

TEST(StrUtils, WordsAndReplacing) {
  EXPECT_EQ(ExtractWord(2, "a,,b", ","), "b");
  EXPECT_EQ(WordCount(",a,,b,", ","), 2);
  EXPECT_EQ(WordCount("", ","), 0);
  EXPECT_EQ(WordPosition(2, " x  yz", " "), 5);
  EXPECT_EQ(WordPosition(3, " x  yz", " "), 0);
  EXPECT_EQ(WordPosition(0, "x", " "), 0);
  EXPECT_EQ(ExtractWord(3, "a b", " "), "");
  int pos = 1;
  EXPECT_EQ(ExtractSubstr("ab;cd;;e", pos, ";"), "ab");
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(ExtractSubstr("ab;cd;;e", pos, ";"), "cd");
  EXPECT_EQ(ExtractSubstr("ab;cd;;e", pos, ";"), "");
  EXPECT_EQ(ExtractSubstr("ab;cd;;e", pos, ";"), "e");
  EXPECT_EQ(ReplaceStr("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceStr("abc", "b", "bb"), "abbc") << "resumes after the replacement";
  EXPECT_EQ(ReplaceStr("abc", "", "x"), "abc");
}

TEST(StrUtils, NumbersAndTheKeyEncoding) {
  EXPECT_EQ(HexStrToInt("FF"), 255);
  EXPECT_EQ(HexStrToInt("$FF"), 255);
  EXPECT_EQ(HexStrToInt("ff"), 255);
  EXPECT_THROW(HexStrToInt("1$0"), EConvertError);
  EXPECT_THROW(HexStrToInt("xyz"), EConvertError);
  struct {
    int Value;
    const char* Roman;
  } romans[] = {{1994, "MCMXCIV"}, {4000, "MMMM"}, {0, ""}, {-5, ""}, {3888, "MMMDCCCLXXXVIII"}, {49, "XLIX"}};
  for (const auto& r : romans) EXPECT_EQ(IntToRoman(r.Value), r.Roman) << r.Value;
  EXPECT_EQ(XorEncode("", "AZ"), "415a");
  EXPECT_EQ(XorEncode("ab", "abc"), "000002");
  EXPECT_EQ(XorDecode("ab", "000002"), "abc");
  EXPECT_EQ(XorDecode("key", XorEncode("key", std::string("x\0y\xff", 4))), std::string("x\0y\xff", 4));
  EXPECT_EQ(Max(-3, 2), 2);
  EXPECT_EQ(Min(-3, 2), -3);
}

// Stand-ins of the two progress controls the adapter knows, and one it does not.
class TProgressBar : public TComponent {
public:
  TProgressBar() : TComponent(nullptr) {}
  int Min = -1, Max = -1, Position = -1;
  std::vector<int> Positions;
  int GetMin() const { return Min; }
  void SetMin(int v) { Min = v; }
  int GetMax() const { return Max; }
  void SetMax(int v) { Max = v; }
  int GetPosition() const { return Position; }
  void SetPosition(int v) {
    Position = v;
    Positions.push_back(v);
  }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TProgressBar", &TComponent::StaticClassInfo())
                                       .Integer("Min", &TProgressBar::GetMin, &TProgressBar::SetMin)
                                       .Integer("Max", &TProgressBar::GetMax, &TProgressBar::SetMax)
                                       .Integer("Position", &TProgressBar::GetPosition, &TProgressBar::SetPosition);
    return info;
  }
};

class TFancyBar : public TProgressBar {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info("TFancyBar", &TProgressBar::StaticClassInfo());
    return info;
  }
};

class FileUtil : public ::testing::Test {
protected:
  FileUtil() {
    Dir = SystemTempPath() + "tq_fileutil_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Clean();
    ForceDirectories(Dir);
    Dir = IncludeTrailingPathDelimiter(Dir);
  }
  ~FileUtil() override { Clean(); }
  void Clean() {
    std::string d = ExcludeTrailingPathDelimiter(Dir);
    for (const char* f : {"a.txt", "b.txt", "sub/a.txt", "sub/deeper/c.txt", "sub/x.txt", "Mixed.TXT"}) {
      std::string name = d + PathDelim + f;
      for (char& c : name)
        if (c == '/') c = PathDelim;
      FileDelete(name);
    }
    RemoveDir(d + PathDelim + "sub" + PathDelim + "deeper");
    RemoveDir(d + PathDelim + "sub");
    RemoveDir(d);
  }
  void Write(const std::string& name, const std::string& text) {
    TFileStream f(name, fmCreate);
    f.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  }
  std::string ReadAll(const std::string& name) {
    TFileStream f(name, fmOpenRead);
    return f.ReadRemaining();
  }
  std::string Dir;
};

// A folder name typed by the user makes every missing folder above it; a
// name nested beyond any path the system has is refused whole, creating
// nothing (and not one call per level).
TEST_F(FileUtil, ForceDirectoriesMakesTheMissingFoldersAndRefusesAnEndlessName) {
  const std::string deeper = Dir + "sub" + PathDelim + "deeper" + PathDelim;
  EXPECT_TRUE(ForceDirectories(deeper));
  EXPECT_TRUE(DirectoryExists(Dir + "sub" + PathDelim + "deeper"));
  EXPECT_TRUE(ForceDirectories(deeper));  // there already

  std::string endless = Dir + "sub" + PathDelim + "x";
  while (endless.size() < 1000000) endless += std::string(1, PathDelim) + "x";
  EXPECT_FALSE(ForceDirectories(endless));
  EXPECT_FALSE(DirectoryExists(Dir + "sub" + PathDelim + "x"));
}

TEST_F(FileUtil, CopiesIntoFoldersWithProgressAndTheSourceDate) {
  std::string text(20000, 'x');
  Write(Dir + "a.txt", text);
  ASSERT_TRUE(CreateDir(Dir + "sub"));
  TFancyBar bar;  // inherits from a registered class
  CopyFileTo(Dir + "a.txt", Dir + "sub", &bar);
  EXPECT_EQ(ReadAll(Dir + "sub" + PathDelim + "a.txt"), text);
  EXPECT_EQ(bar.Min, 0);
  EXPECT_EQ(bar.Max, 20000);
  EXPECT_EQ(bar.Positions, (std::vector<int>{8192, 16384, 20000, 0}));

  CopyFileTo(Dir + "a.txt", Dir + "sub" + PathDelim + "deeper" + PathDelim + "c.txt");
  EXPECT_EQ(ReadAll(Dir + "sub" + PathDelim + "deeper" + PathDelim + "c.txt"), text);
  TSearchRec a, c;
  ASSERT_EQ(FindFirst(Dir + "a.txt", faAnyFile, a), 0);
  ASSERT_EQ(FindFirst(Dir + "sub" + PathDelim + "deeper" + PathDelim + "c.txt", faAnyFile, c), 0);
  EXPECT_EQ(a.Time, c.Time);
  FindClose(a);
  FindClose(c);

  EXPECT_THROW(CopyFileTo(Dir + "missing.txt", Dir + "b.txt"), EFOpenError);
  TComponent plain(nullptr);
  EXPECT_FALSE(SupportsProgressControl(&plain));
  SetProgressValue(&plain, 5);  // left alone, no error
}

TEST_F(FileUtil, CopyingAFileOntoItselfLeavesItIntact) {
  Write(Dir + "Mixed.TXT", "precious");
  // The same file under other spellings: other letter case (one file on
  // Windows), a folder as destination, a path through "..".
  std::vector<std::string> spellings = {Dir + "Mixed.TXT", ExcludeTrailingPathDelimiter(Dir),
                                        Dir + "sub" + PathDelim + ".." + PathDelim + "Mixed.TXT"};
#ifdef _WIN32
  spellings.push_back(Dir + "mixed.txt");
  spellings.push_back(LongToShortPath(Dir + "Mixed.TXT"));
#endif
  ASSERT_TRUE(CreateDir(Dir + "sub"));
  for (const std::string& dest : spellings) {
    CopyFileTo(Dir + "Mixed.TXT", dest);
    EXPECT_EQ(ReadAll(Dir + "Mixed.TXT"), "precious") << dest;
  }
}

TEST_F(FileUtil, NamesAndListing) {
  struct {
    const char* Name;
    bool Valid;
  } names[] = {{"a[1].txt", true}, {"C:\\dir\\x.txt", true}, {"", false},      {"a*.txt", false},
               {"a?.txt", false},  {"a|b", false},            {"a<b", false},  {"a\"b", false},
               {"ab:c", false},    {"1:\\x", false},          {"tab\tx", false}, {"dir/x.txt", true}};
  for (const auto& n : names) EXPECT_EQ(ValidFileName(n.Name), n.Valid) << n.Name;

  Write(Dir + "a.txt", "1");
  Write(Dir + "b.txt", "22");
  ASSERT_TRUE(CreateDir(Dir + "sub"));
  std::vector<std::string> found;
  TSearchRec f;
  for (int r = FindFirst(Dir + "*.TXT", faAnyFile & ~faDirectory, f); r == 0; r = FindNext(f))
    found.push_back(f.Name + ":" + IntToStr(f.Size));
  FindClose(f);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"a.txt:1", "b.txt:2"}));

  found.clear();
  for (int r = FindFirst(Dir + "*", faDirectory, f); r == 0; r = FindNext(f))
    if (f.Attr & faDirectory) found.push_back(f.Name);
  FindClose(f);
  EXPECT_NE(std::find(found.begin(), found.end(), "sub"), found.end());
  EXPECT_NE(FindFirst(Dir + "none*.x", faAnyFile, f), 0);
  FindClose(f);

  EXPECT_EQ(ShortToLongFileName(Dir + "a.txt"), Dir + "a.txt");
  EXPECT_EQ(ShortToLongPath(Dir + "sub"), Dir + "sub");
  EXPECT_EQ(LongToShortFileName(Dir + "missing.txt"), Dir + "missing.txt");
  EXPECT_FALSE(GetTempDir().empty());
  EXPECT_EQ(GetTempDir().back(), PathDelim);
  EXPECT_FALSE(GetSystemDir().empty());
}

}  // namespace

namespace {

TEST(StrUtils, CommandLinesAndShortenedTexts) {
  const char* line = "  prog.exe  \"C:\\My Files\\a.txt\" /D x\"y z\"w ";
  EXPECT_EQ(GetCmdLineWordCount(line), 4);
  EXPECT_EQ(GetCmdLineWord(2, line), "C:\\My Files\\a.txt");
  EXPECT_EQ(GetCmdLineWord(4, line), "xy zw");
  EXPECT_EQ(GetCmdLineWord(5, line), "");
  EXPECT_EQ(RebuildParams(SplitCmdLine(line)), "prog.exe \"C:\\My Files\\a.txt\" /D \"xy zw\"");

  auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
  EXPECT_EQ(MinimizeText("short", width, 35), "short");
  EXPECT_EQ(MinimizeText("a longer text", width, 56), "a lon...");
  EXPECT_EQ(MinimizeText("abc", width, 7), "...");
}

}  // namespace
