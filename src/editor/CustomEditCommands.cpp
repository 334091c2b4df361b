// Running editor commands: the command hook, the paint lock and the
// command-done report around every command, and the commands that move the
// caret, extend the selection, scroll, switch modes, match brackets and set
// bookmarks. The commands that change the text are in CustomEditTyping.cpp.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <vector>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

void TktCustomEdit::ExecuteCommand(TktEditorCommand command, char aChar, void* data) {
  DoProcessCommand(command, aChar, data);
  // The application's own commands are only for its handler.
  if (command == ecNone || command >= ecUserFirst) return;
  bool repaint = false;
  {
    TPaintLockGuard lock(*this);
    repaint = RunCommand(command, aChar, data);
  }
  // Paints now what the move invalidated, with the scroll bars already
  // brought up to date by the lock's release.
  if (repaint && HandleAllocated()) FHost->Update();
  if (OnCommandDone) OnCommandDone(this);
}

bool TktCustomEdit::RunCommand(TktEditorCommand command, char aChar, void* data) {
  const bool readOnly = GetReadOnly();
  const TPoint caret = GetCaretXY();
  const bool select = command > ecSelection && command <= ecSelGotoXY;
  const TktEditorCommand move = select ? TktEditorCommand(command - ecSelection) : command;
  if (move >= ecLeft && move <= ecGotoXY) {
    const int pageLines =
        FOptions.Contains(kteoHalfPageScroll) ? FLinesInWindow / 2 : FLinesInWindow;
    switch (move) {
      case ecLeft: MoveCaretHorz(-1, select); return false;
      case ecRight: MoveCaretHorz(1, select); return false;
      case ecUp: MoveCaretVert(-1, select); return true;
      case ecDown: MoveCaretVert(1, select); return true;
      case ecWordLeft: MoveCaretAndSelection(caret, PrevWordPos(), select); return false;
      case ecWordRight: MoveCaretAndSelection(caret, NextWordPos(), select); return false;
      case ecLineStart: MoveCaretAndSelection(caret, TPoint(1, caret.Y), select); return false;
      case ecLineEnd:
        MoveCaretAndSelection(caret, TPoint(LineLength(caret.Y) + 1, caret.Y), select);
        return false;
      case ecPageUp: MoveCaretVert(-pageLines, select); return true;
      case ecPageDown: MoveCaretVert(pageLines, select); return true;
      case ecPageLeft: MoveCaretHorz(-FCharsInWindow, select); return false;
      case ecPageRight: MoveCaretHorz(FCharsInWindow, select); return false;
      case ecPageTop: MoveCaretAndSelection(caret, TPoint(caret.X, FTopLine), select); return true;
      case ecPageBottom:
        MoveCaretAndSelection(caret, TPoint(caret.X, FTopLine + FLinesInWindow - 1), select);
        return true;
      case ecEditorTop: MoveCaretAndSelection(caret, TPoint(1, 1), select); return true;
      case ecEditorBottom: {
        const int last = FLines->GetCount();
        MoveCaretAndSelection(caret, TPoint(LineLength(last) + 1, last), select);
        return true;
      }
      case ecGotoXY:
        if (!data) return false;
        MoveCaretAndSelection(caret, *static_cast<const TPoint*>(data), select);
        return true;
      default: return false;
    }
  }
  if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
    if (FBookMarkOpt->GetEnableKeys()) GotoBookMark(command - ecGotoMarker0);
    return false;
  }
  if (command >= ecSetMarker0 && command <= ecSetMarker9) {
    if (FBookMarkOpt->GetEnableKeys()) ToggleBookMark(command - ecSetMarker0);
    return false;
  }
  switch (command) {
    case ecSelectAll: SelectAll(); break;
    case ecDeleteLastChar: if (!readOnly) DeleteLastChar(); break;
    case ecDeleteChar: if (!readOnly) DeleteChar(); break;
    case ecDeleteWord:
      if (!readOnly) DeleteRange(ktcrDeleteAfterCaret, ClampToLineEnd(caret), NextWordPos());
      break;
    case ecDeleteLastWord:
      if (!readOnly) DeleteRange(ktcrDeleteAfterCaret, PrevWordPos(), ClampToLineEnd(caret));
      break;
    case ecDeleteBOL:
      if (!readOnly) DeleteRange(ktcrDelete, TPoint(1, caret.Y), ClampToLineEnd(caret));
      break;
    case ecDeleteEOL:
      if (!readOnly)
        DeleteRange(ktcrDeleteAfterCaret, ClampToLineEnd(caret),
                    TPoint(LineLength(caret.Y) + 1, caret.Y));
      break;
    case ecDeleteLine: if (!readOnly) DeleteCaretLine(); break;
    case ecClearAll: if (!readOnly) ClearAll(); break;
    case ecLineBreak: if (!readOnly) LineBreak(true); break;
    case ecInsertLine: if (!readOnly) LineBreak(false); break;
    case ecChar: if (!readOnly) TypeChar(aChar); break;
    case ecImeStr:
      if (!readOnly && data) TypeString(static_cast<const char*>(data), ktcrDelete);
      break;
    case ecUndo: if (!readOnly) Undo(); break;
    case ecRedo: if (!readOnly) Redo(); break;
    case ecCut: if (!readOnly && SelAvail()) CutToClipboard(); break;
    case ecCopy: CopyToClipboard(); break;
    case ecPaste: if (!readOnly) PasteFromClipboard(); break;
    case ecScrollUp:
      SetTopLine(FTopLine - 1);
      if (FCaretY > FTopLine + FLinesInWindow - 1) SetCaretY(FTopLine + FLinesInWindow - 1);
      return true;
    case ecScrollDown:
      SetTopLine(FTopLine + 1);
      if (FCaretY < FTopLine) SetCaretY(FTopLine);
      return true;
    case ecScrollLeft:
      SetLeftChar(FLeftChar - 1);
      // The last whole column in view: one further would scroll straight back.
      if (FCaretX > FLeftChar + FCharsInWindow - 1) SetCaretX(FLeftChar + FCharsInWindow - 1);
      return true;
    case ecScrollRight:
      SetLeftChar(FLeftChar + 1);
      if (FCaretX < FLeftChar) SetCaretX(FLeftChar);
      return true;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!FInsertMode); break;
    case ecBlockIndent: if (!readOnly) BlockIndent(); break;
    case ecBlockUnindent: if (!readOnly) BlockUnindent(); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecTab: if (!readOnly) InsertTab(); break;
    case ecShiftTab: break;
    case ecMatchBracket: GotoMatchingBracket(); break;
    case ecWrapAtRightEdge: if (!readOnly) WrapLines(); break;
    default: break;
  }
  return false;
}

// --- caret moves ----------------------------------------------------------------------

TPoint TktCustomEdit::ClampToLineEnd(TPoint p) const {
  return TPoint(std::min(p.X, LineLength(p.Y) + 1), p.Y);
}

void TktCustomEdit::MoveCaretAndSelection(TPoint from, TPoint to, bool select) {
  TPaintLockGuard lock(*this);
  if (select) {
    if (!SelAvail()) SetBlockBegin(from);
    SetBlockEnd(to);
  } else {
    SetBlockBegin(to);
  }
  SetCaretXY(to);
}

void TktCustomEdit::MoveCaretHorz(int delta, bool select) {
  const TPoint from = GetCaretXY();
  const int length = LineLength(from.Y);
  const bool pastEol = FOptions.Contains(kteoScrollPastEol);
  TPoint to = from;
  if (!pastEol && delta < 0 && from.X == 1 && from.Y > 1) {
    to = TPoint(LineLength(from.Y - 1) + 1, from.Y - 1);
  } else if (!pastEol && delta > 0 && from.X > length && from.Y < FLines->GetCount()) {
    to = TPoint(1, from.Y + 1);
  } else {
    int x = std::max(1, from.X + delta);
    if (delta > 0 && !pastEol) x = std::min(x, length + 1);
    // Never inside a double-byte character: on past it, the way the caret goes.
    if (delta != 0 && IsTrailByteAt(from.Y, x)) x += delta > 0 ? 1 : -1;
    to.X = x;
  }
  FMBCSStepAside = false;
  MoveCaretAndSelection(from, to, select);
}

void TktCustomEdit::MoveCaretVert(int delta, bool select) {
  const TPoint from = GetCaretXY();
  const int y = std::clamp(from.Y + delta, 1, std::max(1, FLines->GetCount()));
  int x = from.X;
  // The column a move stepped aside from comes back before it is tried on
  // the new line.
  if (FMBCSStepAside) ++x;
  FMBCSStepAside = IsTrailByteAt(y, x);
  if (FMBCSStepAside) --x;
  MoveCaretAndSelection(from, TPoint(x, y), select);
}

// --- words ----------------------------------------------------------------------------

TktCharSet TktCustomEdit::WordChars() const {
  return FHighLighter ? FHighLighter->GetIdentChars() : TktCharSet::Range(33, 255);
}

namespace {

// 1-based position of the first byte at or after start (1-based) that is
// (or, with want false, is not) in set and not NUL for blanks; 0 when none.
int ScanFor(std::string_view s, int start, const TktCharSet& words, bool wantWord) {
  for (int i = std::max(1, start); i <= int(s.size()); ++i) {
    const char c = s[size_t(i - 1)];
    if (wantWord ? words.Contains(c) : (c != '\0' && !words.Contains(c))) return i;
  }
  return 0;
}

// The same scanning backwards from start.
int ScanBackFor(std::string_view s, int start, const TktCharSet& words, bool wantWord) {
  for (int i = std::min(start, int(s.size())); i >= 1; --i) {
    const char c = s[size_t(i - 1)];
    if (wantWord ? words.Contains(c) : (c != '\0' && !words.Contains(c))) return i;
  }
  return 0;
}

}  // namespace

TPoint TktCustomEdit::NextWordPos() {
  const TktCharSet words = WordChars();
  int x = FCaretX;
  int y = FCaretY;
  const std::string_view s = LineText(y);
  const int length = int(s.size());
  if (length > x) {
    if (words.Contains(s[size_t(x - 1)])) x = ScanFor(s, x, words, false);
    if (x > 0) x = ScanFor(s, x, words, true);
    if (x == 0) x = length + 1;
  } else if (y < FLines->GetCount()) {
    ++y;
    x = std::max(1, ScanFor(LineText(y), 1, words, true));
  }
  return TPoint(x, y);
}

TPoint TktCustomEdit::PrevWordPos() {
  const TktCharSet words = WordChars();
  int y = FCaretY;
  const std::string_view s = LineText(y);
  int x = std::min(FCaretX, int(s.size()) + 1);
  if (x > 1) {
    if (!words.Contains(s[size_t(x - 2)])) x = ScanBackFor(s, x - 1, words, true);
    if (x > 0) x = ScanBackFor(s, x - 1, words, false) + 1;
    if (x == 0) {
      if (y > 1) {
        --y;
        x = LineLength(y) + 1;
      } else {
        x = 1;
      }
    }
  } else if (y > 1) {
    --y;
    x = LineLength(y) + 1;
  }
  return TPoint(x, y);
}

// --- brackets -------------------------------------------------------------------------

void TktCustomEdit::GotoMatchingBracket() {
  static constexpr std::string_view kBrackets = "()[]{}";
  const std::string_view s = LineText(FCaretY);
  const int x = FCaretX;
  if (x > int(s.size()) || IsTrailByte(s, size_t(x - 1))) return;
  const size_t index = kBrackets.find(s[size_t(x - 1)]);
  if (index == std::string_view::npos) return;
  const char bracket = kBrackets[index];
  const bool opening = index % 2 == 0;
  const char partner = kBrackets[opening ? index + 1 : index - 1];
  int level = 1;
  // A byte is a bracket only when it is not the second byte of a double-byte character.
  auto visit = [&](char c) {
    if (c == bracket) ++level;
    else if (c == partner) --level;
    return level == 0;
  };
  if (opening) {
    for (int y = FCaretY, from = x; y <= FLines->GetCount(); ++y, from = 0) {
      const std::string_view line = LineText(y);
      for (size_t i = size_t(from); i < line.size(); ++i) {
        if (IsLeadByte(line[i])) {
          ++i;
          continue;
        }
        if (visit(line[i])) {
          SetCaretXY(TPoint(int(i) + 1, y));
          return;
        }
      }
    }
    return;
  }
  std::vector<bool> trail;
  for (int y = FCaretY, before = x - 1; y >= 1; --y, before = -1) {
    const std::string_view line = LineText(y);
    const size_t end = before < 0 ? line.size() : size_t(before);
    // Which bytes are second bytes, found walking forward once per line.
    trail.assign(end, false);
    for (size_t i = 0; i + 1 < end; ++i)
      if (IsLeadByte(line[i])) trail[++i] = true;
    for (size_t i = end; i-- > 0;) {
      if (trail[i]) continue;
      if (visit(line[i])) {
        SetCaretXY(TPoint(int(i) + 1, y));
        return;
      }
    }
  }
}

// --- bookmarks by key -----------------------------------------------------------------

void TktCustomEdit::ToggleBookMark(int number) {
  const TMark* mark = GetBookMarkSlot(number);
  if (!mark) {
    SetBookMark(number, FCaretX, FCaretY);
    return;
  }
  const bool sameLine = mark->GetLine() == FCaretY;
  ClearBookMark(number);
  if (!sameLine) SetBookMark(number, FCaretX, FCaretY);
}
