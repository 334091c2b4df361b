// TMainForm in this process: the instance check and a handed-over file,
// files dropped on the tabs, the tab-hop and view keys reaching the actions
// before the editor, the shutdown's questions, the session written and read
// back, the one-tab strip and a screenshot of three documents.
#include <gtest/gtest.h>

#include "../../win/MainFormFixture.h"
#include "platform/win/Screenshot.h"
#include "app/documents/Session.h"
#include "app/documents/win/HandOver.h"
#include "hexedit/HexEditor.h"

#include <shlobj.h>

TQ_TEST_APPLICATION();

namespace {

using MainForm = MainFormCase;

TEST_F(MainForm, AnswersTheInstanceCheckAndOpensAHandedOverFile) {
  Open();
  EXPECT_EQ(::SendMessageA(Form->GetHandle(), InstanceCheckMessage(), 0, 0), kInstanceAnswer);
  EXPECT_TRUE(IsPreviousInstanceWindow(Form->GetHandle()));
  const std::string a = Write("a b.pas", "begin end.\r\n");
  ATOM atom = ::GlobalAddAtomA(a.c_str());
  ::SendMessageA(Form->GetHandle(), kHandOverFileMessage, atom, 0);
  ::GlobalDeleteAtom(atom);
  EXPECT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::string>{"a b.pas"}; }));
  EXPECT_EQ(Form->GetStatus()->GetPanel(1)->GetText(), "Delphi");

  // One that cannot be read leaves no tab behind and keeps the user's tab.
  const std::string missing = Dir + "missing.txt";
  atom = ::GlobalAddAtomA(missing.c_str());
  ::SendMessageA(Form->GetHandle(), kHandOverFileMessage, atom, 0);
  ::GlobalDeleteAtom(atom);
  EXPECT_TRUE(PumpUntil([&] { return !Messages.empty(); }));
  EXPECT_EQ(Captions(), std::vector<std::string>{"a b.pas"});
  EXPECT_EQ(Messages, std::vector<std::string>{"File " + missing + " could not be opened."});
  EXPECT_EQ(Docs().CurrentEditor()->FileName, a);
}

// A second start's file and its restore request arriving inside the save
// question of a Close: the answer saves and closes the document asked
// about, and the handed-over file opens afterwards.
TEST_F(MainForm, AHandOverInsideTheSaveQuestionWaitsForTheAnswer) {
  Open();
  const std::string a = Write("a.txt", "old a\r\n"), b = Write("b.txt", "old b\r\n");
  ASSERT_TRUE(Docs().OpenInNewTab(a, false));
  Docs().CurrentEditor()->SetSelText("new ");
  Application->SetMessageDlgFunc([&](const std::string& text, TMsgDlgType, TMsgDlgButtons) {
    Questions.push_back(text);
    const ATOM atom = ::GlobalAddAtomA(b.c_str());
    ::SendMessageA(Form->GetHandle(), kHandOverFileMessage, atom, 0);
    ::GlobalDeleteAtom(atom);
    ::PostMessageA(Form->GetHandle(), kRestoreInstanceMessage, 0, 0);
    Application->ProcessMessages();  // the question's own message loop
    EXPECT_EQ(Captions(), std::vector<std::string>{"a.txt"});
    return int(mrYes);
  });
  Form->FindAction("aFileClose")->Execute();
  EXPECT_EQ(Questions, std::vector<std::string>{"Do you want to save this file?"});
  EXPECT_EQ(Read(a), "new old a\r\n");
  EXPECT_EQ(Read(b), "old b\r\n");
  EXPECT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::string>{"b.txt"}; }));
  EXPECT_EQ(Docs().CurrentEditor()->FileName, b);
}

// An HDROP as the shell makes it: the names, each NUL-ended, then one more NUL.
HDROP MakeDrop(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += n + '\0';
  list += '\0';
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(mem));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

TEST_F(MainForm, DroppedFilesOpenWholeNamesInTabsOfTheirOwn) {
  Open();
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.pas", "b\r\n");
  // A name longer than the old 261-character buffer reaches the load whole
  // (no file can have it, so the load's message shows what arrived).
  const std::string longName = Dir + std::string(300, 'x') + ".txt";
  ::SendMessageA(Form->GetPageControl()->GetHandle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({a, longName, b})), 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a.txt", "b.pas"}));
  EXPECT_EQ(Docs().CurrentEditor()->FileName, b);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find(longName), std::string::npos) << Messages[0];
}

TEST_F(MainForm, TabAndViewKeysReachTheActionsBeforeTheEditor) {
  Open();
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) Docs().OpenInNewTab(Write(name, name), false);
  PostKey(EditorWnd(), VK_F6);
  EXPECT_EQ(Form->GetActivePageIndex(), 0);
  EXPECT_EQ(Docs().CurrentEditor()->FileName, Dir + "a.txt");
  PostKey(EditorWnd(), VK_F6, TShiftState{ssCtrl});
  EXPECT_EQ(Form->GetActivePageIndex(), 2);
  PostKey(EditorWnd(), '2', TShiftState{ssAlt});
  EXPECT_EQ(Form->GetActivePageIndex(), 1);
  EXPECT_EQ(Docs().CurrentEditor()->FileName, Dir + "b.txt");
  PostKey(EditorWnd(), VK_F6, TShiftState{ssShift});
  EXPECT_EQ(Form->GetActivePageIndex(), 0);
  // Keys of commands not built yet still reach the editor (Ctrl+C has no
  // action handler), and typing goes on.
  PostText(EditorWnd(), "xy");
  EXPECT_EQ(Docs().CurrentEditor()->GetLines()->Get(0), "xya.txt");
  EXPECT_EQ(Form->GetStatus()->GetPanel(4)->GetText(), "Modified");
  // F2 asks, then shows the file on disk in the hex view.
  Answers = {mrNo};
  PostKey(EditorWnd(), VK_F2);
  EXPECT_EQ(Questions, std::vector<std::string>{"File was changed. Save?"});
  EXPECT_FALSE(Docs().TextViewVisible());
  EXPECT_TRUE(Form->HexWindow(1)->GetVisible());
  EXPECT_FALSE(Form->EditWindow(1)->GetVisible());
  EXPECT_EQ(Form->GetStatus()->GetPanel(1)->GetText(), "Binary");
  EXPECT_EQ(Form->GetCaption(), "Tarnquill");
  Docs().CurrentEditor()->SetModified(false);
}

TEST_F(MainForm, ShutdownAsksPerDocumentAndTheSessionComesBack) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
  reg.WriteString("SaveReloadSession_Checked", "True");
  Open();
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.pas", "b\r\n");
  Docs().FileNew();
  PostText(EditorWnd(), "n");
  Docs().OpenInNewTab(a, false);
  Docs().OpenInNewTab(b, false);
  Answers = {mrCancel};
  EXPECT_FALSE(Form->CloseQuery());
  EXPECT_EQ(Form->GetPageCount(), 3);
  Answers = {mrNo};
  EXPECT_TRUE(Form->CloseQuery());
  EXPECT_EQ(Form->GetPageCount(), 0);
  EXPECT_EQ(Questions, std::vector<std::string>(2, "Do you want to save this file?"));
  delete Form;
  Form = nullptr;

  // The next start: both named files, in order; the unnamed one is no tab.
  FileDelete(a);
  Write("a.txt", "again\r\n");
  Open();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a.txt", "b.pas"}));
  // A file named on the command line replaces the session.
  delete Form;
  Form = nullptr;
  Open({"b.pas"});
  EXPECT_EQ(Captions(), std::vector<std::string>{"b.pas"});
}

TEST_F(MainForm, OneTabWithHiddenTabsLeavesAOnePixelStrip) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
  reg.WriteString("HideTabs_Checked", "True");
  Open();
  Docs().OpenInNewTab(Write("a.pas", "begin end.\r\n"), false);
  EXPECT_EQ(Form->GetPageControl()->GetTabHeight(), 1);
  ::UpdateWindow(Form->GetHandle());
  Application->ProcessMessages();
  SaveBitmap(*Capture(Form->GetHandle()), "mainform_hidden_tabs.bmp");
  Docs().FileNew();
  EXPECT_EQ(Form->GetPageControl()->GetTabHeight(), 0);
}

int CountPixels(const TBitmap& bmp, TColor colour) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Pixel(x, y) == colour;
  return n;
}

TEST_F(MainForm, ThreeDocumentsInTheirViewsWithTheStatusBar) {
  Open();
  Docs().OpenInNewTab(Write("unit1.pas", "unit Unit1;\r\ninterface\r\nbegin end.\r\n"), false);
  Docs().OpenInNewTab(Write("notes.txt", "plain text\r\n"), false);
  Docs().OpenInNewTab(Write("data.bin", std::string("\x01\x02hex view\xff", 11)), false);
  Docs().ViewTextBinary();
  ASSERT_FALSE(Docs().TextViewVisible());
  EXPECT_EQ(Captions(), (std::vector<std::string>{"unit1.pas", "notes.txt", "data.bin"}));
  EXPECT_EQ(Form->GetStatus()->GetPanel(0)->GetText(), "0x0");
  ::UpdateWindow(Form->GetHandle());
  Application->ProcessMessages();
  SaveBitmap(*Capture(Form->GetHandle()), "mainform_hex_tab.bmp");
  // The Pascal tab shows its reserved words in the highlighter's green.
  PostKey(Form->HexWindow(3)->GetHandle(), VK_F6, TShiftState{ssShift});
  ASSERT_EQ(Form->GetActivePageIndex(), 0);
  EXPECT_EQ(Form->GetStatus()->GetPanel(1)->GetText(), "Delphi");
  ::UpdateWindow(Form->GetHandle());
  Application->ProcessMessages();
  const auto shot = Capture(Form->GetHandle());
  SaveBitmap(*shot, "mainform_pascal_tab.bmp");
  EXPECT_GT(CountPixels(*shot, clGreen), 20);
}

}  // namespace
