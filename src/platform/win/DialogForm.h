// The pieces of the small dialogs the layer builds itself (MessageDlg's own
// box, InputQuery): a form that Enter and Esc close with fixed results, and
// a push button that closes its form with a modal result.
#pragma once

#include "platform/win/Forms.h"

class TDialogForm : public TForm {
public:
  TDialogForm(TComponent* owner, TModalResult defaultResult, TModalResult cancelResult)
      : TForm(owner), FDefault(defaultResult), FCancel(cancelResult) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
  }

protected:
  void KeyDown(uint16_t& key, TShiftState shift) override {
    if (key == VK_RETURN && FDefault != mrNone) {
      SetModalResult(FDefault);
      key = 0;
    } else if (key == VK_ESCAPE && FCancel != mrNone) {
      SetModalResult(FCancel);
      key = 0;
    }
    TForm::KeyDown(key, shift);
  }

private:
  TModalResult FDefault;
  TModalResult FCancel;
};

// A system push button whose click sets its form's modal result. As in any
// dialog, Enter presses the focused button (the default one when the focus
// is elsewhere) and its underlined letter presses it.
class TDialogButton : public TWinControl {
public:
  TDialogButton(TComponent* owner, TModalResult result, bool isDefault)
      : TWinControl(owner), FResult(result), FDefault(isDefault) {
    SetTabStop(true);
  }

  bool DialogKey(uint16_t key, bool focused) override {
    if (key != VK_RETURN || !(focused || FDefault) || !CanFocus()) return false;
    Press();
    return true;
  }
  bool DialogChar(char ch) override {
    if (!IsAccel(ch, GetCaption()) || !CanFocus()) return false;
    SetFocus();
    Press();
    return true;
  }

protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.WinClassName = "TqDlgButton";
    p.Style |= (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
  void WndProc(TMessage& msg) override {
    if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == BN_CLICKED) {
      Press();
      return;
    }
    TWinControl::WndProc(msg);
  }

private:
  void Press() {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FResult);
  }

  TModalResult FResult;
  bool FDefault;
};
