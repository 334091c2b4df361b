// Working copies, loading, saving, search and seek.
#include <filesystem>
#include <fstream>
#include <set>

#include "HexFixture.h"
#include "editor/EditFiles.h"

namespace {

// A stream that takes limit bytes and then fails, as a full disk does.
class TLimitedStream : public TFileStream {
public:
  TLimitedStream(const std::string& name, int64_t limit) : TFileStream(name, fmCreate), FLimit(limit) {}
  int64_t Write(const void* buffer, int64_t count) override {
    const int64_t n = std::min(count, FLimit);
    FLimit -= n;
    return n > 0 ? TFileStream::Write(buffer, n) : 0;
  }

private:
  int64_t FLimit;
};

struct TViewState {
  std::string FileName, Data;
  bool Modified;
  int UndoCount;
  bool operator==(const TViewState&) const = default;
};

TViewState StateOf(THexEditor& hex) {
  return {hex.GetFileName(), hex.GetBytes(0, hex.GetDataSize()), hex.GetModified(), hex.GetUndoCount()};
}

}  // namespace

TEST_F(THexTest, ViewsClaimDistinctWorkingCopiesAtTheirFirstWrite) {
  std::vector<std::unique_ptr<THexEditor>> views;
  for (int i = 0; i < 8; ++i) views.push_back(std::make_unique<THexEditor>(nullptr));
  EXPECT_EQ(CountFiles(".ZOVT"), 0) << "a view never used makes no file";
  std::set<std::string> names;
  for (auto& v : views) {
    EXPECT_TRUE(v->GetWorkFileName().empty());
    v->InsertBuffer("ab", 2, 0);
    EXPECT_EQ(v->GetBytes(0, v->GetDataSize()), "ab");
    EXPECT_TRUE(FileExists(v->GetWorkFileName()));
    EXPECT_EQ(ExtractFileExt(v->GetWorkFileName()), ".ZOVT");
    EXPECT_EQ(ExtractFileName(v->GetWorkFileName()).size(), 13u);
    names.insert(v->GetWorkFileName());
  }
  EXPECT_EQ(names.size(), views.size());
  views.clear();
  EXPECT_EQ(CountFiles(".ZOVT"), 0) << "a view deletes its working copy";
}

TEST_F(THexTest, LoadCopiesTheFileAndShowsItFromTheStart) {
  THexEditor& hex = Load("\x01\x02\x03");
  EXPECT_EQ(Data(), "\x01\x02\x03");
  EXPECT_EQ(hex.GetFileName(), Path("data.bin"));
  EXPECT_NE(hex.GetWorkFileName(), Path("data.bin"));
  EXPECT_FALSE(hex.GetModified());
  EXPECT_EQ(CountFiles(".ZOVT"), 1) << "the old working copy goes when a fresh one is swapped in";
  hex.ChangeByte(0, 1, 9);
  EXPECT_EQ(ReadFile("data.bin"), "\x01\x02\x03") << "edits go to the working copy only";
}

TEST_F(THexTest, FailedLoadsLeaveTheViewAsItWas) {
  THexEditor& hex = Load("abc");
  hex.ChangeByte(1, 'b', 'X');
  const TViewState before = StateOf(hex);
  std::filesystem::create_directory(Path("folder"));
  for (const std::string& name : {Path("missing.bin"), Path("folder")}) {
    EXPECT_FALSE(hex.LoadFromFile(name)) << name;
    EXPECT_EQ(StateOf(hex), before) << name;
    EXPECT_TRUE(hex.IsChanged(1));
  }
  // A temporary folder that cannot be written: the copy has nowhere to go.
  WriteFile("other.bin", "zz");
  PointTempAt("nowhere");
  EXPECT_FALSE(hex.LoadFromFile(Path("other.bin")));
  EXPECT_EQ(StateOf(hex), before);
  EXPECT_TRUE(hex.Undo());
  EXPECT_EQ(Data(), "abc");
}

#ifndef _WIN32
// Sparse files cost nothing here; under Wine the file system may fill them.
TEST_F(THexTest, FilesOfTwoGigabytesAreRefusedBeforeCopying) {
  THexEditor& hex = Load("ab");
  for (int64_t size : {int64_t(0x80000000), int64_t(0x80000001)}) {
    {
      std::ofstream big(Path("big.bin"), std::ios::binary);
    }
    std::filesystem::resize_file(Path("big.bin"), uintmax_t(size));
    EXPECT_FALSE(hex.LoadFromFile(Path("big.bin")));
    EXPECT_EQ(Data(), "ab");
    EXPECT_EQ(CountFiles(".ZOVT"), 1) << "no copy was started";
  }
}
#endif

TEST_F(THexTest, SaveWritesTheDataAndKeepsTheOldFileAsBackup) {
  THexEditor& hex = Load("abc");
  hex.ChangeByte(0, 'a', 'A');
  ASSERT_TRUE(hex.SaveToFile(Path("data.bin")));
  EXPECT_EQ(ReadFile("data.bin"), "Abc");
  EXPECT_EQ(ReadFile("data.bak"), "abc");
  EXPECT_FALSE(hex.GetModified());
  EXPECT_FALSE(hex.GetCanUndo());
  EXPECT_FALSE(hex.IsChanged(0));
  EXPECT_EQ(CountFiles(".~tq1"), 0);

  // No changes, or another name: no backup.
  std::filesystem::remove(Path("data.bak"));
  ASSERT_TRUE(hex.SaveToFile(Path("data.bin")));
  EXPECT_FALSE(FileExists(Path("data.bak")));
  hex.ChangeByte(0, 'A', 'B');
  ASSERT_TRUE(hex.SaveToFile(Path("copy.bin")));
  EXPECT_EQ(ReadFile("copy.bin"), "Bbc");
  EXPECT_FALSE(FileExists(Path("copy.bak")));
  EXPECT_EQ(hex.GetFileName(), Path("copy.bin"));
}

TEST_F(THexTest, ABackupNameEqualToTheTargetMeansNoBackup) {
  WriteFile("x.bak", "old");
  Hex = std::make_unique<THexEditor>(nullptr);
  ASSERT_TRUE(Hex->LoadFromFile(Path("x.bak")));
  Hex->ChangeByte(0, 'o', 'n');
  EXPECT_TRUE(Hex->SaveToFile(Path("x.bak")));
  EXPECT_EQ(ReadFile("x.bak"), "nld");
}

TEST_F(THexTest, FailedSavesLeaveFilesAndViewAsTheyWere) {
  THexEditor& hex = Load("abcdef");
  WriteFile("data.bak", "older backup");
  hex.ChangeByte(2, 'c', 'C');
  const TViewState before = StateOf(hex);

  std::filesystem::create_directory(Path("folder"));
  EXPECT_FALSE(hex.SaveToFile(Path("folder")));
  EXPECT_EQ(StateOf(hex), before);

  auto previous = SetSaveStreamFactory(
      [](const std::string& name) { return std::make_unique<TLimitedStream>(name, 3); });
  EXPECT_FALSE(hex.SaveToFile(Path("data.bin")));
  SetSaveStreamFactory(previous);
  EXPECT_EQ(ReadFile("data.bin"), "abcdef");
  EXPECT_EQ(ReadFile("data.bak"), "older backup");
  EXPECT_EQ(StateOf(hex), before);
  EXPECT_TRUE(hex.IsChanged(2));
  EXPECT_EQ(CountFiles(".~tq1"), 0);
}

TEST_F(THexTest, EmptyDataAndNewDocuments) {
  THexEditor& hex = Load("");
  EXPECT_EQ(hex.Grid().GetRowCount(), 1);
  EXPECT_EQ(hex.GetCursorPosition(), 0);
  EXPECT_FALSE(hex.Seek(0, 0, false));
  EXPECT_EQ(hex.Find("a", 1, 0, 100, false, false), -1);
  hex.NewDocument();
  EXPECT_EQ(hex.GetFileName(), "Untitled");
  hex.AppendBuffer("xy", 2);
  EXPECT_EQ(Data(), "xy");
  ASSERT_TRUE(hex.SaveToFile(Path("new.bin")));
  EXPECT_EQ(ReadFile("new.bin"), "xy");
}

TEST_F(THexTest, FindCases) {
  struct Case {
    std::string data, pattern;
    int start, end;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"aab", "ab", 0, 100, false, 1},      // the restart after a partial match
      {"aab", "ab", 0, 1, false, -1},       // would end after the end offset
      {"xxab", "ab", -5, 3, false, 2},      // a negative start counts as 0
      {"abab", "ab", 1, 3, false, 2},
      {"HeLLo", "hello", 0, 4, true, 0},
      {"HeLLo", "hello", 0, 4, false, -1},
      {"abc", "", 0, 2, false, -1},
      {"abc", "abc", 0x7FFFFFFF, 0x7FFFFFFF, false, -1},  // no overflow of start + count
  };
  for (const Case& c : cases) {
    THexEditor& hex = Load(c.data);
    EXPECT_EQ(hex.Find(c.pattern.data(), int(c.pattern.size()), c.start, c.end, c.ignoreCase, false),
              c.expected)
        << c.data << " / " << c.pattern;
  }
}

TEST_F(THexTest, FindAcrossBlockBoundariesAndLeavesThePatternAlone) {
  std::string data(3 << 20, 'x');
  data.replace((1 << 20) - 2, 5, "NEEDL");
  THexEditor& hex = Load(data);
  char pattern[] = "needl";
  EXPECT_EQ(hex.Find(pattern, 5, 0, 1 << 30, true, false), (1 << 20) - 2);
  EXPECT_STREQ(pattern, "needl");
  EXPECT_EQ(hex.Find(pattern, 5, (1 << 20) - 1, 1 << 30, true, false), -1);
}

TEST_F(THexTest, FindThroughTranslations) {
  THexEditor& hex = Load(std::string("\xC1\xC2\x81\x50", 4));  // EBCDIC "ABa&"
  hex.SetTranslation(ttEBCDIC);
  EXPECT_EQ(hex.Find("AB", 2, 0, 3, false, true), 0);
  EXPECT_EQ(hex.Find("ba", 2, 0, 3, true, true), 1) << "folded as shown";
  EXPECT_EQ(hex.Find("&", 1, 0, 3, false, true), 3);
  EXPECT_EQ(hex.Find("[", 1, 0, 3, false, true), -1) << "EBCDIC has no [";
  hex.SetTranslation(ttDos8);
  THexEditor& dos = Load("caf\x82");  // "café" in OEM
  dos.SetTranslation(ttDos8);
  EXPECT_EQ(dos.Find("CAF\xC9", 4, 0, 3, true, true), 0);
  EXPECT_EQ(dos.Find("\xAE", 1, 0, 3, false, true), -1) << "OEM has no registered sign";
}

TEST_F(THexTest, SeekCases) {
  THexEditor& hex = Load(std::string(100, 'z'));
  EXPECT_TRUE(hex.Seek(0, 2, true));
  EXPECT_EQ(hex.GetCursorPosition(), 99);
  hex.Seek(10, 0, true);
  EXPECT_FALSE(hex.Seek(5, 2, true));
  EXPECT_EQ(hex.GetCursorPosition(), 10);
  EXPECT_TRUE(hex.Seek(5, 2, false));
  EXPECT_EQ(hex.GetCursorPosition(), 99);
  EXPECT_TRUE(hex.Seek(-3, 1, true));
  EXPECT_EQ(hex.GetCursorPosition(), 96);
  EXPECT_FALSE(hex.Seek(-1, 0, true));
  EXPECT_THROW(hex.SetSelStart(100), EHexEditor);
  EXPECT_THROW(hex.SetSelEnd(-1), EHexEditor);
}
