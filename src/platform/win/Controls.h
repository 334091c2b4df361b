// Controls over windows: TControl holds what every control has (parent,
// bounds, alignment, visibility, text, colour, font, cursor, hint, mouse
// events) in the object, so every property can be set and read before a
// window exists and survives RecreateWnd; TWinControl owns a window, routes
// its messages through a virtual WndProc, lays out aligned children and
// paints and feeds its non-windowed children; TCustomControl paints itself on
// a canvas; TGraphicControl is a control without a window of its own.
#pragma once

#include "platform/Canvas.h"
#include "platform/Classes.h"
#include "platform/ControlAlign.h"
#include "platform/Font.h"
#include "platform/Keys.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/Messages.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TForm;
class TPopupMenu;
class TActionLink;
class TBasicAction;
class TCustomAction;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift,
                                       int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// key is a virtual-key code; setting it to 0 stops further handling.
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
// key is the character; setting it to 0 stops further handling.
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// Mouse cursors: the standard ones below, and positive numbers that the
// program registers with Screen (from its resources).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// How text sits in its box: a label's or panel's caption, a status panel's,
// a list column's.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// True when caption holds "&" followed by ch (compared without case); "&&"
// is a plain ampersand.
bool IsAccel(char ch, const std::string& caption);

// The shift state of a key or mouse message, read from the keyboard state.
TShiftState KeyboardShiftState();
TShiftState KeyDataToShiftState(LPARAM keyData);

// Text before and after the "|" of a hint ("short|long"); without "|" both
// are the whole hint.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual TRect GetClientRect() const { return TRect(0, 0, FWidth, FHeight); }
  int GetClientWidth() const { return GetClientRect().Width(); }
  int GetClientHeight() const { return GetClientRect().Height(); }

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign align);

  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool IsShowing() const;

  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  // Caption and Text are one property, as in the window's own text.
  const std::string& GetText() const { return FText; }
  virtual void SetText(const std::string& text);
  const std::string& GetCaption() const { return FText; }
  void SetCaption(const std::string& caption) { SetText(caption); }

  TColor GetColor() const { return FColor; }
  virtual void SetColor(TColor color);
  // The font as painting code sees it, and as the published object whose
  // property changes reach the control (and its window).
  const TFontData& GetFont() const { return FFont.GetData(); }
  void SetFont(const TFontData& font) { FFont.SetData(font); }
  TFont* GetFontObject() { return &FFont; }
  void SetFontObject(TFont* font) { if (font) FFont.Assign(font); }

  // The mouse cursor over this control (crDefault: the parent's, or the arrow).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  // ShowHint follows the parent's while ParentShowHint is true (the default).
  bool GetShowHint() const;
  void SetShowHint(bool show);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value) { FParentShowHint = value; }

  // A control without a window repaints through its parent.
  virtual void Invalidate();
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  virtual TPoint ClientToScreen(TPoint p) const;
  virtual TPoint ScreenToClient(TPoint p) const;

  // OnClick, or the action when the control has no OnClick of its own.
  virtual void Click();

  // Dialog keys, offered by the form to every control on it: Enter, Esc
  // (focused says whether this control has the focus) and Alt with an
  // accelerator letter. True when the control took the key.
  virtual bool DialogKey(uint16_t key, bool focused) { return false; }
  virtual bool DialogChar(char ch) { return false; }

  // Publishes Left, Top, Width, Height, Visible, Enabled, Hint, ShowHint,
  // Color, Font and Cursor (Name and Tag come from TComponent).
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // The action the control follows (caption, enabled, hint, visible; a
  // derived control takes more, such as Checked) and runs when clicked.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* action);

  // The menu a right click or the menu key shows: the nearest one up the
  // parent chain.
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  virtual void Resize();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The font changed (through either face of it).
  virtual void FontChanged();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Called after the bounds changed (from SetBounds or from the window).
  virtual void BoundsChanged(bool sized);
  // Stores new bounds without touching a window (the window already has them).
  void StoreBounds(int left, int top, int width, int height);
  // The linked action was set or changed: show its state.
  virtual void ActionChange(TCustomAction& action);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TColor FColor = clBtnFace;
  TFont FFont;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  std::unique_ptr<TActionLink> FActionLink;

  friend class TWinControl;
};

// What CreateWnd passes to CreateWindowEx.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  // Our window class: the C++ class name (so other programs can find our
  // windows by class, e.g. "TMainForm").
  std::string WinClassName;
  UINT ClassStyle = CS_DBLCLKS;
  HCURSOR Cursor = nullptr;
  // When set, the window class is made from this system class ("EDIT",
  // "BUTTON", ...): its messages still come to WndProc, and what we leave
  // unhandled goes to the system class's own procedure.
  std::string SysClassName;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created (with the parents' windows) when first asked for.
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { GetHandle(); }
  // Destroys the window and makes a new one with the current settings (for
  // changes of window style).
  void RecreateWnd();
  // The control that owns a window of ours, or null.
  static TWinControl* FindControl(HWND wnd);

  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int i) const { return FControls.at(i); }

  void SetBounds(int left, int top, int width, int height) override;
  TRect GetClientRect() const override;
  void SetVisible(bool visible) override;
  // For a control that seldom shows: while hidden it makes no window (until
  // its handle is asked for); it makes one when first shown.
  void SetWindowWhenShown(bool value) { FWindowWhenShown = value; }
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void SetColor(TColor color) override;
  void Invalidate() override;
  void Update() override;
  void InvalidateRect(const TRect& r);
  TPoint ClientToScreen(TPoint p) const override;
  TPoint ScreenToClient(TPoint p) const override;

  virtual bool CanFocus() const;
  void SetFocus();
  bool Focused() const;
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool v);
  // Whether Tab stops here now (a radio button: only the group's checked one).
  virtual bool IsTabStop() const { return FTabStop; }
  // Place among the parent's windowed children in the Tab order (creation
  // order unless set); -1 without a parent.
  int GetTabOrder() const;
  void SetTabOrder(int order);
  // Windowed children in Tab order.
  std::vector<TWinControl*> GetTabOrderList() const { return FTabList; }
  // Whether the control handles key itself (the window's dialog code says so
  // unless a control knows better), so Tab, Enter and Esc stay with it.
  virtual bool WantsKey(uint16_t key);

  // The topmost visible child without a window at p (client coordinates),
  // enabled unless allowDisabled; null when none.
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;

  // Lays out the aligned children again.
  void Realign();
  // Sends a message straight through WndProc, window or not.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Called once the window exists (children not yet made).
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  void DestroyHandle();
  // Every message of the window comes here; what a handler leaves goes to
  // DefaultHandler.
  virtual void WndProc(TMessage& msg);
  void DefaultHandler(TMessage& msg);
  virtual void AlignControls();
  // Key handling: DoKey* give a KeyPreview form the first look, then call
  // the virtual Key* (which fire the events). Return true when consumed.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  bool DoKeyDown(TMessage& msg);
  bool DoKeyUp(TMessage& msg);
  bool DoKeyPress(TMessage& msg);
  virtual void DoEnter();
  virtual void DoExit();
  void BoundsChanged(bool sized) override;
  // Fills the background with Color (not for clNone).
  virtual void EraseBackground(HDC dc);
  // Paints the visible children without a window, in z-order (list order),
  // on dc (this control's client coordinates).
  void PaintControls(HDC dc);
  bool HasGraphicChildren() const;

  HWND FHandle = nullptr;
  // Capture the mouse on a left press and Click() on a release inside.
  bool FClickEvents = false;
  bool FTabStop = false;

private:
  friend class TControl;
  friend class TForm;
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ChildChanged(TControl* child);
  void UpdateBoundsFromWindow();
  void MouseMessage(TMessage& msg);
  void MouseToGraphic(TControl* target, TMessage& msg);
  void SetMouseControl(TControl* control);
  bool SetCursorMessage(TMessage& msg);
  LRESULT ControlColor(HDC dc);
  void PaintWithGraphicChildren(TMessage& msg);
  void ApplyFontToWindow();
  void FontChanged() override;
  void CreateHandle();

  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  TControl* FCaptureControl = nullptr;  // a pressed child without a window
  TControl* FMouseControl = nullptr;    // this or the child the mouse is over
  bool FTrackingLeave = false;
  TBrushObject FBrush;  // the background of a system control, in Color
  TColor FBrushColor = clNone;
  std::shared_ptr<const TFontObject> FFontObject;
  int FAlignLevel = 0;
  bool FCreating = false;
  bool FMouseDownInside = false;
  bool FWindowWhenShown = false;
  bool WaitsForShowing() const { return FWindowWhenShown && !FVisible; }
};

// A windowed control that paints itself: Paint() draws on GetCanvas() while
// the window system asks (WM_PAINT, WM_PRINTCLIENT, or WM_PAINT with a device
// context in wParam, which PaintTo uses).
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);
  // The canvas of the paint in progress; null outside Paint().
  ICanvas* GetCanvas() const { return FCanvas; }
  // Paints the control into another device context (a bitmap, a printer).
  void PaintTo(HDC dc);

protected:
  virtual void Paint();
  void WndProc(TMessage& msg) override;

private:
  void PaintHandler(HDC dc);
  ICanvas* FCanvas = nullptr;
};

// A control without a window of its own (a label, a speed button): its parent
// paints it in z-order among its siblings without windows and routes the
// mouse to it; a press stays with it until the button is released.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  // The canvas of the paint in progress; null outside Paint().
  ICanvas* GetCanvas() const { return FCanvas; }

protected:
  virtual void Paint() {}

private:
  friend class TWinControl;
  ICanvas* FCanvas = nullptr;
};

// The form a control sits on (the control itself when it is a form), or null.
TForm* GetParentForm(TControl* control);
