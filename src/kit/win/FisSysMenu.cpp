#include "kit/win/FisSysMenu.h"

#include "kit/SysMenuEntries.h"
#include "kit/win/RxHook.h"
#include "platform/ShortCuts.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"

#include <algorithm>

namespace {

// The application window is hooked once, for all instances.
int gInstances = 0;
int gAppHook = 0;

TSysMenuSource SourceOf(TMenuItem* item) {
  TSysMenuSource s;
  s.Caption = item->GetCaption();
  if (item->GetShortCut() != scNone) s.ShortCutText = ShortCutToText(item->GetShortCut());
  s.Checked = item->GetChecked();
  s.RadioItem = item->GetRadioItem();
  s.Enabled = item->GetEnabled();
  s.Break = item->GetBreak() == mbBreak ? 1 : item->GetBreak() == mbBarBreak ? 2 : 0;
  s.HasSubItems = item->GetCount() > 0;
  return s;
}

TfisSysMenu* SysMenuOf(TForm* form) {
  if (!form) return nullptr;
  for (int i = 0; i < form->GetComponentCount(); ++i)
    if (auto* m = dynamic_cast<TfisSysMenu*>(form->GetComponent(i))) return m;
  return nullptr;
}

}  // namespace

TfisSysMenu::TfisSysMenu(TComponent* owner, bool hookWhenWindowMade) : TComponent(owner) {
  FOwnerForm = dynamic_cast<TForm*>(owner);
  if (FOwnerForm) {
    for (int i = 0; i < FOwnerForm->GetComponentCount(); ++i) {
      TComponent* c = FOwnerForm->GetComponent(i);
      if (c != this && dynamic_cast<TfisSysMenu*>(c))
        throw EComponentError("Only one instance allowed");
    }
    FHook = new TRxWindowHook(this);
    FHook->BeforeMessage = [this](TObject*, TMessage& msg, bool&) { FormMessage(msg); };
    if (hookWhenWindowMade && !FOwnerForm->HandleAllocated())
      FWaitingForWindow = true;
    else
      FHook->SetWinControl(FOwnerForm);
  }
  if (++gInstances == 1 && Application)
    gAppHook = Application->HookMainWindow([](TMessage& msg) { return AppMessage(msg); });
}

void TfisSysMenu::FormWindowCreated() {
  if (!FWaitingForWindow) return;
  FWaitingForWindow = false;
  FHook->SetWinControl(FOwnerForm);
  if (FMenu && FEnabled) Rebuild();
}

TfisSysMenu::~TfisSysMenu() {
  FDestroying = true;
  delete FHook;
  FHook = nullptr;
  if (--gInstances == 0 && Application) {
    Application->UnhookMainWindow(gAppHook);
    gAppHook = 0;
  }
  Remove();
}

HMENU TfisSysMenu::WindowMenu() const {
  if (!FOwnerForm || !FOwnerForm->HandleAllocated()) return nullptr;
  return ::GetSystemMenu(FOwnerForm->GetHandle(), FALSE);
}

void TfisSysMenu::SetEnabled(bool v) {
  FEnabled = v;
  if (v)
    Rebuild();
  else
    Remove();
}

void TfisSysMenu::SetMenu(TPopupMenu* menu) {
  if (FMenu && FMenu != menu) FMenu->RemoveFreeNotification(this);
  FMenu = menu;
  if (menu) {
    menu->FreeNotification(this);
    if (FEnabled) Rebuild();
  } else {
    Remove();
  }
}

void TfisSysMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FMenu && !FDestroying) {
    FMenu = nullptr;
    Remove();
  }
}

void TfisSysMenu::Remove() {
  HMENU menu = WindowMenu();
  if (menu) {
    // Only our own entries, found by command or by our sub-menu, whatever
    // else the system or another program put there.
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_SUBMENU;
      if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
      const bool ours =
          info.hSubMenu ? std::find(FSubMenus.begin(), FSubMenus.end(), info.hSubMenu) != FSubMenus.end()
                        : std::find(FIds.begin(), FIds.end(), info.wID) != FIds.end();
      if (ours) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);  // frees our sub-menus too
    }
  } else {
    // No window any more: our sub-menus went with it, or were never shown.
    for (HMENU m : FSubMenus)
      if (::IsMenu(m)) ::DestroyMenu(m);
  }
  FIds.clear();
  FSubMenus.clear();
}

void TfisSysMenu::AppendItems(HMENU target, TMenuItem* parent, bool own) {
  for (int i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    const TSysMenuEntry e = MirrorMenuItem(SourceOf(item));
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    if (e.Kind == seSeparator) {
      // Our separators carry our separator's command, so they are found again.
      info.fType = MFT_SEPARATOR;
      info.wID = kSysMenuSeparatorId;
    } else {
      info.fMask |= MIIM_STRING;
      info.fType = MFT_STRING | (e.RadioCheck ? MFT_RADIOCHECK : 0) |
                   (e.BarBreak ? MFT_MENUBARBREAK : 0) | (e.Break ? MFT_MENUBREAK : 0);
      info.fState = (e.Checked ? MFS_CHECKED : 0) | (e.Grayed ? MFS_GRAYED : 0);
      info.dwTypeData = const_cast<char*>(e.Text.c_str());
      info.wID = item->GetCommand();
      if (e.Kind == sePopup) {
        // A window menu of its own: the item's own sub-menu belongs to the
        // pop-up menu, and deleting our entry would destroy it.
        HMENU sub = ::CreatePopupMenu();
        AppendItems(sub, item, false);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = sub;
        if (own) FSubMenus.push_back(sub);
      } else if (own) {
        FIds.push_back(info.wID);
      }
    }
    ::InsertMenuItemA(target, static_cast<UINT>(::GetMenuItemCount(target)), TRUE, &info);
  }
}

void TfisSysMenu::Rebuild() {
  Remove();
  HMENU menu = WindowMenu();
  if (!menu || !FMenu || !FEnabled) return;
  ::AppendMenuA(menu, MF_SEPARATOR, kSysMenuSeparatorId, nullptr);
  FIds.push_back(kSysMenuSeparatorId);
  AppendItems(menu, FMenu->GetItems(), true);
}

void TfisSysMenu::FormMessage(TMessage& msg) {
  if (msg.Msg == WM_DESTROY) {
    Remove();
  } else if (msg.Msg == WM_SYSCOMMAND && FMenu && FEnabled) {
    const auto command = static_cast<uint16_t>(msg.WParam & 0xFFFF);
    TMenuItem* item = command < 0xF000 ? FMenu->FindItem(command) : nullptr;
    if (item && item->GetEnabled()) {
      item->Click();
      // Check marks may have changed.
      Rebuild();
    }
  }
}

bool TfisSysMenu::AppMessage(TMessage& msg) {
  if (msg.Msg != CM_APPKEYDOWN || !Screen) return false;
  TfisSysMenu* self = SysMenuOf(Screen->GetActiveForm());
  if (!self || !self->FMenu || !self->FEnabled) return false;
  TWMKey key;
  key.Msg = WM_KEYDOWN;
  key.CharCode = static_cast<WORD>(msg.WParam);
  key.KeyData = msg.LParam;
  // Rebuilt only when one of the items ran: the main window has one of
  // these, and every key typed in the editor passes here.
  if (!self->FMenu->IsShortCut(ShortCutFromKeyMessage(key))) return false;
  self->Rebuild();
  msg.Result = 1;
  return true;
}

const TClassInfo& TfisSysMenu::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TfisSysMenu", &TComponent::StaticClassInfo())
          .Bool("Enabled", &TfisSysMenu::GetEnabled, &TfisSysMenu::SetEnabled);
  return info;
}
const TClassInfo* TfisSysMenu::ClassInfo() const { return &StaticClassInfo(); }
