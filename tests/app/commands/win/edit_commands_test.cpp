// The main window's edit, block, bookmark and roll-up commands in this
// process: keys typed through the message loop reach the actions, the
// hot-key dialog answers real key messages, and roll-ups go to and come
// back from the program key of the case's own.
#include "../../win/MainFormFixture.h"
#include "../../win/ModalWork.h"

#include "app/EditorAppBytes.h"
#include "app/settings/FileTypes.h"
#include "app/documents/Session.h"
#include "app/win/DataWin.h"
#include "app/documents/win/FileDlg.h"
#include "app/tools/win/InputKey.h"
#include "app/tools/win/RollUp.h"
#include "editor/CustomEdit.h"
#include "hexedit/HexEditor.h"
#include "platform/Registry.h"
#include "platform/ShortCuts.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/Dialogs.h"
#include "platform/win/Menus.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WindowCapture.h"

TQ_TEST_APPLICATION();

namespace {

class EditCommands : public MainFormCase {
protected:
  // A window with one new document holding text.
  ~EditCommands() override {
    delete Form;
    Form = nullptr;
    delete DataModule;
  }
  // The data module's key handlers (the Ctrl+K prefix) on every editor.
  TktCustomEdit& Start(const std::string& text) {
    Open();
    DataModule = CreateData(nullptr);
    Form->UseSharedSettings(DataModule, Options);
    Docs().FileNew();
    TktCustomEdit& edit = *Docs().CurrentEditor();
    edit.SetText(text);
    edit.SetCaretXY(TPoint(1, 1));
    return edit;
  }
  void Select(TktCustomEdit& edit, TPoint from, TPoint to) {
    edit.SetCaretXY(to);
    edit.SetBlockBegin(from);
    edit.SetBlockEnd(to);
    Docs().UpdateActions();
  }
  std::vector<std::string> Lines(const TktCustomEdit& edit) const {
    std::vector<std::string> lines;
    for (int i = 1; i <= edit.GetLineCount(); ++i) lines.emplace_back(edit.LineText(i));
    return lines;
  }
  bool Enabled(const char* action) const { return Form->FindAction(action)->GetEnabled(); }
  void Run(const char* action) { Form->FindAction(action)->Execute(); }
  TPopupMenu* Popup(const char* name) const { return dynamic_cast<TPopupMenu*>(Form->FindComponent(name)); }
  std::vector<std::string> Captions(TPopupMenu* menu) const {
    std::vector<std::string> c;
    for (int i = 0; i < menu->GetItems()->GetCount(); ++i) c.push_back(menu->GetItems()->GetItem(i)->GetCaption());
    return c;
  }

  // The hot-key dialog, shown modally by the roll-up command, gets the key
  // and then the OK click from the queue, as a user's would come.
  void MakeRollUp(WORD vk, TShiftState mods) {
    TInputKey* dialog = Form->GetInputKey();
    BYTE saved[256], state[256];
    ::GetKeyboardState(saved);
    std::memcpy(state, saved, sizeof state);
    state[VK_CONTROL] = mods.Contains(ssCtrl) ? 0x80 : 0;
    state[VK_SHIFT] = mods.Contains(ssShift) ? 0x80 : 0;
    state[VK_MENU] = mods.Contains(ssAlt) ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::PostMessageA(dialog->Edit->GetHandle(), mods.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk,
                   1 | LPARAM(::MapVirtualKeyA(vk, 0)) << 16 | (mods.Contains(ssAlt) ? 0x20000000 : 0));
    ::PostMessageA(dialog->OkButton->GetHandle(), BM_CLICK, 0, 0);
    // Refused keys leave the dialog open: Esc then ends it.
    ::PostMessageA(dialog->Edit->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    Run("aBlockSetAsRollUp");
    ::SetKeyboardState(saved);
    Application->ProcessMessages();
  }

  TData* DataModule = nullptr;
};

TEST_F(EditCommands, DuplicateLineIsOneUndoStepAndGoToLineTakesOnlyWholeNumbers) {
  TktCustomEdit& edit = Start("one\r\ntwo\r\nthree");
  edit.SetModified(false);
  edit.SetCaretXY(TPoint(2, 2));
  PostKey(EditorWnd(), 'D', TShiftState{ssCtrl});
  EXPECT_EQ(Lines(edit), (std::vector<std::string>{"one", "two", "two", "three"}));
  EXPECT_TRUE(edit.GetModified());
  PostKey(EditorWnd(), 'Z', TShiftState{ssCtrl});
  EXPECT_EQ(Lines(edit), (std::vector<std::string>{"one", "two", "three"})) << "one undo takes the copy back";

  std::string text;
  for (int i = 1; i <= 100; ++i) text += "line " + std::to_string(i) + "\r\n";
  edit.SetText(text);
  const struct {
    const char* Answer;
    int Line;
  } cases[] = {{" 50 ", 50}, {"abc", 50}, {"1.5", 50}, {"-7", 1}, {"99999999999999", 100}, {"", 100}};
  SetInputQueryFunc([&](const std::string& caption, const std::string& prompt, std::string& value) {
    EXPECT_EQ(caption, "Go to Line");
    EXPECT_EQ(prompt, "Enter Line Number");
    EXPECT_EQ(value, "");
    value = text;
    return true;
  });
  for (const auto& c : cases) {
    text = c.Answer;
    Run("aEditGoToLine");
    EXPECT_EQ(edit.GetCaretY(), c.Line) << c.Answer;
  }
  SetInputQueryFunc(nullptr);
  EXPECT_TRUE(Messages.empty()) << "no answer is an error: " << (Messages.empty() ? "" : Messages[0]);
}

// Alt+letters are the file type's expansions: Alt+X inserts expansion 24
// and leaves the program running; an empty entry touches nothing, not the
// selection and not the modified flag.
TEST_F(EditCommands, AltLettersExpandAndAnEmptyEntryDoesNothing) {
  ClearFileTypes();
  TFileType cpp;
  cpp.Name = "C/C++";
  cpp.Extension1 = "cpp";
  cpp.CodeInsight[23] = "x|y";  // Alt+X
  ::FileTypes.push_back(cpp);
  TktCustomEdit& edit = Start("abc");
  edit.FileName = Dir + "a.cpp";
  edit.SetModified(false);
  Select(edit, TPoint(1, 1), TPoint(3, 1));
  PostKey(EditorWnd(), 'E', TShiftState{ssAlt});
  EXPECT_EQ(Lines(edit), std::vector<std::string>{"abc"});
  EXPECT_FALSE(edit.GetModified());
  EXPECT_EQ(Form->GetStatus()->GetPanel(4)->GetText(), "");

  Select(edit, TPoint(4, 1), TPoint(4, 1));
  PostKey(EditorWnd(), 'X', TShiftState{ssAlt});
  EXPECT_EQ(Lines(edit), (std::vector<std::string>{"abcx", "y"}));
  EXPECT_TRUE(::IsWindowVisible(Form->GetHandle())) << "Alt+X is no exit";
  EXPECT_EQ(Form->GetPageCount(), 1);
  ClearFileTypes();
}

// A double click on the caret panel asks for a line to go to.
TEST_F(EditCommands, DoubleClickOnTheCaretPanelGoesToALine) {
  TktCustomEdit& edit = Start("1\r\n2\r\n3\r\n4");
  int asked = 0;
  SetInputQueryFunc([&](const std::string& caption, const std::string&, std::string& value) {
    ++asked;
    EXPECT_EQ(caption, "Go to Line");
    value = "3";
    return true;
  });
  const HWND status = Form->GetStatus()->GetHandle();
  ::PostMessageA(status, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
  ::PostMessageA(status, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
  ::PostMessageA(status, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 5));
  ::PostMessageA(status, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
  EXPECT_TRUE(PumpUntil([&] { return asked > 0; }));
  SetInputQueryFunc(nullptr);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(edit.GetCaretY(), 3);
  EXPECT_EQ(Form->GetStatus()->GetPanel(0)->GetText(), "  3:  1");
}

// The hex view's edits reach the window as the editor's do: a typed byte
// shows "Modified" and enables Save and Undo, the caret panel follows the
// hex caret, Ctrl+Z takes the byte back and Ctrl+S writes the bytes.
TEST_F(EditCommands, TheHexViewDrivesTheStatusBarAndTheActions) {
  Open();
  const std::string file = Write("a.bin", "abcd");
  ASSERT_TRUE(Docs().OpenInNewTab(file, false));
  PostKey(EditorWnd(), VK_F2);
  ASSERT_FALSE(Docs().TextViewVisible());
  THexEditor* hex = Docs().CurrentHexEditor();
  const HWND wnd = Form->HexWindow(Form->GetPageTag(0))->GetHandle();
  const auto panel = [&](int i) { return Form->GetStatus()->GetPanel(i)->GetText(); };
  PostKey(wnd, VK_RIGHT);  // a nibble at a time in the hex columns
  PostKey(wnd, VK_RIGHT);
  EXPECT_EQ(panel(0), "0x1");
  EXPECT_FALSE(Enabled("aFileSave"));
  PostText(wnd, "41");
  ASSERT_EQ(hex->GetBytes(0, 4), "aAcd");
  EXPECT_TRUE(PumpUntil([&] { return panel(4) == "Modified"; }));
  EXPECT_TRUE(Enabled("aFileSave"));
  EXPECT_TRUE(Enabled("aEditUndo"));
  EXPECT_EQ(panel(0), "0x" + IntToHex(hex->GetCursorPosition(), 1));
  // Each typed digit is an undo step of its own.
  PostKey(wnd, 'Z', TShiftState{ssCtrl});
  EXPECT_EQ(hex->GetBytes(0, 4), "aBcd");
  PostKey(wnd, 'Z', TShiftState{ssCtrl});
  EXPECT_EQ(hex->GetBytes(0, 4), "abcd");
  EXPECT_TRUE(PumpUntil([&] { return !Enabled("aEditUndo"); }));
  EXPECT_EQ(panel(4), "");
  PostText(wnd, "42");
  EXPECT_TRUE(PumpUntil([&] { return Enabled("aFileSave"); }));
  PostKey(wnd, 'S', TShiftState{ssCtrl});
  EXPECT_EQ(Read(file), "aBcd");
  EXPECT_EQ(panel(4), "");
  EXPECT_FALSE(Enabled("aFileSave"));
  EXPECT_TRUE(Questions.empty());
}

TEST_F(EditCommands, BookmarkKeysButtonAndPopUps) {
  TktCustomEdit& edit = Start("");
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "  line number " + std::to_string(i) + " of a rather long text\r\n";
  edit.SetText(text);
  for (int n = 1; n <= 9; ++n) {
    edit.SetCaretXY(TPoint(3, n + 1));
    PostKey(EditorWnd(), WORD('0' + n), TShiftState{ssCtrl, ssShift});
  }
  int x = 0, y = 0;
  for (int n = 1; n <= 9; ++n) EXPECT_TRUE(edit.GetBookMark(n, x, y) && y == n + 1) << n;
  auto* setButton = dynamic_cast<TToolButton*>(Form->FindComponent("SetBookmarkButton"));
  ASSERT_TRUE(setButton);
  edit.SetCaretXY(TPoint(1, 12));
  setButton->Click();
  for (int n = 1; n <= 9; ++n) EXPECT_TRUE(edit.GetBookMark(n, x, y) && y == n + 1) << "all set: " << n;

  PostKey(EditorWnd(), '4', TShiftState{ssCtrl});
  EXPECT_EQ(edit.GetCaretY(), 5);
  TPopupMenu* clear = Popup("PMcb");
  clear->OnPopup(clear);
  ASSERT_EQ(clear->GetItems()->GetCount(), 9);
  EXPECT_EQ(Captions(clear)[4], "Clear Bookmark #5:line number 6 of a rath");
  clear->GetItems()->GetItem(4)->Click();
  EXPECT_FALSE(edit.IsBookMark(5));
  edit.SetCaretXY(TPoint(1, 12));
  setButton->Click();
  EXPECT_TRUE(edit.GetBookMark(5, x, y) && y == 12) << "the lowest free one at the caret";

  TPopupMenu* go = Popup("PMGotobookmark");
  go->OnPopup(go);
  EXPECT_EQ(Captions(go)[0], "Bookmark #1:line number 2 of a rath");
  go->GetItems()->GetItem(2)->Click();
  EXPECT_EQ(edit.GetCaretY(), 4);
  Run("aClearBookmarks");
  for (int n = 1; n <= 9; ++n) EXPECT_FALSE(edit.IsBookMark(n));
  EXPECT_FALSE(Enabled("aClearBookmarks"));
}

TEST_F(EditCommands, CaseOnlyInNormalModeAndSelectionModeKeys) {
  TktCustomEdit& edit = Start("abc Def\r\nxyz");
  Select(edit, TPoint(1, 1), TPoint(8, 1));
  PostKey(EditorWnd(), 'V', TShiftState{ssAlt, ssShift});
  EXPECT_EQ(edit.GetSelectionMode(), smColumn);
  EXPECT_EQ(DefaultSelectionMode(edit), smColumn);
  EXPECT_TRUE(Form->FindAction("aBlockVerticalSelection")->GetChecked());
  Docs().UpdateActions();
  EXPECT_FALSE(Enabled("aBlockUppercase"));
  EXPECT_FALSE(Enabled("aBlockLowerCase"));
  PostKey(EditorWnd(), 'L', TShiftState{ssAlt, ssShift});
  EXPECT_EQ(edit.GetSelectionMode(), smLine);
  PostKey(EditorWnd(), 'N', TShiftState{ssAlt, ssShift});
  EXPECT_EQ(edit.GetSelectionMode(), smNormal);
  EXPECT_FALSE(Form->FindAction("aBlockVerticalSelection")->GetChecked());
  Select(edit, TPoint(1, 1), TPoint(8, 1));
  ASSERT_TRUE(Enabled("aBlockUppercase"));
  Run("aBlockUppercase");
  EXPECT_EQ(Lines(edit)[0], "ABC DEF");
  EXPECT_EQ(edit.GetSelText(), "ABC DEF") << "the changed text stays selected";
  Run("aBlockLowerCase");
  EXPECT_EQ(Lines(edit)[0], "abc def");
}

TEST_F(EditCommands, CtrlKThenCtrlCCopiesTheBlockInTheTextUnlessAClickCameBetween) {
  TktCustomEdit& edit = Start("abc def");
  Select(edit, TPoint(1, 1), TPoint(4, 1));
  PostKey(EditorWnd(), 'K', TShiftState{ssCtrl});
  ASSERT_TRUE(CtrlKPending(edit));
  PostKey(EditorWnd(), 'C', TShiftState{ssCtrl});
  EXPECT_EQ(Lines(edit)[0], "abcabc def");
  EXPECT_EQ(edit.GetBlockBegin(), TPoint(4, 1));
  EXPECT_EQ(edit.GetBlockEnd(), TPoint(7, 1));
  EXPECT_FALSE(CtrlKPending(edit));

  PostKey(EditorWnd(), 'K', TShiftState{ssCtrl});
  ASSERT_TRUE(CtrlKPending(edit));
  ::PostMessageA(EditorWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
  ::PostMessageA(EditorWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
  Application->ProcessMessages();
  EXPECT_FALSE(CtrlKPending(edit)) << "the click ends the chord";
  Select(edit, TPoint(8, 1), TPoint(11, 1));
  PostKey(EditorWnd(), 'C', TShiftState{ssCtrl});
  EXPECT_EQ(Lines(edit)[0], "abcabc def") << "a plain copy";
  EXPECT_EQ(Clipboard().GetAsText(), "def");
}

TEST_F(EditCommands, StatisticsOpenAReportOrSayTheValuesAreWrong) {
  TktCustomEdit& edit = Start("1 2 3");
  Select(edit, TPoint(1, 1), TPoint(6, 1));
  PostKey(EditorWnd(), 'S', TShiftState{ssCtrl, ssAlt, ssShift});
  ASSERT_EQ(Form->GetPageCount(), 2);
  const std::vector<std::string> report = Lines(*Docs().CurrentEditor());
  ASSERT_GE(report.size(), 17u);
  EXPECT_EQ(report[0], "Volume                        = 3");
  EXPECT_EQ(report[1], "Sum                           = 6");
  EXPECT_EQ(report[5], "Average Value                 = 2");
  EXPECT_EQ(report[16], "Sample variance (n-1 unbiased)= 1");

  Docs().ActivateTab(0);
  edit.SetText("1 x% 2");
  Select(edit, TPoint(1, 1), TPoint(7, 1));
  Run("aBlockStatistic");
  EXPECT_EQ(Form->GetPageCount(), 2) << "no report";
  EXPECT_EQ(Messages, std::vector<std::string>{"Error in values"});
}

TEST_F(EditCommands, BlockFilesReadAndWriteRealFilesAndASelectionOpensInANewTab) {
  TktCustomEdit& edit = Start("head");
  const std::string source = Write("source.txt", std::string("a\nb\0c\r\n", 7));
  std::string chosen = source;
  SetFileDialogFunc([&](TOpenDialog& dialog) {
    dialog.SetFileName(chosen);
    return true;
  });
  // Blocks are read through the program's own open dialog: answered from
  // inside its modal loop with the chosen name.
  if (!FileDlg) FileDlg = new TFileDlg(Application);
  TModalWork modal;
  modal.Later(*FileDlg, [&] {
    // Typing a full name moves the tree to its folder and selects the file,
    // which the dialog's OK takes as the chosen one.
    FileDlg->FileName->SetText(chosen);
    FileDlg->TypedName(chosen);
    PumpUntil([] { return FileDlg->Files->GetSelCount() > 0; }, 5000);
    FileDlg->SetModalResult(mrOk);
  });
  edit.SetCaretXY(TPoint(5, 1));
  Run("aBlockReadFromFile");
  EXPECT_EQ(Lines(edit), (std::vector<std::string>{"head", "a", std::string("b\0c", 3)}));

  const std::string target = Write("target.txt", "old and longer content");
  chosen = target;
  Select(edit, TPoint(1, 1), TPoint(2, 2));
  PostKey(EditorWnd(), 'K', TShiftState{ssCtrl});
  PostKey(EditorWnd(), 'W', TShiftState{ssCtrl});
  {
    TFileStream in(target, fmOpenRead);
    std::string bytes(size_t(in.GetSize()), '\0');
    in.ReadBuffer(bytes.data(), in.GetSize());
    EXPECT_EQ(bytes, "head\r\na");
  }
  // A folder cannot be written: the failure is told, the file stays.
  chosen = ExcludeTrailingPathDelimiter(Dir);
  Run("aBlockWriteToFile");
  EXPECT_EQ(Messages.size(), 1u);
  SetFileDialogFunc(nullptr);

  Run("aBlockOpenInNewWindow");
  ASSERT_EQ(Form->GetPageCount(), 2);
  EXPECT_EQ(Lines(*Docs().CurrentEditor()), (std::vector<std::string>{"head", "a"}));
  EXPECT_EQ(Docs().CurrentEditor()->GetHighLighter(), edit.GetHighLighter());
  EXPECT_TRUE(Docs().CurrentEditor()->FileName.empty());
}

TEST_F(EditCommands, TheHotKeyDialogShowsKeysRefusesReservedOnesAndModifiersAlone) {
  Open();
  TInputKey* dialog = Form->GetInputKey();
  dialog->Clear();
  dialog->Show();
  HWND edit = dialog->Edit->GetHandle();
  PostKey(edit, VK_F7, TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(dialog->Edit->GetText(), "Ctrl+Shift+F7");
  PostKey(edit, 'S', TShiftState{ssCtrl});
  EXPECT_EQ(dialog->Edit->GetText(), "Reserved!");
  dialog->OkButton->Click();
  EXPECT_EQ(dialog->GetModalResult(), mrNone) << "no hot key while Reserved! shows";
  PostKey(dialog->OkButton->GetHandle(), VK_SHIFT, TShiftState{ssShift});
  EXPECT_EQ(dialog->Edit->GetText(), "Shift+");
  dialog->OkButton->Click();
  EXPECT_EQ(dialog->GetModalResult(), mrNone) << "Shift alone is no hot key";
  PostKey(edit, VK_NEXT, TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(dialog->Edit->GetText(), "Ctrl+Shift+PageDown");
  dialog->OkButton->Click();
  EXPECT_EQ(dialog->GetModalResult(), mrOk);
  EXPECT_EQ(dialog->GetShortCut(), TextToShortCut("Ctrl+Shift+PageDown"));
  dialog->Clear();
  PostKey(edit, VK_ESCAPE);
  EXPECT_EQ(dialog->GetModalResult(), mrCancel);
  dialog->Hide();
}

TEST_F(EditCommands, RollUpsInsertIntoTheActiveDocumentGoOneByOneAndComeBack) {
  TktCustomEdit& first = Start("one\r\ntwo\r\nthree");
  Select(first, TPoint(1, 1), TPoint(4, 2));
  MakeRollUp(VK_F7, TShiftState{ssCtrl, ssShift});
  TRollUp* r0 = Form->FindRollUp(0);
  ASSERT_TRUE(r0);
  EXPECT_EQ(r0->GetHotKeyText(), "Ctrl+Shift+F7");
  EXPECT_EQ(dynamic_cast<TCustomAction*>(Form->FindComponent("i0"))->GetShortCut(), TextToShortCut("Ctrl+Shift+F7"));
  Select(first, TPoint(1, 3), TPoint(6, 3));
  MakeRollUp(VK_MULTIPLY, TShiftState{ssCtrl, ssAlt});
  ASSERT_TRUE(Form->FindRollUp(1));
  EXPECT_EQ(Form->FindRollUp(1)->GetHotKeyText(), "Ctrl+Alt+Multyply");
  // The same key again is taken: no third roll-up.
  Select(first, TPoint(1, 1), TPoint(2, 1));
  MakeRollUp(VK_F7, TShiftState{ssCtrl, ssShift});
  EXPECT_FALSE(Form->FindRollUp(2));

  Docs().FileNew();
  PostKey(EditorWnd(), VK_F7, TShiftState{ssCtrl, ssShift});
  TktCustomEdit& second = *Docs().CurrentEditor();
  EXPECT_EQ(Lines(second), (std::vector<std::string>{"one", "two"})) << "no line break after the last line";
  second.SetText("");
  ::PostMessageA(Form->FindRollUp(1)->Memo->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  Application->ProcessMessages();
  EXPECT_EQ(Lines(second), std::vector<std::string>{"three"}) << "a double click inserts too";

  // Releasing the first roll-up takes its own action only.
  WriteRollUps({{"Ctrl+Shift+F7", "stale"}});
  TActionList* list = dynamic_cast<TActionList*>(Form->FindComponent("ActionList"));
  const int actions = list->GetActionCount();
  dynamic_cast<TRollUp*>(r0)->SpeedButton1->Click();
  EXPECT_FALSE(Form->FindComponent("i0"));
  EXPECT_TRUE(Form->FindComponent("i1"));
  EXPECT_EQ(list->GetActionCount(), actions - 1);
  EXPECT_TRUE(PumpUntil([&] { return Form->FindRollUp(0) == nullptr; }));
  for (const TRollUpRecord& r : ReadRollUps()) EXPECT_NE(r.HotKey, "Ctrl+Shift+F7") << "its value went";

  // Shutdown writes what is left; a new window brings it back with its key,
  // and a name that is no key brings its snippet back without one.
  Answers = {mrNo, mrNo};
  Form->Close();
  delete Form;
  Form = nullptr;
  std::vector<TRollUpRecord> stored = ReadRollUps();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].HotKey, "Ctrl+Alt+Multyply");
  EXPECT_EQ(stored[0].Text, "three\r\n");
  WriteRollUps({{"No such key", "text"}});
  Open();
  ASSERT_TRUE(Form->FindRollUp(0));
  ASSERT_TRUE(Form->FindRollUp(1));
  EXPECT_EQ(dynamic_cast<TCustomAction*>(Form->FindComponent("i0"))->GetShortCut(),
            TextToShortCut("Ctrl+Alt+Multyply"));
  EXPECT_EQ(dynamic_cast<TCustomAction*>(Form->FindComponent("i1"))->GetShortCut(), scNone);
  EXPECT_EQ(Form->FindRollUp(1)->GetSnippet(), "text\r\n");
}

}  // namespace

namespace {

// A new roll-up is 80 by 40 pixels: its editor shows the scroll bars its
// snippet needs there, and none for a snippet that fits.
TEST(RollUpWindow, ShowsOnlyTheScrollBarsItsSnippetNeeds) {
  struct TCase {
    const char* Snippet;
    bool Vertical, Horizontal;
  } cases[] = {
      {"ab", false, false},
      {"a\r\nb\r\nc\r\nd\r\ne\r\nf", true, false},
      {"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\nthe longest line of all, far wider than the window", true, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Snippet);
    TRollUp rollUp(nullptr, 0, nullptr);
    rollUp.Memo->GetEdit()->SetText(c.Snippet);
    rollUp.SetBounds(100, 100, 80, 40);
    rollUp.Show();
    const auto bars = [&] {
      const LONG style = ::GetWindowLongA(rollUp.Memo->GetHandle(), GWL_STYLE);
      return std::make_pair((style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0);
    };
    const auto wanted = std::make_pair(c.Vertical, c.Horizontal);
    EXPECT_TRUE(PumpUntil([&] { return bars() == wanted; }, 2000))
        << "vertical " << bars().first << ", horizontal " << bars().second;
    if (c.Vertical && c.Horizontal) SaveWindowCapture(rollUp.GetHandle(), "rollup_scroll_bars");
    rollUp.Hide();
  }
}

}  // namespace
