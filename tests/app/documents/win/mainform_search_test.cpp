// Find, Replace, the hex search, search in all documents and the text
// expansions through the real main window: its shortcuts reach the actions,
// the real dialogs are set from a timer inside their modal loops, the
// replace prompt is answered from a script, and the results list takes a
// real double click.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../../win/MainFormFixture.h"
#include "../../win/ModalWork.h"
#include "app/EditorAppBytes.h"
#include "app/documents/StatusTexts.h"
#include "app/documents/win/FileDlg.h"
#include "app/search/win/FindDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "editor/CustomEdit.h"
#include "hexedit/HexEditor.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxSplit.h"
#include "platform/win/RealInput.h"
#include "platform/win/Timer.h"

TQ_TEST_APPLICATION();

namespace {

class SearchWindow : public MainFormCase {
protected:
  SearchWindow() {
    // The dialogs' stored values go below the case's own key.
    const std::string forms = Key.substr(1) + "\\Forms";
    for (TSearchDialog* d : std::initializer_list<TSearchDialog*>{FindDlg.get(), ReplaceDlg.get(), HexDlg.get()})
      d->GetStorage()->SetIniFileName(forms);
  }

  void OpenWindow() {
    Open();
    Form->UseSearchDialogs(FindDlg.get(), ReplaceDlg.get(), HexDlg.get());
  }
  TktCustomEdit* Edit() { return Docs().CurrentEditor(); }

  void InModal(TForm& form, std::function<void()> work) { Modal.Later(form, std::move(work)); }
  static void Click(TButton* b) { ::SendMessageA(b->GetHandle(), BM_CLICK, 0, 0); }

  std::unique_ptr<TFind> FindDlg = std::make_unique<TFind>(nullptr);
  std::unique_ptr<TReplace> ReplaceDlg = std::make_unique<TReplace>(nullptr);
  std::unique_ptr<THexFind> HexDlg = std::make_unique<THexFind>(nullptr);
  TModalWork Modal;
};

TEST_F(SearchWindow, FindStartsWithTheWordAtTheCaretAndFindNextGoesOnFromTheCaret) {
  OpenWindow();
  Docs().OpenInNewTab(Write("a.txt", "count = 1;\r\nx = count;\r\ny = count + count;\r\n"), false);
  // "cou" of the second line selected, the caret inside the word.
  Edit()->SetCaretXY(TPoint(8, 2));
  Edit()->SetBlockBegin(TPoint(5, 2));
  Edit()->SetBlockEnd(TPoint(8, 2));
  std::string word;
  TPoint begin, end;
  InModal(*FindDlg, [&] {
    word = FindDlg->FindText->GetText();
    begin = Edit()->GetBlockBegin();
    end = Edit()->GetBlockEnd();
    FindDlg->Origin->SetItemIndex(1);  // Entire Scope
    Click(FindDlg->OkButton);
  });
  PostKey(EditorWnd(), 'F', TShiftState{ssCtrl});
  EXPECT_EQ(word, "count");
  EXPECT_EQ(begin, TPoint(5, 2)) << "the selection is as it was while the dialog shows";
  EXPECT_EQ(end, TPoint(8, 2));
  EXPECT_EQ(Edit()->GetBlockBegin(), TPoint(1, 1)) << "Entire Scope starts at the top";

  // Find Next goes on from the caret each time, never from the top again.
  for (const TPoint at : {TPoint(5, 2), TPoint(5, 3), TPoint(13, 3)}) {
    PostKey(EditorWnd(), VK_F3);
    EXPECT_EQ(Edit()->GetBlockBegin(), at);
    EXPECT_EQ(Edit()->GetSelText(), "count");
  }
  PostKey(EditorWnd(), VK_F3);
  EXPECT_EQ(Messages, std::vector<std::string>{"Search string 'count' not found"});
  EXPECT_EQ(Edit()->GetBlockBegin(), TPoint(13, 3)) << "a miss moves nothing";
}

TEST_F(SearchWindow, ReplaceAsksForEachHitAndReplaceAllRefreshesTheWindowOnce) {
  OpenWindow();
  Docs().OpenInNewTab(Write("a.txt", "x x x x x\r\n"), false);
  auto replaceWith = [&](const char* from, const char* to, bool prompt, TButton* button) {
    InModal(*ReplaceDlg, [=, this] {
      ReplaceDlg->FindText->SetText(from);
      ReplaceDlg->ReplaceText->SetText(to);
      ReplaceDlg->Prompt->SetChecked(prompt);
      ReplaceDlg->Origin->SetItemIndex(1);
      Click(button);
    });
    PostKey(EditorWnd(), 'R', TShiftState{ssCtrl});
  };

  // Ok replaces one hit, asked first.
  Answers = {mrYes};
  replaceWith("x", "w", true, ReplaceDlg->OkButton);
  EXPECT_EQ(Edit()->GetLines()->Get(0), "w x x x x");
  EXPECT_EQ(Questions, std::vector<std::string>{"Replace string 'x' with 'w'?"});

  // Replace All asks for each hit: Yes, No, then All, which replaces the
  // rest without asking.
  Questions.clear();
  Answers = {mrYes, mrNo, mrAll};
  replaceWith("x", "y", true, ReplaceDlg->ReplaceAll);
  EXPECT_EQ(Edit()->GetLines()->Get(0), "w y x y y");
  EXPECT_EQ(Questions, std::vector<std::string>(3, "Replace string 'x' with 'y'?"));

  // Cancel stops at once.
  Questions.clear();
  Answers = {mrYes, mrCancel};
  replaceWith("y", "z", true, ReplaceDlg->ReplaceAll);
  EXPECT_EQ(Edit()->GetLines()->Get(0), "w z x y y");
  EXPECT_EQ(Questions.size(), 2u);
  EXPECT_TRUE(Answers.empty());

  // Replace All without the prompt over many lines; the status bar shows
  // the outcome once it is done.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "return a; return b;\r\n";
  Edit()->SetText(text);
  Edit()->SetModified(false);
  Docs().UpdateStatus();
  replaceWith("return", "yield", false, ReplaceDlg->ReplaceAll);
  EXPECT_EQ(Edit()->GetLines()->Get(1999), "yield a; yield b;");
  EXPECT_EQ(Edit()->GetLines()->GetCount(), 2000);
  EXPECT_EQ(Form->GetStatus()->GetPanel(2)->GetText(), LengthPanelText(2000 * 19));
  EXPECT_EQ(Form->GetStatus()->GetPanel(4)->GetText(), "Modified");
  EXPECT_EQ(Form->GetStatus()->GetPanel(0)->GetText(), CaretPanelText(Edit()->GetCaretY(), Edit()->GetCaretX()));

  // After Ctrl+K the key is the second half of the block read: no Replace
  // dialog, and the chord is complete.
  bool shown = false, read = false;
  InModal(*ReplaceDlg, [&] { shown = true; });
  if (!FileDlg) FileDlg = new TFileDlg(Application);
  InModal(*FileDlg, [&] { read = true; });  // the block read's file choice, left unanswered
  SetCtrlKPending(*Edit(), true);
  PostKey(EditorWnd(), 'R', TShiftState{ssCtrl});
  EXPECT_FALSE(shown);
  EXPECT_TRUE(read);
  EXPECT_FALSE(CtrlKPending(*Edit()));
  EXPECT_EQ(Edit()->GetLines()->Get(0), "yield a; yield b;");
}

TEST_F(SearchWindow, HexSearchFromTheWholeDataThenFromTheCaret) {
  OpenWindow();
  Docs().OpenInNewTab(Write("b.bin", std::string("\x0a\x0d\xff abc \x0a\x0d\xff", 11)), false);
  PostKey(EditorWnd(), VK_F2);
  ASSERT_FALSE(Docs().TextViewVisible());
  THexEditor* hex = Docs().CurrentHexEditor();
  HWND hexWnd = Form->HexWindow(Form->GetPageTag(0))->GetHandle();
  hex->Seek(5, 0, false);
  InModal(*HexDlg, [&] {
    HexDlg->FindHex->SetText("0a 0D ff");
    HexDlg->Origin->SetItemIndex(1);
    Click(HexDlg->OkButton);
  });
  PostKey(hexWnd, 'F', TShiftState{ssCtrl});
  EXPECT_EQ(hex->GetCursorPosition(), 0) << "an Entire Scope search finds the bytes at offset 0";
  PostKey(hexWnd, VK_F3);
  EXPECT_EQ(hex->GetCursorPosition(), 8);
  PostKey(hexWnd, VK_F3);
  EXPECT_EQ(hex->GetCursorPosition(), 8) << "a miss moves nothing";
  EXPECT_TRUE(Messages.empty());
}

struct TEditorState {
  TPoint Caret, Begin, End;
  int TopLine;
  bool Modified, CanUndo;
  std::string Text;
  bool operator==(const TEditorState&) const = default;
};
TEditorState StateOf(TktCustomEdit& e) {
  return {e.GetCaretXY(), e.GetBlockBegin(), e.GetBlockEnd(), e.GetTopLine(), e.GetModified(), e.CanUndo(),
          e.GetText()};
}

TEST_F(SearchWindow, SearchInAllDocumentsListsTheHitsAndADoubleClickShowsOne) {
  OpenWindow();
  Docs().OpenInNewTab(Write("a.txt", "alpha\r\nbeta\r\n"), false);
  std::string notesText = "one\r\ntwo\r\nthree\r\nfour\r\nalpha Alpha ALPHA\r\n";
  for (int i = 0; i < 80; ++i) notesText += "filler\r\n";
  const std::string notes = Write("notes (v2) [old].txt", notesText);
  Docs().OpenInNewTab(notes, false);
  Docs().OpenInNewTab(Write("c.txt", "nothing here\r\n"), false);
  // Each editor in a state of its own: selection, view, an edit to undo.
  std::vector<TEditorState> before;
  for (int n = 1; n <= 3; ++n) {
    TktCustomEdit& e = *Docs().Views(n).Edit;
    if (n == 2) {
      e.SetSelText("x");
      e.SetTopLine(3);
    }
    e.SetCaretXY(TPoint(2, 2));
    e.SetBlockBegin(TPoint(1, 1));
    e.SetBlockEnd(TPoint(3, 2));
    before.push_back(StateOf(e));
  }
  Docs().ActivateTab(0);

  std::string caption;
  bool originEnabled = true;
  InModal(*FindDlg, [&] {
    caption = FindDlg->GetCaption();
    originEnabled = FindDlg->Origin->GetEnabled();
    FindDlg->FindText->SetText("alpha");
    Click(FindDlg->OkButton);
  });
  Form->FindAction("aFindFiles")->Execute();
  EXPECT_EQ(caption, "Find in files");
  EXPECT_FALSE(originEnabled);
  EXPECT_EQ(FindDlg->GetCaption(), "Find");

  TFindResultsPane& results = Form->FindResults();
  TListBox* box = results.FindBox;
  ASSERT_EQ(box->GetCount(), 2);
  EXPECT_EQ(box->GetItemText(0), "[1]a.txt (1): alpha");
  EXPECT_EQ(box->GetItemText(1), "[2]notes (v2) [old].txt (5): alpha Alpha ALPHA");
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(StateOf(*Docs().Views(n).Edit) == before[size_t(n - 1)]) << n;
  EXPECT_TRUE(results.PFindResult->GetVisible());
  EXPECT_TRUE(results.Splitter->GetVisible());
  EXPECT_EQ(results.Splitter->GetTop() + results.Splitter->GetHeight(), results.PFindResult->GetTop());
  EXPECT_EQ(Form->GetActivePageIndex(), 0);

  // A real double click on the notes line: its tab, the hit selected, the
  // line at the top.
  auto doubleClick = [&](int item) {
    ASSERT_TRUE(BringToFront(Form->GetHandle()));
    RECT r{};
    ::SendMessageA(results.FindBox->GetHandle(), LB_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r));
    POINT p{r.left + 20, (r.top + r.bottom) / 2};
    ::ClientToScreen(results.FindBox->GetHandle(), &p);
    ClickAt(p.x, p.y, 2);
    PumpFor(100);
  };
  doubleClick(1);
  TktCustomEdit& notesEdit = *Docs().Views(2).Edit;
  EXPECT_EQ(Form->GetActivePageIndex(), 1);
  EXPECT_EQ(Docs().CurrentEditor(), &notesEdit) << "the tab change ran";
  EXPECT_EQ(notesEdit.GetBlockBegin(), TPoint(1, 5));
  EXPECT_EQ(notesEdit.GetSelText(), "alpha");
  EXPECT_EQ(notesEdit.GetTopLine(), 5);

  // Once the text at the hit has changed, the caret goes to the line's start.
  notesEdit.GetLines()->Put(4, "gone alpha");
  Docs().ActivateTab(0);
  doubleClick(1);
  EXPECT_EQ(Docs().CurrentEditor(), &notesEdit);
  EXPECT_FALSE(notesEdit.SelAvail());
  EXPECT_EQ(notesEdit.GetCaretXY(), TPoint(1, 5));

  // A closed document: the line does nothing.
  Answers = {mrNo};
  Docs().FileClose();
  Docs().ActivateTab(0);
  doubleClick(1);
  EXPECT_EQ(Form->GetActivePageIndex(), 0);
  EXPECT_TRUE(Messages.empty());

  auto* hide = static_cast<TMenuItem*>(Form->FindComponent("HideSearchResults1"));
  ASSERT_NE(hide, nullptr);
  EXPECT_EQ(hide->GetParent(), Form->FindComponent("EditMainMenu")) << "in the main menu's Edit menu";
  hide->Click();
  EXPECT_FALSE(results.PFindResult->GetVisible());
  EXPECT_FALSE(results.Splitter->GetVisible());
}

TEST_F(SearchWindow, AltLetterInsertsTheFileTypesExpansionAsOneUndoStep) {
  const int pas = FindFileTypeByExtension("pas");
  ASSERT_GE(pas, 0);
  FileTypes[size_t(pas)].CodeInsight[7] = "begin|end|x";  // Alt+H
  FileTypes[size_t(pas)].CodeInsight[8] = "I9";           // Alt+I
  OpenWindow();
  Docs().OpenInNewTab(Write("a.pas", "z\r\n"), false);
  Edit()->SetModified(false);

  // Real keys once.
  ASSERT_TRUE(BringToFront(Form->GetHandle()));
  ::SetFocus(EditorWnd());
  PumpUntil([&] { return ::GetFocus() == EditorWnd(); }, 2000);
  PressKey('H', {VK_MENU});
  PumpUntil([&] { return Edit()->GetLines()->GetCount() == 2; }, 2000);
  EXPECT_EQ(Edit()->GetText(), "begin\r\nend|xz\r\n") << "the first bar only is a line break";
  Edit()->Undo();
  EXPECT_EQ(Edit()->GetText(), "z\r\n") << "one undo step";

  PostKey(EditorWnd(), 'I', TShiftState{ssAlt});
  EXPECT_EQ(Edit()->GetLines()->Get(0), "I9z");

  // A document whose extension no row lists: nothing.
  Docs().OpenInNewTab(Write("b.unlisted", "z\r\n"), false);
  PostKey(EditorWnd(), 'H', TShiftState{ssAlt});
  EXPECT_EQ(Edit()->GetText(), "z\r\n");
}

}  // namespace
