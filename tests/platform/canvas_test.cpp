#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

TEST(Canvas, FontSizeAndHeightConvertAsTheWindowSystemRounds) {
  struct Case { int size; int ppi; int height; };
  const Case cases[] = {{8, 96, -11}, {10, 96, -13}, {12, 96, -16}, {9, 120, -15}, {11, 96, -15}};
  for (const Case& c : cases) {
    EXPECT_EQ(FontSizeToHeight(c.size, c.ppi), c.height) << c.size << "pt at " << c.ppi;
  }
  EXPECT_EQ(FontHeightToSize(-11, 96), 8);
  EXPECT_EQ(FontHeightToSize(-13, 96), 10);
  EXPECT_EQ(FontHeightToSize(-15, 96), 11);
  TRecordingCanvas c;
  c.SetFontSize(12);
  EXPECT_EQ(c.GetFont().Height, -16);
  EXPECT_EQ(c.GetFontSize(), 12);
}

TEST(Canvas, RecordingCanvasKeepsEachCallWithTheStateItWasMadeWith) {
  TRecordingCanvas c(TRect(0, 0, 200, 100), 7, 14);
  c.SetBrushColor(clYellow);
  c.FillRect(TRect(1, 2, 3, 4));
  c.SetFontName("Courier New");
  c.SetFontStyle(TFontStyles{fsBold});
  c.SetFontColor(clRed);
  const int adv[] = {7, 7, 7};
  TRect clip(10, 0, 31, 14);
  c.ExtTextOut(10, 0, etoOpaque | etoClipped, &clip, "abc", adv);
  c.SetPenColor(clBlue);
  c.MoveTo(5, 0);
  c.LineTo(5, 15);
  c.SetBrushStyle(bsClear);
  c.TextOut(0, 20, "x");

  ASSERT_EQ(c.Ops().size(), 5u);
  const TCanvasOp& fill = c.Ops()[0];
  EXPECT_EQ(fill.Kind, coFillRect);
  EXPECT_EQ(fill.Rect, TRect(1, 2, 3, 4));
  EXPECT_EQ(fill.BrushColor, clYellow);

  const TCanvasOp& text = c.Ops()[1];
  EXPECT_EQ(text.Kind, coExtTextOut);
  EXPECT_EQ(text.Text, "abc");
  EXPECT_EQ(text.Options, etoOpaque | etoClipped);
  EXPECT_TRUE(text.HasRect);
  EXPECT_EQ(text.Rect, clip);
  EXPECT_EQ(text.Advances, (std::vector<int>{7, 7, 7}));
  EXPECT_EQ(text.Font.Name, "Courier New");
  EXPECT_EQ(text.Font.Style, TFontStyles{fsBold});
  EXPECT_EQ(text.Font.Color, clRed);
  EXPECT_EQ(text.BrushColor, clYellow);

  auto lines = c.OpsOf(coLineTo);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].From, TPoint(5, 0));
  EXPECT_EQ(lines[0].Pos, TPoint(5, 15));
  EXPECT_EQ(lines[0].PenColor, clBlue);
  EXPECT_EQ(c.GetPenPos(), TPoint(5, 15));
  EXPECT_EQ(c.Ops()[4].BrushStyle, bsClear);
  EXPECT_TRUE(c.Ops()[4].Advances.empty());
}

TEST(Canvas, RecordingCanvasMeasuresOnAFixedGrid) {
  TRecordingCanvas c(TRect(0, 0, 100, 100), 8, 16);
  EXPECT_EQ(c.TextWidth("hello"), 40);
  EXPECT_EQ(c.TextHeight("hello"), 16);
  c.SetTextCharExtra(2);
  EXPECT_EQ(c.TextWidth("hello"), 50);
  TTextMetrics m = c.GetTextMetrics();
  EXPECT_EQ(m.Height, 16);
  EXPECT_EQ(m.Ascent + m.Descent, 16);
  EXPECT_EQ(m.AveCharWidth, 8);
  EXPECT_FALSE(m.DoubleByte);
  TABCWidths w;
  ASSERT_TRUE(c.GetCharABCWidths('M', w));
  EXPECT_EQ(w.A + w.B + w.C, 8);
  c.SetDoubleByte(true);
  ASSERT_TRUE(c.GetCharABCWidths(33281, w));
  EXPECT_EQ(w.B, 16);
  EXPECT_EQ(c.GetClipRect(), TRect(0, 0, 100, 100));
}

TEST(Canvas, FontSettersChangeOnlyWhatDiffers) {
  TRecordingCanvas c;
  TFontData before = c.GetFont();
  c.SetFontColor(before.Color);
  EXPECT_EQ(c.GetFont(), before);
  c.SetFontCharSet(204);
  EXPECT_EQ(c.GetFont().CharSet, 204);
  EXPECT_EQ(c.GetFont().Name, before.Name);
}

TEST(Types, RectangleHelpers) {
  TRect r;
  EXPECT_TRUE(IntersectRect(r, TRect(0, 0, 10, 10), TRect(5, 5, 20, 20)));
  EXPECT_EQ(r, TRect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, TRect(0, 0, 10, 10), TRect(10, 0, 20, 10)));  // touching only
  EXPECT_EQ(r, TRect());
  EXPECT_TRUE(UnionRect(r, TRect(), TRect(1, 1, 2, 2)));
  EXPECT_EQ(r, TRect(1, 1, 2, 2));
  EXPECT_TRUE(UnionRect(r, TRect(0, 0, 1, 1), TRect(5, 5, 6, 6)));
  EXPECT_EQ(r, TRect(0, 0, 6, 6));
  EXPECT_TRUE(PtInRect(Bounds(2, 3, 4, 5), Point(2, 3)));
  EXPECT_FALSE(PtInRect(Bounds(2, 3, 4, 5), Point(6, 3)));  // right edge is outside
  EXPECT_EQ(Bounds(2, 3, 4, 5), Rect(2, 3, 6, 8));
}

#include "platform/Keys.h"

TEST(Keys, ShortCutsPackKeyAndModifiers) {
  EXPECT_EQ(ShortCut(9, TShiftState{ssShift}), 8201);  // Shift+Tab as key maps store it
  EXPECT_EQ(ShortCut('K', TShiftState{ssCtrl}), 0x404B);
  EXPECT_EQ(ShortCut(0x70, TShiftState{ssAlt, ssCtrl, ssShift}), 0xE070);
  EXPECT_EQ(ShortCut(0x1234, TShiftState{}), scNone);
  uint16_t key = 0;
  TShiftState shift{ssLeft};
  ShortCutToKey(0xE070, key, shift);
  EXPECT_EQ(key, 0x70);
  EXPECT_EQ(shift, (TShiftState{ssAlt, ssCtrl, ssShift}));
}
