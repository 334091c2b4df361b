// The grid model: a table of cells painted by ourselves, without a window.
// TCustomGrid holds the geometry (column widths, row heights, fixed rows and
// columns, the top-left cell), the current cell and the selection, key and
// mouse navigation and scrolling, and paints the visible cells through the
// canvas interface. The window half (platform/win/GridWindow.h) turns
// messages into calls of the entry points below; tests drive them directly
// and paint on the recording canvas.
//
// How a derived class uses it (the hex view, the draw and string grids):
//  - override DrawCell to paint one cell; Paint calls it only for cells that
//    are visible and meet the canvas's clip rectangle;
//  - override SelectCell to refuse a cell as current cell, SizeChanged to
//    hear of a new column or row count, TopLeftChanged for scrolling,
//    SelectionChanged for a new current cell or selection;
//  - give it an IGridHost (the window) to have areas invalidated and the
//    scroll bars set; without a host it behaves as a grid whose window does
//    not exist yet, and the window half calls SetClientSize on every resize.
//
// Nothing is kept per row: rows have one default height and a sparse table
// of rows whose height differs, so a grid of millions of rows costs what a
// grid of a screenful costs. Row and column numbers and scroll positions
// are 32-bit.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Keys.h"
#include "platform/Sets.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

TQ_DECLARE_EXCEPTION(EGridError, Exception)

// A cell: X is the column, Y the row.
struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells; every bound is inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr bool Contains(int col, int row) const {
    return col >= Left && col <= Right && row >= Top && row <= Bottom;
  }
  friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridOption : uint8_t {
  goFixedVertLine,      // lines between fixed columns
  goFixedHorzLine,      // lines between fixed rows
  goVertLine,           // lines between the other columns
  goHorzLine,           // lines between the other rows
  goRangeSelect,        // Shift and dragging select a block of cells
  goDrawFocusSelected,  // the current cell is painted selected too
  goEditing,            // cells can be edited in place (the window half)
  goTabs,               // Tab and Shift+Tab move between cells
  goRowSelect,          // whole rows are selected
  goAlwaysShowEditor,   // the in-place editor shows without F2 or typing
  goThumbTracking,      // the view follows the scroll thumb while dragged
};
using TGridOptions = TSet<TGridOption, uint32_t>;

enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem, uint8_t>;

enum TGridScrollBar : uint8_t { gsbHorizontal, gsbVertical };
enum TGridScrollBars : uint8_t { gssNone, gssHorizontal, gssVertical, gssBoth };
// What a scroll bar asks for, as its messages name it.
enum TGridScrollCode : uint8_t {
  gscLineUp, gscLineDown, gscPageUp, gscPageDown, gscThumbPosition, gscThumbTrack, gscTop,
  gscBottom, gscEndScroll,
};

// What the model asks of its window.
class IGridHost {
public:
  virtual ~IGridHost() = default;
  // Marks an area of the client for painting.
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Sets a scroll bar: range min..max, page size and position. A bar the
  // grid does not want (ScrollBars) or that has nothing to scroll gets all
  // zeroes, which hides it.
  virtual void SetScrollBar(TGridScrollBar bar, int min, int max, int page, int pos) = 0;
};

class TCustomGrid {
public:
  TCustomGrid();
  virtual ~TCustomGrid() = default;
  TCustomGrid(const TCustomGrid&) = delete;
  TCustomGrid& operator=(const TCustomGrid&) = delete;

  void SetHost(IGridHost* host);
  IGridHost* GetHost() const { return FHost; }

  // --- size of the table ---
  int GetColCount() const { return static_cast<int>(FColWidths.size()); }
  void SetColCount(int value);  // at least 1, and more than FixedCols
  int GetRowCount() const { return FRowCount; }
  void SetRowCount(int value);  // at least 1, and more than FixedRows
  int GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(int value);  // 0 .. ColCount - 1, else EGridError
  int GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(int value);  // 0 .. RowCount - 1, else EGridError

  // --- cell sizes (pixels, never negative) ---
  int GetDefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int value);  // every column takes the new width
  int GetDefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int value);  // every row takes the new height
  int GetColWidths(int col) const;
  void SetColWidths(int col, int width);
  int GetRowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int value);
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions value);
  TGridScrollBars GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TGridScrollBars value);

  // --- colours of the default painting ---
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);

  // --- the client area the grid paints into ---
  void SetClientSize(int width, int height);
  int GetClientWidth() const { return FClientWidth; }
  int GetClientHeight() const { return FClientHeight; }

  // --- the view: first scrollable row and column shown after the fixed ones ---
  int GetTopRow() const { return FTopRow; }
  void SetTopRow(int value);  // clamped to FixedRows .. the top row of the last page
  int GetLeftCol() const { return FLeftCol; }
  void SetLeftCol(int value);
  // Scrollable rows and columns wholly visible from the top-left cell; at
  // least 1 while there are any, so paging always moves.
  int GetVisibleRowCount() const;
  int GetVisibleColCount() const;
  // The last row and column with any pixel visible (TopRow - 1 / LeftCol -
  // 1 when none is).
  int GetLastVisibleRow() const;
  int GetLastVisibleCol() const;
  // Largest TopRow / LeftCol: the view then ends with the last row / column.
  int GetMaxTopRow() const;
  int GetMaxLeftCol() const;

  // --- cells and pixels ---
  // The cell's rectangle in client pixels (lines excluded); empty when no
  // part of the cell is in view.
  TRect CellRect(int col, int row) const;
  // The cell under a client point; X or Y is -1 when the point lies beside
  // every column or row.
  TGridCoord MouseToCell(int x, int y) const;

  // --- current cell and selection ---
  int GetCol() const { return FCurrent.X; }
  void SetCol(int value) { FocusCell(value, FCurrent.Y, true); }
  int GetRow() const { return FCurrent.Y; }
  void SetRow(int value) { FocusCell(FCurrent.X, value, true); }
  // The block between the anchor and the current cell (just the current
  // cell without goRangeSelect; whole rows with goRowSelect).
  TGridRect GetSelection() const;
  // Makes Left/Top the anchor and Right/Bottom the current cell.
  void SetSelection(const TGridRect& value);
  // Moves the current cell (clamped to the scrollable cells) when SelectCell
  // allows it, scrolls it into view, and moves the anchor with it when
  // moveAnchor is set (else the selection grows or shrinks). False when
  // refused.
  bool FocusCell(int col, int row, bool moveAnchor);
  void ScrollInView(int col, int row);
  // Whether the control has the focus (the current cell is painted focused).
  void SetFocused(bool value);
  bool GetFocused() const { return FFocused; }

  // --- input (the window half's entry points) ---
  // Navigation keys; true (and key := 0) when the grid used the key.
  bool KeyDown(uint16_t& key, TShiftState shift);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  bool IsSelecting() const { return FSelecting; }
  // A scroll bar's request; trackPos is the thumb's 32-bit position.
  void Scroll(TGridScrollBar bar, TGridScrollCode code, int trackPos = 0);

  // --- painting ---
  // Paints the cells that meet the canvas's clip rectangle, the grid lines
  // and the background beside the last column and below the last row.
  void Paint(ICanvas& canvas);
  void InvalidateCell(int col, int row);
  void InvalidateGrid();

  // --- in-place editing (the window half shows the editor) ---
  virtual bool CanEditShow() const;
  virtual std::string GetEditText(int col, int row) const;
  virtual void SetEditText(int col, int row, const std::string& value);

protected:
  // Paints one cell. The default fills it: fixed cells with FixedColor,
  // selected ones with clHighlight, the others with Color.
  virtual void DrawCell(ICanvas& canvas, int col, int row, const TRect& rect,
                        TGridDrawState state);
  // Whether the cell may become the current cell.
  virtual bool SelectCell(int col, int row);
  virtual void SizeChanged(int oldColCount, int oldRowCount);
  virtual void TopLeftChanged();
  // The current cell or the selection changed.
  virtual void SelectionChanged();
  // The default painting of a cell: its background colour filled.
  void DefaultDrawCell(ICanvas& canvas, const TRect& rect, TGridDrawState state);
  TColor CellBackground(TGridDrawState state) const;
  // A selected cell is painted in the highlight colour, except the focused
  // one unless goDrawFocusSelected or goRowSelect.
  bool IsHighlighted(TGridDrawState state) const;

private:
  int VertLineWidth() const;
  int HorzLineWidth() const;
  int ColExtent(int col) const { return FColWidths[col] + VertLineWidth(); }
  int RowExtent(int row) const;
  int FixedWidth() const;
  int FixedHeight() const;
  // Sum of the extents of rows [from, to).
  long long RowSpan(int from, int to) const;
  // How many rows from `from` on (step +1) or back (step -1) fit wholly in
  // avail pixels; rest gets the pixels left over.
  int FitRows(int from, int step, long long avail, long long* rest = nullptr) const;
  int FitCols(int from, int step, long long avail, long long* rest = nullptr) const;
  // Client x of a column / y of a row that is in view, else -1.
  int ColLeft(int col) const;
  int RowTop(int row) const;
  int RowAtOffset(int from, long long offset) const;  // -1 past the last row
  TRect BoxRect(const TGridRect& r) const;
  void InvalidateBlock(const TGridRect& r);
  void MoveTopLeft(int col, int row);
  void UpdateScrollBars();
  void ClampView();
  void SizeChangedInternal(int oldCols, int oldRows);
  TGridDrawState CellState(int col, int row, const TGridRect& sel) const;
  TGridCoord ClampToScrollable(int col, int row) const;

  IGridHost* FHost = nullptr;
  std::vector<int> FColWidths;
  int FRowCount = 5;
  std::map<int, int> FRowHeights;  // rows whose height is not the default
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TGridScrollBars FScrollBars = gssBoth;
  TColor FColor = clWindow;
  TColor FFixedColor = clBtnFace;
  int FClientWidth = 0;
  int FClientHeight = 0;
  int FTopRow = 1;
  int FLeftCol = 1;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  bool FFocused = false;
  bool FSelecting = false;
};

// A grid whose cells the owner paints in OnDrawCell.
class TDrawGrid : public TCustomGrid {
public:
  using TDrawCellEvent =
      std::function<void(ICanvas& canvas, int col, int row, const TRect& rect, TGridDrawState)>;
  TDrawCellEvent OnDrawCell;
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void()> OnTopLeftChanged;
  std::function<void()> OnSelectionChanged;
  std::function<std::string(int col, int row)> OnGetEditText;
  std::function<void(int col, int row, const std::string&)> OnSetEditText;

  // Fill the cell's background before OnDrawCell (default true).
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value) { FDefaultDrawing = value; }

  std::string GetEditText(int col, int row) const override;
  void SetEditText(int col, int row, const std::string& value) override;

protected:
  void DrawCell(ICanvas& canvas, int col, int row, const TRect& rect,
                TGridDrawState state) override;
  bool SelectCell(int col, int row) override;
  void TopLeftChanged() override;
  void SelectionChanged() override;

private:
  bool FDefaultDrawing = true;
};

// A grid of texts. Only cells that hold text are stored.
class TStringGrid : public TDrawGrid {
public:
  std::string GetCells(int col, int row) const;
  void SetCells(int col, int row, const std::string& value);

  std::string GetEditText(int col, int row) const override;
  void SetEditText(int col, int row, const std::string& value) override;

protected:
  void DrawCell(ICanvas& canvas, int col, int row, const TRect& rect,
                TGridDrawState state) override;
  void SizeChanged(int oldColCount, int oldRowCount) override;

private:
  static uint64_t Key(int col, int row) {
    return (uint64_t(uint32_t(col)) << 32) | uint32_t(row);
  }
  std::unordered_map<uint64_t, std::string> FCells;
};
