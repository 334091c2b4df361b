// Bookmarks and marks: the ten numbered slots, the host's veto, the marks of
// a line, the gutter-click hit test, and how marks follow removed and
// inserted lines (never above line 1).
#include "EditFixture.h"

namespace {

class MarksFixture : public EditFixture {
protected:
  void SetUp() override {
    EditFixture::SetUp();
    SetLines(V(10, "line"));
  }
  TMark* AddMark(int line, int image = 0) {
    auto mark = std::make_unique<TMark>(Edit.get());
    mark->SetLine(line);
    mark->SetImage(image);
    mark->SetVisible(true);
    return Edit->GetMarks()->Add(std::move(mark));
  }
  std::vector<int> MarkLines() const {
    std::vector<int> r;
    for (int i = 0; i < Edit->GetMarks()->GetCount(); ++i) r.push_back(Edit->GetMarks()->GetItem(i)->GetLine());
    return r;
  }
};

TEST_F(MarksFixture, ABookmarkIsAMarkInItsSlotAndInTheList) {
  Edit->SetBookMark(2, 7, 4);
  TMark* mark = Edit->GetBookMarkSlot(2);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->GetLine(), 4);
  EXPECT_EQ(mark->GetColumn(), 7);
  EXPECT_EQ(mark->GetImageIndex(), 2);
  EXPECT_EQ(mark->GetBookmarkNumber(), 2);
  EXPECT_TRUE(mark->GetVisible());
  EXPECT_TRUE(mark->IsBookmark());
  EXPECT_EQ(mark->GetEdit(), Edit.get());
  EXPECT_EQ(Edit->GetMarks()->IndexOf(mark), 0);
  int x = 0, y = 0;
  EXPECT_TRUE(Edit->GetBookMark(2, x, y));
  EXPECT_EQ(TPoint(x, y), TPoint(7, 4));
  EXPECT_TRUE(Edit->IsBookMark(2));
  EXPECT_FALSE(Edit->IsBookMark(3));
  EXPECT_EQ(Host.Invalidated.back(), TRect(0, 0, 30, 300));  // the gutter repaints
}

TEST_F(MarksFixture, OneBookmarkPerLineAndOneLinePerBookmark) {
  Edit->SetBookMark(4, 1, 3);
  Edit->SetBookMark(1, 1, 3);  // replaces bookmark 4 on that line
  EXPECT_FALSE(Edit->IsBookMark(4));
  EXPECT_EQ(Edit->GetBookMarkSlot(4), nullptr);
  Edit->SetBookMark(1, 2, 6);  // moves bookmark 1
  EXPECT_EQ(Edit->GetMarks()->GetCount(), 1);
  EXPECT_EQ(Edit->GetBookMarkSlot(1)->GetLine(), 6);
  Edit->ClearBookMark(1);
  EXPECT_EQ(Edit->GetMarks()->GetCount(), 0);
  Edit->ClearBookMark(1);  // nothing left to clear
}

TEST_F(MarksFixture, OutOfRangeNumbersAndLinesPlaceNothing) {
  for (int number : {-1, 10, 99}) Edit->SetBookMark(number, 1, 2);
  for (int line : {0, 11, -4}) Edit->SetBookMark(0, 1, line);
  EXPECT_EQ(Edit->GetMarks()->GetCount(), 0);
  Edit->ClearBookMark(-1);
  Edit->GotoBookMark(12);
  EXPECT_EQ(Edit->GetBookMarkSlot(-3), nullptr);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

TEST_F(MarksFixture, ThePlaceBookmarkHandlerMayAlterOrRefuse) {
  Edit->OnPlaceBookmark = [](TObject*, std::unique_ptr<TMark>& mark) {
    if (mark->GetBookmarkNumber() == 5)
      mark.reset();
    else
      mark->SetColumn(3);
  };
  Edit->SetBookMark(5, 1, 2);
  EXPECT_FALSE(Edit->IsBookMark(5));
  Edit->SetBookMark(6, 1, 2);
  int x = 0, y = 0;
  ASSERT_TRUE(Edit->GetBookMark(6, x, y));
  EXPECT_EQ(x, 3);
}

TEST_F(MarksFixture, GotoBookMarkMovesTheCaretOnlyToALineThatStillExists) {
  Edit->SetBookMark(0, 3, 8);
  Edit->GotoBookMark(0);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 8));
  Edit->SetCaretXY(TPoint(1, 1));
  Edit->GetBookMarkSlot(0)->SetLine(20);  // its line went away
  Edit->GotoBookMark(0);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

TEST_F(MarksFixture, RemovingABookmarksMarkFromTheListEmptiesItsSlot) {
  Edit->SetBookMark(7, 1, 5);
  TMark* mark = Edit->GetBookMarkSlot(7);
  std::unique_ptr<TMark> taken = Edit->GetMarks()->Remove(mark);
  ASSERT_EQ(taken.get(), mark);
  EXPECT_EQ(Edit->GetBookMarkSlot(7), nullptr);
  EXPECT_EQ(taken->GetEdit(), nullptr);  // it no longer belongs to the editor
  EXPECT_EQ(Edit->GetMarks()->Remove(mark), nullptr);
}

TEST_F(MarksFixture, AMarkRepaintsItsOldAndNewGutterRows) {
  TMark* mark = AddMark(2);
  Host.ClearLog();
  mark->SetLine(5);
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TRect(0, 16, 30, 32), TRect(0, 64, 30, 80)}));
  Host.ClearLog();
  mark->SetVisible(false);  // hiding erases its glyph
  mark->SetImage(3);        // a hidden mark repaints nothing
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 64, 30, 80)});
}

TEST_F(MarksFixture, MarksForLineAreAtMostNineInListOrder) {
  for (int i = 0; i < 11; ++i) AddMark(4, i);
  for (int i = 0; i < 5; ++i) AddMark(3, 99);
  TktLineMarks marks;
  Edit->GetMarksForLine(4, marks);
  for (size_t i = 0; i < marks.size(); ++i) {
    ASSERT_NE(marks[i], nullptr);
    EXPECT_EQ(marks[i]->GetImageIndex(), int(i));
  }
  Edit->GetMarksForLine(3, marks);
  EXPECT_NE(marks[4], nullptr);
  EXPECT_EQ(marks[5], nullptr);
}

TEST_F(MarksFixture, AGutterClickReportsTheGlyphUnderTheMouse) {
  TMark* first = AddMark(2, 0);
  TMark* second = AddMark(2, 1);
  std::vector<TMark*> reported;
  std::vector<int> lines;
  Edit->OnGutterClick = [&](TObject*, int, int, int line, TMark* mark, TShiftState) {
    reported.push_back(mark);
    lines.push_back(line);
  };
  // Glyphs are 12 pixels apart (Xoffset); row 2 is y 16..31.
  for (int x : {0, 11, 12, 23, 24, 29}) {
    Edit->MouseDown(mbLeft, TShiftState{ssLeft}, x, 20);
    Edit->MouseUp(mbLeft, TShiftState(), x, 20);
    Edit->TimerTick(TktCustomEdit::kGutterClickTimer);
  }
  EXPECT_EQ(reported, (std::vector<TMark*>{first, first, second, second, nullptr, nullptr}));
  EXPECT_EQ(lines, (std::vector<int>(6, 2)));
  Edit->MouseDown(mbLeft, TShiftState{ssLeft}, 5, 16 * 12);  // below the text
  Edit->TimerTick(TktCustomEdit::kGutterClickTimer);
  EXPECT_EQ(reported.size(), 6u);
}

// --- marks follow the lines ----------------------------------------------------------

TEST_F(MarksFixture, RemovedLinesTakeTheirMarksToTheLineAboveAndNeverAboveLineOne) {
  for (int line : {1, 2, 3, 4, 5, 8}) AddMark(line);
  Edit->MoveMarksForRemovedLines(3, 2);  // lines 3 and 4 went away
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 2, 2, 2, 3, 6}));
  Edit->MoveMarksForRemovedLines(1, 1);  // line 1 itself
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 1, 1, 1, 2, 5}));
  Edit->MoveMarksForInsertedLines(2, 3);
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 1, 1, 1, 5, 8}));
}

TEST_F(MarksFixture, DeletingASelectionOverLinesMovesTheMarksBelow) {
  for (int line : {2, 3, 4, 5, 9}) AddMark(line);
  Select(TPoint(2, 2), TPoint(3, 4));  // lines 3 and 4 join line 2
  Edit->SetSelText("");
  EXPECT_EQ(MarkLines(), (std::vector<int>{2, 2, 2, 3, 7}));
}

TEST_F(MarksFixture, DeletingLinesInLineModeMovesMarksOneMoreUp) {
  for (int line : {1, 2, 3, 4, 9}) AddMark(line);
  Select(TPoint(1, 2), TPoint(1, 3), smLine);
  Edit->SetSelText("");
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 1, 1, 2, 7}));
}

TEST_F(MarksFixture, InsertedLineBreaksMoveMarksFromTheInsertLineDown) {
  for (int line : {1, 2, 3}) AddMark(line);
  Edit->SetCaretXY(TPoint(2, 2));
  Edit->SetSelText("a\r\nb\r\nc");
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 4, 5}));
  Edit->SetSelText("no break");
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 4, 5}));
}

TEST_F(MarksFixture, MovingTextByDragAndDropCarriesTheMarksBelow) {
  for (int line : {2, 6}) AddMark(line);
  Select(TPoint(1, 2), TPoint(1, 4), smLine);  // lines 2..4 to before line 8
  Edit->DropSelection(TPoint(1, 8), false);
  // Removing lines 2..4 takes the mark of line 2 to line 1 and line 6 to 3;
  // three lines come back before line 5, moving the mark on 3 nowhere.
  EXPECT_EQ(MarkLines(), (std::vector<int>{1, 3}));
}

TEST_F(EditFixture, UndoingAColumnPasteBelowTheTextTakesTheMarksOfItsLinesAlong) {
  SetLines({"ab"});
  Host.Clipboard[kcfBlock] = std::string(1, char(smColumn)) + "X\r\nY\r\nZ";
  Host.Clipboard[kcfText] = "X\r\nY\r\nZ";
  Edit->SetCaretXY(TPoint(1, 1));
  Edit->ExecuteCommand(ecPaste, 0, nullptr);
  ASSERT_EQ(Lines(), (V{"Xab", "Y", "Z"}));
  Edit->SetBookMark(2, 1, 3);
  Edit->ExecuteCommand(ecUndo, 0, nullptr);
  ASSERT_EQ(Lines(), V{"ab"});
  int x = 0, y = 0;
  ASSERT_TRUE(Edit->GetBookMark(2, x, y));
  EXPECT_EQ(y, 1);
}

TEST_F(EditFixture, ClearingTheTextLeavesNoMarkBelowItsOneLine) {
  SetLines(V(5, "line"));
  Edit->SetBookMark(1, 1, 4);
  Edit->ExecuteCommand(ecClearAll, 0, nullptr);
  int x = 0, y = 0;
  ASSERT_TRUE(Edit->GetBookMark(1, x, y));
  EXPECT_EQ(y, 1);
}

TEST(CustomEditMarks, TheMarkListFreesItsMarks) {
  TktCustomEdit edit(nullptr);
  auto mark = std::make_unique<TMark>(&edit);
  TMark* raw = edit.GetMarks()->Add(std::move(mark));
  EXPECT_EQ(raw->GetEdit(), &edit);
  EXPECT_THROW(edit.GetMarks()->GetItem(1), EListError);
  // The editor (and its list) go; ASan reports a leak or a double free.
}

}  // namespace
