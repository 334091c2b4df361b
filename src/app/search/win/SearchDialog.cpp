// The search dialogs' shared form.
#include "app/search/win/SearchDialog.h"

#include "app/search/SearchDialogs.h"
#include "kit/win/Placemnt.h"
#include "platform/win/FormBuilder.h"

TSearchDialog::TSearchDialog(TComponent* owner, const std::string& name, const std::string& caption,
                             const std::string& section)
    : TForm(owner) {
  SetName(name);
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  FStorage = new TFormStorage(this);
  FStorage->SetName("FormStorage");
  FStorage->SetUseRegistry(true);
  FStorage->SetIniSection(section);
}

TComboBox* TSearchDialog::MakeHistoryBox(const std::string& name, const std::string& label, int top) {
  auto* box = Make<TComboBox>(this).Parent(this).Name(name).Bounds(10, top + 16, 330, 21)
                  .On(&TComboBox::OnKeyPress, this, &TSearchDialog::TextKeyPress).Get();
  box->SetTabStop(true);
  Make<TLabel>(this).Parent(this).Name(name + "Label").Bounds(10, top, 330, 14).Caption(label)
      .With([box](TLabel* l) { l->SetFocusControl(box); });
  return box;
}

TCheckBox* TSearchDialog::MakeCheck(const std::string& name, const std::string& caption, int left, int top) {
  auto* check = Make<TCheckBox>(this).Parent(this).Name(name).Bounds(left, top, 160, 18).Caption(caption).Get();
  check->SetTabStop(true);
  return check;
}

void TSearchDialog::MakeOptions(int top) {
  CaseSensitive = MakeCheck("CaseSensitive", "Case Sensitive", 10, top);
  Wholewords = MakeCheck("Wholewords", "Whole Words Only", 180, top);
  Scope = MakeGroup("Scope", "Scope", "Global", "Selected Text", 10, top + 44);
  Direction = MakeGroup("Direction", "Direction", "Forward", "Backward", 180, top + 44);
  Origin = MakeGroup("Origin", "Origin", "From Cursor", "Entire Scope", 10, top + 112);
}

TSearchDialogValues TSearchDialog::Values() const {
  TSearchDialogValues v;
  v.FindText = FindText->GetText();
  v.CaseSensitive = CaseSensitive->GetChecked();
  if (Wholewords) v.WholeWords = Wholewords->GetChecked();
  if (Scope) v.Scope = Scope->GetItemIndex();
  if (Direction) v.Direction = Direction->GetItemIndex();
  if (Origin) v.Origin = Origin->GetItemIndex();
  return v;
}

TRadioGroup* TSearchDialog::MakeGroup(const std::string& name, const std::string& caption, const char* first,
                                      const char* second, int left, int top) {
  auto* group = Make<TRadioGroup>(this).Parent(this).Name(name).Bounds(left, top, 160, 62).Caption(caption).Get();
  group->GetItems()->Add(first);
  group->GetItems()->Add(second);
  group->SetItemIndex(0);
  return group;
}

TButton* TSearchDialog::MakeButton(const std::string& name, const std::string& caption, int left, int top,
                                   int modalResult) {
  auto* b = Make<TButton>(this).Parent(this).Name(name).Bounds(left, top, 78, 25).Caption(caption).Get();
  b->SetModalResult(modalResult);
  b->SetTabStop(true);
  return b;
}

void TSearchDialog::Store(const char* entry) { FStorage->GetStoredProps()->Add(entry); }

// The dialogs are made hidden at start-up: their windows wait for their
// first showing.
void TSearchDialog::StorageReady() {
  FStorage->SetHookWhenWindowMade(true);
  FStorage->Loaded();
}

void TSearchDialog::CreateWnd() {
  TForm::CreateWnd();
  FStorage->FormWindowCreated();
}

void TSearchDialog::AddToHistory() {
  ::AddToHistory(*FindText->GetItems(), FindText->GetText());
}

void TSearchDialog::TextKeyPress(TObject*, char& key) {
  if (key == '\r') {
    key = 0;
    AddToHistory();
    SetModalResult(AcceptResult());
  } else if (key == 27) {
    key = 0;
    SetModalResult(mrCancel);
  }
}

void TSearchDialog::OkButtonClick(TObject*) {
  AddToHistory();
  SetModalResult(AcceptResult());
}
