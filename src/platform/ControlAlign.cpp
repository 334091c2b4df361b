// The alignment of child controls.
#include "platform/ControlAlign.h"

#include <algorithm>

namespace {

// The sort key of an item within its alignment group: the edge it sticks to,
// negated where the group fills from the far side.
int Key(const TAlignItem& item) {
  switch (item.Align) {
    case alTop: return item.Bounds.Top;
    case alBottom: return -item.Bounds.Bottom;
    case alLeft: return item.Bounds.Left;
    case alRight: return -item.Bounds.Right;
    default: return 0;
  }
}

}  // namespace

void AlignItems(const TRect& clientRect, std::vector<TAlignItem>& items) {
  TRect r = clientRect;
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<size_t> group;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].Visible && items[i].Align == a) group.push_back(i);
    std::stable_sort(group.begin(), group.end(),
                     [&](size_t x, size_t y) { return Key(items[x]) < Key(items[y]); });
    for (size_t i : group) {
      TRect& b = items[i].Bounds;
      int w = std::max(0, b.Width()), h = std::max(0, b.Height());
      int rw = std::max(0, r.Width()), rh = std::max(0, r.Height());
      switch (a) {
        case alTop:
          b = Bounds(r.Left, r.Top, rw, h);
          r.Top += h;
          break;
        case alBottom:
          b = Bounds(r.Left, r.Bottom - h, rw, h);
          r.Bottom -= h;
          break;
        case alLeft:
          b = Bounds(r.Left, r.Top, w, rh);
          r.Left += w;
          break;
        case alRight:
          b = Bounds(r.Right - w, r.Top, w, rh);
          r.Right -= w;
          break;
        default:
          b = Bounds(r.Left, r.Top, rw, rh);
          break;
      }
    }
  }
}
