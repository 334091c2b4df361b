// Document files on disk: saves that fail leave everything as it was,
// backups in both modes, line writing, tab expansion, the DOS/Windows
// tables, and the per-document registry record.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "editor/CodePage.h"
#include "editor/EditFiles.h"
#include "editor/EditFilesState.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

std::string ReadFile(const std::string& name) {
  TFileStream in(name, fmOpenRead | fmShareDenyNone);
  return in.ReadRemaining();
}

// A fresh folder for each test, removed with everything in it.
class FilesCase : public ::testing::Test {
protected:
  FilesCase() {
    // Named after the test: cases run side by side in processes of their own.
    Dir = ::testing::TempDir() + "tq-files-" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDir(Dir);
    Dir += PathDelim;
  }
  ~FilesCase() override {
    SetSaveStreamFactory(nullptr);
    for (const std::string& name : Listing()) FileDelete(Dir + name);
    RemoveDir(ExcludeTrailingPathDelimiter(Dir));
  }
  // The folder's file names (each probed by the names the code makes).
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const char* base : {"x.txt", "x.bak", "x.bak0", "x.bak1", "x.txt.~tq1", "x.txt.~old1",
                             "x.bak.~old1", "x.bak.~tq1", "x.bak.~old1"})
      if (FileExists(Dir + base)) names.insert(base);
    return names;
  }
  void Save(const std::string& content, uint8_t mode, const std::string& name = "x.txt") {
    SafeSaveFile(Dir + name, mode, [&](TStream& s) { s.WriteBuffer(content.data(), int64_t(content.size())); });
  }
  std::string Dir;
};

// Writes at most Limit bytes, then reports the disk full.
class TFullDiskStream : public TStream {
public:
  TFullDiskStream(std::unique_ptr<TStream> inner, int64_t limit)
      : FInner(std::move(inner)), FLimit(limit) {}
  int64_t Read(void* b, int64_t n) override { return FInner->Read(b, n); }
  int64_t Write(const void* b, int64_t n) override {
    const int64_t room = std::max<int64_t>(FLimit - FInner->GetPosition(), 0);
    return FInner->Write(b, std::min(n, room));
  }
  int64_t Seek(int64_t o, TSeekOrigin origin) override { return FInner->Seek(o, origin); }

private:
  std::unique_ptr<TStream> FInner;
  int64_t FLimit;
};

TEST_F(FilesCase, BackupModesKeepWhatTheyPromise) {
  Save("one", kBackupNumbered);
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt"}));
  Save("two", kBackupNumbered);
  Save("three", kBackupNumbered);
  Save("four", kBackupNumbered);
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt", "x.bak", "x.bak0", "x.bak1"}));
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "one");
  EXPECT_EQ(ReadFile(Dir + "x.bak0"), "two");
  EXPECT_EQ(ReadFile(Dir + "x.bak1"), "three");
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "four");

  Save("five", kBackupSingle);
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "four");
  Save("six", kBackupNone);
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "four");
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "six");
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt", "x.bak", "x.bak0", "x.bak1"}));
}

TEST_F(FilesCase, ADocumentNamedLikeItsBackupIsNotLost) {
  Save("old", kBackupNone, "x.bak");
  Save("new", kBackupSingle, "x.bak");
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "new");
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.bak"}));
  EXPECT_EQ(BackupFileName(Dir + "x.bak", kBackupSingle), "");
  EXPECT_EQ(BackupFileName(Dir + "x.bak", kBackupNumbered), Dir + "x.bak0");
  EXPECT_EQ(BackupFileName(Dir + "noext", kBackupSingle), Dir + "noext.bak");
}

TEST_F(FilesCase, AFullDiskLeavesTheFileAndItsBackupAsTheyWere) {
  Save("first version", kBackupNone);
  Save("second version", kBackupSingle);
  SetSaveStreamFactory([](const std::string& name) -> std::unique_ptr<TStream> {
    return std::make_unique<TFullDiskStream>(std::make_unique<TFileStream>(name, fmCreate), 5);
  });
  for (uint8_t mode : {kBackupNone, kBackupSingle, kBackupNumbered}) {
    EXPECT_THROW(Save("a third version, too long for the disk", mode), EWriteError);
    EXPECT_EQ(ReadFile(Dir + "x.txt"), "second version");
    EXPECT_EQ(ReadFile(Dir + "x.bak"), "first version");
    EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt", "x.bak"})) << "mode " << int(mode);
  }
}

// What a save that the program did not live to finish left beside the file
// goes at its next save; names the save never makes stay, and so does all
// of it while the file itself is not there (a leftover may then be the only
// copy of the document).
TEST_F(FilesCase, TheNextSaveRemovesWhatAnUnfinishedSaveLeft) {
  Save("old", kBackupNone);
  for (const char* name : {"x.txt.~tq1", "x.txt.~tq17", "x.txt.~tq", "x.txt.~tqa", "x.txt.~old1", "y.txt.~tq1"})
    Save(name, kBackupNone, name);
  Save("new", kBackupSingle);
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "new");
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "old");
  EXPECT_FALSE(FileExists(Dir + "x.txt.~tq1"));
  EXPECT_FALSE(FileExists(Dir + "x.txt.~tq17"));
  for (const char* kept : {"x.txt.~tq", "x.txt.~tqa", "x.txt.~old1", "y.txt.~tq1"}) {
    EXPECT_EQ(ReadFile(Dir + kept), kept);
    FileDelete(Dir + kept);
  }

  Save("lost?", kBackupNone, "z.txt.~tq1");
  Save("first", kBackupNone, "z.txt");
  EXPECT_EQ(ReadFile(Dir + "z.txt.~tq1"), "lost?");
  FileDelete(Dir + "z.txt.~tq1");
  FileDelete(Dir + "z.txt");
}

TEST_F(FilesCase, SavesThatCannotStartTouchNothing) {
  Save("kept", kBackupNone);
  // The target is a folder.
  CreateDir(Dir + "sub");
  try {
    Save("x", kBackupSingle, "sub");
    FAIL() << "saved over a folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + Dir + "sub");
  }
  EXPECT_TRUE(DirectoryExists(Dir + "sub"));
  EXPECT_FALSE(FileExists(Dir + "sub.bak"));
  RemoveDir(Dir + "sub");
  // The folder vanished.
  EXPECT_THROW(SafeSaveFile(Dir + "gone" + PathDelim + "x.txt", kBackupSingle, [](TStream&) {}),
               EFCreateError);
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "kept");
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt"}));
}

TEST(EditFiles, LinesAreWrittenWithTheirLineEndsWhateverTheyHold) {
  TStringList lines;
  lines.Add("a");
  lines.Add(std::string("b\0c", 3));
  lines.Add(std::string(300000, 'z'));  // longer than one write piece
  lines.Add("");
  TStringStream crlf, lf;
  WriteLines(crlf, lines, "\r\n");
  WriteLines(lf, lines, "\n");
  EXPECT_EQ(crlf.GetDataString(), "a\r\n" + std::string("b\0c", 3) + "\r\n" + std::string(300000, 'z') + "\r\n\r\n");
  EXPECT_EQ(lf.GetDataString(), "a\n" + std::string("b\0c", 3) + "\n" + std::string(300000, 'z') + "\n\n");
}

TEST(EditFiles, TabsBecomeTabWidthBlanks) {
  EXPECT_EQ(ExpandTabs("a\tb", 4), "a    b");
  EXPECT_EQ(ExpandTabs("\t\t", 2), "    ");
  EXPECT_EQ(ExpandTabs("none", 8), "none");
}

TEST(EditFiles, DateTimeNowCountsDaysFrom1899) {
  const double now = DateTimeNow();
  EXPECT_GT(now, 45000.0);  // after 2023
  EXPECT_LT(now, 80000.0);
}

TEST(CodePage, TheDosAndWindowsTablesAreExactInverses) {
  const TktByteTable& toWin = DosToWinTable();
  const TktByteTable& toDos = WinToDosTable();
  std::set<int> images;
  for (int b = 0; b < 256; ++b) {
    images.insert(toWin[size_t(b)]);
    EXPECT_EQ(toDos[toWin[size_t(b)]], b) << "byte " << b;
    EXPECT_EQ(toWin[toDos[size_t(b)]], b) << "byte " << b;
  }
  EXPECT_EQ(images.size(), 256u);
  // The mappings of the original table, and the block given a place of its own.
  const struct {
    int From, ToWin, ToDos;
  } cases[] = {{0x41, 0x41, 0x41}, {0x80, 0xC0, 0xC0}, {0xAF, 0xEF, 0xBF}, {0xB0, 0xA0, 0xF0},
               {0xC0, 0x80, 0x80}, {0xDF, 0x9F, 0x9F}, {0xE0, 0xF0, 0xA0}, {0xF0, 0xB0, 0xE0},
               {0xFF, 0xBF, 0xEF}, {0x9F, 0xDF, 0xDF}, {0xA5, 0xE5, 0xB5}};
  for (const auto& c : cases) {
    EXPECT_EQ(toWin[size_t(c.From)], c.ToWin) << c.From;
    EXPECT_EQ(toDos[size_t(c.From)], c.ToDos) << c.From;
  }
  std::string text = "\x80\xB5z";
  TranslateBytes(text, toWin);
  EXPECT_EQ(text, "\xC0\xA5z");
}

TEST(CodePage, Cp1252StandsForItsCharacters) {
  TAnsiCodePage page;
  Cp1252CodePage(page);
  EXPECT_EQ(page.Unicode[0x41], U'A');
  EXPECT_EQ(page.Unicode[0x80], char32_t(0x20AC));
  EXPECT_EQ(page.Unicode[0x9F], char32_t(0x0178));
  EXPECT_EQ(page.Unicode[0xE9], char32_t(0xE9));
  EXPECT_EQ(page.DoubleByte, nullptr);
}

class StateCase : public ::testing::Test {
protected:
  StateCase() { SetProgramRegistryKey(Key); }
  ~StateCase() override {
    TRegistry registry;
    registry.DeleteKey(Key);
    SetProgramRegistryKey("\\Software\\Tarnquill");
  }
  // One key per case: cases run side by side in processes of their own, and
  // each deletes its key when it ends.
  const std::string Key = std::string("\\Software\\Tarnquill\\Test\\editfiles_state\\") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string File = "C:\\docs\\sub\\x.pas";
};

TEST_F(StateCase, TheRecordGoesBackAndForthAndClearedBookmarksStayCleared) {
  TktDocumentState state;
  state.Highlighter = "PasSyn1";
  state.CaretX = 7;
  state.CaretY = 12;
  state.BookMarks[0] = TPoint(3, 4);
  state.BookMarks[9] = TPoint(1, 40);
  WriteDocumentState(File, state, 45000.5);

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(Key + "\\Options\\C:\\docs\\sub\\x.pas"));
  EXPECT_EQ(registry.ReadInteger("Mark9y"), 40);
  EXPECT_EQ(registry.ReadString("Highlighter"), "PasSyn1");
  ASSERT_TRUE(registry.OpenKeyReadOnly(Key + "\\Documents"));
  double stamp = 0;
  EXPECT_EQ(registry.ReadBinaryData(File, &stamp, int(sizeof stamp)), 8);
  EXPECT_EQ(stamp, 45000.5);

  TktDocumentState read;
  ASSERT_TRUE(ReadDocumentState(File, read));
  EXPECT_EQ(read.Highlighter, "PasSyn1");
  EXPECT_EQ(read.CaretX, 7);
  EXPECT_EQ(read.CaretY, 12);
  EXPECT_EQ(read.BookMarks[0], TPoint(3, 4));
  EXPECT_EQ(read.BookMarks[9], TPoint(1, 40));
  EXPECT_FALSE(read.BookMarks[5].has_value());

  state.BookMarks[0].reset();
  state.Highlighter.reset();
  WriteDocumentState(File, state, 45001.0);
  TktDocumentState again;
  ASSERT_TRUE(ReadDocumentState(File, again));
  EXPECT_FALSE(again.BookMarks[0].has_value());
  EXPECT_EQ(again.BookMarks[9], TPoint(1, 40));
  EXPECT_EQ(again.Highlighter, "PasSyn1") << "no highlighter writes nothing";
}

TEST_F(StateCase, ReadingSkipsWhatIsMissingOrOfTheWrongKind) {
  TktDocumentState state;
  EXPECT_FALSE(ReadDocumentState(File, state));
  TRegistry registry;
  EXPECT_FALSE(registry.KeyExists(Key + "\\Options\\C:\\docs\\sub\\x.pas")) << "reading created it";
  ASSERT_TRUE(registry.OpenKey(Key + "\\Options\\C:\\docs\\sub\\x.pas", true));
  registry.WriteString("CursorX", "seven");
  registry.WriteInteger("CursorY", 3);
  registry.WriteInteger("Mark2x", 5);  // without its line
  registry.CloseKey();
  ASSERT_TRUE(ReadDocumentState(File, state));
  EXPECT_FALSE(state.CaretX.has_value());
  EXPECT_EQ(state.CaretY, 3);
  EXPECT_FALSE(state.BookMarks[2].has_value());
  EXPECT_FALSE(state.Highlighter.has_value());
}

}  // namespace
