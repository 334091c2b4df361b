// Copy, cut and paste through the host's clipboard: the plain text and the
// private block with its mode byte, blocks pasting back in their mode, what
// the control does with a block it cannot trust, and the failures it reports.
#include "CommandFixture.h"

namespace {

TEST_F(CommandFixture, CopyPlacesTheTextAndTheBlockWithItsMode) {
  SetLines({"abcdef", "gh", "ijklmn"});
  Cmd(ecCopy);  // nothing selected: the clipboard stays as it is
  EXPECT_TRUE(Host.Clipboard.empty());
  Select(TPoint(2, 1), TPoint(5, 3), smColumn);
  Cmd(ecCopy);
  // Other programs see the padded lines.
  EXPECT_EQ(Host.Clipboard[kcfText], "bcd\r\nh  \r\njkl");
  EXPECT_EQ(Host.Clipboard[kcfBlock], std::string("\x01") + "bcd\r\nh  \r\njkl");
  EXPECT_EQ(Lines(), (V{"abcdef", "gh", "ijklmn"}));
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(CommandFixture, AColumnBlockPastesBackAsAColumnBlock) {
  SetLines({"abcdef", "gh", "ijklmn"});
  Select(TPoint(2, 1), TPoint(4, 2), smColumn);
  Cmd(ecCopy);
  Select(TPoint(4, 3), TPoint(4, 3));
  Caret(4, 3);
  Cmd(ecPaste);
  EXPECT_EQ(Lines(), (V{"abcdef", "gh", "ijkbclmn", "   h "}));  // a line added for it
  // At the block's left column, below it as far as the text goes.
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(4, 4));
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"abcdef", "gh", "ijklmn"}));
}

TEST_F(CommandFixture, ALineBlockPastesAsWholeLinesAboveTheCaretLine) {
  SetLines({"one", "two", "three"});
  Select(TPoint(2, 1), TPoint(2, 2), smLine);
  Cmd(ecCopy);
  EXPECT_EQ(Host.Clipboard[kcfBlock], std::string("\x02") + "one\r\ntwo\r\n");
  Select(TPoint(3, 3), TPoint(3, 3));
  Caret(3, 3);
  Cmd(ecPaste);
  EXPECT_EQ(Lines(), (V{"one", "two", "one", "two", "three"}));
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"one", "two", "three"}));
}

TEST_F(CommandFixture, PastingPlainTextOverASelectionUndoesInOneStep) {
  SetLines({"hello world"});
  Host.Clipboard[kcfText] = "there\r\nall";
  EXPECT_TRUE(Edit->CanPaste());
  Select(TPoint(7, 1), TPoint(12, 1));
  Cmd(ecPaste);
  EXPECT_EQ(Lines(), (V{"hello there", "all"}));
  EXPECT_EQ(Kinds(), (std::vector<TktChangeReason>{ktcrSelDelete, ktcrPaste}));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"hello world"});
  EXPECT_EQ(Edit->GetSelText(), "world");
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(CommandFixture, CutRecordsTheDeleteAndUndoBringsTheTextBack) {
  SetLines({"abc", "def"});
  Select(TPoint(2, 1), TPoint(2, 2));
  Cmd(ecCut);
  EXPECT_EQ(Lines(), V{"aef"});
  EXPECT_EQ(Host.Clipboard[kcfText], "bc\r\nd");
  EXPECT_EQ(Kinds(), std::vector<TktChangeReason>{ktcrDelete});
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"abc", "def"}));
}

struct TBlockCase {
  const char* Name;
  std::string Block;  // the private format's data as the clipboard gives it
  V After;
};
void PrintTo(const TBlockCase& c, std::ostream* os) { *os << c.Name; }

class PrivateBlocks : public CommandFixture, public ::testing::WithParamInterface<TBlockCase> {};

// A block is used only in a mode the control knows and only up to its end
// or NUL; otherwise the plain text is pasted.
TEST_P(PrivateBlocks, AreCheckedBeforeUse) {
  SetLines({"xy"});
  Host.Clipboard[kcfText] = "T";
  Host.Clipboard[kcfBlock] = GetParam().Block;
  Caret(2, 1);
  Cmd(ecPaste);
  EXPECT_EQ(Lines(), GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrivateBlocks,
    ::testing::Values(TBlockCase{"NormalBlock", std::string("\x00" "ab", 3), {"xaby"}},
                      TBlockCase{"ColumnBlock", std::string("\x01" "a\r\nb", 5), {"xay", " b"}},
                      TBlockCase{"ModeOutOfRange", std::string("\x03" "ab", 3), {"xTy"}},
                      TBlockCase{"Empty", std::string(), {"xTy"}},
                      TBlockCase{"TextStopsAtANul", std::string("\x00" "a\0zz", 5), {"xay"}}),
    [](const ::testing::TestParamInfo<TBlockCase>& info) { return std::string(info.param.Name); });

TEST_F(CommandFixture, ClipboardFailuresRaiseAndLeaveTheText) {
  SetLines({"abc"});
  Select(TPoint(1, 1), TPoint(3, 1));
  Host.FailClipboardWrite = true;
  try {
    Cmd(ecCut);
    FAIL() << "no error";
  } catch (const EktEditError& e) {
    EXPECT_EQ(e.Message(), "Clipboard copy operation failed");
  }
  EXPECT_EQ(Lines(), V{"abc"});
  EXPECT_FALSE(Edit->CanUndo());

  Host.FailClipboardWrite = false;
  Host.Clipboard[kcfBlock] = std::string("\x00" "zz", 3);
  Host.FailClipboardRead = true;
  try {
    Cmd(ecPaste);
    FAIL() << "no error";
  } catch (const EktEditError& e) {
    EXPECT_EQ(e.Message(), "Clipboard paste operation failed.");
  }
  EXPECT_EQ(Lines(), V{"abc"});
}

TEST_F(CommandFixture, WithoutAWindowThereIsNoClipboard) {
  TTestEdit edit(nullptr);
  edit.SetText("abc");
  EXPECT_FALSE(edit.CanPaste());
  edit.PasteFromClipboard();
  EXPECT_EQ(edit.GetText(), "abc\r\n");
  edit.SetBlockBegin(TPoint(1, 1));
  edit.SetBlockEnd(TPoint(2, 1));
  EXPECT_THROW(edit.CopyToClipboard(), EktEditError);
}

}  // namespace
