// The base of actions: a command with Execute and Update that the
// application may handle centrally (OnActionExecute, OnActionUpdate) before
// the action's own handlers run. Action lists and menu items build on it.
#pragma once

#include "platform/Classes.h"

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* owner);
  // The application's OnActionExecute first; when it does not handle the
  // action, OnExecute. True when someone handled it.
  virtual bool Execute();
  // The same for updating the action's state (OnActionUpdate, OnUpdate).
  virtual bool Update();

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
};
