// Actions, their links to clients and action lists.
#include "platform/win/Actions.h"

#include "platform/TypInfo.h"
#include "platform/win/Application.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TActionLink
// ---------------------------------------------------------------------------
TActionLink::TActionLink(TChangeFunc changed) : FChanged(std::move(changed)) {}

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction) {
    auto& clients = FAction->FClients;
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
  }
  FAction = action;
  if (!action) return;
  action->FClients.push_back(this);
  if (auto* custom = dynamic_cast<TCustomAction*>(action); custom && FChanged) FChanged(*custom);
}

bool TActionLink::Execute() { return FAction && FAction->Execute(); }

// ---------------------------------------------------------------------------
// TBasicAction
// ---------------------------------------------------------------------------
TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  // The clients keep what they show and forget the action.
  for (TActionLink* link : FClients) link->FAction = nullptr;
  FClients.clear();
}

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

// ---------------------------------------------------------------------------
// TContainedAction
// ---------------------------------------------------------------------------
TContainedAction::TContainedAction(TComponent* owner) : TBasicAction(owner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TActionList* list) {
  if (list == FActionList) return;
  if (FActionList) {
    auto& actions = FActionList->FActions;
    actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
  }
  FActionList = list;
  if (list) list->FActions.push_back(this);
}

int TContainedAction::GetIndex() const { return FActionList ? FActionList->IndexOf(this) : -1; }

// ---------------------------------------------------------------------------
// TCustomAction
// ---------------------------------------------------------------------------
TCustomAction::TCustomAction(TComponent* owner) : TContainedAction(owner) {}

void TCustomAction::Change() {
  // A client's handler may relink; walk a copy.
  std::vector<TActionLink*> clients = FClients;
  for (TActionLink* link : clients)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end() && link->FChanged)
      link->FChanged(*this);
}

void TCustomAction::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Change();
}

void TCustomAction::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  Change();
}

void TCustomAction::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Change();
}

void TCustomAction::SetHint(const std::string& hint) {
  if (hint == FHint) return;
  FHint = hint;
  Change();
}

void TCustomAction::SetImageIndex(int index) {
  if (index == FImageIndex) return;
  FImageIndex = index;
  Change();
}

void TCustomAction::SetShortCut(TShortCut shortCut) {
  if (shortCut == FShortCut) return;
  FShortCut = shortCut;
  Change();
}

void TCustomAction::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  return TBasicAction::Execute();
}

const TClassInfo& TCustomAction::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TCustomAction", &TComponent::StaticClassInfo())
          .String("Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption)
          .Bool("Checked", &TCustomAction::GetChecked, &TCustomAction::SetChecked)
          .Bool("Enabled", &TCustomAction::GetEnabled, &TCustomAction::SetEnabled)
          .String("Hint", &TCustomAction::GetHint, &TCustomAction::SetHint)
          .Integer("ImageIndex", &TCustomAction::GetImageIndex, &TCustomAction::SetImageIndex)
          .Integer("ShortCut", &TCustomAction::GetShortCut, &TCustomAction::SetShortCut)
          .Bool("Visible", &TCustomAction::GetVisible, &TCustomAction::SetVisible);
  return info;
}
const TClassInfo* TCustomAction::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TActionList
// ---------------------------------------------------------------------------
TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
  Destroying();
  while (!FActions.empty()) delete FActions.back();  // each leaves the list as it goes
}

TContainedAction* TActionList::GetAction(int i) const {
  if (i < 0 || i >= GetActionCount()) throw EListError(Format("List index out of bounds (%d)", i));
  return FActions[static_cast<size_t>(i)];
}

int TActionList::IndexOf(const TContainedAction* action) const {
  auto it = std::find(FActions.begin(), FActions.end(), action);
  return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

bool TActionList::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  // An action may add or free actions while it runs: walk a copy, checking
  // that each is still ours.
  std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* a : actions) {
    if (IndexOf(a) < 0) continue;
    auto* action = dynamic_cast<TCustomAction*>(a);
    if (action && action->GetShortCut() == shortCut && action->Execute()) return true;
  }
  return false;
}
