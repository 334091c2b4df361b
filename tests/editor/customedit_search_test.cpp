// Search and replace in the control: scopes, directions, the replace
// prompt's answers, replace-all with the hits and the scope's end following
// the replacements, and matches replaced as plain text whatever the
// selection mode.
#include "CommandFixture.h"

namespace {

constexpr uint8_t kReplaceAll = ktsoReplace | ktsoReplaceAll | ktsoEntireScope;

TEST_F(CommandFixture, SearchingForwardFindsTheNextMatchAfterTheCaret) {
  SetLines({"abc xabc", "abc"});
  Caret(2, 1);
  EXPECT_EQ(Edit->SearchReplace("abc", "", 0), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(6, 1));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(9, 1));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(9, 1));
  EXPECT_EQ(Edit->SearchReplace("abc", "", 0), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 2));
  EXPECT_EQ(Edit->SearchReplace("abc", "", 0), 0);  // nothing after the last
  EXPECT_EQ(Edit->SearchReplace("abc", "", ktsoEntireScope), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));
  EXPECT_EQ(Edit->SearchReplace("", "x", kReplaceAll), 0);
  EXPECT_EQ(Lines(), (V{"abc xabc", "abc"}));
}

TEST_F(CommandFixture, SearchingBackwardFindsTheMatchBeforeTheCaret) {
  SetLines({"abc", "abc abc"});
  Caret(7, 2);  // inside the second match: it does not end before the caret
  EXPECT_EQ(Edit->SearchReplace("abc", "", ktsoBackwards), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 2));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 2));
  EXPECT_EQ(Edit->SearchReplace("abc", "", ktsoBackwards), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));
}

TEST_F(CommandFixture, CaseAndWholeWordOptionsReachTheEngine) {
  SetLines({"Ab ab_ab abc"});
  Caret(1, 1);
  EXPECT_EQ(Edit->SearchReplace("ab", "X", kReplaceAll | ktsoMatchCase | ktsoWholeWord), 2);
  EXPECT_EQ(Lines(), V{"Ab X_X abc"});
  EXPECT_EQ(Edit->SearchReplace("ab", "Y", kReplaceAll), 2);
  EXPECT_EQ(Lines(), V{"Y X_X Yc"});
}

TEST_F(CommandFixture, ReplaceAllShiftsTheRestOfTheLine) {
  SetLines({"aaa", "xax"});
  Edit->SetMaxUndo(100);
  EXPECT_EQ(Edit->SearchReplace("a", "bb", kReplaceAll), 4);
  EXPECT_EQ(Lines(), (V{"bbbbbb", "xbbx"}));
  EXPECT_EQ(Edit->SearchReplace("bb", "", kReplaceAll), 4);
  EXPECT_EQ(Lines(), (V{"", "xx"}));
  // One paint lock for the whole run: the changes are reported once.
  EXPECT_EQ(Statuses.size(), 2u);
  UndoAll();
  EXPECT_EQ(Lines(), (V{"aaa", "xax"}));
}

TEST_F(CommandFixture, ReplaceAllScrollsTheWindowOnceAndEndsWithTheLastHitInView) {
  SetLines(V(30, "a"));  // 18 rows show
  EXPECT_EQ(Edit->SearchReplace("a", "b", kReplaceAll), 30);
  EXPECT_EQ(Host.CallsStartingWith("scroll"), V{"scroll 0,-192"});
  EXPECT_EQ(Edit->GetTopLine(), 30 - 18 + 1);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(2, 30));
}

TEST_F(CommandFixture, AReplacementWithLineBreaksMovesTheRestOfTheLineDown) {
  SetLines({"abab", "b"});
  EXPECT_EQ(Edit->SearchReplace("b", "1\r\n2", kReplaceAll), 3);
  EXPECT_EQ(Lines(), (V{"a1", "2a1", "2", "1", "2"}));
}

TEST_F(CommandFixture, PromptAnswersDecideEachReplacement) {
  SetLines({"a a a a a"});
  std::vector<TktReplaceAction> answers = {raReplace, raSkip, raReplace, raCancel};
  std::vector<int> columns;
  std::string replaceSeen;
  Edit->OnReplaceText = [&](TObject*, const std::string& search, const std::string& replace,
                            int line, int column, TktReplaceAction& action) {
    EXPECT_EQ(search, "a");
    replaceSeen = replace;
    EXPECT_EQ(line, 1);
    EXPECT_EQ(action, raCancel);
    columns.push_back(column);
    action = answers[columns.size() - 1];
  };
  const uint8_t prompted = kReplaceAll | ktsoPrompt;
  EXPECT_EQ(Edit->SearchReplace("a", "bc", prompted), 4);  // Cancel counts as the fourth
  EXPECT_EQ(replaceSeen, "bc");
  EXPECT_EQ(Lines(), V{"bc a bc a a"});
  EXPECT_EQ(columns, (std::vector<int>{1, 4, 6, 9}));
  // All: this one and the rest without asking.
  columns.clear();
  answers = {raSkip, raReplaceAll};
  EXPECT_EQ(Edit->SearchReplace("a", "bc", prompted), 3);
  EXPECT_EQ(Lines(), V{"bc a bc bc bc"});
  EXPECT_EQ(columns, (std::vector<int>{4, 9}));
  // Without replace-all the run ends after the first match handled.
  columns.clear();
  answers = {raReplace};
  Caret(1, 1);
  EXPECT_EQ(Edit->SearchReplace("a", "Q", ktsoReplace | ktsoPrompt), 1);
  EXPECT_EQ(Lines(), V{"bc Q bc bc bc"});
}

TEST_F(CommandFixture, TheSelectedScopeFollowsTheSelectionsMode) {
  SetLines({"ab ab", "xab ab", "ab"});
  Select(TPoint(4, 1), TPoint(3, 2), smLine);  // whole lines 1 and 2
  EXPECT_EQ(Edit->SearchReplace("ab", "Z", kReplaceAll | ktsoSelectedOnly), 4);
  EXPECT_EQ(Lines(), (V{"Z Z", "xZ Z", "ab"}));
  EXPECT_EQ(Edit->GetSelectionMode(), smLine);

  SetLines({"ab ab", "xab ab", "ab"});
  Select(TPoint(2, 1), TPoint(5, 3), smColumn);  // columns 2..4
  EXPECT_EQ(Edit->SearchReplace("ab", "Z", kReplaceAll | ktsoSelectedOnly), 1);
  EXPECT_EQ(Lines(), (V{"ab ab", "xZ ab", "ab"}));

  SetLines({"ab ab", "xab ab", "ab"});
  Select(TPoint(4, 1), TPoint(4, 2));  // normal: from the second "ab" to inside "ab" of line 2
  EXPECT_EQ(Edit->SearchReplace("ab", "Z", kReplaceAll | ktsoSelectedOnly), 2);
  EXPECT_EQ(Lines(), (V{"ab Z", "xZ ab", "ab"}));
}

TEST_F(CommandFixture, ReplacementsOnTheScopesLastLineMoveItsEnd) {
  SetLines({"xx xx xx", "xx"});
  Select(TPoint(1, 1), TPoint(9, 1));
  EXPECT_EQ(Edit->SearchReplace("xx", "yyy", kReplaceAll | ktsoSelectedOnly), 3);
  EXPECT_EQ(Lines(), (V{"yyy yyy yyy", "xx"}));
  Select(TPoint(1, 1), TPoint(12, 1));
  EXPECT_EQ(Edit->SearchReplace("yyy", "y", kReplaceAll | ktsoSelectedOnly), 3);
  EXPECT_EQ(Lines(), (V{"y y y", "xx"}));
}

TEST_F(CommandFixture, TheEditorsModeDoesNotNarrowOrWidenATextSearch) {
  // A column or line mode without a selection neither hides matches left of
  // the caret's column on later lines nor replaces whole lines.
  SetLines({"   abc", "abc", "abc"});
  Edit->SetSelectionMode(smColumn);
  Caret(5, 1);
  EXPECT_EQ(Edit->SearchReplace("abc", "", 0), 1);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 2));
  Edit->SetSelectionMode(smLine);
  EXPECT_EQ(Edit->SearchReplace("b", "X", kReplaceAll), 3);
  EXPECT_EQ(Lines(), (V{"   aXc", "aXc", "aXc"}));
}

TEST_F(CommandFixture, ReplacingWorksWhereTheUserCannotSelect) {
  SetLines({"abc abc"});
  Edit->SetOptions(Edit->GetOptions().Include(kteoNoSelection));
  EXPECT_EQ(Edit->SearchReplace("b", "", kReplaceAll), 2);
  EXPECT_EQ(Lines(), V{"ac ac"});
}

TEST_F(CommandFixture, AFoundMatchIsScrolledIntoView) {
  std::vector<std::string> lines(100, "line");
  lines[70] = "target";
  SetLines(lines);
  EXPECT_EQ(Edit->SearchReplace("target", "", 0), 1);
  EXPECT_LE(Edit->GetTopLine(), 71);
  EXPECT_GE(Edit->GetTopLine() + Edit->GetLinesInWindow() - 1, 71);
  EXPECT_EQ(Edit->GetLeftChar(), 1);
}

}  // namespace
