// Where aligned child controls go inside their parent's client area. Kept
// apart from the window code so the layout rules are tested natively.
#pragma once

#include "platform/Types.h"

#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TAlignItem {
  TAlign Align = alNone;
  TRect Bounds;          // in: the current bounds; out: the aligned bounds
  bool Visible = true;
};

// Places the visible aligned items: first every alTop item (topmost first)
// takes a full-width strip off the top of the remaining area, then alBottom
// (lowest first) off the bottom, alLeft (leftmost first) off the left side,
// alRight (rightmost first) off the right side, and each alClient item fills
// what remains. Items keep their height (top/bottom) or width (left/right);
// equal positions keep the list order. Sizes never go below 0. alNone and
// hidden items are left where they are.
void AlignItems(const TRect& clientRect, std::vector<TAlignItem>& items);
