// Bookmarks, the marks of a line, the gutter-click hit test, and how marks
// follow lines that are inserted or removed.
#include "editor/CustomEdit.h"

#include <algorithm>

// --- bookmarks ---------------------------------------------------------------------

TMark* TktCustomEdit::GetBookMarkSlot(int number) const {
  if (number < 0 || number >= int(FBookMarks.size())) return nullptr;
  return FBookMarks[size_t(number)];
}

void TktCustomEdit::SetBookMark(int number, int x, int y) {
  if (number < 0 || number >= int(FBookMarks.size()) || y < 1 || y > FLines->GetCount()) return;
  auto mark = std::make_unique<TMark>(this);
  mark->SetLine(y);
  mark->SetColumn(x);
  mark->SetImage(number);
  mark->SetBookmarkNumber(number);
  mark->SetVisible(true);
  if (OnPlaceBookmark) OnPlaceBookmark(this, mark);
  if (!mark) return;
  // One bookmark per line.
  for (int i = 0; i < int(FBookMarks.size()); ++i)
    if (FBookMarks[size_t(i)] && FBookMarks[size_t(i)]->GetLine() == y) ClearBookMark(i);
  ClearBookMark(number);
  FBookMarks[size_t(number)] = FMarkList->Add(std::move(mark));
}

void TktCustomEdit::ClearBookMark(int number) {
  TMark* mark = GetBookMarkSlot(number);
  if (!mark) return;
  FBookMarks[size_t(number)] = nullptr;
  FMarkList->Remove(mark);  // freed here
}

void TktCustomEdit::BookmarkRemoved(TMark* mark) {
  for (TMark*& slot : FBookMarks)
    if (slot == mark) slot = nullptr;
}

void TktCustomEdit::GotoBookMark(int number) {
  const TMark* mark = GetBookMarkSlot(number);
  if (mark && mark->GetLine() <= FLines->GetCount())
    SetCaretXY(TPoint(mark->GetColumn(), mark->GetLine()));
}

bool TktCustomEdit::GetBookMark(int number, int& x, int& y) const {
  for (int i = 0; i < FMarkList->GetCount(); ++i) {
    const TMark* mark = FMarkList->GetItem(i);
    if (mark->IsBookmark() && mark->GetBookmarkNumber() == number) {
      x = mark->GetColumn();
      y = mark->GetLine();
      return true;
    }
  }
  return false;
}

bool TktCustomEdit::IsBookMark(int number) const {
  int x, y;
  return GetBookMark(number, x, y);
}

void TktCustomEdit::GetMarksForLine(int line, TktLineMarks& marks) const {
  marks.fill(nullptr);
  size_t n = 0;
  for (int i = 0; i < FMarkList->GetCount() && n < marks.size(); ++i) {
    TMark* mark = FMarkList->GetItem(i);
    if (mark->GetLine() == line) marks[n++] = mark;
  }
}

void TktCustomEdit::DoGutterClick(int x, int y, TShiftState shift) {
  if (!OnGutterClick) return;
  const int line = PixelsToRowColumn(x, y).Y;
  if (line > FLines->GetCount()) return;
  TktLineMarks marks;
  GetMarksForLine(line, marks);
  // Glyphs stand Xoffset pixels apart from the gutter's left edge.
  TMark* clicked = nullptr;
  int right = 0;
  for (TMark* mark : marks) {
    if (!mark) break;
    right += FBookMarkOpt->GetXoffset();
    if (right > x) {
      clicked = mark;
      break;
    }
  }
  OnGutterClick(this, x, y, line, clicked, shift);
}

// --- marks follow the lines ----------------------------------------------------------

void TktCustomEdit::MoveMarksForInsertedLines(int first, int count) {
  if (count <= 0) return;
  for (int i = 0; i < FMarkList->GetCount(); ++i) {
    TMark* mark = FMarkList->GetItem(i);
    if (mark->GetLine() >= first) mark->SetLine(mark->GetLine() + count);
  }
}

void TktCustomEdit::MoveMarksForRemovedLines(int first, int count) {
  if (count <= 0) return;
  for (int i = 0; i < FMarkList->GetCount(); ++i) {
    TMark* mark = FMarkList->GetItem(i);
    const int line = mark->GetLine();
    if (line < first) continue;
    const int moved = line < first + count ? first - 1 : line - count;
    mark->SetLine(std::max(1, moved));
  }
}
