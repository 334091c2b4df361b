// Typing into the editing control's window under Wine: keys run through the
// message loop (TranslateMessage makes their characters), become commands
// through the key map, and the characters of keys that became commands are
// not typed as well.
#include "EditWindowFixture.h"

TQ_TEST_APPLICATION();

namespace {

const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kShiftCtrl{ssShift, ssCtrl};

TEST_F(EditWindowTest, TypedTextAndEditingKeysChangeTheText) {
  SetLines({"first", "second"});
  Click(CellPoint(3, 1));
  Type("XY");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"fiXYrst", "second"}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(5, 1));

  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"fiXst", "second"}));
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"fiX", "st", "second"}));
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 2));
  Type("A b!");
  EXPECT_EQ(Lines()[1], "A b!st");

  Key(VK_END);
  Key(VK_DOWN);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(7, 3));
  Key(VK_HOME, kCtrl);
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 1));
  Key('Z', kCtrl);  // undo the last change ("A b!" came in as typing)
  EXPECT_NE(Lines()[1], "A b!st");
  const std::vector<std::string> undone = Lines();
  Key(VK_BACK, TShiftState{ssShift, ssAlt});  // redo; its character types nothing
  EXPECT_EQ(Lines()[1], "A b!st");
  Key(VK_BACK, TShiftState{ssAlt});  // undo again
  EXPECT_EQ(Lines(), undone);
}

TEST_F(EditWindowTest, ShiftedKeysSelectAndTheWordKeysJump) {
  SetLines({"alpha beta gamma", "delta"});
  Click(CellPoint(1, 1));
  Key(VK_RIGHT, kShiftCtrl);
  EXPECT_EQ(Edit->GetSelText(), "alpha ");
  Key(VK_RIGHT, kShift);
  Key(VK_DOWN, kShift);
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 1));
  // The caret may stand past the line's end; the selection ends at it.
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(8, 2));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(6, 2));
  Type("Z");  // typing replaces the selection
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Z"}));
}

TEST_F(EditWindowTest, AKeyHandlerThatClearsTheKeyStopsTheCommand) {
  SetLines({"abc"});
  Click(CellPoint(2, 1));
  Form->Editor->OnKeyDown = [](TObject*, uint16_t& key, TShiftState) {
    if (key == VK_DELETE) key = 0;
  };
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"abc"}));
  Key(VK_BACK);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"bc"}));
}

}  // namespace
