// The editing control's files: exact load/save round trips, saves that fail
// reported through the host with the document still modified, the registry
// record across sessions, code-page conversion, export and print entry points.
#include <climits>
#include <string>
#include <vector>

#include "EditFixture.h"
#include "editor/EditFiles.h"
#include "editor/EditFilesState.h"
#include "editor/HtmlExport.h"
#include "highlighters/PasSyn.h"
#include "platform/RecordingCanvas.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

std::string ReadFile(const std::string& name) {
  TFileStream in(name, fmOpenRead | fmShareDenyNone);
  return in.ReadRemaining();
}

void WriteFile(const std::string& name, const std::string& data) {
  TFileStream out(name, fmCreate);
  out.WriteBuffer(data.data(), int64_t(data.size()));
}

class FilesEdit : public EditFixture {
protected:
  void SetUp() override {
    EditFixture::SetUp();
    // Named after the test: cases run side by side in processes of their own.
    Dir = ::testing::TempDir() + "tq-editfiles-" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDir(Dir);
    Dir += PathDelim;
    SetProgramRegistryKey(Key);
  }
  void TearDown() override {
    EditFixture::TearDown();
    SetSaveStreamFactory(nullptr);
    for (const char* name : {"x.txt", "x.bak", "y.htm"}) FileDelete(Dir + name);
    RemoveDir(ExcludeTrailingPathDelimiter(Dir));
    TRegistry registry;
    registry.DeleteKey(Key);
    SetProgramRegistryKey("\\Software\\Tarnquill");
  }
  void Load(const std::string& bytes) {
    WriteFile(Dir + "x.txt", bytes);
    Edit->FileName = Dir + "x.txt";
    Edit->LoadFromFile();
  }
  std::string Dir;
  // One key per case: cases run side by side in processes of their own, and
  // each deletes its key when it ends.
  const std::string Key = std::string("\\Software\\Tarnquill\\Test\\customedit_files\\") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(FilesEdit, LineEndsOfEveryKindLoadAndSaveExactly) {
  const std::string nul("x\0y", 3);
  const struct {
    std::string File;
    std::vector<std::string> Lines;
    std::string Dos, Unix;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n", "a\nb\n"},
      {"a\nb", {"a", "b"}, "a\r\nb\r\n", "a\nb\n"},
      {"a\rb\r\r", {"a", "b", ""}, "a\r\nb\r\n\r\n", "a\nb\n\n"},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n", "a\nb\nc\nd\n"},
      {nul + "\r\n" + nul + nul, {nul, nul + nul}, nul + "\r\n" + nul + nul + "\r\n",
       nul + "\n" + nul + nul + "\n"},
      {"", {""}, "\r\n", "\n"},
  };
  for (const auto& c : cases) {
    Load(c.File);
    EXPECT_EQ(Lines(), c.Lines);
    ASSERT_TRUE(Edit->SaveToFile());
    EXPECT_EQ(ReadFile(Dir + "x.txt"), c.Dos);
    ASSERT_TRUE(Edit->SaveToFileUnix());
    EXPECT_EQ(ReadFile(Dir + "x.txt"), c.Unix);
  }
  EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FilesEdit, TabsExpandOnlyAboveWidthOne) {
  Edit->SetTabWidth(1);
  Load("a\tb\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a\tb"}));
  ASSERT_TRUE(Edit->SaveToFile());
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "a\tb\r\n");
  Edit->SetTabWidth(4);
  Load("a\tb\t\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a    b    "}));
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(FilesEdit, FailedSavesReportKeepTheFileAndLeaveTheDocumentModified) {
  Load("original\r\n");
  Edit->BackupMode = kBackupSingle;
  ASSERT_TRUE(Edit->SaveToFile());  // x.bak now holds the original too
  Edit->SetText("changed\r\n");
  Edit->SetModified(true);

  // The disk fills up part way.
  SetSaveStreamFactory([](const std::string& name) -> std::unique_ptr<TStream> {
    struct TFull : TFileStream {
      using TFileStream::TFileStream;
      int64_t Write(const void* b, int64_t n) override {
        return TFileStream::Write(b, std::min<int64_t>(n, 3));
      }
    };
    return std::make_unique<TFull>(name, fmCreate);
  });
  EXPECT_FALSE(Edit->SaveToFile());
  EXPECT_FALSE(Edit->SaveToFileUnix());
  SetSaveStreamFactory(nullptr);
  EXPECT_EQ(Host.Messages, (std::vector<std::string>{"Error ce869: Stream write error",
                                                     "Error ce922: Stream write error"}));
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_EQ(ReadFile(Dir + "x.txt"), "original\r\n");
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "original\r\n");

  // The folder is gone.
  Host.Messages.clear();
  Edit->FileName = Dir + "gone" + PathDelim + "x.txt";
  EXPECT_FALSE(Edit->SaveToFile());
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0], "Error ce869: Cannot create file " + Edit->FileName);
  EXPECT_TRUE(Edit->GetModified());

  // The name is a folder's.
  Host.Messages.clear();
  Edit->FileName = ExcludeTrailingPathDelimiter(Dir);
  EXPECT_FALSE(Edit->SaveToFile());
  EXPECT_EQ(Host.Messages.size(), 1u);
  EXPECT_TRUE(DirectoryExists(Edit->FileName));
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(FilesEdit, CaretAndBookmarksComeBackWithTheDocument) {
  TktPasSyn pas(nullptr);
  pas.SetName("PasSyn1");
  Edit->SetHighLighter(&pas);
  Load("one\r\ntwo two two\r\nthree\r\nfour\r\n");
  Edit->SetCaretXY(TPoint(9, 2));  // beyond line 1's end: kept whole
  Edit->SetBookMark(1, 2, 3);
  Edit->SetBookMark(7, 1, 4);
  Edit->SetModified(true);
  ASSERT_TRUE(Edit->SaveToFile());
  EXPECT_FALSE(Edit->GetModified());

  Edit->ClearBookMark(7);
  Edit->SaveDocumentState();

  auto second = std::make_unique<TTestEdit>(nullptr);
  TktPasSyn other(nullptr);
  other.SetName("Other");
  second->SetHighLighter(&other);
  second->FileName = Edit->FileName;
  second->LoadFromFile();
  EXPECT_EQ(second->GetCaretXY(), TPoint(9, 2));
  int x = 0, y = 0;
  ASSERT_TRUE(second->GetBookMark(1, x, y));
  EXPECT_EQ(TPoint(x, y), TPoint(2, 3));
  EXPECT_FALSE(second->IsBookMark(7)) << "a cleared bookmark came back";
  EXPECT_EQ(other.GetName(), "Other") << "the shared highlighter was renamed";
  second.reset();
  Edit->SetHighLighter(nullptr);

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(Key + "\\Options\\" + Edit->FileName));
  EXPECT_EQ(registry.ReadString("Highlighter"), "PasSyn1");
  EXPECT_FALSE(registry.ValueExists("Mark7x"));
}

TEST_F(FilesEdit, ARegistryFailureLeavesTheDocumentModified) {
  Edit->FileName = Dir + "x.txt";
  Edit->SetModified(true);
  SetProgramRegistryKey("\\Software\\Tarnquill\\Test\\customedit_files\\" + std::string(300, 'k'));
  Edit->SaveDocumentState();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].rfind("Error ce902: ", 0), 0u) << Host.Messages[0];
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(FilesEdit, DosWindowsConversionGoesThereAndBack) {
  std::string all;
  for (int b = 0x20; b < 256; ++b) all += char(b);
  SetLines({all, "\x80\xAF\xE0\xEF"});
  Edit->SetCaretXY(TPoint(3, 2));
  Edit->ConvertDosToWin();
  EXPECT_EQ(Lines()[1], "\xC0\xEF\xF0\xFF");
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 2));
  EXPECT_FALSE(Edit->CanUndo());
  Edit->ConvertWinToDos();
  EXPECT_EQ(Lines(), (std::vector<std::string>{all, "\x80\xAF\xE0\xEF"}));
}

TEST_F(FilesEdit, ExportToFileTakesTheSelectionOrEverything) {
  TktPasSyn pas(nullptr);
  Edit->SetHighLighter(&pas);
  SetLines({"abc", "def"});
  TktHtmlExport html(nullptr);
  html.SetCreateHTMLFragment(true);
  auto body = [&] {
    const std::string out = ReadFile(Dir + "y.htm");
    const size_t b = out.find("\">") + 2;
    return out.substr(b, out.find("</font>\r\n</pre>") - b);
  };
  Select(TPoint(2, 1), TPoint(2, 2));
  Edit->ExportToFile(true, Dir + "y.htm", &html);
  EXPECT_EQ(body(), "bc\r\nd\r\n");
  Edit->ExportToFile(false, Dir + "y.htm", &html);
  EXPECT_EQ(body(), "abc\r\ndef\r\n");
  Select(TPoint(1, 1), TPoint(1, 1));
  Edit->ExportToFile(true, Dir + "y.htm", &html);
  EXPECT_EQ(body(), "abc\r\ndef\r\n");
  Edit->ExportToFile(false, Dir + "y.htm", Edit.get());  // not an exporter: nothing
  EXPECT_EQ(body(), "abc\r\ndef\r\n");
  Edit->SetHighLighter(nullptr);
}

// Collects the text calls of a print run.
class TTextPrinter : public IktPrintDevice {
public:
  ICanvas& Canvas() override { return FCanvas; }
  int PageWidth() const override { return 800; }
  int PageHeight() const override { return 1000; }
  int PixelsPerInchX() const override { return 100; }
  int PixelsPerInchY() const override { return 100; }
  void SetCopies(int) override {}
  void SetTitle(const std::string&) override {}
  void BeginDoc() override {}
  void NewPage() override {}
  void EndDoc() override {}
  void Abort() override { Aborted = true; }
  std::vector<std::string> Texts() const {
    std::vector<std::string> r;
    for (const TCanvasOp& op : FCanvas.OpsOf(coExtTextOut)) r.push_back(op.Text);
    return r;
  }
  bool Aborted = false;

private:
  TRecordingCanvas FCanvas;
};

TEST_F(FilesEdit, PrintTakesTheSelectionInItsMode) {
  SetLines({"abcdef", "ghijkl", "mnopqr"});
  TktPrintOptions options;
  options.SelectedOnly = true;
  {
    TTextPrinter printer;
    EXPECT_FALSE(Edit->Print(printer, options)) << "no selection: nothing";
    EXPECT_TRUE(printer.Texts().empty());
  }
  const struct {
    TSelectionMode Mode;
    std::vector<std::string> Texts;
  } cases[] = {
      {smNormal, {"cdef", "ghijkl", "mnop"}},
      {smColumn, {"cd", "ij", "op"}},
      {smLine, {"abcdef", "ghijkl", "mnopqr"}},
  };
  for (const auto& c : cases) {
    Select(TPoint(5, 3), TPoint(3, 1), c.Mode);
    TTextPrinter printer;
    EXPECT_TRUE(Edit->Print(printer, options));
    EXPECT_EQ(printer.Texts(), c.Texts) << int(c.Mode);
  }
  options.SelectedOnly = false;
  options.PrintRange = TRect(2, 2, 4, 9);  // lines beyond the text left out
  TTextPrinter printer;
  std::vector<int> statuses;
  Edit->OnPrintStatus = [&](TObject*, TktPrintStatus s, int, bool& abort) {
    statuses.push_back(int(s));
    abort = false;
  };
  EXPECT_TRUE(Edit->Print(printer, options));
  EXPECT_EQ(printer.Texts(), (std::vector<std::string>{"hijkl", "mnopqr"}));
  EXPECT_EQ(statuses, (std::vector<int>{psBegin, psEnd}));
  Edit->OnPrintStatus = [&](TObject*, TktPrintStatus, int, bool& abort) { abort = true; };
  TTextPrinter aborted;
  EXPECT_FALSE(Edit->Print(aborted, options));
  EXPECT_TRUE(aborted.Aborted);
  EXPECT_TRUE(aborted.Texts().empty());
}

}  // namespace
