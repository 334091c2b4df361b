// Painting decisions on the recording canvas.
#include "HexFixture.h"
#include "platform/RecordingCanvas.h"

#include <algorithm>
#include <set>

namespace {
TCellLook CellLook(const TRecordingCanvas& canvas, const THexEditor& hex, int col, int row) {
  const TRect r = hex.Grid().CellRect(col, row);
  return LookAt(canvas, TPoint(r.Left, r.Top));
}

bool SameRGB(TColor a, TColor b) { return ColorToRGB(a) == ColorToRGB(b); }
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
  EXPECT_EQ(TextAt(canvas, hex.Grid().CellRect(0, 0), 4), "0x0:");
  EXPECT_EQ(CellLook(canvas, hex, 0, 0).Text, colors.GetOffset());
  struct Case {
    int col;
    char ch;
    TColor color, background;
  } cases[] = {
      {1, '2', colors.GetPositionText(), colors.GetPositionBackground()},  // the lowest marker wins
      {2, '1', colors.GetOddColumn(), colors.GetBackground()},
      {4, '3', colors.GetChangedText(), colors.GetChangedBackground()},
      {5, '5', colors.GetChangedText(), colors.GetChangedBackground()},
      // Selected, unchanged digits: the group colour inverted, on the group colour.
      {6, '5', TColors::Invert(clNavy), clNavy},
      {8, '7', TColors::Invert(clNavy), clNavy},
      {10, '9', colors.GetOddColumn(), colors.GetBackground()},
      {35, '\x12', clWindowText, colors.GetBackground()},
      {37, 'V', colors.GetBackground(), clWindowText},  // a selected character: swapped
      {34, 0, clNone, colors.GetBackground()},          // the gap
      {12, 0, clNone, colors.GetBackground()},          // past the last byte
  };
  for (const Case& c : cases) {
    const TCellLook look = CellLook(canvas, hex, c.col, 0);
    EXPECT_EQ(look.Ch, c.ch) << c.col;
    EXPECT_TRUE(SameRGB(look.Back, c.background)) << c.col;
    if (c.ch) {
      EXPECT_TRUE(SameRGB(look.Text, c.color)) << c.col;
    }
  }
  EXPECT_EQ(CellLook(canvas, hex, 1, 0).Font, "Arial");
  EXPECT_EQ(CellLook(canvas, hex, 2, 0).Font, "Courier");
  EXPECT_EQ(canvas.GetFont().Name, "Courier") << "the font comes back after the marker";
}

TEST_F(THexTest, ARowIsPaintedInAFewCalls) {
  // Sixteen bytes in two alternating group colours, the offset and the
  // characters: three text calls, the first laying the background.
  THexEditor& hex = Load(std::string(16, 'x'));
  hex.SetBytesPerColumn(1);
  const int h = hex.Grid().GetRowHeight();
  TRecordingCanvas canvas(TRect(0, 0, 800, h));
  hex.Paint(canvas);
  const auto texts = canvas.OpsOf(coExtTextOut);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_TRUE(texts[0].Options & etoOpaque);
  EXPECT_EQ(texts[0].Rect, TRect(0, 0, 800, h));
  EXPECT_TRUE(canvas.OpsOf(coFillRect).empty());
  for (const TCanvasOp& op : texts) {
    EXPECT_EQ(op.BrushStyle, bsClear) << "text over the laid background";
    EXPECT_EQ(op.Advances.size(), op.Text.size());
  }
  EXPECT_EQ(texts[1].Text, "7878787878787878");
  EXPECT_EQ(texts[1].Font.Color, clBlue);
  EXPECT_EQ(texts[2].Font.Color, clNavy);
  // The advances put each digit on its own cell: a double-width cell ends
  // every byte.
  EXPECT_EQ(LookAt(canvas, TPoint(hex.Grid().CellRect(6, 0).Left, 0)).Text, clBlue);
  EXPECT_EQ(LookAt(canvas, TPoint(hex.Grid().CellRect(7, 0).Left, 0)).Ch, '8');
  EXPECT_EQ(LookAt(canvas, TPoint(hex.Grid().CellRect(9, 0).Left, 0)).Text, clNavy);
}

TEST_F(THexTest, EveryRowsCellsShowTheirBytes) {
  // Each byte lands on its own cells whatever its row, and a changed
  // byte's background on its own row only.
  std::string bytes;
  for (int i = 0; i < 56; ++i) bytes += char(0x21 + i * 3);
  THexEditor& hex = Load(bytes);
  hex.ChangeByte(40, hex.GetByte(40), 0xE7);
  bytes[40] = char(0xE7);
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  hex.Paint(canvas);
  for (int p = 0; p < 56; ++p) {
    int col, row;
    hex.OffsetToCell(p, false, col, row);
    const TCellLook high = CellLook(canvas, hex, col, row), low = CellLook(canvas, hex, col + 1, row);
    EXPECT_EQ(high.Ch, "0123456789ABCDEF"[uint8_t(bytes[size_t(p)]) >> 4]) << p;
    EXPECT_EQ(low.Ch, "0123456789ABCDEF"[uint8_t(bytes[size_t(p)]) & 15]) << p;
    EXPECT_EQ(high.Back, p == 40 ? TColor(0xA8FFFF) : clWindow) << p;
    hex.OffsetToCell(p, true, col, row);
    EXPECT_EQ(CellLook(canvas, hex, col, row).Ch, bytes[size_t(p)]) << p;
  }
  EXPECT_EQ(TextAt(canvas, hex.Grid().CellRect(0, 3), 5), "0x30:");
}

TEST_F(THexTest, TheCaretAndTheMirrorFrame) {
  THexEditor& hex = Load("abcd");
  CaretTo(2);
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  hex.Paint(canvas);
  const TRect cell = hex.Grid().CellRect(6, 0);
  EXPECT_EQ(Host.CaretPos, Point(cell.Left, cell.Top));
  // The mirror cell gets the window system's focus rectangle, one
  // character wide, drawn after the cell's text.
  const TRect mirror = hex.Grid().CellRect(37, 0);
  auto frames = canvas.OpsOf(coFocusRect);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Rect, TRect(mirror.Left, mirror.Top, mirror.Left + 8, mirror.Bottom));
  // After the text of its row, which would cover it.
  const auto& ops = canvas.Ops();
  const auto frameAt = std::find_if(ops.begin(), ops.end(), [](auto& op) { return op.Kind == coFocusRect; });
  EXPECT_TRUE(std::none_of(frameAt, ops.end(), [](auto& op) { return op.Kind == coExtTextOut; }));
  EXPECT_TRUE(canvas.OpsOf(coLineTo).empty());
  // Without it, a plain frame in CursorFrame.
  hex.SetFocusFrame(false);
  canvas.ClearOps();
  hex.Paint(canvas);
  auto lines = canvas.OpsOf(coLineTo);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].From, Point(mirror.Left, mirror.Top));
  EXPECT_EQ(lines[0].PenColor, clNavy);
  EXPECT_EQ(lines[0].PenStyle, psSolid);
  EXPECT_TRUE(canvas.OpsOf(coFocusRect).empty());
  // From the character pane the frame marks the byte's first hex cell.
  hex.SetFocusFrame(true);
  CaretTo(1, true);
  canvas.ClearOps();
  hex.Paint(canvas);
  frames = canvas.OpsOf(coFocusRect);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Rect.Left, hex.Grid().CellRect(4, 0).Left);
  Host.HasFocus = false;
  canvas.ClearOps();
  hex.Paint(canvas);
  EXPECT_TRUE(canvas.OpsOf(coFocusRect).empty());
}

TEST_F(THexTest, EmptyDataShowsOneRow) {
  THexEditor& hex = Load("");
  TRecordingCanvas canvas(TRect(0, 0, 800, 400));
  for (auto [display, text] : {std::pair{odHex, "0x0:"}, {odDec, "0:  "}, {odOctal, "o 0:"}, {odNone, "    "}}) {
    hex.SetOffsetDisplay(display);
    canvas.ClearOps();
    hex.Paint(canvas);
    EXPECT_EQ(TextAt(canvas, hex.Grid().CellRect(0, 0), 4), text);
  }
  const TCellLook first = CellLook(canvas, hex, 2, 0);
  EXPECT_EQ(first.Ch, 0);
  EXPECT_EQ(first.Back, hex.GetColors()->GetBackground());
  const TRect cell = hex.Grid().CellRect(2, 0);
  EXPECT_EQ(Host.CaretPos, Point(cell.Left, cell.Top));
}

TEST_F(THexTest, PaintingReadsOnlyTheRowsInView) {
  THexEditor& hex = Load(std::string(16 * 1000, 'r'));
  TRecordingCanvas canvas(TRect(0, 0, 800, 320));
  hex.Paint(canvas);
  // The rows in view and the one partly in view below them, each in a
  // call per colour.
  const int rows = hex.Grid().VisibleRowCount() + 1;
  std::set<int> painted;
  for (const TCanvasOp& op : canvas.OpsOf(coExtTextOut))
    for (const auto& [at, ch] : DrawnChars(canvas, op)) painted.insert(at.Y);
  EXPECT_EQ(int(painted.size()), rows);
  EXPECT_EQ(*painted.rbegin(), (rows - 1) * hex.Grid().GetRowHeight());
  EXPECT_EQ(int(canvas.OpsOf(coExtTextOut).size()), 3 * rows);
  hex.ScrollToRow(990);
  EXPECT_EQ(hex.Grid().GetTopRow(), 1000 - hex.Grid().VisibleRowCount());
  canvas.ClearOps();
  hex.Paint(canvas);
  const TRect top = hex.Grid().CellRect(0, hex.Grid().GetTopRow());
  const std::string offset = hex.OffsetText(hex.Grid().GetTopRow());
  EXPECT_EQ(TextAt(canvas, top, int(offset.size())), offset);

  // A clip rectangle inside one row paints that row alone.
  const int h = hex.Grid().GetRowHeight();
  canvas.SetClipRect(TRect(0, 3 * h + 1, 800, 4 * h - 1));
  canvas.ClearOps();
  hex.Paint(canvas);
  for (const TCanvasOp& op : canvas.OpsOf(coExtTextOut))
    for (const auto& [at, ch] : DrawnChars(canvas, op)) EXPECT_EQ(at.Y, 3 * h);
  EXPECT_EQ(canvas.OpsOf(coExtTextOut).size(), 3u);
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
