// The editing control in a real window under Wine: mouse selection with the
// window's capture and timers, double clicks, dragging the selection, the
// wheel and scroll bars, the screen caret, the dialog code, dropped files,
// and the pixels the control paints.
#include "EditWindowFixture.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>

#include "platform/win/GdiCanvas.h"
#include "platform/win/Screenshot.h"

#undef GetCharWidth  // a Windows macro; the control's method keeps its name

TQ_TEST_APPLICATION();

namespace {

// --- the mouse -------------------------------------------------------------------------

TEST_F(EditWindowTest, APressPutsTheCaretAndDraggingSelects) {
  SetLines({"first line", "second line", "third line"});
  Click(CellPoint(4, 2));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 2));
  EXPECT_FALSE(Edit->SelAvail());

  Press(CellPoint(3, 1));
  MoveHeld(CellPoint(5, 2));
  MoveHeld(CellPoint(7, 3));
  Release(CellPoint(7, 3));
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(3, 1));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(7, 3));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(7, 3));
  EXPECT_EQ(Edit->GetSelText(), "rst line\r\nsecond line\r\nthird ");
  EXPECT_EQ(::GetCapture(), nullptr) << "the release lets go of the mouse";

  // Shift moves the selection's other end from the anchor.
  Click(CellPoint(2, 1), MK_SHIFT);
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(3, 1));
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(2, 1));
  EXPECT_EQ(Edit->GetSelText(), "i");
  // A plain click inside a selection (not dragged) collapses it there.
  Edit->SetBlockEnd(TPoint(5, 3));
  Click(CellPoint(4, 2));
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 2));
}

TEST_F(EditWindowTest, ADoubleClickSelectsTheWord) {
  SetLines({"alpha beta gamma"});
  const TPoint p = CellPoint(8, 1);
  Press(p);
  Release(p);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Pos(p));
  Release(p);
  EXPECT_EQ(Edit->GetSelText(), "beta");
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(11, 1));
}

TEST_F(EditWindowTest, HoldingTheButtonBelowTheWindowScrollsOnTheTimer) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 200; ++i) lines.push_back("line " + std::to_string(i));
  SetLines(lines);
  Press(CellPoint(1, 2));
  const int height = Form->Editor->GetClientHeight();
  MoveHeld(TPoint(40, height + 5));
  const int afterFirstStep = Edit->GetTopLine();
  EXPECT_EQ(afterFirstStep, 2);
  ASSERT_TRUE(PumpUntil([&] { return Edit->GetTopLine() >= afterFirstStep + 3; }, 3000))
      << "the auto-scroll timer keeps scrolling while the mouse stays below";
  Release(TPoint(40, height + 5));
  const int stopped = Edit->GetTopLine();
  PumpFor(300);
  EXPECT_EQ(Edit->GetTopLine(), stopped) << "the release stops it";
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 2));
  EXPECT_EQ(Edit->GetBlockEnd().Y, Edit->GetCaretY());
  EXPECT_GT(Edit->GetCaretY(), 20);
}

TEST_F(EditWindowTest, DraggingTheSelectionMovesItAndCtrlCopiesIt) {
  SetLines({"one two three"});
  Edit->SetBlockBegin(TPoint(5, 1));
  Edit->SetBlockEnd(TPoint(9, 1));  // "two "
  const TPoint inside = CellPoint(6, 1);
  Press(inside);
  EXPECT_TRUE(Edit->SelAvail()) << "a press inside the selection keeps it";
  MoveHeld(TPoint(inside.X + 10, inside.Y));
  ASSERT_TRUE(Form->Editor->IsDragging());
  MoveHeld(CellPoint(14, 1));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(14, 1)) << "the caret follows the drag";
  Release(CellPoint(14, 1));
  EXPECT_FALSE(Form->Editor->IsDragging());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"one threetwo "}));
  EXPECT_EQ(Edit->GetSelText(), "two ");

  // With Ctrl the text is copied.
  Edit->SetBlockBegin(TPoint(1, 1));
  Edit->SetBlockEnd(TPoint(4, 1));  // "one"
  Press(CellPoint(2, 1));
  MoveHeld(TPoint(CellPoint(2, 1).X + 10, CellPoint(2, 1).Y));
  MoveHeld(CellPoint(14, 1), MK_CONTROL);
  Release(CellPoint(14, 1), MK_CONTROL);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"one threetwo one"}));
}

TEST_F(EditWindowTest, DroppingTheSelectionInsideItselfChangesNothing) {
  SetLines({"one two three"});
  Edit->SetBlockBegin(TPoint(5, 1));
  Edit->SetBlockEnd(TPoint(12, 1));
  Press(CellPoint(6, 1));
  MoveHeld(CellPoint(9, 1));
  ASSERT_TRUE(Form->Editor->IsDragging());
  MoveHeld(CellPoint(10, 1));
  Release(CellPoint(10, 1));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"one two three"}));
}

// --- scrolling --------------------------------------------------------------------------

TEST_F(EditWindowTest, ScrollBarsFollowTheTextAndScrollIt) {
  std::vector<std::string> lines(100, "x");
  SetLines(lines);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(Wnd(), SB_VERT, &si));
  const int rows = Edit->GetLinesInWindow();
  EXPECT_GT(rows, 5);
  EXPECT_EQ(si.nMin, 1);
  EXPECT_EQ(si.nMax, 100 + rows - 1);
  EXPECT_EQ(int(si.nPage), rows);
  EXPECT_EQ(si.nPos, 1);

  Send(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(Edit->GetTopLine(), 2);
  Send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(Edit->GetTopLine(), 2 + rows);
  Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40));
  EXPECT_EQ(Edit->GetTopLine(), 40);
  ASSERT_TRUE(::GetScrollInfo(Wnd(), SB_VERT, &si));
  EXPECT_EQ(si.nPos, 40);
  Send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(Edit->GetTopLine(), 1);

  Send(WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(Edit->GetLeftChar(), 2);
  ASSERT_TRUE(::GetScrollInfo(Wnd(), SB_HORZ, &si));
  EXPECT_EQ(si.nPos, 2);
}

TEST_F(EditWindowTest, DraggingTheThumbShowsTheTopLineInAHint) {
  std::vector<std::string> lines(100, "x");
  SetLines(lines);
  ASSERT_TRUE(Edit->GetOptions().Contains(kteoShowScrollHint));
  Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30));
  HWND hint = ::FindWindowA("TScrollHintWindow", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(::IsWindowVisible(hint));
  char text[64] = {};
  ::GetWindowTextA(hint, text, sizeof text);
  EXPECT_STREQ(text, "TopLine: 30");
  // At the control's right edge less 4 pixels, 10 pixels from its top.
  RECT r{};
  ::GetWindowRect(hint, &r);
  const TPoint corner = Form->Editor->ClientToScreen(TPoint(Form->Editor->GetClientWidth() - 4, 10));
  EXPECT_EQ(r.right, corner.X);
  EXPECT_EQ(r.top, corner.Y);
  Send(WM_VSCROLL, SB_ENDSCROLL);
  EXPECT_FALSE(::IsWindowVisible(hint));
}

TEST_F(EditWindowTest, TheWheelScrollsByWholeNotches) {
  std::vector<std::string> lines(100, "x");
  SetLines(lines);
  UINT wheelLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
  EXPECT_EQ(Edit->GetTopLine(), 1) << "half a notch waits";
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
  EXPECT_EQ(Edit->GetTopLine(), 1 + int(wheelLines));
  Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), 0);
  EXPECT_EQ(Edit->GetTopLine(), 1 + int(wheelLines) + Edit->GetLinesInWindow()) << "Ctrl: a page";
}

// --- the caret and focus ---------------------------------------------------------------------

TEST_F(EditWindowTest, TheScreenCaretStandsAtTheCaretsCell) {
  SetLines({"abcdef", "ghijkl"});
  ASSERT_EQ(::GetFocus(), Wnd());
  Edit->SetCaretXY(TPoint(4, 2));
  POINT p{};
  ASSERT_TRUE(::GetCaretPos(&p));
  const TPoint cell = Edit->RowColumnToPixels(TPoint(4, 2));
  EXPECT_EQ(p.x, cell.X - 1) << "a vertical bar just left of the cell";
  EXPECT_EQ(p.y, cell.Y);

  // Losing the focus takes the caret away; getting it back makes it again.
  HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetFocus(other);
  Application->ProcessMessages();
  EXPECT_FALSE(::GetCaretPos(&p) && ::GetFocus() == Wnd());
  Form->Editor->SetFocus();
  Application->ProcessMessages();
  ASSERT_TRUE(::GetCaretPos(&p));
  EXPECT_EQ(p.x, cell.X - 1);
  ::DestroyWindow(other);
}

TEST_F(EditWindowTest, TheWindowAsksForArrowsCharactersAndTabsWhenWanted) {
  EXPECT_EQ(Send(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB),
            DLGC_WANTARROWS | DLGC_WANTCHARS);
  Edit->SetWantTabs(true);
  EXPECT_TRUE(Send(WM_GETDLGCODE) & DLGC_WANTTAB);
}

TEST_F(EditWindowTest, AltBackspaceTypesNoCharacter) {
  int presses = 0;
  Form->Editor->OnKeyPress = [&](TObject*, char&) { ++presses; };
  Send(WM_CHAR, VK_BACK, 0x20000001);
  EXPECT_EQ(presses, 0);
  Send(WM_CHAR, 'a', 1);
  EXPECT_EQ(presses, 1);
}

// --- dropped files ----------------------------------------------------------------------------

// A shell drop of ANSI file names at (x, y), as the shell hands it over.
HGLOBAL MakeDrop(const std::vector<std::string>& names, POINT at) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& n : names) size += n.size() + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* df = static_cast<DROPFILES*>(::GlobalLock(h));
  df->pFiles = sizeof(DROPFILES);
  df->pt = at;
  df->fNC = FALSE;
  df->fWide = FALSE;
  char* p = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
  for (const std::string& n : names) {
    std::memcpy(p, n.c_str(), n.size() + 1);
    p += n.size() + 1;
  }
  ::GlobalUnlock(h);
  return h;
}

TEST_F(EditWindowTest, DroppedFilesReachOnDropFilesWholeAndInOrder) {
  const std::string longName = "C:\\" + std::string(300, 'd') + "\\" + std::string(200, 'f') + ".txt";
  const std::vector<std::string> names{"C:\\a.txt", longName, "C:\\dir\\c.pas"};
  std::vector<std::string> got;
  TPoint where;
  int drops = 0;
  Edit->OnDropFiles = [&](TObject* sender, int x, int y, TStrings* files) {
    ++drops;
    EXPECT_EQ(sender, Edit);
    where = TPoint(x, y);
    for (int i = 0; i < files->GetCount(); ++i) got.push_back(files->Get(i));
  };
  HGLOBAL drop = MakeDrop(names, POINT{33, 44});
  EXPECT_EQ(Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop)), 0);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(got, names);
  EXPECT_EQ(got[1].size(), longName.size()) << "no cut at 255 or 260 characters";
  EXPECT_EQ(where, TPoint(33, 44));
  EXPECT_EQ(::GlobalSize(drop), 0u) << "the drop handle is released";

  // Without a handler the drop is still released.
  Edit->OnDropFiles = nullptr;
  drop = MakeDrop(names, POINT{1, 1});
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
  EXPECT_EQ(::GlobalSize(drop), 0u);
}

TEST_F(EditWindowTest, TheWindowAcceptsDropsWhileTheOptionIsSet) {
  auto accepts = [&] { return (::GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
  EXPECT_FALSE(accepts());
  Edit->SetOptions(Edit->GetOptions() + kteoDropFiles);
  EXPECT_TRUE(accepts());
  // A window made again (a new frame style) keeps accepting them.
  Edit->SetBorderStyle(kbsNone);
  EXPECT_TRUE(accepts());
  EXPECT_EQ(::GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  Edit->SetOptions(Edit->GetOptions() - kteoDropFiles);
  EXPECT_FALSE(accepts());
}

// --- the pixels -----------------------------------------------------------------------------------

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF; }

// How many pixels of r have colour c.
int Count(const TBitmap& bmp, TRect r, COLORREF c) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (COLORREF(bmp.Pixel(x, y)) == c) ++n;
  return n;
}

TEST_F(EditWindowTest, TheScreenShowsTextSelectionGutterAndEdge) {
  Edit->SetOptions(Edit->GetOptions() + kteoNoCaret);  // no blinking caret in the picture
  SetLines({"Hello world", "second line", "third"});
  Edit->SetRightEdge(20);
  Edit->SetRightEdgeColor(clFuchsia);
  Edit->SetBlockBegin(TPoint(1, 2));
  Edit->SetBlockEnd(TPoint(7, 2));  // "second"
  ::UpdateWindow(Wnd());
  Application->ProcessMessages();
  std::unique_ptr<TBitmap> shot = Capture(Wnd());
  SaveBitmap(*shot, "editwindow_screen.bmp");

  const int cw = Edit->GetCharWidth();
  const int lh = Edit->GetLineHeight();
  const int gw = Edit->GetGutterWidth();
  const int x0 = Edit->GetTextOffset();
  ASSERT_GT(cw, 4);
  ASSERT_GT(lh, 8);
  auto cells = [&](int fromCol, int toCol, int line) {  // columns [fromCol, toCol)
    return TRect(x0 + (fromCol - 1) * cw, (line - 1) * lh, x0 + (toCol - 1) * cw, line * lh);
  };

  // The gutter in the button face colour, its edge light and dark.
  EXPECT_EQ(Count(*shot, TRect(0, 0, gw - 2, 3 * lh), Rgb(clBtnFace)), (gw - 2) * 3 * lh);
  EXPECT_EQ(COLORREF(shot->Pixel(gw - 2, lh * 5)), Rgb(clBtnHighlight));
  EXPECT_EQ(COLORREF(shot->Pixel(gw - 1, lh * 5)), Rgb(clBtnShadow));

  // "Hello": ink on white paper, nothing else.
  const TRect hello = cells(1, 6, 1);
  const int helloInk = Count(*shot, hello, Rgb(clWindowText));
  EXPECT_GT(helloInk, 20);
  EXPECT_GT(Count(*shot, hello, Rgb(clWindow)), hello.Width() * hello.Height() / 2);
  EXPECT_EQ(Count(*shot, hello, Rgb(clHighlight)), 0);
  // Past the end of the first line: paper only.
  const TRect after = cells(12, 19, 1);
  EXPECT_EQ(Count(*shot, after, Rgb(clWindow)), after.Width() * after.Height());

  // "second" selected: the selection's colours; the rest of its line plain.
  const TRect selected = cells(1, 7, 2);
  const int selBack = Count(*shot, selected, Rgb(clHighlight));
  const int selInk = Count(*shot, selected, Rgb(clHighlightText));
  EXPECT_GT(selBack, selected.Width() * selected.Height() / 2);
  EXPECT_GT(selInk, 20);
  EXPECT_EQ(Count(*shot, cells(7, 12, 2), Rgb(clHighlight)), 0);
  EXPECT_GT(Count(*shot, cells(8, 12, 2), Rgb(clWindowText)), 10) << "\"line\" unselected";

  // The right edge after column 20, down the whole window.
  const int edgeX = x0 + 20 * cw;
  EXPECT_EQ(Count(*shot, TRect(edgeX, 0, edgeX + 1, 8 * lh), Rgb(clFuchsia)), 8 * lh);
  EXPECT_EQ(Count(*shot, TRect(edgeX + 1, 4 * lh, edgeX + 40, 8 * lh), Rgb(clWindow)), 39 * 4 * lh);
}

TEST_F(EditWindowTest, AnEditRepaintsItsRowAndScrollingRepaintsWhatCameIntoView) {
  Edit->SetOptions(Edit->GetOptions() + kteoNoCaret);
  std::vector<std::string> lines;
  for (int i = 1; i <= 300; ++i) lines.push_back("row " + std::to_string(i));
  SetLines(lines);
  ::UpdateWindow(Wnd());
  Edit->GetLines()->Put(1, std::string(30, 'W'));
  ::UpdateWindow(Wnd());
  const int lh = Edit->GetLineHeight();
  const int x0 = Edit->GetTextOffset();
  const int cw = Edit->GetCharWidth();
  std::unique_ptr<TBitmap> shot = Capture(Wnd());
  EXPECT_GT(Count(*shot, TRect(x0 + 20 * cw, lh, x0 + 30 * cw, 2 * lh), Rgb(clWindowText)), 20);

  Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 150));
  ASSERT_EQ(Edit->GetTopLine(), 150);
  shot = Capture(Wnd());
  SaveBitmap(*shot, "editwindow_scrolled.bmp");
  // Row 0 now shows "row 150": ink in its first cells, and the long line
  // of W is gone from row 1.
  EXPECT_GT(Count(*shot, TRect(x0, 0, x0 + 7 * cw, lh), Rgb(clWindowText)), 20);
  EXPECT_EQ(Count(*shot, TRect(x0 + 20 * cw, lh, x0 + 30 * cw, 2 * lh), Rgb(clWindowText)), 0);

  // A few lines at a time the window's pixels are moved and only the
  // uncovered rows painted: the result is what a full paint shows.
  for (int i = 0; i < 3; ++i) Send(WM_VSCROLL, SB_LINEDOWN);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  shot = Capture(Wnd());
  ::InvalidateRect(Wnd(), nullptr, FALSE);
  ::UpdateWindow(Wnd());
  std::unique_ptr<TBitmap> full = Capture(Wnd());
  int differing = 0;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x)
      if (shot->Pixel(x, y) != full->Pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
}

}  // namespace
