// TBasicAction.
#include "platform/win/Actions.h"

#include "platform/win/Application.h"

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

bool TBasicAction::Execute() {
  if (Application && Application->ExecuteAction(this)) return true;
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (Application && Application->UpdateAction(this)) return true;
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}
