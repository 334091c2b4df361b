// Font size conversions shared by every canvas.
#include "platform/Canvas.h"

#include <cstdint>

namespace {
// a * b / c rounded half away from zero, as the window system's MulDiv.
int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = int64_t(a) * b;
  bool negative = (p < 0) != (c < 0);
  int64_t ap = p < 0 ? -p : p, ac = c < 0 ? -int64_t(c) : c;
  int64_t q = (ap + ac / 2) / ac;
  return int(negative ? -q : q);
}
}  // namespace

int FontSizeToHeight(int size, int pixelsPerInch) { return -MulDivRound(size, pixelsPerInch, 72); }

int FontHeightToSize(int height, int pixelsPerInch) { return -MulDivRound(height, 72, pixelsPerInch); }
