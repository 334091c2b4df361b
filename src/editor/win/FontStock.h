// The fonts of one text drawer: the shared record of its base font and the
// style variant in use, with the cell of that variant. Variants are made and
// measured on a screen device context the first time any drawer asks for
// them; later requests only pick up the handle.
#pragma once

#include "editor/win/FontsInfoManager.h"

#include <memory>


class TheFontStock {
public:
  explicit TheFontStock(const TFontData& baseFont);
  ~TheFontStock();
  TheFontStock(const TheFontStock&) = delete;
  TheFontStock& operator=(const TheFontStock&) = delete;

  // Changes to the record of another base font (the old one is let go);
  // the style is to be selected again.
  void SetBaseFont(const TFontData& font);
  // Selects a variant, making and measuring it on first use.
  void SetStyle(TFontStyles style);
  TFontStyles GetStyle() const { return FCurrentStyle; }

  HFONT GetFontHandle() const { return FCurrentFont; }
  // The cell of the selected variant.
  int GetCharWidth() const;
  int GetCharHeight() const;
  int GetDBCharWidth() const;

  TheSharedFontsInfo* GetFontsInfo() const { return FpInfo; }
  // Lets go of the record (the stock has no font until SetBaseFont).
  void ReleaseFontsInfo();

private:
  // The screen context, got on the first request and released when the
  // last request is returned.
  HDC GetStockDC();
  void ReleaseStockDC();
  class TStockDCUse {
  public:
    explicit TStockDCUse(TheFontStock& stock) : FStock(stock), FDC(stock.GetStockDC()) {}
    ~TStockDCUse() { FStock.ReleaseStockDC(); }
    TStockDCUse(const TStockDCUse&) = delete;
    TStockDCUse& operator=(const TStockDCUse&) = delete;
    HDC Get() const { return FDC; }

  private:
    TheFontStock& FStock;
    HDC FDC;
  };
  TFontObject CreateStyleFont(TFontStyles style) const;
  void CalcFontAdvance(HDC dc, TheFontData& data) const;

  std::unique_ptr<TWindowDC> FDC;
  int FDCRefCount = 0;
  TheSharedFontsInfo* FpInfo = nullptr;  // counted up while we hold it
  LOGFONTA FBaseLF{};                    // the working logical font
  TFontStyles FCurrentStyle;
  TheFontData* FpCurrentFontData = nullptr;
  HFONT FCurrentFont = nullptr;
};
