#include "kit/SplitGeometry.h"

#include <algorithm>

namespace {
bool Vertical(TAlign a) { return a == alTop || a == alBottom; }
bool Horizontal(TAlign a) { return a == alLeft || a == alRight; }
}  // namespace

int SplitStyle(bool hasFirst, TAlign first, bool hasSecond, TAlign second, TAlign own) {
  if (!hasFirst) return 0;
  const bool secondFree = !hasSecond || second == alClient;
  int style = 0;
  if (Vertical(first) && secondFree)
    style = 1;
  else if (first == alClient && hasSecond && Vertical(second))
    style = 2;
  else if (Horizontal(first) && secondFree)
    style = 3;
  else if (first == alClient && hasSecond && Horizontal(second))
    style = 4;
  if (style == 0) return 0;
  // The bar must sit on the same edge as the control it resizes, or moving
  // it would not follow that control's edge.
  const TAlign resized = SplitResizesFirst(style) ? first : second;
  return own == resized ? style : 0;
}

TRect SplitLimits(const TRect& parentClient, int topLeftLimit, int bottomRightLimit,
                  TPoint splitterPos) {
  return TRect(parentClient.Left + topLeftLimit - splitterPos.X,
               parentClient.Top + topLeftLimit - splitterPos.Y,
               parentClient.Right - bottomRightLimit - splitterPos.X,
               parentClient.Bottom - bottomRightLimit - splitterPos.Y);
}

TPoint ClampSplitPosition(TPoint p, const TRect& limits, TSize size, int style, bool& clamped) {
  TPoint r = p;
  // Lower bound last: when the limits leave less room than the bar, the bar
  // stays at the top or left limit.
  r.X = std::max(std::min(r.X, limits.Right - size.cx), limits.Left);
  r.Y = std::max(std::min(r.Y, limits.Bottom - size.cy), limits.Top);
  clamped = SplitIsVertical(style) ? r.Y != p.Y : r.X != p.X;
  return r;
}

int SplitNewSize(int style, int currentSize, TPoint offset, bool rightAligned, bool bottomAligned,
                 int parentClientSize, int thickness) {
  const int dx = rightAligned ? -offset.X : offset.X;
  const int dy = bottomAligned ? -offset.Y : offset.Y;
  int size = std::max(1, currentSize + (SplitIsVertical(style) ? dy : dx));
  const int room = parentClientSize - thickness;
  if (size >= room) size = std::max(1, room - 3);
  return size;
}
