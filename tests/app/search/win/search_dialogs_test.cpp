// The find, replace and hex-find dialogs as real modal windows: buttons and
// keys give their results, accepted entries join the histories, the hex
// find's two boxes follow each other under real typing, and the stored
// values come back in new forms (the find and the hex find share theirs).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/search/win/FindDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "app/search/win/SearchHost.h"
#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/win/RealInput.h"
#include "platform/win/WinTestSupport.h"
#include "app/win/ModalWork.h"

TQ_TEST_APPLICATION();

namespace {

class SearchDialogs : public ::testing::Test {
protected:
  SearchDialogs() { TRegistry().DeleteKey("\\" + Key); }
  ~SearchDialogs() override { TRegistry().DeleteKey("\\" + Key); }

  template <class T> std::unique_ptr<T> Make() {
    auto form = std::make_unique<T>(nullptr);
    form->GetStorage()->SetIniFileName(Key);
    return form;
  }

  // Shows the dialog modally with work run inside its loop.
  static TModalResult RunModal(TForm& form, const std::function<void()>& work) {
    return RunInModal(form, work, [&] { return form.ShowModal(); });
  }

  // Runs work inside the next modal loop of form (once it is up).
  void RunLaterInModal(TForm& form, std::function<void()> work) { Modal.Later(form, std::move(work)); }
  TModalWork Modal;

  // Real keys go where the focus is: into box's edit, once it is there.
  static void FocusBox(TComboBox* box) {
    box->SetFocus();
    PumpUntil([&] { return ::GetFocus() == box->GetEditHandle(); }, 2000);
  }

  static void Click(TButton* b) { ::SendMessageA(b->GetHandle(), BM_CLICK, 0, 0); }
  // A combo box's text as the user leaves it (typing is tested apart).
  static void SetBoxText(TComboBox* box, const char* text) { box->SetText(text); }
  static std::string Item(TComboBox* box, int i) { return box->GetItems()->Get(i); }

  std::string Key = std::string("Software\\Tarnquill\\Test\\searchdialogs\\") +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(SearchDialogs, FindResultsAndHistoryByButtonsAndKeys) {
  auto find = Make<TFind>();
  EXPECT_EQ(find->GetCaption(), "Find");
  EXPECT_EQ(RunModal(*find, [&] {
              PumpUntil([&] { return ::GetFocus() == find->FindText->GetEditHandle(); }, 2000);
              EXPECT_EQ(::GetFocus(), find->FindText->GetEditHandle()) << "the text box has the focus";
              SetBoxText(find->FindText, "alpha");
              Click(find->OkButton);
            }),
            mrOk);
  EXPECT_EQ(Item(find->FindText, 0), "alpha");
  EXPECT_EQ(find->FindText->GetItems()->GetCount(), 10);

  EXPECT_EQ(RunModal(*find, [&] { SetBoxText(find->FindText, "beta"); Click(find->CancelButton); }), mrCancel);
  EXPECT_EQ(Item(find->FindText, 0), "alpha") << "a cancelled entry is no history";

  // Real keys: Enter accepts, Esc cancels.
  EXPECT_EQ(RunModal(*find, [&] {
              SetBoxText(find->FindText, "");
              FocusBox(find->FindText);
              TypeText("gamma");
              PressKey(VK_RETURN);
            }),
            mrOk);
  EXPECT_EQ(Item(find->FindText, 0), "gamma");
  EXPECT_EQ(Item(find->FindText, 1), "alpha");
  EXPECT_EQ(RunModal(*find, [&] { FocusBox(find->FindText); PressKey(VK_ESCAPE); }), mrCancel);

  find->Wholewords->SetChecked(true);
  find->Origin->SetItemIndex(1);
  find->Direction->SetItemIndex(1);
  const TSearchDialogValues v = find->Values();
  EXPECT_EQ(v.FindText, "gamma");
  EXPECT_TRUE(v.WholeWords);
  EXPECT_EQ(v.Origin, 1);
  EXPECT_EQ(v.Direction, 1);

  find->SetFindInFiles(true);
  EXPECT_EQ(find->GetCaption(), "Find in files");
  EXPECT_FALSE(find->Scope->GetEnabled() || find->Direction->GetEnabled() || find->Origin->GetEnabled());
  find->SetFindInFiles(false);
  EXPECT_EQ(find->GetCaption(), "Find");
  EXPECT_TRUE(find->Scope->GetEnabled() && find->Direction->GetEnabled() && find->Origin->GetEnabled());
}

TEST_F(SearchDialogs, ReplaceGivesOkReplaceAllOrCancel) {
  auto replace = Make<TReplace>();
  EXPECT_TRUE(replace->Prompt->GetChecked());
  replace->FindText->SetText("old");
  EXPECT_EQ(RunModal(*replace, [&] {
              // On show the focus goes to the text, all of it selected, so
              // typing replaces it.
              PumpUntil([&] { return ::GetFocus() == replace->FindText->GetEditHandle(); }, 2000);
              TypeText("from");
              SetBoxText(replace->ReplaceText, "to");
              Click(replace->ReplaceAll);
            }),
            mrReplaceAll);
  EXPECT_EQ(Item(replace->FindText, 0), "from");
  EXPECT_EQ(Item(replace->ReplaceText, 0), "to");
  // Enter after a Replace All is an Ok again.
  EXPECT_EQ(RunModal(*replace, [&] { FocusBox(replace->ReplaceText); PressKey(VK_RETURN); }), mrOk);
  EXPECT_EQ(RunModal(*replace, [&] { Click(replace->OkButton); }), mrOk);
  EXPECT_EQ(RunModal(*replace, [&] { FocusBox(replace->FindText); PressKey(VK_ESCAPE); }), mrCancel);
  replace->Prompt->SetChecked(false);
  const TSearchDialogValues v = replace->Values();
  EXPECT_EQ(v.FindText, "from");
  EXPECT_EQ(v.ReplaceText, "to");
  EXPECT_FALSE(v.Prompt);
}

TEST_F(SearchDialogs, HexFindBoxesFollowEachOtherUnderRealTyping) {
  auto hex = Make<THexFind>();
  EXPECT_EQ(hex->GetCaption(), "Binary Search");
  // Real keys may take a moment through the X server: wait for each effect.
  auto shows = [](TControl* c, const std::string& text) {
    PumpUntil([&] { return c->GetText() == text; }, 2000);
    return c->GetText();
  };
  RunModal(*hex, [&] {
    hex->FindHex->SetFocus();
    PumpUntil([&] { return hex->FindHex->Focused(); }, 2000);
    TypeText("4142");
    EXPECT_EQ(shows(hex->FindHex, "41 42 "), "41 42 ");
    EXPECT_EQ(shows(hex->FindText, "AB"), "AB");
    TypeText("G");  // not a digit: dropped at once
    PumpFor(100);
    EXPECT_EQ(hex->FindHex->GetText(), "41 42 ");
    EXPECT_EQ(hex->FindHex->GetSelStart(), 6);

    hex->FindHex->SetText("");
    TypeText("4");
    EXPECT_EQ(shows(hex->FindText, "\x04"), "\x04");

    SetBoxText(hex->FindText, "");
    FocusBox(hex->FindText);
    TypeText("AB");
    EXPECT_EQ(shows(hex->FindHex, "41 42"), "41 42");
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(hex->GetModalResult(), mrOk);
  EXPECT_EQ(Item(hex->FindText, 0), "AB");
}

TEST_F(SearchDialogs, StoredValuesComeBackAndFindSharesThemWithTheHexFind) {
  {
    auto find = Make<TFind>();
    auto replace = Make<TReplace>();
    RunModal(*find, [&] {
      find->CaseSensitive->SetChecked(true);
      find->Origin->SetItemIndex(1);
      SetBoxText(find->FindText, "kept");
      Click(find->OkButton);
    });
    RunModal(*replace, [&] {
      replace->Prompt->SetChecked(false);
      SetBoxText(replace->FindText, "r1");
      SetBoxText(replace->ReplaceText, "r2");
      Click(replace->OkButton);
    });
  }
  auto hex = Make<THexFind>();
  RunModal(*hex, [&] { PressKey(VK_ESCAPE); });
  EXPECT_TRUE(hex->CaseSensitive->GetChecked());
  EXPECT_EQ(hex->Origin->GetItemIndex(), 1);
  EXPECT_EQ(Item(hex->FindText, 0), "kept");

  auto replace = Make<TReplace>();
  RunModal(*replace, [&] { PressKey(VK_ESCAPE); });
  EXPECT_FALSE(replace->Prompt->GetChecked());
  EXPECT_EQ(Item(replace->FindText, 0), "r1");
  EXPECT_EQ(Item(replace->ReplaceText, 0), "r2");
  EXPECT_EQ(replace->ReplaceText->GetText(), "r2");
}

// The main window's side of the commands, with one editor.
class TOneEditorHost : public TSearchDialogHost {
public:
  using TSearchDialogHost::TSearchDialogHost;
  TktCustomEdit* Edit = nullptr;
  std::vector<std::string> Messages;
  TktCustomEdit* TextEditor() override { return Edit; }
  THexEditor* HexEditor() override { return nullptr; }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  bool BlockPrefixPending() override { return false; }
  void ReadBlock() override {}
  std::vector<TSearchDocument> SearchDocuments() override { return {{0, "a.txt", Edit->GetLines()}}; }
  void ShowResults(const std::vector<TFindResult>& r, const std::string&) override { Results = r; }
  std::vector<TFindResult> Results;
};

TEST_F(SearchDialogs, FindThenFindNextThroughTheRealDialogs) {
  auto find = Make<TFind>();
  auto replace = Make<TReplace>();
  auto hexFind = Make<THexFind>();
  TktRecordingEditHost editHost;
  TktCustomEdit edit(nullptr);
  edit.SetHost(&editHost);
  edit.SetText("count = 1;\r\nx = count;\r\n");
  edit.SetCaretXY(TPoint(6, 2));  // inside the second "count"
  TOneEditorHost host(*find, *replace, *hexFind);
  host.Edit = &edit;
  TSearchRunner runner(host);

  std::string shownWord;
  RunLaterInModal(*find, [&] {
    shownWord = find->FindText->GetText();
    find->Origin->SetItemIndex(1);  // Entire Scope
    Click(find->OkButton);
  });
  runner.Find();
  EXPECT_EQ(shownWord, "count");
  EXPECT_EQ(edit.GetBlockBegin(), TPoint(1, 1));
  // Find Next goes on from the caret, not from the top again.
  runner.FindNext();
  EXPECT_EQ(edit.GetBlockBegin(), TPoint(5, 2));
  runner.FindNext();
  EXPECT_EQ(host.Messages, std::vector<std::string>{"Search string 'count' not found"});

  // Search in all documents: the dialog says so while it shows, and is
  // itself again afterwards.
  std::string caption;
  RunLaterInModal(*find, [&] {
    caption = find->GetCaption();
    Click(find->OkButton);
  });
  runner.FindInAllDocuments();
  EXPECT_EQ(caption, "Find in files");
  EXPECT_EQ(find->GetCaption(), "Find");
  EXPECT_TRUE(find->Origin->GetEnabled());
  EXPECT_EQ(host.Results.size(), 2u);

  // Replace All without prompt.
  RunLaterInModal(*replace, [&] {
    replace->FindText->SetText("count");
    replace->ReplaceText->SetText("n");
    replace->Prompt->SetChecked(false);
    replace->Origin->SetItemIndex(1);
    Click(replace->ReplaceAll);
  });
  runner.Replace();
  EXPECT_EQ(edit.GetText(), "n = 1;\r\nx = n;\r\n");
}

}  // namespace
