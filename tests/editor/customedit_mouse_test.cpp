// The mouse as operations on positions: clicking, selecting by dragging with
// auto-scroll on a timer, double clicks, gutter presses on a timer, dragging
// the selection and dropping it (moved or copied, with its change records).
#include "EditFixture.h"

namespace {

// The client point inside the cell of (column, line), with the view at (1, 1).
TPoint Px(int column, int line) { return TPoint(32 + (column - 1) * 8 + 1, (line - 1) * 16 + 2); }

const TShiftState kLeft{ssLeft};

class MouseFixture : public EditFixture {
protected:
  void Down(TPoint p, TShiftState shift = kLeft, TMouseButton button = mbLeft) {
    Edit->MouseDown(button, shift, p.X, p.Y);
  }
  void Move(TPoint p, TShiftState shift = kLeft) { Edit->MouseMove(shift, p.X, p.Y); }
  void Up(TPoint p, TMouseButton button = mbLeft) { Edit->MouseUp(button, TShiftState(), p.X, p.Y); }
};

TEST_F(MouseFixture, APressPlacesTheCaretCollapsesTheSelectionAndCaptures) {
  SetLines({"hello world", "second"});
  Select(TPoint(1, 1), TPoint(2, 2));
  Host.HasFocus = false;
  Down(Px(3, 2));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 2));
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_TRUE(Host.Captured);
  EXPECT_TRUE(Host.HasFocus);
  Up(Px(3, 2));
  EXPECT_FALSE(Host.Captured);
  Down(Px(6, 1), TShiftState{ssLeft, ssShift});  // Shift extends
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(3, 2));
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(6, 1));
  EXPECT_EQ(Edit->GetSelText(), " world\r\nse");
}

TEST_F(MouseFixture, ARightPressWithAPopupMenuKeepsEverything) {
  SetLines({"hello world"});
  Select(TPoint(1, 1), TPoint(6, 1));
  Host.PopupMenu = true;
  Down(Px(9, 1), TShiftState{ssRight}, mbRight);
  Up(Px(9, 1), mbRight);
  EXPECT_EQ(Edit->GetSelText(), "hello");
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
  Host.PopupMenu = false;  // without one the press places the caret, uncaptured
  Down(Px(9, 1), TShiftState{ssRight}, mbRight);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(9, 1));
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_FALSE(Host.Captured);
}

TEST_F(MouseFixture, DraggingInsideTheTextSelects) {
  SetLines({"hello world", "second", "third"});
  Down(Px(2, 1));
  Move(Px(4, 2));
  Move(Px(5, 3));
  Up(Px(5, 3));
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(2, 1));
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(5, 3));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(5, 3));
  Move(Px(1, 1), TShiftState());  // no button: nothing
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(5, 3));
}

TEST_F(MouseFixture, SelectingBelowTheWindowScrollsOnATimerNotInALoop) {
  SetLines(V(100, "abcdef"));
  Down(Px(3, 1));
  Move(TPoint(Px(3, 1).X, 300 + 5));  // just below: one line per step
  EXPECT_EQ(Edit->GetTopLine(), 2);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 19));
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(3, 19));
  EXPECT_EQ(Host.Timers, (std::map<int, int>{{TktCustomEdit::kAutoScrollTimer, 100}}));
  Move(TPoint(Px(3, 1).X, 300 + 6));  // while the timer runs a move only notes the point
  EXPECT_EQ(Edit->GetTopLine(), 2);
  Edit->TimerTick(TktCustomEdit::kAutoScrollTimer);
  EXPECT_EQ(Edit->GetTopLine(), 3);
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(3, 20));

  Move(TPoint(Px(3, 1).X, 300 + 50));  // far below: a window per step, no pause
  Edit->TimerTick(TktCustomEdit::kAutoScrollTimer);
  EXPECT_EQ(Edit->GetTopLine(), 21);
  EXPECT_EQ(Host.Timers[TktCustomEdit::kAutoScrollTimer], 10);

  Move(Px(4, 5));  // back inside: the timer stops, the selection follows
  EXPECT_TRUE(Host.Timers.empty());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 21 + 4));
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(3, 1));
  EXPECT_GE(Host.Updates, 3);  // each step painted at once
}

TEST_F(MouseFixture, SelectingAboveAndBesideTheWindowScrollsThoseWays) {
  SetLines(V(100, std::string(200, 'x')));
  Edit->SetTopLine(50);
  Edit->SetLeftChar(20);
  Down(TPoint(100, 100));
  Edit->MouseMove(kLeft, 100, -5);  // above: one line
  EXPECT_EQ(Edit->GetTopLine(), 49);
  EXPECT_EQ(Edit->GetCaretY(), 49);
  Edit->MouseMove(kLeft, 100, -20);
  Edit->TimerTick(TktCustomEdit::kAutoScrollTimer);  // further above: a window
  EXPECT_EQ(Edit->GetTopLine(), 49 - 18);
  Edit->MouseUp(mbLeft, TShiftState(), 100, -20);
  EXPECT_TRUE(Host.Timers.empty());
  EXPECT_FALSE(Host.Captured);

  Edit->SetBlockBegin(Edit->GetCaretXY());
  Down(TPoint(100, 100));
  Edit->MouseMove(kLeft, 10, 100);  // 20 pixels left of the text: 8 columns
  EXPECT_EQ(Edit->GetLeftChar(), 12);
  EXPECT_EQ(Edit->GetCaretX(), 12);
  Edit->MouseMove(kLeft, 450, 100);
  // Right of the window by 50: 8 columns, and the caret just past the
  // window's last column pulls the view one more.
  Edit->TimerTick(TktCustomEdit::kAutoScrollTimer);
  EXPECT_EQ(Edit->GetCaretX(), 12 + 8 + 46);
  EXPECT_EQ(Edit->GetLeftChar(), 12 + 8 + 1);
  Edit->MouseUp(mbLeft, TShiftState(), 450, 100);
  Edit->TimerTick(TktCustomEdit::kAutoScrollTimer);  // a late tick does nothing
  EXPECT_EQ(Edit->GetLeftChar(), 21);
}

TEST_F(MouseFixture, AGutterPressIsHandledOnItsTimerAfterThePress) {
  SetLines({"a", "b", "c"});
  Edit->SetBookMark(3, 1, 2);
  std::vector<std::string> clicks;
  Edit->OnGutterClick = [&](TObject*, int x, int y, int line, TMark* mark, TShiftState) {
    clicks.push_back(std::to_string(x) + "," + std::to_string(y) + " line " +
                     std::to_string(line) + (mark ? " bookmark " + std::to_string(mark->GetBookmarkNumber()) : ""));
  };
  Edit->MouseDown(mbLeft, kLeft, 5, 20);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(Host.Timers, (std::map<int, int>{{TktCustomEdit::kGutterClickTimer, 0}}));
  Move(Px(3, 3));  // after a gutter press the mouse selects nothing
  EXPECT_FALSE(Edit->SelAvail());
  Edit->MouseUp(mbLeft, TShiftState(), 5, 20);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
  Edit->TimerTick(TktCustomEdit::kGutterClickTimer);
  EXPECT_EQ(clicks, V{"5,20 line 2 bookmark 3"});
  EXPECT_TRUE(Host.Timers.empty());
  Edit->TimerTick(TktCustomEdit::kGutterClickTimer);  // once only
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MouseFixture, ADoubleClickSelectsTheWordAndTheReleaseKeepsIt) {
  SetLines({"hello world"});
  Down(Px(8, 1));
  Up(Px(8, 1));
  Down(Px(8, 1), TShiftState{ssLeft, ssDouble});  // the second press is the double click's
  Edit->DblClick(Px(8, 1).X, Px(8, 1).Y);
  EXPECT_EQ(Edit->GetSelText(), "world");
  EXPECT_FALSE(Host.Captured);
  Up(Px(8, 1));
  EXPECT_EQ(Edit->GetSelText(), "world");
  Edit->SetCaretXY(TPoint(2, 1));
  Edit->DblClick(20, 5);  // in the gutter: nothing
  EXPECT_EQ(Edit->GetSelText(), "world");
}

TEST_F(MouseFixture, APressInsideTheSelectionWaitsForTheDragDistance) {
  SetLines({"hello world"});
  Select(TPoint(1, 1), TPoint(6, 1));
  const TPoint p = Px(3, 1);
  Down(p);
  EXPECT_EQ(Edit->GetSelText(), "hello");  // kept for dragging
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 1));
  Move(TPoint(p.X + 1, p.Y + 1));
  EXPECT_EQ(Host.DragsBegun, 0);
  EXPECT_EQ(Edit->GetSelText(), "hello");
  Move(TPoint(p.X + 10, p.Y));
  EXPECT_EQ(Host.DragsBegun, 1);
  Move(TPoint(p.X + 20, p.Y));
  EXPECT_EQ(Host.DragsBegun, 1);

  Down(p);  // released without dragging: the selection collapses there
  Up(TPoint(p.X + 1, p.Y));
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 1));

  Select(TPoint(1, 1), TPoint(6, 1));
  Edit->SetReadOnly(true);  // read-only text is never dragged
  Down(p);
  Move(TPoint(p.X + 30, p.Y));
  EXPECT_EQ(Host.DragsBegun, 1);
}

TEST_F(MouseFixture, TheCursorShowsWhatAPressWouldDo) {
  SetLines({"hello world"});
  Select(TPoint(1, 1), TPoint(6, 1));
  EXPECT_EQ(Edit->GetCursorAt(10, 5), kcGutter);
  EXPECT_EQ(Edit->GetCursorAt(Px(2, 1).X, Px(2, 1).Y), kcArrow);
  EXPECT_EQ(Edit->GetCursorAt(Px(8, 1).X, Px(8, 1).Y), kcIBeam);
  Edit->SetOptions(Edit->GetOptions() - kteoDragDropEditing);
  EXPECT_EQ(Edit->GetCursorAt(Px(2, 1).X, Px(2, 1).Y), kcIBeam);
}

// --- dropping dragged text -------------------------------------------------------------

struct TDropCase {
  const char* Name;
  V Text;
  TSelectionMode Mode;
  TPoint Anchor, End;
  TPoint Drop;
  bool Copy;
  V Expected;
  TPoint SelBegin, SelEnd;
};
// Test names list the case by name, not as the bytes of the struct.
void PrintTo(const TDropCase& c, std::ostream* os) { *os << c.Name; }

class DropText : public EditFixture, public ::testing::WithParamInterface<TDropCase> {};

TEST_P(DropText, MovesOrCopiesTheSelectionToTheDropPoint) {
  const TDropCase& c = GetParam();
  SetLines(c.Text);
  Select(c.Anchor, c.End, c.Mode);
  Edit->DropSelection(c.Drop, c.Copy);
  EXPECT_EQ(Lines(), c.Expected);
  EXPECT_EQ(Edit->GetBlockBegin(), c.SelBegin);
  EXPECT_EQ(Edit->GetBlockEnd(), c.SelEnd);
  EXPECT_EQ(Edit->GetSelectionMode(), c.Mode);
}

const std::string kLong = std::string(49, 'a') + "0123456789zz";

INSTANTIATE_TEST_SUITE_P(
    Table, DropText,
    ::testing::Values(
        TDropCase{"ForwardOnTheLine", {"hello world"}, smNormal, TPoint(1, 1), TPoint(6, 1),
                  TPoint(12, 1), false, {" worldhello"}, TPoint(7, 1), TPoint(12, 1)},
        TDropCase{"BackwardOnTheLine", {"hello world"}, smNormal, TPoint(7, 1), TPoint(12, 1),
                  TPoint(1, 1), false, {"worldhello "}, TPoint(1, 1), TPoint(6, 1)},
        TDropCase{"DownOverLines", {"abc", "def", "ghi"}, smNormal, TPoint(2, 1), TPoint(2, 2),
                  TPoint(2, 3), false, {"aef", "gbc", "dhi"}, TPoint(2, 2), TPoint(2, 3)},
        TDropCase{"OnTheSelectionsLastLine", {"abc", "def"}, smNormal, TPoint(2, 1), TPoint(2, 2),
                  TPoint(3, 2), false, {"aebc", "df"}, TPoint(3, 1), TPoint(2, 2)},
        // Compared as (line, column): a column far right on the line above is
        // still before a column near the left on the line below.
        TDropCase{"NextLineLeftOfALongSelection", {kLong, "second"}, smNormal, TPoint(50, 1),
                  TPoint(60, 1), TPoint(5, 2), false,
                  {std::string(49, 'a') + "zz", "seco0123456789nd"}, TPoint(5, 2), TPoint(15, 2)},
        TDropCase{"PastTheLineEnd", {"ab", "cd"}, smNormal, TPoint(1, 1), TPoint(2, 1),
                  TPoint(5, 2), false, {"b", "cd  a"}, TPoint(5, 2), TPoint(6, 2)},
        TDropCase{"InsideDoesNothing", {"hello world"}, smNormal, TPoint(1, 1), TPoint(6, 1),
                  TPoint(3, 1), false, {"hello world"}, TPoint(1, 1), TPoint(6, 1)},
        TDropCase{"OnTheEndDoesNothing", {"hello world"}, smNormal, TPoint(1, 1), TPoint(6, 1),
                  TPoint(6, 1), false, {"hello world"}, TPoint(1, 1), TPoint(6, 1)},
        TDropCase{"CopyInsideDoesNothing", {"hello world"}, smNormal, TPoint(1, 1), TPoint(6, 1),
                  TPoint(2, 1), true, {"hello world"}, TPoint(1, 1), TPoint(6, 1)},
        TDropCase{"CopyOntoTheEnd", {"hello world"}, smNormal, TPoint(1, 1), TPoint(6, 1),
                  TPoint(6, 1), true, {"hellohello world"}, TPoint(6, 1), TPoint(11, 1)},
        TDropCase{"ColumnRightOnItsRows", {"abcdef", "ghijkl", "mnop"}, smColumn, TPoint(2, 1),
                  TPoint(4, 2), TPoint(5, 2), false, {"adef", "gjbckl", "mnhiop"}, TPoint(3, 2),
                  TPoint(5, 3)},
        TDropCase{"ColumnInsideDoesNothing", {"abcdef", "ghijkl"}, smColumn, TPoint(2, 1),
                  TPoint(4, 2), TPoint(3, 2), false, {"abcdef", "ghijkl"}, TPoint(2, 1),
                  TPoint(4, 2)},
        TDropCase{"LinesDown", {"1", "2", "3", "4"}, smLine, TPoint(1, 1), TPoint(1, 2),
                  TPoint(3, 4), false, {"3", "1", "2", "4"}, TPoint(1, 2), TPoint(2, 3)},
        TDropCase{"LinesUpCopied", {"1", "2", "3", "4"}, smLine, TPoint(1, 3), TPoint(1, 4),
                  TPoint(1, 1), true, {"3", "4", "1", "2", "3", "4"}, TPoint(1, 1), TPoint(2, 2)},
        TDropCase{"LinesInsideDoesNothing", {"1", "2", "3"}, smLine, TPoint(1, 1), TPoint(1, 2),
                  TPoint(1, 2), false, {"1", "2", "3"}, TPoint(1, 1), TPoint(1, 2)}),
    [](const ::testing::TestParamInfo<TDropCase>& info) { return std::string(info.param.Name); });

TEST_F(EditFixture, AMovedDropRecordsItsDeleteAndInsertForExactReplay) {
  SetLines({"abc", "def", "ghi"});
  Select(TPoint(2, 1), TPoint(2, 2));
  Edit->DropSelection(TPoint(2, 3), false);
  const TUndoList& undo = Edit->GetUndoList();
  ASSERT_EQ(undo.GetCount(), 2);
  EXPECT_EQ(undo.Peek(1)->Reason, ktcrDragDropDelete);
  EXPECT_EQ(undo.Peek(1)->StartPos, TPoint(2, 1));
  EXPECT_EQ(undo.Peek(1)->EndPos, TPoint(2, 2));
  EXPECT_EQ(undo.Peek(1)->ChangeText, "bc\r\nd");
  EXPECT_EQ(undo.Peek(0)->Reason, ktcrDragDropInsert);
  EXPECT_EQ(undo.Peek(0)->StartPos, TPoint(2, 2));
  EXPECT_EQ(undo.Peek(0)->EndPos, TPoint(2, 3));
  EXPECT_TRUE(Edit->GetModified());

  // A line block's insert spans its lines as normal text, from column 1 to
  // column 1 after them.
  SetLines({"1", "2", "3", "4"});
  Select(TPoint(1, 1), TPoint(1, 2), smLine);
  Edit->DropSelection(TPoint(1, 4), false);
  EXPECT_EQ(undo.Peek(0)->StartPos, TPoint(1, 2));
  EXPECT_EQ(undo.Peek(0)->EndPos, TPoint(1, 4));
  EXPECT_EQ(undo.Peek(0)->SelMode, smNormal);
  EXPECT_EQ(undo.Peek(1)->ChangeText, "1\r\n2\r\n");
  EXPECT_EQ(undo.Peek(1)->SelMode, smLine);

  Select(TPoint(1, 1), TPoint(1, 2), smNormal);  // a copy records only its insert
  const int before = undo.GetCount();
  Edit->DropSelection(TPoint(1, 4), true);
  EXPECT_EQ(undo.GetCount(), before + 1);
  EXPECT_EQ(undo.Peek(0)->Reason, ktcrDragDropInsert);
}

TEST_F(EditFixture, ADropFarToTheRightStopsAtTheColumnLimit) {
  for (TSelectionMode mode : {smNormal, smColumn}) {
    SCOPED_TRACE(int(mode));
    SetLines({"hello world", "x"});
    Select(TPoint(1, 1), TPoint(6, 1), mode);
    Edit->DropSelection(TPoint(1073741823, 2), true);
    const int limit = Edit->GetMaxLeftChar();
    EXPECT_EQ(Lines()[1], "x" + std::string(size_t(limit - 2), ' ') + "hello");
    EXPECT_LE(Edit->GetBlockEnd().X, limit + 5);
  }
}

TEST_F(EditFixture, NothingIsDroppedIntoReadOnlyTextOrWithoutASelection) {
  SetLines({"hello world"});
  Edit->DropSelection(TPoint(8, 1), false);
  Select(TPoint(1, 1), TPoint(6, 1));
  Edit->SetReadOnly(true);
  Edit->DropSelection(TPoint(8, 1), false);
  EXPECT_EQ(Lines(), V{"hello world"});
  EXPECT_EQ(Edit->GetUndoList().GetCount(), 0);
}

TEST_F(MouseFixture, DraggingOverMovesTheCaretAndADropLandsAtThePixel) {
  SetLines({"hello world"});
  Select(TPoint(1, 1), TPoint(6, 1));
  Down(Px(2, 1));
  TktCursorKind cursor = kcIBeam;
  EXPECT_TRUE(Edit->DragOver(Px(9, 1).X, Px(9, 1).Y, kdsDragMove, TShiftState(), cursor));
  EXPECT_EQ(cursor, kcDrag);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(9, 1));
  Edit->DragOver(Px(10, 1).X, Px(10, 1).Y, kdsDragMove, TShiftState{ssCtrl}, cursor);
  EXPECT_EQ(cursor, kcMultiDrag);
  Edit->DragOver(500, 500, kdsDragLeave, TShiftState(), cursor);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 1));  // back to the press point
  Edit->DragDrop(Px(12, 1).X, Px(12, 1).Y, TShiftState{ssCtrl});
  EXPECT_EQ(Lines(), V{"hello worldhello"});

  Edit->SetOptions(Edit->GetOptions() - kteoDragDropEditing);
  EXPECT_FALSE(Edit->DragOver(Px(9, 1).X, Px(9, 1).Y, kdsDragMove, TShiftState(), cursor));
}

}  // namespace
