// The "Binary Search" dialog.
#include "app/search/win/HexFindDlg.h"

#include "app/search/SearchDialogs.h"
#include "platform/win/FormBuilder.h"

THexFind::THexFind(TComponent* owner) : TSearchDialog(owner, "HexFind", "Binary Search", "Find") {
  SetBounds(0, 0, 356, 230);
  FindText = MakeHistoryBox("FindText", "Text to Find:", 8);
  FindText->OnChange = Bind(this, &THexFind::FindTextChange);
  FindHex = Make<TEdit>(this).Parent(this).Name("FindHex").Bounds(10, 66, 330, 21)
                .On(&TEdit::OnKeyPress, this, &THexFind::TextKeyPress).Get();
  FindHex->SetCharCase(ecUpperCase);
  FindHex->SetTabStop(true);
  FindHex->OnChange = Bind(this, &THexFind::FindHexChange);
  Make<TLabel>(this).Parent(this).Name("FindHexLabel").Bounds(10, 50, 330, 14).Caption("Hex to Find:")
      .With([this](TLabel* l) { l->SetFocusControl(FindHex); });
  CaseSensitive = MakeCheck("CaseSensitive", "Case Sensitive", 10, 96);
  Origin = MakeGroup("Origin", "Scope", "From Cursor", "Entire Scope", 180, 92);
  OkButton = MakeButton("OkButton", "Ok", 10, 164, mrNone);
  OkButton->SetDefault(true);
  OkButton->OnClick = Bind(this, &THexFind::OkButtonClick);
  CancelButton = MakeButton("CancelButton", "Cancel", 95, 164, mrCancel);
  CancelButton->SetCancel(true);

  for (const char* e : {"FindText.Items", "FindHex.Text", "CaseSensitive.Checked", "Origin.ItemIndex"}) Store(e);
  StorageReady();
}

namespace {

// A drop-down combo box has the focus in its inner edit.
bool HasFocus(TComboBox* box) {
  return box->Focused() || (box->GetEditHandle() && ::GetFocus() == box->GetEditHandle());
}

}  // namespace

// Each box follows the other only while it has the focus itself, so that
// one box's change does not come back from the other.
void THexFind::FindTextChange(TObject*) {
  if (FUpdating || !HasFocus(FindText)) return;
  const std::string hex = TextToHex(FindText->GetText());
  if (FindHex->GetText() == hex) return;
  FUpdating = true;
  FindHex->SetText(hex);
  FUpdating = false;
}

void THexFind::FindHexChange(TObject*) {
  if (FUpdating || !FindHex->Focused()) return;
  const THexEntry e = CleanHexEntry(FindHex->GetText(), FindHex->GetSelStart());
  FUpdating = true;
  if (FindHex->GetText() != e.Hex) {
    FindHex->SetText(e.Hex);
    FindHex->SetSelStart(e.Caret);
    FindHex->SetSelLength(0);
  }
  if (FindText->GetText() != e.Text) FindText->SetText(e.Text);
  FUpdating = false;
}
