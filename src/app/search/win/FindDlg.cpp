// The "Find" dialog.
#include "app/search/win/FindDlg.h"

#include "platform/win/FormBuilder.h"

TFind::TFind(TComponent* owner) : TSearchDialog(owner, "Find", "Find", "Find") {
  SetBounds(0, 0, 356, 280);
  FindText = MakeHistoryBox("FindText", "Text to Find:", 8);
  MakeOptions(50);
  // The buttons stand in the right-hand column, between its left edge and
  // the text box's right one, level with the Origin box's foot.
  OkButton = MakeButton("OkButton", "Ok", 180, 199, mrNone);
  OkButton->SetDefault(true);
  OkButton->OnClick = Bind(this, &TFind::OkButtonClick);
  CancelButton = MakeButton("CancelButton", "Cancel", 262, 199, mrCancel);
  CancelButton->SetCancel(true);
  OnShow = Bind(this, &TFind::FormShow);

  for (const char* e : {"FindText.Items", "CaseSensitive.Checked", "Wholewords.Checked", "Scope.ItemIndex",
                        "Direction.ItemIndex", "Origin.ItemIndex"})
    Store(e);
  StorageReady();
}

void TFind::FormShow(TObject*) { FindText->SetFocus(); }

void TFind::SetFindInFiles(bool on) {
  SetCaption(on ? "Find in files" : "Find");
  Direction->SetEnabled(!on);
  Origin->SetEnabled(!on);
  Scope->SetEnabled(!on);
}
