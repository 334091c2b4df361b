// THexGrid: the cell geometry the hex view stands on -- column widths, one
// height for every row (nothing is kept per row, so a file of a billion rows
// costs nothing), fixed columns on the left, the top-left scrollable cell,
// and the maps between cells and client pixels.
#pragma once

#include <vector>

#include "platform/Types.h"

class THexGrid {
public:
  int GetColCount() const { return int(FColWidths.size()); }
  int GetRowCount() const { return FRowCount; }
  int GetFixedCols() const { return FFixedCols; }
  int GetRowHeight() const { return FRowHeight; }
  int GetColWidth(int col) const { return FColWidths[col]; }
  int GetTopRow() const { return FTopRow; }
  int GetLeftCol() const { return FLeftCol; }

  // Column widths, fixed columns first. Keeps the top-left cell in range.
  void SetColumns(std::vector<int> widths, int fixedCols);
  void SetRowCount(int rows);
  void SetRowHeight(int height);
  void SetClientSize(int width, int height);
  // Clamped to 0 .. GetMaxTopRow(); returns the value taken.
  int SetTopRow(int row);
  // Clamped to GetFixedCols() .. GetMaxLeftCol().
  int SetLeftCol(int col);

  // Rows wholly inside the client area (at least 1).
  int VisibleRowCount() const;
  // Scrollable columns that fit wholly from the left column on (at least 1).
  int VisibleColCount() const;
  int GetMaxTopRow() const;
  int GetMaxLeftCol() const;
  // Width of the fixed columns together.
  int FixedWidth() const;

  // The cell's rectangle in client pixels; empty when it is scrolled out of
  // sight (a column left of the left column, a row above the top row).
  TRect CellRect(int col, int row) const;
  // The cell under a client point; false outside every cell.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  // Whether the cell lies wholly in view.
  bool IsCellVisible(int col, int row) const;

private:
  std::vector<int> FColWidths{0};
  int FFixedCols = 0;
  int FRowCount = 1;
  int FRowHeight = 16;
  int FTopRow = 0;
  int FLeftCol = 0;
  int FClientWidth = 0;
  int FClientHeight = 0;
};
