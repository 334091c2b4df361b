// TControl, TWinControl and TCustomControl.
#include "platform/win/Controls.h"

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Actions.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

// The window property that points from a window to its control.
const char* ControlProp() {
  static ATOM atom = ::GlobalAddAtomA("TqControl");
  return MAKEINTATOM(atom);
}

// The control whose window is being created on this thread: the first
// message of the new window binds it.
thread_local TWinControl* gCreatingControl = nullptr;

// Wine keeps window properties in its server, so reading one is a round
// trip: once per message, that was most of the time a list box took to
// fill. A window's messages come on the thread that made it, so each thread
// also keeps its own windows' controls here; the property stays for a look
// from another thread.
thread_local std::unordered_map<HWND, TWinControl*> gControlsByWindow;

void BindWindow(HWND wnd, TWinControl* control) {
  ::SetPropA(wnd, ControlProp(), control);
  gControlsByWindow[wnd] = control;
}

void UnbindWindow(HWND wnd) {
  ::RemovePropA(wnd, ControlProp());
  gControlsByWindow.erase(wnd);
}

TWinControl* BoundControl(HWND wnd) {
  const auto it = gControlsByWindow.find(wnd);
  return it != gControlsByWindow.end() ? it->second : static_cast<TWinControl*>(::GetPropA(wnd, ControlProp()));
}

// Window procedures of the system classes we build our classes from.
std::map<std::string, WNDPROC>& SystemProcs() {
  static std::map<std::string, WNDPROC> procs;
  return procs;
}

}  // namespace

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (::GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (::GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (::GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s;
  if (::GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (::GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  // Bit 29 of the key data: Alt was down (also for keys sent, not typed).
  if (keyData & 0x20000000) s.Include(ssAlt);
  return s;
}

std::string GetShortHint(const std::string& hint) {
  size_t p = hint.find('|');
  return p == std::string::npos ? hint : hint.substr(0, p);
}

std::string GetLongHint(const std::string& hint) {
  size_t p = hint.find('|');
  return p == std::string::npos ? hint : hint.substr(p + 1);
}

bool IsAccel(char ch, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(std::string(1, caption[i + 1])) == AnsiUpperCase(std::string(1, ch));
  }
  return false;
}

TForm* GetParentForm(TControl* control) {
  while (control && control->GetParent()) control = control->GetParent();
  return dynamic_cast<TForm*>(control);
}

// ---------------------------------------------------------------------------
// TControl
// ---------------------------------------------------------------------------
TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this](TObject*) { FontChanged(); };
}

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TControl", &TComponent::StaticClassInfo())
          .Integer("Left", &TControl::GetLeft, &TControl::SetLeft)
          .Integer("Top", &TControl::GetTop, &TControl::SetTop)
          .Integer("Width", &TControl::GetWidth, &TControl::SetWidth)
          .Integer("Height", &TControl::GetHeight, &TControl::SetHeight)
          .Bool("Visible", &TControl::GetVisible, &TControl::SetVisible)
          .Bool("Enabled", &TControl::GetEnabled, &TControl::SetEnabled)
          .String("Hint", &TControl::GetHint, &TControl::SetHint)
          .Bool("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint)
          .Integer("Color", &TControl::GetColor, &TControl::SetColor)
          .Object("Font", &TControl::GetFontObject, &TControl::SetFontObject)
          .Integer("Cursor", &TControl::GetCursor, &TControl::SetCursor);
  return info;
}
const TClassInfo* TControl::ClassInfo() const { return &StaticClassInfo(); }

TControl::~TControl() {
  if (Application) Application->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  for (TWinControl* p = parent; p; p = p->GetParent())
    if (p == this) throw EComponentError("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  bool sized = width != FWidth || height != FHeight;
  Invalidate();  // where it was
  StoreBounds(left, top, width, height);
  Invalidate();  // where it is
  BoundsChanged(sized);
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->InvalidateRect(GetBoundsRect());
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  // Shown at the next mouse move, as the window system asks for the cursor then.
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::BoundsChanged(bool sized) {
  if (sized) Resize();
  if (FParent && FAlign != alNone) FParent->ChildChanged(this);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  TAlign old = FAlign;
  FAlign = align;
  if (FParent && (old != alNone || align != alNone)) FParent->ChildChanged(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) Invalidate();
  FVisible = visible;
  if (visible) Invalidate();
  if (FParent && FAlign != alNone) FParent->ChildChanged(this);
}

bool TControl::IsShowing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Invalidate();
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Invalidate();
}

void TControl::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Invalidate();
}

bool TControl::GetShowHint() const {
  if (FParentShowHint && FParent) return FParent->GetShowHint();
  return FShowHint;
}

void TControl::SetShowHint(bool show) {
  FShowHint = show;
  FParentShowHint = false;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint r(p.X + FLeft, p.Y + FTop);
  return FParent ? FParent->ClientToScreen(r) : r;
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint origin = ClientToScreen(TPoint(0, 0));
  return TPoint(p.X - origin.X, p.Y - origin.Y);
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else if (FActionLink)
    FActionLink->Execute();
}

TBasicAction* TControl::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TControl::SetAction(TBasicAction* action) {
  if (!action) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink)
    FActionLink = std::make_unique<TActionLink>([this](TCustomAction& a) { ActionChange(a); });
  FActionLink->SetAction(action);
}

void TControl::ActionChange(TCustomAction& action) {
  SetCaption(action.GetCaption());
  SetEnabled(action.GetEnabled());
  SetHint(action.GetHint());
  SetVisible(action.GetVisible());
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = menu;
  if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

// ---------------------------------------------------------------------------
// TWinControl
// ---------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  DestroyHandle();
  // A parent takes its child controls with it, whoever owns them (closing a
  // tab sheet frees the editor on it); each removes itself from its owner.
  while (!FControls.empty()) delete FControls.back();
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != ::GetCurrentProcessId()) return nullptr;
  return BoundControl(wnd);
}

void TWinControl::InsertControl(TControl* control) {
  control->FParent = this;
  FControls.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    FTabList.push_back(w);
    if (FHandle) {
      if (w->FHandle)
        ::SetParent(w->FHandle, FHandle);
      else if (!w->WaitsForShowing())
        w->CreateHandle();
    }
  }
  if (control->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  if (TForm* form = GetParentForm(this)) form->ControlRemoved(control);
  // Its window is a child of ours and cannot stay without a parent window.
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->DestroyHandle();
    FTabList.erase(std::find(FTabList.begin(), FTabList.end(), w));
  }
  if (control == FCaptureControl) FCaptureControl = nullptr;
  if (control == FMouseControl) FMouseControl = nullptr;
  // Leaves no trace of a child without a window.
  if (!dynamic_cast<TWinControl*>(control)) control->Invalidate();
  FControls.erase(std::find(FControls.begin(), FControls.end(), control));
  control->FParent = nullptr;
  if (control->FAlign != alNone && !GetComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::ChildChanged(TControl* child) {
  if (FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
  if (GetComponentState().Contains(csDestroying)) return;
  ++FAlignLevel;
  try {
    AlignControls();
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  --FAlignLevel;
}

void TWinControl::AlignControls() {
  std::vector<TAlignItem> items;
  items.reserve(FControls.size());
  bool any = false;
  for (TControl* c : FControls) {
    items.push_back(TAlignItem{c->FAlign, c->GetBoundsRect(), c->FVisible});
    any = any || c->FAlign != alNone;
  }
  if (!any) return;
  AlignItems(GetClientRect(), items);
  // The list may change under us if a resize handler adds or removes
  // controls; stop at the shorter of the two.
  std::vector<TControl*> controls = FControls;
  for (size_t i = 0; i < controls.size() && i < items.size(); ++i)
    if (controls[i]->FAlign != alNone && controls[i]->FVisible)
      controls[i]->SetBoundsRect(items[i].Bounds);
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = FText;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (FVisible) p.Style |= WS_VISIBLE;
  if (!FEnabled) p.Style |= WS_DISABLED;
  if (FTabStop) p.Style |= WS_TABSTOP;
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = FHeight;
  p.WndParent = FParent ? FParent->GetHandle() : nullptr;
  p.WinClassName = ClassName();
}

HWND TWinControl::GetHandle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::CreateHandle() {
  if (FHandle || FCreating) return;
  FCreating = true;
  try {
    CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  // The window may already be gone again if a handler destroyed it.
  if (!FHandle) return;
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->WaitsForShowing()) w->CreateHandle();
  UpdateBoundsFromWindow();
  Realign();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EComponentError("Control '" + GetName() + "' has no parent window");
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (::GetClassInfoA(instance, p.WinClassName.c_str(), &wc)) {
    auto it = SystemProcs().find(p.WinClassName);
    FDefWndProc = it != SystemProcs().end() ? it->second : nullptr;
  } else {
    if (!p.SysClassName.empty()) {
      WNDCLASSA sys{};
      if (!::GetClassInfoA(nullptr, p.SysClassName.c_str(), &sys))
        throw EComponentError("Error creating window class");
      wc = sys;
      FDefWndProc = sys.lpfnWndProc;
      SystemProcs()[p.WinClassName] = sys.lpfnWndProc;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = p.Cursor ? p.Cursor : ::LoadCursorA(nullptr, IDC_ARROW);
      FDefWndProc = nullptr;
    }
    wc.lpfnWndProc = &ControlWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!::RegisterClassA(&wc)) throw EComponentError("Error creating window class");
  }
  CreateWindowHandle(p);
  ApplyFontToWindow();
}

void TWinControl::FontChanged() {
  if (FHandle) ApplyFontToWindow();
  Invalidate();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  gCreatingControl = this;
  // Child windows get ids of their own: owner-drawn controls are named by
  // their id in WM_MEASUREITEM.
  static UINT nextId = 0;
  HMENU id = nullptr;
  if (p.Style & WS_CHILD) {
    nextId = nextId % 0xE000 + 1;
    id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x1000 + nextId));
  }
  HWND wnd = ::CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X,
                               p.Y, p.Width, p.Height, p.WndParent, id,
                               ::GetModuleHandleA(nullptr), nullptr);
  gCreatingControl = nullptr;
  if (!wnd) throw EComponentError("Error creating window");
  if (!FHandle) {
    FHandle = wnd;
    BindWindow(wnd, this);
  }
}

void TWinControl::DestroyWnd() { ::DestroyWindow(FHandle); }

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  const HWND wnd = FHandle;
  DestroyWnd();
  // WM_NCDESTROY forgets the handle; make sure even if the window was not ours to destroy.
  if (FHandle && !::IsWindow(FHandle)) FHandle = nullptr;
  // Nor may the window lead to this control any more once it has no handle.
  if (!FHandle) {
    const auto it = gControlsByWindow.find(wnd);
    if (it != gControlsByWindow.end() && it->second == this) gControlsByWindow.erase(it);
  }
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  CreateHandle();
}

void TWinControl::ApplyFontToWindow() {
  FFontObject = AcquireFont(FFont.GetData());
  if (FHandle && FDefWndProc)
    ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFontObject->Get()), FALSE);
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!FHandle) return;
  RECT r{};
  ::GetWindowRect(FHandle, &r);
  HWND parent = (::GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) ? ::GetParent(FHandle) : nullptr;
  if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (r.left == FLeft && r.top == FTop && w == FWidth && h == FHeight) return;
  bool sized = w != FWidth || h != FHeight;
  StoreBounds(r.left, r.top, w, h);
  BoundsChanged(sized);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!FHandle) {
    TControl::SetBounds(left, top, width, height);
    return;
  }
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  ::SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  // WM_WINDOWPOSCHANGED has brought the stored bounds up to date; a window
  // that refused the size keeps what it has.
  UpdateBoundsFromWindow();
}

void TWinControl::BoundsChanged(bool sized) {
  if (sized) Realign();
  TControl::BoundsChanged(sized);
}

TRect TWinControl::GetClientRect() const {
  if (!FHandle) return TControl::GetClientRect();
  RECT r{};
  ::GetClientRect(FHandle, &r);
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TWinControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (FHandle) ::ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
  TControl::SetVisible(visible);
  // A window that waited for the first showing comes now, visible and in
  // the place the parent's alignment has just given.
  if (visible && !FHandle && FWindowWhenShown && FParent && FParent->HandleAllocated()) CreateHandle();
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  TControl::SetEnabled(enabled);
  if (FHandle) ::EnableWindow(FHandle, enabled);
}

void TWinControl::SetText(const std::string& text) {
  if (text == FText) return;
  TControl::SetText(text);
  if (FHandle) ::SetWindowTextA(FHandle, text.c_str());
}

void TWinControl::SetColor(TColor color) { TControl::SetColor(color); }

void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::InvalidateRect(const TRect& r) {
  if (!FHandle) return;
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  ::InvalidateRect(FHandle, &rr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) ::UpdateWindow(FHandle);
}

TPoint TWinControl::ClientToScreen(TPoint p) const {
  if (!FHandle) return TControl::ClientToScreen(p);
  POINT pt{p.X, p.Y};
  ::ClientToScreen(FHandle, &pt);
  return TPoint(pt.x, pt.y);
}

TPoint TWinControl::ScreenToClient(TPoint p) const {
  if (!FHandle) return TControl::ScreenToClient(p);
  POINT pt{p.X, p.Y};
  ::ScreenToClient(FHandle, &pt);
  return TPoint(pt.x, pt.y);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (form && form != this) form->FActiveControl = this;
  ::SetFocus(GetHandle());
}

bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

void TWinControl::SetTabStop(bool v) {
  if (v == FTabStop) return;
  FTabStop = v;
  if (!FHandle) return;
  LONG style = ::GetWindowLongA(FHandle, GWL_STYLE);
  ::SetWindowLongA(FHandle, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  list.erase(std::find(list.begin(), list.end(), this));
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::WantsKey(uint16_t key) {
  if (!FHandle) return false;
  MSG m{FHandle, WM_KEYDOWN, key, 0, 0, {0, 0}};
  LRESULT code = ::SendMessageA(FHandle, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&m));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  if (key == VK_TAB) return code & DLGC_WANTTAB;
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) return code & DLGC_WANTARROWS;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (c->FVisible && (allowDisabled || c->FEnabled) && c->GetBoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

bool TWinControl::HasGraphicChildren() const {
  for (TControl* c : FControls)
    if (!dynamic_cast<TWinControl*>(c)) return true;
  return false;
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : FControls) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->FVisible) continue;
    TRect b = g->GetBoundsRect();
    RECT br{b.Left, b.Top, b.Right, b.Bottom};
    if (::RectVisible(dc, &br) == 0) continue;
    TSaveDC saved(dc);
    ::IntersectClipRect(dc, b.Left, b.Top, b.Right, b.Bottom);
    POINT old{};
    ::OffsetViewportOrgEx(dc, b.Left, b.Top, &old);
    {
      TCanvas canvas(dc);
      canvas.SetFont(g->GetFont());
      canvas.SetBrushColor(g->FColor);
      struct TReset {
        ICanvas*& Slot;
        ~TReset() { Slot = nullptr; }
      } reset{g->FCanvas};
      g->FCanvas = &canvas;
      g->Paint();
    }
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
  }
}

void TWinControl::PaintWithGraphicChildren(TMessage& msg) {
  if (msg.WParam) {  // a paint into a given context (printing, PaintTo)
    DefaultHandler(msg);
    PaintControls(reinterpret_cast<HDC>(msg.WParam));
    return;
  }
  if (FDefWndProc) {
    // The system class paints first; our children go over it in the same area.
    HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(FHandle, update, FALSE);
    DefaultHandler(msg);
    HDC dc = ::GetDC(FHandle);
    ::SelectClipRgn(dc, update);
    PaintControls(dc);
    ::ReleaseDC(FHandle, dc);
    ::DeleteObject(update);
    return;
  }
  TPaintDC dc(FHandle);
  PaintControls(dc.Get());
  msg.Result = 0;
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& msg) {
  if (!FHandle) {
    msg.Result = 0;
  } else if (FDefWndProc) {
    msg.Result = ::CallWindowProcA(FDefWndProc, FHandle, msg.Msg, msg.WParam, msg.LParam);
  } else {
    msg.Result = ::DefWindowProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
  }
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& msg) {
  TShiftState shift = KeyDataToShiftState(msg.LParam);
  uint16_t key = static_cast<uint16_t>(msg.WParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview()) {
    static_cast<TWinControl*>(form)->KeyDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& msg) {
  TShiftState shift = KeyDataToShiftState(msg.LParam);
  uint16_t key = static_cast<uint16_t>(msg.WParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview()) {
    static_cast<TWinControl*>(form)->KeyUp(key, shift);
    if (key == 0) return true;
  }
  KeyUp(key, shift);
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& msg) {
  char key = static_cast<char>(msg.WParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview()) {
    static_cast<TWinControl*>(form)->KeyPress(key);
    if (key == 0) return true;
  }
  KeyPress(key);
  msg.WParam = static_cast<unsigned char>(key);
  return key == 0;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::EraseBackground(HDC dc) {
  if (FColor == clNone) return;
  RECT r{};
  ::GetClientRect(FHandle, &r);
  TBrushObject brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)) & 0xFFFFFF));
  ::FillRect(dc, &r, brush.Get());
}

void TWinControl::SetMouseControl(TControl* control) {
  if (control == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = control;
  if (old) old->MouseLeave();
  if (control) control->MouseEnter();
}

void TWinControl::MouseToGraphic(TControl* target, TMessage& msg) {
  int x = SignedLo(msg.LParam) - target->FLeft, y = SignedHi(msg.LParam) - target->FTop;
  TShiftState shift = MouseShiftState(msg.WParam);
  TMouseButton button = mbLeft;
  switch (msg.Msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: button = mbRight; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: button = mbMiddle; break;
    default: break;
  }
  switch (msg.Msg) {
    case WM_MOUSEMOVE:
      if (Application) Application->HintMouseMessage(target, msg);
      target->MouseMove(shift, x, y);
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      bool dbl = msg.Msg == WM_LBUTTONDBLCLK || msg.Msg == WM_RBUTTONDBLCLK || msg.Msg == WM_MBUTTONDBLCLK;
      // The press stays with this control until the button goes up.
      FCaptureControl = target;
      ::SetCapture(FHandle);
      if (dbl) {
        shift.Include(ssDouble);
        if (button == mbLeft) target->DblClick();
      }
      target->MouseDown(button, shift, x, y);
      return;
    }
    default: {  // a button released
      bool inside = TRect(0, 0, target->FWidth, target->FHeight).Contains(TPoint(x, y));
      if (FCaptureControl == target && (msg.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        FCaptureControl = nullptr;
        if (::GetCapture() == FHandle) ::ReleaseCapture();
      }
      target->MouseUp(button, shift, x, y);
      // MouseUp may let messages run, and a handler among them may free the
      // control: click only one that is still ours.
      const bool alive = std::find(FControls.begin(), FControls.end(), target) != FControls.end();
      if (button == mbLeft && inside && alive) target->Click();
      return;
    }
  }
}

void TWinControl::MouseMessage(TMessage& msg) {
  int x = SignedLo(msg.LParam), y = SignedHi(msg.LParam);
  TShiftState shift = MouseShiftState(msg.WParam);
  if (msg.Msg == WM_MOUSEMOVE && !FTrackingLeave && FHandle) {
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, FHandle, 0};
    FTrackingLeave = ::TrackMouseEvent(&t) != 0;
  }
  // Children without a window get the mouse where they are, and keep a press.
  TControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(TPoint(x, y));
  if (msg.Msg == WM_MOUSEMOVE) {
    TControl* under = ControlAtPos(TPoint(x, y));
    SetMouseControl(under ? under : this);
  }
  if (target) {
    MouseToGraphic(target, msg);
    return;
  }
  switch (msg.Msg) {
    case WM_MOUSEMOVE:
      if (Application) Application->HintMouseMessage(this, msg);
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FClickEvents) {
        ::SetCapture(FHandle);
        FMouseDownInside = true;
      }
      if (msg.Msg == WM_LBUTTONDBLCLK) {
        shift.Include(ssDouble);
        DblClick();
      }
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (msg.Msg == WM_RBUTTONDBLCLK) shift.Include(ssDouble);
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (msg.Msg == WM_MBUTTONDBLCLK) shift.Include(ssDouble);
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONUP:
      if (FClickEvents && FMouseDownInside) {
        FMouseDownInside = false;
        if (::GetCapture() == FHandle) ::ReleaseCapture();
        if (GetClientRect().Contains(TPoint(x, y))) Click();
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
  }
}

void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(msg);
      UpdateBoundsFromWindow();
      return;
    case WM_SETFOCUS:
      if (TForm* form = GetParentForm(this); form && form != this) form->SetFocusedControl(this);
      DefaultHandler(msg);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!DoKeyDown(msg)) DefaultHandler(msg);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!DoKeyUp(msg)) DefaultHandler(msg);
      return;
    case WM_CHAR:
      if (!DoKeyPress(msg)) DefaultHandler(msg);
      return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      MouseMessage(msg);
      DefaultHandler(msg);
      return;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      SetMouseControl(nullptr);
      DefaultHandler(msg);
      return;
    case WM_CAPTURECHANGED:
      FCaptureControl = nullptr;
      DefaultHandler(msg);
      return;
    case WM_SETCURSOR:
      if (SetCursorMessage(msg)) return;
      break;
    case WM_PAINT:
      if (!HasGraphicChildren()) break;
      PaintWithGraphicChildren(msg);
      return;
    case WM_CONTEXTMENU:
      // Ours before the system class's own menu (an edit's); the window
      // system passes the message on to the parent windows when we do not.
      if (ShowContextPopup(this, SignedLo(msg.LParam), SignedHi(msg.LParam))) {
        msg.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (FDefWndProc) break;
      EraseBackground(reinterpret_cast<HDC>(msg.WParam));
      msg.Result = 1;
      return;
    case WM_COMMAND:
      if (msg.LParam) {
        if (TWinControl* child = FindControl(reinterpret_cast<HWND>(msg.LParam)); child && child != this) {
          msg.Result = child->Perform(CN_COMMAND, msg.WParam, msg.LParam);
          return;
        }
      }
      break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (msg.LParam) {
        if (TWinControl* child = FindControl(reinterpret_cast<HWND>(msg.LParam)); child && child != this) {
          msg.Result = child->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
          return;
        }
      }
      break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      // The item's control is named by its id, which our controls set to
      // nothing: find it through the window in the item data.
      HWND item = msg.Msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->hwndItem
                                         : ::GetDlgItem(FHandle, static_cast<int>(msg.WParam));
      if (TWinControl* child = FindControl(item); child && child != this) {
        msg.Result = child->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
        return;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if (hdr) {
        if (TWinControl* child = FindControl(hdr->hwndFrom); child && child != this) {
          msg.Result = child->Perform(CN_NOTIFY, msg.WParam, msg.LParam);
          return;
        }
      }
      break;
    }
    default:
      if (msg.Msg >= CN_CTLCOLORFIRST && msg.Msg <= CN_CTLCOLORLAST) {
        msg.Result = ControlColor(reinterpret_cast<HDC>(msg.WParam));
        return;
      }
      break;
  }
  DefaultHandler(msg);
}

LRESULT TWinControl::ControlColor(HDC dc) {
  ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont.GetColor())) & 0xFFFFFF);
  COLORREF back = static_cast<COLORREF>(ColorToRGB(FColor)) & 0xFFFFFF;
  ::SetBkColor(dc, back);
  if (!FBrush || FBrushColor != FColor) {
    FBrush.Reset(::CreateSolidBrush(back));
    FBrushColor = FColor;
  }
  return reinterpret_cast<LRESULT>(FBrush.Get());
}

bool TWinControl::SetCursorMessage(TMessage& msg) {
  if (reinterpret_cast<HWND>(msg.WParam) != FHandle || LOWORD(msg.LParam) != HTCLIENT) return false;
  TCursor cursor = Screen ? Screen->GetCursor() : crDefault;
  if (cursor == crDefault) {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    TControl* under = ControlAtPos(TPoint(p.x, p.y));
    if (under) cursor = under->GetCursor();
    if (cursor == crDefault) cursor = FCursor;
  }
  if (cursor == crDefault || !Screen) return false;
  ::SetCursor(Screen->GetCursors(cursor));
  msg.Result = TRUE;
  return true;
}

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = BoundControl(wnd);
  if (!control) {
    control = gCreatingControl;
    if (!control) return ::DefWindowProcA(wnd, msg, wParam, lParam);
    gCreatingControl = nullptr;
    control->FHandle = wnd;
    BindWindow(wnd, control);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    control->WndProc(m);
  } catch (...) {
    HandleCallbackException(control);
  }
  if (msg == WM_NCDESTROY) {
    UnbindWindow(wnd);
    if (control->FHandle == wnd) control->FHandle = nullptr;
  }
  return m.Result;
}

// ---------------------------------------------------------------------------
// TCustomControl
// ---------------------------------------------------------------------------
TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { FClickEvents = true; }

// ---------------------------------------------------------------------------
// TGraphicControl
// ---------------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TCustomControl::Paint() {}

void TCustomControl::PaintHandler(HDC dc) {
  TCanvas canvas(dc);
  canvas.SetFont(FFont.GetData());
  canvas.SetBrushColor(FColor);
  struct TReset {
    ICanvas*& Slot;
    ~TReset() { Slot = nullptr; }
  } reset{FCanvas};
  FCanvas = &canvas;
  Paint();
  FCanvas = nullptr;
  PaintControls(dc);
}

void TCustomControl::PaintTo(HDC dc) {
  HandleNeeded();
  TSaveDC saved(dc);
  EraseBackground(dc);
  PaintHandler(dc);
}

void TCustomControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT:
      if (msg.WParam) {
        PaintHandler(reinterpret_cast<HDC>(msg.WParam));
      } else {
        TPaintDC dc(FHandle);
        PaintHandler(dc.Get());
      }
      msg.Result = 0;
      return;
    case WM_PRINTCLIENT:
      PaintHandler(reinterpret_cast<HDC>(msg.WParam));
      msg.Result = 0;
      return;
    default:
      TWinControl::WndProc(msg);
  }
}
