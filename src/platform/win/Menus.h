// Menus: TMenuItem is a command or a sub-menu in a tree of items; TMenu
// holds such a tree, as a form's menu bar (TMainMenu) or as a menu shown at a
// point (TPopupMenu). Items are components of their form, so FindComponent
// and stored settings reach them by name. State lives in the items; the
// system's menu handles are made on first use and follow every change, so a
// caption set at any time shows in the live menu.
//
// Each item carries a command identifier below 0xF000 (the system's own
// commands start there) that the window messages name it by.
#pragma once

#include "platform/Classes.h"
#include "platform/Keys.h"
#include "platform/Types.h"
#include "platform/win/Messages.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TActionLink;
class TBasicAction;
class TCustomAction;
class TForm;
class TControl;
class TMenu;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TPopupAlignment { paLeft, paRight, paCenter };

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  // Leaves its parent and frees its sub-items.
  ~TMenuItem() override;

  // "-" makes a separator line. An "&" marks the accelerator letter.
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the other radio items of its group
  // (same GroupIndex, same parent).
  void SetChecked(bool checked);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool radio);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int index);
  TMenuBreak GetBreak() const { return FBreak; }
  void SetBreak(TMenuBreak value);
  // Shown after the caption (ShortCutToText); the form runs the item when
  // the key is pressed.
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut shortCut);
  // "short|long": the application's hint shows the long part while the item
  // is selected in an open menu.
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint);
  // The item follows the action's caption, state, hint and shortcut, and a
  // click without an OnClick of its own runs the action.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* action);

  // --- the tree ---
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int i) const;
  TMenuItem* GetParent() const { return FParent; }
  int IndexOf(const TMenuItem* item) const;
  int GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void Add(TMenuItem* item);
  // Before the item now at index (at the end for index = Count). An item
  // that sits elsewhere leaves its old place first.
  void Insert(int index, TMenuItem* item);
  // Takes the item out of this sub-menu; it lives on.
  void Remove(TMenuItem* item);
  // Takes item index out and frees it.
  void Delete(int index);
  // Frees every sub-item.
  void Clear();
  // The first sub-item with this caption (accelerator marks ignored, any
  // letter case); null when none.
  TMenuItem* Find(const std::string& caption) const;
  // The menu the tree belongs to; null while the item hangs in no menu.
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == "-"; }

  uint16_t GetCommand() const { return FCommand; }
  // The system menu that shows the sub-items (made on first use).
  HMENU GetHandle();

  // OnClick, or the action when the item has no OnClick. Runs for a
  // sub-menu too, just before it opens, so it may fill its sub-items then.
  virtual void Click();

  TNotifyEvent OnClick;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

private:
  friend class TMenu;
  friend class TMainMenu;
  void ActionChanged(TCustomAction& action);
  // This item's entry in its parent's system menu changed; rebuild when the
  // set of shown entries changed too.
  void Changed(bool rebuild);
  void RebuildHandle();
  void DestroyHandle();
  bool CanCheckAsGroup(const TMenuItem* other) const;

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  TMenuBreak FBreak = mbNone;
  TShortCut FShortCut = scNone;
  std::string FHint;
  std::unique_ptr<TActionLink> FActionLink;

  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenu* FMenu = nullptr;  // set on the root item of a menu only
  uint16_t FCommand = 0;
  HMENU FHandle = nullptr;
};

// Called after an item of the menu changed: source is the item, rebuild
// tells whether items came, went or were shown or hidden.
using TMenuChangeEvent = std::function<void(TObject* sender, TMenuItem* source, bool rebuild)>;

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root of the tree: its sub-items are the menu's items.
  TMenuItem* GetItems() const { return FItems; }
  HMENU GetHandle() { return FItems->GetHandle(); }
  // The item with this command identifier anywhere in the tree; null when none.
  TMenuItem* FindItem(uint16_t command) const;
  // The enabled item with this shortcut (depth first); null when none.
  TMenuItem* FindShortCut(TShortCut shortCut) const;
  // Clicks the item the key stands for. A disabled item does not take its
  // key. True when an item ran.
  bool IsShortCut(TShortCut shortCut);

  TMenuChangeEvent OnChange;

protected:
  friend class TMenuItem;
  // The root's handle: a menu bar or a pop-up menu.
  virtual HMENU CreateMenuHandle() = 0;
  virtual void MenuChanged(TMenuItem* source, bool rebuild);

private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  // The window whose menu bar shows the menu (TForm::SetMenu sets it), so
  // changes redraw the bar.
  void SetWindowHandle(HWND wnd) { FWindow = wnd; }
  // Whether a change of this item shows on the bar itself (a null item
  // stands for the whole menu); deeper items are seen when their drop-down
  // opens.
  bool ShowsOnBar(const TMenuItem* source) const {
    return !source || source == GetItems() || source->GetParent() == GetItems();
  }

protected:
  HMENU CreateMenuHandle() override;
  void MenuChanged(TMenuItem* source, bool rebuild) override;

private:
  HWND FWindow = nullptr;
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner);

  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
  // A right click or the menu key shows the menu only while this is set.
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  // The control the menu was opened for (the one whose PopupMenu it is, or
  // whatever the opener names); forgotten when that component goes.
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component);

  // OnPopup, then the menu at the screen point, placed by Alignment. The
  // chosen item is clicked once the menu has closed, through a posted
  // message: its handler may free the control that opened the menu.
  virtual void Popup(int x, int y);

  TNotifyEvent OnPopup;

  void Notification(TComponent* component, TOperation operation) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo* ClassInfo() const override;

protected:
  HMENU CreateMenuHandle() override;

private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
};

// Shows an item's sub-items as a pop-up menu at a screen point (the pop-up
// menus and the tool bar's drop-downs). exclude, in screen coordinates, is
// an area the menu should not cover. The chosen item is clicked through a
// posted message after the menu closed.
void TrackMenuItem(TMenuItem* item, int x, int y, TPopupAlignment alignment,
                   const TRect* exclude = nullptr);

// For the windows that menus report to (forms, the pop-up menus' window):
// handles a menu's WM_COMMAND (clicks the item), WM_INITMENUPOPUP (the item
// whose sub-menu opens is clicked first) and WM_MENUSELECT (hint). True when
// the message was a menu's and is done.
bool DispatchMenuMessage(TMessage& msg);

// The shortcut of a key message (its key and the modifiers held).
TShortCut ShortCutFromKeyMessage(const TWMKey& msg);
// A form's shortcuts, in this order: the form's menu bar (a form without one:
// the main menus it owns, which a tool bar may show), the pop-up menus of the
// focused control and of its parents, then the form's action lists.
bool IsFormShortCut(TForm* form, const TWMKey& msg);
// A right click or the menu key on control: the nearest pop-up menu up the
// parent chain (with AutoPopup) opens at the screen point, or below the
// control's top left corner for the key (x = y = -1). True when one opened.
bool ShowContextPopup(TControl* control, int x, int y);
