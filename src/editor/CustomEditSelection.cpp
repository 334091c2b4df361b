// The selection in its three modes and the text changes made through it:
// block points and their clamps, offsets, the selected text, replacing it,
// word selection, and moving or copying it by drag and drop.
#include "editor/CustomEdit.h"

#include <algorithm>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

namespace {

// Word classes from the system's C3_ string types: a run of bytes of one
// class is a word for double-click selection without a highlighter.
constexpr uint16_t kC3Symbol = 0x0008;
constexpr uint16_t kC3Katakana = 0x0010;
constexpr uint16_t kC3Hiragana = 0x0020;
constexpr uint16_t kC3HalfWidth = 0x0040;
constexpr uint16_t kC3FullWidth = 0x0080;
constexpr uint16_t kC3Ideograph = 0x0100;
constexpr uint16_t kC3Lexical = 0x0400;
constexpr uint16_t kC3Alpha = 0x8000;

int WordClass(uint16_t type) {
  if (type == kC3Symbol) return 9;
  if (type & kC3HalfWidth) {
    if (type & (kC3Symbol | kC3Lexical)) return 2;
    if (type & kC3Katakana) return 3;
    return (type & ~kC3Alpha) == kC3HalfWidth ? 1 : 0;
  }
  if (type & kC3FullWidth) {
    if (type & (kC3Symbol | kC3Lexical)) return 5;
    if (type & kC3Katakana) return 6;
    if (type & kC3Hiragana) return 7;
    if (type & kC3Ideograph) return 8;
    return (type & ~kC3Alpha) == kC3FullWidth ? 4 : 0;
  }
  return 0;
}

// The class of the character at s[i]; a trailing byte shares its lead byte's.
int WordClassAt(std::string_view s, size_t i) {
  if (IsTrailByte(s, i)) --i;
  return WordClass(CharClasses().CType3[static_cast<uint8_t>(s[i])]);
}

}  // namespace

// --- block points ----------------------------------------------------------------

TPoint TktCustomEdit::GetBlockBegin() const {
  return PointBefore(FBlockEnd, FBlockBegin) ? FBlockEnd : FBlockBegin;
}

TPoint TktCustomEdit::GetBlockEnd() const {
  return PointBefore(FBlockEnd, FBlockBegin) ? FBlockBegin : FBlockEnd;
}

bool TktCustomEdit::SelAvail() const {
  if (FBlockBegin == FBlockEnd) return false;
  return !(FSelectionMode == smColumn && FBlockBegin.X == FBlockEnd.X);
}

bool TktCustomEdit::IsTrailByteAt(int line, int column) const {
  return column >= 1 && IsTrailByte(LineText(line), size_t(column - 1));
}

void TktCustomEdit::SetBlockBegin(TPoint value) {
  value.Y = std::clamp(value.Y, 1, std::max(1, FLines->GetCount()));
  value.X = std::clamp(value.X, 1, MaxColumnOf(value.Y));
  if (FSelectionMode == smNormal) value.X = std::min(value.X, LineLength(value.Y) + 1);
  if (SelAvail()) {
    const int low = std::min({FBlockBegin.Y, FBlockEnd.Y, value.Y});
    const int high = std::max({FBlockBegin.Y, FBlockEnd.Y, value.Y});
    FBlockBegin = FBlockEnd = value;
    InvalidateLines(low, high);
    StatusChanged({scSelection});
    return;
  }
  const bool changed = FBlockBegin != value || FBlockEnd != value;
  FBlockBegin = FBlockEnd = value;
  if (changed) StatusChanged({scSelection});
}

void TktCustomEdit::SetBlockEnd(TPoint value) {
  if (FOptions.Contains(kteoNoSelection)) return;
  value.Y = std::clamp(value.Y, 1, std::max(1, FLines->GetCount()));
  value.X = std::clamp(value.X, 1, MaxColumnOf(value.Y));
  if (FSelectionMode == smNormal) value.X = std::min(value.X, LineLength(value.Y) + 1);
  if (value == FBlockEnd) return;
  if (IsTrailByteAt(value.Y, value.X)) --value.X;
  const TPoint old = FBlockEnd;
  FBlockEnd = value;
  if (FSelectionMode == smColumn) {
    // A column block's right or left edge runs through every row of it.
    InvalidateLines(std::min({FBlockBegin.Y, old.Y, value.Y}),
                    std::max({FBlockBegin.Y, old.Y, value.Y}));
  } else {
    InvalidateLines(old.Y, value.Y);
  }
  StatusChanged({scSelection});
}

bool TktCustomEdit::IsPointInSelection(TPoint value) const {
  if (!SelAvail()) return false;
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  if (value.Y < b.Y || value.Y > e.Y) return false;
  switch (FSelectionMode) {
    case smLine:
      return true;
    case smColumn:
      return value.X >= std::min(b.X, e.X) && value.X < std::max(b.X, e.X);
    case smNormal:
      if (value.Y == b.Y && value.X < b.X) return false;
      if (value.Y == e.Y && value.X >= e.X) return false;
      return true;
  }
  return false;
}

void TktCustomEdit::SelectAll() {
  TPaintLockGuard lock(*this);
  const int last = FLines->GetCount();
  const TPoint end(LineLength(last) + 1, last);
  SetBlockBegin(TPoint(1, 1));
  SetBlockEnd(end);
  SetCaretXY(end);
  StatusChanged({scSelection});
}

// --- offsets ----------------------------------------------------------------------

int TktCustomEdit::GetSelStart() const {
  const TPoint b = GetBlockBegin();
  int sum = 0;
  for (int line = 1; line < b.Y; ++line) sum += LineLength(line) + 2;
  return sum + std::min(b.X, LineLength(b.Y) + 2);
}

int TktCustomEdit::GetSelEnd() const {
  const TPoint e = GetBlockEnd();
  int sum = 0;
  for (int line = 1; line < e.Y; ++line) sum += LineLength(line) + 2;
  return sum + e.X;
}

namespace {

// The line holding offset value and the offset its first column has.
template <class TLength>
TPoint OffsetToPoint(int value, int count, TLength length) {
  int sum = 0;
  int line = 1;
  while (line < count && sum + length(line) + 2 < value) {
    sum += length(line) + 2;
    ++line;
  }
  return TPoint(value - sum, line);
}

}  // namespace

void TktCustomEdit::SetSelStart(int value) {
  SetCaretXY(OffsetToPoint(value, FLines->GetCount(), [this](int l) { return LineLength(l); }));
  SetBlockBegin(GetCaretXY());
}

void TktCustomEdit::SetSelEnd(int value) {
  SetBlockEnd(OffsetToPoint(value, FLines->GetCount(), [this](int l) { return LineLength(l); }));
}

// --- the selected text ---------------------------------------------------------------

std::string TktCustomEdit::GetSelText() const {
  if (!SelAvail()) return std::string();
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  std::string text;
  switch (FSelectionMode) {
    case smNormal: {
      const std::string_view first = LineText(b.Y);
      const size_t from = std::min(size_t(b.X - 1), first.size());
      if (b.Y == e.Y) {
        const size_t to = std::min(size_t(e.X - 1), first.size());
        return std::string(first.substr(from, to > from ? to - from : 0));
      }
      const std::string_view last = LineText(e.Y);
      const size_t lastLength = std::min(size_t(e.X - 1), last.size());
      size_t total = first.size() - from + 2 + lastLength;
      for (int line = b.Y + 1; line < e.Y; ++line) total += LineText(line).size() + 2;
      text.reserve(total);
      text.append(first.substr(from)).append("\r\n");
      for (int line = b.Y + 1; line < e.Y; ++line) text.append(LineText(line)).append("\r\n");
      text.append(last.substr(0, lastLength));
      return text;
    }
    case smColumn: {
      const int c1 = std::min(b.X, e.X);
      const int c2 = std::max(b.X, e.X);
      text.reserve(size_t(e.Y - b.Y + 1) * size_t(c2 - c1 + 2));
      for (int line = b.Y; line <= e.Y; ++line) {
        const std::string_view s = LineText(line);
        size_t from = size_t(c1 - 1);
        size_t to = size_t(c2 - 1);
        if (IsTrailByte(s, from)) ++from;
        if (IsTrailByte(s, to)) ++to;
        const size_t start = text.size();
        if (from < s.size()) text.append(s.substr(from, std::min(to, s.size()) - from));
        const size_t taken = text.size() - start;
        if (taken < size_t(c2 - c1)) text.append(size_t(c2 - c1) - taken, ' ');
        if (line < e.Y) text.append("\r\n");
      }
      return text;
    }
    case smLine: {
      const int count = FLines->GetCount();
      size_t total = 0;
      for (int line = b.Y; line <= e.Y; ++line) total += LineText(line).size() + 2;
      text.reserve(total);
      for (int line = b.Y; line <= e.Y; ++line) {
        text.append(LineText(line));
        if (!(line == e.Y && line == count)) text.append("\r\n");
      }
      return text;
    }
  }
  return text;
}

TPoint TktCustomEdit::SelectionInsertPoint() const {
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  switch (FSelectionMode) {
    case smColumn: return TPoint(std::min(b.X, e.X), b.Y);
    case smLine: return TPoint(1, b.Y);
    case smNormal: break;
  }
  return b;
}

void TktCustomEdit::SetSelText(const std::string& value) {
  TPaintLockGuard lock(*this);
  if (SelAvail())
    FUndoList.AddChange(ktcrSelDelete, GetBlockBegin(), GetBlockEnd(), SelTextForUndo(),
                        FSelectionMode);
  const TPoint start = SetSelTextPrimitive(smNormal, value);
  // The text went in as normal text: its record replays in normal mode
  // whatever mode the selection had.
  FUndoList.AddChange(ktcrInsert, start, GetCaretXY(), std::string(), smNormal);
}

// --- changing the text ---------------------------------------------------------------

TPoint TktCustomEdit::SetSelTextPrimitive(TSelectionMode mode, std::string_view text) {
  TPaintLockGuard lock(*this);
  TLinesUpdateGuard bracket(*FLines);
  TPoint at = GetCaretXY();
  if (SelAvail()) {
    at = SelectionInsertPoint();
    DeleteSelection();
  }
  return text.empty() ? at : InsertAt(at, text, mode);
}

void TktCustomEdit::DeleteSelection() {
  if (!SelAvail()) return;
  TPaintLockGuard lock(*this);
  TLinesUpdateGuard bracket(*FLines);
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  TPoint caret = b;
  switch (FSelectionMode) {
    case smNormal: {
      const std::string_view first = LineText(b.Y);
      const std::string_view last = LineText(e.Y);
      std::string joined(first.substr(0, std::min(size_t(b.X - 1), first.size())));
      if (size_t(e.X - 1) < last.size()) joined.append(last.substr(size_t(e.X - 1)));
      FLines->Put(b.Y - 1, joined);
      // Deleting at one index again and again keeps the line store's gap in place.
      for (int n = e.Y - b.Y; n > 0; --n) FLines->Delete(b.Y);
      if (e.Y > b.Y) MoveMarksForRemovedLines(b.Y + 1, e.Y - b.Y);
      break;
    }
    case smColumn: {
      const int c1 = std::min(b.X, e.X);
      const int c2 = std::max(b.X, e.X);
      for (int line = b.Y; line <= e.Y; ++line) {
        const std::string_view s = LineText(line);
        size_t from = size_t(c1 - 1);
        size_t to = size_t(c2 - 1);
        if (IsTrailByte(s, from)) ++from;
        if (IsTrailByte(s, to)) ++to;
        if (from >= s.size()) continue;
        std::string changed(s.substr(0, from));
        if (to < s.size()) changed.append(s.substr(to));
        FLines->Put(line - 1, changed);
      }
      caret = TPoint(c1, b.Y);
      break;
    }
    case smLine: {
      const int before = FLines->GetCount();
      for (int n = e.Y - b.Y + 1; n > 0; --n) FLines->Delete(b.Y - 1);
      const int removed = before - FLines->GetCount();
      if (removed > 0) MoveMarksForRemovedLines(b.Y, removed);
      caret = TPoint(1, std::min(b.Y, FLines->GetCount()));
      break;
    }
  }
  SetCaretXY(caret);
  SetBlockBegin(caret);
}

TPoint TktCustomEdit::InsertText(TPoint at, std::string_view text, TSelectionMode mode) {
  TPaintLockGuard lock(*this);
  TLinesUpdateGuard bracket(*FLines);
  std::vector<std::string_view> pieces = SplitInsertedText(text);
  // A line block may also go after the last line.
  const int lastLine = FLines->GetCount() + (mode == smLine ? 1 : 0);
  const int y = std::clamp(at.Y, 1, std::max(1, lastLine));
  const int x = std::max(1, at.X);
  TPoint end;
  switch (mode) {
    case smNormal: {
      std::string line(LineText(y));
      if (int(line.size()) < x - 1) line.resize(size_t(x - 1), ' ');
      const std::string tail = line.substr(size_t(x - 1));
      line.resize(size_t(x - 1));
      const int n = int(pieces.size()) - 1;
      if (n == 0) {
        line.append(pieces[0]).append(tail);
        FLines->Put(y - 1, line);
        end = TPoint(x + int(pieces[0].size()), y);
        break;
      }
      line.append(pieces[0]);
      FLines->Put(y - 1, line);
      for (int k = 1; k < n; ++k) FLines->Insert(y - 1 + k, std::string(pieces[size_t(k)]));
      std::string last(pieces[size_t(n)]);
      end = TPoint(int(last.size()) + 1, y + n);
      last.append(tail);
      FLines->Insert(y - 1 + n, last);
      MoveMarksForInsertedLines(y, n);
      break;
    }
    case smColumn: {
      for (size_t k = 0; k < pieces.size(); ++k) {
        const int line = y + int(k);
        if (line > FLines->GetCount()) FLines->Add(std::string());
        std::string s(LineText(line));
        if (int(s.size()) < x - 1) s.resize(size_t(x - 1), ' ');
        // A column that falls on a double-byte character's second byte
        // starts after it, as a block's columns are read.
        s.insert(size_t(x - 1) + (IsTrailByte(s, size_t(x - 1)) ? 1 : 0), pieces[k]);
        FLines->Put(line - 1, s);
      }
      end = TPoint(x + int(pieces.back().size()), y + int(pieces.size()) - 1);
      break;
    }
    case smLine: {
      // Whole lines: a line end after the last line adds no empty one.
      if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
      for (size_t k = 0; k < pieces.size(); ++k)
        FLines->Insert(y - 1 + int(k), std::string(pieces[k]));
      MoveMarksForInsertedLines(y, int(pieces.size()));
      end = TPoint(1, y + int(pieces.size()));
      break;
    }
  }
  SetCaretXY(end);
  return end;
}

// --- words --------------------------------------------------------------------------

void TktCustomEdit::SetWordBlock(TPoint value) {
  const int y = std::clamp(value.Y, 1, std::max(1, FLines->GetCount()));
  const int x = std::clamp(value.X, 1, MaxColumnOf(y));
  const std::string_view s = LineText(y);
  const int length = int(s.size());
  if (x > length) {
    SetCaretXY(TPoint(length + 1, y));
    return;
  }
  TPaintLockGuard lock(*this);
  int start = x;
  int end = x;
  if (FHighLighter && !IsLeadByte(s[size_t(x - 1)])) {
    const TktCharSet ident = FHighLighter->GetIdentChars();
    while (end <= length && ident.Contains(s[size_t(end - 1)])) ++end;
    while (start > 1 && ident.Contains(s[size_t(start - 2)])) --start;
  } else {
    const int cls = WordClassAt(s, size_t(x - 1));
    while (end <= length && WordClassAt(s, size_t(end - 1)) == cls) ++end;
    while (start > 1 && WordClassAt(s, size_t(start - 2)) == cls) --start;
  }
  SetBlockBegin(TPoint(start, y));
  SetBlockEnd(TPoint(end, y));
  SetCaretXY(TPoint(end, y));
  InvalidateLine(y);
  StatusChanged({scSelection});
}

// --- drag and drop -----------------------------------------------------------------

void TktCustomEdit::DropSelection(TPoint dropPos, bool copy) {
  if (!SelAvail() || GetReadOnly()) return;
  const TSelectionMode mode = FSelectionMode;
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  // The drop point is bounded as every other point is: a column far to the
  // right would otherwise pad the line with that many blanks.
  TPoint at;
  at.Y = std::clamp(dropPos.Y, 1, FLines->GetCount());
  at.X = std::clamp(dropPos.X, 1, MaxColumnOf(at.Y));

  // Positions compare as (line, column) pairs. A move onto the selection or
  // its edges would put the text back into itself; a copy may go to an edge.
  bool inside = false;
  switch (mode) {
    case smNormal:
      inside = copy ? PointBefore(b, at) && PointBefore(at, e)
                    : !PointBefore(at, b) && !PointBefore(e, at);
      break;
    case smColumn: {
      const int c1 = std::min(b.X, e.X);
      const int c2 = std::max(b.X, e.X);
      inside = at.Y >= b.Y && at.Y <= e.Y && (copy ? at.X > c1 && at.X < c2 : at.X >= c1 && at.X <= c2);
      break;
    }
    case smLine:
      inside = copy ? at.Y > b.Y && at.Y <= e.Y : at.Y >= b.Y && at.Y <= e.Y;
      break;
  }
  if (inside) return;

  const std::string text = GetSelText();
  // A line block that ends with the text's last line has no line end after
  // that line; it goes in with one, so an empty last line is not lost.
  const std::string inserted =
      mode == smLine && e.Y == FLines->GetCount() ? text + "\r\n" : text;
  TPaintLockGuard lock(*this);
  if (!copy) {
    FUndoList.AddChange(ktcrDragDropDelete, b, e, mode == smColumn ? SelTextForUndo() : text,
                        mode);
    // Text taken out before the drop point moves the drop point with it.
    switch (mode) {
      case smNormal:
        if (PointBefore(e, at)) {
          if (at.Y == e.Y) at.X -= e.X - b.X;
          at.Y -= e.Y - b.Y;
        }
        break;
      case smColumn: {
        const int c1 = std::min(b.X, e.X);
        const int c2 = std::max(b.X, e.X);
        if (at.Y >= b.Y && at.Y <= e.Y && at.X > c2) at.X -= c2 - c1;
        break;
      }
      case smLine:
        if (at.Y > e.Y) at.Y -= e.Y - b.Y + 1;
        break;
    }
    DeleteSelection();
  }
  if (mode == smLine) at.X = 1;
  const int linesBefore = FLines->GetCount();
  // Dropped past a line's end, the blanks up to the drop column belong to
  // the inserted text.
  const TPoint recordStart = mode == smNormal ? ClampToLineEnd(at) : at;
  const TPoint end = InsertText(at, inserted, mode);

  TPoint recordEnd = end;
  TSelectionMode recordMode = mode;
  TPoint selEnd = end;
  if (mode == smLine) {
    // A line block's span as normal text: from column 1 of its first line to
    // column 1 after its last, which replays exactly. Shown selected as the
    // lines themselves.
    recordMode = smNormal;
    const int lastLine = std::max(at.Y, end.Y - 1);
    selEnd = TPoint(std::max(2, LineLength(lastLine) + 1), lastLine);
  }
  SetBlockBegin(at);
  SetBlockEnd(selEnd);
  FUndoList.AddChange(ktcrDragDropInsert, recordStart, recordEnd,
                      mode == smColumn ? ColumnInsertRecord(inserted, linesBefore) : std::string(),
                      recordMode);
}
