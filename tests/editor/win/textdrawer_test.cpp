// The GDI text drawer: cells of the editor's font, text on the grid in every
// style, colours, and what a drawing bracket leaves in its device context.
#include "editor/win/GdiTextDrawer.h"

#include "DrawerFixture.h"
#include "editor/TextDrawerCanvas.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kPaper = clWhite;
constexpr TColor kFore = clRed;
constexpr TColor kBack = clBlue;

LOGFONTA LogFontOf(HFONT font) {
  LOGFONTA lf{};
  ::GetObjectA(font, sizeof(lf), &lf);
  return lf;
}

// Draws `text` on the grid at (x, y) filling its cells, as the editor paints
// a run of one appearance.
void DrawRun(TheTextDrawer& d, int x, int y, std::string_view text) {
  TRect r(x, y, x + int(text.size()) * d.GetCharWidth(), y + d.GetCharHeight());
  d.ExtTextOut(x, y, etoOpaque | etoClipped, &r, text);
}

}  // namespace

TEST(GdiTextDrawer, CourierNewAtTheEditorsSizeHasItsKnownCell) {
  // 10 points at 96 pixels per inch is a 13-pixel em: Courier New's (and
  // Liberation Mono's) advance of 0.6 em rounds to 8 pixels, ascent plus
  // descent (0.83 + 0.30 em) to 15.
  TheTextDrawer d({}, EditorDefaultFont());
  EXPECT_EQ(d.GetFontStock().GetFontsInfo()->BaseLF.lfHeight, -13);
  EXPECT_EQ(d.GetCharWidth(), 8);
  EXPECT_EQ(d.GetBaseCharWidth(), 8);
  EXPECT_EQ(d.GetCharHeight(), 15);
  EXPECT_EQ(d.GetFontStock().GetDBCharWidth(), kNoDBCharWidth);
  EXPECT_FALSE(d.GetFontStock().GetFontsInfo()->IsDBCSFont);

  // The same figures as GDI gives for the selected font directly.
  TMemoryDC dc;
  TSelectObject select(dc.Get(), d.GetCurrentFont());
  TEXTMETRICA tm{};
  ASSERT_TRUE(::GetTextMetricsA(dc.Get(), &tm));
  ABC m{};
  ASSERT_TRUE(::GetCharABCWidthsA(dc.Get(), 'M', 'M', &m));
  EXPECT_EQ(d.GetCharHeight(), tm.tmHeight);
  EXPECT_EQ(d.GetBaseCharWidth(), m.abcA + int(m.abcB) + m.abcC + tm.tmOverhang);

  d.SetCharExtra(3);
  EXPECT_EQ(d.GetCharWidth(), 11);
  EXPECT_EQ(d.GetBaseCharWidth(), 8);
}

TEST(GdiTextDrawer, EachStyleIsItsOwnFontOnTheBaseCell) {
  TFontData font = EditorDefaultFont();
  TheTextDrawer d({}, font);
  d.SetBaseStyle({fsBold});
  const int cell = d.GetCharWidth();
  const int height = d.GetCharHeight();

  struct Case { TFontStyles style; LONG weight; BYTE italic, underline, strike; };
  const Case cases[] = {
      {{}, FW_NORMAL, 0, 0, 0},
      {{fsBold}, FW_BOLD, 0, 0, 0},
      {{fsItalic}, FW_NORMAL, 1, 0, 0},
      {{fsBold, fsItalic}, FW_BOLD, 1, 0, 0},
      {{fsUnderline}, FW_NORMAL, 0, 1, 0},
      {{fsStrikeOut, fsBold}, FW_BOLD, 0, 0, 1},
  };
  std::vector<HFONT> seen;
  for (const Case& c : cases) {
    d.SetStyle(c.style);
    EXPECT_EQ(d.GetStyle(), c.style);
    HFONT h = d.GetCurrentFont();
    ASSERT_EQ(::GetObjectType(h), DWORD(OBJ_FONT));
    LOGFONTA lf = LogFontOf(h);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(lf.lfHeight, font.Height);
    EXPECT_EQ(lf.lfWeight, c.weight) << int(c.style.ToMask());
    EXPECT_EQ(lf.lfItalic, c.italic) << int(c.style.ToMask());
    EXPECT_EQ(lf.lfUnderline, c.underline) << int(c.style.ToMask());
    EXPECT_EQ(lf.lfStrikeOut, c.strike) << int(c.style.ToMask());
    for (HFONT other : seen) EXPECT_NE(h, other);
    seen.push_back(h);
    // The grid does not follow the style.
    EXPECT_EQ(d.GetCharWidth(), cell);
    EXPECT_EQ(d.GetCharHeight(), height);
  }
  // Asking again picks up the variant made the first time.
  d.SetStyle({fsBold});
  EXPECT_EQ(d.GetCurrentFont(), seen[1]);
}

TEST(GdiTextDrawer, OpaqueRunFillsItsCellsAndKeepsInkInThem) {
  TBitmap bmp(200, 40);
  Paint(bmp, kPaper);
  TheTextDrawer d({}, EditorDefaultFont());
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  const int x0 = 10, y0 = 12;
  d.BeginDrawing(bmp.Canvas());
  d.SetForeColor(kFore);
  d.SetBackColor(kBack);
  DrawRun(d, x0, y0, "M #M");
  d.EndDrawing();

  const TRect run(x0, y0, x0 + 4 * cw, y0 + ch);
  // Nothing outside the run's rectangle.
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(0, 0, 200, y0), kPaper));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(0, y0 + ch, 200, 40), kPaper));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(0, y0, x0, y0 + ch), kPaper));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(run.Right, y0, 200, y0 + ch), kPaper));
  // The blank cell is background only; every other cell has text in the
  // fore colour, and the background shows around it.
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(x0 + cw, y0, x0 + 2 * cw, y0 + ch), kBack));
  for (int cell : {0, 2, 3}) {
    TRect r(x0 + cell * cw, y0, x0 + (cell + 1) * cw, y0 + ch);
    EXPECT_TRUE(AnyPixelIs(bmp, r, kFore)) << "cell " << cell;
    EXPECT_TRUE(AnyPixelIs(bmp, r, kBack)) << "cell " << cell;
  }
}

TEST(GdiTextDrawer, BoldTextAndExtraSpacingStayOnTheGrid) {
  // Every character advances by the cell plus the extra spacing, in every
  // style: the ink of character i starts i cells after that of character 0.
  TBitmap bmp(300, 60);
  Paint(bmp, kPaper);
  TheTextDrawer d({}, EditorDefaultFont());
  d.SetCharExtra(3);
  const int step = d.GetCharWidth();
  ASSERT_EQ(step, d.GetBaseCharWidth() + 3);
  d.BeginDrawing(bmp.Canvas());
  d.SetForeColor(clBlack);
  d.SetBackColor(kPaper);
  for (int row = 0; row < 2; ++row) {
    d.SetStyle(row == 0 ? TFontStyles{} : TFontStyles{fsBold});
    d.ExtTextOut(5, 5 + row * 25, 0, nullptr, "IIIIII");
  }
  d.EndDrawing();

  for (int row = 0; row < 2; ++row) {
    int top = 5 + row * 25;
    std::vector<int> first;  // first ink column of each cell
    for (int i = 0; i < 6; ++i) {
      auto cols = InkColumns(bmp, 5 + i * step, 5 + (i + 1) * step, top, top + 15, kPaper);
      ASSERT_FALSE(cols.empty()) << "row " << row << " cell " << i;
      first.push_back(cols.front() - i * step);
    }
    for (int i = 1; i < 6; ++i) EXPECT_EQ(first[i], first[0]) << "row " << row << " cell " << i;
  }
  // Nothing beyond the sixth cell: the spacing is not added twice.
  EXPECT_TRUE(InkColumns(bmp, 5 + 6 * step, 300, 0, 60, kPaper).empty());
}

TEST(GdiTextDrawer, UnderlineRunsUnderEveryCellOfTheRun) {
  TBitmap bmp(120, 30);
  Paint(bmp, kPaper);
  TheTextDrawer d({}, EditorDefaultFont());
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  d.BeginDrawing(bmp.Canvas());
  d.SetForeColor(kFore);
  d.SetBackColor(kBack);
  d.SetStyle({fsUnderline});
  DrawRun(d, 0, 0, "a  b");
  d.SetStyle({});
  DrawRun(d, 0, ch, "a  b");
  d.EndDrawing();

  auto solidRow = [&](int top) {
    for (int y = top; y < top + ch; ++y)
      if (AllPixelsAre(bmp, TRect(0, y, 4 * cw, y + 1), kFore)) return true;
    return false;
  };
  EXPECT_TRUE(solidRow(0));    // the underline crosses the blanks too
  EXPECT_FALSE(solidRow(ch));  // plain text has no such line
}

TEST(GdiTextDrawer, ClippedTextStaysInsideItsRectangle) {
  TBitmap bmp(120, 30);
  Paint(bmp, kPaper);
  TheTextDrawer d({}, EditorDefaultFont());
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  d.BeginDrawing(bmp.Canvas());
  d.SetForeColor(kFore);
  d.SetBackColor(kBack);
  // Two and a half cells of a six-character text, as a clip through a row.
  TRect clip(cw / 2, 0, 3 * cw, ch);
  d.ExtTextOut(0, 0, etoOpaque | etoClipped, &clip, "MMMMMM");
  d.EndDrawing();
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(0, 0, clip.Left, ch), kPaper));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(clip.Right, 0, 120, 30), kPaper));
  EXPECT_TRUE(AnyPixelIs(bmp, clip, kFore));
}

TEST(GdiTextDrawer, TextOutWritesWithTheDrawersColours) {
  TBitmap bmp(80, 20);
  Paint(bmp, kPaper);
  TheTextDrawer d({}, EditorDefaultFont());
  d.BeginDrawing(bmp.Canvas());
  d.SetForeColor(kFore);
  d.SetBackColor(kBack);
  d.TextOut(4, 2, "M M");
  d.EndDrawing();
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  EXPECT_TRUE(AnyPixelIs(bmp, TRect(4, 2, 4 + cw, 2 + ch), kFore));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(4 + cw, 2, 4 + 2 * cw, 2 + ch), kBack));
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(0, 0, 80, 2), kPaper));
}

TEST(GdiTextDrawer, DefaultColoursAreTheWindowColours) {
  TBitmap bmp(60, 20);
  Paint(bmp, clGray);
  TheTextDrawer d({}, EditorDefaultFont());
  EXPECT_EQ(d.GetForeColor(), clWindowText);
  EXPECT_EQ(d.GetBackColor(), clWindow);
  d.BeginDrawing(bmp.Canvas());
  DrawRun(d, 0, 0, "M ");
  d.EndDrawing();
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  EXPECT_TRUE(AllPixelsAre(bmp, TRect(cw, 0, 2 * cw, ch), TColor(::GetSysColor(COLOR_WINDOW))));
  EXPECT_TRUE(AnyPixelIs(bmp, TRect(0, 0, cw, ch), TColor(::GetSysColor(COLOR_WINDOWTEXT))));
}

TEST(GdiTextDrawer, AdvanceArrayGrowsInBlocksAndIsReused) {
  TBitmap bmp(40, 20);
  TheTextDrawer d({}, EditorDefaultFont());
  d.BeginDrawing(bmp.Canvas());
  EXPECT_EQ(d.GetAdvanceCount(), 0u);
  d.ExtTextOut(0, 0, 0, nullptr, std::string(65, 'x'));
  EXPECT_EQ(d.GetAdvanceCount(), 128u);
  d.ExtTextOut(0, 0, 0, nullptr, "short");
  EXPECT_EQ(d.GetAdvanceCount(), 128u);
  d.ReleaseTemporaryResources();
  EXPECT_EQ(d.GetAdvanceCount(), 0u);
  d.ExtTextOut(0, 0, 0, nullptr, std::string(63, 'x'));
  EXPECT_EQ(d.GetAdvanceCount(), 64u);
  // A new grid drops the array.
  d.SetBaseStyle({fsBold});
  EXPECT_EQ(d.GetAdvanceCount(), 0u);
  d.ExtTextOut(0, 0, 0, nullptr, "x");
  d.SetBaseFont(EditorDefaultFont());
  EXPECT_EQ(d.GetAdvanceCount(), 0u);
  d.EndDrawing();
}

TEST(GdiTextDrawer, BracketSelectsItsStateAndPutsTheContextBack) {
  TMemoryDC dc;
  HGDIOBJ font0 = ::GetCurrentObject(dc.Get(), OBJ_FONT);
  ::SetTextColor(dc.Get(), RGB(1, 2, 3));
  ::SetBkColor(dc.Get(), RGB(4, 5, 6));
  ::SetTextCharacterExtra(dc.Get(), 0);

  TheTextDrawer d({}, EditorDefaultFont());
  d.EndDrawing();  // without a bracket: nothing happens
  EXPECT_FALSE(d.IsDrawing());
  d.SetForeColor(kFore);
  d.SetBackColor(kBack);
  d.SetCharExtra(2);
  d.BeginDrawing(dc.Get());
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), d.GetCurrentFont());
  EXPECT_EQ(::GetTextColor(dc.Get()), COLORREF(kFore));
  EXPECT_EQ(::GetBkColor(dc.Get()), COLORREF(kBack));
  EXPECT_EQ(::GetTextCharacterExtra(dc.Get()), 2);

  // Changes apply at once while drawing.
  d.SetForeColor(clGreen);
  d.SetBackColor(clYellow);
  d.SetCharExtra(1);
  d.SetStyle({fsItalic});
  EXPECT_EQ(::GetTextColor(dc.Get()), COLORREF(clGreen));
  EXPECT_EQ(::GetBkColor(dc.Get()), COLORREF(clYellow));
  EXPECT_EQ(::GetTextCharacterExtra(dc.Get()), 1);
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), d.GetCurrentFont());

  // Brackets on one context nest; only the last close restores it.
  d.BeginDrawing(dc.Get());
  d.EndDrawing();
  EXPECT_TRUE(d.IsDrawing());
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), d.GetCurrentFont());
  d.EndDrawing();
  EXPECT_FALSE(d.IsDrawing());
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), font0);
  EXPECT_EQ(::GetTextColor(dc.Get()), RGB(1, 2, 3));
  EXPECT_EQ(::GetBkColor(dc.Get()), RGB(4, 5, 6));
  EXPECT_EQ(::GetTextCharacterExtra(dc.Get()), 0);
  d.EndDrawing();
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), font0);
}

TEST(GdiTextDrawer, BracketOnASecondContextReturnsToTheFirst) {
  TMemoryDC dc1, dc2;
  HGDIOBJ font1 = ::GetCurrentObject(dc1.Get(), OBJ_FONT);
  HGDIOBJ font2 = ::GetCurrentObject(dc2.Get(), OBJ_FONT);
  TheTextDrawer d({}, EditorDefaultFont());
  d.BeginDrawing(dc1.Get());
  d.BeginDrawing(dc2.Get());
  EXPECT_EQ(d.GetDrawingDC(), dc2.Get());
  d.SetForeColor(clGreen);
  d.SetStyle({fsBold});
  d.EndDrawing();
  // Back on the first context, with what changed meanwhile.
  EXPECT_EQ(d.GetDrawingDC(), dc1.Get());
  EXPECT_EQ(::GetCurrentObject(dc2.Get(), OBJ_FONT), font2);
  EXPECT_EQ(::GetCurrentObject(dc1.Get(), OBJ_FONT), d.GetCurrentFont());
  EXPECT_EQ(::GetTextColor(dc1.Get()), COLORREF(clGreen));
  d.EndDrawing();
  EXPECT_FALSE(d.IsDrawing());
  EXPECT_EQ(::GetCurrentObject(dc1.Get(), OBJ_FONT), font1);
}

TEST(GdiTextDrawer, DestroyedWhileDrawingItLeavesNoFontInTheContext) {
  TMemoryDC dc;
  HGDIOBJ font0 = ::GetCurrentObject(dc.Get(), OBJ_FONT);
  HFONT used;
  {
    // A size no other test uses, so the record dies with the drawer.
    TheTextDrawer d({}, FontOf("Courier New", -23));
    d.BeginDrawing(dc.Get());
    d.BeginDrawing(dc.Get());
    used = d.GetCurrentFont();
  }
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), font0);
  EXPECT_EQ(::GetObjectType(used), 0u);  // deleted, not leaked
}

TEST(GdiTextDrawer, NewBaseFontWhileDrawingReplacesTheSelectedOne) {
  TMemoryDC dc1, dc2;
  TheTextDrawer d({}, FontOf("Courier New", -21));
  d.BeginDrawing(dc1.Get());
  d.BeginDrawing(dc2.Get());
  HFONT old = d.GetCurrentFont();
  d.SetBaseFont(FontOf("Courier New", -19));  // the old record's last user goes
  HFONT now = d.GetCurrentFont();
  EXPECT_NE(now, old);
  EXPECT_EQ(::GetCurrentObject(dc2.Get(), OBJ_FONT), now);
  EXPECT_EQ(::GetCurrentObject(dc1.Get(), OBJ_FONT), now);
  // The old font was deselected everywhere before it was deleted.
  EXPECT_EQ(::GetObjectType(old), 0u);
  EXPECT_EQ(LogFontOf(now).lfHeight, -19);
  d.EndDrawing();
  d.EndDrawing();
}

TEST(GdiTextDrawer, RefusesACanvasWithoutADeviceContext) {
  TheTextDrawer d({}, EditorDefaultFont());
  TRecordingCanvas recording;
  EXPECT_THROW(d.BeginDrawing(recording), EheTextDrawerException);
  EXPECT_THROW(d.BeginDrawing(static_cast<HDC>(nullptr)), EheTextDrawerException);
  EXPECT_FALSE(d.IsDrawing());
}

namespace {
LRESULT CALLBACK PlainWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    TPaintDC paint(wnd);
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wp, lp);
}
}  // namespace

TEST(GdiTextDrawer, DrawsOnAWindow) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &PlainWndProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "TqTextDrawerTestWindow";
  ::RegisterClassA(&wc);
  HWND wnd = ::CreateWindowExA(0, wc.lpszClassName, "drawer", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                               60, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(wnd);
  ::UpdateWindow(wnd);
  TheTextDrawer d({}, EditorDefaultFont());
  const int cw = d.GetCharWidth(), ch = d.GetCharHeight();
  {
    TWindowDC dc(wnd);
    TCanvas canvas(dc.Get());
    d.BeginDrawing(canvas);
    d.SetForeColor(kFore);
    d.SetBackColor(kBack);
    TRect r(3 * cw, ch, 6 * cw, 2 * ch);
    d.ExtTextOut(r.Left, r.Top, etoOpaque | etoClipped, &r, "M M");
    d.EndDrawing();
    ::GdiFlush();
    // The blank middle cell is background; the first holds fore colour.
    int fore = 0, back = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = 3 * cw; x < 4 * cw; ++x) fore += ::GetPixel(dc.Get(), x, y) == COLORREF(kFore);
      for (int x = 4 * cw; x < 5 * cw; ++x) back += ::GetPixel(dc.Get(), x, y) == COLORREF(kBack);
    }
    EXPECT_GT(fore, 0);
    EXPECT_EQ(back, cw * ch);
  }
  ::DestroyWindow(wnd);
}

TEST(TextDrawerMaker, EditorGetsTheGdiDrawerOnceInstalled) {
  TTextDrawerMaker previous = SetTextDrawerMaker(nullptr);
  auto portable = MakeTextDrawer({}, EditorDefaultFont());
  EXPECT_NE(dynamic_cast<TCanvasTextDrawer*>(portable.get()), nullptr);
  UseGdiTextDrawer();
  auto gdi = MakeTextDrawer({fsBold}, EditorDefaultFont());
  ASSERT_NE(dynamic_cast<TheTextDrawer*>(gdi.get()), nullptr);
  EXPECT_EQ(gdi->GetBaseStyle(), TFontStyles{fsBold});
  EXPECT_EQ(gdi->GetCharWidth(), 8);
  SetTextDrawerMaker(previous);
}
