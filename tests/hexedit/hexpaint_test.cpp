// Painting decisions on the recording canvas.
#include "HexFixture.h"
#include "platform/RecordingCanvas.h"

namespace {
// The text operation drawn at a cell's corner.
const TCanvasOp* OpAt(const TRecordingCanvas& canvas, const TRect& cell) {
  const TCanvasOp* found = nullptr;
  for (const TCanvasOp& op : canvas.Ops())
    if (op.Kind == coExtTextOut && op.Pos.X == cell.Left && op.Pos.Y == cell.Top) found = &op;
  return found;
}
}  // namespace

TEST_F(THexTest, CellColoursAndTexts) {
  THexEditor& hex = Load("\x12\x34\x56\x78\x9A");
  hex.ChangeByte(1, 0x34, 0x35);
  hex.SetMarker(2, 0);
  hex.SetMarker(7, 0);
  hex.SetSelStart(2);
  hex.SetSelEnd(3);
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  hex.Paint(canvas);
  const TColors& colors = *hex.GetColors();
  struct Case {
    int col;
    std::string text;
    TColor color, background;
  } cases[] = {
      {0, "0x0:", colors.GetOffset(), colors.GetBackground()},
      {1, "2", colors.GetPositionText(), colors.GetPositionBackground()},  // the lowest marker wins
      {2, "1", colors.GetOddColumn(), colors.GetBackground()},
      {4, "3", colors.GetChangedText(), colors.GetChangedBackground()},
      {5, "5", colors.GetChangedText(), colors.GetChangedBackground()},
      {6, "5", colors.GetEvenColumn(), colors.GetBackground()},  // selected: checked below
      {10, "9", colors.GetOddColumn(), colors.GetBackground()},
      {35, "\x12", clWindowText, colors.GetBackground()},
      {34, " ", clWindowText, colors.GetBackground()},  // the gap
      {12, " ", clWindowText, colors.GetBackground()},  // past the last byte
  };
  for (const Case& c : cases) {
    const TCanvasOp* op = OpAt(canvas, hex.Grid().CellRect(c.col, 0));
    ASSERT_NE(op, nullptr) << c.col;
    EXPECT_EQ(op->Text, c.text) << c.col;
    if (c.col != 6) EXPECT_EQ(op->BrushColor, c.background) << c.col;
    EXPECT_EQ(op->Options, uint32_t(etoOpaque | etoClipped));
    // A selected, unchanged digit: its group colour inverted, on the group colour.
    if (c.col == 6) {
      EXPECT_EQ(op->Font.Color, TColors::Invert(clNavy));
      EXPECT_EQ(op->BrushColor, clNavy);
    } else {
      EXPECT_EQ(op->Font.Color, c.color) << c.col;
    }
  }
  const TCanvasOp* marker = OpAt(canvas, hex.Grid().CellRect(1, 0));
  EXPECT_EQ(marker->Font.Name, "Arial");
  EXPECT_EQ(canvas.GetFont().Name, "Courier") << "the font comes back after the marker";
}

TEST_F(THexTest, TheCaretAndTheMirrorFrame) {
  THexEditor& hex = Load("abcd");
  CaretTo(2);
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  hex.Paint(canvas);
  const TRect cell = hex.Grid().CellRect(6, 0);
  EXPECT_EQ(Host.CaretPos, Point(cell.Left, cell.Top));
  const TRect mirror = hex.Grid().CellRect(37, 0);
  auto lines = canvas.OpsOf(coLineTo);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].From, Point(mirror.Left, mirror.Top));
  EXPECT_EQ(lines[0].PenStyle, psDot);
  hex.SetFocusFrame(false);
  canvas.ClearOps();
  hex.Paint(canvas);
  EXPECT_EQ(canvas.OpsOf(coLineTo)[0].PenColor, clNavy);
  Host.HasFocus = false;
  canvas.ClearOps();
  hex.Paint(canvas);
  EXPECT_TRUE(canvas.OpsOf(coLineTo).empty());
}

TEST_F(THexTest, EmptyDataShowsOneRow) {
  THexEditor& hex = Load("");
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  for (auto [display, text] : {std::pair{odHex, "0x0:"}, {odDec, "0:"}, {odOctal, "o 0:"}, {odNone, "   "}}) {
    hex.SetOffsetDisplay(display);
    canvas.ClearOps();
    hex.Paint(canvas);
    EXPECT_EQ(OpAt(canvas, hex.Grid().CellRect(0, 0))->Text, text);
  }
  EXPECT_EQ(OpAt(canvas, hex.Grid().CellRect(2, 0))->Text, "   ");
}

TEST_F(THexTest, PaintingReadsOnlyTheRowsInView) {
  THexEditor& hex = Load(std::string(16 * 1000, 'r'));
  TRecordingCanvas canvas(TRect(0, 0, 800, 320));
  hex.Paint(canvas);
  int texts = int(canvas.OpsOf(coExtTextOut).size());
  EXPECT_EQ(texts, (hex.Grid().VisibleRowCount() + 1) * 51);
  hex.ScrollToRow(990);
  EXPECT_EQ(hex.Grid().GetTopRow(), 1000 - hex.Grid().VisibleRowCount());
  canvas.ClearOps();
  hex.Paint(canvas);
  EXPECT_EQ(OpAt(canvas, hex.Grid().CellRect(0, hex.Grid().GetTopRow()))->Text,
            hex.OffsetText(hex.Grid().GetTopRow()));
}

TEST_F(THexTest, CaretShapes) {
  THexEditor& hex = Load("ab");
  for (auto [style, fill] : {std::pair{csFull, TRect(0, 0, 8, 16)}, {csLeftLine, TRect(0, 0, 2, 16)},
                             {csBottomLine, TRect(0, 14, 8, 16)}}) {
    hex.SetCaretStyle(style);
    hex.FocusChanged(true);
    EXPECT_EQ(Host.CaretShape.Width, 8);
    EXPECT_EQ(Host.CaretShape.Height, 16);
    EXPECT_EQ(Host.CaretShape.Fill, fill);
    EXPECT_EQ(Host.CaretShape.FillColor, TColors::Invert(clNavy));
  }
}
