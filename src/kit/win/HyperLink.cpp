#include "kit/win/HyperLink.h"

#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Shell.h"

namespace {

// The program's hand cursor, or the system's when the program has none.
void RegisterLinkCursor() {
  static bool done = false;
  if (done || !Screen) return;
  done = true;
  HCURSOR c = ::LoadCursorA(::GetModuleHandleA(nullptr), "NETSCCUR");
  if (!c) c = ::LoadCursorA(nullptr, IDC_HAND);
  Screen->SetCursors(crHyperLink, c);
}

}  // namespace

THyperLink::THyperLink(TComponent* owner) : TLabel(owner) {
  FColor = clSilver;
  SetShowAccelChar(false);
  TFontData f = GetFont();
  f.Color = FNotPressedColor;
  f.Style.Include(fsUnderline);
  // Without a caption there is nothing to fit yet.
  FFitToText = false;
  FSettingColor = true;
  SetFont(f);
  FSettingColor = false;
  FFitToText = true;
  FWidth = 55;
  FHeight = 14;
  RegisterLinkCursor();
  SetCursor(crHyperLink);
}

THyperLink::~THyperLink() {
  *FAlive = false;
  if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
}

void THyperLink::ShowColor(TColor color) {
  if (GetFont().Color == color) return;
  TFontData f = GetFont();
  f.Color = color;
  FSettingColor = true;
  SetFont(f);
  FSettingColor = false;
}

void THyperLink::SetNotPressedColor(TColor v) {
  FNotPressedColor = v;
  if (!FPressed && !FOver) ShowColor(v);
}

void THyperLink::SetOverColor(TColor v) {
  FOverColor = v;
  if (FOver && !FPressed) ShowColor(v);
}

void THyperLink::SetStatusBar(TStatusBar* bar) {
  if (bar == FStatusBar) return;
  if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
  FStatusBar = bar;
  if (bar) bar->FreeNotification(this);
}

void THyperLink::Notification(TComponent* component, TOperation operation) {
  TLabel::Notification(component, operation);
  if (operation == opRemove && component == FStatusBar) FStatusBar = nullptr;
}

void THyperLink::FontChanged() {
  TLabel::FontChanged();
  // A colour set from outside while idle becomes the normal colour.
  if (!FSettingColor && !FPressed && !FOver && GetFont().Color != FNotPressedColor)
    FNotPressedColor = GetFont().Color;
  FitToText();
}

void THyperLink::SetText(const std::string& text) {
  TLabel::SetText(text);
  FitToText();
}

void THyperLink::Loaded() {
  TLabel::Loaded();
  FitToText();
}

void THyperLink::FitToText() {
  if (!FFitToText || GetComponentState().Contains(csLoading)) return;
  std::string text = GetCaption();
  const TFontData& font = GetFont();
  // Italic letters lean past their cell: room for one more character.
  if (font.Name != "MS Sans Serif" && font.Style.Contains(fsItalic)) text += ",";
  TWindowDC dc(nullptr);
  auto f = AcquireFont(font);
  TSelectObject sel(dc.Get(), f->Get());
  SIZE size{};
  ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  SetBounds(FLeft, FTop, size.cx + ::GetSystemMetrics(SM_CXBORDER),
            size.cy + ::GetSystemMetrics(SM_CYBORDER));
}

void THyperLink::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FPressed = true;
    FOver = false;
    FPressedInside = true;
    ShowColor(FPressedColor);
  }
  TLabel::MouseDown(button, shift, x, y);
}

void THyperLink::MouseMove(TShiftState shift, int x, int y) {
  TLabel::MouseMove(shift, x, y);
  const bool inside = x >= 0 && y >= 0 && x <= FWidth && y <= FHeight;
  // A panel the bar does not have gets nothing.
  if (FStatusBar && inside && FStatusPanelNo >= 0 && FStatusPanelNo < FStatusBar->GetPanelCount())
    FStatusBar->GetPanel(FStatusPanelNo)->SetText(FHREF);
  if (!shift.Contains(ssLeft) && !shift.Contains(ssMiddle)) {
    FPressed = false;
    FOver = true;
    ShowColor(FOverColor);
    return;
  }
  if (inside != FPressedInside) {
    FPressedInside = inside;
    ShowColor(inside ? FPressedColor : FNotPressedColor);
    Repaint();
  }
}

void THyperLink::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FPressed = false;
  ShowColor(FNotPressedColor);
  TLabel::MouseUp(button, shift, x, y);
  Repaint();
  // Decided now, from what the label is now: the messages pumped below may
  // run a handler that changes HREF or frees the label.
  const bool inside = x >= 0 && y >= 0 && x <= FWidth && y <= FHeight;
  const bool open = inside && button == mbLeft && !FHREF.empty();
  const std::string target = FHREF;
  std::shared_ptr<bool> alive = FAlive;
  if (Application) Application->ProcessMessages();
  if (open) ShellOpen(target, std::string(), std::string(), SW_SHOWNORMAL, "open");
  if (*alive) FPressedInside = false;
}

void THyperLink::MouseLeave() {
  TLabel::MouseLeave();
  if (FOver && GetEnabled()) {
    FOver = false;
    ShowColor(FNotPressedColor);
    Invalidate();
  }
}

const TClassInfo& THyperLink::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("THyperLink", &TLabel::StaticClassInfo())
          .String("HREF", &THyperLink::GetHREF, &THyperLink::SetHREF)
          .Integer("NotPressedColor", &THyperLink::GetNotPressedColor, &THyperLink::SetNotPressedColor)
          .Integer("OverColor", &THyperLink::GetOverColor, &THyperLink::SetOverColor)
          .Integer("PressedColor", &THyperLink::GetPressedColor, &THyperLink::SetPressedColor)
          .Integer("StatusPanelNo", &THyperLink::GetStatusPanelNo, &THyperLink::SetStatusPanelNo);
  return info;
}
const TClassInfo* THyperLink::ClassInfo() const { return &StaticClassInfo(); }
