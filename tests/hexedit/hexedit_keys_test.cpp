// Typing, keys, navigation, selection and markers.
#include "HexFixture.h"
#include "editor/KeyCodes.h"

namespace {
const TShiftState kNone;
const TShiftState kShift = TShiftState{ssShift};
const TShiftState kCtrl = TShiftState{ssCtrl};
const TShiftState kCtrlShift = TShiftState{ssCtrl, ssShift};
}  // namespace

TEST_F(THexTest, OverwritingNibbles) {
  struct Case {
    bool swap, second;
    char digit;
    uint8_t expected;
  } cases[] = {
      {false, false, 'A', 0xA2}, {false, true, 'b', 0x1B}, {true, false, 'A', 0x1A}, {true, true, 'A', 0xA2},
  };
  for (const Case& c : cases) {
    THexEditor& hex = Load("\x12\x34");
    hex.SetSwapNibbles(c.swap);
    CaretTo(0, false, c.second);
    Type(std::string(1, c.digit));
    EXPECT_EQ(hex.GetByte(0), c.expected) << c.swap << c.second;
    EXPECT_TRUE(hex.IsChanged(0));
  }
}

TEST_F(THexTest, TypingInInsertModeAndGoingOnAtTheEnd) {
  THexEditor& hex = Load("\x12");
  hex.SetAllowInsertMode(true);
  ASSERT_TRUE(hex.KeyDown(vkInsert, kNone));
  EXPECT_TRUE(hex.InsertActive());
  EXPECT_EQ(hex.GetCaretStyle(), csLeftLine);
  CaretTo(0);
  Type("5");
  EXPECT_EQ(Data(), "\x50\x12");
  Type("6");
  EXPECT_EQ(Data(), "\x56\x12");
  EXPECT_FALSE(hex.IsChanged(0)) << "insert mode marks nothing";
  CaretTo(1, false, true);
  Type("9");
  EXPECT_EQ(Data(), std::string("\x56\x19\x00", 3)) << "a zero byte follows the last one";
  Type("ab");
  EXPECT_EQ(Data(), std::string("\x56\x19\xAB\x00", 4));
  // The character pane in insert mode.
  CaretTo(0, true);
  Type("Z");
  EXPECT_EQ(Data().substr(0, 2), "Z\x56");
}

TEST_F(THexTest, TypingIsRefusedWhereItMustBe) {
  THexEditor& hex = Load("ab");
  hex.SetReadOnlyView(true);
  CaretTo(0, true);
  Type("x");
  EXPECT_TRUE(hex.KeyDown(vkDelete, kCtrl));
  EXPECT_EQ(Data(), "ab");
  hex.SetReadOnlyView(false);
  Type("\x05");  // translates to a code below 32
  EXPECT_EQ(Data(), "ab");
  hex.SetTranslation(ttEBCDIC);
  Type("&");
  EXPECT_EQ(hex.GetByte(0), 0x50);
  hex.SetTranslation(ttMac);
  CaretTo(0, true);
  Type("\xC4");
  EXPECT_EQ(hex.GetByte(0), 0x80);
}

TEST_F(THexTest, AltEntryTypesTheOemCode) {
  THexEditor& hex = Load("ab");
  CaretTo(0, true);
  hex.KeyUp(vkMenu, kNone);
  Type("\x05");
  EXPECT_EQ(hex.GetByte(0), OemTables().ToOem[5]);
  EXPECT_FALSE(hex.GetAltEntry());
}

TEST_F(THexTest, BackspaceAndDelete) {
  THexEditor& hex = Load("abcdef");
  hex.KeyDown(vkDelete, kNone);
  EXPECT_EQ(Data(), "abcdef") << "plain Delete does nothing in overwrite mode";
  hex.SetAllowInsertMode(true);
  hex.SetInsertMode(true);
  CaretTo(3);
  hex.KeyDown(vkBack, kNone);
  EXPECT_EQ(Data(), "abdef");
  EXPECT_EQ(hex.GetCursorPosition(), 2);
  hex.SetSelStart(1);
  hex.SetSelEnd(2);
  const int records = hex.GetUndoCount();
  hex.KeyDown(vkBack, kNone);
  EXPECT_EQ(Data(), "aef") << "a selection goes alone";
  EXPECT_EQ(hex.GetUndoCount(), records + 1);
  CaretTo(1);
  hex.KeyDown(vkDelete, kNone);
  EXPECT_EQ(Data(), "af");
  hex.SetInsertMode(false);
  CaretTo(0);
  hex.KeyDown(vkDelete, kCtrl);
  EXPECT_EQ(Data(), "f");
  EXPECT_TRUE(hex.Undo());
  EXPECT_EQ(Data(), "af");
}

TEST_F(THexTest, NavigationKeys) {
  THexEditor& hex = Load(std::string(100, 'n'));  // 7 rows of 16
  struct Case {
    int from;
    bool charPane;
    uint16_t key;
    TShiftState shift;
    int expected;
  } cases[] = {
      {20, false, vkHome, kNone, 16},  {20, true, vkEnd, kNone, 31},   {20, false, vkEnd, kCtrl, 99},
      {20, false, vkHome, kCtrl, 0},   {20, false, vkDown, kNone, 36}, {5, false, vkUp, kNone, 5},
      {97, false, vkDown, kNone, 97},  {20, true, vkRight, kNone, 21}, {99, true, vkRight, kNone, 99},
      {20, true, vkLeft, kNone, 19},   {0, true, vkLeft, kNone, 0},    {17, false, vkRight, kCtrl, 31},
  };
  for (const Case& c : cases) {
    CaretTo(c.from, c.charPane);
    EXPECT_TRUE(hex.KeyDown(c.key, c.shift));
    EXPECT_EQ(hex.GetCursorPosition(), c.expected) << c.from << " key " << c.key;
  }
  // Nibble steps in the hex pane.
  CaretTo(4);
  hex.KeyDown(vkRight, kNone);
  EXPECT_EQ(hex.GetCol(), 11);
  hex.KeyDown(vkRight, kNone);
  EXPECT_EQ(hex.GetCol(), 12);
  hex.KeyDown(vkLeft, kNone);
  hex.KeyDown(vkLeft, kNone);
  hex.KeyDown(vkLeft, kNone);
  EXPECT_EQ(hex.GetCol(), 9);
  // Tab goes to the other pane and back.
  hex.KeyDown(vkTab, kNone);
  EXPECT_TRUE(hex.CaretInCharPane());
  EXPECT_EQ(hex.GetCursorPosition(), 3);
  hex.KeyDown('T', kCtrl);
  EXPECT_EQ(hex.GetCol(), 8);
}

TEST_F(THexTest, PageKeysMoveRowAndTopRowTogether) {
  THexEditor& hex = Load(std::string(16 * 100, 'p'));
  const int rows = hex.Grid().VisibleRowCount();
  hex.KeyDown(vkNext, kNone);
  EXPECT_EQ(hex.GetRow(), rows - 1);
  EXPECT_EQ(hex.Grid().GetTopRow(), rows - 1);
  hex.KeyDown(vkNext, kCtrl);
  EXPECT_EQ(hex.GetRow(), hex.Grid().GetTopRow() + rows - 1);
  hex.KeyDown(vkPrior, kNone);
  EXPECT_EQ(hex.Grid().GetTopRow(), 0);
  hex.KeyDown(vkEnd, kCtrl);
  EXPECT_EQ(hex.GetRow(), 99);
  EXPECT_EQ(hex.Grid().GetTopRow(), 100 - rows);
}

TEST_F(THexTest, ShiftSelectsFromTheAnchor) {
  THexEditor& hex = Load(std::string(64, 's'));
  CaretTo(5);
  hex.KeyDown(vkShift, kShift);
  hex.KeyDown(vkRight, kShift);
  hex.KeyDown(vkRight, kShift);
  hex.KeyDown(vkDown, kShift);
  EXPECT_EQ(hex.GetSelFirst(), 5);
  EXPECT_EQ(hex.GetSelLast(), 22);
  hex.KeyDown(vkUp, kShift);
  hex.KeyDown(vkHome, kShift);
  EXPECT_EQ(hex.GetSelFirst(), 0);
  EXPECT_EQ(hex.GetSelLast(), 5);
  hex.KeyUp(vkShift, kNone);
  hex.KeyDown(vkRight, kNone);
  EXPECT_FALSE(hex.HasSelection());
  // In insert mode the caret stands before a byte.
  hex.SetAllowInsertMode(true);
  hex.SetInsertMode(true);
  CaretTo(10, true);
  hex.KeyDown(vkRight, kShift);
  EXPECT_EQ(hex.GetSelFirst(), 10);
  EXPECT_EQ(hex.GetSelLast(), 10);
}

TEST_F(THexTest, MouseSelectsInOnePane) {
  THexEditor& hex = Load(std::string(64, 'm'));
  const TRect from = hex.Grid().CellRect(2 + 2 * 3, 0);
  const TRect to = hex.Grid().CellRect(2 + 2 * 6, 1);
  hex.MouseDown(mbLeft, TShiftState{ssLeft}, from.Left + 1, from.Top + 1);
  EXPECT_TRUE(Host.Captured);
  hex.MouseMove(TShiftState{ssLeft}, to.Left + 1, to.Top + 1);
  hex.MouseUp(mbLeft, kNone, to.Left + 1, to.Top + 1);
  EXPECT_FALSE(Host.Captured);
  EXPECT_EQ(hex.GetSelFirst(), 3);
  EXPECT_EQ(hex.GetSelLast(), 22);
  hex.MouseDown(mbLeft, TShiftState{ssLeft}, from.Left + 1, from.Top + 1);
  EXPECT_FALSE(hex.HasSelection());
}

TEST_F(THexTest, Markers) {
  THexEditor& hex = Load(std::string(64, 'k'));
  CaretTo(40);
  hex.KeyDown(vk0 + 3, kCtrlShift);
  EXPECT_EQ(hex.GetMarker(3), 2);
  CaretTo(0);
  hex.KeyDown(vk0 + 3, kCtrl);
  EXPECT_EQ(hex.GetRow(), 2);
  EXPECT_EQ(hex.GetCol(), 2);
  hex.KeyDown(vk0 + 4, kCtrl);  // unset: the caret stays
  EXPECT_EQ(hex.GetRow(), 2);
  // The row goes with its bytes: the marker is cleared, the caret stays.
  hex.SetSelStart(20);
  hex.SetSelEnd(63);
  hex.KeyDown(vkDelete, kCtrl);
  CaretTo(3);
  hex.KeyDown(vk0 + 3, kCtrl);
  EXPECT_EQ(hex.GetMarker(3), -1);
  EXPECT_EQ(hex.GetCursorPosition(), 3);
  for (int bad : {-1, 10, -2147483647})
    EXPECT_THROW(
        try { hex.SetMarker(bad, 0); } catch (const EHexEditor& e) {
          EXPECT_EQ(e.Message(), "SetMarker : Invalid marker index");
          throw;
        },
        EHexEditor);
}

TEST_F(THexTest, PropertiesAndLayout) {
  THexEditor& hex = Load(std::string(4096, 'g'));
  EXPECT_EQ(hex.Grid().GetColCount(), 51);
  EXPECT_EQ(hex.GetOffsetDigits(), 6);
  EXPECT_EQ(hex.OffsetText(0), "0x000:");
  EXPECT_EQ(hex.OffsetText(255), "0xFF0:");
  int col, row;
  hex.OffsetToCell(17, false, col, row);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 4);
  hex.OffsetToCell(17, true, col, row);
  EXPECT_EQ(col, 36);
  EXPECT_EQ(hex.CellOffset(5, 1), 17);
  const int w = hex.GetCharWidth();
  EXPECT_EQ(hex.Grid().GetColWidth(5), 2 * w) << "the last digit of a group of two bytes";
  EXPECT_EQ(hex.Grid().GetColWidth(3), w);
  for (int bad : {0, -3}) {
    hex.SetBytesPerColumn(bad);
    EXPECT_EQ(hex.GetBytesPerColumn(), 1);
    EXPECT_EQ(hex.Grid().GetColWidth(3), 2 * w);
  }
  for (int bad : {0, 257})
    EXPECT_THROW(
        try { hex.SetBytesPerLine(bad); } catch (const EHexEditor& e) {
          EXPECT_EQ(e.Message(), "Invalid BytesPerLine argument");
          throw;
        },
        EHexEditor);
  CaretTo(100, true);
  hex.SetBytesPerLine(8);
  EXPECT_EQ(hex.GetCursorPosition(), 100);
  EXPECT_TRUE(hex.CaretInCharPane());
  EXPECT_EQ(hex.Grid().GetColCount(), 27);
  hex.SetOffsetDisplay(odDec);
  EXPECT_EQ(hex.OffsetText(1), "   8:");
  hex.SetOffsetDisplay(odOctal);
  EXPECT_EQ(hex.OffsetText(1), "o 00010:");
  hex.SetNoSizeChange(true);
  hex.SetAllowInsertMode(true);
  EXPECT_FALSE(hex.GetAllowInsertMode());
}

TEST_F(THexTest, StateChangesArePostedAndFiredByTheMessage) {
  THexEditor& hex = Load("abc");
  int fired = 0;
  hex.OnStateChanged = [&](TObject*) { ++fired; };
  Host.PostedStateChanges = 0;
  hex.ChangeByte(0, 'a', 'b');
  EXPECT_GE(Host.PostedStateChanges, 1);
  EXPECT_EQ(fired, 0);
  hex.StateChangedMessage();
  EXPECT_EQ(fired, 1);
  hex.ResetUndo();
  EXPECT_EQ(fired, 2) << "ResetUndo fires directly";
}

// Typing over a selection in insert mode leaves no selection behind and the
// caret after what was typed, so the next key acts where the user looks.
TEST_F(THexTest, TypingOverASelectionLeavesTheCaretAfterTheNewBytes) {
  struct Case {
    const char* what;
    std::string data;
    int from;
    bool charPane;
    int shiftRights;
    std::string typed;
    std::string expected;
    int caret;
  } cases[] = {
      {"forward in the character pane", "abcdef", 2, true, 3, "X", "abXf", 3},
      {"forward, more after it", "abcdefgh", 2, true, 3, "X", "abXfgh", 3},
      {"forward, then more typing", "abcdefgh", 2, true, 3, "XY", "abXYfgh", 4},
      {"backward in the character pane", "abcdef", 4, true, -2, "X", "abXef", 3},
      {"to the last byte", "abcdef", 3, true, 3, "X", "abcXf", 4},
      {"in the hex pane", "\x12\x34\x56\x78", 1, false, 4, "9", "\x12\x90\x78", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    THexEditor& hex = Load(c.data);
    hex.SetAllowInsertMode(true);
    hex.SetInsertMode(true);
    CaretTo(c.from, c.charPane);
    hex.KeyDown(vkShift, kShift);
    for (int i = 0; i < std::abs(c.shiftRights); ++i)
      hex.KeyDown(c.shiftRights > 0 ? vkRight : vkLeft, kShift);
    hex.KeyUp(vkShift, kNone);
    Type(c.typed);
    EXPECT_EQ(Data(), c.expected);
    EXPECT_FALSE(hex.HasSelection());
    EXPECT_EQ(hex.GetCursorPosition(), c.caret);
    EXPECT_LT(hex.CellOffset(hex.GetCol(), hex.GetRow()), hex.GetDataSize());
    // The next Delete takes the byte at the caret, nothing typed.
    const std::string before = Data();
    hex.KeyDown(vkDelete, kNone);
    ASSERT_LT(c.caret, int(before.size()));
    EXPECT_EQ(Data(), before.substr(0, size_t(c.caret)) + before.substr(size_t(c.caret) + 1));
  }
}
