// TRxWindowHook: lets any number of independent listeners see the messages
// of one windowed control before (BeforeMessage) and after (AfterMessage) the
// control handles them, by replacing the window's procedure once per window.
//
// The newest hook on a control sees a message first and may stop the others
// (and the control's own handling, except for WM_DESTROY) by setting
// Handled. Hooks come off in any order. When another program part subclassed
// the window after us, our procedure cannot be taken out of its chain; it
// then stays installed as a pass-through until it is back on top or the
// window goes, so no procedure of ours is ever left pointing at freed state.
#pragma once

#include "platform/Classes.h"
#include "platform/win/Controls.h"

#include <functional>

class TControlHook;

using THookMessageEvent = std::function<void(TObject* sender, TMessage& msg, bool& handled)>;

// Private messages of the hook list's window.
constexpr UINT CM_RECREATEWINDOW = 0xB052;   // lParam: a control hook; hook its control's new window
constexpr UINT CM_DESTROYHOOK = 0xB053;      // lParam: a control hook; free it when unused

class TRxWindowHook : public TComponent {
public:
  explicit TRxWindowHook(TComponent* owner);
  ~TRxWindowHook() override;

  bool GetActive() const { return FActive; }
  void SetActive(bool active);
  TWinControl* GetWinControl() const { return FWinControl; }
  void SetWinControl(TWinControl* control);
  // Activates / deactivates (the same as SetActive).
  void HookControl() { SetActive(true); }
  void UnhookControl() { SetActive(false); }

  // Without a stored control, a hook owned by a form hooks that form.
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

protected:
  virtual void DoBeforeMessage(TMessage& msg, bool& handled);
  virtual void DoAfterMessage(TMessage& msg, bool& handled);

private:
  friend class TControlHook;
  void Attach();
  void Detach();

  bool FActive = true;
  TWinControl* FWinControl = nullptr;
  TControlHook* FControlHook = nullptr;
};

// For tests and diagnostics: how many control hooks and installed window
// procedures the hook list holds now.
int WindowHookControlCount();
int WindowHookInstallCount();
