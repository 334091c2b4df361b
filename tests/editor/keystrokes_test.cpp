// Command names, the key map's rows, lookups, duplicate protection, the
// built-in defaults and chord translation.
#include <gtest/gtest.h>

#include "editor/KeyStrokes.h"

TEST(EditorCommands, NamesConvertBothWays) {
  struct Row {
    TktEditorCommand command;
    const char* name;
  } rows[] = {{ecNone, "ecNone"},           {ecGotoXY, "ecGotoXY"},
              {ecSelGotoXY, "ecSelGotoXY"}, {ecSelectAll, "ecSelectAll"},
              {ecChar, "ecChar"},           {ecImeStr, "ecImeStr"},
              {ecShiftTab, "ecShiftTab"},   {ecMatchBracket, "ecMatchBracket"},
              {ecGotoMarker9, "ecGotoMarker9"}, {ecSetMarker0, "ecSetMarker0"},
              {ecUserFirst, "ecUserFirst"}};
  for (const Row& r : rows) {
    std::string ident;
    ASSERT_TRUE(EditorCommandToIdent(r.command, ident)) << r.name;
    EXPECT_EQ(ident, r.name);
    TktEditorCommand back = 9999;
    ASSERT_TRUE(IdentToEditorCommand(r.name, back));
    EXPECT_EQ(back, r.command);
  }
  EXPECT_EQ(ecSelWordRight, 106);
  EXPECT_EQ(ecSelEditorBottom, 116);
}

TEST(EditorCommands, UnnamedNumbersStreamAsDecimals) {
  std::string ident;
  EXPECT_FALSE(EditorCommandToIdent(ecWrapAtRightEdge, ident));
  EXPECT_EQ(EditorCommandToCodeString(761), "761");
  EXPECT_EQ(EditorCommandToCodeString(1002), "1002");
  EXPECT_EQ(EditorCommandToCodeString(ecUp), "ecUp");
  TktEditorCommand c = 0;
  EXPECT_TRUE(IdentToEditorCommand("ECUP", c));
  EXPECT_EQ(c, ecUp);
  EXPECT_FALSE(IdentToEditorCommand("ecNoSuchCommand", c));
}

TEST(KeyStrokes, ShortCutWordsUseThePlatformEncoding) {
  EXPECT_EQ(ShortCut(vkUp, {ssShift}), 8230);
  EXPECT_EQ(ShortCut(vkLeft, {ssCtrl, ssShift}), 24613);
  EXPECT_EQ(ShortCut(vkTab, {ssShift}), 8201);
  uint16_t key;
  TShiftState shift;
  ShortCutToKey(0x8000 | 'Z', key, shift);
  EXPECT_EQ(key, 'Z');
  EXPECT_EQ(shift, TShiftState{ssAlt});
  EXPECT_EQ(ShortCutDisplayText(24613), "Shift+Ctrl+Left");
}

TEST(KeyStrokes, DefaultMapHasItsRowsInOrder) {
  TktKeyStrokes map(nullptr);
  map.ResetDefaults();
  ASSERT_EQ(map.GetCount(), 78);
  auto row = [&](int i) {
    const TktKeyStroke* k = map.GetItem(i);
    return std::make_tuple(k->GetShortCut(), k->GetShortCut2(), k->GetCommand());
  };
  EXPECT_EQ(row(0), std::make_tuple(TShortCut(vkUp), TShortCut(0), ecUp));
  EXPECT_EQ(row(1), std::make_tuple(TShortCut(8230), TShortCut(0), ecSelUp));
  EXPECT_EQ(row(9), std::make_tuple(TShortCut(24613), TShortCut(0), ecSelWordLeft));
  EXPECT_EQ(row(38), std::make_tuple(TShortCut(scShift | scAlt | vkBack), TShortCut(0), ecRedo));
  EXPECT_EQ(row(53), std::make_tuple(TShortCut(scCtrl | '0'), TShortCut(0), ecGotoMarker0));
  EXPECT_EQ(row(72), std::make_tuple(TShortCut(scShift | scCtrl | '9'), TShortCut(0), ecSetMarker9));
  EXPECT_EQ(row(76), std::make_tuple(TShortCut(vkTab), TShortCut(0), ecTab));
  EXPECT_EQ(row(77), std::make_tuple(TShortCut(scShift | scCtrl | 'B'), TShortCut(0), ecMatchBracket));
  EXPECT_EQ(map.FindKeycode(vkTab, {ssShift}), -1);  // no Shift+Tab row among the defaults
  // Every row is unique, so the map's own duplicate check would accept it.
  for (int i = 0; i < map.GetCount(); ++i)
    EXPECT_EQ(map.FindShortcut2(map.GetItem(i)->GetShortCut(), 0), i) << i;
}

TEST(KeyStrokes, ChordRowsAreNotSingleKeys) {
  TktKeyStrokes map(nullptr);
  TktKeyStroke* chord = map.Add();
  chord->SetShortCut(scCtrl | 'K');
  chord->SetShortCut2('B');
  chord->SetCommand(1001);
  TktKeyStroke* single = map.Add();
  single->SetShortCut(scCtrl | 'K');
  single->SetCommand(1002);
  EXPECT_EQ(map.FindKeycode('K', {ssCtrl}), 1);
  EXPECT_EQ(map.FindKeycode2('K', {ssCtrl}, 'B', {}), 0);
  EXPECT_EQ(map.FindShortcut2(scCtrl | 'K', 'B'), 0);
  EXPECT_EQ(chord->GetDisplayName(), "ecUserFirst - Ctrl+K B");
  EXPECT_EQ(single->GetDisplayName(), "1002 - Ctrl+K ");
}

TEST(KeyStrokes, ATakenShortCutRaisesAndTheRowKeepsItsKeys) {
  TktKeyStrokes map(nullptr);
  map.ResetDefaults();
  TktKeyStroke* down = map.GetItem(3);
  ASSERT_EQ(down->GetCommand(), ecDown);
  try {
    down->SetShortCut(vkUp);
    FAIL() << "no exception";
  } catch (const EktKeyError& e) {
    EXPECT_EQ(e.Message(), "Shortcut already exists");
  }
  EXPECT_EQ(down->GetKey(), vkDown);
  EXPECT_NO_THROW(down->SetShortCut(vkDown));  // its own pair
  down->SetShortCut(0);                        // 0 never raises and clears the key
  EXPECT_EQ(down->GetKey(), 0);
  EXPECT_TRUE(down->GetShift().Empty());
  down->SetShortCut(scAlt | vkDown);
  EXPECT_EQ(map.FindKeycode(vkDown, {ssAlt}), 3);
  // The second key is checked together with the first.
  TktKeyStroke* other = map.GetItem(0);  // Up
  map.GetItem(1)->SetShortCut2('Q');     // Shift+Up, Q
  EXPECT_NO_THROW(other->SetShortCut2('Q'));  // Up, Q is still free
  EXPECT_THROW(map.GetItem(1)->SetShortCut(vkUp), EktKeyError);  // Up, Q is now taken
}

TEST(KeyStrokes, AssignCopiesEveryRowInOrder) {
  TktKeyStrokes source(nullptr), copy(nullptr);
  source.ResetDefaults();
  copy.Add()->SetShortCut('Q');
  copy.Assign(&source);
  ASSERT_EQ(copy.GetCount(), 78);
  for (int i = 0; i < 78; ++i) {
    EXPECT_EQ(copy.GetItem(i)->GetShortCut(), source.GetItem(i)->GetShortCut());
    EXPECT_EQ(copy.GetItem(i)->GetCommand(), source.GetItem(i)->GetCommand());
    EXPECT_EQ(copy.GetItem(i)->GetCollection(), &copy);
  }
  EXPECT_THROW(copy.GetItem(78), EListError);
}

TEST(KeyStrokes, TranslationRemembersTheFirstKeyOfAChord) {
  TktKeyStrokes map(nullptr);
  map.ResetDefaults();
  TktKeyStroke* chord = map.Add();
  chord->SetShortCut(scCtrl | 'Q');
  chord->SetShortCut2('F');
  chord->SetCommand(1005);
  uint16_t lastKey = 0;
  TShiftState lastShift;
  EXPECT_EQ(TranslateKeyCode(map, vkLeft, {}, lastKey, lastShift), ecLeft);
  EXPECT_EQ(lastKey, 0);
  // Ctrl+Q has no row of its own: remembered as a chord start.
  EXPECT_EQ(TranslateKeyCode(map, 'Q', {ssCtrl}, lastKey, lastShift), ecNone);
  EXPECT_EQ(lastKey, 'Q');
  EXPECT_EQ(TranslateKeyCode(map, 'F', {}, lastKey, lastShift), 1005);
  EXPECT_EQ(lastKey, 0);
  // A key outside 30..145 (Shift alone) forgets the chord start.
  TranslateKeyCode(map, 'Q', {ssCtrl}, lastKey, lastShift);
  EXPECT_EQ(TranslateKeyCode(map, vkShift, {ssShift}, lastKey, lastShift), ecNone);
  EXPECT_EQ(lastKey, 0);
  EXPECT_EQ(TranslateKeyCode(map, 'F', {}, lastKey, lastShift), ecNone);
}
