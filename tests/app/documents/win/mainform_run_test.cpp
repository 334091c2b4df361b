// The run and help keys through the real main window: F9, Alt+F9 and
// Shift+F9 start the file type's programs (a recorder copied under three
// names into a folder with a blank, with same-named decoys in the current
// and the document's folder) in every run mode of the options dialog; the
// help keys reach a stand-in for the help viewer's window.
#include <gtest/gtest.h>

#include "../../win/MainFormFixture.h"
#include "../../commands/win/RunFixtures.h"
#include "app/win/DataWin.h"
#include "app/settings/win/Setup.h"
#include "editor/CustomEdit.h"

namespace {

class RunWindow : public MainFormCase, protected TRunFolders {
protected:
  RunWindow() : TRunFolders("tq mainrun") {
    for (const char* exe : {"f9.exe", "altf9.exe", "shiftf9.exe"}) EXPECT_TRUE(AddRecorder(exe));

    ClearFileTypes();
    TFileType bat;
    bat.Name = "Batch";
    bat.Extension1 = "bat";
    bat.F9 = "\"" + Tools + "f9.exe\"";
    bat.AltF9 = "\"" + Tools + "altf9.exe\"";
    bat.ShiftF9 = "\"" + Tools + "shiftf9.exe\"";
    ::FileTypes.push_back(bat);
    TFileType pas;
    pas.Name = "Pascal";
    pas.Extension1 = "pas";
    pas.CtrlF1 = "\"C:\\Help s\\delphi.hlp\"";
    ::FileTypes.push_back(pas);
  }
  ~RunWindow() override {
    delete Form;
    Form = nullptr;
  }

  // The window with the case's options dialog, whose run mode the keys
  // follow.
  void OpenWithOptions() {
    Open();
    Setup = Options;
  }

  TSetup* Setup = nullptr;
};

TEST_F(RunWindow, EachRunKeyStartsItsProgramOnTheDocumentInEveryMode) {
  OpenWithOptions();
  const std::string doc = DocDir + "my doc.bat";
  WriteText(doc, "REM on disk\r\n");
  Files.push_back(doc);
  ASSERT_TRUE(Docs().OpenInNewTab(doc, false));
  TktCustomEdit* edit = Docs().CurrentEditor();

  struct Key {
    WORD Vk;
    TShiftState Shift;
    const char* Exe;
  } keys[] = {{VK_F9, {}, "f9.exe"}, {VK_F9, {ssAlt}, "altf9.exe"}, {VK_F9, {ssShift}, "shiftf9.exe"}};
  for (const int mode : {0, 1, 2}) {
    for (const Key& key : keys) {
      SCOPED_TRACE(std::string("mode ") + std::to_string(mode) + " " + key.Exe);
      Setup->RunMode->SetItemIndex(mode);
      WriteText(doc, "REM on disk\r\n");
      ::DeleteFileA(RecordFile.c_str());
      edit->SetText("REM in the editor\r\n");
      edit->SetModified(true);
      PostKey(EditorWnd(), key.Vk, key.Shift);
      ASSERT_TRUE(WaitForFile(RecordFile)) << "nothing ran";
      auto r = Record(RecordFile);
      EXPECT_EQ(r["who"], "configured");
      EXPECT_STRCASEEQ(r["self"].c_str(), (Tools + key.Exe).c_str());
      EXPECT_EQ(r["argc"], "2") << r["cmdline"];
      // Save and Run saves first; Run copy runs on the text as it stands
      // and leaves the file alone.
      EXPECT_EQ(r["argv1"], mode == 1 ? SystemTemp + "my doc.bat" : doc);
      EXPECT_EQ(r["first"].substr(0, 17), "REM in the editor");
      EXPECT_EQ(ReadText(doc), mode == 1 ? "REM on disk\r\n" : "REM in the editor\r\n");
      EXPECT_EQ(edit->GetModified(), mode == 1);
      EXPECT_STRCASEEQ(r["cwd"].c_str(), NoSlash(mode == 2 ? DocDir : Tools).c_str());
    }
  }
  ::DeleteFileA((SystemTemp + "my doc.bat").c_str());
  EXPECT_TRUE(Messages.empty());
  EXPECT_TRUE(Questions.empty());

  // A document without a name has no extension: no run command applies.
  ::DeleteFileA(RecordFile.c_str());
  Docs().FileNew();
  PostKey(EditorWnd(), VK_F9);
  PumpFor(1000);
  EXPECT_FALSE(Exists(RecordFile));
}

TEST_F(RunWindow, HelpKeysJumpToTheWordAtTheCaret) {
  THelpStandIn help;  // up in every help test: without it WinHelp starts the real viewer
  ASSERT_TRUE(help.Wnd);
  Open();
  Docs().OpenInNewTab(Write("a.pas", "begin WriteLn end.\r\n"), false);
  TktCustomEdit* edit = Docs().CurrentEditor();
  edit->SetCaretXY(TPoint(9, 1));
  THelpStandIn::Data.clear();
  PostKey(EditorWnd(), VK_F1, TShiftState{ssCtrl});
  PumpUntil([] { return !THelpStandIn::Data.empty(); }, 3000);
  EXPECT_EQ(THelpStandIn::Tag, 0xA1DE505u);
  EXPECT_STRCASEEQ(help.Field(0).c_str(), "C:\\Help s\\delphi.hlp");
  EXPECT_EQ(help.Field(1), "JumpID(\"\",\"WriteLn\")");
  EXPECT_EQ(edit->GetSelText(), "WriteLn") << "the word is selected";
  EXPECT_EQ(Form->GetHelpFile(), "C:\\Help s\\delphi.hlp") << "the row's file is the window's now";

  // Alt+F1's field is empty: the help system is not asked, and the window
  // has no help file of its own any more.
  THelpStandIn::Data.clear();
  PostKey(EditorWnd(), VK_F1, TShiftState{ssAlt});
  PumpFor(300);
  EXPECT_TRUE(THelpStandIn::Data.empty());
  EXPECT_EQ(Form->GetHelpFile(), "");

  // A document whose extension no row lists leaves the window's file alone.
  PostKey(EditorWnd(), VK_F1, TShiftState{ssCtrl});
  PumpUntil([] { return !THelpStandIn::Data.empty(); }, 3000);
  ASSERT_EQ(Form->GetHelpFile(), "C:\\Help s\\delphi.hlp");
  THelpStandIn::Data.clear();
  Docs().OpenInNewTab(Write("b.txt", "text\r\n"), false);
  PostKey(EditorWnd(), VK_F1, TShiftState{ssCtrl});
  PumpFor(300);
  EXPECT_TRUE(THelpStandIn::Data.empty());
  EXPECT_EQ(Form->GetHelpFile(), "C:\\Help s\\delphi.hlp");
}

}  // namespace
