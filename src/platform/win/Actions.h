// Actions: commands with a caption, a shortcut and a state that menu items
// and buttons follow. TBasicAction runs a command (the application may handle
// it centrally first); TCustomAction adds the state its clients show;
// TActionList holds the actions of a form and answers their shortcuts.
#pragma once

#include "platform/Classes.h"
#include "platform/Keys.h"

#include <functional>
#include <string>
#include <vector>

class TBasicAction;
class TCustomAction;
class TActionList;

// The tie between an action and one client (a menu item, a button). The
// client holds the link; the client hears every change of the action's
// state through the link's function and runs the action through Execute.
// Whichever of the two goes first cuts the tie.
class TActionLink {
public:
  using TChangeFunc = std::function<void(TCustomAction& action)>;
  explicit TActionLink(TChangeFunc changed);
  ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TBasicAction* GetAction() const { return FAction; }
  // Links to another action (or none); the client takes the new action's
  // state at once.
  void SetAction(TBasicAction* action);
  // Runs the action; false without one or when it did not run.
  bool Execute();

private:
  friend class TBasicAction;
  friend class TCustomAction;
  TBasicAction* FAction = nullptr;
  TChangeFunc FChanged;
};

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;
  // The application's OnActionExecute first; when it does not handle the
  // action, OnExecute. True when someone handled it.
  virtual bool Execute();
  // The same for updating the action's state (OnActionUpdate, OnUpdate).
  virtual bool Update();

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

protected:
  friend class TActionLink;
  std::vector<TActionLink*> FClients;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
public:
  explicit TContainedAction(TComponent* owner);
  ~TContainedAction() override;

  TActionList* GetActionList() const { return FActionList; }
  // Moves the action to another list (or out of any).
  void SetActionList(TActionList* list);
  // Position in its list; -1 outside any.
  int GetIndex() const;

private:
  TActionList* FActionList = nullptr;
};

class TCustomAction : public TContainedAction {
public:
  explicit TCustomAction(TComponent* owner);

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool checked);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut shortCut);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible);

  // Updates the action first (OnUpdate may change Enabled); a disabled
  // action does not run and answers false.
  bool Execute() override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  // Tells every client the new state.
  void Change();

private:
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  bool FVisible = true;
};

class TAction : public TCustomAction {
public:
  explicit TAction(TComponent* owner) : TCustomAction(owner) {}
};

class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* owner);
  // Frees the actions it still holds.
  ~TActionList() override;

  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* GetAction(int i) const;
  int IndexOf(const TContainedAction* action) const;
  // The first enabled action with this shortcut that runs; a disabled one
  // leaves the key to whoever comes next. True when one ran.
  bool IsShortCut(TShortCut shortCut);

private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
};
