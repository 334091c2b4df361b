// Listing entries and their sorting. See FtpData.h.
#include "ftp/FtpData.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <climits>
#include <numeric>

void TMFtpFileInfoList::Clear() { FRows.clear(); }

void TMFtpFileInfoList::AddEntry(std::string_view name, std::string_view attrib,
                                 std::string_view date, std::string_view size,
                                 std::string_view link, std::string_view description,
                                 std::string_view owner, std::string_view group) {
  TRow& row = FRows.emplace_back();
  row[fcAttrib + 1] = attrib;
  row[fcDate + 1] = date;
  row[fcSize + 1] = size;
  row[fcLink + 1] = link;
  row[fcDescription + 1] = description;
  row[fcName + 1] = name;
  row[fcOwner + 1] = owner;
  row[fcGroup + 1] = group;
}

void TMFtpFileInfoList::AddRecord(const MFtpFileInfo& info) {
  AddEntry(info.FileName, info.Attrib, info.Date, info.Size, info.SymbolLink, info.Description,
           info.Owner, info.Group);
}

void TMFtpFileInfoList::GetEntry(int index, MFtpFileInfo& info) const {
  const TRow& row = FRows.at(index);
  info.Attrib = row[fcAttrib + 1];
  info.Date = row[fcDate + 1];
  info.Size = row[fcSize + 1];
  info.SymbolLink = row[fcLink + 1];
  info.Description = row[fcDescription + 1];
  info.FileName = row[fcName + 1];
  info.Owner = row[fcOwner + 1];
  info.Group = row[fcGroup + 1];
}

void TMFtpFileInfoList::CopyFrom(const TMFtpFileInfoList& source) {
  if (&source == this) return;
  Clear();
  MFtpFileInfo info;
  for (int i = 0; i < source.GetCount(); ++i) {
    source.GetEntry(i, info);
    AddRecord(info);
  }
}

int TMFtpFileInfoList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i)
    if (AnsiSameText(FRows[i][fcName + 1], name)) return i;
  return -1;
}

const std::string& TMFtpFileInfoList::GetColumn(int index, int column) const {
  return FRows.at(index).at(column + 1);
}

void TMFtpFileInfoList::SetColumn(int index, int column, const std::string& text) {
  FRows.at(index).at(column + 1) = text;
}

void TMFtpFileInfoList::ClearColumn(int column) {
  for (TRow& row : FRows) row.at(column + 1).clear();
}

void TMFtpFileInfoList::Exchange(int i, int j) { std::swap(FRows.at(i), FRows.at(j)); }

void TMFtpFileInfoList::Sort(int key, bool ascending) {
  if (GetCount() < 2 || key == 3 || key < 0 || key > 8) return;
  int column;
  std::vector<std::string> typeNames;
  if (key == 1) {
    for (TRow& row : FRows) row[0] = DateSortKey(row[fcDate + 1]);
    column = fcSortKey;
  } else {
    column = key == 8 ? fcName : key;
  }
  if (key == 8) {
    // One shell call per entry, not one per comparison.
    typeNames.reserve(FRows.size());
    for (const TRow& row : FRows) {
      std::string t = FtpSystem().FileTypeName(row[fcName + 1]);
      if (t.size() > 80) t.resize(80);
      typeNames.push_back(std::move(t));
    }
  }
  // Sort (key, row) pairs with the key texts copied side by side into one
  // buffer (rows are large; comparisons should not wander through them),
  // then put the rows in that order in place (a fresh copy of all rows costs
  // more in new memory than the sort itself).
  auto keyOf = [&](size_t i) -> const std::string& {
    return key == 8 ? typeNames[i] : FRows[i][column + 1];
  };
  size_t total = 0;
  for (size_t i = 0; i < FRows.size(); ++i) total += keyOf(i).size();
  std::string arena;
  arena.reserve(total);
  for (size_t i = 0; i < FRows.size(); ++i) arena += keyOf(i);
  std::vector<std::pair<std::string_view, size_t>> keys(FRows.size());
  for (size_t i = 0, at = 0; i < FRows.size(); ++i) {
    keys[i] = {std::string_view(arena).substr(at, keyOf(i).size()), i};
    at += keyOf(i).size();
  }
  auto less = [&](const auto& a, const auto& b) {
    if (a.first == b.first) return false;
    int r = key == 2 ? CompareSizeText(a.first, b.first) : CompareTextLocale(a.first, b.first);
    return ascending ? r < 0 : r > 0;
  };
  std::sort(keys.begin(), keys.end(), less);
  // Row i must receive old row keys[i].second: follow each cycle once.
  std::vector<bool> placed(FRows.size(), false);
  for (size_t start = 0; start < FRows.size(); ++start) {
    if (placed[start] || keys[start].second == start) continue;
    TRow held = std::move(FRows[start]);
    size_t at = start;
    for (;;) {
      size_t from = keys[at].second;
      placed[at] = true;
      if (from == start) {
        FRows[at] = std::move(held);
        break;
      }
      FRows[at] = std::move(FRows[from]);
      at = from;
    }
  }
}

namespace {
// A decimal number with an optional sign and blanks around; false for
// anything else, and for what does not fit in 64 bits.
bool SizeValue(std::string_view s, int64_t& value) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  bool negative = !s.empty() && (s[0] == '-' || s[0] == '+') && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  if (s.empty() || s.size() > 19) return false;
  uint64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > static_cast<uint64_t>(INT64_MAX)) return false;
  value = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  return true;
}
}  // namespace

int CompareSizeText(std::string_view a, std::string_view b) {
  int64_t x = 0, y = 0;
  bool xn = SizeValue(a, x), yn = SizeValue(b, y);
  if (xn != yn) return xn ? 1 : -1;
  if (!xn) return a < b ? -1 : (a == b ? 0 : 1);
  return x < y ? -1 : (x > y ? 1 : 0);
}

std::string DateSortKey(const std::string& date) {
  // Every read is bounded by what the text holds: a short or odd date gives a
  // short key, never a read past its end.
  auto part = [&](size_t from, size_t count) {
    return from < date.size() ? date.substr(from, count) : std::string();
  };
  auto pad2 = [](std::string s) { return s.size() < 2 ? std::string(2 - s.size(), '0') + s : s; };
  size_t slash = date.find('/');
  std::string month = pad2(date.substr(0, std::min(slash, date.size())));
  size_t dayStart = slash == std::string::npos ? date.size() : slash + 1;
  size_t slash2 = date.find('/', dayStart);
  std::string day = pad2(part(dayStart, slash2 == std::string::npos ? 0 : slash2 - dayStart));
  size_t yearStart = slash2 == std::string::npos ? date.size() : slash2 + 1;
  std::string year = part(yearStart, 2);
  std::string century = year < "70" ? "20" : "19";
  std::string hour = part(yearStart + 3, 2);
  if (hour.size() == 2 && hour[1] == ':') hour = std::string{'0', hour[0]};
  std::string tail = date.size() >= 5 ? date.substr(date.size() - 5) : date;
  return century + year + month + day + hour + tail;
}
