// The undo stream, the buffer operations and the nibble shift.
#include <optional>
#include <random>

#include "platform/RecordingCanvas.h"

#include "HexFixture.h"

TEST_F(THexTest, NibbleInsertionAndDeletion) {
  struct Case {
    bool insert, high;
    std::string expected;
  } cases[] = {
      {true, true, std::string("\x01\x23\x40", 3)},
      {true, false, std::string("\x10\x23\x40", 3)},
      {false, true, std::string("\x23\x40", 2)},
      {false, false, std::string("\x13\x40", 2)},
  };
  for (const Case& c : cases) {
    THexEditor& hex = Load("\x12\x34");
    EXPECT_TRUE(c.insert ? hex.InsertNibble(0, c.high) : hex.DeleteNibble(0, c.high));
    EXPECT_EQ(Data(), c.expected);
    EXPECT_EQ(hex.GetUndoDescription(), c.insert ? "Insert nibble" : "Delete nibble");
    EXPECT_EQ(CountFiles(".ZOVT"), 1) << "the shift's temporary file is gone";
    ASSERT_TRUE(hex.Undo());
    EXPECT_EQ(Data(), "\x12\x34") << "undo gives back the bytes and the size";
  }
}

TEST_F(THexTest, NibbleShiftOverManyBlocksWritesNoPadding) {
  std::string data;
  for (int i = 0; i < 1300; ++i) data += char(i * 7);
  THexEditor& hex = Load(data);
  ASSERT_TRUE(hex.InsertNibble(5, true));
  ASSERT_EQ(hex.GetDataSize(), 1301);
  std::string expected = data.substr(0, 5);
  uint8_t carry = 0;
  for (size_t i = 5; i < data.size(); ++i) {
    expected += char((uint8_t(data[i]) >> 4) | (carry << 4));
    carry = uint8_t(data[i]) & 0x0F;
  }
  expected += char(carry << 4);
  EXPECT_EQ(Data(), expected);
  ASSERT_TRUE(hex.Undo());
  EXPECT_EQ(Data(), data);
}

TEST_F(THexTest, FailingShiftFileChangesAndRecordsNothing) {
  THexEditor& hex = Load("\x12\x34");
  PointTempAt("nowhere");
  EXPECT_FALSE(hex.InsertNibble(0, true));
  EXPECT_FALSE(hex.DeleteNibble(0, false));
  EXPECT_EQ(Data(), "\x12\x34");
  EXPECT_FALSE(hex.GetCanUndo());
  EXPECT_FALSE(hex.GetModified());
}

TEST_F(THexTest, RecordLayoutAndTheFiveHundredLimit) {
  THexEditor& hex = Load(std::string(600, '\0'));
  hex.ChangeByte(0, 0, 1);
  EXPECT_EQ(hex.GetUndoStreamSize(), 38);
  hex.SetSelStart(10);
  hex.SetSelEnd(13);
  hex.DeleteSelection();
  EXPECT_EQ(hex.GetUndoStreamSize(), 38 + 37 + 4);
  for (int i = 1; i <= 500; ++i) hex.ChangeByte(i, hex.GetByte(i), uint8_t(i | 1));
  EXPECT_EQ(hex.GetUndoCount(), 500);
  EXPECT_EQ(hex.GetUndoStreamSize(), 500 * 38);
  while (hex.Undo()) {
  }
  EXPECT_EQ(hex.GetByte(0), 1) << "the oldest changes fell out of the stream";
  EXPECT_EQ(hex.GetDataSize(), 596);
  EXPECT_EQ(hex.GetUndoDescription(), "No Undo");
}

TEST_F(THexTest, SizeChangesRefusedWithNoSizeChange) {
  THexEditor& hex = Load("abcdefgh");
  hex.SetNoSizeChange(true);
  hex.SetInsertMode(true);
  EXPECT_FALSE(hex.GetAllowInsertMode());
  hex.DeleteSelection();
  EXPECT_FALSE(hex.InsertNibble(0, true) && hex.GetDataSize() != 8);
  hex.InsertBuffer("x", 1, 0);
  hex.AppendBuffer("x", 1);
  EXPECT_EQ(Data(), "abcdefgh");
  EXPECT_FALSE(hex.GetCanUndo());
  hex.SetSelStart(1);
  hex.SetSelEnd(4);
  hex.ReplaceSelection("123456", 6);
  EXPECT_EQ(Data(), "a1234fgh");
}

TEST_F(THexTest, ReplaceSelectionUndoRestoresBytesSelectionAndCaret) {
  THexEditor& hex = Load("abcdefgh");
  hex.SetSelStart(2);
  hex.SetSelEnd(4);
  const int col = hex.GetCol();
  hex.ReplaceSelection("XY", 2);
  EXPECT_EQ(Data(), "abXYfgh");
  ASSERT_TRUE(hex.Undo());
  EXPECT_EQ(Data(), "abcdefgh");
  EXPECT_EQ(hex.GetSelFirst(), 2);
  EXPECT_EQ(hex.GetSelLast(), 4);
  EXPECT_EQ(hex.GetCol(), col);
  EXPECT_FALSE(hex.GetModified());
}

TEST_F(THexTest, ConvertAndUndoKeepTheReadWindowTrue) {
  THexEditor& hex = Load("abcdef");
  TRecordingCanvas canvas;
  hex.Paint(canvas);  // fills the read window
  THexByteTable upper{};
  for (int i = 0; i < 256; ++i) upper[i] = uint8_t(i >= 'a' && i <= 'z' ? i - 32 : i);
  hex.ConvertRange(1, 3, upper);
  EXPECT_EQ(hex.Find("BCD", 3, 0, 5, false, false), 1);
  ASSERT_TRUE(hex.Undo());
  canvas.ClearOps();
  hex.Paint(canvas);
  EXPECT_EQ(TextAt(canvas, hex.Grid().CellRect(51 - 16, 0), 6), "abcdef");
}

// Random edits in both panes and modes, undone one by one, give back every
// earlier state; the read window agrees with the file after each step.
TEST_F(THexTest, RandomEditsUndoneStepByStep) {
  std::mt19937 rng(20261210);
  std::string initial;
  for (int i = 0; i < 300; ++i) initial += char(rng());
  THexEditor& hex = Load(initial);
  hex.SetAllowInsertMode(true);
  std::vector<std::optional<std::string>> states{Data()};
  TRecordingCanvas canvas(TRect(0, 0, 2000, 2000));
  int step = 0;
  auto checkCache = [&] {
    // Painting reads through the window; Find reads the file.
    hex.ScrollToRow(0);
    canvas.ClearOps();
    hex.Paint(canvas);
    const std::string data = Data();
    for (int p = 0; p < std::min(hex.GetDataSize(), 64); ++p) {
      int col, row;
      hex.OffsetToCell(p, false, col, row);
      const TRect r = hex.Grid().CellRect(col, row);
      ASSERT_FALSE(r.IsEmpty());
      ASSERT_EQ(LookAt(canvas, TPoint(r.Left, r.Top)).Ch, "0123456789ABCDEF"[uint8_t(data[size_t(p)]) >> 4])
          << p << " step " << step;
    }
  };
  for (; step < 120; ++step) {
    const int size = hex.GetDataSize();
    const int p = size > 0 ? int(rng() % unsigned(size)) : 0;
    hex.SetInsertMode(rng() % 2 == 0);
    const int before = hex.GetUndoCount();
    switch (rng() % 8) {
      case 0: hex.ChangeByte(p, hex.GetByte(p), uint8_t(rng())); break;
      case 1: if (size > 0) hex.InsertNibble(p, rng() % 2); break;
      case 2: if (size > 0) hex.DeleteNibble(p, rng() % 2); break;
      case 3: hex.InsertBuffer("\x11\x22\x33", 1 + int(rng() % 3), p); break;
      case 4: hex.AppendBuffer("\x44\x55", 2); break;
      case 5:
        if (size > 2) {
          hex.SetSelStart(p);
          hex.SetSelEnd(std::min(size - 1, p + int(rng() % 5)));
          hex.ReplaceSelection("\x66\x77\x88\x99", 1 + int(rng() % 4));
        }
        break;
      case 6:
        if (size > 2) {
          hex.SetSelStart(p);
          hex.SetSelEnd(std::min(size - 1, p + int(rng() % 5)));
          hex.DeleteSelection();
        }
        break;
      case 7:
        if (size > 0) {
          CaretTo(p, rng() % 2, false);
          Type(rng() % 2 ? "a" : "Q");
        }
        break;
    }
    // A state per record; one that came between two records of the same
    // keystroke was never seen and is not compared.
    for (int i = before + 1; i < hex.GetUndoCount(); ++i) states.push_back(std::nullopt);
    if (hex.GetUndoCount() > before) states.push_back(Data());
    ASSERT_EQ(states.size(), size_t(hex.GetUndoCount()) + 1);
    checkCache();
  }
  while (hex.GetUndoCount() > 0) {
    ASSERT_TRUE(hex.Undo());
    states.pop_back();
    checkCache();
    if (states.back()) {
      ASSERT_EQ(Data(), *states.back()) << "after undo to record " << hex.GetUndoCount();
    }
  }
  EXPECT_EQ(Data(), initial);
}

// The undo of a nibble operation needs a shift file too: when none can be
// made it refuses, keeping the data and its record for a later try.
TEST_F(THexTest, NibbleUndoWithoutAShiftFileKeepsDataAndRecord) {
  struct Case {
    std::string data;
    bool insert, high;
  } cases[] = {
      {"\x12\x34", true, true},
      {"\x12\x34", true, false},
      {"\x12\x34\x56", false, true},
      {"\x12\x34\x56", false, false},
  };
  for (const Case& c : cases) {
    THexEditor& hex = Load(c.data);
    ASSERT_TRUE(c.insert ? hex.InsertNibble(0, c.high) : hex.DeleteNibble(0, c.high));
    const std::string edited = Data();
    PointTempAt("nowhere");
    EXPECT_FALSE(hex.Undo());
    EXPECT_EQ(Data(), edited);
    EXPECT_TRUE(hex.GetCanUndo());
    EXPECT_EQ(hex.GetUndoCount(), 1);
    EXPECT_EQ(Host.WaitDepth, 0);
    PointTempAt(".");
    ASSERT_TRUE(hex.Undo());
    EXPECT_EQ(Data(), c.data);
    EXPECT_FALSE(hex.GetCanUndo());
  }
}
