// InputQuery and InputBox: a prompt, a line of text, OK and Cancel.
#include "platform/win/Application.h"
#include "platform/win/DialogForm.h"
#include "platform/win/Dialogs.h"

#include <memory>
#include <vector>

namespace {

TInputQueryFunc& InputQueryFunc() {
  static TInputQueryFunc func;
  return func;
}

// A window of a system class with fixed styles (the prompt, the edit).
class TSystemControl : public TWinControl {
public:
  TSystemControl(TComponent* owner, const char* sysClass, const char* ourClass, DWORD style,
                 DWORD exStyle)
      : TWinControl(owner), FSysClass(sysClass), FClass(ourClass), FStyle(style), FExStyle(exStyle) {}

  std::string WindowText() {
    int n = ::GetWindowTextLengthA(GetHandle());
    std::vector<char> text(size_t(n) + 1, '\0');
    ::GetWindowTextA(GetHandle(), text.data(), n + 1);
    return std::string(text.data());
  }

protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.SysClassName = FSysClass;
    p.WinClassName = FClass;
    p.Style |= FStyle;
    p.ExStyle |= FExStyle;
  }

private:
  const char* FSysClass;
  const char* FClass;
  DWORD FStyle;
  DWORD FExStyle;
};

}  // namespace

TInputQueryFunc SetInputQueryFunc(TInputQueryFunc func) {
  TInputQueryFunc old = std::move(InputQueryFunc());
  InputQueryFunc() = std::move(func);
  return old;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  if (InputQueryFunc()) return InputQueryFunc()(caption, prompt, value);
  if (!Application) throw EInvalidOperation("No application to show a dialog");
  auto form = std::make_unique<TDialogForm>(nullptr, mrOk, mrCancel);
  form->SetCaption(caption);
  const int margin = 8, width = 320, buttonW = 75, buttonH = 25;
  const int labelH = 16, editH = 21;
  const int clientW = width + 2 * margin;
  const int clientH = margin + labelH + 4 + editH + margin + buttonH + margin;
  RECT frame{0, 0, clientW, clientH};
  ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE,
                       WS_EX_DLGMODALFRAME);
  form->SetBounds(0, 0, frame.right - frame.left, frame.bottom - frame.top);

  auto* label = new TSystemControl(form.get(), "STATIC", "TqInputPrompt", SS_LEFT | SS_NOPREFIX, 0);
  label->SetCaption(prompt);
  label->SetBounds(margin, margin, width, labelH);
  label->SetParent(form.get());
  auto* edit = new TSystemControl(form.get(), "EDIT", "TqInputEdit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  edit->SetTabStop(true);
  edit->SetText(value);
  edit->SetBounds(margin, margin + labelH + 4, width, editH);
  edit->SetParent(form.get());
  int top = margin + labelH + 4 + editH + margin;
  auto* ok = new TDialogButton(form.get(), mrOk, true);
  ok->SetCaption("OK");
  ok->SetBounds(clientW - margin - 2 * buttonW - margin, top, buttonW, buttonH);
  ok->SetParent(form.get());
  auto* cancel = new TDialogButton(form.get(), mrCancel, false);
  cancel->SetCaption("Cancel");
  cancel->SetBounds(clientW - margin - buttonW, top, buttonW, buttonH);
  cancel->SetParent(form.get());

  form->SetActiveControl(edit);
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 0, -1);
  if (form->ShowModal() != mrOk) return false;
  value = edit->WindowText();
  return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue) {
  std::string value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}
