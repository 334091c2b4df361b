// Marks repaint their gutter row when they change; the list owns them.
#include "editor/Marks.h"

#include <algorithm>

#include "editor/CustomEdit.h"

TktCustomEdit* TMark::GetEdit() {
  if (FEdit && FEdit->GetMarks()->IndexOf(this) < 0) FEdit = nullptr;
  return FEdit;
}

void TMark::InvalidateRow(int line) {
  // Only a mark the list holds is painted; one being set up before it is
  // added keeps its editor.
  if (!FVisible || line <= 0 || !FEdit || FEdit->GetMarks()->IndexOf(this) < 0) return;
  FEdit->InvalidateGutterLines(line, line);
}

void TMark::SetImage(int value) {
  FImageIndex = value;
  InvalidateRow(FLine);
}

void TMark::SetLine(int value) {
  const int old = FLine;
  FLine = value;
  InvalidateRow(old);
  InvalidateRow(FLine);
}

void TMark::SetVisible(bool value) {
  if (value == FVisible) return;
  // Repainted while visible: showing paints the new glyph, hiding erases it.
  FVisible = true;
  InvalidateRow(FLine);
  FVisible = value;
}

void TMark::SetInternalImage(bool value) {
  if (value == FInternalImage) return;
  FInternalImage = value;
  InvalidateRow(FLine);
}

// --- TMarkList -----------------------------------------------------------------

TMarkList::~TMarkList() { FItems.clear(); }

TMark* TMarkList::Add(std::unique_ptr<TMark> mark) {
  TMark* raw = mark.get();
  if (!raw) return nullptr;
  FItems.push_back(std::move(mark));
  if (OnChange) OnChange(this);
  return raw;
}

std::unique_ptr<TMark> TMarkList::Remove(TMark* mark) {
  auto it = std::find_if(FItems.begin(), FItems.end(),
                         [mark](const std::unique_ptr<TMark>& m) { return m.get() == mark; });
  if (it == FItems.end()) return nullptr;
  std::unique_ptr<TMark> taken = std::move(*it);
  FItems.erase(it);
  if (FEdit) FEdit->BookmarkRemoved(taken.get());
  if (OnChange) OnChange(this);
  return taken;
}

TMark* TMarkList::GetItem(int index) const {
  if (index < 0 || index >= GetCount())
    throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[size_t(index)].get();
}

int TMarkList::IndexOf(const TMark* mark) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == mark) return int(i);
  return -1;
}
