// MessageDlg: the system's message box where it offers the buttons asked
// for, otherwise a small dialog of our own (e.g. Yes, No, Cancel and All).
#include "platform/win/Application.h"
#include "platform/win/DialogForm.h"
#include "platform/win/GdiCanvas.h"

#include <algorithm>
#include <vector>

namespace {

struct TButtonInfo {
  TMsgDlgBtn Button;
  const char* Caption;
  TModalResult Result;
};

constexpr TButtonInfo kButtons[] = {
    {mbYes, "&Yes", mrYes},          {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},              {mbCancel, "Cancel", mrCancel},
    {mbAbort, "&Abort", mrAbort},    {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore}, {mbAll, "&All", mrAll},
    {mbNoToAll, "N&o to All", mrNoToAll}, {mbYesToAll, "Yes to &All", mrYesToAll},
    {mbHelp, "&Help", mrNone},
};

const char* CaptionOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return nullptr;
  }
}

UINT IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

LPCSTR SystemIconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

// The system box's button sets; -1 when it has none for these buttons.
long SystemButtons(TMsgDlgButtons b) {
  if (b == TMsgDlgButtons{mbOK}) return MB_OK;
  if (b == (TMsgDlgButtons{mbOK, mbCancel})) return MB_OKCANCEL;
  if (b == (TMsgDlgButtons{mbYes, mbNo})) return MB_YESNO;
  if (b == (TMsgDlgButtons{mbYes, mbNo, mbCancel})) return MB_YESNOCANCEL;
  if (b == (TMsgDlgButtons{mbAbort, mbRetry, mbIgnore})) return MB_ABORTRETRYIGNORE;
  if (b == (TMsgDlgButtons{mbRetry, mbCancel})) return MB_RETRYCANCEL;
  return -1;
}

// The icon and the text of the dialog.
class TDlgMessage : public TCustomControl {
public:
  TDlgMessage(TComponent* owner, std::string text, LPCSTR icon)
      : TCustomControl(owner), FMessage(std::move(text)), FIcon(icon) {}

protected:
  void Paint() override {
    auto* canvas = static_cast<TCanvas*>(GetCanvas());
    canvas->RequireState();
    HDC dc = canvas->Handle();
    int textLeft = 0;
    if (FIcon) {
      ::DrawIcon(dc, 0, 0, ::LoadIconA(nullptr, FIcon));
      textLeft = ::GetSystemMetrics(SM_CXICON) + 12;
    }
    RECT r{textLeft, 0, GetClientWidth(), GetClientHeight()};
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, FMessage.c_str(), static_cast<int>(FMessage.size()), &r,
                DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }

private:
  std::string FMessage;
  LPCSTR FIcon;
};

int OwnDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
              const std::string& caption) {
  std::vector<const TButtonInfo*> list;
  for (const TButtonInfo& b : kButtons)
    if (buttons.Contains(b.Button)) list.push_back(&b);
  if (list.empty()) list.push_back(&kButtons[2]);  // OK
  TModalResult cancel = buttons.Contains(mbCancel) ? mrCancel
                        : buttons.Contains(mbNo)   ? mrNo
                        : buttons.Contains(mbOK)   ? mrOk
                                                   : mrNone;
  auto form = std::make_unique<TDialogForm>(nullptr, list.front()->Result, cancel);
  form->SetCaption(caption);

  const int margin = 12, buttonW = 75, buttonH = 25, gap = 8;
  LPCSTR icon = SystemIconOf(type);
  int iconW = icon ? ::GetSystemMetrics(SM_CXICON) + 12 : 0;
  RECT textRect{0, 0, std::max(200, ::GetSystemMetrics(SM_CXSCREEN) / 3), 0};
  {
    TWindowDC screen(nullptr);
    TSaveDC saved(screen.Get());
    auto font = AcquireFont(form->GetFont());
    ::SelectObject(screen.Get(), font->Get());
    ::DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  int messageW = iconW + textRect.right;
  int messageH = std::max<int>(textRect.bottom, icon ? ::GetSystemMetrics(SM_CYICON) : 0);
  int buttonsW = int(list.size()) * buttonW + int(list.size() - 1) * gap;
  int clientW = std::max(messageW, buttonsW) + 2 * margin;
  int clientH = margin + messageH + margin + buttonH + margin;

  RECT frame{0, 0, clientW, clientH};
  ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE,
                       WS_EX_DLGMODALFRAME);
  form->SetBounds(0, 0, frame.right - frame.left, frame.bottom - frame.top);

  auto* message = new TDlgMessage(form.get(), text, icon);
  message->SetBounds(margin, margin, messageW, messageH);
  message->SetParent(form.get());
  int x = (clientW - buttonsW) / 2;
  TDialogButton* first = nullptr;
  for (const TButtonInfo* b : list) {
    auto* button = new TDialogButton(form.get(), b->Result, b == list.front());
    button->SetCaption(b->Caption);
    button->SetBounds(x, margin + messageH + margin, buttonW, buttonH);
    button->SetParent(form.get());
    if (!first) first = button;
    x += buttonW + gap;
  }
  form->SetActiveControl(first);
  ::MessageBeep(IconOf(type));
  return form->ShowModal();
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return MessageDlg(text, std::string(), type, buttons);
}

int MessageDlg(const std::string& text, const std::string& ownCaption, TMsgDlgType type, TMsgDlgButtons buttons) {
  if (Application && Application->GetMessageDlgFunc())
    return Application->GetMessageDlgFunc()(text, type, buttons);
  const char* typeCaption = CaptionOf(type);
  std::string caption = !ownCaption.empty() ? ownCaption
                        : typeCaption       ? typeCaption
                                            : (Application ? Application->GetTitle() : "");
  long system = SystemButtons(buttons);
  if (system >= 0) {
    unsigned flags = static_cast<unsigned>(system) | IconOf(type);
    if (Application) return Application->MessageBox(text, caption, flags);
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
  }
  if (!Application) throw EInvalidOperation("No application to show a dialog");
  return OwnDialog(text, type, buttons, caption);
}
