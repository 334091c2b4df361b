// The commands that change the text, each with the undo records that replay
// it exactly: typing (insert and overwrite, characters and input-method
// strings), Backspace and Delete, deleting words, line parts and lines, line
// breaks with their indents, tabs, block indent and unindent, clearing and
// wrapping at the right edge.
//
// Lines are stored without trailing blanks where the commands say so; a
// record then also holds the blanks the trim took, so that undo and redo
// give back exactly the text before and after.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <vector>

#include "editor/CustomEditCommandsInternal.h"
#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

namespace {

const char* const kWrapQuestion = "Undo is not available for this command. Continue?";

// The one stretch in which two texts differ: their longest common start
// (but no further than anchor, where the command changed the text, so a
// repeated byte does not move the stretch) and the longest common end of
// what is left.
struct TTextDiff {
  size_t At;
  size_t OldLength;
  size_t NewLength;
};

TTextDiff DiffTexts(std::string_view a, std::string_view b, size_t anchor) {
  size_t p = 0;
  const size_t limit = std::min({a.size(), b.size(), anchor});
  while (p < limit && a[p] == b[p]) ++p;
  size_t s = 0;
  while (s < a.size() - p && s < b.size() - p && a[a.size() - 1 - s] == b[b.size() - 1 - s]) ++s;
  return {p, a.size() - p - s, b.size() - p - s};
}

// The point of offset in a text whose first byte stands at (1, line) and
// whose lines are joined by CR LF.
TPoint PointAt(std::string_view text, size_t offset, int line) {
  size_t start = 0;
  for (size_t i = 0; i < offset; ++i)
    if (text[i] == '\n') {
      ++line;
      start = i + 1;
    }
  return TPoint(int(offset - start) + 1, line);
}

}  // namespace

void TktCustomEdit::RecordTextChange(TktChangeReason removalKind, bool fromEnd, int y,
                                     std::string_view oldText, std::string_view newText,
                                     size_t anchor) {
  const TTextDiff d = DiffTexts(oldText, newText, anchor);
  const TPoint start = PointAt(oldText, d.At, y);
  const std::string oldPart(oldText.substr(d.At, d.OldLength));
  if (d.NewLength == 0 && removalKind != ktcrInsert) {
    const TPoint end = PointAt(oldText, d.At + d.OldLength, y);
    FUndoList.AddChange(removalKind, fromEnd ? end : start, fromEnd ? start : end, oldPart,
                        smNormal);
  } else {
    // Also a removal whose trim took blanks the line had before: the
    // record puts in what the line now holds there and keeps what it held.
    FUndoList.AddChange(ktcrInsert, start, PointAt(newText, d.At + d.NewLength, y), oldPart,
                        smNormal);
  }
}

// --- typing -------------------------------------------------------------------------

void TktCustomEdit::TypeChar(char c) {
  if (c == '=') return;
  if (WrapOnSpace && c == ' ' && FCaretX >= FRightEdge) {
    ExecuteCommand(ecLineBreak, '\0', nullptr);
    return;
  }
  const uint8_t b = static_cast<uint8_t>(c);
  if (b < 32 || b == 127) return;
  TypeString(std::string_view(&c, 1), ktcrSelDelete);
}

void TktCustomEdit::TypeString(std::string_view text, TktChangeReason selectionKind) {
  if (SelAvail()) {
    TLinesUpdateGuard bracket(*FLines);
    FUndoList.AddChange(selectionKind, GetBlockBegin(), GetBlockEnd(), SelTextForUndo(),
                        FSelectionMode);
    const TPoint at = SetSelTextPrimitive(smNormal, text);
    FUndoList.AddChange(ktcrInsert, at, GetCaretXY(), std::string(), smNormal);
    return;
  }
  if (text.empty()) return;
  InsertAtCaret(text, !FInsertMode, true);
}

void TktCustomEdit::InsertAtCaret(std::string_view text, bool overwrite, bool forcePastEol) {
  const int x = FCaretX;
  const int y = FCaretY;
  const std::string old(LineText(y));
  std::string line(old);
  if (int(line.size()) < x - 1) line.resize(size_t(x - 1), ' ');
  if (!overwrite) {
    line.insert(size_t(x - 1), text);
  } else {
    const size_t from = size_t(x - 1);
    size_t to = std::min(line.size(), from + text.size());
    // The run never ends inside a double-byte character; its freed second
    // byte becomes a blank.
    if (to > from && IsTrailByte(line, to)) ++to;
    std::string with(text);
    if (with.size() < to - from) with.append(to - from - with.size(), ' ');
    line.replace(from, to - from, with);
  }
  TrimRight(line);
  FLines->Put(y - 1, line);
  // The record spans what changed: the typed text, from the line's end when
  // blanks padded the line up to the caret, and any blanks the trim took.
  RecordTextChange(ktcrInsert, false, y, old, line, size_t(x - 1));

  const int newX = x + int(text.size());
  if (FCharsInWindow > 0 && newX >= FLeftChar + FCharsInWindow)
    SetLeftChar(FLeftChar + std::min(25, FCharsInWindow - 1));
  const TktEditorOptions options = FOptions;
  if (forcePastEol) FOptions.Include(kteoScrollPastEol);
  SetCaretXY(TPoint(newX, y));
  FOptions = options;
}

// --- deleting ----------------------------------------------------------------------

void TktCustomEdit::RemoveFromLine(int y, int from, int to, TktChangeReason kind, bool fromEnd) {
  const std::string old(LineText(y));
  std::string line = old.substr(0, size_t(from));
  line.append(old, size_t(to));
  TrimRight(line);
  FLines->Put(y - 1, line);
  RecordTextChange(kind, fromEnd, y, old, line, size_t(from));
}

void TktCustomEdit::DeleteSelectionRecorded(TktChangeReason kind) {
  TLinesUpdateGuard bracket(*FLines);
  FUndoList.AddChange(kind, GetBlockBegin(), GetBlockEnd(), SelTextForUndo(), FSelectionMode);
  DeleteSelection();
}

void TktCustomEdit::DeleteLastChar() {
  if (SelAvail()) {
    DeleteSelectionRecorded(ktcrDelete);
    return;
  }
  const int x = FCaretX;
  const int y = FCaretY;
  const std::string_view line = LineText(y);
  const int length = int(line.size());
  if (x > length + 1) {
    FUndoList.AddChange(ktcrDelete, TPoint(x, y), TPoint(x - 1, y), std::string(), smNormal);
    SetCaretXY(TPoint(x - 1, y));
    return;
  }
  if (x == 1) {
    if (y == 1) return;
    // Joined to the line above, whose trailing blanks go first.
    const std::string_view above = LineText(y - 1);
    const size_t kept = TrimmedLength(above);
    std::string removed(above.substr(kept));
    removed.append("\r\n");
    std::string joined(above.substr(0, kept));
    joined.append(line);
    {
      TLinesUpdateGuard bracket(*FLines);
      FLines->Put(y - 2, joined);
      FLines->Delete(y - 1);
      MoveMarksForRemovedLines(y, 1);
    }
    const TPoint join(int(kept) + 1, y - 1);
    FUndoList.AddChange(ktcrDelete, TPoint(1, y), join, removed, smNormal);
    SetCaretXY(join);
    return;
  }
  int from = x - 2;
  const int indent = LeadingIndent(line);
  if (FOptions.Contains(kteoAutoIndent) && x - 1 == indent &&
      static_cast<uint8_t>(line[size_t(x - 2)]) < 33) {
    // Back to the indent of the nearest earlier line indented less.
    from = 0;
    for (int i = y - 1; i >= 1; --i) {
      const int other = LeadingIndent(LineText(i));
      if (other < indent) {
        from = other;
        break;
      }
    }
  } else if (IsTrailByte(line, size_t(from))) {
    --from;
  }
  RemoveFromLine(y, from, x - 1, ktcrDelete, true);
  SetCaretXY(TPoint(from + 1, y));
}

void TktCustomEdit::DeleteChar() {
  if (SelAvail()) {
    DeleteSelectionRecorded(ktcrDeleteAfterCaret);
    return;
  }
  const int x = FCaretX;
  const int y = FCaretY;
  const std::string_view line = LineText(y);
  const int length = int(line.size());
  if (x <= length) {
    int to = x;
    if (IsLeadByte(line[size_t(x - 1)]) && to < length) ++to;
    RemoveFromLine(y, x - 1, to, ktcrDeleteAfterCaret, false);
    return;
  }
  if (y >= FLines->GetCount()) return;
  // At or past the line's end: the next line is joined on at the caret.
  const std::string old(line);
  const std::string next(LineText(y + 1));
  std::string joined(old);
  if (length < x - 1) joined.resize(size_t(x - 1), ' ');
  joined.append(next);
  TrimRight(joined);
  {
    TLinesUpdateGuard bracket(*FLines);
    FLines->Put(y - 1, joined);
    FLines->Delete(y);
    MoveMarksForRemovedLines(y + 1, 1);
  }
  // Past the line's end the blanks that pad it to the caret take the line
  // break's place: that records as an insert of the blanks.
  RecordTextChange(ktcrDeleteAfterCaret, false, y, old + "\r\n" + next, joined, size_t(length));
}

void TktCustomEdit::SetBlockPoints(TPoint anchor, TPoint end) {
  const int count = std::max(1, FLines->GetCount());
  auto clamp = [&](TPoint p) {
    p.Y = std::clamp(p.Y, 1, count);
    p.X = std::max(1, p.X);
    if (FSelectionMode == smNormal) p.X = std::min(p.X, LineLength(p.Y) + 1);
    return p;
  };
  FBlockBegin = clamp(anchor);
  FBlockEnd = clamp(end);
}

void TktCustomEdit::ClampBlockToMode() {
  if (FSelectionMode != smNormal) return;
  FBlockBegin.X = std::min(FBlockBegin.X, LineLength(FBlockBegin.Y) + 1);
  FBlockEnd.X = std::min(FBlockEnd.X, LineLength(FBlockEnd.Y) + 1);
}

void TktCustomEdit::DeleteRange(TktChangeReason kind, TPoint from, TPoint to) {
  if (!PointBefore(from, to)) return;
  // Always as plain text, whatever the selection mode, and even where the
  // user cannot select.
  const TSelectionMode mode = FSelectionMode;
  FSelectionMode = smNormal;
  SetBlockPoints(from, to);
  if (SelAvail()) DeleteSelectionRecorded(kind);
  FSelectionMode = mode;
}

void TktCustomEdit::DeleteCaretLine() {
  const int count = FLines->GetCount();
  if (count == 1 && LineLength(1) == 0) return;
  const int y = FCaretY;
  SetBlockBegin(GetCaretXY());
  const std::string text(LineText(y));
  if (count == 1 || y == count) {
    // The last line is emptied, not removed: its record holds no line end,
    // so undo brings back exactly this line.
    if (!text.empty()) {
      FLines->Put(y - 1, std::string());
      FUndoList.AddChange(ktcrDeleteAfterCaret, TPoint(1, y), TPoint(int(text.size()) + 1, y), text,
                          smNormal);
    }
  } else {
    {
      TLinesUpdateGuard bracket(*FLines);
      FLines->Delete(y - 1);
      MoveMarksForRemovedLines(y, 1);
    }
    FUndoList.AddChange(ktcrDeleteAfterCaret, TPoint(1, y), TPoint(1, y + 1), text + "\r\n",
                        smNormal);
  }
  SetCaretXY(TPoint(1, y));
}

void TktCustomEdit::ClearAll() {
  const int count = FLines->GetCount();
  const bool hadText = count > 1 || LineLength(1) > 0;
  // The store keeps one empty line; nothing recorded before can replay on it.
  FLines->Clear();
  MoveMarksForRemovedLines(2, count - 1);
  FUndoList.ClearList();
  FRedoList.ClearList();
  if (hadText) SetModified(true);
}

// --- line breaks ---------------------------------------------------------------------

void TktCustomEdit::LineBreak(bool moveCaret) {
  TPaintLockGuard lock(*this);
  if (SelAvail()) DeleteSelectionRecorded(ktcrDelete);
  const int x = FCaretX;
  const int y = FCaretY;
  const std::string line(LineText(y));
  const int length = int(line.size());
  const bool autoIndent = FOptions.Contains(kteoAutoIndent);
  auto indentAbove = [&] {
    if (!autoIndent) return 0;
    for (int i = y; i >= 1; --i)
      if (LineLength(i) > 0) return LeadingIndent(LineText(i));
    return 0;
  };
  // The record spans the line break (and the indent's blanks after it) as
  // the text the change put in; its text is what the kept part's trim took.
  TPoint start(1, y);
  TPoint end(1, y + 1);
  std::string trimmed;
  TPoint caretAfter(x, y + 1);
  {
    TLinesUpdateGuard bracket(*FLines);
    if (length == 0) {
      caretAfter.X = indentAbove() + 1;
      FLines->Insert(y - 1, std::string());
    } else if (x > length) {
      const int indent = indentAbove();
      caretAfter.X = indent + 1;
      const std::string fresh =
          autoIndent && !FOptions.Contains(kteoScrollPastEol) ? std::string(size_t(indent), ' ')
                                                              : std::string();
      FLines->Insert(y, fresh);
      start = TPoint(length + 1, y);
      end = TPoint(int(fresh.size()) + 1, y + 1);
    } else {
      const int indent = autoIndent ? LeadingIndent(line) : 0;
      if (x == 1 || x <= indent) {
        // At the start or inside the indent: the whole line moves down.
        FLines->Insert(y - 1, std::string());
      } else {
        const size_t kept = TrimmedLength(std::string_view(line).substr(0, size_t(x - 1)));
        trimmed = line.substr(kept, size_t(x - 1) - kept);
        std::string rest(size_t(indent), ' ');
        rest.append(line, size_t(x - 1));
        FLines->Put(y - 1, line.substr(0, kept));
        FLines->Insert(y, rest);
        start = TPoint(int(kept) + 1, y);
        end = TPoint(indent + 1, y + 1);
        caretAfter.X = indent + 1;
      }
    }
    MoveMarksForInsertedLines(moveCaret ? y + 1 : y, 1);
  }
  FUndoList.AddChange(ktcrLineBreak, start, end, trimmed, smNormal);
  SetCaretXY(moveCaret ? caretAfter : TPoint(x, y));
}

// --- tabs and block indent ---------------------------------------------------------------

void TktCustomEdit::InsertTab() {
  const int x = FCaretX;
  const int y = FCaretY;
  int width = 0;
  if (FOptions.Contains(kteoSmartTabs)) {
    // To the next word start of the nearest line above that reaches the caret.
    for (int i = y - 1; i >= 1; --i) {
      const std::string_view s = LineText(i);
      if (int(s.size()) < x) continue;
      size_t p = size_t(x - 1);
      while (p < s.size() && s[p] != ' ') ++p;
      while (p < s.size() && s[p] == ' ') ++p;
      width = int(p) - (x - 1);
      break;
    }
  }
  if (width == 0) {
    // A tab width of 0 puts a tab stop on every column.
    const int tab = FTabWidth > 0 ? FTabWidth : 1;
    width = tab - (x - 1) % tab;
  }
  TPaintLockGuard lock(*this);
  if (SelAvail()) DeleteSelectionRecorded(ktcrDelete);
  InsertAtCaret(std::string(size_t(width), ' '), false, false);
}

void TktCustomEdit::BlockIndent() {
  if (!SelAvail() || FTabWidth <= 0) return;
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  const int last = e.X == 1 && e.Y > b.Y ? e.Y - 1 : e.Y;
  const std::string blanks(size_t(FTabWidth), ' ');
  std::string block;
  for (int line = b.Y; line <= last; ++line) {
    block.append(blanks);
    if (line < last) block.append("\r\n");
  }
  {
    TLinesUpdateGuard bracket(*FLines);
    InsertText(TPoint(1, b.Y), block, smColumn);
  }
  FUndoList.AddChange(ktcrIndent, TPoint(1, b.Y), TPoint(FTabWidth + 1, last), block, smColumn);
  const TPoint newEnd(e.X == 1 ? 1 : e.X + FTabWidth, e.Y);
  SetBlockBegin(TPoint(b.X + FTabWidth, b.Y));
  SetBlockEnd(newEnd);
  SetCaretXY(newEnd);
}

void TktCustomEdit::BlockUnindent() {
  if (!SelAvail()) return;
  const TPoint b = GetBlockBegin();
  const TPoint e = GetBlockEnd();
  const int last = e.X == 1 && e.Y > b.Y ? e.Y - 1 : e.Y;
  std::vector<int> counts;
  bool any = false;
  for (int line = b.Y; line <= last; ++line) {
    counts.push_back(LeadingSpaces(LineText(line), FTabWidth));
    any = any || counts.back() > 0;
  }
  if (!any) return;
  std::string removed;
  {
    TLinesUpdateGuard bracket(*FLines);
    RemoveLeadingBytes(b.Y, counts);
  }
  for (size_t i = 0; i < counts.size(); ++i) {
    removed.append(size_t(counts[i]), ' ');
    if (i + 1 < counts.size()) removed.append("\r\n");
  }
  FUndoList.AddChange(ktcrUnindent, b, e, removed, FSelectionMode);
  SelectAfterUnindent(b, e, last, counts.front(), counts.back());
}

void TktCustomEdit::RemoveLeadingBytes(int first, const std::vector<int>& counts) {
  for (size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] <= 0) continue;
    const int line = first + int(i);
    // Only blanks go, however many a replay finds (an undo may have taken
    // those that ended a line).
    const std::string_view s = LineText(line);
    FLines->Put(line - 1, std::string(s.substr(size_t(LeadingSpaces(s, counts[i])))));
  }
}

void TktCustomEdit::SelectAfterUnindent(TPoint b, TPoint e, int lastLine, int firstRemoved,
                                        int lastRemoved) {
  // An end at column 1 below the unindented lines stays where it is.
  const TPoint newEnd(e.Y > lastLine ? e.X : std::max(1, e.X - lastRemoved), e.Y);
  SetBlockBegin(TPoint(std::max(1, b.X - firstRemoved), b.Y));
  SetBlockEnd(newEnd);
  SetCaretXY(newEnd);
}

// --- wrapping at the right edge ------------------------------------------------------

void TktCustomEdit::WrapLines() {
  if (!FHost || !FHost->AskYesNo(kWrapQuestion)) return;
  if (FRightEdge < 1) return;
  bool cut = false;
  {
    TLinesUpdateGuard bracket(*FLines);
    for (int i = 0; i < FLines->GetCount(); ++i) {
      const std::string_view s = FLines->GetView(i);
      if (int(s.size()) <= FRightEdge) continue;
      const size_t blank = s.substr(0, size_t(FRightEdge)).rfind(' ');
      if (blank == std::string_view::npos) continue;
      // The line keeps its blank; the rest goes below and is looked at next.
      std::string rest(s.substr(blank + 1));
      FLines->Put(i, std::string(s.substr(0, blank + 1)));
      FLines->Insert(i + 1, rest);
      MoveMarksForInsertedLines(i + 2, 1);
      cut = true;
    }
  }
  if (!cut) return;
  // No record describes the wrap: nothing recorded before can replay on it.
  FUndoList.ClearList();
  FRedoList.ClearList();
  SetModified(true);
}
