// The palette grid's layout: how many columns fit, how many rows the
// entries need, and which entry a cell shows.
#pragma once

constexpr int kPaletteCellSize = 20;
// A logical palette has at most this many entries; more are cut.
constexpr int kMaxPaletteEntries = 256;

struct TPaletteGeometry {
  int Columns = 1;
  int Rows = 1;
  int Count = 0;
  // The entry a cell shows, or -1 past the last.
  int EntryAt(int column, int row) const;
};

int ClampPaletteCount(int count);
// At least one column, however narrow the grid; at least one row.
TPaletteGeometry PaletteLayout(int entryCount, int clientWidth, int scrollBarWidth,
                               int columnWidth = kPaletteCellSize);
