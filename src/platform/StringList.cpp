// TStringList: strings with an object slot each, optionally kept sorted.
#include <algorithm>
#include <numeric>
#include <typeinfo>

#include "platform/Classes.h"
#include "platform/TextLines.h"

namespace {
constexpr const char* kIndexError = "List index out of bounds (%d)";
constexpr const char* kSortedError = "Operation not allowed on sorted string list";
constexpr const char* kDuplicateError = "String list does not allow duplicates";
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  ClearItems();
}

void TStringList::CheckIndex(int i) const {
  if (i < 0 || i >= GetCount()) Error(kIndexError, i);
}

void TStringList::ClearItems() {
  if (FOwnsObjects) {
    // Take the objects out first: a destructor may look at the list.
    std::vector<TObject*> objects;
    for (TStringItem& item : FList)
      if (item.FObject) objects.push_back(item.FObject);
    FList.clear();
    for (TObject* o : objects) delete o;
  } else {
    FList.clear();
  }
}

std::string TStringList::Get(int i) const {
  CheckIndex(i);
  return FList[static_cast<size_t>(i)].FString;
}

std::string_view TStringList::GetView(int i) const {
  CheckIndex(i);
  return FList[static_cast<size_t>(i)].FString;
}

TObject* TStringList::GetObject(int i) const {
  CheckIndex(i);
  return FList[static_cast<size_t>(i)].FObject;
}

void TStringList::Put(int i, const std::string& s) {
  if (FSorted) Error(kSortedError, 0);
  CheckIndex(i);
  Changing();
  FList[static_cast<size_t>(i)].FString = s;
  Changed();
}

void TStringList::PutObject(int i, TObject* o) {
  CheckIndex(i);
  Changing();
  TObject* old = FList[static_cast<size_t>(i)].FObject;
  FList[static_cast<size_t>(i)].FObject = o;
  if (FOwnsObjects && old && old != o) delete old;
  Changed();
}

void TStringList::Insert(int i, const std::string& s) {
  if (FSorted) Error(kSortedError, 0);
  if (i < 0 || i > GetCount()) Error(kIndexError, i);
  InsertItem(i, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* o) {
  Changing();
  FList.insert(FList.begin() + index, TStringItem{s, o});
  Changed();
}

int TStringList::Add(const std::string& s) {
  int index;
  if (!FSorted) {
    index = GetCount();
  } else if (Find(s, index)) {
    switch (FDuplicates) {
      case dupIgnore: return index;
      case dupError: Error(kDuplicateError, 0);
      case dupAccept: break;
    }
  }
  InsertItem(index, s, nullptr);
  return index;
}

void TStringList::Delete(int i) {
  CheckIndex(i);
  Changing();
  TObject* o = FList[static_cast<size_t>(i)].FObject;
  FList.erase(FList.begin() + i);
  if (FOwnsObjects) delete o;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  ClearItems();
  Changed();
}

void TStringList::SetCapacity(int capacity) {
  if (capacity > GetCount()) FList.reserve(static_cast<size_t>(capacity));
}

void TStringList::ExchangeItems(int index1, int index2) {
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TStringList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  // The item moves whole: an owned object is not deleted on the way.
  Changing();
  TStringItem item = std::move(FList[static_cast<size_t>(curIndex)]);
  FList.erase(FList.begin() + curIndex);
  FList.insert(FList.begin() + newIndex, std::move(item));
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  ExchangeItems(index1, index2);
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(const std::string& s, int& index) const {
  // Lower bound: with duplicates the first of the equal items.
  int lo = 0, hi = GetCount();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[static_cast<size_t>(mid)].FString, s) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  index = lo;
  return lo < GetCount() && CompareStrings(FList[static_cast<size_t>(lo)].FString, s) == 0;
}

int TStringList::IndexOf(const std::string& s) const {
  if (FSorted) {
    int index;
    return Find(s, index) ? index : -1;
  }
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(FList[static_cast<size_t>(i)].FString, s) == 0) return i;
  return -1;
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (FSorted || GetCount() < 2) return;
  Changing();
  // Sort a permutation, so the comparison sees the list unchanged by indices,
  // then apply it. Stable: equal items keep their order.
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this, &compare](int a, int b) { return compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::Sort() {
  if (FSorted || GetCount() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [this](const TStringItem& a, const TStringItem& b) {
    return CompareStrings(a.FString, b.FString) < 0;
  });
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  if (FSorted) {
    // The order depends on the comparison: sort again under the new one.
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

std::string TStringList::GetTextStr() const {
  size_t total = 0;
  for (const TStringItem& item : FList) total += item.FString.size() + 2;
  std::string text;
  text.reserve(total);
  for (const TStringItem& item : FList) {
    text += item.FString;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetTextStr(std::string_view text) {
  // A sorted list places each line through Add (order, duplicates rule); a
  // subclass may override Add and expects it called per line. Only a plain
  // list takes the direct way.
  if (FSorted || typeid(*this) != typeid(TStringList)) {
    TStrings::SetTextStr(text);
    return;
  }
  LoadTextLines(text);
}

void TStringList::LoadTextLines(std::string_view text) {
  BeginUpdate();
  try {
    Clear();
    FList.reserve(CountTextLines(text));
    SplitTextLines(text, [this, text](size_t start, size_t len) {
      FList.emplace_back().FString.assign(text.data() + start, len);
    });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}
