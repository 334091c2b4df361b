// Cell geometry of the hex view.
#include "hexedit/HexGrid.h"

#include <algorithm>

void THexGrid::SetColumns(std::vector<int> widths, int fixedCols) {
  FColWidths = std::move(widths);
  if (FColWidths.empty()) FColWidths.push_back(0);
  FFixedCols = std::clamp(fixedCols, 0, GetColCount() - 1);
  SetLeftCol(FLeftCol);
}

void THexGrid::SetRowCount(int rows) {
  FRowCount = std::max(rows, 1);
  SetTopRow(FTopRow);
}

void THexGrid::SetRowHeight(int height) {
  FRowHeight = std::max(height, 1);
  SetTopRow(FTopRow);
}

void THexGrid::SetClientSize(int width, int height) {
  FClientWidth = std::max(width, 0);
  FClientHeight = std::max(height, 0);
  SetTopRow(FTopRow);
  SetLeftCol(FLeftCol);
}

int THexGrid::VisibleRowCount() const { return std::max(FClientHeight / FRowHeight, 1); }

int THexGrid::GetMaxTopRow() const { return std::max(FRowCount - VisibleRowCount(), 0); }

int THexGrid::SetTopRow(int row) {
  FTopRow = std::clamp(row, 0, GetMaxTopRow());
  return FTopRow;
}

int THexGrid::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < FFixedCols; ++c) w += FColWidths[c];
  return w;
}

int THexGrid::VisibleColCount() const {
  int room = FClientWidth - FixedWidth();
  int n = 0;
  for (int c = FLeftCol; c < GetColCount() && FColWidths[c] <= room; ++c) {
    room -= FColWidths[c];
    ++n;
  }
  return std::max(n, 1);
}

int THexGrid::GetMaxLeftCol() const {
  // The smallest left column from which the last column still fits.
  int room = FClientWidth - FixedWidth();
  int col = GetColCount();
  while (col > FFixedCols && FColWidths[col - 1] <= room) room -= FColWidths[--col];
  return std::clamp(col, FFixedCols, GetColCount() - 1);
}

int THexGrid::SetLeftCol(int col) {
  FLeftCol = std::clamp(col, FFixedCols, GetMaxLeftCol());
  return FLeftCol;
}

TRect THexGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= GetColCount() || row < FTopRow || row >= FRowCount) return TRect();
  if (col >= FFixedCols && col < FLeftCol) return TRect();
  int x = 0;
  if (col < FFixedCols) {
    for (int c = 0; c < col; ++c) x += FColWidths[c];
  } else {
    x = FixedWidth();
    for (int c = FLeftCol; c < col; ++c) x += FColWidths[c];
  }
  const int y = (row - FTopRow) * FRowHeight;
  return TRect(x, y, x + FColWidths[col], y + FRowHeight);
}

bool THexGrid::IsCellVisible(int col, int row) const {
  const TRect r = CellRect(col, row);
  return !r.IsEmpty() && r.Right <= FClientWidth && r.Bottom <= FClientHeight;
}

bool THexGrid::MouseToCell(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  row = FTopRow + y / FRowHeight;
  if (row >= FRowCount) return false;
  int left = 0;
  for (int c = 0; c < FFixedCols; ++c) {
    if (x < left + FColWidths[c]) {
      col = c;
      return true;
    }
    left += FColWidths[c];
  }
  for (int c = FLeftCol; c < GetColCount(); ++c) {
    if (x < left + FColWidths[c]) {
      col = c;
      return true;
    }
    left += FColWidths[c];
  }
  return false;
}
