// TUndoList: the changes of one editing control, newest last. Each control
// keeps two, the undo list and the redo list. A record holds what is needed
// to replay the change backwards or forwards exactly: its kind, the two text
// points it spans (1-based column and line), the text it removed or
// replaced, and the selection mode the text was taken or inserted in.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "editor/EditTypes.h"
#include "platform/Types.h"

enum TktChangeReason : uint8_t {
  ktcrInsert,            // typed or assigned text; the text is what an overwrite replaced
  ktcrPaste,             // pasted from the clipboard
  ktcrDragDropInsert,    // dropped dragged text
  ktcrDeleteAfterCaret,  // Delete, delete word, delete to line end, delete line
  ktcrDelete,            // Backspace, delete to line start, cut, a selection replaced by a break or tab
  ktcrSelDelete,         // a selection replaced by typing or by SelText
  ktcrDragDropDelete,    // dragged text moved away
  ktcrLineBreak,         // Enter and insert line
  ktcrIndent,            // block indent
  ktcrUnindent,          // block unindent
  ktcrNothing,           // no record (the answer for an empty list)
};

struct TktUndoItem {
  TktChangeReason Reason = ktcrNothing;
  TPoint StartPos;
  TPoint EndPos;
  std::string ChangeText;
  TSelectionMode SelMode = smNormal;
};

class TUndoList {
public:
  TUndoList() = default;
  TUndoList(const TUndoList&) = delete;
  TUndoList& operator=(const TUndoList&) = delete;

  // Appends a record (nothing while locked). A full list first drops its
  // oldest records so it never holds more than MaxUndo. With MaxUndo 0 no
  // record is kept and the list empties. Then OnAdded fires: the control
  // marks itself modified.
  void AddChange(TktChangeReason reason, TPoint startPos, TPoint endPos,
                 const std::string& changeText, TSelectionMode selMode);
  // Removes the newest record and hands it over; its kind, ktcrNothing for
  // an empty list (the out-parameters then stay as they are).
  TktChangeReason GetChange(TPoint& startPos, TPoint& endPos, TSelectionMode& selMode,
                            std::string& changeText);
  // The kind of the newest record, ktcrNothing for an empty list.
  TktChangeReason LastChangeReason() const;
  // The record i places from the newest (0 = newest); nullptr beyond.
  const TktUndoItem* Peek(int fromNewest = 0) const;
  void ClearList() { FItems.clear(); }
  int GetCount() const { return int(FItems.size()); }
  bool CanUndo() const { return !FItems.empty(); }

  void LockUndo() { FLocked = true; }
  void UnlockUndo() { FLocked = false; }
  bool IsLocked() const { return FLocked; }

  int GetMaxUndo() const { return FMaxUndo; }
  // Drops the oldest records only when more than value + 1 are held, down to
  // value. A negative value is ignored.
  void SetMaxUndo(int value);

  // Fired after every record added.
  std::function<void()> OnAdded;

private:
  std::deque<TktUndoItem> FItems;
  int FMaxUndo = 10;
  bool FLocked = false;
};
