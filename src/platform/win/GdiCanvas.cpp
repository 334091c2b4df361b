// TCanvas over GDI, the shared font cache and TBitmap.
#include "platform/win/GdiCanvas.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TColor WindowsSysColor(int index) { return static_cast<TColor>(::GetSysColor(index)); }

// COLORREF of a colour; the flag byte of special values (clNone, clDefault)
// is dropped so GDI never reads them as palette indices.
COLORREF ToColorRef(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)) & 0x00FFFFFF; }

struct TFontKey {
  std::string Name;
  int Height;
  uint8_t Style;
  int CharSet;
  TFontPitch Pitch;
  bool operator==(const TFontKey&) const = default;
};

TFontKey KeyOf(const TFontData& f) {
  return TFontKey{f.Name, f.Height, f.Style.ToMask(), f.CharSet, f.Pitch};
}

// Most recently used first. Fonts still selected somewhere stay alive through
// their canvas's reference even after the cache lets them go.
class TFontCache {
public:
  std::shared_ptr<const TFontObject> Acquire(const TFontData& font) {
    TFontKey key = KeyOf(font);
    for (size_t i = 0; i < FEntries.size(); ++i) {
      if (FEntries[i].first == key) {
        if (i != 0) std::rotate(FEntries.begin(), FEntries.begin() + i, FEntries.begin() + i + 1);
        return FEntries.front().second;
      }
    }
    LOGFONTA lf{};
    lf.lfHeight = font.Height;
    lf.lfWeight = font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Style.Contains(fsItalic);
    lf.lfUnderline = font.Style.Contains(fsUnderline);
    lf.lfStrikeOut = font.Style.Contains(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(font.CharSet);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font.Pitch == fpFixed      ? FIXED_PITCH
                          : font.Pitch == fpVariable ? VARIABLE_PITCH
                                                     : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    HFONT h = ::CreateFontIndirectA(&lf);
    if (!h) throw EOutOfResources("Out of system resources");
    auto obj = std::make_shared<const TFontObject>(h);
    FEntries.insert(FEntries.begin(), {key, obj});
    if (FEntries.size() > kCapacity) FEntries.pop_back();
    return obj;
  }

private:
  static constexpr size_t kCapacity = 64;
  std::vector<std::pair<TFontKey, std::shared_ptr<const TFontObject>>> FEntries;
};

TFontCache& FontCache() {
  static TFontCache cache;
  return cache;
}

int PenStyleOf(TPenStyle s) {
  switch (s) {
    case psDash: return PS_DASH;
    case psDot: return PS_DOT;
    case psDashDot: return PS_DASHDOT;
    case psDashDotDot: return PS_DASHDOTDOT;
    case psClear: return PS_NULL;
    default: return PS_SOLID;
  }
}

}  // namespace

void UseWindowsSystemColors() { SetSysColorResolver(&WindowsSysColor); }

std::shared_ptr<const TFontObject> AcquireFont(const TFontData& font) {
  return FontCache().Acquire(font);
}

// ---------------------------------------------------------------------------
// TCanvas
// ---------------------------------------------------------------------------
TCanvas::TCanvas(HDC dc) : FDC(dc), FSavedState(::SaveDC(dc)) { UseWindowsSystemColors(); }

TCanvas::~TCanvas() {
  if (FSavedState) ::RestoreDC(FDC, FSavedState);
}

void TCanvas::SetFont(const TFontData& font) {
  if (font == FFont) return;
  TFontData old = FFont;
  FFont = font;
  old.Color = font.Color;
  if (!(old == font)) FFontValid = false;
  FTextColorsValid = false;
}

void TCanvas::SetBrushColor(TColor color) {
  if (color == FBrushColor) return;
  FBrushColor = color;
  FBrushValid = false;
  FTextColorsValid = false;
}

void TCanvas::SetBrushStyle(TBrushStyle style) {
  if (style == FBrushStyle) return;
  FBrushStyle = style;
  FBrushValid = false;
  FTextColorsValid = false;
}

void TCanvas::SetPenColor(TColor color) {
  if (color == FPenColor) return;
  FPenColor = color;
  FPenValid = false;
}

void TCanvas::SetPenWidth(int width) {
  if (width == FPenWidth) return;
  FPenWidth = width;
  FPenValid = false;
}

void TCanvas::SetPenStyle(TPenStyle style) {
  if (style == FPenStyle) return;
  FPenStyle = style;
  FPenValid = false;
}

void TCanvas::SetTextCharExtra(int extra) {
  if (extra == FCharExtra) return;
  FCharExtra = extra;
  ::SetTextCharacterExtra(FDC, extra);
}

void TCanvas::RequireFont() {
  if (FFontValid) return;
  std::shared_ptr<const TFontObject> f = AcquireFont(FFont);
  ::SelectObject(FDC, f->Get());
  FFontObject = std::move(f);  // the old one is no longer selected
  FFontValid = true;
}

void TCanvas::RequireTextColors() {
  if (FTextColorsValid) return;
  ::SetTextColor(FDC, ToColorRef(FFont.Color));
  ::SetBkColor(FDC, ToColorRef(FBrushColor));
  ::SetBkMode(FDC, FBrushStyle == bsClear ? TRANSPARENT : OPAQUE);
  FTextColorsValid = true;
}

void TCanvas::RequireBrush() {
  if (FBrushValid) return;
  if (FBrushStyle == bsClear) {
    ::SelectObject(FDC, ::GetStockObject(NULL_BRUSH));
    FBrushObject.Reset();
  } else {
    TBrushObject b(::CreateSolidBrush(ToColorRef(FBrushColor)));
    if (!b) throw EOutOfResources("Out of system resources");
    ::SelectObject(FDC, b.Get());
    FBrushObject = std::move(b);
  }
  FBrushValid = true;
}

void TCanvas::RequirePen() {
  if (FPenValid) return;
  TPenObject p(::CreatePen(PenStyleOf(FPenStyle), FPenWidth, ToColorRef(FPenColor)));
  if (!p) throw EOutOfResources("Out of system resources");
  ::SelectObject(FDC, p.Get());
  FPenObject = std::move(p);
  FPenValid = true;
}

void TCanvas::RequireState() {
  RequireFont();
  RequireTextColors();
  RequireBrush();
  RequirePen();
}

COLORREF TCanvas::GetPixel(int x, int y) const { return ::GetPixel(FDC, x, y); }

void TCanvas::FillRect(const TRect& rect) {
  if (FBrushStyle == bsClear) return;
  RequireBrush();
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::FillRect(FDC, &r, FBrushObject.Get());
}

void TCanvas::MoveTo(int x, int y) { ::MoveToEx(FDC, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RequirePen();
  ::LineTo(FDC, x, y);
}

TPoint TCanvas::GetPenPos() const {
  POINT p{};
  ::GetCurrentPositionEx(FDC, &p);
  return TPoint(p.x, p.y);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  RequireFont();
  RequireTextColors();
  ::TextOutA(FDC, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::string_view text,
                         const int* advances) {
  RequireFont();
  RequireTextColors();
  RECT r{};
  if (rect) r = RECT{rect->Left, rect->Top, rect->Right, rect->Bottom};
  ::ExtTextOutA(FDC, x, y, options, rect ? &r : nullptr, text.data(),
                static_cast<UINT>(text.size()), advances);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::DrawFocusRect(FDC, &r);
}

TSize TCanvas::TextExtent(std::string_view text) {
  RequireFont();
  SIZE s{};
  ::GetTextExtentPoint32A(FDC, text.data(), static_cast<int>(text.size()), &s);
  return TSize(s.cx, s.cy);
}

TTextMetrics TextMetricsFromGdi(const TEXTMETRICA& tm) {
  TTextMetrics m;
  m.Height = tm.tmHeight;
  m.Ascent = tm.tmAscent;
  m.Descent = tm.tmDescent;
  m.InternalLeading = tm.tmInternalLeading;
  m.ExternalLeading = tm.tmExternalLeading;
  m.AveCharWidth = tm.tmAveCharWidth;
  m.MaxCharWidth = tm.tmMaxCharWidth;
  m.Overhang = tm.tmOverhang;
  m.CharSet = tm.tmCharSet;
  // The flag's sense is inverted in the API: set means variable pitch.
  m.FixedPitch = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
  return m;
}

TTextMetrics TCanvas::GetTextMetrics() {
  RequireFont();
  TEXTMETRICA tm{};
  ::GetTextMetricsA(FDC, &tm);
  TTextMetrics m = TextMetricsFromGdi(tm);
  m.DoubleByte = (::GetFontLanguageInfo(FDC) & GCP_DBCS) != 0;
  return m;
}

bool TCanvas::GetCharABCWidths(unsigned charCode, TABCWidths& widths) {
  RequireFont();
  ABC abc{};
  if (!::GetCharABCWidthsA(FDC, charCode, charCode, &abc)) return false;
  widths.A = abc.abcA;
  widths.B = static_cast<int>(abc.abcB);
  widths.C = abc.abcC;
  return true;
}

TRect TCanvas::GetClipRect() const {
  RECT r{};
  ::GetClipBox(FDC, &r);
  return TRect(r.left, r.top, r.right, r.bottom);
}

int TCanvas::GetPixelsPerInch() const { return ::GetDeviceCaps(FDC, LOGPIXELSY); }

// ---------------------------------------------------------------------------
// TBitmap
// ---------------------------------------------------------------------------
TBitmap::TBitmap(int width, int height) : FWidth(width), FHeight(height) {
  if (!FDC.Get()) throw EOutOfResources("Out of system resources");
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  FBitmap.Reset(::CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &FBits, nullptr, 0));
  if (!FBitmap) throw EOutOfResources("Out of system resources");
  FOldBitmap = ::SelectObject(FDC.Get(), FBitmap.Get());
  FCanvas = std::make_unique<TCanvas>(FDC.Get());
}

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FOldBitmap) ::SelectObject(FDC.Get(), FOldBitmap);
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
  ::GdiFlush();
  uint32_t bgrx = static_cast<const uint32_t*>(FBits)[size_t(y) * size_t(FWidth) + size_t(x)];
  // DIB pixels are 0x00RRGGBB; a TColor is 0x00BBGGRR.
  return RGBColor((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}
