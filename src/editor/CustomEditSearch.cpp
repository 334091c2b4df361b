// Search and replace in the control: the scope (the text from the caret,
// the whole text, or the selection in its mode), the walk over the lines in
// either direction with the search engine finding every hit of a line, the
// prompt for each replacement, and replace-all, which keeps the engine's
// remaining hits (and the scope's end) where the replacements moved them.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <vector>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

void TktCustomEdit::SelectMatch(int column, int line, int length, bool caretAtStart, bool force) {
  SetBlockBegin(TPoint(column, line));
  SetBlockEnd(TPoint(column + length, line));
  // A replacement takes the selected text, even where the user cannot select.
  if (force && FBlockEnd == FBlockBegin) FBlockEnd = TPoint(column + length, line);
  SetCaretXY(TPoint(caretAtStart ? column : column + length, line));
}

void TktCustomEdit::ShowMatch(bool replacing, int length) {
  if (replacing)
    SetTopLine(FTopLine + FCaretY - 2);
  else
    SetTopLine((FTopLine + FCaretY) / 2);
  // Left by the match and back: both of its ends come into view.
  const int x = FCaretX;
  SetCaretX(x - length);
  SetCaretX(x);
}

int TktCustomEdit::SearchReplace(const std::string& search, const std::string& replace,
                                 uint8_t options) {
  if (search.empty()) return 0;
  const bool backward = options & ktsoBackwards;
  const bool selectedOnly = (options & ktsoSelectedOnly) && SelAvail();
  const bool replacing = options & ktsoReplace;
  bool replaceAll = options & ktsoReplaceAll;
  bool prompt = options & ktsoPrompt;

  // The scope, and the mode its bounds are read in: the selection's only
  // when searching a selection.
  TPoint first;
  TPoint last;
  TSelectionMode scope = smNormal;
  if (selectedOnly) {
    scope = FSelectionMode;
    first = GetBlockBegin();
    last = GetBlockEnd();
    if (scope == smLine) {
      first.X = 1;
      last.X = LineLength(last.Y) + 1;
    } else if (scope == smColumn && first.X > last.X) {
      std::swap(first.X, last.X);
    }
  } else {
    const int count = FLines->GetCount();
    first = TPoint(1, 1);
    last = TPoint(LineLength(count) + 1, count);
    if (!(options & ktsoEntireScope)) (backward ? last : first) = GetCaretXY();
  }

  TktEditSearch& engine = *FSearchEngine;
  engine.SetPattern(search);
  engine.SetSensitive(options & ktsoMatchCase);
  engine.Whole = options & ktsoWholeWord;
  const int n = int(search.size());
  // Where a replacement leaves the rest of its line: lines further down,
  // behind the replacement's last piece.
  const std::vector<std::string_view> pieces = SplitInsertedText(replace);
  const int addedLines = int(pieces.size()) - 1;

  auto valid = [&](int c, int line, int endColumn) {
    switch (scope) {
      case smLine: return true;
      case smColumn: return c >= first.X && c + n <= endColumn;
      case smNormal: break;
    }
    if (line == first.Y && c < first.X) return false;
    return !(line == last.Y && c + n > endColumn);
  };

  int count = 0;
  bool locked = false;
  const TSelectionMode userMode = FSelectionMode;
  // Matches are plain text: selected in a column or line mode, a match
  // would widen to a block or whole lines, and so would its replacement.
  FSelectionMode = smNormal;
  auto finish = [&] {
    if (FSelectionMode != userMode) {
      FSelectionMode = userMode;
      ClampBlockToMode();
      if (SelAvail()) Invalidate();
    }
    if (locked) EndUpdate();
    locked = false;
  };

  // One match: count it, select it, ask, replace. False ends the run.
  auto handle = [&](int c, int line, bool& replaced) {
    replaced = false;
    ++count;
    const bool asking = prompt && OnReplaceText;
    SelectMatch(c, line, n, backward, replacing || replaceAll);
    // Each match is shown, unless replace-all runs through them unasked.
    if (!replaceAll || asking) ShowMatch(replacing, n);
    if (!replacing && !replaceAll) return false;
    TktReplaceAction action = raReplace;
    if (asking) {
      // The user judges the hit on screen: a scroll held back by the lock
      // happens now.
      FlushPendingScroll();
      action = raCancel;
      OnReplaceText(this, search, replace, line, c, action);
    }
    if (action == raCancel) return false;
    if (action == raReplaceAll) {
      // This one and every other, without asking again.
      prompt = false;
      if (!replaceAll) {
        replaceAll = true;
        BeginUpdate();
        locked = true;
      }
    }
    if (action != raSkip) {
      SetSelText(replace);
      replaced = true;
    }
    return replaceAll;
  };

  try {
    if (replaceAll) {
      BeginUpdate();
      locked = true;
    }
    bool going = true;
    if (!backward) {
      for (int y = first.Y; going && y <= last.Y && y <= FLines->GetCount(); ++y) {
        const int hits = engine.FindAll(LineText(y));
        int line = y;  // where the rest of line y stands after replacements
        int columnEnd = last.X;
        for (int i = 0; going && i < hits; ++i) {
          const int c = engine.GetResults(i);
          const int endColumn = scope == smColumn ? columnEnd : last.X;
          if (!valid(c, line, endColumn)) continue;
          bool replaced = false;
          going = handle(c, line, replaced);
          if (!replaced) continue;
          // The rest of the line now starts at the caret: later hits shift
          // with it, and so does the scope's end when it lies there.
          const TPoint after = GetCaretXY();
          const int delta = c + n - after.X;
          engine.FixResults(c, delta);
          columnEnd -= delta;
          if (line == last.Y) last.X -= delta;
          // Line ends in the replacement move the scope's last line down.
          last.Y += addedLines;
          line += addedLines;
        }
        y = line;
      }
    } else {
      for (int y = std::min(last.Y, FLines->GetCount()); going && y >= first.Y; --y) {
        const int hits = engine.FindAll(LineText(y));
        // Right to left: a replacement moves only what was already visited.
        for (int i = hits - 1; going && i >= 0; --i) {
          const int c = engine.GetResults(i);
          if (!valid(c, y, last.X)) continue;
          bool replaced = false;
          going = handle(c, y, replaced);
          // The next search backwards starts before the replacement.
          if (replaced) SetCaretXY(TPoint(c, y));
        }
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return count;
}
