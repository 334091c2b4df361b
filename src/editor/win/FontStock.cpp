// The font stock of a text drawer.
#include "editor/win/FontStock.h"

#include "editor/TextDrawer.h"
#include "platform/win/GdiCanvas.h"

namespace {

bool ReadABC(HDC dc, unsigned code, TABCWidths& widths) {
  ABC abc{};
  if (!::GetCharABCWidthsA(dc, code, code, &abc)) return false;
  widths.A = abc.abcA;
  widths.B = static_cast<int>(abc.abcB);
  widths.C = abc.abcC;
  return true;
}

}  // namespace

TheFontStock::TheFontStock(const TFontData& baseFont) { SetBaseFont(baseFont); }

TheFontStock::~TheFontStock() { ReleaseFontsInfo(); }

HDC TheFontStock::GetStockDC() {
  if (FDCRefCount == 0) {
    auto dc = std::make_unique<TWindowDC>(nullptr);
    if (!dc->Get()) throw EheFontStockException("Cannot get the screen device context");
    FDC = std::move(dc);
  }
  ++FDCRefCount;
  return FDC->Get();
}

void TheFontStock::ReleaseStockDC() {
  if (FDCRefCount == 0) return;
  if (--FDCRefCount == 0) FDC.reset();
}

void TheFontStock::ReleaseFontsInfo() {
  if (!FpInfo) return;
  TheSharedFontsInfo* info = FpInfo;
  FpInfo = nullptr;
  FpCurrentFontData = nullptr;
  FCurrentFont = nullptr;
  TheFontsInfoManager::Instance().UnLockFontsInfo(info);
}

void TheFontStock::SetBaseFont(const TFontData& font) {
  // The new record is taken before the old one is let go: with the same
  // font the count never touches 0, so its variants survive.
  TheSharedFontsInfo* next = TheFontsInfoManager::Instance().GetFontsInfo(font);
  ReleaseFontsInfo();
  FpInfo = next;
  FBaseLF = next->BaseLF;
}

TFontObject TheFontStock::CreateStyleFont(TFontStyles style) const {
  LOGFONTA lf = FBaseLF;
  lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
  TFontObject font(::CreateFontIndirectA(&lf));
  if (!font) throw EheFontStockException("Cannot create the font");
  return font;
}

void TheFontStock::CalcFontAdvance(HDC dc, TheFontData& data) const {
  TSelectObject select(dc, data.Handle.Get());
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  TABCWidths m;
  bool haveM = ReadABC(dc, 'M', m);
  data.Cell = MeasureTextCell(TextMetricsFromGdi(tm), haveM ? &m : nullptr);
  data.Cell.DBCharWidth = kNoDBCharWidth;
  if (FpInfo->IsDBCSFont && tm.tmCharSet == SHIFTJIS_CHARSET_ID) {
    TABCWidths p1, p2;
    bool have1 = ReadABC(dc, kDBProbeChar1, p1);
    bool have2 = ReadABC(dc, kDBProbeChar2, p2);
    data.Cell.DBCharWidth = DoubleByteCellWidth(true, tm.tmCharSet, data.Cell.CharWidth,
                                                have1 ? &p1 : nullptr, have2 ? &p2 : nullptr);
  }
}

void TheFontStock::SetStyle(TFontStyles style) {
  if (!FpInfo) throw EheFontStockException("SetStyle: there is no base font");
  int slot = FontStyleSlot(style);
  TheFontData* data = &FpInfo->FontsData[slot];
  if (data == FpCurrentFontData) return;
  if (!data->Handle) {
    TheFontData made;
    made.Handle = CreateStyleFont(style);
    {
      TStockDCUse dc(*this);
      CalcFontAdvance(dc.Get(), made);
    }
    made.Pin = std::make_unique<TheFontPin>(made.Handle.Get());
    *data = std::move(made);
  }
  FCurrentStyle = FontSlotStyle(slot);
  FpCurrentFontData = data;
  FCurrentFont = data->Handle.Get();
}

int TheFontStock::GetCharWidth() const { return FpCurrentFontData ? FpCurrentFontData->Cell.CharWidth : 0; }

int TheFontStock::GetCharHeight() const {
  return FpCurrentFontData ? FpCurrentFontData->Cell.CharHeight : 0;
}

int TheFontStock::GetDBCharWidth() const {
  return FpCurrentFontData ? FpCurrentFontData->Cell.DBCharWidth : kNoDBCharWidth;
}
