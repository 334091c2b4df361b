// TRxWindowHook, the control hooks it shares and the program's hook list.
#include "kit/win/RxHook.h"

#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/UtilWindow.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const char* InstallProp() {
  static ATOM atom = ::GlobalAddAtomA("TqRxHookInstall");
  return MAKEINTATOM(atom);
}

// Our procedure in one window's chain. It stays alive while it is on the
// stack (Depth) and while the window still calls it; only then is it freed.
struct TInstall {
  HWND Wnd = nullptr;
  WNDPROC Prev = nullptr;
  TControlHook* Owner = nullptr;  // null: a pass-through waiting to leave the chain
  int Depth = 0;
  bool Finished = false;          // out of the chain (or the window is gone)
};

LRESULT CALLBACK HookWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Takes our procedure out of the window's chain when it is the current one.
void TryStepOut(TInstall* in) {
  if (in->Finished) return;
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(in->Wnd, GWLP_WNDPROC)) != &HookWndProc) return;
  ::SetWindowLongPtrA(in->Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(in->Prev));
  ::RemovePropA(in->Wnd, InstallProp());
  in->Finished = true;
}

}  // namespace

// One per hooked control, shared by every TRxWindowHook on it.
class TControlHook {
public:
  explicit TControlHook(TWinControl* control) : Control(control) {}
  void HookWindow();
  void UnhookWindow();
  void Dispatch(TInstall* in, TMessage& msg);
  bool IsAttached(TRxWindowHook* h) const {
    return std::find(Hooks.begin(), Hooks.end(), h) != Hooks.end();
  }

  TWinControl* Control;
  std::vector<TRxWindowHook*> Hooks;  // attach order
  TInstall* Install = nullptr;
  bool Destroying = false;
  bool PendingFree = false;
  int Depth = 0;
};

namespace {

class THookList {
public:
  THookList() {
    FWindow = std::make_unique<TUtilityWindow>([this](TMessage& m) { return HandleMessage(m); });
  }
  ~THookList() {
    for (auto& h : FHooks) h->Destroying = true;
    for (auto& in : FInstalls) {
      if (in->Depth == 0 && !in->Finished && ::IsWindow(in->Wnd)) TryStepOut(in.get());
      // A window that still calls us keeps its record: the process is ending.
      if (!in->Finished || in->Depth != 0) in.release();
    }
  }

  HWND Handle() const { return FWindow->Handle(); }

  TControlHook* Find(TWinControl* control) const {
    for (const auto& h : FHooks)
      if (h->Control == control && !h->Destroying && !h->PendingFree) return h.get();
    return nullptr;
  }
  TControlHook* FindOrCreate(TWinControl* control) {
    if (TControlHook* h = Find(control)) return h;
    FHooks.push_back(std::make_unique<TControlHook>(control));
    return FHooks.back().get();
  }
  bool Contains(const TControlHook* h) const {
    for (const auto& p : FHooks)
      if (p.get() == h) return true;
    return false;
  }
  TInstall* AddInstall(std::unique_ptr<TInstall> in) {
    FInstalls.push_back(std::move(in));
    return FInstalls.back().get();
  }
  void FreeInstall(TInstall* in) {
    for (auto it = FInstalls.begin(); it != FInstalls.end(); ++it)
      if (it->get() == in) {
        FInstalls.erase(it);
        return;
      }
  }
  void FreeControlHook(TControlHook* h) {
    if (h->Depth > 0) {
      h->PendingFree = true;  // freed when its dispatch returns
      return;
    }
    h->Destroying = true;
    h->UnhookWindow();
    for (auto it = FHooks.begin(); it != FHooks.end(); ++it)
      if (it->get() == h) {
        FHooks.erase(it);
        return;
      }
  }
  int ControlCount() const { return static_cast<int>(FHooks.size()); }
  int InstallCount() const { return static_cast<int>(FInstalls.size()); }

private:
  bool HandleMessage(TMessage& m) {
    auto* h = reinterpret_cast<TControlHook*>(m.LParam);
    if (m.Msg == CM_RECREATEWINDOW) {
      // The control made (or will make) a new window; hook it again.
      if (Contains(h) && !h->Destroying && !h->Hooks.empty() && h->Control &&
          !h->Control->GetComponentState().Contains(csDestroying) &&
          (h->Control->HandleAllocated() || h->Control->GetParent() ||
           dynamic_cast<TForm*>(h->Control)))
        h->HookWindow();
      return true;
    }
    if (m.Msg == CM_DESTROYHOOK) {
      if (Contains(h) && h->Hooks.empty()) FreeControlHook(h);
      return true;
    }
    return false;
  }

  std::vector<std::unique_ptr<TControlHook>> FHooks;
  std::vector<std::unique_ptr<TInstall>> FInstalls;
  std::unique_ptr<TUtilityWindow> FWindow;
};

THookList& HookList() {
  static THookList list;
  return list;
}

LRESULT CALLBACK HookWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* in = static_cast<TInstall*>(::GetPropA(wnd, InstallProp()));
  if (!in) return ::DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  ++in->Depth;
  TControlHook* owner = in->Owner;
  if (owner) ++owner->Depth;
  try {
    if (owner && !owner->Destroying)
      owner->Dispatch(in, m);
    else
      m.Result = ::CallWindowProcA(in->Prev, wnd, msg, wParam, lParam);
  } catch (...) {
    HandleCallbackException(nullptr);
  }
  if (owner && --owner->Depth == 0 && owner->PendingFree) {
    owner->PendingFree = false;
    HookList().FreeControlHook(owner);
  }
  --in->Depth;
  if (msg == WM_NCDESTROY) {
    // The window is gone: whatever chain it had goes with it.
    if (::GetPropA(wnd, InstallProp()) == in) ::RemovePropA(wnd, InstallProp());
    if (in->Owner && in->Owner->Install == in) in->Owner->Install = nullptr;
    in->Owner = nullptr;
    in->Finished = true;
  } else if (!in->Owner && !in->Finished) {
    // A pass-through leaves as soon as the subclasser above it has gone.
    TryStepOut(in);
  }
  if (in->Finished && in->Depth == 0) HookList().FreeInstall(in);
  return m.Result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TControlHook
// ---------------------------------------------------------------------------
void TControlHook::HookWindow() {
  if (Install || !Control) return;
  HWND wnd = Control->GetHandle();
  auto* existing = static_cast<TInstall*>(::GetPropA(wnd, InstallProp()));
  if (existing && !existing->Finished) {
    // Our procedure is still in this window's chain as a pass-through
    // (someone subclassed after us): take it over instead of adding another.
    existing->Owner = this;
    Install = existing;
    return;
  }
  auto in = std::make_unique<TInstall>();
  in->Wnd = wnd;
  in->Prev = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC));
  in->Owner = this;
  ::SetPropA(wnd, InstallProp(), in.get());
  ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWndProc));
  Install = HookList().AddInstall(std::move(in));
}

void TControlHook::UnhookWindow() {
  TInstall* in = Install;
  Install = nullptr;
  if (!in) return;
  in->Owner = nullptr;
  if (!in->Finished) {
    if (!::IsWindow(in->Wnd))
      in->Finished = true;
    else
      TryStepOut(in);  // otherwise it passes messages on until it can leave
  }
  if (in->Finished && in->Depth == 0) HookList().FreeInstall(in);
}

void TControlHook::Dispatch(TInstall* in, TMessage& m) {
  auto quiet = [this] {
    return Destroying || !Control || Control->GetComponentState().Contains(csDestroying);
  };
  bool handled = false;
  if (m.Msg != WM_QUIT && !quiet()) {
    std::vector<TRxWindowHook*> hooks = Hooks;
    for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it) {
      if (!IsAttached(*it)) continue;  // a handler removed it
      try {
        (*it)->DoBeforeMessage(m, handled);
      } catch (...) {
        HandleCallbackException(*it);
      }
    }
  }
  if (!handled || m.Msg == WM_DESTROY)
    m.Result = ::CallWindowProcA(in->Prev, in->Wnd, m.Msg, m.WParam, m.LParam);
  if (m.Msg != WM_QUIT && !quiet()) {
    std::vector<TRxWindowHook*> hooks = Hooks;
    for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it) {
      if (!IsAttached(*it)) continue;
      try {
        (*it)->DoAfterMessage(m, handled);
      } catch (...) {
        HandleCallbackException(*it);
      }
    }
  }
  if (m.Msg == WM_DESTROY && Install == in) {
    bool rehook = !quiet();
    UnhookWindow();
    // The control may make a new window for itself later (a style change):
    // hook that one once this message is done.
    if (rehook) ::PostMessageA(HookList().Handle(), CM_RECREATEWINDOW, 0, reinterpret_cast<LPARAM>(this));
  }
}

// ---------------------------------------------------------------------------
// TRxWindowHook
// ---------------------------------------------------------------------------
TRxWindowHook::TRxWindowHook(TComponent* owner) : TComponent(owner) {}

TRxWindowHook::~TRxWindowHook() {
  Destroying();
  Detach();
}

void TRxWindowHook::SetActive(bool active) {
  if (active == FActive) return;
  FActive = active;
  if (active)
    Attach();
  else
    Detach();
}

void TRxWindowHook::SetWinControl(TWinControl* control) {
  if (control == FWinControl) return;
  Detach();
  if (FWinControl) RemoveFreeNotification(FWinControl);
  FWinControl = control;
  if (control) FreeNotification(control);
  Attach();
}

void TRxWindowHook::Loaded() {
  TComponent::Loaded();
  if (!FWinControl)
    if (auto* form = dynamic_cast<TForm*>(GetOwner())) SetWinControl(form);
}

void TRxWindowHook::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FWinControl) {
    Detach();
    FWinControl = nullptr;
  }
}

void TRxWindowHook::Attach() {
  if (!FActive || !FWinControl || FControlHook) return;
  TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) || state.Contains(csDestroying)) return;
  if (FWinControl->GetComponentState().Contains(csDestroying)) return;
  TControlHook* h = HookList().FindOrCreate(FWinControl);
  if (!h->IsAttached(this)) h->Hooks.push_back(this);
  FControlHook = h;
  try {
    h->HookWindow();  // makes the control's window when it has none
  } catch (...) {
    Detach();
    throw;
  }
}

void TRxWindowHook::Detach() {
  TControlHook* h = FControlHook;
  if (!h) return;
  FControlHook = nullptr;
  h->Hooks.erase(std::remove(h->Hooks.begin(), h->Hooks.end(), this), h->Hooks.end());
  if (h->Hooks.empty()) {
    h->Control = nullptr;
    h->UnhookWindow();
    ::PostMessageA(HookList().Handle(), CM_DESTROYHOOK, 0, reinterpret_cast<LPARAM>(h));
  }
}

void TRxWindowHook::DoBeforeMessage(TMessage& msg, bool& handled) {
  if (BeforeMessage) BeforeMessage(this, msg, handled);
}

void TRxWindowHook::DoAfterMessage(TMessage& msg, bool& handled) {
  if (AfterMessage) AfterMessage(this, msg, handled);
}

int WindowHookControlCount() { return HookList().ControlCount(); }
int WindowHookInstallCount() { return HookList().InstallCount(); }
