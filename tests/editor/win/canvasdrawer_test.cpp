// The canvas-only drawer: what the editor paints with where there is no GDI.
// Portable: needs no window.
#include "editor/TextDrawerCanvas.h"

#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {
TFontData Courier() {
  TFontData f;
  f.Name = "Courier New";
  f.Height = -13;
  return f;
}
}  // namespace

TEST(CanvasTextDrawer, CellsAreMeasuredOnTheMeasuringCanvas) {
  TCanvasTextDrawer plain({}, Courier());
  EXPECT_EQ(plain.GetCharWidth(), 8);
  EXPECT_EQ(plain.GetCharHeight(), 16);

  TCanvasTextDrawer d({}, Courier(), std::make_unique<TRecordingCanvas>(TRect(), 10, 20));
  EXPECT_EQ(d.GetCharWidth(), 10);
  EXPECT_EQ(d.GetCharHeight(), 20);
  d.SetCharExtra(2);
  EXPECT_EQ(d.GetCharWidth(), 12);
  EXPECT_EQ(d.GetBaseCharWidth(), 10);
  EXPECT_EQ(d.GetDBCharWidth(), kNoDBCharWidth);
}

TEST(CanvasTextDrawer, DoubleByteCellOfAShiftJisFont) {
  auto measure = std::make_unique<TRecordingCanvas>(TRect(), 8, 16);
  measure->SetDoubleByte(true);
  TFontData f = Courier();
  f.CharSet = SHIFTJIS_CHARSET_ID;
  TCanvasTextDrawer d({}, f, std::move(measure));
  EXPECT_EQ(d.GetDBCharWidth(), 16);
}

TEST(CanvasTextDrawer, RunsGoToTheCanvasOnTheGridWithTheDrawersState) {
  TRecordingCanvas canvas;
  canvas.SetFontName("Arial");
  canvas.SetBrushColor(clYellow);
  const TFontData before = canvas.GetFont();

  TCanvasTextDrawer d({}, Courier());
  d.SetCharExtra(1);
  d.BeginDrawing(canvas);
  d.SetForeColor(clRed);
  d.SetBackColor(clBlue);
  d.SetStyle({fsBold, fsUnderline});
  TRect r(0, 0, 27, 16);
  d.ExtTextOut(0, 0, etoOpaque | etoClipped, &r, "abc");
  d.TextOut(5, 6, "x");
  d.EndDrawing();

  auto runs = canvas.OpsOf(coExtTextOut);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Text, "abc");
  EXPECT_EQ(runs[0].Rect, r);
  EXPECT_EQ(runs[0].Options, etoOpaque | etoClipped);
  EXPECT_EQ(runs[0].Advances, (std::vector<int>{9, 9, 9}));
  EXPECT_EQ(runs[0].CharExtra, 0);  // the advances carry the spacing
  EXPECT_EQ(runs[0].Font.Name, "Courier New");
  EXPECT_EQ(runs[0].Font.Style, (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(runs[0].Font.Color, clRed);
  EXPECT_EQ(runs[0].BrushColor, clBlue);
  auto texts = canvas.OpsOf(coTextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].CharExtra, 1);
  EXPECT_EQ(texts[0].Pos, TPoint(5, 6));

  // The bracket gives the canvas its state back.
  EXPECT_EQ(canvas.GetFont(), before);
  EXPECT_EQ(canvas.GetBrushColor(), clYellow);
  EXPECT_EQ(canvas.GetTextCharExtra(), 0);
  EXPECT_EQ(d.GetAdvanceCount(), 64u);
}

TEST(CanvasTextDrawer, NestedBracketsOnTwoCanvases) {
  TRecordingCanvas outer, inner;
  TCanvasTextDrawer d({}, Courier());
  d.EndDrawing();  // harmless
  d.BeginDrawing(outer);
  d.BeginDrawing(outer);
  d.BeginDrawing(inner);
  d.SetForeColor(clGreen);
  d.ExtTextOut(0, 0, 0, nullptr, "in");
  d.EndDrawing();
  EXPECT_EQ(inner.GetFont().Color, TFontData().Color);
  EXPECT_EQ(outer.GetFont().Color, clGreen);  // outer takes up what changed
  d.ExtTextOut(0, 0, 0, nullptr, "out");
  d.EndDrawing();
  EXPECT_TRUE(d.IsDrawing());
  d.EndDrawing();
  EXPECT_FALSE(d.IsDrawing());
  EXPECT_EQ(outer.GetFont(), TFontData());
  EXPECT_EQ(inner.OpsOf(coExtTextOut).size(), 1u);
  EXPECT_EQ(outer.OpsOf(coExtTextOut).size(), 1u);
}

TEST(CanvasTextDrawer, BaseStyleSetsTheGridForEveryStyle) {
  // A measuring canvas whose bold cell is wider, as a proportional bold face.
  class TBoldWide : public TRecordingCanvas {
  public:
    bool GetCharABCWidths(unsigned code, TABCWidths& w) override {
      TRecordingCanvas::GetCharABCWidths(code, w);
      if (GetFont().Style.Contains(fsBold)) w.B += 2;
      return true;
    }
  };
  TCanvasTextDrawer d({}, Courier(), std::make_unique<TBoldWide>());
  EXPECT_EQ(d.GetCharWidth(), 8);
  d.SetBaseStyle({fsBold});
  EXPECT_EQ(d.GetCharWidth(), 10);
  d.SetStyle({});
  EXPECT_EQ(d.GetCharWidth(), 10);
  TRecordingCanvas canvas;
  d.BeginDrawing(canvas);
  d.ExtTextOut(0, 0, 0, nullptr, "ab");
  d.EndDrawing();
  EXPECT_EQ(canvas.OpsOf(coExtTextOut)[0].Advances, (std::vector<int>{10, 10}));
}
