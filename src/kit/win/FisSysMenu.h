// TfisSysMenu: mirrors the items of a pop-up menu into the window menu of
// the form that owns it, below a separator after the system's own entries.
// A click on an entry runs the item; the items' shortcuts work while the
// form is active. The component removes exactly what it added, builds its
// own sub-menus, and listens through chained hooks, so Wine's entries, other
// programs' additions and later subclassers of the form stay untouched.
#pragma once

#include "platform/Classes.h"
#include "platform/win/WinApi.h"

#include <vector>

class TForm;
class TMenuItem;
class TPopupMenu;
class TRxWindowHook;
struct TMessage;

// The command of the separator the component puts before its entries.
constexpr unsigned kSysMenuSeparatorId = 0xE000;

class TfisSysMenu : public TComponent {
public:
  // owner must be a form; a second one on the same form raises
  // EComponentError "Only one instance allowed".
  //
  // A form made hidden need not have its window yet: with hookWhenWindowMade
  // and a form without one, the component hooks the form and fills its
  // window menu only when the form calls FormWindowCreated (from its
  // CreateWnd), instead of making the form's window, and with it every child
  // window, at once.
  explicit TfisSysMenu(TComponent* owner, bool hookWhenWindowMade = false);
  ~TfisSysMenu() override;

  void FormWindowCreated();

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  TPopupMenu* GetMenu() const { return FMenu; }
  void SetMenu(TPopupMenu* menu);

  // Puts the entries in the window menu again (after the items changed).
  void Rebuild();

  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

private:
  void Remove();
  void AppendItems(HMENU target, TMenuItem* parent, bool own);
  void FormMessage(TMessage& msg);
  static bool AppMessage(TMessage& msg);
  HMENU WindowMenu() const;

  TForm* FOwnerForm = nullptr;
  bool FEnabled = true;
  TPopupMenu* FMenu = nullptr;
  TRxWindowHook* FHook = nullptr;
  bool FWaitingForWindow = false;  // FHook waits for the form's window
  // What we put in the window menu: the commands and our own sub-menus.
  std::vector<unsigned> FIds;
  std::vector<HMENU> FSubMenus;
  bool FDestroying = false;
};
