// The control bar: grips painted by us, bands moved with the mouse.
#include "platform/win/ToolWin.h"

#include "platform/TypInfo.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win/Actions.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ImgList.h"
#include "platform/win/Menus.h"

TControlBar::TControlBar(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 100, 50);
}

void TControlBar::SetRowSize(int value) {
  FRowSize = std::max(value, 1);
}

TControl* TControlBar::GripAt(int x, int y) const {
  for (int i = GetControlCount() - 1; i >= 0; --i) {
    TControl* c = GetControl(i);
    if (!c->GetVisible()) continue;
    TRect grip(c->GetLeft() - GripWidth, c->GetTop(), c->GetLeft(), c->GetTop() + c->GetHeight());
    if (grip.Contains(TPoint(x, y))) return c;
  }
  return nullptr;
}

void TControlBar::Paint() {
  ICanvas& canvas = *GetCanvas();
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(GetColor());
  canvas.FillRect(GetClientRect());
  // Two raised ridges make a band's grip.
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControl(i);
    if (!c->GetVisible()) continue;
    int top = c->GetTop() + 2, bottom = c->GetTop() + c->GetHeight() - 2;
    for (int ridge = 0; ridge < 2; ++ridge) {
      int x = c->GetLeft() - GripWidth + 3 + ridge * 3;
      canvas.SetBrushColor(clBtnHighlight);
      canvas.FillRect(TRect(x, top, x + 1, bottom));
      canvas.SetBrushColor(clBtnShadow);
      canvas.FillRect(TRect(x + 1, top, x + 2, bottom));
    }
  }
}

void TControlBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FDragBand = GripAt(x, y);
    FDragFrom = TPoint(x, y);
    if (FDragBand) FBandFrom = FDragBand->GetBoundsRect();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TControlBar::MouseMove(TShiftState shift, int x, int y) {
  if (FDragBand) {
    TRect client = GetClientRect();
    int w = FBandFrom.Width(), h = FBandFrom.Height();
    int left = std::clamp(FBandFrom.Left + x - FDragFrom.X, static_cast<int>(GripWidth),
                          std::max(static_cast<int>(GripWidth), client.Right - w));
    int top = FBandFrom.Top + y - FDragFrom.Y;
    top = (top + FRowSize / 2) / FRowSize * FRowSize;
    top = std::clamp(top, 0, std::max(0, client.Bottom - h));
    if (left != FDragBand->GetLeft() || top != FDragBand->GetTop()) {
      FDragBand->SetBounds(left, top, w, h);
      Invalidate();
      if (OnBandMove) OnBandMove(this, FDragBand);
    }
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TControlBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) FDragBand = nullptr;
  TCustomControl::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------------------
// TToolButton
// ---------------------------------------------------------------------------
namespace {
// Command identifiers of tool buttons; below 0xF000 like every command of ours.
int NextButtonId() {
  static int next = 0x9000;
  if (++next >= 0xEFFF) next = 0x9001;
  return next;
}
}  // namespace

TToolButton::TToolButton(TComponent* owner) : TComponent(owner), FId(NextButtonId()) {}

TToolButton::~TToolButton() {
  SetToolBar(nullptr);
  SetAction(nullptr);
  SetMenuItem(nullptr);
  SetDropDownMenu(nullptr);
}

void TToolButton::SetToolBar(TToolBar* bar) {
  if (bar == FToolBar) return;
  if (FToolBar) FToolBar->RemoveButton(this);
  FToolBar = bar;
  if (FToolBar) FToolBar->InsertButton(this);
}

int TToolButton::GetIndex() const {
  if (!FToolBar) return -1;
  auto& b = FToolBar->FButtons;
  return static_cast<int>(std::find(b.begin(), b.end(), this) - b.begin());
}

void TToolButton::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  if (FToolBar) FToolBar->UpdateButton(this);
}

void TToolButton::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  if (FToolBar) FToolBar->UpdateButton(this);
}

void TToolButton::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  if (FToolBar) FToolBar->UpdateTip(this);
}

void TToolButton::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (FToolBar) FToolBar->UpdateButton(this);
}

bool TToolButton::GetDown() const {
  if (FToolBar && FToolBar->HandleAllocated())
    return ::SendMessageA(FToolBar->GetHandle(), TB_ISBUTTONCHECKED, FId, 0) != 0;
  return FDown;
}

void TToolButton::SetDown(bool value) {
  FDown = value;
  if (FToolBar) FToolBar->UpdateButton(this);
}

void TToolButton::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->RecreateWnd();
}

void TToolButton::SetGrouped(bool value) {
  if (value == FGrouped) return;
  FGrouped = value;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->RecreateWnd();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->RecreateWnd();
}

void TToolButton::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = action;
  if (FAction) FAction->FreeNotification(this);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
  if (item == FMenuItem) return;
  if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
  FMenuItem = item;
  if (!FMenuItem) return;
  FMenuItem->FreeNotification(this);
  SetCaption(FMenuItem->GetCaption());
}

void TToolButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = menu;
  if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
  // The arrow is part of the button's style in the bar's window.
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->RecreateWnd();
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FAction) FAction = nullptr;
  if (component == FMenuItem) FMenuItem = nullptr;
  if (component == FDropDownMenu) FDropDownMenu = nullptr;
}

void TToolButton::Click() {
  if (FMenuItem && FToolBar)
    FToolBar->DropDown(this);
  else if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

// ---------------------------------------------------------------------------
// TToolBar
// ---------------------------------------------------------------------------
TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

TToolBar::~TToolBar() {
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
  FButtons.clear();
  SetImages(nullptr);
}

void TToolBar::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = TOOLBARCLASSNAMEA;
  // We place the bar ourselves (Align), not the control at its parent's top.
  params.Style |= TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
  if (FFlat) params.Style |= TBSTYLE_FLAT;
  // Text beside the glyph, and only on the buttons that show it (mixed
  // buttons): a bar without captions keeps its buttons' texts for their
  // tips but makes no room for a row of text under every glyph.
  params.Style |= TBSTYLE_LIST;
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  ::SendMessageA(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageA(FHandle, TB_SETEXTENDEDSTYLE, 0,
                 TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  ::SendMessageA(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
  // A new window takes all its buttons in one message and sizes them once:
  // one at a time, the bar would lay out all of its buttons again for each.
  if (FButtons.empty()) return;
  std::vector<TBBUTTON> buttons;
  buttons.reserve(FButtons.size());
  for (TToolButton* b : FButtons) buttons.push_back(WindowButton(b));
  ::SendMessageA(FHandle, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  for (TToolButton* b : FButtons) UpdateTip(b);
  ::SendMessageA(FHandle, TB_AUTOSIZE, 0, 0);
}

TBBUTTON TToolBar::WindowButton(TToolButton* b) const {
  TBBUTTON tb{};
  tb.idCommand = b->FId;
  tb.iBitmap = b->FStyle == tbsSeparator ? 6 : (b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE);
  tb.fsState = static_cast<BYTE>((b->FEnabled ? TBSTATE_ENABLED : 0) | (b->FDown ? TBSTATE_CHECKED : 0));
  switch (b->FStyle) {
    case tbsCheck: tb.fsStyle = BTNS_CHECK; break;
    case tbsDropDown: tb.fsStyle = BTNS_WHOLEDROPDOWN; break;
    case tbsSeparator: tb.fsStyle = BTNS_SEP; break;
    default: tb.fsStyle = b->FDropDownMenu ? BTNS_DROPDOWN : BTNS_BUTTON; break;
  }
  if (b->FAutoSize) tb.fsStyle |= BTNS_AUTOSIZE;
  if (b->FGrouped) tb.fsStyle |= BTNS_GROUP;
  if ((FShowCaptions || b->FMenuItem) && !b->FCaption.empty()) tb.fsStyle |= BTNS_SHOWTEXT;
  // The text is copied into the bar's own string pool.
  tb.iString = b->FCaption.empty() ? -1 : reinterpret_cast<INT_PTR>(b->FCaption.c_str());
  return tb;
}

void TToolBar::AddToWindow(TToolButton* b, int index) {
  if (!FHandle) return;
  TBBUTTON tb = WindowButton(b);
  ::SendMessageA(FHandle, TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&tb));
  UpdateTip(b);
  ::SendMessageA(FHandle, TB_AUTOSIZE, 0, 0);
}

void TToolBar::UpdateButton(TToolButton* b) {
  if (!FHandle) return;
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT | TBIF_IMAGE | TBIF_STATE;
  std::string text = b->FCaption;
  info.pszText = text.data();
  info.iImage = b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE;
  info.fsState = static_cast<BYTE>((b->FEnabled ? TBSTATE_ENABLED : 0) | (b->FDown ? TBSTATE_CHECKED : 0));
  ::SendMessageA(FHandle, TB_SETBUTTONINFOA, b->FId, reinterpret_cast<LPARAM>(&info));
  ::SendMessageA(FHandle, TB_AUTOSIZE, 0, 0);
}

void TToolBar::UpdateTip(TToolButton* b) {
  if (!FHandle) return;
  HWND tips = reinterpret_cast<HWND>(::SendMessageA(FHandle, TB_GETTOOLTIPS, 0, 0));
  if (!tips) return;
  std::string text = GetShortHint(b->FHint);
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = FHandle;
  ti.uId = static_cast<UINT_PTR>(b->FId);
  ti.lpszText = text.data();
  ::SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TToolBar::InsertButton(TToolButton* b) {
  FButtons.push_back(b);
  AddToWindow(b, GetButtonCount() - 1);
}

void TToolBar::RemoveButton(TToolButton* b) {
  auto it = std::find(FButtons.begin(), FButtons.end(), b);
  if (it == FButtons.end()) return;
  if (FHandle) ::SendMessageA(FHandle, TB_DELETEBUTTON, it - FButtons.begin(), 0);
  FButtons.erase(it);
}

void TToolBar::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  if (FHandle) {
    ::SendMessageA(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FImages) FImages = nullptr;
}

void TToolBar::SetShowCaptions(bool value) {
  if (value == FShowCaptions) return;
  FShowCaptions = value;
  if (FHandle) RecreateWnd();
}

void TToolBar::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  if (FHandle) RecreateWnd();
}

TRect TToolBar::GetButtonRect(int i) {
  if (!FHandle) return TRect();
  RECT r{};
  if (!::SendMessageA(FHandle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) return TRect();
  return TRect(r.left, r.top, r.right, r.bottom);
}

namespace {
// The menu loop of a drop-down, seen through the message filter hook: Left
// and Right at its first level end it and ask for the neighbouring one.
struct TDropState {
  HMENU Menu = nullptr;
  int Move = 0;
};
TDropState* gDrop = nullptr;
HHOOK gDropHook = nullptr;

BOOL CALLBACK CountMenuWindow(HWND wnd, LPARAM counter) {
  char name[16] = {};
  ::GetClassNameA(wnd, name, sizeof name);
  if (std::string(name) == "#32768" && ::IsWindowVisible(wnd)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// A sub-menu of the drop-down is open: the arrows then belong to the menu.
bool SubMenuOpen() {
  int open = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountMenuWindow, reinterpret_cast<LPARAM>(&open));
  return open > 1;
}

bool SelectedHasSubMenu(HMENU menu) {
  const int n = ::GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i)
    if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return ::GetSubMenu(menu, i) != nullptr;
  return false;
}

LRESULT CALLBACK DropDownHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* m = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_MENU && gDrop && m->message == WM_KEYDOWN && (m->wParam == VK_LEFT || m->wParam == VK_RIGHT) &&
      !SubMenuOpen() && !(m->wParam == VK_RIGHT && SelectedHasSubMenu(gDrop->Menu))) {
    gDrop->Move = m->wParam == VK_LEFT ? -1 : 1;
    ::EndMenu();
    return 1;
  }
  return ::CallNextHookEx(gDropHook, code, wParam, lParam);
}
}  // namespace

void TToolBar::DropDown(TToolButton* button) {
  // One drop-down at a time; a click while one is open only ends it.
  if (gDrop || !button || !button->FMenuItem || button->FToolBar != this) return;
  std::vector<TToolButton*> menus;
  for (TToolButton* b : FButtons)
    if (b->FMenuItem && b->FEnabled) menus.push_back(b);
  auto at = std::find(menus.begin(), menus.end(), button);
  if (at == menus.end()) return;
  size_t index = static_cast<size_t>(at - menus.begin());
  TDropState state;
  gDrop = &state;
  gDropHook = ::SetWindowsHookExA(WH_MSGFILTER, DropDownHook, nullptr, ::GetCurrentThreadId());
  for (;;) {
    TToolButton* b = menus[index];
    state.Menu = b->FMenuItem->GetHandle();
    state.Move = 0;
    const int i = b->GetIndex();
    TRect r = GetButtonRect(i);
    TPoint topLeft = ClientToScreen(TPoint(r.Left, r.Top));
    TRect exclude(topLeft.X, topLeft.Y, topLeft.X + r.Right - r.Left, topLeft.Y + r.Bottom - r.Top);
    ::SendMessageA(FHandle, TB_PRESSBUTTON, b->FId, TRUE);
    // The item's OnClick runs as its sub-menu opens (WM_INITMENUPOPUP), so
    // it may still fill the sub-items.
    TrackMenuItem(b->FMenuItem, exclude.Left, exclude.Bottom, paLeft, &exclude);
    if (FHandle) ::SendMessageA(FHandle, TB_PRESSBUTTON, b->FId, FALSE);
    if (!state.Move || !FHandle) break;
    index = (index + menus.size() + static_cast<size_t>(state.Move)) % menus.size();
  }
  ::UnhookWindowsHookEx(gDropHook);
  gDropHook = nullptr;
  gDrop = nullptr;
}

void TToolBar::DropDownMenu(TToolButton* button) {
  TPopupMenu* menu = button ? button->FDropDownMenu : nullptr;
  if (!menu || !menu->GetAutoPopup() || !FHandle || button->FToolBar != this) return;
  const TRect r = GetButtonRect(button->GetIndex());
  int x = r.Left - 1;
  if (menu->GetAlignment() == paRight) x = r.Right + 1;
  if (menu->GetAlignment() == paCenter) x = (r.Left + r.Right) / 2;
  const TPoint at = ClientToScreen(TPoint(x, r.Bottom));
  menu->SetPopupComponent(button);
  menu->Popup(at.X, at.Y);
  // The press that closed the menu, when it was on this button, would only
  // open it again.
  MSG m;
  while (::PeekMessageA(&m, FHandle, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_NOREMOVE) &&
         (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK) &&
         r.Contains(TPoint(short(LOWORD(m.lParam)), short(HIWORD(m.lParam)))))
    ::PeekMessageA(&m, FHandle, m.message, m.message, PM_REMOVE);
}

bool TToolBar::TrackMenuKeys() {
  if (gDrop || !FHandle || !GetVisible() || !GetEnabled()) return false;
  std::vector<TToolButton*> menus;
  for (TToolButton* b : FButtons)
    if (b->FMenuItem && b->FEnabled) menus.push_back(b);
  if (menus.empty()) return false;
  const HWND top = ::GetAncestor(FHandle, GA_ROOT);
  size_t index = 0;
  TToolButton* drop = nullptr;
  const auto hot = [&](int i) { ::SendMessageA(FHandle, TB_SETHOTITEM, WPARAM(i), 0); };
  hot(menus[index]->GetIndex());
  for (bool tracking = true; tracking && FHandle;) {
    MSG m;
    if (!::PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {
      ::WaitMessage();
      continue;
    }
    // A click anywhere, the window losing the front or the end of the
    // program leaves the mode and is handled as usual.
    if (m.message == WM_QUIT || (m.message >= WM_LBUTTONDOWN && m.message <= WM_MBUTTONDBLCLK) ||
        (m.message >= WM_NCLBUTTONDOWN && m.message <= WM_NCMBUTTONDBLCLK) || ::GetForegroundWindow() != top)
      break;
    ::PeekMessageA(&m, nullptr, m.message, m.message, PM_REMOVE);
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
      switch (m.wParam) {
        case VK_LEFT:
        case VK_RIGHT:
          index = (index + menus.size() + (m.wParam == VK_LEFT ? size_t(-1) : 1)) % menus.size();
          hot(menus[index]->GetIndex());
          break;
        case VK_DOWN:
        case VK_RETURN:
          drop = menus[index];
          tracking = false;
          break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
          tracking = false;
          break;
        default:
          for (TToolButton* b : menus)
            if (m.wParam < 0x80 && IsAccel(static_cast<char>(m.wParam), b->FCaption)) {
              drop = b;
              tracking = false;
              break;
            }
          break;
      }
      continue;
    }
    // The rest of the keys' messages belong to the mode too.
    if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP || m.message == WM_CHAR || m.message == WM_SYSCHAR)
      continue;
    ::TranslateMessage(&m);
    ::DispatchMessageA(&m);
  }
  if (FHandle) hot(-1);
  if (drop) DropDown(drop);
  return true;
}

bool TToolBar::DialogChar(char ch) {
  if (!GetVisible() || !GetEnabled() || !FHandle) return false;
  for (TToolButton* b : FButtons)
    if (b->FMenuItem && b->FEnabled && IsAccel(ch, b->FCaption)) {
      DropDown(b);
      return true;
    }
  return false;
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
  if (value == FEdgeBorders) return;
  FEdgeBorders = value;
  if (FHandle)
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TToolBar::GetButtonsWidth() {
  int right = 0;
  for (int i = 0; i < GetButtonCount(); ++i) right = std::max(right, GetButtonRect(i).Right);
  return right;
}

void TToolBar::WndProc(TMessage& msg) {
  if (FEdgeBorders && msg.Msg == WM_NCCALCSIZE) {
    // Each edge takes two pixels off the buttons' room.
    TWinControl::WndProc(msg);
    RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam)->rgrc[0];
    if (FEdgeBorders & ebLeft) r.left += 2;
    if (FEdgeBorders & ebTop) r.top += 2;
    if (FEdgeBorders & ebRight) r.right -= 2;
    if (FEdgeBorders & ebBottom) r.bottom -= 2;
    return;
  }
  if (FEdgeBorders && msg.Msg == WM_NCPAINT) {
    TWinControl::WndProc(msg);
    HDC dc = ::GetWindowDC(FHandle);
    RECT r{};
    ::GetWindowRect(FHandle, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    UINT sides = ((FEdgeBorders & ebLeft) ? BF_LEFT : 0) | ((FEdgeBorders & ebTop) ? BF_TOP : 0) |
                 ((FEdgeBorders & ebRight) ? BF_RIGHT : 0) | ((FEdgeBorders & ebBottom) ? BF_BOTTOM : 0);
    ::DrawEdge(dc, &r, EDGE_ETCHED, sides);
    ::ReleaseDC(FHandle, dc);
    return;
  }
  if (msg.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(msg.LParam)->code == UINT(TBN_DROPDOWN)) {
    const int id = reinterpret_cast<NMTOOLBARA*>(msg.LParam)->iItem;
    for (TToolButton* b : FButtons)
      if (b->FId == id) {
        // A whole drop-down button without a menu is a plain button.
        if (b->FDropDownMenu) DropDownMenu(b);
        else b->Click();
        break;
      }
    msg.Result = TBDDRET_DEFAULT;
    return;
  }
  if (msg.Msg == CN_COMMAND) {
    const int id = LOWORD(msg.WParam);
    for (TToolButton* b : FButtons)
      if (b->FId == id) {
        if (b->FStyle == tbsCheck) b->FDown = b->GetDown();
        b->Click();
        msg.Result = 0;
        return;
      }
  }
  TWinControl::WndProc(msg);
}

const TClassInfo& TToolButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TToolButton", &TComponent::StaticClassInfo())
          .String("Caption", &TToolButton::GetCaption, &TToolButton::SetCaption)
          .String("Hint", &TToolButton::GetHint, &TToolButton::SetHint)
          .Integer("ImageIndex", &TToolButton::GetImageIndex, &TToolButton::SetImageIndex)
          .Bool("Enabled", &TToolButton::GetEnabled, &TToolButton::SetEnabled)
          .Bool("Down", &TToolButton::GetDown, &TToolButton::SetDown)
          .Bool("AutoSize", &TToolButton::GetAutoSize, &TToolButton::SetAutoSize)
          .Bool("Grouped", &TToolButton::GetGrouped, &TToolButton::SetGrouped)
          .Enum("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator"}, &TToolButton::GetStyle,
                &TToolButton::SetStyle)
          .Integer("Tag", &TToolButton::GetTag, &TToolButton::SetTag);
  return info;
}
const TClassInfo* TToolButton::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TToolBar", &TWinControl::StaticClassInfo())
          .Bool("ShowCaptions", &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions)
          .Bool("Flat", &TToolBar::GetFlat, &TToolBar::SetFlat);
  return info;
}
const TClassInfo* TToolBar::ClassInfo() const { return &StaticClassInfo(); }
