// Menu items, menus, the pop-up menus' window and the routing of menu
// messages and shortcuts.
#include "platform/win/Menus.h"

#include "platform/ShortCuts.h"
#include "platform/TypInfo.h"
#include "platform/win/Actions.h"
#include "platform/win/Application.h"
#include "platform/win/Controls.h"
#include "platform/win/Forms.h"
#include "platform/win/UtilWindow.h"

#include <algorithm>
#include <unordered_map>

TQ_DECLARE_EXCEPTION(EMenuError, Exception)

namespace {

// Command identifiers: the low ones are left to dialog buttons (IDOK, ...),
// and the system's commands begin at 0xF000.
constexpr uint16_t kFirstCommand = 0x100;
constexpr uint16_t kLastCommand = 0xEFFF;

// Every live item by its command and by its sub-menu's handle: menu
// messages name items only by these.
struct TMenuTable {
  std::unordered_map<uint16_t, TMenuItem*> Commands;
  std::unordered_map<HMENU, TMenuItem*> Handles;
  uint16_t Next = kFirstCommand;
};

TMenuTable& Table() {
  static TMenuTable table;
  return table;
}

uint16_t AllocateCommand(TMenuItem* item) {
  TMenuTable& t = Table();
  for (unsigned tries = kFirstCommand; tries <= kLastCommand; ++tries) {
    uint16_t id = t.Next;
    t.Next = id >= kLastCommand ? kFirstCommand : uint16_t(id + 1);
    if (t.Commands.emplace(id, item).second) return id;
  }
  throw EMenuError("Too many menu items");
}

TMenuItem* ItemByCommand(uint16_t command) {
  auto it = Table().Commands.find(command);
  return it == Table().Commands.end() ? nullptr : it->second;
}

TMenuItem* ItemByHandle(HMENU menu) {
  auto it = Table().Handles.find(menu);
  return it == Table().Handles.end() ? nullptr : it->second;
}

// What a pop-up menu's chosen command comes back as, after the menu closed.
constexpr UINT kPopupCommandMessage = WM_APP + 1;

// The owner of tracked pop-up menus: a hidden top-level window of ours that
// hears their WM_INITMENUPOPUP and WM_MENUSELECT.
HWND PopupWindow() {
  static TUtilityWindow window(
      [](TMessage& msg) {
        if (msg.Msg == kPopupCommandMessage) {
          if (TMenuItem* item = ItemByCommand(uint16_t(msg.WParam))) item->Click();
          return true;
        }
        return DispatchMenuMessage(msg);
      },
      false);
  return window.Handle();
}

std::string StripHotkey(const std::string& caption) {
  std::string s;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') s += caption[++i];
      continue;
    }
    s += caption[i];
  }
  return s;
}

// The system menu entry that shows item.
void FillEntry(TMenuItem* item, MENUITEMINFOA& info, std::string& text) {
  info = MENUITEMINFOA{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  info.wID = item->GetCommand();
  if (item->IsLine()) {
    info.fType = MFT_SEPARATOR;
    return;
  }
  info.fMask |= MIIM_STRING;
  info.fType = MFT_STRING;
  if (item->GetRadioItem()) info.fType |= MFT_RADIOCHECK;
  if (item->GetBreak() == mbBreak) info.fType |= MFT_MENUBREAK;
  if (item->GetBreak() == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  if (item->GetChecked()) info.fState |= MFS_CHECKED;
  if (!item->GetEnabled()) info.fState |= MFS_GRAYED;
  if (item->GetCount() > 0) info.hSubMenu = item->GetHandle();
  text = item->GetCaption();
  if (item->GetShortCut() != scNone) {
    std::string key = ShortCutToText(item->GetShortCut());
    if (!key.empty()) text += "\t" + key;
  }
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
}

// Position of item among the shown entries of its parent's menu.
UINT EntryPosition(const TMenuItem* parent, const TMenuItem* item) {
  UINT pos = 0;
  for (int i = 0; i < parent->GetCount() && parent->GetItem(i) != item; ++i)
    if (parent->GetItem(i)->GetVisible()) ++pos;
  return pos;
}

TMenuItem* FindByShortCut(TMenuItem* parent, TShortCut shortCut) {
  for (int i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    if (item->GetShortCut() == shortCut) return item;
    if (TMenuItem* found = FindByShortCut(item, shortCut)) return found;
  }
  return nullptr;
}

bool Contains(const TMenuItem* parent, const TMenuItem* item) {
  for (const TMenuItem* p = item; p; p = p->GetParent())
    if (p == parent) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMenuItem
// ---------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { FCommand = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) delete FItems.back();  // each leaves the list as it goes
  DestroyHandle();
  FActionLink.reset();
  Table().Commands.erase(FCommand);
}

void TMenuItem::Changed(bool rebuild) {
  if (GetComponentState().Contains(csDestroying)) return;
  if (FParent && FParent->FHandle) {
    if (rebuild) {
      FParent->RebuildHandle();
    } else if (FVisible) {
      MENUITEMINFOA info;
      std::string text;
      FillEntry(this, info, text);
      ::SetMenuItemInfoA(FParent->FHandle, EntryPosition(FParent, this), TRUE, &info);
    }
  }
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  // A separator and a text entry differ in kind: the menu is rebuilt.
  bool kindChanged = (caption == "-") != IsLine();
  FCaption = caption;
  Changed(kindChanged);
}

bool TMenuItem::CanCheckAsGroup(const TMenuItem* other) const {
  return other != this && other->FRadioItem && other->FGroupIndex == FGroupIndex;
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  if (checked && FRadioItem && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (CanCheckAsGroup(sibling)) sibling->SetChecked(false);
  Changed(false);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Changed(true);
}

void TMenuItem::SetRadioItem(bool radio) {
  if (radio == FRadioItem) return;
  FRadioItem = radio;
  Changed(false);
}

void TMenuItem::SetGroupIndex(int index) { FGroupIndex = index; }

void TMenuItem::SetBreak(TMenuBreak value) {
  if (value == FBreak) return;
  FBreak = value;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == FShortCut) return;
  FShortCut = shortCut;
  Changed(false);
}

void TMenuItem::SetHint(const std::string& hint) { FHint = hint; }

TBasicAction* TMenuItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TMenuItem::SetAction(TBasicAction* action) {
  if (!action) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink)
    FActionLink = std::make_unique<TActionLink>([this](TCustomAction& a) { ActionChanged(a); });
  FActionLink->SetAction(action);
}

void TMenuItem::ActionChanged(TCustomAction& action) {
  SetCaption(action.GetCaption());
  SetChecked(action.GetChecked());
  SetEnabled(action.GetEnabled());
  SetHint(action.GetHint());
  SetShortCut(action.GetShortCut());
  SetVisible(action.GetVisible());
}

TMenuItem* TMenuItem::GetItem(int i) const {
  if (i < 0 || i >= GetCount()) throw EMenuError(Format("Menu index out of range (%d)", i));
  return FItems[static_cast<size_t>(i)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (Contains(item, this)) throw EMenuError("A menu item cannot hold itself");
  if (item->FMenu) throw EMenuError("A menu's root cannot be inserted");
  if (item->FParent) {
    if (item->FParent == this && IndexOf(item) < index) --index;
    item->FParent->Remove(item);
  }
  if (index < 0 || index > GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  RebuildHandle();
  Changed(false);  // may have become a sub-menu
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(item, true);
}

void TMenuItem::Remove(TMenuItem* item) {
  int i = IndexOf(item);
  if (i < 0) return;
  FItems.erase(FItems.begin() + i);
  item->FParent = nullptr;
  if (GetComponentState().Contains(csDestroying)) return;
  RebuildHandle();
  Changed(false);  // may have stopped being a sub-menu
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, true);
}

void TMenuItem::Delete(int index) { delete GetItem(index); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

HMENU TMenuItem::GetHandle() {
  // A window destroys its menu bar with everything in it; such a handle is
  // made again.
  if (FHandle && !::IsMenu(FHandle)) {
    Table().Handles.erase(FHandle);
    FHandle = nullptr;
  }
  if (!FHandle) {
    FHandle = FMenu ? FMenu->CreateMenuHandle() : ::CreatePopupMenu();
    if (!FHandle) throw EOutOfResources("Out of system resources");
    Table().Handles[FHandle] = this;
    RebuildHandle();
  }
  return FHandle;
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) return;
  // RemoveMenu, not DeleteMenu: the sub-items' menus stay theirs.
  while (::GetMenuItemCount(FHandle) > 0)
    if (!::RemoveMenu(FHandle, 0, MF_BYPOSITION)) break;
  UINT pos = 0;
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    MENUITEMINFOA info;
    std::string text;
    FillEntry(item, info, text);
    ::InsertMenuItemA(FHandle, pos++, TRUE, &info);
  }
}

void TMenuItem::DestroyHandle() {
  if (!FHandle) return;
  Table().Handles.erase(FHandle);
  if (::IsMenu(FHandle)) {
    // Destroying a menu destroys the menus in it: take the sub-items' out.
    while (::GetMenuItemCount(FHandle) > 0)
      if (!::RemoveMenu(FHandle, 0, MF_BYPOSITION)) break;
    ::DestroyMenu(FHandle);
  }
  FHandle = nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (OnClick)
    OnClick(this);
  else if (FActionLink)
    FActionLink->Execute();
}

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TMenuItem", &TComponent::StaticClassInfo())
          .Object("Action", &TMenuItem::GetAction, &TMenuItem::SetAction)
          .Enum("Break", {"mbNone", "mbBreak", "mbBarBreak"}, &TMenuItem::GetBreak, &TMenuItem::SetBreak)
          .String("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption)
          .Bool("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked)
          .Bool("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled)
          .Integer("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex)
          .String("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint)
          .Bool("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem)
          .Integer("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut)
          .Bool("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible);
  return info;
}
const TClassInfo* TMenuItem::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TMenu
// ---------------------------------------------------------------------------
TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  delete FItems;
}

TMenuItem* TMenu::FindItem(uint16_t command) const {
  TMenuItem* item = ItemByCommand(command);
  return item && item != FItems && Contains(FItems, item) ? item : nullptr;
}

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
  if (shortCut == scNone) return nullptr;
  return FindByShortCut(FItems, shortCut);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  TMenuItem* item = FindShortCut(shortCut);
  if (!item) return false;
  // The sub-menus on the way are clicked first, top down, as if opened:
  // their handlers may bring the item up to date (or replace it).
  uint16_t command = item->GetCommand();
  std::vector<uint16_t> parents;
  for (TMenuItem* p = item->GetParent(); p && p != FItems; p = p->GetParent())
    parents.push_back(p->GetCommand());
  for (auto it = parents.rbegin(); it != parents.rend(); ++it)
    if (TMenuItem* p = FindItem(*it)) p->Click();
  item = FindItem(command);
  if (!item || !item->GetEnabled() || item->GetShortCut() != shortCut) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  if (OnChange) OnChange(this, source, rebuild);
}

// ---------------------------------------------------------------------------
// TMainMenu, TPopupMenu
// ---------------------------------------------------------------------------
TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() {
  // A window would destroy the bar it still shows together with our menus.
  if (FWindow && ::IsWindow(FWindow) && GetItems()->FHandle &&
      ::GetMenu(FWindow) == GetItems()->FHandle)
    ::SetMenu(FWindow, nullptr);
}

HMENU TMainMenu::CreateMenuHandle() { return ::CreateMenu(); }

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  if (ShowsOnBar(source) && FWindow && ::IsWindow(FWindow) && ::GetMenu(FWindow) == GetItems()->FHandle)
    ::DrawMenuBar(FWindow);
  TMenu::MenuChanged(source, rebuild);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HMENU TPopupMenu::CreateMenuHandle() { return ::CreatePopupMenu(); }

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == FPopupComponent) return;
  if (FPopupComponent) RemoveFreeNotification(FPopupComponent);
  FPopupComponent = component;
  if (component) FreeNotification(component);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  TrackMenuItem(GetItems(), x, y, FAlignment);
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TPopupMenu", &TComponent::StaticClassInfo())
          .Enum("Alignment", {"paLeft", "paRight", "paCenter"}, &TPopupMenu::GetAlignment,
                &TPopupMenu::SetAlignment)
          .Bool("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup);
  return info;
}
const TClassInfo* TPopupMenu::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// Tracking and message routing
// ---------------------------------------------------------------------------
void TrackMenuItem(TMenuItem* item, int x, int y, TPopupAlignment alignment, const TRect* exclude) {
  HMENU menu = item->GetHandle();
  UINT flags = TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_RIGHTBUTTON;
  flags |= alignment == paRight ? TPM_RIGHTALIGN : alignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
  TPMPARAMS params{};
  params.cbSize = sizeof params;
  if (exclude) params.rcExclude = RECT{exclude->Left, exclude->Top, exclude->Right, exclude->Bottom};
  HWND owner = PopupWindow();
  UINT command = ::TrackPopupMenuEx(menu, flags, x, y, owner, exclude ? &params : nullptr);
  // The click comes after the menu is gone and this call has returned, so
  // the item's handler may free whatever opened the menu.
  if (command) ::PostMessageA(owner, kPopupCommandMessage, command, 0);
}

bool DispatchMenuMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_COMMAND: {
      if (msg.LParam != 0 || HIWORD(msg.WParam) != 0) return false;
      TMenuItem* item = ItemByCommand(LOWORD(msg.WParam));
      if (!item) return false;
      msg.Result = 0;
      item->Click();
      return true;
    }
    case WM_INITMENUPOPUP: {
      TMenuItem* item = ItemByHandle(reinterpret_cast<HMENU>(msg.WParam));
      if (!item) return false;
      msg.Result = 0;
      // A pop-up menu's root has had OnPopup; a sub-menu's item is clicked.
      if (item->GetParent()) item->Click();
      return true;
    }
    case WM_MENUSELECT: {
      UINT flags = HIWORD(msg.WParam);
      auto menu = reinterpret_cast<HMENU>(msg.LParam);
      TMenuItem* item = nullptr;
      if (flags == 0xFFFF && !menu) {
        if (Application) Application->SetHint(std::string());  // the menu closed
        return false;
      }
      if (flags & MF_POPUP)
        item = ItemByHandle(::GetSubMenu(menu, LOWORD(msg.WParam)));
      else
        item = ItemByCommand(LOWORD(msg.WParam));
      if (!item) return false;
      if (Application) Application->SetHint(GetLongHint(item->GetHint()));
      msg.Result = 0;
      return true;
    }
    default:
      return false;
  }
}

TShortCut ShortCutFromKeyMessage(const TWMKey& msg) {
  return ShortCut(msg.CharCode, KeyDataToShiftState(msg.KeyData));
}

bool IsFormShortCut(TForm* form, const TWMKey& msg) {
  TShortCut shortCut = ShortCutFromKeyMessage(msg);
  if ((shortCut & 0xFF) == 0) return false;
  // A handler may add or free components: walk by index.
  if (TMainMenu* bar = form->GetMenu()) {
    if (bar->IsShortCut(shortCut)) return true;
  } else {
    for (int i = 0; i < form->GetComponentCount(); ++i)
      if (auto* menu = dynamic_cast<TMainMenu*>(form->GetComponent(i)); menu && menu->IsShortCut(shortCut))
        return true;
  }
  for (TControl* c = form->GetActiveControl(); c; c = c->GetParent())
    if (TPopupMenu* popup = c->GetPopupMenu(); popup && popup->IsShortCut(shortCut)) return true;
  for (int i = 0; i < form->GetComponentCount(); ++i)
    if (auto* list = dynamic_cast<TActionList*>(form->GetComponent(i)); list && list->IsShortCut(shortCut))
      return true;
  return false;
}

bool ShowContextPopup(TControl* control, int x, int y) {
  for (TControl* c = control; c; c = c->GetParent()) {
    TPopupMenu* popup = c->GetPopupMenu();
    if (!popup || !popup->GetAutoPopup()) continue;
    if (x == -1 && y == -1) {
      TPoint p = control->ClientToScreen(TPoint(0, 0));
      x = p.X;
      y = p.Y;
    }
    popup->SetPopupComponent(c);
    popup->Popup(x, y);
    return true;
  }
  return false;
}
