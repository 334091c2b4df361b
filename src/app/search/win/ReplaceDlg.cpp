// The "Replace" dialog.
#include "app/search/win/ReplaceDlg.h"

#include "app/search/SearchDialogs.h"
#include "platform/win/FormBuilder.h"

TReplace::TReplace(TComponent* owner) : TSearchDialog(owner, "Replace", "Replace", "ReplaceDialog") {
  SetBounds(0, 0, 356, 330);
  FindText = MakeHistoryBox("FindText", "Text to Find:", 8);
  ReplaceText = MakeHistoryBox("ReplaceText", "Replace With:", 50);
  MakeOptions(92);
  Prompt = MakeCheck("Prompt", "Prompt on Replace", 10, 112);
  Prompt->SetChecked(true);
  // The buttons stand in the right-hand column, between its left edge and
  // the text boxes' right one; Cancel ends level with the Origin box.
  OkButton = MakeButton("OkButton", "Ok", 180, 210, mrNone);
  OkButton->SetDefault(true);
  OkButton->OnClick = [this](TObject* sender) {
    FAcceptResult = mrOk;
    OkButtonClick(sender);
  };
  ReplaceAll = MakeButton("ReplaceAll", "Replace All", 262, 210, mrNone);
  ReplaceAll->OnClick = Bind(this, &TReplace::ReplaceAllClick);
  CancelButton = MakeButton("CancelButton", "Cancel", 262, 241, mrCancel);
  CancelButton->SetCancel(true);
  OnShow = Bind(this, &TReplace::FormShow);

  for (const char* e : {"FindText.Items", "ReplaceText.Items", "ReplaceText.Text", "CaseSensitive.Checked",
                        "Wholewords.Checked", "Prompt.Checked", "Scope.ItemIndex", "Direction.ItemIndex",
                        "Origin.ItemIndex"})
    Store(e);
  StorageReady();
}

void TReplace::FormShow(TObject*) {
  // Enter from the text boxes is an Ok, whatever was pressed last time.
  FAcceptResult = mrOk;
  FindText->SetSelStart(0);
  FindText->SetSelLength(int(FindText->GetText().size()));
  FindText->SetFocus();
}

void TReplace::ReplaceAllClick(TObject* sender) {
  FAcceptResult = mrReplaceAll;
  OkButtonClick(sender);
}

void TReplace::AddToHistory() {
  TSearchDialog::AddToHistory();
  ::AddToHistory(*ReplaceText->GetItems(), ReplaceText->GetText());
}

TSearchDialogValues TReplace::Values() const {
  TSearchDialogValues v = TSearchDialog::Values();
  v.ReplaceText = ReplaceText->GetText();
  v.Prompt = Prompt->GetChecked();
  return v;
}
