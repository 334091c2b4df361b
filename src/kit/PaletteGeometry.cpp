// The palette grid's layout.
#include "kit/PaletteGeometry.h"

#include <algorithm>

int ClampPaletteCount(int count) { return std::clamp(count, 0, kMaxPaletteEntries); }

int TPaletteGeometry::EntryAt(int column, int row) const {
  if (column < 0 || row < 0 || column >= Columns) return -1;
  const int entry = row * Columns + column;
  return entry < Count ? entry : -1;
}

TPaletteGeometry PaletteLayout(int entryCount, int clientWidth, int scrollBarWidth, int columnWidth) {
  TPaletteGeometry g;
  g.Count = ClampPaletteCount(entryCount);
  g.Columns = columnWidth > 0 ? std::max(1, (clientWidth - scrollBarWidth) / columnWidth) : 1;
  g.Rows = std::max(1, (g.Count + g.Columns - 1) / g.Columns);
  return g;
}
