// Caret and view: where the caret may stand, keeping it in view, scroll bars
// (scaled above 32767 lines), scroll messages, the wheel, the screen caret
// and the rows invalidated while the line list changes.
#include <algorithm>

#include "EditFixture.h"
#include "platform/RecordingCanvas.h"

namespace {

struct TCaretCase {
  const char* Name;
  bool ScrollPastEol;
  TPoint Target;
  TPoint Expected;
};
// Test names list the case by name, not as the bytes of the struct.
void PrintTo(const TCaretCase& c, std::ostream* os) { *os << c.Name; }

class CaretClamp : public EditFixture, public ::testing::WithParamInterface<TCaretCase> {};

TEST_P(CaretClamp, SetCaretXYClampsToTheText) {
  std::vector<std::string> lines(10, "12345");
  lines[2] = std::string(3000, 'x');  // longer than MaxLeftChar
  SetLines(lines);
  const TCaretCase& c = GetParam();
  TktEditorOptions options = Edit->GetOptions();
  Edit->SetOptions(c.ScrollPastEol ? options + kteoScrollPastEol : options - kteoScrollPastEol);
  Edit->SetCaretXY(c.Target);
  EXPECT_EQ(Edit->GetCaretXY(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaretClamp,
    ::testing::Values(TCaretCase{"PastTheEnd", false, TPoint(100, 1), TPoint(6, 1)},
                      TCaretCase{"PastTheEndVirtual", true, TPoint(100, 1), TPoint(100, 1)},
                      TCaretCase{"VirtualStopsAfterMaxLeftChar", true, TPoint(5000, 1), TPoint(1025, 1)},
                      TCaretCase{"LineZero", false, TPoint(1, 0), TPoint(1, 1)},
                      TCaretCase{"BelowTheText", false, TPoint(1, 1000), TPoint(1, 10)},
                      TCaretCase{"ColumnBelowOne", true, TPoint(-3, 2), TPoint(1, 2)},
                      // MaxLeftChar limits only blank space: real text stays reachable.
                      TCaretCase{"LongLine", false, TPoint(2500, 3), TPoint(2500, 3)},
                      TCaretCase{"LongLineEnd", false, TPoint(9999, 3), TPoint(3001, 3)},
                      TCaretCase{"LongLineVirtual", true, TPoint(9999, 3), TPoint(3001, 3)}),
    [](const ::testing::TestParamInfo<TCaretCase>& info) { return std::string(info.param.Name); });

TEST_F(EditFixture, CaretAndLinePropertiesKeepTheOtherCoordinate) {
  SetLines({"abcdef", "abcdef"});
  Edit->SetCaretXY(TPoint(4, 1));
  Edit->SetCaretY(2);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 2));
  Edit->SetCaretX(2);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 2));
}

TEST_F(EditFixture, ACaretMoveReportsItsPartsAndFiresSelectionChange) {
  SetLines({"abc", "def"});
  int selectionChanges = 0;
  Edit->OnSelectionChange = [&](TObject*) { ++selectionChanges; };
  Edit->SetCaretXY(TPoint(2, 1));
  Edit->SetCaretXY(TPoint(2, 2));
  Edit->SetCaretXY(TPoint(3, 1));
  Edit->SetCaretXY(TPoint(3, 1));  // no move: nothing
  EXPECT_EQ(Statuses, (std::vector<int>{2, 4, 2 | 4}));
  EXPECT_EQ(selectionChanges, 3);
}

TEST_F(EditFixture, TheViewFollowsTheCaretAndScrollsByRowsWhenItCan) {
  SetLines(V(200, "x"));
  Edit->SetCaretXY(TPoint(1, 19));  // one row below the window
  EXPECT_EQ(Edit->GetTopLine(), 2);
  EXPECT_EQ(Host.CallsStartingWith("scroll"), V{"scroll 0,-16"});
  Host.ClearLog();
  Edit->SetCaretXY(TPoint(1, 150));  // further than a window: repaint all
  EXPECT_EQ(Edit->GetTopLine(), 150 - 18 + 1);
  EXPECT_TRUE(Host.CallsStartingWith("scroll").empty());
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)});
  Edit->SetCaretXY(TPoint(1, 5));
  EXPECT_EQ(Edit->GetTopLine(), 5);
  EXPECT_EQ(Statuses.back() & 16, 16);
}

TEST_F(EditFixture, UnderThePaintLockTheWindowScrollsOnceWhenTheLockEnds) {
  SetLines(V(200, "x"));
  Edit->BeginUpdate();
  Edit->SetCaretXY(TPoint(1, 19));
  Edit->SetCaretXY(TPoint(1, 20));
  Edit->InvalidateLine(20);  // drawn in the new top line's terms
  Edit->SetCaretXY(TPoint(1, 21));
  EXPECT_EQ(Edit->GetTopLine(), 4);
  EXPECT_TRUE(Host.CallsStartingWith("scroll").empty());
  EXPECT_TRUE(Host.Invalidated.empty());
  Edit->EndUpdate();
  // One move of three rows, then the row that waited, where it stands now.
  const std::vector<std::string> calls = Host.Calls;
  const auto scroll = std::find(calls.begin(), calls.end(), "scroll 0,-48");
  ASSERT_NE(scroll, calls.end());
  EXPECT_EQ(Host.CallsStartingWith("scroll"), V{"scroll 0,-48"});
  const auto row = std::find(scroll, calls.end(), "invalidate 0,256,400,272");
  EXPECT_NE(row, calls.end()) << "line 20 is row 16 (0-based) once line 4 is on top";

  // Moved far, or there and back: one full repaint, or nothing at all.
  Host.ClearLog();
  Edit->BeginUpdate();
  Edit->SetCaretXY(TPoint(1, 150));
  Edit->SetCaretXY(TPoint(1, 151));
  Edit->EndUpdate();
  EXPECT_TRUE(Host.CallsStartingWith("scroll").empty());
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)});
  Host.ClearLog();
  const int top = Edit->GetTopLine();
  Edit->BeginUpdate();
  Edit->SetTopLine(top + 5);
  Edit->SetTopLine(top);
  Edit->EndUpdate();
  EXPECT_TRUE(Host.CallsStartingWith("scroll").empty());
  EXPECT_TRUE(Host.Invalidated.empty());
}

TEST_F(EditFixture, APaintWhileTheScrollWaitsRepaintsTheWholeWindowAfterwards) {
  SetLines(V(200, "x"));
  Edit->BeginUpdate();
  Edit->SetCaretXY(TPoint(1, 20));
  TRecordingCanvas canvas(TRect(0, 0, 400, 16));
  Edit->Paint(canvas);  // e.g. a message box pumped messages meanwhile
  Edit->EndUpdate();
  EXPECT_TRUE(Host.CallsStartingWith("scroll").empty()) << "the painted row would move";
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)});
}

TEST_F(EditFixture, LeftCharFollowsTheCaretBeyondMaxLeftCharOnLongLines) {
  SetLines({std::string(3000, 'x'), "short"});
  Edit->SetOptions(Edit->GetOptions() - kteoScrollPastEol);
  Edit->SetCaretXY(TPoint(3001, 1));
  EXPECT_EQ(Edit->GetLeftChar(), 3001 - 46 + 1);
  EXPECT_EQ(Host.ScrollBars[ksbHorizontal],
            (TktRecordingEditHost::TScrollBarState{1, 3001, 46, 2956, true}));
  Host.ClearLog();
  Edit->SetLeftChar(8);
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(30, 0, 400, 300)});  // the text area
  EXPECT_EQ(Statuses.back(), 8);
  Edit->SetCaretXY(TPoint(1, 2));
  EXPECT_EQ(Edit->GetLeftChar(), 1);
  EXPECT_EQ(Host.ScrollBars[ksbHorizontal].Max, 1024);
}

TEST_F(EditFixture, EnsureCursorPosVisibleScrollsBothWays) {
  SetLines(V(100, std::string(200, 'x')));
  Edit->SetTopLine(50);
  Edit->SetLeftChar(100);
  Edit->SetCaretXY(TPoint(120, 60));  // already in view: nothing moves
  EXPECT_EQ(Edit->GetTopLine(), 50);
  EXPECT_EQ(Edit->GetLeftChar(), 100);
  Edit->SetTopLine(1);
  Edit->SetLeftChar(1);
  Edit->EnsureCursorPosVisible();
  EXPECT_EQ(Edit->GetTopLine(), 60 - 18 + 1);
  EXPECT_EQ(Edit->GetLeftChar(), 120 - 46 + 1);
}

// --- scroll bars ---------------------------------------------------------------------

TEST_F(EditFixture, SmallTextsGetAnUnscaledVerticalBar) {
  SetLines(V(100, "x"));
  Edit->SetTopLine(30);
  EXPECT_EQ(Host.ScrollBars[ksbVertical], (TktRecordingEditHost::TScrollBarState{1, 117, 18, 30, true}));
  Edit->VScroll(kscThumbTrack, 42);
  EXPECT_EQ(Edit->GetTopLine(), 42);
}

TEST_F(EditFixture, LargeTextsGetAScaledVerticalBarAndTheThumbScalesBack) {
  SetLines(V(40000, "x"));
  Edit->SetTopLine(20000);
  const int n = 40000 + 18 - 1;
  EXPECT_EQ(Host.ScrollBars[ksbVertical],
            (TktRecordingEditHost::TScrollBarState{0, 32767, (32767 * 18 + n / 2) / n,
                                                   int((32767LL * 20000 + n / 2) / n), true}));
  Edit->VScroll(kscThumbTrack, 16384);
  EXPECT_EQ(Edit->GetTopLine(), int((int64_t(n) * 16384 + 32767 / 2) / 32767));
  Edit->VScroll(kscThumbPosition, 32767);
  EXPECT_EQ(Edit->GetTopLine(), 40000);  // clamped to the last line
}

TEST_F(EditFixture, TheThumbIsScaledBackWheneverTheBarWasScaled) {
  // 32760 lines: fewer than 32767, but the bar's range (lines plus a window)
  // is scaled, so its positions must be scaled back too.
  SetLines(V(32760, "x"));
  const int n = 32760 + 18 - 1;
  ASSERT_EQ(Host.ScrollBars[ksbVertical].Max, 32767);
  Edit->VScroll(kscThumbTrack, 32767);
  EXPECT_EQ(Edit->GetTopLine(), std::min(32760, n));
  Edit->VScroll(kscThumbTrack, 16000);
  EXPECT_EQ(Edit->GetTopLine(), int((int64_t(n) * 16000 + 32767 / 2) / 32767));
}

TEST_F(EditFixture, ScrollMessagesMoveTheViewByTheirCodes) {
  SetLines(V(100, std::string(300, 'x')));
  struct TCase {
    TktScrollCode Code;
    int Pos;
    int ExpectedTop;
    int ExpectedLeft;
  };
  Edit->SetTopLine(50);
  Edit->SetLeftChar(50);
  const TCase cases[] = {
      {kscLineDown, 0, 51, 51}, {kscLineUp, 0, 50, 50},       {kscPageDown, 0, 68, 96},
      {kscPageUp, 0, 50, 50},   {kscThumbTrack, 7, 7, 7},      {kscBottom, 0, 100, 1024 - 46 + 1},
      {kscTop, 0, 1, 1},        {kscThumbPosition, 60, 60, 60}, {kscEndScroll, 0, 60, 60},
  };
  for (const TCase& c : cases) {
    Edit->VScroll(c.Code, c.Pos);
    Edit->HScroll(c.Code, c.Pos);
    EXPECT_EQ(Edit->GetTopLine(), c.ExpectedTop) << int(c.Code);
    EXPECT_EQ(Edit->GetLeftChar(), c.ExpectedLeft) << int(c.Code);
  }
  EXPECT_EQ(Host.Updates, 9);  // every vertical message repaints at once
}

TEST_F(EditFixture, ThumbTrackingShowsTheTopLineHintUntilScrollingEnds) {
  SetLines(V(100, "x"));
  Edit->VScroll(kscThumbTrack, 37);
  EXPECT_TRUE(Host.HintVisible);
  EXPECT_EQ(Host.HintText, "TopLine: 37");
  EXPECT_EQ(Host.HintPoint, TPoint(396, 10));
  Edit->VScroll(kscEndScroll, 0);
  EXPECT_FALSE(Host.HintVisible);
  Edit->SetOptions(Edit->GetOptions() - kteoShowScrollHint);
  Edit->VScroll(kscThumbTrack, 20);
  EXPECT_FALSE(Host.HintVisible);
}

// --- the wheel ------------------------------------------------------------------------

TEST_F(EditFixture, WheelNotchesAddUpAndScrollByTheSystemSetting) {
  SetLines(V(200, "x"));
  Edit->SetTopLine(100);
  Edit->MouseWheel(-60, TShiftState());
  EXPECT_EQ(Edit->GetTopLine(), 100);
  Edit->MouseWheel(-60, TShiftState());  // two halves make a notch
  EXPECT_EQ(Edit->GetTopLine(), 103);
  Edit->MouseWheel(240, TShiftState());
  EXPECT_EQ(Edit->GetTopLine(), 97);
  Edit->MouseWheel(120, TShiftState{ssCtrl});  // a page
  EXPECT_EQ(Edit->GetTopLine(), 79);
  Edit->SetOptions(Edit->GetOptions() + kteoHalfPageScroll);
  Edit->MouseWheel(120, TShiftState{ssCtrl});
  EXPECT_EQ(Edit->GetTopLine(), 70);
  Host.WheelScrollLines = -1;  // "one page per notch"
  Edit->MouseWheel(-120, TShiftState());
  EXPECT_EQ(Edit->GetTopLine(), 88);
  Host.WheelScrollLines = 50;  // more than a window is a window
  Edit->MouseWheel(-120, TShiftState());
  EXPECT_EQ(Edit->GetTopLine(), 106);
  EXPECT_GE(Host.Updates, 6);
}

// --- coordinates ----------------------------------------------------------------------

TEST_F(EditFixture, PixelsAndTextPositionsConvertBothWays) {
  SetLines(V(100, std::string(100, 'x')));
  Edit->SetTopLine(10);
  Edit->SetLeftChar(5);
  struct TCase {
    int X, Y;
    TPoint Expected;
  };
  // Column 5 starts at x = 32; a click in a cell's right half goes after it.
  const TCase cases[] = {
      {32, 0, TPoint(5, 10)},  {35, 15, TPoint(5, 10)}, {36, 16, TPoint(6, 11)},
      {39, 40, TPoint(6, 12)}, {28, 0, TPoint(5, 10)},  {27, 0, TPoint(4, 10)},
      {0, -20, TPoint(1, 9)},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Edit->PixelsToRowColumn(c.X, c.Y), c.Expected) << c.X << "," << c.Y;
  EXPECT_EQ(Edit->RowColumnToPixels(TPoint(5, 10)), TPoint(32, 1));
  EXPECT_EQ(Edit->RowColumnToPixels(TPoint(7, 12)), TPoint(48, 33));
}

// --- the screen caret --------------------------------------------------------------------

TEST_F(EditFixture, TheScreenCaretTakesItsShapeFromTheModeAndType) {
  struct TCase {
    TCaretType Type;
    TSize Size;
    TPoint Pos;  // of the caret at (1, 1)
  };
  const TCase cases[] = {
      {ctVerticalLine, TSize(2, 14), TPoint(31, 1)},
      {ctHorizontalLine, TSize(8, 2), TPoint(32, 15)},
      {ctHalfBlock, TSize(8, 7), TPoint(32, 8)},
      {ctBlock, TSize(8, 14), TPoint(32, 1)},
  };
  Edit->SetInsertCaret(ctBlock);
  Edit->SetOverwriteCaret(ctBlock);
  for (const TCase& c : cases) {
    Edit->SetInsertMode(false);
    Edit->SetOverwriteCaret(c.Type);
    EXPECT_EQ(Host.CaretSize, c.Size) << int(c.Type);
    EXPECT_EQ(Host.CaretPos, c.Pos) << int(c.Type);
    EXPECT_TRUE(Host.CaretVisible);
    Edit->SetInsertMode(true);
    Edit->SetInsertCaret(c.Type);
    EXPECT_EQ(Host.CaretSize, c.Size) << int(c.Type);
  }
}

TEST_F(EditFixture, TheScreenCaretHidesOutsideTheTextAreaAndWithNoCaret) {
  SetLines({std::string(100, 'x')});
  Edit->FocusEnter();
  EXPECT_TRUE(Host.CaretVisible);
  Edit->SetLeftChar(10);  // the caret's column scrolled out to the left
  EXPECT_FALSE(Host.CaretVisible);
  Edit->SetLeftChar(1);
  EXPECT_TRUE(Host.CaretVisible);
  Edit->SetOptions(Edit->GetOptions() + kteoNoCaret);
  EXPECT_FALSE(Host.CaretVisible);
  Edit->SetCaretXY(TPoint(3, 1));
  EXPECT_FALSE(Host.CaretVisible);
  EXPECT_EQ(Host.CaretPos, TPoint(47, 1));  // still placed, for the input method
}

TEST_F(EditFixture, FocusMakesAndDestroysTheCaretAndRepaintsAHiddenSelection) {
  SetLines({"abc"});
  Select(TPoint(1, 1), TPoint(3, 1));
  Edit->SetHideSelection(true);
  Host.ClearLog();
  Host.HasFocus = false;
  Edit->FocusExit();
  EXPECT_FALSE(Host.CaretCreated);
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)});
  Edit->SetCaretXY(TPoint(2, 1));  // no caret updates without the focus
  EXPECT_TRUE(Host.CallsStartingWith("caretpos").empty());
  Host.HasFocus = true;
  Edit->FocusEnter();
  EXPECT_TRUE(Host.CaretCreated);
  EXPECT_TRUE(Host.CaretVisible);
  EXPECT_EQ(Host.CaretPos, TPoint(39, 1));
}

// --- invalidation --------------------------------------------------------------------------

TEST_F(EditFixture, RowsInvalidatedDuringAListChangeArriveAsOneRectangle) {
  SetLines(V(30, "abc"));
  Edit->GetLines()->BeginUpdate();
  Edit->GetLines()->Put(2, "x");    // row of line 3
  Edit->GetLines()->Put(5, "y");    // row of line 6
  Edit->GetLines()->Put(25, "z");   // not in the window
  EXPECT_TRUE(Host.Invalidated.empty());
  Edit->GetLines()->EndUpdate();
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(30, 32, 400, 96)});
}

TEST_F(EditFixture, RowsWaitingForTheListChangeMoveWhenTheWindowScrolls) {
  SetLines(V(30, "abc"));
  Edit->GetLines()->BeginUpdate();
  Edit->GetLines()->Put(17, "changed");  // line 18: the window's last full row
  Edit->SetTopLine(2);                    // scrolls the pixels one row up
  Edit->GetLines()->EndUpdate();
  EXPECT_EQ(Host.CallsStartingWith("scroll"), V{"scroll 0,-16"});
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(30, 256, 400, 272)});
}

TEST_F(EditFixture, InvalidationTableOfRowsAndAreas) {
  SetLines(V(100, "abc"));
  Edit->SetTopLine(10);
  Host.ClearLog();
  Edit->InvalidateLines(12, 11);
  Edit->InvalidateGutterLines(9, 10);  // clipped to the first visible row
  Edit->InvalidateLine(28);            // the partly visible last row
  Edit->InvalidateLine(29);            // below the window: nothing
  Edit->InvalidateLines(-1, -1);
  Edit->InvalidateGutterLines(-1, -1);
  EXPECT_EQ(Host.Invalidated,
            (std::vector<TRect>{TRect(30, 16, 400, 48), TRect(0, 0, 30, 16), TRect(0, 288, 400, 304),
                                TRect(30, 0, 400, 300), TRect(0, 0, 30, 300)}));
  Host.Visible = false;
  Host.ClearLog();
  Edit->InvalidateLines(10, 12);
  EXPECT_TRUE(Host.Invalidated.empty());
}

TEST_F(EditFixture, AListChangeCollapsesTheSelectionAndUpdatesTheBars) {
  SetLines(V(5, "abc"));
  Select(TPoint(1, 1), TPoint(3, 2));
  Edit->SetCaretXY(TPoint(2, 3));
  Host.ClearLog();
  Edit->GetLines()->Add("new");
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(2, 3));
  EXPECT_EQ(Host.ScrollBars[ksbVertical].Max, 6 + 18 - 1);
}

TEST_F(EditFixture, ClearingTheLinesResetsCaretSelectionAndView) {
  SetLines(V(100, std::string(100, 'x')));
  Edit->SetCaretXY(TPoint(90, 80));
  Select(TPoint(1, 70), TPoint(5, 75));
  Edit->ClearLines();
  EXPECT_EQ(Lines(), V{""});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
  EXPECT_EQ(Edit->GetTopLine(), 1);
  EXPECT_EQ(Edit->GetLeftChar(), 1);
  EXPECT_FALSE(Edit->SelAvail());
}

TEST_F(EditFixture, LinesTakenFromUnderTheCaretLeaveItOnTheLastLine) {
  SetLines(V(10, "abc"));
  Edit->SetCaretXY(TPoint(2, 10));
  Edit->GetLines()->Delete(9);
  Edit->GetLines()->Delete(8);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 8));
}

}  // namespace
