// TApplication, message boxes and exception reporting at callback boundaries.
#include "platform/win/Application.h"

#include "platform/ErrorText.h"
#include "platform/win/Actions.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/HintWindow.h"

#include <commctrl.h>
#include <cstdio>

TApplication* Application = nullptr;

namespace {

const char kAppClass[] = "TApplication";
constexpr UINT CM_APPACTIVATE = 0xB002;
constexpr UINT CM_APPDEACTIVATE = 0xB003;
constexpr UINT kHintShowTimer = 1;
constexpr UINT kHintHideTimer = 2;

void ReportWithoutApplication(const std::string& message) {
  ::OutputDebugStringA(message.c_str());
  std::fprintf(stderr, "%s\n", message.c_str());
}

bool IsInputMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
      return true;
    default:
      return false;
  }
}

}  // namespace

void HandleCallbackException(TObject* sender) noexcept {
  try {
    if (Application) {
      Application->HandleException(sender);
      return;
    }
    try {
      throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
      ReportWithoutApplication(e.what());
    } catch (...) {
      ReportWithoutApplication("Unknown exception");
    }
  } catch (...) {
    // Reporting failed as well; nothing may leave a callback.
  }
}

// ---------------------------------------------------------------------------
// TApplication
// ---------------------------------------------------------------------------
TApplication::TApplication() : TComponent(nullptr) {
  if (Application) throw EInvalidOperation("There is already an application object");
  UseWindowsSystemColors();
  // The common controls (bars, lists, trees, up-downs) register their window
  // classes here, once; there is no visual-styles manifest.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                             ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!::GetClassInfoA(instance, kAppClass, &wc)) {
    wc.lpfnWndProc = &TApplication::AppWndProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    if (!::RegisterClassA(&wc)) throw EComponentError("Error creating window class");
  }
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  FTitle = ExtractFileName(ChangeFileExt(exe, ""));
  // The application window is never seen (it has no size); it carries the
  // title, owns the forms and takes minimizing, activation and settings changes.
  FHandle = ::CreateWindowExA(0, kAppClass, FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              ::GetSystemMetrics(SM_CXSCREEN) / 2,
                              ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance,
                              nullptr);
  if (!FHandle) throw EComponentError("Error creating window");
  ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Application = this;
  // Not owned as a component: the application's components are its forms
  // and modules.
  Screen = new TScreen(nullptr);
}

TApplication::~TApplication() {
  Destroying();
  // Forms and other owned components go while the application is still there
  // to report for them.
  DestroyComponents();
  delete Screen;
  Screen = nullptr;
  FHintWindow = nullptr;
  ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
  ::DestroyWindow(FHandle);
  Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  if (title == FTitle) return;
  FTitle = title;
  ::SetWindowTextA(FHandle, title.c_str());
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMainForm) FMainForm = nullptr;
  if (component == FHintWindow) FHintWindow = nullptr;
}

void TApplication::ControlDestroyed(TControl* control) {
  if (control == FMainForm) FMainForm = nullptr;
  if (control == FActiveForm) FActiveForm = nullptr;
  if (control == FActiveControl) FActiveControl = nullptr;
  if (control == FMouseControl) FMouseControl = nullptr;
  if (control == FHintControl) {
    FHintControl = nullptr;
    CancelHint();
  }
  if (control == FHintWindow) FHintWindow = nullptr;
}

void TApplication::Run() {
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  ::PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (handled) return true;
  CancelHintOnInput(msg);
  if (IsAltReleaseAfterShortCut(msg)) return true;
  if (IsKeyMsg(msg)) return true;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  for (;;) {
    try {
      if (!ProcessMessage(msg)) return;
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  try {
    if (!ProcessMessage(msg)) Idle();
  } catch (...) {
    HandleException(this);
  }
}

TControl* TApplication::ControlAtCursor() {
  POINT p{};
  if (!::GetCursorPos(&p)) return nullptr;
  TWinControl* w = TWinControl::FindControl(::WindowFromPoint(p));
  if (!w) return nullptr;
  TControl* child = w->ControlAtPos(w->ScreenToClient(TPoint(p.x, p.y)), true);
  return child ? child : w;
}

void TApplication::Idle() {
  TControl* control = ControlAtCursor();
  if (control != FMouseControl) FMouseControl = control;
  if (FShowHint && !FMouseControl) CancelHint();
  SetHint(FMouseControl ? GetLongHint(FMouseControl->GetHint()) : std::string());
  bool done = true;
  if (OnIdle) OnIdle(this, done);
  if (done && !FTerminated) ::WaitMessage();
}

// The window procedure enters the menu bar when Alt is released with no other
// key seen since it went down. A shortcut we took never reached it, so the
// release that follows one is kept from it as well: a handled Alt shortcut
// leaves no menu active, while Alt pressed and released alone still opens it.
bool TApplication::IsAltReleaseAfterShortCut(const MSG& msg) {
  const bool alt = msg.wParam == VK_MENU || msg.wParam == VK_LMENU || msg.wParam == VK_RMENU;
  if (msg.message == WM_SYSKEYDOWN && alt && !(msg.lParam & 0x40000000)) FAltShortCutTaken = false;
  if ((msg.message != WM_SYSKEYUP && msg.message != WM_KEYUP) || !alt || !FAltShortCutTaken) return false;
  FAltShortCutTaken = false;
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const bool handled = IsShortCutKey(msg);
  if (handled && msg.message == WM_SYSKEYDOWN) FAltShortCutTaken = true;
  return handled;
}

bool TApplication::IsShortCutKey(MSG& msg) {
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  // A window inside one of ours that is not ours (a combo box's edit): the
  // keys are its control's.
  if (!control) control = TWinControl::FindControl(::GetParent(msg.hwnd));
  if (!control) return false;
  TWMKey key;
  key.Msg = msg.message;
  key.CharCode = static_cast<WORD>(msg.wParam);
  key.KeyData = msg.lParam;
  TForm* form = GetParentForm(control);
  if (form && form->IsShortCut(key)) return true;
  if (::SendMessageA(FHandle, CM_APPKEYDOWN, msg.wParam, msg.lParam) != 0) return true;
  bool handled = false;
  if (OnShortCut) OnShortCut(key, handled);
  if (handled) return true;
  if (FMainForm && FMainForm != form && FMainForm->HandleAllocated() &&
      ::IsWindowEnabled(FMainForm->GetHandle()) && FMainForm->IsShortCut(key))
    return true;
  // Dialog keys (Tab, arrows in radio groups, Enter, Esc, accelerators),
  // unless the control wants the key itself.
  return form && form->DialogKeyDown(control, key.CharCode, KeyDataToShiftState(msg.lParam));
}

bool TApplication::IsShortCut(TWMKey& msg) {
  bool handled = false;
  if (OnShortCut) OnShortCut(msg, handled);
  if (handled) return true;
  return FMainForm && FMainForm->HandleAllocated() && ::IsWindowEnabled(FMainForm->GetHandle()) &&
         FMainForm->IsShortCut(msg);
}

void TApplication::Minimize() {
  if (::IsIconic(FHandle)) return;
  // The forms (all owned by the application window) go with it. The window
  // system hides owned windows itself only for some of them, so do it here.
  FHiddenByMinimize.clear();
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* self = reinterpret_cast<TApplication*>(data);
        if (::GetWindow(wnd, GW_OWNER) == self->FHandle && ::IsWindowVisible(wnd))
          self->FHiddenByMinimize.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
  for (HWND wnd : FHiddenByMinimize) ::ShowWindow(wnd, SW_HIDE);
  ::SetActiveWindow(FHandle);
  ::ShowWindow(FHandle, SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!::IsIconic(FHandle)) return;
  ::SetActiveWindow(FHandle);
  ::ShowWindow(FHandle, SW_RESTORE);
  for (HWND wnd : FHiddenByMinimize)
    if (::IsWindow(wnd)) ::ShowWindow(wnd, SW_SHOWNA);
  FHiddenByMinimize.clear();
  if (FMainForm && FMainForm->HandleAllocated() && FMainForm->GetVisible())
    ::SetActiveWindow(FMainForm->GetHandle());
  if (OnRestore) OnRestore(this);
}

bool TApplication::IsMinimized() const { return ::IsIconic(FHandle) != 0; }

void TApplication::AppActivation(bool active) {
  if (active == FActive) return;
  FActive = active;
  // Reported after the activation message is done, so handlers may open
  // boxes or move the focus.
  ::PostMessageA(FHandle, active ? CM_APPACTIVATE : CM_APPDEACTIVATE, 0, 0);
}

void TApplication::FormActivated(TForm* form) {
  if (form == FActiveForm) return;
  FActiveForm = form;
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TApplication::ActiveControlChanged(TWinControl* control) {
  if (control == FActiveControl) return;
  FActiveControl = control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    ReportException(sender, e);
  } catch (const std::exception& e) {
    ReportException(sender, Exception(e.what()));
  } catch (...) {
    ReportException(sender, Exception("Unknown exception"));
  }
}

void TApplication::ReportException(TObject* sender, const Exception& e) {
  if (OnException) {
    try {
      OnException(sender, e);
      return;
    } catch (...) {
      // The handler failed too: fall back to the box for the first error.
    }
  }
  ShowException(e);
}

void TApplication::ShowException(const Exception& e) {
  MessageBox(e.Message(), FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (FMessageBoxFunc) return FMessageBoxFunc(text, caption, flags);
  HWND owner = ::GetActiveWindow();
  if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->GetHandle();
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

TMessageBoxFunc TApplication::SetMessageBoxFunc(TMessageBoxFunc func) {
  TMessageBoxFunc old = std::move(FMessageBoxFunc);
  FMessageBoxFunc = std::move(func);
  return old;
}

TMessageDlgFunc TApplication::SetMessageDlgFunc(TMessageDlgFunc func) {
  TMessageDlgFunc old = std::move(FMessageDlgFunc);
  FMessageDlgFunc = std::move(func);
  return old;
}

bool TApplication::ExecuteAction(TBasicAction* action) {
  bool handled = false;
  if (OnActionExecute) OnActionExecute(action, handled);
  return handled;
}

bool TApplication::UpdateAction(TBasicAction* action) {
  bool handled = false;
  if (OnActionUpdate) OnActionUpdate(action, handled);
  return handled;
}

bool TApplication::HelpCommand(uint16_t command, intptr_t data) {
  bool callHelp = true;
  bool result = false;
  if (OnHelp) result = OnHelp(command, data, callHelp);
  if (callHelp && !FHelpFile.empty()) {
    HWND wnd = FMainForm && FMainForm->HandleAllocated() ? FMainForm->GetHandle() : FHandle;
    result = ::WinHelpA(wnd, FHelpFile.c_str(), command, static_cast<ULONG_PTR>(data)) != 0;
  }
  return result;
}

bool TApplication::HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }

void TApplication::SetHint(const std::string& hint) {
  if (hint == FHint) return;
  FHint = hint;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool v) {
  if (v == FShowHint) return;
  FShowHint = v;
  if (!v) CancelHint();
}

void TApplication::StartHintTimer(UINT id, int delay) {
  ::SetTimer(FHandle, id, static_cast<UINT>(delay > 0 ? delay : 1), nullptr);
}

void TApplication::StopHintTimer(UINT id) { ::KillTimer(FHandle, id); }

void TApplication::HintMouseMessage(TControl* control, const TMessage& msg) {
  if (!FShowHint) return;
  if (control != FHintControl) {
    bool wasActive = FHintActive;
    CancelHint();
    FHintControl = control;
    if (control && control->GetShowHint() && !GetShortHint(control->GetHint()).empty())
      StartHintTimer(kHintShowTimer, wasActive ? FHintShortPause : FHintPause);
  }
}

void TApplication::CancelHintOnInput(const MSG& msg) {
  // A key or a click takes the hint away; the next mouse move over the
  // control starts its pause again.
  if (FHintControl && IsInputMessage(msg.message)) CancelHint();
}

void TApplication::ActivateHint(TPoint cursorPos) {
  StopHintTimer(kHintShowTimer);
  TControl* control = FHintControl;
  if (!control || !FShowHint) return;
  THintInfo info;
  info.HintControl = control;
  info.HintStr = GetShortHint(control->GetHint());
  info.HintColor = FHintColor;
  info.HintMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
  info.CursorRect = control->GetClientRect();
  info.CursorPos = control->ScreenToClient(cursorPos);
  // Below the cursor, as the system places tool tips.
  info.HintPos = TPoint(cursorPos.X, cursorPos.Y + ::GetSystemMetrics(SM_CYCURSOR) * 3 / 4);
  info.HideTimeout = FHintHidePause;
  bool canShow = true;
  if (OnShowHint) OnShowHint(info.HintStr, canShow, info);
  if (!canShow || info.HintStr.empty()) return;
  if (!FHintWindow) {
    FHintWindow = new THintWindow(this);
    FHintWindow->FreeNotification(this);
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
  r.Offset(info.HintPos.X, info.HintPos.Y);
  FHintWindow->ActivateHint(r, info.HintStr);
  FHintActive = true;
  if (info.HideTimeout > 0) StartHintTimer(kHintHideTimer, info.HideTimeout);
}

void TApplication::CancelHint() {
  StopHintTimer(kHintShowTimer);
  StopHintTimer(kHintHideTimer);
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintActive = false;
  FHintControl = nullptr;
}

int TApplication::HookMainWindow(TWindowHookFunc hook) {
  int id = FNextHookId++;
  FHooks.push_back(THook{id, std::move(hook)});
  return id;
}

void TApplication::UnhookMainWindow(int id) {
  for (auto it = FHooks.begin(); it != FHooks.end(); ++it)
    if (it->Id == id) {
      FHooks.erase(it);
      return;
    }
}

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!app) return ::DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    app->WndProc(m);
  } catch (...) {
    HandleCallbackException(app);
  }
  return m.Result;
}

void TApplication::WndProc(TMessage& msg) {
  // Newest hook first; a hook may remove itself (or others) while it runs.
  std::vector<int> ids;
  ids.reserve(FHooks.size());
  for (const THook& h : FHooks) ids.push_back(h.Id);
  for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
    for (const THook& h : FHooks) {
      if (h.Id != *it) continue;
      TWindowHookFunc f = h.Func;  // the hook may unhook itself while running
      if (f && f(msg)) return;
      break;
    }
  }
  switch (msg.Msg) {
    case WM_SYSCOMMAND:
      switch (msg.WParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          msg.Result = 0;
          return;
        case SC_RESTORE:
          Restore();
          msg.Result = 0;
          return;
      }
      break;
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      msg.Result = 0;
      return;
    case WM_ACTIVATEAPP:
      AppActivation(msg.WParam != 0);
      break;
    case CM_APPACTIVATE:
      if (OnActivate) OnActivate(this);
      return;
    case CM_APPDEACTIVATE:
      if (OnDeactivate) OnDeactivate(this);
      return;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_FONTCHANGE:
      if (OnSettingsChanged) OnSettingsChanged(this);
      break;
    case WM_PAINT:
      if (::IsIconic(FHandle) && OnPaintIcon) {
        TPaintDC dc(FHandle);
        TCanvas canvas(dc.Get());
        RECT r{};
        ::GetClientRect(FHandle, &r);
        canvas.SetBrushColor(clWindow);
        canvas.FillRect(TRect(r.left, r.top, r.right, r.bottom));
        OnPaintIcon(this, canvas);
        return;
      }
      break;
    case WM_TIMER:
      if (msg.WParam == kHintShowTimer) {
        POINT p{};
        ::GetCursorPos(&p);
        ActivateHint(TPoint(p.x, p.y));
        return;
      }
      if (msg.WParam == kHintHideTimer) {
        // Shown long enough: it stays away until the mouse moves to
        // another control (the hint control is kept for that).
        StopHintTimer(kHintHideTimer);
        if (FHintWindow) FHintWindow->ReleaseHandle();
        FHintActive = false;
        return;
      }
      break;
    default:
      break;
  }
  msg.Result = ::DefWindowProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
}

// ---------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------
void ShowMessage(const std::string& text) {
  if (Application)
    Application->MessageBox(text, Application->GetTitle(), MB_OK);
  else
    ::MessageBoxA(nullptr, text.c_str(), "", MB_OK);
}

void ShowUnexpectedError(const std::string& place, int number, const std::string& message) {
  ShowMessage(UnexpectedErrorText(place, number, message));
}
