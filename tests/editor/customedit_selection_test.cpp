// The selection in normal, column and line mode: its points and clamps, the
// selected text, offsets, replacing it (with the change records it leaves),
// word selection, and the text operations the commands build on.
#include "BraceHighlighter.h"
#include "EditFixture.h"

namespace {

const V kText = {"first line", "second", "third line here", "4th", "fifth"};

struct TSelCase {
  const char* Name;
  TSelectionMode Mode;
  TPoint Anchor;
  TPoint End;
  bool Avail;
  const char* Text;
};
// Test names list the case by name, not as the bytes of the struct.
void PrintTo(const TSelCase& c, std::ostream* os) { *os << c.Name; }

class SelectionModes : public EditFixture, public ::testing::WithParamInterface<TSelCase> {};

TEST_P(SelectionModes, SelTextAndSelAvailFollowTheMode) {
  SetLines(kText);
  const TSelCase& c = GetParam();
  Select(c.Anchor, c.End, c.Mode);
  EXPECT_EQ(Edit->SelAvail(), c.Avail);
  EXPECT_EQ(Edit->GetSelText(), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SelectionModes,
    ::testing::Values(
        TSelCase{"NormalOneLine", smNormal, TPoint(3, 1), TPoint(7, 1), true, "rst "},
        TSelCase{"NormalBackwards", smNormal, TPoint(7, 1), TPoint(3, 1), true, "rst "},
        TSelCase{"NormalLines", smNormal, TPoint(7, 1), TPoint(3, 3), true,
                 "line\r\nsecond\r\nth"},
        TSelCase{"NormalToLineStart", smNormal, TPoint(1, 2), TPoint(1, 3), true, "second\r\n"},
        TSelCase{"NormalEmpty", smNormal, TPoint(3, 2), TPoint(3, 2), false, ""},
        TSelCase{"ColumnPadded", smColumn, TPoint(2, 2), TPoint(6, 4), true,
                 "econ\r\nhird\r\nth  "},
        TSelCase{"ColumnReversed", smColumn, TPoint(6, 4), TPoint(2, 2), true,
                 "econ\r\nhird\r\nth  "},
        TSelCase{"ColumnEqualColumns", smColumn, TPoint(4, 1), TPoint(4, 3), false, ""},
        TSelCase{"ColumnPastAllLines", smColumn, TPoint(20, 1), TPoint(22, 2), true,
                 "  \r\n  "},
        TSelCase{"LineMiddle", smLine, TPoint(3, 2), TPoint(1, 3), true,
                 "second\r\nthird line here\r\n"},
        TSelCase{"LineLast", smLine, TPoint(2, 4), TPoint(2, 5), true, "4th\r\nfifth"},
        TSelCase{"LineSamePoint", smLine, TPoint(2, 4), TPoint(2, 4), false, ""}),
    [](const ::testing::TestParamInfo<TSelCase>& info) { return std::string(info.param.Name); });

struct TPointCase {
  TSelectionMode Mode;
  TPoint Point;
  bool Inside;
};

TEST_F(EditFixture, IsPointInSelectionByMode) {
  SetLines(kText);
  const TPointCase cases[] = {
      // normal (4, 2)..(3, 4)
      {smNormal, TPoint(3, 2), false}, {smNormal, TPoint(4, 2), true},
      {smNormal, TPoint(1, 3), true},  {smNormal, TPoint(2, 4), true},
      {smNormal, TPoint(3, 4), false}, {smNormal, TPoint(5, 1), false},
      {smNormal, TPoint(1, 5), false},
      // column: columns 3..4 of lines 2..4
      {smColumn, TPoint(2, 3), false}, {smColumn, TPoint(3, 3), true},
      {smColumn, TPoint(4, 2), false}, {smColumn, TPoint(3, 4), true},
      // line: every column of lines 2..4
      {smLine, TPoint(99, 3), true},   {smLine, TPoint(1, 4), true},
      {smLine, TPoint(1, 5), false},
  };
  for (const TPointCase& c : cases) {
    Select(TPoint(4, 2), TPoint(3, 4), c.Mode);
    EXPECT_EQ(Edit->IsPointInSelection(c.Point), c.Inside)
        << int(c.Mode) << " " << c.Point;
  }
  Select(TPoint(2, 2), TPoint(2, 2));
  EXPECT_FALSE(Edit->IsPointInSelection(TPoint(2, 2)));
}

TEST_F(EditFixture, BlockPointsAreClampedByMode) {
  SetLines(kText);
  Select(TPoint(50, 2), TPoint(40, 9));
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(7, 2));   // normal: the line's end
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(6, 5));
  Select(TPoint(50, 2), TPoint(0, 0), smColumn);      // column: blank space allowed
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(50, 2));
  EXPECT_EQ(Edit->GetBlockMovingEnd(), TPoint(1, 1));
  Select(TPoint(5000, 1), TPoint(1, 1), smColumn);    // up to MaxLeftChar
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(1024, 1));
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));      // ordered by line, then column
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(1024, 1));
}

TEST_F(EditFixture, NoSelectionOptionKeepsTheSelectionEmpty) {
  SetLines(kText);
  Edit->SetOptions(Edit->GetOptions() + kteoNoSelection);
  Select(TPoint(1, 1), TPoint(5, 2));
  EXPECT_FALSE(Edit->SelAvail());
  Edit->SetWordBlock(TPoint(2, 1));
  EXPECT_FALSE(Edit->SelAvail());
}

TEST_F(EditFixture, TextBeyondMaxLeftCharIsSelectedAndTakenWhole) {
  const std::string longLine = std::string(1500, 'a') + "END";
  SetLines({"short", longLine, longLine});
  Edit->SetMaxLeftChar(80);
  Edit->SelectAll();
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(1504, 3));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1504, 3));
  EXPECT_EQ(Edit->GetSelText(), "short\r\n" + longLine + "\r\n" + longLine);
  Select(TPoint(1490, 2), TPoint(1504, 2));
  EXPECT_EQ(Edit->GetSelText(), std::string(11, 'a') + "END");
  Select(TPoint(1499, 2), TPoint(1504, 3), smColumn);
  EXPECT_EQ(Edit->GetSelText(), "aaEND\r\naaEND");
}

TEST_F(EditFixture, ExtendingTheSelectionRepaintsTheRowsItCrosses) {
  SetLines(V(20, "abcdef"));
  Select(TPoint(2, 3), TPoint(2, 3));
  Host.ClearLog();
  Statuses.clear();
  Edit->SetBlockEnd(TPoint(4, 6));
  Edit->SetBlockEnd(TPoint(4, 5));
  EXPECT_EQ(Host.Invalidated, (std::vector<TRect>{TRect(30, 32, 400, 96), TRect(30, 64, 400, 96)}));
  EXPECT_EQ(Statuses, (std::vector<int>{128, 128}));
  // A column block's edge runs through all its rows.
  Select(TPoint(2, 3), TPoint(4, 5), smColumn);
  Host.ClearLog();
  Edit->SetBlockEnd(TPoint(5, 5));
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(30, 32, 400, 80)});
  Host.ClearLog();
  Edit->SetBlockBegin(TPoint(1, 1));  // collapsing repaints old and new rows
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(30, 0, 400, 80)});
}

// --- offsets -----------------------------------------------------------------------------

TEST_F(EditFixture, SelStartAndSelEndCountTwoBytesPerLineEnd) {
  SetLines({"abc", "de", "fghij"});
  Select(TPoint(1, 2), TPoint(3, 3));
  EXPECT_EQ(Edit->GetSelStart(), 6);
  EXPECT_EQ(Edit->GetSelEnd(), 5 + 4 + 3);
  Select(TPoint(1, 1), TPoint(1, 1));
  EXPECT_EQ(Edit->GetSelStart(), 1);
  Select(TPoint(9, 1), TPoint(9, 1), smColumn);  // past the line: clamped to length + 2
  EXPECT_EQ(Edit->GetSelStart(), 5);
  EXPECT_EQ(Edit->GetSelEnd(), 9);

  Edit->SetSelectionMode(smNormal);
  Edit->SetSelStart(6);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 2));
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(1, 2));
  Edit->SetSelEnd(12);
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(3, 3));
  EXPECT_EQ(Edit->GetSelText(), "de\r\nfg");
  Edit->SetSelStart(500);  // past the text: the last line
  EXPECT_EQ(Edit->GetCaretY(), 3);
  EXPECT_EQ(Edit->GetBlockAnchor(), TPoint(6, 3));  // a normal block ends at the line's end
}

// --- replacing the selection ------------------------------------------------------------

TEST_F(EditFixture, SelTextReplacesTheSelectionAndRecordsBothHalves) {
  SetLines(kText);
  Select(TPoint(7, 1), TPoint(3, 3));
  Edit->SetSelText("X\r\nY");
  EXPECT_EQ(Lines(), (V{"first X", "Yird line here", "4th", "fifth"}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 2));
  EXPECT_FALSE(Edit->SelAvail());
  const TUndoList& undo = Edit->GetUndoList();
  ASSERT_EQ(undo.GetCount(), 2);
  const TktUndoItem* del = undo.Peek(1);
  EXPECT_EQ(del->Reason, ktcrSelDelete);
  EXPECT_EQ(del->StartPos, TPoint(7, 1));
  EXPECT_EQ(del->EndPos, TPoint(3, 3));
  EXPECT_EQ(del->ChangeText, "line\r\nsecond\r\nth");
  const TktUndoItem* ins = undo.Peek(0);
  EXPECT_EQ(ins->Reason, ktcrInsert);
  EXPECT_EQ(ins->StartPos, TPoint(7, 1));
  EXPECT_EQ(ins->EndPos, TPoint(2, 2));
  EXPECT_EQ(ins->ChangeText, "");
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(EditFixture, SelTextWithoutASelectionInsertsAtTheCaret) {
  SetLines({"abc"});
  Edit->SetCaretXY(TPoint(6, 1));  // past the end: padded
  Edit->SetSelText("xy");
  EXPECT_EQ(Lines(), V{"abc  xy"});
  EXPECT_EQ(Edit->GetUndoList().GetCount(), 1);
  // The blanks up to the caret went in with the text: its undo takes them too.
  EXPECT_EQ(Edit->GetUndoList().Peek()->StartPos, TPoint(4, 1));
  EXPECT_EQ(Edit->GetUndoList().Peek()->EndPos, TPoint(8, 1));
}

TEST_F(EditFixture, SelTextTakesAColumnOrLineSelectionAndInsertsNormalText) {
  SetLines(kText);
  Select(TPoint(6, 2), TPoint(2, 4), smColumn);
  Edit->SetSelText("#");
  EXPECT_EQ(Lines(), (V{"first line", "s#d", "t line here", "4", "fifth"}));
  EXPECT_EQ(Edit->GetUndoList().Peek(1)->SelMode, smColumn);
  // Each line's own bytes, so an undo gives "4th" back without blanks.
  EXPECT_EQ(Edit->GetUndoList().Peek(1)->ChangeText, "econ\r\nhird\r\nth");
  EXPECT_EQ(Edit->GetUndoList().Peek(0)->StartPos, TPoint(2, 2));
  EXPECT_EQ(Edit->GetUndoList().Peek(0)->SelMode, smNormal);

  Select(TPoint(3, 2), TPoint(1, 3), smLine);
  Edit->SetSelText("new\r\n");
  EXPECT_EQ(Lines(), (V{"first line", "new", "4", "fifth"}));
  EXPECT_EQ(Edit->GetUndoList().Peek(0)->StartPos, TPoint(1, 2));
  EXPECT_EQ(Edit->GetUndoList().Peek(0)->EndPos, TPoint(1, 3));
}

TEST_F(EditFixture, DeletingEveryLineInLineModeLeavesOneEmptyLine) {
  SetLines({"a", "b", "c"});
  Select(TPoint(1, 1), TPoint(1, 3), smLine);
  Edit->DeleteSelection();
  EXPECT_EQ(Lines(), V{""});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

TEST_F(EditFixture, ColumnBlocksInsertAtOneColumnAndAddLinesAtTheEnd) {
  SetLines({"abcdef", "ab"});
  const TPoint end = Edit->InsertText(TPoint(4, 1), "12\r\n34\r\n56", smColumn);
  EXPECT_EQ(Lines(), (V{"abc12def", "ab 34", "   56"}));
  EXPECT_EQ(end, TPoint(6, 3));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(6, 3));
}

TEST_F(EditFixture, LineBlocksBecomeWholeLinesBeforeTheTargetLine) {
  SetLines({"one", "two"});
  EXPECT_EQ(Edit->InsertText(TPoint(3, 2), "x\r\ny\r\n", smLine), TPoint(1, 4));
  EXPECT_EQ(Lines(), (V{"one", "x", "y", "two"}));
  EXPECT_EQ(Edit->InsertText(TPoint(1, 4), "z", smLine), TPoint(1, 5));
  EXPECT_EQ(Lines(), (V{"one", "x", "y", "z", "two"}));
}

TEST_F(EditFixture, ALineBlockReplacingTheLastLinesStaysAtTheEnd) {
  SetLines({"a", "b", "c"});
  Select(TPoint(1, 2), TPoint(1, 3), smLine);
  Edit->SetSelTextPrimitive(smLine, "x");
  EXPECT_EQ(Lines(), (V{"a", "x"}));
}

TEST_F(EditFixture, NormalTextEndingInALineBreakEndsAtTheNextLine) {
  SetLines({"abc"});
  EXPECT_EQ(Edit->InsertText(TPoint(2, 1), "x\r\n", smNormal), TPoint(1, 2));
  EXPECT_EQ(Lines(), (V{"ax", "bc"}));
  EXPECT_EQ(Edit->InsertText(TPoint(1, 2), "1\n2\r3", smNormal), TPoint(2, 4));
  EXPECT_EQ(Lines(), (V{"ax", "1", "2", "3bc"}));
}

TEST_F(EditFixture, ReplacingAColumnBlockKeepsTheCaretAtItsLeftColumn) {
  SetLines({"abcdef", "abcdef"});
  Select(TPoint(5, 1), TPoint(2, 2), smColumn);
  Edit->SetSelTextPrimitive(smColumn, "X\r\nY");
  EXPECT_EQ(Lines(), (V{"aXef", "aYef"}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 2));
}

// --- words ------------------------------------------------------------------------------

TEST_F(EditFixture, WordsWithoutAHighlighterAreRunsOfOneCharacterClass) {
  SetLines({"foo.bar  baz+=1 \x80\x80 caf\xE9"});
  struct TCase {
    int X;
    TPoint Begin, End;
  };
  const TCase cases[] = {
      {1, TPoint(1, 1), TPoint(4, 1)},    // foo
      {6, TPoint(5, 1), TPoint(8, 1)},    // bar
      {4, TPoint(4, 1), TPoint(5, 1)},    // the period on its own
      {9, TPoint(8, 1), TPoint(10, 1)},   // the two blanks
      {13, TPoint(13, 1), TPoint(15, 1)}, // += are both symbols
      {15, TPoint(15, 1), TPoint(16, 1)}, // 1
      {17, TPoint(17, 1), TPoint(19, 1)}, // two euro signs: exactly symbols
      {20, TPoint(20, 1), TPoint(23, 1)}, // caf (the accented letter is another class)
  };
  for (const TCase& c : cases) {
    Edit->SetWordBlock(TPoint(c.X, 1));
    EXPECT_EQ(Edit->GetBlockBegin(), c.Begin) << c.X;
    EXPECT_EQ(Edit->GetBlockEnd(), c.End) << c.X;
    EXPECT_EQ(Edit->GetCaretXY(), c.End) << c.X;
  }
}

TEST_F(EditFixture, WordsWithAHighlighterAreItsIdentifierCharacters) {
  SetLines({"foo.bar baz"});
  TBraceHighlighter hl;  // identifier characters: 33..255
  Edit->SetHighLighter(&hl);
  Edit->SetWordBlock(TPoint(2, 1));
  EXPECT_EQ(Edit->GetSelText(), "foo.bar");
  Edit->SetWordBlock(TPoint(8, 1));  // on the blank: up to it, from the run before
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(8, 1));
  Edit->SetHighLighter(nullptr);
}

TEST_F(EditFixture, AWordPastTheLineEndOnlyMovesTheCaret) {
  SetLines({"abc", "x"});
  Select(TPoint(1, 2), TPoint(2, 2));
  Edit->SetWordBlock(TPoint(10, 1));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 1));
  EXPECT_TRUE(Edit->SelAvail());  // the selection is left alone
}

}  // namespace
