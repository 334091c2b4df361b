// Recording and handing over change records.
#include "editor/UndoList.h"

void TUndoList::AddChange(TktChangeReason reason, TPoint startPos, TPoint endPos,
                          const std::string& changeText, TSelectionMode selMode) {
  if (FLocked) return;
  if (FMaxUndo <= 0) {
    // Nothing is kept, and what was kept before would replay against text
    // that has changed since.
    FItems.clear();
  } else {
    // A loop, not one removal: after MaxUndo was lowered the list may hold one
    // record more than the limit, and a full list must never grow.
    while (!FItems.empty() && int(FItems.size()) >= FMaxUndo) FItems.pop_front();
    FItems.push_back(TktUndoItem{reason, startPos, endPos, changeText, selMode});
  }
  if (OnAdded) OnAdded();
}

TktChangeReason TUndoList::GetChange(TPoint& startPos, TPoint& endPos, TSelectionMode& selMode,
                                     std::string& changeText) {
  if (FItems.empty()) return ktcrNothing;
  TktUndoItem item = std::move(FItems.back());
  FItems.pop_back();
  startPos = item.StartPos;
  endPos = item.EndPos;
  selMode = item.SelMode;
  changeText = std::move(item.ChangeText);
  return item.Reason;
}

TktChangeReason TUndoList::LastChangeReason() const {
  return FItems.empty() ? ktcrNothing : FItems.back().Reason;
}

const TktUndoItem* TUndoList::Peek(int fromNewest) const {
  if (fromNewest < 0 || fromNewest >= int(FItems.size())) return nullptr;
  return &FItems[FItems.size() - 1 - size_t(fromNewest)];
}

void TUndoList::SetMaxUndo(int value) {
  if (value < 0) return;
  if (int(FItems.size()) > value + 1)
    while (int(FItems.size()) > value) FItems.pop_front();
  FMaxUndo = value;
}
