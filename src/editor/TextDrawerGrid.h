// The text drawers' decisions that need no device: which of the sixteen
// style variants a style is, how a font's metrics become a grid cell, the
// double-byte cell, and the reused per-character advance array.
#pragma once

#include "platform/Canvas.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// One style variant per combination of bold 1, italic 2, underline 4 and
// strikeout 8: the styles' byte mask is the slot.
constexpr int kFontStyleSlots = 16;
static_assert(fsBold == 0 && fsItalic == 1 && fsUnderline == 2 && fsStrikeOut == 3,
              "the style slot is the style mask");
constexpr int FontStyleSlot(TFontStyles style) { return style.ToMask() & (kFontStyleSlots - 1); }
constexpr TFontStyles FontSlotStyle(int slot) {
  return TFontStyles::FromMask(static_cast<uint8_t>(slot & (kFontStyleSlots - 1)));
}

// The double-byte cell width of a font that has none.
constexpr int kNoDBCharWidth = 2147483647;

struct TTextCell {
  int CharWidth = 0;
  int CharHeight = 0;
  int DBCharWidth = kNoDBCharWidth;
};

// The cell of a font: "M" decides the width (A + B + C plus the overhang of
// synthesised styles); without ABC widths (abcOfM null: raster fonts) the
// average character width stands in and the overhang is not added.
inline TTextCell MeasureTextCell(const TTextMetrics& tm, const TABCWidths* abcOfM) {
  TTextCell cell;
  if (abcOfM)
    cell.CharWidth = abcOfM->A + abcOfM->B + abcOfM->C + tm.Overhang;
  else
    cell.CharWidth = tm.AveCharWidth;
  cell.CharHeight = tm.Height < 0 ? -tm.Height : tm.Height;
  return cell;
}

// The two Shift-JIS characters the double-byte cell is measured on.
constexpr unsigned kDBProbeChar1 = 33281;
constexpr unsigned kDBProbeChar2 = 33440;

// A Shift-JIS double-byte font gets a double-byte cell when both probe
// characters have widths, the first is wider than one and a half cells and
// both are equally wide; every other font has none (kNoDBCharWidth).
inline int DoubleByteCellWidth(bool doubleByteFont, int charSet, int charWidth,
                               const TABCWidths* probe1, const TABCWidths* probe2) {
  if (!doubleByteFont || charSet != SHIFTJIS_CHARSET_ID || !probe1 || !probe2)
    return kNoDBCharWidth;
  int w1 = probe1->A + probe1->B + probe1->C;
  int w2 = probe2->A + probe2->B + probe2->C;
  if (2 * w1 > 3 * charWidth && w1 == w2) return w1;
  return kNoDBCharWidth;
}

// The per-character advances ExtTextOut passes to the device: kept between
// calls and only grown (to the next multiple of 64 above the text's length),
// so painting a row allocates nothing once the longest row has been seen.
// invariant: every entry holds FWidth.
class TTextAdvances {
public:
  static constexpr size_t kBlock = 64;

  // Advances for `length` characters, each `width` pixels.
  const int* Get(size_t length, int width) {
    if (width != FWidth) {
      // A changed cell (new extra spacing) refills what is there: stale
      // entries would put characters off the grid.
      FWidth = width;
      std::fill(FAdvances.begin(), FAdvances.end(), width);
    }
    if (length > FAdvances.size()) FAdvances.resize((length / kBlock + 1) * kBlock, width);
    return FAdvances.data();
  }
  void Release() {
    std::vector<int>().swap(FAdvances);
  }
  size_t Size() const { return FAdvances.size(); }

private:
  std::vector<int> FAdvances;
  int FWidth = 0;
};
