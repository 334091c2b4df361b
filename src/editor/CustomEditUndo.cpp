// Undo and redo: replaying the newest record of one list backwards and
// recording its inverse in the other. Replays go through the text routines
// that record nothing and call no hook (no command runs again, so neither
// the host's command handler nor auto-indent can change what comes back).
//
// How a record replays depends on its kind's family:
// - insert kinds (insert, paste, drag-drop insert, line break, indent): the
//   region start..end, in the record's selection mode, holds the text the
//   change put in; the record's text is what that text replaced (an
//   overwrite's bytes, blanks a trim took), put back in normal mode -- for
//   a column block, the block's own text and one more line end for each
//   line it added below the text (its pieces may differ in length where
//   they hold double-byte characters);
// - delete kinds (delete after caret, delete, selection delete, drag-drop
//   delete): the record's text was taken from start..end; it goes back at
//   the earlier of the two points (in a column block the smaller column and
//   line, in a line block column 1);
// - unindent: the blanks taken from the start of each line, line by line.
// A redo record of an insert kind spans what the undo put back and holds
// the text to insert again; one of a delete kind is the undo record itself.
//
// The redo list only ever replays against the text its undo left: any change
// of the text outside a replay empties it.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <vector>

#include "editor/CustomEditCommandsInternal.h"
#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

namespace {

bool PutsText(TktChangeReason reason) {
  switch (reason) {
    case ktcrInsert:
    case ktcrPaste:
    case ktcrDragDropInsert:
    case ktcrLineBreak:
    case ktcrIndent: return true;
    default: return false;
  }
}

// The insert half of a pair that undoes in one step.
bool PairsWithDelete(TktChangeReason insert, TktChangeReason before) {
  if (insert != ktcrInsert && insert != ktcrPaste && insert != ktcrDragDropInsert) return false;
  return before == ktcrSelDelete || (before == ktcrDragDropDelete && insert == ktcrDragDropInsert);
}

TPoint InsertionPoint(TPoint a, TPoint b, TSelectionMode mode) {
  switch (mode) {
    case smColumn: return TPoint(std::min(a.X, b.X), std::min(a.Y, b.Y));
    case smLine: return TPoint(1, std::min(a.Y, b.Y));
    case smNormal: break;
  }
  return PointBefore(b, a) ? b : a;
}

std::vector<int> PieceLengths(std::string_view text) {
  std::vector<int> lengths;
  for (std::string_view piece : SplitInsertedText(text)) lengths.push_back(int(piece.size()));
  return lengths;
}

class TReplayGuard {
public:
  explicit TReplayGuard(int& depth) : FDepth(depth) { ++FDepth; }
  ~TReplayGuard() { --FDepth; }
  TReplayGuard(const TReplayGuard&) = delete;
  TReplayGuard& operator=(const TReplayGuard&) = delete;

private:
  int& FDepth;
};

}  // namespace

// --- keeping the redo list honest -----------------------------------------------------

void TktCustomEdit::WatchTextChanges() {
  auto watchIndex = [this](std::function<void(int)>& slot) {
    slot = [this, inner = slot](int index) {
      TextChanged();
      if (inner) inner(index);
    };
  };
  auto watchNotify = [this](TNotifyEvent& slot) {
    slot = [this, inner = slot](TObject* sender) {
      TextChanged();
      if (inner) inner(sender);
    };
  };
  watchIndex(FLines->OnLinePut);
  watchIndex(FLines->OnLineInserted);
  watchIndex(FLines->OnLineDeleted);
  watchNotify(FLines->OnLineAdded);
  watchNotify(FLines->OnCleared);
  watchNotify(FLines->OnLinesLoaded);
  FUndoList.OnAdded = [this] {
    TextChanged();
    ChangeAdded();
  };
}

void TktCustomEdit::TextChanged() {
  if (FReplaying == 0 && FRedoList.CanUndo()) FRedoList.ClearList();
}

// --- undo and redo ----------------------------------------------------------------------

void TktCustomEdit::Undo() { Replay(true); }

void TktCustomEdit::Redo() { Replay(false); }

void TktCustomEdit::Replay(bool undo) {
  TUndoList& from = undo ? FUndoList : FRedoList;
  if (!from.CanUndo()) return;
  TPaintLockGuard lock(*this);
  TReplayGuard replaying(FReplaying);
  const TSelectionMode saved = FSelectionMode;
  for (;;) {
    TktUndoItem item;
    item.Reason = from.GetChange(item.StartPos, item.EndPos, item.SelMode, item.ChangeText);
    if (item.Reason == ktcrNothing) break;
    FSelectionMode = item.SelMode;
    if (undo)
      UndoChange(item);
    else
      RedoChange(item);
    // A typed character that replaced a selection, a paste over one and a
    // drag move are one step each way.
    const TktChangeReason next = from.LastChangeReason();
    const bool paired =
        undo ? PairsWithDelete(item.Reason, next) : PairsWithDelete(next, item.Reason);
    if (!paired) break;
  }
  if (FSelectionMode != saved) {
    const bool shown = SelAvail();
    FSelectionMode = saved;
    ClampBlockToMode();
    if (shown || SelAvail()) Invalidate();
    StatusChanged({scSelection});
  }
}

void TktCustomEdit::UndoChange(const TktUndoItem& item) {
  if (item.Reason == ktcrUnindent) {
    {
      TLinesUpdateGuard bracket(*FLines);
      InsertText(TPoint(1, item.StartPos.Y), item.ChangeText, smColumn);
    }
    FRedoList.AddChange(item.Reason, item.StartPos, item.EndPos, item.ChangeText, item.SelMode);
    SetBlockBegin(item.StartPos);
    SetBlockEnd(item.EndPos);
    SetCaretXY(item.EndPos);
    return;
  }
  if (PutsText(item.Reason)) {
    std::string taken;
    TPoint restoredEnd = item.StartPos;
    {
      TLinesUpdateGuard bracket(*FLines);
      if (item.SelMode == smColumn) {
        taken = TakeInsertedBlock(item.StartPos, item.EndPos, item.ChangeText);
      } else {
        taken = TakeRegion(item.StartPos, item.EndPos, item.SelMode);
        if (!item.ChangeText.empty())
          restoredEnd = InsertText(item.StartPos, item.ChangeText, smNormal);
      }
    }
    FRedoList.AddChange(item.Reason, item.StartPos, restoredEnd, taken, item.SelMode);
    SetCaretXY(item.StartPos);
    SetBlockBegin(GetCaretXY());
    return;
  }
  const TPoint at = InsertionPoint(item.StartPos, item.EndPos, item.SelMode);
  {
    TLinesUpdateGuard bracket(*FLines);
    PutBack(at, item.ChangeText, item.SelMode, std::abs(item.EndPos.Y - item.StartPos.Y) + 1);
  }
  FRedoList.AddChange(item.Reason, item.StartPos, item.EndPos, item.ChangeText, item.SelMode);
  // What came back shows selected.
  SetCaretXY(at);
  SetBlockBegin(item.StartPos);
  SetBlockEnd(item.EndPos);
}

void TktCustomEdit::RedoChange(const TktUndoItem& item) {
  if (item.Reason == ktcrUnindent) {
    const std::vector<int> counts = PieceLengths(item.ChangeText);
    {
      TLinesUpdateGuard bracket(*FLines);
      RemoveLeadingBytes(item.StartPos.Y, counts);
    }
    FUndoList.AddChange(item.Reason, item.StartPos, item.EndPos, item.ChangeText, item.SelMode);
    SelectAfterUnindent(item.StartPos, item.EndPos, item.StartPos.Y + int(counts.size()) - 1,
                        counts.front(), counts.back());
    return;
  }
  if (PutsText(item.Reason)) {
    std::string restored;
    TPoint end = item.StartPos;
    {
      TLinesUpdateGuard bracket(*FLines);
      if (item.StartPos != item.EndPos)
        restored = TakeRegion(item.StartPos, item.EndPos, smNormal);
      const int linesBefore = FLines->GetCount();
      // (A column block below the last line gets a line to start on, as
      // when it was pasted after whole lines went from the text's end.)
      if (!item.ChangeText.empty()) InsertAt(item.StartPos, item.ChangeText, item.SelMode, &end);
      if (item.SelMode == smColumn) restored = ColumnInsertRecord(item.ChangeText, linesBefore);
    }
    // A line block's region names its first and last line.
    const TPoint recordEnd = item.SelMode == smLine ? LineBlockEnd(end.Y - 1) : end;
    FUndoList.AddChange(item.Reason, item.StartPos, recordEnd, restored, item.SelMode);
    return;
  }
  std::string taken;
  {
    TLinesUpdateGuard bracket(*FLines);
    taken = TakeRegion(item.StartPos, item.EndPos, item.SelMode);
  }
  FUndoList.AddChange(item.Reason, item.StartPos, item.EndPos, taken, item.SelMode);
}

// --- the text routines of replays ---------------------------------------------------------

TPoint TktCustomEdit::InsertAt(TPoint at, std::string_view text, TSelectionMode mode,
                               TPoint* end) {
  TPoint ignored;
  if (!end) end = &ignored;
  const int count = FLines->GetCount();
  if (mode != smLine && at.Y > count) {
    if (mode == smNormal) {
      const TPoint start(LineLength(count) + 1, count);
      *end = InsertText(start, std::string("\r\n").append(text), smNormal);
      return start;
    }
    FLines->Add(std::string());
    at = TPoint(1, count + 1);
  }
  // Normal text past a line's end comes after blanks up to it: they belong
  // to the inserted text, so its undo takes them away again.
  const TPoint start = mode == smNormal ? ClampToLineEnd(at) : at;
  *end = InsertText(at, text, mode);
  return start;
}

std::string TktCustomEdit::ColumnInsertRecord(std::string_view block, int linesBefore) const {
  std::string text(block);
  for (int i = FLines->GetCount(); i > linesBefore; --i) text.append("\r\n");
  return text;
}

TPoint TktCustomEdit::LineBlockEnd(int lastLine) const {
  // Any column but 1, so a one-line block still differs from its start.
  return TPoint(std::max(2, FCharsInWindow), lastLine);
}

void TktCustomEdit::TrimLine(int line) {
  const std::string_view s = LineText(line);
  const size_t kept = TrimmedLength(s);
  if (kept < s.size()) FLines->Put(line - 1, std::string(s.substr(0, kept)));
}

std::string TktCustomEdit::TakeRegion(TPoint start, TPoint end, TSelectionMode mode) {
  const TSelectionMode saved = FSelectionMode;
  FSelectionMode = mode;
  std::string text;
  if (mode == smNormal && start.Y != end.Y) {
    // Blanks an earlier undo took from the line's end may stand before a
    // region that runs on to another line: they come back, so what follows
    // joins at the right column.
    const TPoint b = PointBefore(end, start) ? end : start;
    if (b.Y <= FLines->GetCount() && LineLength(b.Y) < b.X - 1) {
      std::string padded(LineText(b.Y));
      padded.resize(size_t(b.X - 1), ' ');
      FLines->Put(b.Y - 1, padded);
    }
  }
  SetBlockPoints(start, end);
  if (SelAvail()) {
    text = SelTextForUndo();
    DeleteSelection();
  }
  FSelectionMode = saved;
  return text;
}

std::string TktCustomEdit::SelTextForUndo() const {
  if (FSelectionMode != smColumn || !SelAvail()) return GetSelText();
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  const int c1 = std::min(b.X, e.X);
  const int c2 = std::max(b.X, e.X);
  std::string text;
  for (int line = b.Y; line <= e.Y; ++line) {
    // The bytes DeleteSelection takes from this line, no padding.
    const std::string_view s = LineText(line);
    size_t from = size_t(c1 - 1);
    size_t to = size_t(c2 - 1);
    if (IsTrailByte(s, from)) ++from;
    if (IsTrailByte(s, to)) ++to;
    if (from < s.size()) text.append(s.substr(from, std::min(to, s.size()) - from));
    if (line < e.Y) text.append("\r\n");
  }
  return text;
}

std::string TktCustomEdit::TakeInsertedBlock(TPoint start, TPoint end,
                                             const std::string& record) {
  const int c1 = std::min(start.X, end.X);
  const int first = std::min(start.Y, end.Y);
  const int lines = std::abs(end.Y - start.Y) + 1;
  const std::vector<int> lengths = PieceLengths(record);
  std::string text;
  for (int i = 0; i < lines && first + i <= FLines->GetCount(); ++i) {
    const int line = first + i;
    // Each piece went in whole at the block's column (after a double-byte
    // character the column fell into): that many bytes come out.
    const size_t length = size_t(i) < lengths.size() ? size_t(lengths[size_t(i)]) : 0;
    std::string s(LineText(line));
    size_t from = size_t(c1 - 1);
    if (IsTrailByte(s, from)) ++from;
    const size_t taken = from < s.size() ? std::min(length, s.size() - from) : 0;
    if (i > 0) text.append("\r\n");
    text.append(s, std::min(from, s.size()), taken);
    s.erase(std::min(from, s.size()), taken);
    // (Blanks of the piece an earlier undo took from the line's end.)
    text.append(length - taken, ' ');
    // Blanks that only padded the line up to the block are not its own:
    // where nothing followed the block, the line ends before them.
    if (s.size() <= size_t(c1 - 1)) s.resize(TrimmedLength(s));
    if (s != LineText(line)) FLines->Put(line - 1, s);
  }
  // The lines the block added below the text, empty again now.
  // Marks on them go with the lines, as with every other removal.
  for (size_t extra = lengths.size(); extra > size_t(lines) && FLines->GetCount() > 1; --extra) {
    const int last = FLines->GetCount();
    FLines->Delete(last - 1);
    MoveMarksForRemovedLines(last, 1);
  }
  SetCaretXY(TPoint(c1, first));
  SetBlockBegin(GetCaretXY());
  return text;
}

TPoint TktCustomEdit::PutBack(TPoint at, const std::string& text, TSelectionMode mode,
                              int lines) {
  // (An empty text is still a line of a line block.)
  if (text.empty() && mode != smLine) return at;
  switch (mode) {
    case smNormal:
      // (Past the line's end the blanks up to `at` come back with it.)
      return InsertText(at, text, smNormal);
    case smColumn: {
      // Each line gets back exactly the bytes it gave, where it gave them
      // (after a double-byte character the block's column fell into).
      const std::vector<std::string_view> pieces = SplitInsertedText(text);
      for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty()) continue;
        const int line = at.Y + int(i);
        if (line > FLines->GetCount()) break;
        std::string s(LineText(line));
        if (s.size() < size_t(at.X - 1)) s.resize(size_t(at.X - 1), ' ');
        s.insert(size_t(at.X - 1) + (IsTrailByte(s, size_t(at.X - 1)) ? 1 : 0), pieces[i]);
        FLines->Put(line - 1, s);
      }
      return at;
    }
    case smLine: {
      // The block's text ends with a line end unless it held the text's
      // last line; its line count tells the two apart even when that last
      // line was empty.
      std::vector<std::string_view> pieces = SplitInsertedText(text);
      const bool toLastLine = int(pieces.size()) <= lines;
      if (!toLastLine) pieces.pop_back();
      std::string whole;
      for (std::string_view piece : pieces) whole.append(piece).append("\r\n");
      // Back into a text it emptied, the block replaces the empty line the
      // store kept, instead of leaving it below.
      const bool emptied =
          toLastLine && at.Y == 1 && FLines->GetCount() == 1 && LineLength(1) == 0;
      const TPoint end = InsertText(TPoint(1, at.Y), whole, smLine);
      if (emptied) {
        const int last = FLines->GetCount();
        FLines->Delete(last - 1);
        MoveMarksForRemovedLines(last, 1);
        return TPoint(1, last - 1);
      }
      return end;
    }
  }
  return at;
}

void TktCustomEdit::InsertBlock(TPoint from, TPoint to, const std::string& text) {
  TPaintLockGuard lock(*this);
  SetCaretXY(from);
  SetSelectionMode(smColumn);
  SetBlockPoints(from, to);
  SetSelTextPrimitive(smColumn, text);
  StatusChanged({scSelection});
}
