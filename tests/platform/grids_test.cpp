// The grid model without a window: geometry, the view over millions of rows,
// navigation, selection, scrolling and which cells get painted.
#include "platform/Grids.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/RecordingCanvas.h"

namespace {

constexpr uint16_t kTab = 0x09, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24,
                   kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

struct RecordingHost : IGridHost {
  struct Bar { int Min = -1, Max = -1, Page = -1, Pos = -1; };
  std::vector<TRect> Invalid;
  Bar Bars[2];
  void InvalidateRect(const TRect& r) override { Invalid.push_back(r); }
  void SetScrollBar(TGridScrollBar bar, int min, int max, int page, int pos) override {
    Bars[bar] = {min, max, page, pos};
  }
};

// 10 columns of 50 pixels after a fixed one of 30, rows of 20 with 1-pixel
// lines, in a 331 x 221 client: the fixed row and column plus 6 columns and
// 9 rows wholly in view, a part of the next ones.
struct GridFixture : ::testing::Test {
  TDrawGrid grid;
  RecordingHost host;
  void SetUp() override {
    grid.SetColCount(11);
    grid.SetRowCount(100);
    grid.SetDefaultColWidth(50);
    grid.SetColWidths(0, 30);
    grid.SetDefaultRowHeight(20);
    grid.SetClientSize(331, 221);
    grid.SetHost(&host);
  }
  TGridCoord Cur() const { return {grid.GetCol(), grid.GetRow()}; }
};

TEST_F(GridFixture, CellRectAndMouseToCellAgree) {
  EXPECT_EQ(grid.CellRect(0, 0), TRect(0, 0, 30, 20));
  EXPECT_EQ(grid.CellRect(1, 1), TRect(31, 21, 81, 41));
  EXPECT_EQ(grid.CellRect(3, 2), TRect(133, 42, 183, 62));
  // Column 7 starts at 31 + 6 * 51 = 337, past the client.
  EXPECT_EQ(grid.CellRect(7, 1), TRect());
  EXPECT_EQ(grid.GetVisibleColCount(), 5);  // 31 + 5 * 51 = 286; the sixth ends at 337
  EXPECT_EQ(grid.GetLastVisibleCol(), 6);
  EXPECT_EQ(grid.GetVisibleRowCount(), 9);  // 21 + 9 * 21 = 210
  EXPECT_EQ(grid.GetLastVisibleRow(), 10);

  struct Case { int X, Y; TGridCoord Cell; } cases[] = {
      {0, 0, {0, 0}},     {29, 19, {0, 0}},   {30, 20, {0, 0}},  // the line belongs to the cell
      {31, 21, {1, 1}},   {135, 50, {3, 2}},  {330, 220, {6, 10}},
      {-1, 5, {-1, 0}},   {331, 5, {-1, 0}},  {5, 221, {0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
    EXPECT_EQ(grid.MouseToCell(c.X, c.Y), c.Cell);
  }

  // After scrolling the fixed cells stay and the others move.
  grid.SetTopRow(50);
  grid.SetLeftCol(4);
  EXPECT_EQ(grid.CellRect(0, 50), TRect(0, 21, 30, 41));
  EXPECT_EQ(grid.CellRect(4, 0), TRect(31, 0, 81, 20));
  EXPECT_EQ(grid.CellRect(3, 50), TRect());
  EXPECT_EQ(grid.CellRect(1, 1), TRect());
  EXPECT_EQ(grid.MouseToCell(40, 30), (TGridCoord{4, 50}));
  EXPECT_EQ(grid.MouseToCell(10, 10), (TGridCoord{0, 0}));
}

TEST_F(GridFixture, RowHeightOverridesMoveOnlyTheRowsAfterThem) {
  grid.SetRowHeights(3, 50);
  grid.SetRowHeights(5, 0);
  EXPECT_EQ(grid.GetRowHeights(3), 50);
  EXPECT_EQ(grid.GetRowHeights(4), 20);
  EXPECT_EQ(grid.CellRect(1, 3), TRect(31, 63, 81, 113));
  EXPECT_EQ(grid.CellRect(1, 4), TRect(31, 114, 81, 134));
  EXPECT_EQ(grid.CellRect(1, 6), TRect(31, 136, 81, 156));  // row 5 takes only its line
  EXPECT_EQ(grid.MouseToCell(40, 113), (TGridCoord{1, 3}));
  EXPECT_EQ(grid.MouseToCell(40, 114), (TGridCoord{1, 4}));
  grid.SetRowHeights(3, 20);  // back to the default: no longer an override
  EXPECT_EQ(grid.CellRect(1, 4), TRect(31, 84, 81, 104));
  // A new default height resets every row.
  grid.SetDefaultRowHeight(10);
  EXPECT_EQ(grid.GetRowHeights(5), 10);
}

TEST(GridModel, TenMillionRowsScrollToTheEndWithoutPerRowState) {
  TDrawGrid grid;
  RecordingHost host;
  grid.SetHost(&host);
  grid.SetColCount(3);
  grid.SetFixedCols(0);
  grid.SetRowCount(10'000'000);
  grid.SetFixedRows(0);
  grid.SetGridLineWidth(0);
  grid.SetDefaultRowHeight(16);
  grid.SetClientSize(300, 160);  // 10 rows a page
  grid.SetRowHeights(9'999'995, 32);  // the last page holds one tall row

  EXPECT_EQ(grid.GetMaxTopRow(), 10'000'000 - 9);
  // 32-bit thumb positions, far past 16 bits.
  grid.Scroll(gsbVertical, gscThumbPosition, 7'654'321);
  EXPECT_EQ(grid.GetTopRow(), 7'654'321);
  EXPECT_EQ(host.Bars[gsbVertical].Pos, 7'654'321);
  EXPECT_EQ(host.Bars[gsbVertical].Max, 9'999'999);
  EXPECT_EQ(host.Bars[gsbVertical].Page, 10);
  // Without thumb tracking a dragged thumb does not move the view.
  grid.Scroll(gsbVertical, gscThumbTrack, 100);
  EXPECT_EQ(grid.GetTopRow(), 7'654'321);
  grid.Scroll(gsbVertical, gscBottom);
  EXPECT_EQ(grid.GetTopRow(), 9'999'991);
  EXPECT_EQ(grid.CellRect(0, 9'999'995), TRect(0, 64, 64, 96));
  EXPECT_EQ(grid.MouseToCell(5, 159), (TGridCoord{0, 9'999'999}));

  // Ctrl+End reaches the last cell and Ctrl+Home the first.
  uint16_t key = kEnd;
  EXPECT_TRUE(grid.KeyDown(key, {ssCtrl}));
  EXPECT_EQ(key, 0);
  EXPECT_EQ(grid.GetRow(), 9'999'999);
  EXPECT_EQ(grid.GetCol(), 2);
  key = kHome;
  grid.KeyDown(key, {ssCtrl});
  EXPECT_EQ(grid.GetRow(), 0);
  EXPECT_EQ(grid.GetTopRow(), 0);
}

TEST_F(GridFixture, KeysMoveTheCurrentCellAndShiftExtendsTheSelection) {
  grid.SetOptions(grid.GetOptions() + goTabs);
  struct Case {
    const char* Name;
    TGridCoord From;
    uint16_t Key;
    TShiftState Shift;
    TGridCoord To;
    TGridRect Sel;
    int Top;
  } cases[] = {
      {"down", {2, 2}, kDown, {}, {2, 3}, {2, 3, 2, 3}, 1},
      {"up at the first row stays", {2, 1}, kUp, {}, {2, 1}, {2, 1, 2, 1}, 1},
      {"left stops at the fixed column", {1, 5}, kLeft, {}, {1, 5}, {1, 5, 1, 5}, 1},
      {"shift+right extends", {2, 2}, kRight, {ssShift}, {3, 2}, {2, 2, 3, 2}, 1},
      {"home", {5, 4}, kHome, {}, {1, 4}, {1, 4, 1, 4}, 1},
      {"ctrl+end", {5, 4}, kEnd, {ssCtrl}, {10, 99}, {10, 99, 10, 99}, 91},
      {"page down moves row and view", {2, 3}, kNext, {}, {2, 12}, {2, 12, 2, 12}, 10},
      {"ctrl+page down to the last full row", {2, 3}, kNext, {ssCtrl}, {2, 9}, {2, 9, 2, 9}, 1},
      {"tab wraps to the next row", {10, 3}, kTab, {}, {1, 4}, {1, 4, 1, 4}, 1},
      {"shift+tab wraps back", {1, 4}, kTab, {ssShift}, {10, 3}, {10, 3, 10, 3}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    grid.SetTopRow(1);
    grid.SetLeftCol(1);
    ASSERT_TRUE(grid.FocusCell(c.From.X, c.From.Y, true));
    uint16_t key = c.Key;
    EXPECT_TRUE(grid.KeyDown(key, c.Shift));
    EXPECT_EQ(Cur(), c.To);
    EXPECT_EQ(grid.GetSelection(), c.Sel);
    EXPECT_EQ(grid.GetTopRow(), c.Top);
  }
  // A key the grid does not navigate with stays with the caller.
  uint16_t key = 'A';
  EXPECT_FALSE(grid.KeyDown(key, {}));
  EXPECT_EQ(key, 'A');
  grid.SetOptions(grid.GetOptions() - goTabs);
  key = kTab;
  EXPECT_FALSE(grid.KeyDown(key, {}));
}

TEST_F(GridFixture, MouseDragSelectsABlockAndScrollsPastTheEdge) {
  grid.MouseDown(mbLeft, {}, 40, 30);  // cell (1, 1)
  EXPECT_TRUE(grid.IsSelecting());
  grid.MouseMove({ssLeft}, 140, 70);  // cell (3, 3)
  EXPECT_EQ(grid.GetSelection(), (TGridRect{1, 1, 3, 3}));
  EXPECT_EQ(Cur(), (TGridCoord{3, 3}));
  // Below the client the selection reaches one row past the last in view.
  grid.MouseMove({ssLeft}, 140, 400);
  EXPECT_EQ(grid.GetRow(), 11);
  EXPECT_EQ(grid.GetTopRow(), 3);
  grid.MouseUp(mbLeft, {}, 140, 400);
  EXPECT_FALSE(grid.IsSelecting());
  grid.MouseMove({}, 40, 30);
  EXPECT_EQ(grid.GetRow(), 11);

  // Shift+click extends from the anchor; a click on a fixed cell does nothing.
  grid.MouseDown(mbLeft, {ssShift}, 240, 30);
  EXPECT_EQ(grid.GetSelection(), (TGridRect{1, 1, 5, 3}));
  grid.MouseDown(mbLeft, {}, 10, 100);
  EXPECT_EQ(grid.GetSelection(), (TGridRect{1, 1, 5, 3}));

  // Without range selection the selection is the current cell.
  grid.SetOptions(grid.GetOptions() - goRangeSelect);
  EXPECT_EQ(grid.GetSelection(), (TGridRect{5, 3, 5, 3}));
  grid.MouseDown(mbLeft, {ssShift}, 40, 30);
  EXPECT_EQ(grid.GetSelection(), (TGridRect{1, 3, 1, 3}));
}

TEST_F(GridFixture, SelectCellCanRefuseACell) {
  grid.OnSelectCell = [](int col, int, bool& can) { can = col != 4; };
  int changes = 0;
  grid.OnSelectionChanged = [&] { ++changes; };
  grid.FocusCell(3, 2, true);
  EXPECT_EQ(changes, 1);
  uint16_t key = kRight;
  grid.KeyDown(key, {});
  EXPECT_EQ(Cur(), (TGridCoord{3, 2}));
  EXPECT_FALSE(grid.FocusCell(4, 5, true));
  EXPECT_EQ(changes, 1);
  grid.SetCol(5);
  EXPECT_EQ(Cur(), (TGridCoord{5, 2}));
  EXPECT_EQ(changes, 2);
}

TEST_F(GridFixture, MovingTheCurrentCellInvalidatesOldAndNewCellsOnly) {
  grid.SetOptions(grid.GetOptions() - goRangeSelect);
  host.Invalid.clear();
  grid.FocusCell(2, 2, true);
  ASSERT_EQ(host.Invalid.size(), 2u);
  EXPECT_EQ(host.Invalid[0], TRect(31, 21, 82, 42));  // (1, 1) with its lines
  EXPECT_EQ(host.Invalid[1], TRect(82, 42, 133, 63));
  host.Invalid.clear();
  grid.FocusCell(2, 2, true);
  EXPECT_TRUE(host.Invalid.empty());
}

TEST(GridModel, SizeAndFixedCountRules) {
  TStringGrid grid;
  EXPECT_THROW(grid.SetFixedCols(5), EGridError);
  EXPECT_THROW(grid.SetFixedRows(-1), EGridError);
  EXPECT_THROW(grid.GetColWidths(5), EGridError);
  grid.SetCells(4, 4, "corner");
  grid.SetCells(1, 1, "kept");
  // Fewer rows than fixed rows take the fixed rows down; the current cell
  // and cells outside the table go.
  grid.FocusCell(4, 4, true);
  grid.SetRowCount(1);
  EXPECT_EQ(grid.GetFixedRows(), 0);
  EXPECT_EQ(grid.GetRow(), 0);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.GetCells(4, 4), "");
  EXPECT_EQ(grid.GetCells(1, 1), "");
  grid.SetCells(2, 0, "x");
  grid.SetColCount(2);
  grid.SetColCount(5);
  EXPECT_EQ(grid.GetCells(2, 0), "");
  EXPECT_THROW(grid.SetCells(5, 0, "out"), EGridError);
}

TEST_F(GridFixture, PaintDrawsOnlyCellsInTheClipWithTheirStates) {
  std::vector<std::pair<TGridCoord, TGridDrawState>> drawn;
  grid.OnDrawCell = [&](ICanvas&, int col, int row, const TRect& r, TGridDrawState s) {
    EXPECT_EQ(r, grid.CellRect(col, row));
    drawn.push_back({{col, row}, s});
  };
  grid.SetTopRow(40);
  grid.FocusCell(2, 41, true);
  grid.FocusCell(3, 42, false);
  grid.SetFocused(true);

  TRecordingCanvas canvas(TRect(0, 0, 331, 221));
  grid.Paint(canvas);
  // 7 columns (the last in part) by 11 rows (fixed, 9 whole, 1 in part).
  EXPECT_EQ(drawn.size(), 7u * 11u);
  auto stateOf = [&](int col, int row) {
    for (auto& d : drawn)
      if (d.first == TGridCoord{col, row}) return d.second;
    ADD_FAILURE() << "cell " << col << "," << row << " not painted";
    return TGridDrawState();
  };
  EXPECT_EQ(stateOf(0, 0), TGridDrawState{gdFixed});
  EXPECT_EQ(stateOf(2, 0), TGridDrawState{gdFixed});
  EXPECT_EQ(stateOf(0, 41), TGridDrawState{gdFixed});
  EXPECT_EQ(stateOf(2, 41), TGridDrawState{gdSelected});
  EXPECT_EQ(stateOf(3, 42), (TGridDrawState{gdSelected, gdFocused}));
  EXPECT_EQ(stateOf(4, 42), TGridDrawState());

  // The focused cell inside a selection keeps the window colour; the other
  // selected cells get the highlight.
  std::vector<TCanvasOp> fills = canvas.OpsOf(coFillRect);
  auto fillAt = [&](const TRect& r) {
    for (auto& op : fills)
      if (op.Rect == r) return op.BrushColor;
    return TColor(-1);
  };
  EXPECT_EQ(fillAt(grid.CellRect(2, 41)), clHighlight);
  EXPECT_EQ(fillAt(grid.CellRect(3, 42)), clWindow);
  EXPECT_EQ(fillAt(grid.CellRect(0, 0)), clBtnFace);
  EXPECT_EQ(fillAt(TRect(30, 0, 31, 21)), clBlack);   // fixed line
  EXPECT_EQ(fillAt(TRect(81, 21, 82, 42)), clSilver);  // line between other cells

  // A small clip paints the cells it meets and nothing else.
  drawn.clear();
  canvas.ClearOps();
  canvas.SetClipRect(TRect(90, 50, 100, 60));
  grid.Paint(canvas);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].first, (TGridCoord{2, 41}));
}

TEST(GridModel, PaintFillsTheBackgroundBesideAShortTable) {
  TStringGrid grid;
  grid.SetColCount(2);
  grid.SetRowCount(2);
  grid.SetGridLineWidth(0);
  grid.SetColor(clWhite);
  grid.SetClientSize(200, 100);
  grid.SetCells(1, 1, "abc");
  TRecordingCanvas canvas(TRect(0, 0, 200, 100));
  grid.Paint(canvas);
  std::vector<TCanvasOp> fills = canvas.OpsOf(coFillRect);
  ASSERT_GE(fills.size(), 2u);
  EXPECT_EQ(fills[fills.size() - 2].Rect, TRect(128, 0, 200, 48));
  EXPECT_EQ(fills.back().Rect, TRect(0, 48, 200, 100));
  EXPECT_EQ(fills.back().BrushColor, clWhite);
  std::vector<TCanvasOp> texts = canvas.OpsOf(coExtTextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "abc");
  EXPECT_EQ(texts[0].Pos, TPoint(66, 26));
  EXPECT_EQ(texts[0].Rect, TRect(64, 24, 128, 48));
}

TEST_F(GridFixture, ScrollBarsFollowTheViewAndHideWhenNothingScrolls) {
  EXPECT_EQ(host.Bars[gsbVertical].Max, 98);
  EXPECT_EQ(host.Bars[gsbVertical].Page, 9);
  EXPECT_EQ(host.Bars[gsbHorizontal].Max, 9);
  EXPECT_EQ(host.Bars[gsbHorizontal].Page, 5);
  grid.Scroll(gsbVertical, gscPageDown);
  EXPECT_EQ(grid.GetTopRow(), 10);
  EXPECT_EQ(host.Bars[gsbVertical].Pos, 9);
  grid.Scroll(gsbVertical, gscLineUp);
  EXPECT_EQ(grid.GetTopRow(), 9);
  grid.Scroll(gsbHorizontal, gscBottom);
  EXPECT_EQ(grid.GetLeftCol(), 6);
  // Scrolling leaves the current cell where it is.
  EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
  // A client big enough for everything needs no bars, and the view goes back.
  grid.SetClientSize(2000, 3000);
  EXPECT_EQ(grid.GetTopRow(), 1);
  EXPECT_EQ(grid.GetLeftCol(), 1);
  EXPECT_EQ(host.Bars[gsbVertical].Max, 0);
  EXPECT_EQ(host.Bars[gsbHorizontal].Page, 0);
  grid.SetClientSize(331, 221);
  grid.SetScrollBars(gssNone);
  EXPECT_EQ(host.Bars[gsbVertical].Max, 0);
}

}  // namespace
