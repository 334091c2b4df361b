// The grid model: geometry, current cell, selection, navigation and painting
// of the visible cells. Rows are walked in stretches of default height
// between the sparse overrides, so no operation costs time per row of the
// whole table.
#include "platform/Grids.h"

#include <algorithm>

namespace {

// Virtual-key codes of the navigation keys (the window system's numbers).
constexpr uint16_t kKeyTab = 0x09;
constexpr uint16_t kKeyPrior = 0x21;
constexpr uint16_t kKeyNext = 0x22;
constexpr uint16_t kKeyEnd = 0x23;
constexpr uint16_t kKeyHome = 0x24;
constexpr uint16_t kKeyLeft = 0x25;
constexpr uint16_t kKeyUp = 0x26;
constexpr uint16_t kKeyRight = 0x27;
constexpr uint16_t kKeyDown = 0x28;

constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kLineColor = clSilver;

int ClampInt(long long v, int lo, int hi) {
  if (hi < lo) return lo;
  return static_cast<int>(std::clamp<long long>(v, lo, hi));
}

[[noreturn]] void IndexError() { throw EGridError("Grid index out of range"); }

}  // namespace

TCustomGrid::TCustomGrid() : FColWidths(5, 64) {}

void TCustomGrid::SetHost(IGridHost* host) {
  FHost = host;
  UpdateScrollBars();
}

// --- size of the table -----------------------------------------------------------

void TCustomGrid::SetColCount(int value) {
  value = std::max(value, 1);
  if (value == GetColCount()) return;
  int old = GetColCount();
  if (value <= FFixedCols) FFixedCols = value - 1;
  FColWidths.resize(static_cast<size_t>(value), FDefaultColWidth);
  SizeChangedInternal(old, FRowCount);
}

void TCustomGrid::SetRowCount(int value) {
  value = std::max(value, 1);
  if (value == FRowCount) return;
  int old = FRowCount;
  if (value <= FFixedRows) FFixedRows = value - 1;
  FRowCount = value;
  FRowHeights.erase(FRowHeights.lower_bound(value), FRowHeights.end());
  SizeChangedInternal(GetColCount(), old);
}

void TCustomGrid::SetFixedCols(int value) {
  if (value < 0 || value >= GetColCount())
    throw EGridError("Fixed column count must be less than column count");
  if (value == FFixedCols) return;
  FFixedCols = value;
  SizeChangedInternal(GetColCount(), FRowCount);
}

void TCustomGrid::SetFixedRows(int value) {
  if (value < 0 || value >= FRowCount)
    throw EGridError("Fixed row count must be less than row count");
  if (value == FFixedRows) return;
  FFixedRows = value;
  SizeChangedInternal(GetColCount(), FRowCount);
}

void TCustomGrid::SizeChangedInternal(int oldCols, int oldRows) {
  FCurrent = ClampToScrollable(FCurrent.X, FCurrent.Y);
  FAnchor = ClampToScrollable(FAnchor.X, FAnchor.Y);
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
  if (oldCols != GetColCount() || oldRows != FRowCount) SizeChanged(oldCols, oldRows);
}

// --- cell sizes -------------------------------------------------------------------

void TCustomGrid::SetDefaultColWidth(int value) {
  value = std::max(value, 0);
  bool same = value == FDefaultColWidth &&
              std::all_of(FColWidths.begin(), FColWidths.end(), [&](int w) { return w == value; });
  FDefaultColWidth = value;
  if (same) return;
  std::fill(FColWidths.begin(), FColWidths.end(), value);
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
  value = std::max(value, 0);
  if (value == FDefaultRowHeight && FRowHeights.empty()) return;
  FDefaultRowHeight = value;
  FRowHeights.clear();
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

int TCustomGrid::GetColWidths(int col) const {
  if (col < 0 || col >= GetColCount()) IndexError();
  return FColWidths[static_cast<size_t>(col)];
}

void TCustomGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= GetColCount()) IndexError();
  width = std::max(width, 0);
  if (FColWidths[static_cast<size_t>(col)] == width) return;
  FColWidths[static_cast<size_t>(col)] = width;
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

int TCustomGrid::GetRowHeights(int row) const {
  if (row < 0 || row >= FRowCount) IndexError();
  auto it = FRowHeights.find(row);
  return it == FRowHeights.end() ? FDefaultRowHeight : it->second;
}

void TCustomGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= FRowCount) IndexError();
  height = std::max(height, 0);
  if (GetRowHeights(row) == height) return;
  if (height == FDefaultRowHeight)
    FRowHeights.erase(row);
  else
    FRowHeights[row] = height;
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int value) {
  value = std::max(value, 0);
  if (value == FGridLineWidth) return;
  FGridLineWidth = value;
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions value) {
  if (value == FOptions) return;
  FOptions = value;
  if (!FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TGridScrollBars value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  UpdateScrollBars();
}

void TCustomGrid::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (value == FFixedColor) return;
  FFixedColor = value;
  InvalidateGrid();
}

void TCustomGrid::SetClientSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FClientWidth && height == FClientHeight) return;
  FClientWidth = width;
  FClientHeight = height;
  ClampView();
  UpdateScrollBars();
  InvalidateGrid();
}

// --- geometry ---------------------------------------------------------------------

int TCustomGrid::VertLineWidth() const {
  return FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
}

int TCustomGrid::HorzLineWidth() const {
  return FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
}

int TCustomGrid::RowExtent(int row) const {
  auto it = FRowHeights.find(row);
  return (it == FRowHeights.end() ? FDefaultRowHeight : it->second) + HorzLineWidth();
}

int TCustomGrid::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < FFixedCols; ++c) w += ColExtent(c);
  return w;
}

int TCustomGrid::FixedHeight() const { return static_cast<int>(RowSpan(0, FFixedRows)); }

long long TCustomGrid::RowSpan(int from, int to) const {
  if (to <= from) return 0;
  long long defExt = FDefaultRowHeight + HorzLineWidth();
  long long span = (static_cast<long long>(to) - from) * defExt;
  for (auto it = FRowHeights.lower_bound(from); it != FRowHeights.end() && it->first < to; ++it)
    span += it->second - FDefaultRowHeight;
  return span;
}

int TCustomGrid::FitRows(int from, int step, long long avail, long long* rest) const {
  long long left = avail;
  long long n = 0;
  const long long defExt = FDefaultRowHeight + HorzLineWidth();
  int r = from;
  if (left >= 0) {
    if (step > 0) {
      while (r < FRowCount) {
        auto it = FRowHeights.lower_bound(r);
        int stretchEnd = it == FRowHeights.end() ? FRowCount : it->first;
        long long k = stretchEnd - r;
        if (defExt > 0) k = std::min(k, left / defExt);
        n += k;
        left -= k * defExt;
        r += static_cast<int>(k);
        if (r < stretchEnd || r >= FRowCount) break;
        int e = RowExtent(r);
        if (e > left) break;
        left -= e;
        ++n;
        ++r;
      }
    } else {
      while (r >= FFixedRows) {
        auto it = FRowHeights.upper_bound(r);
        int stretchStart = FFixedRows;
        if (it != FRowHeights.begin()) stretchStart = std::max(std::prev(it)->first + 1, FFixedRows);
        long long k = r - stretchStart + 1;
        if (defExt > 0) k = std::min(k, left / defExt);
        n += k;
        left -= k * defExt;
        r -= static_cast<int>(k);
        if (r >= stretchStart || r < FFixedRows) break;
        int e = RowExtent(r);
        if (e > left) break;
        left -= e;
        ++n;
        --r;
      }
    }
  }
  if (rest) *rest = left;
  return static_cast<int>(n);
}

int TCustomGrid::FitCols(int from, int step, long long avail, long long* rest) const {
  long long left = avail;
  int n = 0;
  const int lo = step > 0 ? 0 : FFixedCols;
  for (int c = from; left >= 0 && c >= lo && c < GetColCount(); c += step) {
    int e = ColExtent(c);
    if (e > left) break;
    left -= e;
    ++n;
  }
  if (rest) *rest = left;
  return n;
}

int TCustomGrid::GetVisibleRowCount() const {
  if (FTopRow >= FRowCount) return 0;
  return std::max(FitRows(FTopRow, 1, FClientHeight - FixedHeight()), 1);
}

int TCustomGrid::GetVisibleColCount() const {
  if (FLeftCol >= GetColCount()) return 0;
  return std::max(FitCols(FLeftCol, 1, FClientWidth - FixedWidth()), 1);
}

int TCustomGrid::GetLastVisibleRow() const {
  long long avail = FClientHeight - FixedHeight();
  if (avail <= 0) return FTopRow - 1;
  long long rest = 0;
  int n = FitRows(FTopRow, 1, avail, &rest);
  int last = FTopRow + n - 1;
  if (rest > 0 && last + 1 < FRowCount) ++last;
  return last;
}

int TCustomGrid::GetLastVisibleCol() const {
  long long avail = FClientWidth - FixedWidth();
  if (avail <= 0) return FLeftCol - 1;
  long long rest = 0;
  int n = FitCols(FLeftCol, 1, avail, &rest);
  int last = FLeftCol + n - 1;
  if (rest > 0 && last + 1 < GetColCount()) ++last;
  return last;
}

int TCustomGrid::GetMaxTopRow() const {
  int n = FitRows(FRowCount - 1, -1, FClientHeight - FixedHeight());
  return std::max(FRowCount - std::max(n, 1), FFixedRows);
}

int TCustomGrid::GetMaxLeftCol() const {
  int n = FitCols(GetColCount() - 1, -1, FClientWidth - FixedWidth());
  return std::max(GetColCount() - std::max(n, 1), FFixedCols);
}

int TCustomGrid::ColLeft(int col) const {
  if (col < 0 || col >= GetColCount()) return -1;
  long long x = 0;
  if (col < FFixedCols) {
    for (int c = 0; c < col; ++c) x += ColExtent(c);
  } else {
    if (col < FLeftCol) return -1;
    x = FixedWidth();
    for (int c = FLeftCol; c < col && x < FClientWidth; ++c) x += ColExtent(c);
  }
  return x < FClientWidth ? static_cast<int>(x) : -1;
}

int TCustomGrid::RowTop(int row) const {
  if (row < 0 || row >= FRowCount) return -1;
  long long y;
  if (row < FFixedRows) {
    y = RowSpan(0, row);
  } else {
    if (row < FTopRow) return -1;
    // Rows far below the view are not in it; RowSpan then need not be summed.
    if (row > GetLastVisibleRow()) return -1;
    y = FixedHeight() + RowSpan(FTopRow, row);
  }
  return y < FClientHeight ? static_cast<int>(y) : -1;
}

int TCustomGrid::RowAtOffset(int from, long long offset) const {
  int row = from + FitRows(from, 1, offset);
  return row < FRowCount ? row : -1;
}

TRect TCustomGrid::CellRect(int col, int row) const {
  int x = ColLeft(col);
  int y = RowTop(row);
  if (x < 0 || y < 0) return TRect();
  return Bounds(x, y, FColWidths[static_cast<size_t>(col)], GetRowHeights(row));
}

TGridCoord TCustomGrid::MouseToCell(int x, int y) const {
  TGridCoord cell{-1, -1};
  if (x >= 0 && x < FClientWidth) {
    int fixedW = FixedWidth();
    long long pos = x < fixedW ? 0 : fixedW;
    int c = x < fixedW ? 0 : FLeftCol;
    int end = x < fixedW ? FFixedCols : GetColCount();
    for (; c < end; ++c) {
      pos += ColExtent(c);
      if (x < pos) {
        cell.X = c;
        break;
      }
    }
  }
  if (y >= 0 && y < FClientHeight) {
    int fixedH = FixedHeight();
    int row = y < fixedH ? RowAtOffset(0, y) : RowAtOffset(FTopRow, y - fixedH);
    if (y < fixedH && row >= FFixedRows) row = -1;
    cell.Y = row;
  }
  return cell;
}

// --- view -------------------------------------------------------------------------

void TCustomGrid::SetTopRow(int value) { MoveTopLeft(FLeftCol, value); }

void TCustomGrid::SetLeftCol(int value) { MoveTopLeft(value, FTopRow); }

void TCustomGrid::MoveTopLeft(int col, int row) {
  col = ClampInt(col, FFixedCols, GetMaxLeftCol());
  row = ClampInt(row, FFixedRows, GetMaxTopRow());
  if (col == FLeftCol && row == FTopRow) return;
  FLeftCol = col;
  FTopRow = row;
  InvalidateGrid();
  UpdateScrollBars();
  TopLeftChanged();
}

void TCustomGrid::ClampView() {
  int col = ClampInt(FLeftCol, FFixedCols, GetMaxLeftCol());
  int row = ClampInt(FTopRow, FFixedRows, GetMaxTopRow());
  if (col == FLeftCol && row == FTopRow) return;
  FLeftCol = col;
  FTopRow = row;
  TopLeftChanged();
}

void TCustomGrid::ScrollInView(int col, int row) {
  int left = FLeftCol;
  int top = FTopRow;
  if (row >= FFixedRows && row < FRowCount) {
    long long avail = FClientHeight - FixedHeight();
    int lastFull = FTopRow + FitRows(FTopRow, 1, avail) - 1;
    if (row < FTopRow)
      top = row;
    else if (row > lastFull)
      top = row - std::max(FitRows(row, -1, avail), 1) + 1;
  }
  if (col >= FFixedCols && col < GetColCount() && !FOptions.Contains(goRowSelect)) {
    long long avail = FClientWidth - FixedWidth();
    int lastFull = FLeftCol + FitCols(FLeftCol, 1, avail) - 1;
    if (col < FLeftCol)
      left = col;
    else if (col > lastFull)
      left = col - std::max(FitCols(col, -1, avail), 1) + 1;
  }
  MoveTopLeft(left, top);
}

void TCustomGrid::UpdateScrollBars() {
  if (!FHost) return;
  bool vert = FScrollBars == gssVertical || FScrollBars == gssBoth;
  bool horz = FScrollBars == gssHorizontal || FScrollBars == gssBoth;
  if (vert && GetMaxTopRow() > FFixedRows)
    FHost->SetScrollBar(gsbVertical, 0, FRowCount - FFixedRows - 1, GetVisibleRowCount(),
                        FTopRow - FFixedRows);
  else
    FHost->SetScrollBar(gsbVertical, 0, 0, 0, 0);
  if (horz && GetMaxLeftCol() > FFixedCols)
    FHost->SetScrollBar(gsbHorizontal, 0, GetColCount() - FFixedCols - 1, GetVisibleColCount(),
                        FLeftCol - FFixedCols);
  else
    FHost->SetScrollBar(gsbHorizontal, 0, 0, 0, 0);
}

void TCustomGrid::Scroll(TGridScrollBar bar, TGridScrollCode code, int trackPos) {
  bool vert = bar == gsbVertical;
  int first = vert ? FFixedRows : FFixedCols;
  int cur = vert ? FTopRow : FLeftCol;
  int page = vert ? GetVisibleRowCount() : GetVisibleColCount();
  long long to = cur;
  switch (code) {
    case gscLineUp: to = cur - 1; break;
    case gscLineDown: to = cur + 1; break;
    case gscPageUp: to = static_cast<long long>(cur) - page; break;
    case gscPageDown: to = static_cast<long long>(cur) + page; break;
    case gscThumbTrack:
      if (!FOptions.Contains(goThumbTracking)) return;
      to = static_cast<long long>(first) + trackPos;
      break;
    case gscThumbPosition: to = static_cast<long long>(first) + trackPos; break;
    case gscTop: to = first; break;
    case gscBottom: to = vert ? GetMaxTopRow() : GetMaxLeftCol(); break;
    case gscEndScroll: return;
  }
  int value = ClampInt(to, first, vert ? FRowCount - 1 : GetColCount() - 1);
  if (vert)
    MoveTopLeft(FLeftCol, value);
  else
    MoveTopLeft(value, FTopRow);
}

// --- current cell and selection ------------------------------------------------------

TGridCoord TCustomGrid::ClampToScrollable(int col, int row) const {
  return {ClampInt(col, FFixedCols, GetColCount() - 1), ClampInt(row, FFixedRows, FRowCount - 1)};
}

TGridRect TCustomGrid::GetSelection() const {
  TGridCoord a = FOptions.Contains(goRangeSelect) ? FAnchor : FCurrent;
  TGridRect r{std::min(a.X, FCurrent.X), std::min(a.Y, FCurrent.Y), std::max(a.X, FCurrent.X),
              std::max(a.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = GetColCount() - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
  TGridRect old = GetSelection();
  TGridCoord oldCurrent = FCurrent;
  FAnchor = ClampToScrollable(value.Left, value.Top);
  FCurrent = ClampToScrollable(value.Right, value.Bottom);
  if (!FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  TGridRect now = GetSelection();
  if (old == now && oldCurrent == FCurrent) return;
  InvalidateBlock(old);
  InvalidateBlock(now);
  ScrollInView(FCurrent.X, FCurrent.Y);
  SelectionChanged();
}

bool TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
  TGridCoord cell = ClampToScrollable(col, row);
  if (!(cell == FCurrent) && !SelectCell(cell.X, cell.Y)) return false;
  if (!FOptions.Contains(goRangeSelect)) moveAnchor = true;
  TGridRect old = GetSelection();
  TGridCoord oldCurrent = FCurrent;
  FCurrent = cell;
  if (moveAnchor) FAnchor = cell;
  TGridRect now = GetSelection();
  bool changed = !(old == now) || !(oldCurrent == FCurrent);
  if (changed) {
    InvalidateBlock(old);
    InvalidateBlock(now);
  }
  ScrollInView(cell.X, cell.Y);
  if (changed) SelectionChanged();
  return true;
}

void TCustomGrid::SetFocused(bool value) {
  if (value == FFocused) return;
  FFocused = value;
  InvalidateBlock(FOptions.Contains(goRowSelect) ? GetSelection()
                                                 : TGridRect{FCurrent.X, FCurrent.Y, FCurrent.X,
                                                             FCurrent.Y});
}

// --- input ------------------------------------------------------------------------

bool TCustomGrid::KeyDown(uint16_t& key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  const bool extend = shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
  int col = FCurrent.X;
  int row = FCurrent.Y;
  int page = GetVisibleRowCount();
  switch (key) {
    case kKeyUp: --row; break;
    case kKeyDown: ++row; break;
    case kKeyLeft:
      if (FOptions.Contains(goRowSelect)) {
        SetLeftCol(FLeftCol - 1);
        key = 0;
        return true;
      }
      --col;
      break;
    case kKeyRight:
      if (FOptions.Contains(goRowSelect)) {
        SetLeftCol(FLeftCol + 1);
        key = 0;
        return true;
      }
      ++col;
      break;
    case kKeyPrior:
      if (ctrl) {
        row = FTopRow;
      } else {
        row -= page;
        SetTopRow(FTopRow - page);
      }
      break;
    case kKeyNext:
      if (ctrl) {
        row = FTopRow + FitRows(FTopRow, 1, FClientHeight - FixedHeight()) - 1;
      } else {
        row = ClampInt(static_cast<long long>(row) + page, FFixedRows, FRowCount - 1);
        SetTopRow(FTopRow + page);
      }
      break;
    case kKeyHome:
      col = FFixedCols;
      if (ctrl) row = FFixedRows;
      break;
    case kKeyEnd:
      col = GetColCount() - 1;
      if (ctrl) row = FRowCount - 1;
      break;
    case kKeyTab: {
      if (!FOptions.Contains(goTabs) || shift.Contains(ssAlt) || ctrl) return false;
      bool back = shift.Contains(ssShift);
      if (FOptions.Contains(goRowSelect)) {
        row += back ? -1 : 1;
      } else if (back) {
        if (col > FFixedCols) --col;
        else if (row > FFixedRows) { col = GetColCount() - 1; --row; }
      } else {
        if (col < GetColCount() - 1) ++col;
        else if (row < FRowCount - 1) { col = FFixedCols; ++row; }
      }
      FocusCell(col, row, true);
      key = 0;
      return true;
    }
    default: return false;
  }
  FocusCell(col, row, !extend);
  key = 0;
  return true;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return;
  TGridCoord cell = MouseToCell(x, y);
  if (cell.X < FFixedCols || cell.Y < FFixedRows) return;
  bool extend = shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
  if (FocusCell(cell.X, cell.Y, !extend)) FSelecting = FOptions.Contains(goRangeSelect);
}

void TCustomGrid::MouseMove(TShiftState, int x, int y) {
  if (!FSelecting) return;
  // Beyond an edge of the view the selection goes one cell past the last
  // visible one, which scrolls the view on as the mouse keeps moving.
  int col, row;
  int fixedW = FixedWidth(), fixedH = FixedHeight();
  if (x < fixedW) col = FLeftCol - 1;
  else if (x >= FClientWidth) col = GetLastVisibleCol() + 1;
  else col = MouseToCell(x, y).X;
  if (col < 0) col = GetColCount() - 1;
  if (y < fixedH) row = FTopRow - 1;
  else if (y >= FClientHeight) row = GetLastVisibleRow() + 1;
  else row = MouseToCell(x, y).Y;
  if (row < 0) row = FRowCount - 1;
  FocusCell(col, row, false);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState, int, int) {
  if (button == mbLeft) FSelecting = false;
}

// --- painting ---------------------------------------------------------------------------

TGridDrawState TCustomGrid::CellState(int col, int row, const TGridRect& sel) const {
  TGridDrawState s;
  if (col < FFixedCols || row < FFixedRows) return s + gdFixed;
  if (sel.Contains(col, row)) s.Include(gdSelected);
  if (FFocused && col == FCurrent.X && row == FCurrent.Y) s.Include(gdFocused);
  return s;
}

void TCustomGrid::Paint(ICanvas& canvas) {
  TRect clip;
  if (!IntersectRect(clip, canvas.GetClipRect(), TRect(0, 0, FClientWidth, FClientHeight))) return;
  const int vl = VertLineWidth();
  const int hl = HorzLineWidth();
  const TGridRect sel = GetSelection();

  // The columns in view with their left edges: the fixed ones, then from LeftCol.
  struct ColPos { int Col; int X; };
  std::vector<ColPos> cols;
  long long x = 0;
  for (int c = 0; c < GetColCount() && x < FClientWidth; ++c) {
    if (c == FFixedCols) c = std::max(c, FLeftCol);
    if (c >= GetColCount()) break;
    cols.push_back({c, static_cast<int>(x)});
    x += ColExtent(c);
  }
  const int right = static_cast<int>(std::min<long long>(x, FClientWidth));

  auto fillLine = [&](const TRect& r, bool fixed, bool horizontal) {
    if (r.IsEmpty()) return;
    TGridOption want = horizontal ? (fixed ? goFixedHorzLine : goHorzLine)
                                  : (fixed ? goFixedVertLine : goVertLine);
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(FOptions.Contains(want) ? (fixed ? kFixedLineColor : kLineColor) : FColor);
    canvas.FillRect(r);
  };

  auto paintRow = [&](int row, int y) {
    const int h = GetRowHeights(row);
    if (y + h + hl <= clip.Top) return;
    for (const ColPos& cp : cols) {
      if (cp.X >= clip.Right) break;
      const int w = FColWidths[static_cast<size_t>(cp.Col)];
      if (cp.X + w + vl <= clip.Left) continue;
      const bool fixed = cp.Col < FFixedCols || row < FFixedRows;
      TRect cell = Bounds(cp.X, y, w, h);
      TRect visible;
      if (IntersectRect(visible, cell, clip)) DrawCell(canvas, cp.Col, row, cell, CellState(cp.Col, row, sel));
      if (vl > 0) fillLine(Bounds(cp.X + w, y, vl, h + hl), fixed, false);
      if (hl > 0) fillLine(Bounds(cp.X, y + h, w, hl), fixed, true);
    }
  };

  long long y = 0;
  for (int r = 0; r < FFixedRows && y < clip.Bottom; ++r) {
    paintRow(r, static_cast<int>(y));
    y += RowExtent(r);
  }
  for (int r = FTopRow; r < FRowCount && y < clip.Bottom && y < FClientHeight; ++r) {
    paintRow(r, static_cast<int>(y));
    y += RowExtent(r);
  }
  const int bottom = static_cast<int>(std::min<long long>(y, FClientHeight));

  // What lies beside the last column and below the last row.
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(FColor);
  TRect r;
  if (right < clip.Right && IntersectRect(r, TRect(right, 0, FClientWidth, bottom), clip))
    canvas.FillRect(r);
  if (bottom < clip.Bottom && IntersectRect(r, TRect(0, bottom, FClientWidth, FClientHeight), clip))
    canvas.FillRect(r);
}

void TCustomGrid::DefaultDrawCell(ICanvas& canvas, const TRect& rect, TGridDrawState state) {
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(CellBackground(state));
  canvas.FillRect(rect);
}

TColor TCustomGrid::CellBackground(TGridDrawState state) const {
  if (state.Contains(gdFixed)) return FFixedColor;
  if (IsHighlighted(state)) return clHighlight;
  return FColor;
}

bool TCustomGrid::IsHighlighted(TGridDrawState state) const {
  // The focused cell keeps the plain colour unless the options ask for it,
  // so the eye finds it inside a selection.
  return state.Contains(gdSelected) &&
         (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
          FOptions.Contains(goRowSelect));
}

void TCustomGrid::DrawCell(ICanvas& canvas, int, int, const TRect& rect, TGridDrawState state) {
  DefaultDrawCell(canvas, rect, state);
}

// --- invalidation ---------------------------------------------------------------------

TRect TCustomGrid::BoxRect(const TGridRect& g) const {
  // One axis: the pixels [lo, hi) that items a..b cover in view.
  auto axis = [](int a, int b, int fixedCount, int first, int last, int fixedEnd, int clientEnd,
                 auto&& start, auto&& extent, int& lo, int& hi) {
    if (a > b) return false;
    if (a < fixedCount) {
      lo = start(a);
    } else if (a < first) {
      if (b < first) return false;
      lo = fixedEnd;
    } else {
      if (a > last) return false;
      lo = start(a);
    }
    if (b < fixedCount) {
      hi = start(b) + extent(b);
    } else if (b < first) {
      hi = fixedEnd;
    } else if (b >= last) {
      hi = clientEnd;
    } else {
      hi = start(b) + extent(b);
    }
    return lo >= 0 && hi > lo;
  };
  int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  auto colStart = [&](int c) { return ColLeft(c); };
  auto colExt = [&](int c) { return ColExtent(c); };
  auto rowStart = [&](int r) { return RowTop(r); };
  auto rowExt = [&](int r) { return RowExtent(r); };
  int cl = std::max(g.Left, 0), cr = std::min(g.Right, GetColCount() - 1);
  int rt = std::max(g.Top, 0), rb = std::min(g.Bottom, FRowCount - 1);
  if (!axis(cl, cr, FFixedCols, FLeftCol, GetLastVisibleCol(), FixedWidth(), FClientWidth, colStart,
            colExt, x1, x2))
    return TRect();
  if (!axis(rt, rb, FFixedRows, FTopRow, GetLastVisibleRow(), FixedHeight(), FClientHeight,
            rowStart, rowExt, y1, y2))
    return TRect();
  return TRect(x1, y1, std::min(x2, FClientWidth), std::min(y2, FClientHeight));
}

void TCustomGrid::InvalidateBlock(const TGridRect& r) {
  if (!FHost) return;
  TRect box = BoxRect(r);
  if (!box.IsEmpty()) FHost->InvalidateRect(box);
}

void TCustomGrid::InvalidateCell(int col, int row) { InvalidateBlock({col, row, col, row}); }

void TCustomGrid::InvalidateGrid() {
  if (FHost && FClientWidth > 0 && FClientHeight > 0)
    FHost->InvalidateRect(TRect(0, 0, FClientWidth, FClientHeight));
}

// --- hooks ------------------------------------------------------------------------------

bool TCustomGrid::SelectCell(int, int) { return true; }
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::SelectionChanged() {}
bool TCustomGrid::CanEditShow() const { return FOptions.Contains(goEditing); }
std::string TCustomGrid::GetEditText(int, int) const { return std::string(); }
void TCustomGrid::SetEditText(int, int, const std::string&) {}

// --- TDrawGrid ---------------------------------------------------------------------------

void TDrawGrid::DrawCell(ICanvas& canvas, int col, int row, const TRect& rect,
                         TGridDrawState state) {
  if (FDefaultDrawing) DefaultDrawCell(canvas, rect, state);
  if (OnDrawCell) OnDrawCell(canvas, col, row, rect, state);
}

bool TDrawGrid::SelectCell(int col, int row) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(col, row, can);
  return can;
}

void TDrawGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged();
}

void TDrawGrid::SelectionChanged() {
  if (OnSelectionChanged) OnSelectionChanged();
}

std::string TDrawGrid::GetEditText(int col, int row) const {
  return OnGetEditText ? OnGetEditText(col, row) : std::string();
}

void TDrawGrid::SetEditText(int col, int row, const std::string& value) {
  if (OnSetEditText) OnSetEditText(col, row, value);
}

// --- TStringGrid ---------------------------------------------------------------------------

std::string TStringGrid::GetCells(int col, int row) const {
  auto it = FCells.find(Key(col, row));
  return it == FCells.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
  if (col < 0 || col >= GetColCount() || row < 0 || row >= GetRowCount()) IndexError();
  auto it = FCells.find(Key(col, row));
  if (it == FCells.end() ? value.empty() : it->second == value) return;
  if (value.empty())
    FCells.erase(it);
  else
    FCells[Key(col, row)] = value;
  InvalidateCell(col, row);
}

std::string TStringGrid::GetEditText(int col, int row) const { return GetCells(col, row); }

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
  SetCells(col, row, value);
  TDrawGrid::SetEditText(col, row, value);
}

void TStringGrid::DrawCell(ICanvas& canvas, int col, int row, const TRect& rect,
                           TGridDrawState state) {
  if (GetDefaultDrawing()) {
    DefaultDrawCell(canvas, rect, state);
    auto it = FCells.find(Key(col, row));
    if (it != FCells.end()) {
      canvas.SetFontColor(IsHighlighted(state) ? clHighlightText : clWindowText);
      canvas.SetBrushStyle(bsClear);
      canvas.ExtTextOut(rect.Left + 2, rect.Top + 2, etoClipped, &rect, it->second, nullptr);
      canvas.SetBrushStyle(bsSolid);
    }
  }
  if (OnDrawCell) OnDrawCell(canvas, col, row, rect, state);
}

void TStringGrid::SizeChanged(int, int) {
  std::erase_if(FCells, [&](const auto& kv) {
    int col = static_cast<int>(kv.first >> 32);
    int row = static_cast<int>(kv.first & 0xFFFFFFFFu);
    return col >= GetColCount() || row >= GetRowCount();
  });
}
