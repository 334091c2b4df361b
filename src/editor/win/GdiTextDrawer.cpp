// The GDI text drawer.
#include "editor/win/GdiTextDrawer.h"

#include "platform/win/GdiCanvas.h"

namespace {

// COLORREF of a colour; system colours resolved, flag bytes dropped.
COLORREF ToColorRef(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)) & 0x00FFFFFF; }

std::unique_ptr<ITextDrawer> MakeGdiTextDrawer(TFontStyles baseStyle, const TFontData& baseFont) {
  return std::make_unique<TheTextDrawer>(baseStyle, baseFont);
}

}  // namespace

void UseGdiTextDrawer() { SetTextDrawerMaker(&MakeGdiTextDrawer); }

TheTextDrawer::TheTextDrawer(TFontStyles baseStyle, const TFontData& baseFont)
    : FFontStock(baseFont), FBaseFont(baseFont), FBaseStyle(baseStyle) {
  UseWindowsSystemColors();
  TakeBaseFont();
}

TheTextDrawer::~TheTextDrawer() {
  while (FDC) {
    FDrawingCount = 1;
    EndDrawing();
  }
}

void TheTextDrawer::TakeBaseFont() {
  FFontStock.SetStyle(FBaseStyle);
  FCharWidth = FFontStock.GetCharWidth();
  FCharHeight = FFontStock.GetCharHeight();
  // After a change of record the stock has no variant selected, so this
  // always takes the new record's handle.
  FFontStock.SetStyle(FBaseFont.Style);
  FCurrentFont = FFontStock.GetFontHandle();
}

void TheTextDrawer::SetBaseFont(const TFontData& font) {
  FAdvances.Release();
  // While drawing, contexts hold a font of the old record: it stays alive
  // until the new font has replaced it everywhere.
  TheFontsInfoLock keepOld(IsDrawing() ? FFontStock.GetFontsInfo() : nullptr);
  FFontStock.SetBaseFont(font);
  FBaseFont = font;
  TakeBaseFont();
  if (IsDrawing()) {
    RestoreFont();
    for (const TOuterLevel& level : FOuterLevels) ::SelectObject(level.DC, FCurrentFont);
  }
}

void TheTextDrawer::SetBaseStyle(TFontStyles style) {
  if (style == FBaseStyle) return;
  FAdvances.Release();
  FBaseStyle = style;
  TFontStyles current = FFontStock.GetStyle();
  FFontStock.SetStyle(style);
  FCharWidth = FFontStock.GetCharWidth();
  FCharHeight = FFontStock.GetCharHeight();
  // The grid changed, the style of the text to come did not.
  FFontStock.SetStyle(current);
}

void TheTextDrawer::SetStyle(TFontStyles style) {
  FFontStock.SetStyle(style);
  HFONT font = FFontStock.GetFontHandle();
  if (font == FCurrentFont) return;
  FCurrentFont = font;
  if (FDC) RestoreFont();
}

void TheTextDrawer::RestoreFont() { ::SelectObject(FDC, FCurrentFont); }

void TheTextDrawer::SetTextCharExtra() { ::SetTextCharacterExtra(FDC, FCharExtra); }

void TheTextDrawer::ApplyDrawingState() {
  RestoreFont();
  ::SetTextColor(FDC, ToColorRef(FColor));
  ::SetBkColor(FDC, ToColorRef(FBkColor));
  SetTextCharExtra();
}

void TheTextDrawer::SetCharExtra(int extra) {
  if (extra == FCharExtra) return;
  FCharExtra = extra;
  if (FDC) SetTextCharExtra();
}

void TheTextDrawer::SetForeColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  if (FDC) ::SetTextColor(FDC, ToColorRef(color));
}

void TheTextDrawer::SetBackColor(TColor color) {
  if (color == FBkColor) return;
  FBkColor = color;
  if (FDC) ::SetBkColor(FDC, ToColorRef(color));
}

void TheTextDrawer::BeginDrawing(ICanvas& canvas) {
  auto* gdi = dynamic_cast<TCanvas*>(&canvas);
  if (!gdi) throw EheTextDrawerException("BeginDrawing: the canvas has no device context");
  BeginDrawing(gdi->Handle());
}

void TheTextDrawer::BeginDrawing(HDC dc) {
  if (!dc) throw EheTextDrawerException("BeginDrawing: no device context");
  if (dc == FDC) {
    ++FDrawingCount;
    return;
  }
  int saved = ::SaveDC(dc);
  if (!saved) throw EheTextDrawerException("BeginDrawing: cannot save the device context");
  if (FDC) FOuterLevels.push_back(TOuterLevel{FDC, FSavedDC, FDrawingCount});
  FDC = dc;
  FSavedDC = saved;
  FDrawingCount = 1;
  ApplyDrawingState();
}

void TheTextDrawer::EndDrawing() {
  if (FDrawingCount == 0) return;
  if (--FDrawingCount > 0) return;
  ::RestoreDC(FDC, FSavedDC);
  if (FOuterLevels.empty()) {
    FDC = nullptr;
    FSavedDC = 0;
    return;
  }
  TOuterLevel outer = FOuterLevels.back();
  FOuterLevels.pop_back();
  FDC = outer.DC;
  FSavedDC = outer.SavedDC;
  FDrawingCount = outer.Count;
  // The outer context still has the font and colours of when it was left.
  ApplyDrawingState();
}

void TheTextDrawer::TextOut(int x, int y, std::string_view text) {
  if (!FDC) return;
  ::TextOutA(FDC, x, y, text.data(), static_cast<int>(text.size()));
}

void TheTextDrawer::ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                               std::string_view text) {
  if (!FDC) return;
  const int* advances = FAdvances.Get(text.size(), GetCharWidth());
  RECT r{};
  if (rect) r = RECT{rect->Left, rect->Top, rect->Right, rect->Bottom};
  // The advances already hold the extra spacing, and GDI adds the context's
  // character extra on top of an advance array: off for this call.
  if (FCharExtra != 0) ::SetTextCharacterExtra(FDC, 0);
  ::ExtTextOutA(FDC, x, y, options, rect ? &r : nullptr, text.data(),
                static_cast<UINT>(text.size()), text.empty() ? nullptr : advances);
  if (FCharExtra != 0) ::SetTextCharacterExtra(FDC, FCharExtra);
}
