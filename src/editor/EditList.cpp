// The line store's storage and its notifying operations.
#include "editor/EditList.h"

#include "editor/LineSplit.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/Streams.h"

namespace {

constexpr const char* kIndexError = "List index out of bounds (%d)";
// Pos of the shared empty line: no storage at all.
constexpr uint32_t kEmptyPos = std::numeric_limits<uint32_t>::max();

// Runs body inside the list's update bracket, so the change notifications
// fire once around it even when it raises.
template <class F>
void Bracketed(TStrings& list, F&& body) {
  list.BeginUpdate();
  try {
    body();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

// A line of another list without copying when it can give a view.
class TLineSource {
public:
  explicit TLineSource(TStrings* list) : FList(list) {
    FViews = dynamic_cast<TktEditList*>(list) != nullptr || dynamic_cast<TStringList*>(list) != nullptr;
  }
  std::string_view Line(int i) {
    if (FViews) return FList->GetView(i);
    FTemp = FList->Get(i);
    return FTemp;
  }

private:
  TStrings* FList;
  bool FViews;
  std::string FTemp;
};

}  // namespace

TktEditList::TktEditList() = default;

TktEditList::~TktEditList() {
  OnChanging = nullptr;
  OnChange = nullptr;
}

// --- storage ----------------------------------------------------------------

void TktEditList::CheckIndex(int i) const {
  if (i < 0 || i >= GetCount()) Error(kIndexError, i);
}

std::string_view TktEditList::GetView(int i) const {
  CheckIndex(i);
  const TLine& line = FLines[size_t(i)];
  if (!(line.LenOwned & kOwned)) return std::string_view(FText.get() + line.Pos, line.LenOwned);
  if (line.Pos == kEmptyPos) return std::string_view("", 0);
  return FOwned[line.Pos];
}

std::string TktEditList::Get(int i) const { return std::string(GetView(i)); }

TObject* TktEditList::GetObject(int i) const {
  CheckIndex(i);
  return IntToObj(GetRange(i));
}

void TktEditList::PutObject(int i, TObject* o) {
  CheckIndex(i);
  SetRange(i, ObjToInt(o));
}

TGapVector<TktRange>& TktEditList::EnsureRanges() {
  const size_t n = FLines.Size();
  if (FRanges.Size() != n) {
    FRanges.ClearAndReserve(n);
    if (n) std::memset(FRanges.Extend(n), 0, n * sizeof(TktRange));
  }
  return FRanges;
}

void TktEditList::InsertLine(size_t i, const TLine& line, TktRange range) {
  if (FRanges.Size() || range != 0) EnsureRanges().Insert(i, range);
  FLines.Insert(i, line);
  FTextLength += int64_t(LineLength(line));
}

void TktEditList::EraseLine(size_t i) {
  if (FRanges.Size()) FRanges.Erase(i);
  FTextLength -= int64_t(LineLength(FLines[i]));
  FLines.Erase(i);
}

size_t TktEditList::LineLength(const TLine& line) const {
  if (!(line.LenOwned & kOwned)) return line.LenOwned;
  return line.Pos == kEmptyPos ? 0 : FOwned[line.Pos].size();
}

TktEditList::TLine TktEditList::MakeOwned(std::string_view s) {
  if (s.empty()) return TLine{kEmptyPos, kOwned};
  // Copy first: s may point into FOwned, which may move when it grows.
  std::string text(s);
  uint32_t slot;
  if (!FFreeOwned.empty()) {
    slot = FFreeOwned.back();
    FFreeOwned.pop_back();
    FOwned[slot] = std::move(text);
  } else {
    if (FOwned.size() >= kEmptyPos) throw EOutOfResources("Too many edited lines");
    slot = uint32_t(FOwned.size());
    FOwned.push_back(std::move(text));
  }
  return TLine{slot, kOwned};
}

void TktEditList::Release(const TLine& line) {
  if (!(line.LenOwned & kOwned) || line.Pos == kEmptyPos) return;
  FOwned[line.Pos] = std::string();  // hands the memory back
  FFreeOwned.push_back(line.Pos);
}

void TktEditList::AssignLineText(TLine& line, std::string_view s) {
  FTextLength += int64_t(s.size()) - int64_t(LineLength(line));
  if ((line.LenOwned & kOwned) && line.Pos != kEmptyPos && !s.empty()) {
    FOwned[line.Pos].assign(s.data(), s.size());  // reuses the line's own memory
    return;
  }
  TLine fresh = MakeOwned(s);
  Release(line);
  line = fresh;
}

void TktEditList::Put(int i, const std::string& s) {
  CheckIndex(i);
  Bracketed(*this, [&] {
    AssignLineText(FLines[size_t(i)], s);
    if (OnLinePut) OnLinePut(i);
  });
}

void TktEditList::Insert(int i, const std::string& s) {
  if (i < 0 || i > GetCount()) Error(kIndexError, i);
  Bracketed(*this, [&] {
    InsertLine(size_t(i), MakeOwned(s));
    if (OnLineInserted) OnLineInserted(i);
  });
}

void TktEditList::Delete(int i) {
  CheckIndex(i);
  Bracketed(*this, [&] {
    if (i == 0 && GetCount() == 1) {
      AssignLineText(FLines[0], std::string_view());
    } else {
      // Out of the list first: its length still counts the text Release frees.
      const TLine line = FLines[size_t(i)];
      EraseLine(size_t(i));
      Release(line);
    }
    if (OnLineDeleted) OnLineDeleted(i);
  });
}

void TktEditList::ClearLines() {
  FLines.Clear();
  FLines.ShrinkWhenEmpty();
  FRanges.Clear();
  FRanges.ShrinkWhenEmpty();
  FOwned.clear();
  FOwned.shrink_to_fit();
  FFreeOwned.clear();
  FFreeOwned.shrink_to_fit();
  FText.reset();
  FTextLength = 0;
}

void TktEditList::Clear() {
  Bracketed(*this, [&] {
    if (OnCleared) OnCleared(this);
    ClearLines();
  });
}

void TktEditList::SetCapacity(int capacity) {
  if (capacity > 0) FLines.Reserve(size_t(capacity));
}

void TktEditList::AppendOneEmptyLine() {
  InsertLine(FLines.Size(), TLine{kEmptyPos, kOwned});
  if (OnLineAdded) OnLineAdded(this);
}

// --- update bracket and change notifications --------------------------------

void TktEditList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    // The store never ends an operation with zero lines.
    if (FLockCount == 0 && GetCount() == 0) AppendOneEmptyLine();
    Changed();
  }
}

void TktEditList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TktEditList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TktEditList::Unlock() {
  if (FLockCount <= 0) return;
  if (--FLockCount == 0 && GetCount() == 0) Add(std::string());
}

// --- bulk operations ----------------------------------------------------------

void TktEditList::AppendBulk(std::unique_ptr<char[]> text, size_t size, size_t lines,
                             bool fireAdded) {
  // Only an empty list takes a new shared buffer: every base record refers to
  // the one buffer. It is adopted before any line is handed on, so callbacks
  // can read the lines already appended.
  const bool adopt = FLines.Size() == 0;
  char* buf = text.get();
  std::unique_ptr<char[]> kept;
  if (adopt) {
    FLines.ClearAndReserve(lines);
    FText = std::move(text);
  } else {
    FLines.Reserve(FLines.Size() + lines);
    kept = std::move(text);
  }
  auto record = [&](size_t start, size_t len) {
    if (adopt && start < kEmptyPos && len < kOwned) return TLine{uint32_t(start), uint32_t(len)};
    return MakeOwned(std::string_view(buf + start, len));
  };
  if (fireAdded && OnLineAdded) {
    SplitLinesInPlace(buf, size, [&](size_t start, size_t len) {
      InsertLine(FLines.Size(), record(start, len));
      if (OnLineAdded) OnLineAdded(this);
    });
  } else {
    // Nobody watches line by line: records go straight into place. The
    // count and the split follow one rule; the bound only keeps a slip of
    // either from writing past the records.
    TLine* out = FLines.Extend(lines);
    size_t filled = 0;
    SplitLinesInPlace(buf, size, [&](size_t start, size_t len) {
      if (filled < lines) {
        out[filled++] = record(start, len);
        FTextLength += int64_t(len);
      }
    });
    for (; filled < lines; ++filled) out[filled] = TLine{kEmptyPos, kOwned};
    if (FRanges.Size() && lines) std::memset(FRanges.Extend(lines), 0, lines * sizeof(TktRange));
  }
}

int TktEditList::Add(const std::string& s) {
  int index = 0;
  Bracketed(*this, [&] {
    index = GetCount();
    InsertLine(FLines.Size(), MakeOwned(s));
    if (OnLineAdded) OnLineAdded(this);
  });
  return index;
}

void TktEditList::AddStrings(TStrings* list) {
  if (!list) return;
  Bracketed(*this, [&] {
    const int n = list->GetCount();
    TLineSource source(list);
    if (GetCount() == 0 && !FText && n > 0 && list != this) {
      // Into an empty list: one shared buffer, each line followed by NUL.
      size_t total = 0;
      for (int i = 0; i < n; ++i) total += source.Line(i).size() + 1;
      auto text = std::make_unique_for_overwrite<char[]>(total + 1);
      FLines.ClearAndReserve(size_t(n));
      size_t pos = 0;
      for (int i = 0; i < n; ++i) {
        std::string_view line = source.Line(i);
        std::memcpy(text.get() + pos, line.data(), line.size());
        text[pos + line.size()] = '\0';
        const TktRange range = ObjToInt(list->GetObject(i));
        if (pos < kEmptyPos && line.size() < kOwned)
          InsertLine(FLines.Size(), TLine{uint32_t(pos), uint32_t(line.size())}, range);
        else
          InsertLine(FLines.Size(), MakeOwned(line), range);
        pos += line.size() + 1;
      }
      text[total] = '\0';
      FText = std::move(text);
    } else {
      FLines.Reserve(FLines.Size() + size_t(n));
      for (int i = 0; i < n; ++i) {
        const TktRange range = ObjToInt(list->GetObject(i));
        InsertLine(FLines.Size(), MakeOwned(source.Line(i)), range);
      }
    }
    if (OnLinesLoaded) OnLinesLoaded(this);
  });
}

void TktEditList::Assign(TPersistent* source) {
  Lock();
  try {
    TStrings::Assign(source);
  } catch (...) {
    --FLockCount;
    throw;
  }
  Unlock();
}

void TktEditList::SetTextStr(std::string_view text) {
  Bracketed(*this, [&] {
    Clear();
    auto buf = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    std::memcpy(buf.get(), text.data(), text.size());
    const size_t lines = CountLines(buf.get(), text.size());
    AppendBulk(std::move(buf), text.size(), lines, true);
    if (OnTextSet) OnTextSet(this);
  });
}

void TktEditList::LoadFromStream(TStream& stream) {
  // The whole stream straight into what becomes the shared buffer, counted
  // piece by piece while each piece is still in the cache.
  int64_t size = stream.GetSize() - stream.GetPosition();
  if (size < 0) size = 0;
  auto buf = std::make_unique_for_overwrite<char[]>(size_t(size) + 1);
  constexpr int64_t kPiece = 256 * 1024;
  TLineCounter counter;
  int64_t got = 0;
  while (got < size) {
    const int64_t n = stream.Read(buf.get() + got, std::min(kPiece, size - got));
    if (n <= 0) break;
    counter.Feed(buf.get() + got, size_t(n));
    got += n;
  }

  Bracketed(*this, [&] {
    Lock();
    TNotifyEvent heldBack;
    const bool loadedEvent = bool(OnLinesLoaded);
    if (loadedEvent) std::swap(heldBack, OnLineAdded);
    try {
      Clear();
      AppendBulk(std::move(buf), size_t(got), counter.Lines(), true);
      if (OnTextSet) OnTextSet(this);
      if (loadedEvent && OnLinesLoaded) OnLinesLoaded(this);
    } catch (...) {
      if (loadedEvent) std::swap(heldBack, OnLineAdded);
      --FLockCount;
      throw;
    }
    if (loadedEvent) std::swap(heldBack, OnLineAdded);
    Unlock();
  });
}

std::string TktEditList::GetTextStr() const {
  const int n = GetCount();
  size_t total = 0;
  for (int i = 0; i < n; ++i) total += GetView(i).size() + 2;
  std::string text;
  text.reserve(total);
  for (int i = 0; i < n; ++i) {
    text += GetView(i);
    text += "\r\n";
  }
  return text;
}

void TktEditList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  if (index1 == index2) return;
  if (index1 > index2) std::swap(index1, index2);
  Bracketed(*this, [&] {
    TLine& a = FLines[size_t(index1)];
    TLine& b = FLines[size_t(index2)];
    std::swap(a.Pos, b.Pos);
    std::swap(a.LenOwned, b.LenOwned);
    if (OnLinePut) {
      OnLinePut(index1);
      OnLinePut(index2);
    }
  });
}

void TktEditList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  if (newIndex < 0 || newIndex >= GetCount()) Error(kIndexError, newIndex);
  Bracketed(*this, [&] {
    const std::string text = Get(curIndex);
    Delete(curIndex);
    Insert(newIndex, text);
  });
}
