// Cell geometry of the hex view, on the platform's grid model.
#include "hexedit/HexGrid.h"

#include <algorithm>

THexGrid::THexGrid() {
  FGrid.SetGridLineWidth(0);
  FGrid.SetOptions(TGridOptions());
  FGrid.SetFixedRows(0);
  FGrid.SetFixedCols(0);
}

void THexGrid::SetColumns(std::vector<int> widths, int fixedCols) {
  if (widths.empty()) widths.push_back(0);
  const int count = int(widths.size());
  fixedCols = std::clamp(fixedCols, 0, count - 1);
  if (FGrid.GetFixedCols() > fixedCols) FGrid.SetFixedCols(fixedCols);
  FGrid.SetColCount(count);
  FGrid.SetFixedCols(fixedCols);
  for (int c = 0; c < count; ++c) FGrid.SetColWidths(c, widths[size_t(c)]);
}

void THexGrid::SetRowCount(int rows) { FGrid.SetRowCount(std::max(rows, 1)); }

void THexGrid::SetRowHeight(int height) { FGrid.SetDefaultRowHeight(std::max(height, 1)); }

void THexGrid::SetClientSize(int width, int height) {
  FGrid.SetClientSize(std::max(width, 0), std::max(height, 0));
}

int THexGrid::VisibleRowCount() const { return std::max(FGrid.GetVisibleRowCount(), 1); }

int THexGrid::VisibleColCount() const { return std::max(FGrid.GetVisibleColCount(), 1); }

int THexGrid::GetMaxTopRow() const { return FGrid.GetMaxTopRow(); }

int THexGrid::GetMaxLeftCol() const { return FGrid.GetMaxLeftCol(); }

int THexGrid::SetTopRow(int row) {
  FGrid.SetTopRow(row);
  return FGrid.GetTopRow();
}

int THexGrid::SetLeftCol(int col) {
  FGrid.SetLeftCol(col);
  return FGrid.GetLeftCol();
}

int THexGrid::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < FGrid.GetFixedCols(); ++c) w += FGrid.GetColWidths(c);
  return w;
}

TRect THexGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= GetColCount() || row < 0 || row >= GetRowCount()) return TRect();
  return FGrid.CellRect(col, row);
}

bool THexGrid::IsCellVisible(int col, int row) const {
  const TRect r = CellRect(col, row);
  return !r.IsEmpty() && r.Right <= FGrid.GetClientWidth() && r.Bottom <= FGrid.GetClientHeight();
}

bool THexGrid::MouseToCell(int x, int y, int& col, int& row) const {
  const TGridCoord cell = FGrid.MouseToCell(x, y);
  if (cell.X < 0 || cell.Y < 0) return false;
  col = cell.X;
  row = cell.Y;
  return true;
}
