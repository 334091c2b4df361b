// The undo list's recording side: the size limit, the lock, handing records
// over newest first, and trimming when the limit is lowered.
#include <gtest/gtest.h>

#include <string>

#include "editor/UndoList.h"

namespace {

void AddNumbered(TUndoList& list, int n) {
  list.AddChange(ktcrInsert, TPoint(n, 1), TPoint(n + 1, 1), std::to_string(n), smNormal);
}

std::string Drain(TUndoList& list) {
  std::string order;
  TPoint a, b;
  TSelectionMode mode;
  std::string text;
  while (list.GetChange(a, b, mode, text) != ktcrNothing) order += text + " ";
  return order;
}

TEST(UndoList, TheEleventhChangeDropsTheFirst) {
  TUndoList list;
  int added = 0;
  list.OnAdded = [&] { ++added; };
  for (int i = 1; i <= 11; ++i) AddNumbered(list, i);
  EXPECT_EQ(list.GetCount(), 10);
  EXPECT_EQ(added, 11);
  EXPECT_EQ(Drain(list), "11 10 9 8 7 6 5 4 3 2 ");
}

TEST(UndoList, GetChangeHandsOverTheNewestRecordWhole) {
  TUndoList list;
  EXPECT_EQ(list.LastChangeReason(), ktcrNothing);
  list.AddChange(ktcrSelDelete, TPoint(2, 3), TPoint(4, 5), "gone", smColumn);
  list.AddChange(ktcrLineBreak, TPoint(1, 1), TPoint(1, 2), "", smNormal);
  EXPECT_EQ(list.LastChangeReason(), ktcrLineBreak);
  EXPECT_EQ(list.Peek(1)->ChangeText, "gone");
  EXPECT_EQ(list.Peek(2), nullptr);
  TPoint a, b;
  TSelectionMode mode = smNormal;
  std::string text = "untouched";
  EXPECT_EQ(list.GetChange(a, b, mode, text), ktcrLineBreak);
  EXPECT_EQ(list.GetChange(a, b, mode, text), ktcrSelDelete);
  EXPECT_EQ(a, TPoint(2, 3));
  EXPECT_EQ(b, TPoint(4, 5));
  EXPECT_EQ(mode, smColumn);
  EXPECT_EQ(text, "gone");
  EXPECT_EQ(list.GetChange(a, b, mode, text), ktcrNothing);
  EXPECT_EQ(text, "gone");  // an empty list leaves the out-parameters alone
  EXPECT_FALSE(list.CanUndo());
}

TEST(UndoList, ALockedListRecordsNothing) {
  TUndoList list;
  int added = 0;
  list.OnAdded = [&] { ++added; };
  list.LockUndo();
  AddNumbered(list, 1);
  EXPECT_EQ(list.GetCount(), 0);
  list.UnlockUndo();
  AddNumbered(list, 2);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(added, 1);
}

TEST(UndoList, LoweringMaxUndoTrimsOnlyBeyondOneSpareAndAddingNeverExceedsIt) {
  TUndoList list;
  for (int i = 1; i <= 10; ++i) AddNumbered(list, i);
  list.SetMaxUndo(9);  // 10 records: within the one spare, kept
  EXPECT_EQ(list.GetCount(), 10);
  AddNumbered(list, 11);  // a full list gives up as many as it must
  EXPECT_EQ(list.GetCount(), 9);
  list.SetMaxUndo(4);  // 9 > 5: down to 4
  EXPECT_EQ(list.GetCount(), 4);
  EXPECT_EQ(Drain(list), "11 10 9 8 ");
  list.SetMaxUndo(-2);
  EXPECT_EQ(list.GetMaxUndo(), 4);
}

TEST(UndoList, AZeroLimitKeepsNothingButStillReportsEachChange) {
  TUndoList list;
  int added = 0;
  list.OnAdded = [&] { ++added; };
  AddNumbered(list, 1);
  list.SetMaxUndo(0);  // one record is within the one spare
  EXPECT_EQ(list.GetCount(), 1);
  AddNumbered(list, 2);  // unrecorded: the older record could no longer replay
  AddNumbered(list, 3);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(added, 3);
}

}  // namespace
