// The hot-key dialog.
#include "app/tools/win/InputKey.h"

#include <algorithm>

#include "platform/win/FormBuilder.h"

namespace {

// Every key is the dialog's to show, Tab, Enter and Esc included: none of
// them may move the focus or close the dialog behind the user's back.
template <class Base> class TAllKeys : public Base {
public:
  explicit TAllKeys(TComponent* owner) : Base(owner) {}
  bool WantsKey(uint16_t) override { return true; }
};

}  // namespace

TInputKey::TInputKey(TComponent* owner) : TForm(owner) {
  SetName("InputKey");
  SetCaption("Enter Hot Key");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 250, 110);
  Edit = Make<TAllKeys<TEdit>>(this).Parent(this).Name("Edit").Bounds(10, 10, 216, 21).Get();
  Edit->SetReadOnly(true);
  Edit->SetTabStop(true);
  OkButton = Make<TAllKeys<TButton>>(this).Parent(this).Name("OkButton").Bounds(80, 40, 75, 25).Caption("Ok").Get();
  OkButton->SetTabStop(true);
  Edit->OnKeyDown = Bind(this, &TInputKey::KeyPressed);
  OkButton->OnKeyDown = Bind(this, &TInputKey::KeyPressed);
  OkButton->OnClick = Bind(this, &TInputKey::OkButtonClick);
}

void TInputKey::Clear() {
  FInput.Clear();
  Edit->SetText("");
  SetModalResult(mrNone);
}

TModalResult TInputKey::Execute() {
  Clear();
  SetActiveControl(Edit);
  return ShowModal();
}

bool TInputKey::IsReserved(TShortCut shortCut) const {
  const std::vector<TShortCut> reserved = ReservedShortCuts(UsedShortCuts ? UsedShortCuts() : std::vector<TShortCut>());
  return std::find(reserved.begin(), reserved.end(), shortCut) != reserved.end();
}

void TInputKey::KeyPressed(TObject*, uint16_t& key, TShiftState shift) {
  const bool moveOn = FInput.KeyPress(key, shift, [this](TShortCut s) { return IsReserved(s); });
  key = 0;
  if (FInput.GetResult() == mrCancel) {
    SetModalResult(mrCancel);
    return;
  }
  if (Edit->GetText() != FInput.GetText()) Edit->SetText(FInput.GetText());
  if (moveOn && OkButton->CanFocus()) OkButton->SetFocus();
  Edit->Repaint();
  OkButton->Repaint();
}

void TInputKey::OkButtonClick(TObject*) {
  if (FInput.CanAccept()) SetModalResult(mrOk);
}
