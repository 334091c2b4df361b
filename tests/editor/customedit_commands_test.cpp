// Editor commands from their keys: two-key chords, characters and
// input-method strings, the command hook and OnCommandDone, typing in insert
// and overwrite mode, Backspace and Delete with their joins, line breaks in
// every indent case, tabs, block indent and unindent, bracket matching,
// bookmark keys, wrapping, and caret moves over double-byte characters.
// Every text change is also undone and redone here: both must give back
// exactly the text before and after.
#include "CommandFixture.h"
#include "editor/KeyCodes.h"

namespace {

constexpr TShiftState kCtrl{ssCtrl};
constexpr TShiftState kShiftCtrl{ssShift, ssCtrl};

// --- keys, chords and the command hook ------------------------------------------------

struct TKeyStep {
  uint16_t Key;
  TShiftState Shift;
  TktEditorCommand Runs;  // ecNone: nothing runs
};

struct TChordCase {
  const char* Name;
  std::vector<TKeyStep> Steps;
};
void PrintTo(const TChordCase& c, std::ostream* os) { *os << c.Name; }

class Chords : public CommandFixture, public ::testing::WithParamInterface<TChordCase> {};

TEST_P(Chords, KeysRunTheirCommandsAndChordsWaitForTheirSecondKey) {
  // Ctrl+K then B: a chord whose first key has no command of its own.
  TktKeyStroke* chord = Edit->GetKeystrokes()->Add();
  chord->SetKey('K');
  chord->SetShift(kCtrl);
  chord->SetKey2('B');
  chord->SetShift2(TShiftState());
  chord->SetCommand(ecBlockIndent);
  std::vector<TktEditorCommand> ran;
  Edit->OnProcessCommand = [&](TObject*, TktEditorCommand& command, char&, void*) {
    ran.push_back(command);
    command = ecNone;  // only watching
  };
  for (const TKeyStep& step : GetParam().Steps) {
    ran.clear();
    uint16_t key = step.Key;
    Edit->KeyDown(key, step.Shift);
    if (step.Runs == ecNone) {
      EXPECT_TRUE(ran.empty()) << "key " << step.Key;
      EXPECT_EQ(key, step.Key);
      EXPECT_FALSE(Edit->SwallowChar());
    } else {
      EXPECT_EQ(ran, std::vector<TktEditorCommand>{step.Runs}) << "key " << step.Key;
      EXPECT_EQ(key, 0);  // consumed
      EXPECT_TRUE(Edit->SwallowChar());  // its character message is dropped once
      EXPECT_FALSE(Edit->SwallowChar());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Chords,
    ::testing::Values(
        TChordCase{"SingleKey", {{vkDown, {}, ecDown}, {vkDown, TShiftState{ssShift}, ecSelDown}}},
        TChordCase{"ChordRunsOnItsSecondKey", {{'K', kCtrl, ecNone}, {'B', {}, ecBlockIndent}}},
        TChordCase{"SecondKeyAloneIsNoChord", {{'B', {}, ecNone}}},
        TChordCase{"ChordBrokenByAKeyOutside30To145",
                   {{'K', kCtrl, ecNone},
                    {vkShift, TShiftState{ssShift}, ecNone},
                    {'B', {}, ecNone}}},
        TChordCase{"ChordBrokenByACommandKey",
                   {{'K', kCtrl, ecNone}, {vkLeft, {}, ecLeft}, {'B', {}, ecNone}}},
        TChordCase{"AClearedKeyEndsTheChord",
                   {{'K', kCtrl, ecNone}, {0, {}, ecNone}, {'B', {}, ecNone}}},
        TChordCase{"MouseButtonsDoNotHideAStroke",
                   {{vkReturn, TShiftState{ssLeft}, ecLineBreak}}}),
    [](const ::testing::TestParamInfo<TChordCase>& info) { return std::string(info.param.Name); });

TEST_F(CommandFixture, InputMethodResultsAreTypedOnceAndTheirCharactersSwallowed) {
  SetLines({"ab"});
  Caret(2, 1);
  Edit->ImeComposition("xyz");
  EXPECT_EQ(Lines(), V{"axyzb"});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(5, 1));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Edit->SwallowChar());
  EXPECT_FALSE(Edit->SwallowChar());
  Edit->KeyPress('!');
  EXPECT_EQ(Lines(), V{"axyz!b"});
}

TEST_F(CommandFixture, TheHookMayChangeACommandAndUserCommandsStopAtTheirHandler) {
  SetLines({"abc"});
  int done = 0;
  Edit->OnCommandDone = [&](TObject*) { ++done; };
  Edit->OnProcessCommand = [](TObject*, TktEditorCommand& command, char& c, void*) {
    if (command == ecChar && c == 'a') c = 'z';
    if (command == ecLineEnd) command = ecEditorBottom;
  };
  TktEditorCommand user = ecNone;
  Edit->OnProcessUserCommand = [&](TObject*, TktEditorCommand& command, char&, void*) {
    user = command;
  };
  Type("a");
  EXPECT_EQ(Lines(), V{"zabc"});
  Cmd(ecUserFirst + 5);
  EXPECT_EQ(user, ecUserFirst + 5);
  Cmd(900);  // not a command of the control: still reported done
  EXPECT_EQ(done, 2);
  Cmd(ecNone);
  EXPECT_EQ(done, 2);
}

TEST_F(CommandFixture, StatusChangesOfACommandArriveOnceWhenItEnds) {
  SetLines({"abc", "def"});
  Type("x");
  EXPECT_EQ(Statuses, std::vector<int>{2 | 64});  // caret column and modified, once
  Statuses.clear();
  Cmd(ecDown);
  EXPECT_EQ(Statuses, std::vector<int>{4 | 128});
  EXPECT_GT(Host.Updates, 0);  // a vertical move paints at once
}

TEST_F(CommandFixture, ReadOnlyRefusesEditsButNotMoves) {
  SetLines({"abc"});
  Edit->SetReadOnly(true);
  Type("x");
  Cmd(ecDeleteChar);
  Cmd(ecLineBreak);
  Cmd(ecTab);
  Cmd(ecRight);
  EXPECT_EQ(Lines(), V{"abc"});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 1));
  EXPECT_FALSE(Edit->CanUndo());
}

// --- typing ----------------------------------------------------------------------------

TEST_F(CommandFixture, TypingInsertsAtTheCaretPadsPastTheEndAndTrimsBlanks) {
  SetLines({"abc"});
  Caret(6, 1);
  Type("x y ");
  EXPECT_EQ(Lines(), V{"abc  x y"});  // the trailing blank is not stored
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(10, 1));
  Type("z");
  EXPECT_EQ(Lines(), V{"abc  x y z"});
  UndoAll();
  EXPECT_EQ(Lines(), V{"abc"});
  RedoAll();
  EXPECT_EQ(Lines(), V{"abc  x y z"});
}

TEST_F(CommandFixture, EqualsControlCharactersAndDelAreNotTyped) {
  SetLines({"ab"});
  Type("=\t\x01\x7f");
  EXPECT_EQ(Lines(), V{"ab"});
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(CommandFixture, TypingOverASelectionUndoesInOneStepWithTheTextSelected) {
  SetLines({"xabcy"});
  Select(TPoint(2, 1), TPoint(5, 1));
  Type("Q");
  EXPECT_EQ(Lines(), V{"xQy"});
  EXPECT_EQ(Kinds(), (std::vector<TktChangeReason>{ktcrSelDelete, ktcrInsert}));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"xabcy"});
  EXPECT_EQ(Edit->GetSelText(), "abc");
  EXPECT_FALSE(Edit->CanUndo());
  Edit->Redo();
  EXPECT_EQ(Lines(), V{"xQy"});
  EXPECT_FALSE(Edit->CanRedo());
}

TEST_F(CommandFixture, OverwriteReplacesBytesAndUndoBringsThemBack) {
  SetLines({"abcd"});
  Cmd(ecToggleMode);
  Caret(2, 1);
  Type("XY");
  EXPECT_EQ(Lines(), V{"aXYd"});
  Caret(4, 1);
  Type("12");  // past the end it appends
  EXPECT_EQ(Lines(), V{"aXY12"});
  UndoAll();
  EXPECT_EQ(Lines(), V{"abcd"});
  RedoAll();
  EXPECT_EQ(Lines(), V{"aXY12"});
}

TEST_F(CommandFixture, OverwritingADoubleByteCharacterBlanksItsSecondByte) {
  UseDoubleByteCodePage();
  SetLines({"a\x81\x40z"});
  Cmd(ecOverwriteMode);
  Caret(2, 1);
  Type("X");
  EXPECT_EQ(Lines(), V{"aX z"});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 1));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"a\x81\x40z"});
}

TEST_F(CommandFixture, WrapOnSpaceBreaksTheLineAtTheRightEdge) {
  SetLines({""});
  Edit->WrapOnSpace = true;
  Edit->SetRightEdge(5);
  Type("abcd efg hi");
  // The blank at column 5 broke the line; the one at column 4 is typed.
  EXPECT_EQ(Lines(), (V{"abcd", "efg hi"}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(7, 2));
  Edit->WrapOnSpace = false;
  Type(" j");
  EXPECT_EQ(Lines(), (V{"abcd", "efg hi j"}));
}

TEST_F(CommandFixture, TypingAtTheWindowsEdgeJumpsTheViewAhead) {
  SetLines({std::string(45, 'a')});  // 46 columns show
  Caret(46, 1);
  Type("b");
  EXPECT_EQ(Edit->GetLeftChar(), 26);  // 25 columns on, not one
}

// --- Backspace and Delete ----------------------------------------------------------------

struct TEditCase {
  const char* Name;
  V Before;
  TPoint Caret;
  TktEditorCommand Command;
  V After;
  TPoint CaretAfter;
  bool AutoIndent = true;
};
void PrintTo(const TEditCase& c, std::ostream* os) { *os << c.Name; }

class EditCases : public CommandFixture, public ::testing::WithParamInterface<TEditCase> {};

// The command's result, then undo, redo and undo again give exactly the
// texts before and after.
TEST_P(EditCases, CommandGivesItsTextAndReplaysExactly) {
  const TEditCase& c = GetParam();
  SetLines(c.Before);
  TktEditorOptions options = Edit->GetOptions();
  if (!c.AutoIndent) options.Exclude(kteoAutoIndent);
  Edit->SetOptions(options);
  Caret(c.Caret.X, c.Caret.Y);
  Cmd(c.Command);
  EXPECT_EQ(Lines(), c.After);
  EXPECT_EQ(Edit->GetCaretXY(), c.CaretAfter);
  UndoAll();
  EXPECT_EQ(Lines(), c.Before);
  RedoAll();
  EXPECT_EQ(Lines(), c.After);
  UndoAll();
  EXPECT_EQ(Lines(), c.Before);
}

INSTANTIATE_TEST_SUITE_P(
    Joins, EditCases,
    ::testing::Values(
        TEditCase{"BackspaceOneByte", {"abc"}, TPoint(3, 1), ecDeleteLastChar, {"ac"},
                  TPoint(2, 1)},
        TEditCase{"BackspaceTrimsTheBlanksItLeaves", {"ab c"}, TPoint(5, 1), ecDeleteLastChar,
                  {"ab"}, TPoint(4, 1)},
        TEditCase{"BackspacePastTheEndOnlyMoves", {"ab"}, TPoint(6, 1), ecDeleteLastChar, {"ab"},
                  TPoint(5, 1)},
        TEditCase{"BackspaceJoinsTheLineAbove", {"abc", "def"}, TPoint(1, 2), ecDeleteLastChar,
                  {"abcdef"}, TPoint(4, 1)},
        TEditCase{"BackspaceJoinDropsBlanksAbove", {"abc  ", "def"}, TPoint(1, 2),
                  ecDeleteLastChar, {"abcdef"}, TPoint(4, 1)},
        TEditCase{"BackspaceAtTheTextsStart", {"abc"}, TPoint(1, 1), ecDeleteLastChar, {"abc"},
                  TPoint(1, 1)},
        TEditCase{"BackspaceUnindentsToTheLevelAbove", {"  a", "    b", "      c"}, TPoint(7, 3),
                  ecDeleteLastChar, {"  a", "    b", "    c"}, TPoint(5, 3)},
        TEditCase{"BackspaceUnindentsToColumnOne", {"a", "   b"}, TPoint(4, 2), ecDeleteLastChar,
                  {"a", "b"}, TPoint(1, 2)},
        TEditCase{"BackspaceInIndentWithoutAutoIndent", {"a", "   b"}, TPoint(4, 2),
                  ecDeleteLastChar, {"a", "  b"}, TPoint(3, 2), false},
        TEditCase{"DeleteOneByte", {"abc"}, TPoint(2, 1), ecDeleteChar, {"ac"}, TPoint(2, 1)},
        TEditCase{"DeleteTrimsTheBlanksItLeaves", {"ab c"}, TPoint(4, 1), ecDeleteChar, {"ab"},
                  TPoint(4, 1)},
        TEditCase{"DeleteJoinsTheNextLine", {"abc", "def"}, TPoint(4, 1), ecDeleteChar,
                  {"abcdef"}, TPoint(4, 1)},
        TEditCase{"DeletePastTheEndPadsToTheCaret", {"abc", "def"}, TPoint(6, 1), ecDeleteChar,
                  {"abc  def"}, TPoint(6, 1)},
        TEditCase{"DeletePastTheEndJoiningAnEmptyLine", {"abc", "", "x"}, TPoint(6, 1),
                  ecDeleteChar, {"abc", "x"}, TPoint(6, 1)},
        TEditCase{"DeleteAtTheLastLinesEnd", {"abc"}, TPoint(4, 1), ecDeleteChar, {"abc"},
                  TPoint(4, 1)},
        TEditCase{"DeleteLineInTheMiddle", {"a", "b", "c"}, TPoint(2, 2), ecDeleteLine, {"a", "c"},
                  TPoint(1, 2)},
        TEditCase{"DeleteLastLineEmptiesIt", {"a", "b"}, TPoint(1, 2), ecDeleteLine, {"a", ""},
                  TPoint(1, 2)},
        TEditCase{"DeleteOnlyLine", {"abc"}, TPoint(2, 1), ecDeleteLine, {""}, TPoint(1, 1)},
        TEditCase{"DeleteWord", {"ab cd ef"}, TPoint(2, 1), ecDeleteWord, {"acd ef"}, TPoint(2, 1)},
        TEditCase{"DeleteWordAcrossTheLineEnd", {"ab", "  cd"}, TPoint(3, 1), ecDeleteWord,
                  {"abcd"}, TPoint(3, 1)},
        TEditCase{"DeleteLastWord", {"ab cd ef"}, TPoint(6, 1), ecDeleteLastWord, {"ab  ef"},
                  TPoint(4, 1)},
        TEditCase{"DeleteToLineStart", {"ab cd"}, TPoint(4, 1), ecDeleteBOL, {"cd"}, TPoint(1, 1)},
        TEditCase{"DeleteToLineEnd", {"ab cd"}, TPoint(3, 1), ecDeleteEOL, {"ab"}, TPoint(3, 1)}),
    [](const ::testing::TestParamInfo<TEditCase>& info) { return std::string(info.param.Name); });

// Every case of a line break: the caret line's length n and column x, with
// and without auto-indent, past-the-end caret allowed or not.
INSTANTIATE_TEST_SUITE_P(
    Indents, EditCases,
    ::testing::Values(
        TEditCase{"EmptyLineTakesTheIndentAbove", {"    abc", ""}, TPoint(1, 2), ecLineBreak,
                  {"    abc", "", ""}, TPoint(5, 3)},
        TEditCase{"EmptyLinesLookUpToTheNonEmptyOne", {"  x", "", ""}, TPoint(1, 3), ecLineBreak,
                  {"  x", "", "", ""}, TPoint(3, 4)},
        TEditCase{"AtTheEndTheCaretGoesToTheIndent", {"  ab"}, TPoint(5, 1), ecLineBreak,
                  {"  ab", ""}, TPoint(3, 2)},
        TEditCase{"AtTheEndWithoutAutoIndent", {"abc"}, TPoint(4, 1), ecLineBreak, {"abc", ""},
                  TPoint(1, 2), false},
        TEditCase{"PastTheEnd", {"  ab"}, TPoint(9, 1), ecLineBreak, {"  ab", ""}, TPoint(3, 2)},
        TEditCase{"AtColumnOneTheLineMovesDown", {"  ab"}, TPoint(1, 1), ecLineBreak,
                  {"", "  ab"}, TPoint(1, 2)},
        TEditCase{"InsideTheIndentTheLineMovesDown", {"    ab"}, TPoint(3, 1), ecLineBreak,
                  {"", "    ab"}, TPoint(3, 2)},
        TEditCase{"RightOfTheIndentItSplits", {"    abc"}, TPoint(6, 1), ecLineBreak,
                  {"    a", "    bc"}, TPoint(5, 2)},
        TEditCase{"SplitWithoutAutoIndent", {"    abc"}, TPoint(6, 1), ecLineBreak,
                  {"    a", "bc"}, TPoint(1, 2), false},
        TEditCase{"SplitTrimsTheKeptPart", {"ab  cd"}, TPoint(5, 1), ecLineBreak, {"ab", "cd"},
                  TPoint(1, 2)},
        TEditCase{"InsertLineKeepsTheCaret", {"    abc"}, TPoint(6, 1), ecInsertLine,
                  {"    a", "    bc"}, TPoint(6, 1)},
        TEditCase{"InsertLineAtTheEnd", {"ab", "cd"}, TPoint(3, 1), ecInsertLine,
                  {"ab", "", "cd"}, TPoint(3, 1)}),
    [](const ::testing::TestParamInfo<TEditCase>& info) { return std::string(info.param.Name); });

TEST_F(CommandFixture, PastTheEndWithoutScrollPastEolTheNewLineHoldsTheIndent) {
  SetLines({"  ab"});
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoScrollPastEol));
  Caret(5, 1);
  Cmd(ecLineBreak);
  EXPECT_EQ(Lines(), (V{"  ab", "  "}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 2));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"  ab"});
}

TEST_F(CommandFixture, ALineBreakReplacesTheSelectionAndMovesMarksBelowIt) {
  SetLines({"abcdef", "x"});
  Edit->SetBookMark(1, 1, 2);
  Select(TPoint(2, 1), TPoint(4, 1));
  Cmd(ecLineBreak);
  EXPECT_EQ(Lines(), (V{"a", "def", "x"}));
  EXPECT_EQ(Kinds(), (std::vector<TktChangeReason>{ktcrDelete, ktcrLineBreak}));
  EXPECT_EQ(Edit->GetBookMarkSlot(1)->GetLine(), 3);
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"adef", "x"}));
  EXPECT_EQ(Edit->GetBookMarkSlot(1)->GetLine(), 2);
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"abcdef", "x"}));
}

TEST_F(CommandFixture, JoinsMoveTheMarksOfTheJoinedLine) {
  SetLines({"a", "b", "c", "d"});
  Edit->SetBookMark(1, 1, 1);
  Edit->SetBookMark(2, 1, 2);
  Edit->SetBookMark(3, 1, 4);
  Caret(2, 1);
  Cmd(ecDeleteChar);  // line 2 joins line 1
  EXPECT_EQ(Edit->GetBookMarkSlot(1)->GetLine(), 1);
  EXPECT_EQ(Edit->GetBookMarkSlot(2)->GetLine(), 1);
  EXPECT_EQ(Edit->GetBookMarkSlot(3)->GetLine(), 3);
  Caret(1, 2);
  Cmd(ecDeleteLastChar);  // "c" joins "ab"
  EXPECT_EQ(Edit->GetBookMarkSlot(3)->GetLine(), 2);
  Cmd(ecDeleteLine);  // "abc" goes: the marks below come up
  EXPECT_EQ(Lines(), V{"d"});
  EXPECT_EQ(Edit->GetBookMarkSlot(3)->GetLine(), 1);
}

TEST_F(CommandFixture, DeletingAndBackspacingOverDoubleByteCharacters) {
  UseDoubleByteCodePage();
  SetLines({"a\x81\x40" "b\x9f\x41"});
  Caret(4, 1);
  Cmd(ecDeleteLastChar);
  EXPECT_EQ(Lines(), V{"ab\x9f\x41"});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 1));
  Caret(3, 1);
  Cmd(ecDeleteChar);
  EXPECT_EQ(Lines(), V{"ab"});
  UndoAll();
  EXPECT_EQ(Lines(), V{"a\x81\x40" "b\x9f\x41"});
}

TEST_F(CommandFixture, ClearAllLeavesOneEmptyLineAndNothingToUndoOrRedo) {
  SetLines({"abc", "def"});
  Type("x");
  Edit->Undo();
  ASSERT_TRUE(Edit->CanRedo());
  Type("y");
  Cmd(ecClearAll);
  EXPECT_EQ(Lines(), V{""});
  EXPECT_FALSE(Edit->CanUndo());
  EXPECT_FALSE(Edit->CanRedo());
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

// --- tabs and block indent -----------------------------------------------------------

TEST_F(CommandFixture, TabsGoToTheNextStopOrTheNextWordAbove) {
  SetLines({"int  x = 1;", ""});
  Edit->SetTabWidth(4);
  Caret(1, 2);
  Cmd(ecTab);  // smart: past "int" and its blanks
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(6, 2));
  Cmd(ecTab);  // past "x" and a blank
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(8, 2));
  Type("y");
  EXPECT_EQ(Lines(), (V{"int  x = 1;", "       y"}));
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoSmartTabs));
  Cmd(ecTab);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(13, 2));
  UndoAll();
  EXPECT_EQ(Lines(), (V{"int  x = 1;", ""}));
}

TEST_F(CommandFixture, ATabWidthOfZeroStopsAtEveryColumn) {
  SetLines({"ab"});
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoSmartTabs));
  Edit->SetTabWidth(0);
  Caret(2, 1);
  Cmd(ecTab);
  EXPECT_EQ(Lines(), V{"a b"});
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 1));
}

TEST_F(CommandFixture, ATabReplacesTheSelection) {
  SetLines({"abcd"});
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoSmartTabs));
  Edit->SetTabWidth(2);
  Select(TPoint(2, 1), TPoint(4, 1));
  Cmd(ecTab);
  EXPECT_EQ(Lines(), V{"a  d"});
  EXPECT_EQ(Kinds(), (std::vector<TktChangeReason>{ktcrDelete, ktcrInsert}));
  UndoAll();
  EXPECT_EQ(Lines(), V{"abcd"});
}

TEST_F(CommandFixture, BlockIndentAndUnindentShiftTheSelectedLines) {
  SetLines({"a", "  b", "c", "d"});
  Edit->SetTabWidth(2);
  Select(TPoint(1, 1), TPoint(1, 3));  // ends at column 1: line 3 is not in it
  Cmd(ecBlockIndent);
  EXPECT_EQ(Lines(), (V{"  a", "    b", "c", "d"}));
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(3, 1));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(1, 3));
  Cmd(ecBlockUnindent);
  Cmd(ecBlockUnindent);
  EXPECT_EQ(Lines(), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));
  Cmd(ecBlockUnindent);  // nothing left to remove: no record
  EXPECT_EQ(Kinds(), (std::vector<TktChangeReason>{ktcrIndent, ktcrUnindent, ktcrUnindent}));
  UndoAll();
  EXPECT_EQ(Lines(), (V{"a", "  b", "c", "d"}));
  RedoAll();
  EXPECT_EQ(Lines(), (V{"a", "b", "c", "d"}));
}

// --- brackets, bookmarks, wrapping ---------------------------------------------------------

TEST_F(CommandFixture, MatchingBracketsNestAcrossLines) {
  SetLines({"f(a[1], (b)", "  )", "x"});
  const struct {
    TPoint From;
    TPoint To;
  } cases[] = {
      {TPoint(2, 1), TPoint(3, 2)},  // ( to the ) on the next line
      {TPoint(3, 2), TPoint(2, 1)},  // and back
      {TPoint(4, 1), TPoint(6, 1)},  // [ ]
      {TPoint(9, 1), TPoint(11, 1)},
      {TPoint(1, 3), TPoint(1, 3)},  // no bracket: stays
      {TPoint(9, 3), TPoint(9, 3)},  // past the end: stays
  };
  for (const auto& c : cases) {
    Caret(c.From.X, c.From.Y);
    Cmd(ecMatchBracket);
    EXPECT_EQ(Edit->GetCaretXY(), c.To) << c.From;
  }
  SetLines({"((", ")"});  // unbalanced: no partner
  Caret(1, 1);
  Cmd(ecMatchBracket);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

TEST_F(CommandFixture, BracketsInsideDoubleByteCharactersAreNotBrackets) {
  UseDoubleByteCodePage();
  SetLines({"(\x81)a)"});  // the first ) is the second byte of a character
  Caret(1, 1);
  Cmd(ecMatchBracket);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(5, 1));
  Cmd(ecMatchBracket);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
}

TEST_F(CommandFixture, BookmarkKeysToggleOnTheirOwnLineAndMoveFromAnother) {
  SetLines({"a", "b", "c"});
  Caret(1, 2);
  Cmd(ecSetMarker3);
  EXPECT_TRUE(Edit->IsBookMark(3));
  Cmd(ecSetMarker3);
  EXPECT_FALSE(Edit->IsBookMark(3));
  Cmd(ecSetMarker3);
  Caret(1, 3);
  Cmd(ecSetMarker3);
  int x = 0, y = 0;
  ASSERT_TRUE(Edit->GetBookMark(3, x, y));
  EXPECT_EQ(y, 3);
  Caret(1, 1);
  Cmd(ecGotoMarker3);
  EXPECT_EQ(Edit->GetCaretY(), 3);
  Edit->GetBookMarkOptions()->SetEnableKeys(false);
  Cmd(ecSetMarker3);
  Caret(1, 1);
  Cmd(ecGotoMarker3);
  EXPECT_EQ(Edit->GetCaretY(), 1);
  EXPECT_TRUE(Edit->IsBookMark(3));
}

TEST_F(CommandFixture, WrappingCutsAtTheLastBlankAndEmptiesBothUndoLists) {
  SetLines({"aaa bbb ccc", "nospacehere!"});
  Edit->SetRightEdge(5);
  Type("x");
  Edit->Undo();
  Cmd(ecWrapAtRightEdge);  // answered No
  EXPECT_EQ(Host.Questions,
            std::vector<std::string>{"Undo is not available for this command. Continue?"});
  EXPECT_EQ(Lines(), (V{"aaa bbb ccc", "nospacehere!"}));
  Host.YesNoAnswers = {true};
  Cmd(ecWrapAtRightEdge);
  EXPECT_EQ(Lines(), (V{"aaa ", "bbb ", "ccc", "nospacehere!"}));
  EXPECT_FALSE(Edit->CanUndo());
  EXPECT_FALSE(Edit->CanRedo());
}

// --- moves ------------------------------------------------------------------------------

TEST_F(CommandFixture, HorizontalMovesWrapBetweenLinesWithoutScrollPastEol) {
  SetLines({"ab", "cd"});
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoScrollPastEol));
  Caret(3, 1);
  Cmd(ecRight);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 2));
  Cmd(ecLeft);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 1));
  Edit->SetOptions(Edit->GetOptions().Include(kteoScrollPastEol));
  Cmd(ecRight);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 1));
  Cmd(ecSelLineStart);
  EXPECT_EQ(Edit->GetSelText(), "ab");
  Cmd(ecSelEditorBottom);  // from the same anchor
  EXPECT_EQ(Edit->GetSelText(), "\r\ncd");
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 2));
  TPoint target(2, 1);
  Cmd(ecGotoXY, '\0', &target);
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_EQ(Edit->GetCaretXY(), target);
}

TEST_F(CommandFixture, MovesStepOverDoubleByteCharactersAndComeBackToTheirColumn) {
  UseDoubleByteCodePage();
  SetLines({"a\x81\x40" "b", "xyzw", "\x81\x40\x81\x40"});
  Caret(1, 1);
  Cmd(ecRight);
  EXPECT_EQ(Edit->GetCaretX(), 2);
  Cmd(ecRight);  // over both bytes
  EXPECT_EQ(Edit->GetCaretX(), 4);
  Cmd(ecLeft);
  EXPECT_EQ(Edit->GetCaretX(), 2);
  Caret(4, 2);
  Cmd(ecDown);  // column 4 is a second byte: one left
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(3, 3));
  Cmd(ecUp);  // and back to column 4
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 2));
}

TEST_F(CommandFixture, WordMovesFollowTheWordCharacters) {
  SetLines({"ab  cd;ef", "  gh"});
  const struct {
    TPoint From;
    TktEditorCommand Command;
    TPoint To;
  } cases[] = {
      {TPoint(1, 1), ecWordRight, TPoint(5, 1)},
      {TPoint(5, 1), ecWordRight, TPoint(10, 1)},  // ";" is a word character without a highlighter
      {TPoint(9, 1), ecWordRight, TPoint(3, 2)},   // at the last byte: the next line's first word
      {TPoint(3, 2), ecWordLeft, TPoint(10, 1)},   // the previous line's end
      {TPoint(10, 1), ecWordLeft, TPoint(5, 1)},
      {TPoint(5, 1), ecWordLeft, TPoint(1, 1)},
      {TPoint(20, 1), ecWordLeft, TPoint(5, 1)},  // from past the end: from the end
  };
  for (const auto& c : cases) {
    Caret(c.From.X, c.From.Y);
    Cmd(c.Command);
    EXPECT_EQ(Edit->GetCaretXY(), c.To) << c.From << " " << c.Command;
  }
}

TEST_F(CommandFixture, ScrollCommandsPullTheCaretIntoView) {
  std::vector<std::string> lines(60, "line");
  SetLines(lines);
  Caret(1, 18);
  Cmd(ecScrollDown);
  EXPECT_EQ(Edit->GetTopLine(), 2);
  EXPECT_EQ(Edit->GetCaretY(), 18);
  Caret(1, 2);
  Cmd(ecScrollDown);
  EXPECT_EQ(Edit->GetCaretY(), 3);
  Caret(1, 20);
  Cmd(ecScrollUp);
  EXPECT_EQ(Edit->GetTopLine(), 2);
  EXPECT_EQ(Edit->GetCaretY(), 19);
  Cmd(ecPageDown);
  EXPECT_EQ(Edit->GetCaretY(), 37);
  Edit->SetOptions(Edit->GetOptions().Include(kteoHalfPageScroll));
  Cmd(ecPageUp);
  EXPECT_EQ(Edit->GetCaretY(), 28);
}

TEST_F(CommandFixture, InsertBlockPutsAColumnBlockInPlaceOfItsRange) {
  SetLines({"abcd", "efgh"});
  Edit->InsertBlock(TPoint(2, 1), TPoint(3, 2), "X\r\nY");
  EXPECT_EQ(Lines(), (V{"aXcd", "eYgh"}));
  EXPECT_EQ(Edit->GetSelectionMode(), smColumn);
  ASSERT_FALSE(Statuses.empty());
  EXPECT_TRUE(Statuses.back() & 128);
  EXPECT_FALSE(Edit->CanUndo());  // a replay's routine: it records nothing itself
}

}  // namespace
