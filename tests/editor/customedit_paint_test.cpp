// Painting on a recording canvas: the gutter, text runs in the highlighter's
// colours, the three selection modes, special lines, the right edge, clip
// rectangles, mark glyphs, and which rows an edit leaves to repaint.
#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "EditFixture.h"
#include "BraceHighlighter.h"
#include "editor/CustomEditPaint.h"
#include "platform/RecordingCanvas.h"

namespace {

// Words of letters, runs of blanks and single other characters, each with
// its own attribute; "~" gives an empty token before the next character (a
// highlighter may report one), and the whitespace attribute can be withheld.
class TWordHighlighter : public TktCustomHighLighter {
public:
  explicit TWordHighlighter(bool withSpaceAttribute = true) : TktCustomHighLighter(nullptr) {
    Word = AddAttribute(std::make_unique<TktHighLightAttributes>("Word"));
    Space = AddAttribute(std::make_unique<TktHighLightAttributes>("Space"));
    Symbol = AddAttribute(std::make_unique<TktHighLightAttributes>("Symbol"));
    FWithSpace = withSpaceAttribute;
  }
  TktHighLightAttributes* Word;
  TktHighLightAttributes* Space;
  TktHighLightAttributes* Symbol;
  int LinesScanned = 0;

  TktHighLightAttributes* GetDefaultAttribute(int index) const override {
    return index == 0 && FWithSpace ? Space : nullptr;
  }
  void ExportNextToken() override { Next(); }
  bool AtLineEnd() const override { return FLine[FTokenPos] == '\0' && FRun == FTokenPos && !FEmpty; }
  TktRange GetRange() const override { return 0; }
  std::string_view GetToken() const override {
    return std::string_view(FLine + FTokenPos, FRun - FTokenPos);
  }
  TktHighLightAttributes* GetTokenAttribute() const override {
    const unsigned char c = static_cast<unsigned char>(FLine[FTokenPos]);
    if (FEmpty) return Symbol;
    if (std::isalpha(c)) return Word;
    if (c == ' ') return Space;
    return Symbol;
  }
  int GetTokenKind() const override { return 0; }
  int GetTokenPos() const override { return int(FTokenPos); }
  void Next() override {
    FTokenPos = FRun;
    FEmpty = false;
    const char c = FLine[FRun];
    if (c == '\0') return;
    if (c == '~' && !FSkippedTilde) {
      // An empty token standing at the tilde; the tilde itself follows.
      FSkippedTilde = true;
      FEmpty = true;
      return;
    }
    FSkippedTilde = false;
    const auto same = [&](char d) {
      if (std::isalpha(static_cast<unsigned char>(c))) return bool(std::isalpha(static_cast<unsigned char>(d)));
      return c == ' ' && d == ' ';
    };
    ++FRun;
    while (FLine[FRun] != '\0' && same(FLine[FRun])) ++FRun;
  }
  void SetLine(std::string_view line, int) override {
    ++LinesScanned;
    FLine = line.data();
    FRun = 0;
    FSkippedTilde = false;
    Next();
  }
  void SetLineForExport(std::string_view line) override { SetLine(line, 0); }
  void SetRange(TktRange) override {}
  void ResetRange() override {}

private:
  bool FWithSpace = true;
  const char* FLine = "";
  size_t FRun = 0;
  size_t FTokenPos = 0;
  bool FEmpty = false;
  bool FSkippedTilde = false;
};

constexpr uint32_t kOpaqueClipped = etoOpaque | etoClipped;

// A text call: its text, cell rectangle, colours and style.
struct TText {
  std::string Text;
  TRect Rect;
  TColor Fg;
  TColor Bg;
  TFontStyles Style;
};

// A filled area: FillRect with the brush, or an opaque text call without text.
struct TFill {
  TRect Rect;
  TColor Color;
};

class PaintTest : public EditFixture {
protected:
  // Paints clip (the whole window by default) on a fresh canvas.
  void PaintClip(TRect clip = TRect(0, 0, 400, 300)) {
    Canvas = std::make_unique<TRecordingCanvas>(clip);
    Edit->Paint(*Canvas);
  }
  std::vector<TText> Texts() const {
    std::vector<TText> r;
    for (const TCanvasOp& op : Canvas->OpsOf(coExtTextOut))
      if (!op.Text.empty()) r.push_back(TText{op.Text, op.Rect, op.Font.Color, op.BrushColor, op.Font.Style});
    return r;
  }
  // Text calls of one row (top y).
  std::vector<TText> RowTexts(int top) const {
    std::vector<TText> r;
    for (const TText& t : Texts())
      if (t.Rect.Top == top) r.push_back(t);
    return r;
  }
  std::vector<TFill> Fills() const {
    std::vector<TFill> r;
    for (const TCanvasOp& op : Canvas->Ops()) {
      if (op.Kind == coFillRect) r.push_back(TFill{op.Rect, op.BrushColor});
      if (op.Kind == coExtTextOut && op.Text.empty() && (op.Options & etoOpaque))
        r.push_back(TFill{op.Rect, op.BrushColor});
    }
    return r;
  }
  // Fills of one row's text area (the strip beside the gutter left out).
  std::vector<TFill> RowFills(int top) const {
    std::vector<TFill> r;
    for (const TFill& f : Fills())
      if (f.Rect.Top == top && f.Rect.Left >= 32) r.push_back(f);
    return r;
  }
  bool AnyOpInColor(TColor color) const {
    for (const TCanvasOp& op : Canvas->Ops())
      if (op.BrushColor == color || (op.Kind == coExtTextOut && op.Font.Color == color)) return true;
    return false;
  }

  std::unique_ptr<TRecordingCanvas> Canvas;
};

// Row y of line n (top line 1): 16 pixels a row; column c starts at 32 + (c - 1) * 8.
constexpr int Row(int line) { return (line - 1) * 16; }
constexpr int Col(int column) { return 32 + (column - 1) * 8; }

TEST_F(PaintTest, PlainTextIsOneCallPerRowWithTheRestFilled) {
  SetLines({"hello", "ab"});
  PaintClip();
  const std::vector<TText> texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, "hello");
  EXPECT_EQ(texts[0].Rect, TRect(Col(1), 0, Col(6), 16));
  EXPECT_EQ(texts[0].Fg, clWindowText);
  EXPECT_EQ(texts[0].Bg, clWindow);
  EXPECT_EQ(texts[1].Text, "ab");
  EXPECT_EQ(texts[1].Rect, TRect(Col(1), 16, Col(3), 32));
  for (const TCanvasOp& op : Canvas->OpsOf(coExtTextOut)) {
    EXPECT_EQ(op.Options & kOpaqueClipped, op.Text.empty() ? uint32_t(etoOpaque) : kOpaqueClipped);
    if (!op.Text.empty()) {
      EXPECT_EQ(op.Pos, op.Rect.TopLeft());
      EXPECT_EQ(op.Advances, std::vector<int>(op.Text.size(), 8)) << "every character on the grid";
    }
  }
  const std::vector<TFill> fills = Fills();
  auto has = [&](TRect r, TColor c) {
    return std::any_of(fills.begin(), fills.end(), [&](const TFill& f) { return f.Rect == r && f.Color == c; });
  };
  EXPECT_TRUE(has(TRect(0, 0, 30, 300), clBtnFace)) << "the gutter";
  EXPECT_TRUE(has(TRect(30, 0, 32, 300), clWindow)) << "the strip beside the gutter";
  EXPECT_TRUE(has(TRect(Col(6), 0, 400, 16), clWindow)) << "past the end of line 1";
  EXPECT_TRUE(has(TRect(Col(3), 16, 400, 32), clWindow)) << "past the end of line 2";
  EXPECT_TRUE(has(TRect(30, 32, 400, 300), clWindow)) << "below the text";
  // The gutter's edge: a light and a dark line at its right.
  const std::vector<TCanvasOp> lines = Canvas->OpsOf(coLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].From, TPoint(28, 0));
  EXPECT_EQ(lines[0].Pos, TPoint(28, 300));
  EXPECT_EQ(lines[0].PenColor, clBtnHighlight);
  EXPECT_EQ(lines[1].From, TPoint(29, 0));
  EXPECT_EQ(lines[1].PenColor, clBtnShadow);
}

TEST_F(PaintTest, OnlyTheRowsAndColumnsOfTheClipArePainted) {
  SetLines({"line one", "line two", "line three", "line four"});
  auto hl = std::make_unique<TWordHighlighter>();
  Edit->SetHighLighter(hl.get());
  hl->LinesScanned = 0;
  // Row 3 only, from column 3 on, and nothing of the gutter.
  PaintClip(TRect(Col(3), Row(3), 400, Row(4)));
  const std::vector<TText> texts = Texts();
  ASSERT_FALSE(texts.empty());
  std::string row;
  for (const TText& t : texts) {
    EXPECT_EQ(t.Rect.Top, Row(3));
    row += t.Text;
  }
  EXPECT_EQ(row, "ne three");
  EXPECT_EQ(texts.front().Rect.Left, Col(3));
  EXPECT_EQ(hl->LinesScanned, 1);
  EXPECT_TRUE(Canvas->OpsOf(coLineTo).empty()) << "the gutter's edge lies outside the clip";
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, AScrolledViewStartsAtTheLeftColumnAndTopLine) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 100; ++i) lines.push_back("line" + std::to_string(i) + "abcdefghijklmnopqrstuvwxyz");
  SetLines(lines);
  Edit->SetTopLine(40);
  Edit->SetLeftChar(5);
  PaintClip();
  const std::vector<TText> first = RowTexts(0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].Text, "40abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(first[0].Rect.Left, 32);
}

TEST_F(PaintTest, ScrollingToTheMiddleOfALongTextScansOnlyTheShownLines) {
  auto hl = std::make_unique<TBraceHighlighter>();
  Edit->SetHighLighter(hl.get());
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "some {text} here\r\n";
  Edit->SetText(text);
  Edit->SetTopLine(10000);
  hl->LinesScanned = 0;
  PaintClip();
  EXPECT_EQ(hl->LinesScanned, 19) << "the 19 rows of the window (the last one partly shown)";
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, TokensOfEqualLookShareOneCallAndBlanksJoinAnyRun) {
  SetLines({"alpha beta  gamma+-delta"});
  auto hl = std::make_unique<TWordHighlighter>();
  hl->Word->SetForeground(clNavy);
  hl->Word->SetStyle(TFontStyles{fsBold});
  hl->Space->SetForeground(clRed);  // blanks show no foreground
  hl->Space->SetStyle(TFontStyles{fsItalic});
  hl->Symbol->SetForeground(clGreen);
  Edit->SetHighLighter(hl.get());
  PaintClip();
  const std::vector<TText> texts = RowTexts(0);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, "alpha beta  gamma");
  EXPECT_EQ(texts[0].Fg, clNavy);
  EXPECT_EQ(texts[0].Style, TFontStyles{fsBold});
  EXPECT_EQ(texts[1].Text, "+-");
  EXPECT_EQ(texts[1].Fg, clGreen);
  EXPECT_EQ(texts[1].Style, TFontStyles());
  EXPECT_EQ(texts[1].Rect, TRect(Col(18), 0, Col(20), 16));
  EXPECT_EQ(texts[2].Text, "delta");
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, TheWhitespaceBackgroundPaintsTheEditorBackground) {
  SetLines({"ab cd"});
  auto hl = std::make_unique<TWordHighlighter>();
  hl->Space->SetBackground(clYellow);
  hl->Word->SetBackground(clAqua);
  Edit->SetHighLighter(hl.get());
  PaintClip();
  const std::vector<TFill> fills = Fills();
  auto has = [&](TRect r) {
    return std::any_of(fills.begin(), fills.end(), [&](const TFill& f) { return f.Rect == r && f.Color == clYellow; });
  };
  EXPECT_TRUE(has(TRect(30, 0, 32, 300))) << "the strip";
  EXPECT_TRUE(has(TRect(Col(6), 0, 400, 16))) << "past the line's end";
  EXPECT_TRUE(has(TRect(30, 16, 400, 300))) << "below the text";
  const std::vector<TText> texts = RowTexts(0);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Bg, clAqua);
  EXPECT_EQ(texts[1].Bg, clYellow);
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, AMissingWhitespaceAttributeAndEmptyTokensAreTolerated) {
  SetLines({"ab~cd"});
  Edit->SetColor(clSilver);
  auto hl = std::make_unique<TWordHighlighter>(false);
  Edit->SetHighLighter(hl.get());
  PaintClip();
  std::string row;
  for (const TText& t : RowTexts(0)) row += t.Text;
  EXPECT_EQ(row, "ab~cd");
  for (const TFill& f : RowFills(0)) EXPECT_EQ(f.Color, clSilver);
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, ASelectionInsideALineSplitsItsRunInThree) {
  SetLines({"abcdefgh"});
  Select(TPoint(3, 1), TPoint(6, 1));
  PaintClip();
  const std::vector<TText> texts = RowTexts(0);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, "ab");
  EXPECT_EQ(texts[1].Text, "cde");
  EXPECT_EQ(texts[1].Fg, clHighlightText);
  EXPECT_EQ(texts[1].Bg, clHighlight);
  EXPECT_EQ(texts[1].Rect, TRect(Col(3), 0, Col(6), 16));
  EXPECT_EQ(texts[2].Text, "fgh");
  EXPECT_EQ(texts[2].Bg, clWindow);
  for (const TFill& f : RowFills(0)) EXPECT_NE(f.Color, clHighlight);
}

TEST_F(PaintTest, ANormalSelectionEndingAtColumnOneSelectsOnlyTheLinesAbove) {
  SetLines({"abc", "defg", "hi"});
  Select(TPoint(2, 1), TPoint(1, 3));
  PaintClip();
  const std::vector<TText> r1 = RowTexts(Row(1));
  ASSERT_EQ(r1.size(), 2u);
  EXPECT_EQ(r1[1].Text, "bc");
  EXPECT_EQ(r1[1].Bg, clHighlight);
  const std::vector<TText> r2 = RowTexts(Row(2));
  ASSERT_EQ(r2.size(), 1u);
  EXPECT_EQ(r2[0].Bg, clHighlight);
  const std::vector<TText> r3 = RowTexts(Row(3));
  ASSERT_EQ(r3.size(), 1u);
  EXPECT_EQ(r3[0].Bg, clWindow);
  // Line ends of the selected lines show selected up to the window's edge.
  for (int line : {1, 2}) {
    const std::vector<TFill> fills = RowFills(Row(line));
    ASSERT_EQ(fills.size(), 1u) << line;
    EXPECT_EQ(fills[0].Color, clHighlight);
    EXPECT_EQ(fills[0].Rect.Right, 400);
  }
  for (const TFill& f : RowFills(Row(3))) EXPECT_EQ(f.Color, clWindow);
}

TEST_F(PaintTest, AColumnSelectionShowsPastShortLinesUpToItsRightColumn) {
  SetLines({"abcdef", "ab", "abcdef"});
  Select(TPoint(5, 3), TPoint(2, 1), smColumn);  // columns ordered when painted
  PaintClip();
  const std::vector<TText> r1 = RowTexts(Row(1));
  ASSERT_EQ(r1.size(), 3u);
  EXPECT_EQ(r1[1].Text, "bcd");
  EXPECT_EQ(r1[1].Bg, clHighlight);
  const std::vector<TText> r2 = RowTexts(Row(2));
  ASSERT_EQ(r2.size(), 2u);
  EXPECT_EQ(r2[1].Text, "b");
  const std::vector<TFill> f2 = RowFills(Row(2));
  ASSERT_EQ(f2.size(), 2u);
  EXPECT_EQ(f2[0].Rect, TRect(Col(3), Row(2), Col(5), Row(3)));
  EXPECT_EQ(f2[0].Color, clHighlight);
  EXPECT_EQ(f2[1].Rect, TRect(Col(5), Row(2), 400, Row(3)));
  EXPECT_EQ(f2[1].Color, clWindow);
}

TEST_F(PaintTest, ALineSelectionSelectsWholeRows) {
  SetLines({"abc", "de", "fgh"});
  Select(TPoint(2, 1), TPoint(2, 2), smLine);
  PaintClip();
  for (int line : {1, 2}) {
    const std::vector<TText> texts = RowTexts(Row(line));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Bg, clHighlight);
    const std::vector<TFill> fills = RowFills(Row(line));
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Color, clHighlight);
    EXPECT_EQ(fills[0].Rect.Right, 400);
  }
  EXPECT_EQ(RowTexts(Row(3))[0].Bg, clWindow);
}

TEST_F(PaintTest, AHiddenSelectionOfAnUnfocusedControlIsNotPainted) {
  SetLines({"abcdef"});
  Select(TPoint(2, 1), TPoint(5, 1));
  Edit->SetHideSelection(true);
  Host.HasFocus = false;
  PaintClip();
  EXPECT_FALSE(AnyOpInColor(clHighlight));
  Host.HasFocus = true;
  PaintClip();
  EXPECT_TRUE(AnyOpInColor(clHighlight));
}

TEST_F(PaintTest, ASpecialLineKeepsItsColoursAndShowsItsSelectionInverted) {
  SetLines({"ab+cd", "ab+cd", "ab+cd"});
  auto hl = std::make_unique<TWordHighlighter>();
  hl->Word->SetForeground(clNavy);
  hl->Symbol->SetForeground(clGreen);
  Edit->SetHighLighter(hl.get());
  Edit->OnSpecialLineColors = [](TObject*, int line, bool& special, TColor& fg, TColor& bg) {
    if (line != 2) return;
    special = true;
    fg = clWhite;
    bg = clMaroon;
  };
  Select(TPoint(4, 2), TPoint(3, 3));
  PaintClip();
  const std::vector<TText> r2 = RowTexts(Row(2));
  ASSERT_EQ(r2.size(), 2u) << "tokens of every colour merge on a special line";
  EXPECT_EQ(r2[0].Text, "ab+");
  EXPECT_EQ(r2[0].Fg, clWhite);
  EXPECT_EQ(r2[0].Bg, clMaroon);
  EXPECT_EQ(r2[1].Text, "cd");
  EXPECT_EQ(r2[1].Fg, clMaroon);
  EXPECT_EQ(r2[1].Bg, clWhite);
  const std::vector<TFill> f2 = RowFills(Row(2));
  ASSERT_EQ(f2.size(), 1u);
  EXPECT_EQ(f2[0].Color, clWhite) << "the selection past the line's end, inverted";
  // Ordinary lines keep the highlighter's colours and the normal selection.
  const std::vector<TText> r3 = RowTexts(Row(3));
  ASSERT_EQ(r3.size(), 3u);
  EXPECT_EQ(r3[0].Fg, clHighlightText);
  EXPECT_EQ(r3[0].Text, "ab");
  EXPECT_EQ(r3[1].Fg, clGreen);
  Edit->SetHighLighter(nullptr);
}

TEST_F(PaintTest, TheRightEdgeIsALineOverTheWholeClipHeight) {
  SetLines({"abc"});
  Edit->SetRightEdge(10);
  Edit->SetRightEdgeColor(clFuchsia);
  PaintClip(TRect(30, 20, 400, 100));
  const std::vector<TCanvasOp> lines = Canvas->OpsOf(coLineTo);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].From, TPoint(Col(11), 20));
  EXPECT_EQ(lines[0].Pos, TPoint(Col(11), 101));
  EXPECT_EQ(lines[0].PenColor, clFuchsia);
  Edit->SetRightEdge(0);
  PaintClip();
  for (const TCanvasOp& op : Canvas->OpsOf(coLineTo)) EXPECT_NE(op.PenColor, clFuchsia);
}

TEST_F(PaintTest, TabsAreExpandedBeforePainting) {
  SetLines({"a\tb"});
  Edit->SetTabWidth(4);
  PaintClip();
  ASSERT_EQ(RowTexts(0).size(), 1u);
  EXPECT_EQ(RowTexts(0)[0].Text, "a   b");
}

TEST_F(PaintTest, LineNumbersFillTheGutterRows) {
  SetLines({"a", "b", "c"});
  Edit->GetGutter()->SetShowLineNumbers(true);
  ASSERT_EQ(Edit->GetGutterWidth(), 16 + 2 + 4 * 8 + 2);
  PaintClip();
  std::vector<TText> numbers;
  for (const TCanvasOp& op : Canvas->OpsOf(coExtTextOut))
    if (op.Rect.Right <= 52 && !op.Text.empty()) numbers.push_back(TText{op.Text, op.Rect, op.Font.Color, op.BrushColor, op.Font.Style});
  ASSERT_EQ(numbers.size(), 3u);
  EXPECT_EQ(numbers[0].Text, "   1");
  EXPECT_EQ(numbers[2].Text, "   3");
  EXPECT_EQ(numbers[2].Rect, TRect(0, 32, 52, 48));
  EXPECT_EQ(numbers[2].Bg, clBtnFace);
  for (const TCanvasOp& op : Canvas->OpsOf(coExtTextOut))
    if (op.Text == "   1") {
      EXPECT_EQ(op.Pos.X, 16);
    }
  const std::vector<TFill> fills = Fills();
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [](const TFill& f) {
    return f.Rect == TRect(0, 48, 52, 300) && f.Color == clBtnFace;
  })) << "the gutter below the last number";
}

TEST_F(PaintTest, BookmarksStandRightOfOtherMarksOfTheirLine) {
  SetLines({"a", "b", "c"});
  Edit->SetBookMark(3, 1, 2);
  auto mark = std::make_unique<TMark>(Edit.get());
  mark->SetLine(2);
  mark->SetImage(7);
  mark->SetVisible(true);
  Edit->GetMarks()->Add(std::move(mark));
  PaintClip();
  // Each glyph starts with its frame: a filled rectangle 11 pixels wide.
  std::vector<int> xs;
  for (const TCanvasOp& op : Canvas->OpsOf(coFillRect))
    if (op.Rect.Width() == kMarkGlyphWidth && op.Rect.Height() == kMarkGlyphHeight) {
      EXPECT_EQ(op.Rect.Top, 16 + 1) << "centred in the 16-pixel row";
      xs.push_back(op.Rect.Left);
    }
  EXPECT_EQ(xs, (std::vector<int>{2, 14}));
  std::vector<std::string> digits;
  for (const TCanvasOp& op : Canvas->OpsOf(coTextOut)) digits.push_back(op.Text);
  EXPECT_EQ(digits, (std::vector<std::string>{"7", "3"}));

  Edit->GetBookMarkOptions()->SetGlyphsVisible(false);
  PaintClip();
  EXPECT_TRUE(Canvas->OpsOf(coTextOut).empty());
}

TEST_F(PaintTest, OnPaintDrawsLastWithTheControlsFontAndColour) {
  SetLines({"a"});
  Edit->SetColor(clTeal);
  int painted = 0;
  Edit->OnPaint = [&](TObject* sender, ICanvas& canvas) {
    ++painted;
    EXPECT_EQ(sender, Edit.get());
    EXPECT_EQ(canvas.GetBrushColor(), clTeal);
    EXPECT_EQ(canvas.GetFont().Name, "Courier New");
  };
  PaintClip();
  EXPECT_EQ(painted, 1);
}

// --- which rows an edit leaves to repaint --------------------------------------------

class DamagedRows : public PaintTest {
protected:
  void SetUp() override {
    PaintTest::SetUp();
    std::vector<std::string> lines;
    for (int i = 1; i <= 40; ++i) lines.push_back("line " + std::to_string(i));
    SetLines(lines);
  }
  TRect TextRows(int first, int last) const { return TRect(30, Row(first), 400, Row(last + 1)); }
};

TEST_F(DamagedRows, TypingInALineRepaintsThatRowOnly) {
  Edit->SetCaretXY(TPoint(3, 5));
  Host.ClearLog();
  Edit->SetSelText("xyz");
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TextRows(5, 5)}));
}

TEST_F(DamagedRows, WithAHighlighterTheRowsWhoseStateChangedFollow) {
  auto hl = std::make_unique<TBraceHighlighter>();
  Edit->SetHighLighter(hl.get());
  Edit->SetCaretXY(TPoint(3, 5));
  Host.ClearLog();
  Edit->SetSelText("x");  // no state change: one row
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TextRows(5, 5)}));
  Host.ClearLog();
  Edit->SetSelText("{");  // opens a comment down to the end of the text
  // Row 19 is the window's last, partly shown.
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TextRows(5, 19)}));
  Edit->SetHighLighter(nullptr);
}

TEST_F(DamagedRows, ALineBreakRepaintsFromItsLineDown) {
  Edit->SetCaretXY(TPoint(3, 5));
  Host.ClearLog();
  Edit->SetSelText("a\r\nb");
  // The rows below move down, and so do their line numbers.
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TRect(0, Row(5), 400, Row(20))}));
}

TEST_F(DamagedRows, AnEditBelowTheWindowRepaintsNothing) {
  Edit->SetCaretXY(TPoint(1, 40));  // scrolls: line 40 is the last row
  Edit->SetTopLine(1);
  Host.ClearLog();
  Edit->GetLines()->Put(35, "changed");
  EXPECT_TRUE(Host.Invalidated.empty());
}

}  // namespace
