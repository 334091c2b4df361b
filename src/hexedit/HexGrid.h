// THexGrid: the cell geometry the hex view stands on, kept by the
// platform's grid model (TCustomGrid: nothing is kept per row, so a file of
// a billion rows costs nothing) -- column widths, one row height, fixed
// columns on the left and no fixed rows, no grid lines, the top-left cell
// and the maps between cells and client pixels. The view keeps its own
// current cell and selection (they are data offsets, not cells).
#pragma once

#include <vector>

#include "platform/Grids.h"

#include "platform/Types.h"

class THexGrid {
public:
  THexGrid();
  int GetColCount() const { return FGrid.GetColCount(); }
  int GetRowCount() const { return FGrid.GetRowCount(); }
  int GetFixedCols() const { return FGrid.GetFixedCols(); }
  int GetRowHeight() const { return FGrid.GetDefaultRowHeight(); }
  int GetColWidth(int col) const { return FGrid.GetColWidths(col); }
  int GetTopRow() const { return FGrid.GetTopRow(); }
  // Always 0: the cells touch, and the view's maps rely on it.
  int GetGridLineWidth() const { return FGrid.GetGridLineWidth(); }
  int GetLeftCol() const { return FGrid.GetLeftCol(); }

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

  // The cell's rectangle in client pixels; empty when no part is in view.
  TRect CellRect(int col, int row) const;
  // The cell under a client point; false outside every cell.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  // Whether the cell lies wholly in view.
  bool IsCellVisible(int col, int row) const;

private:
  TCustomGrid FGrid;
};
