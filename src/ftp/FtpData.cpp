// Listing entries and their sorting. See FtpData.h.
#include "ftp/FtpData.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <numeric>

void TMFtpFileInfoList::Clear() { FRows.clear(); }

void TMFtpFileInfoList::AddEntry(const std::string& name, const std::string& attrib,
                                 const std::string& date, const std::string& size,
                                 const std::string& link, const std::string& description,
                                 const std::string& owner, const std::string& group) {
  TRow row;
  row[fcAttrib + 1] = attrib;
  row[fcDate + 1] = date;
  row[fcSize + 1] = size;
  row[fcLink + 1] = link;
  row[fcDescription + 1] = description;
  row[fcName + 1] = name;
  row[fcOwner + 1] = owner;
  row[fcGroup + 1] = group;
  FRows.push_back(std::move(row));
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
  auto text = [&](size_t i) -> const std::string& {
    return key == 8 ? typeNames[i] : FRows[i][column + 1];
  };
  // Sort a permutation with a strict weak order, then move the rows once.
  std::vector<size_t> order(FRows.size());
  std::iota(order.begin(), order.end(), 0);
  auto less = [&](size_t a, size_t b) {
    const std::string& x = text(a);
    const std::string& y = text(b);
    if (x == y) return false;
    int r = key == 2 ? CompareSizeText(x, y) : CompareTextLocale(x, y);
    return ascending ? r < 0 : r > 0;
  };
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<TRow> sorted;
  sorted.reserve(FRows.size());
  for (size_t i : order) sorted.push_back(std::move(FRows[i]));
  FRows = std::move(sorted);
}

int CompareSizeText(const std::string& a, const std::string& b) {
  int64_t x = 0, y = 0;
  bool xn = TryStrToInt64(Trim(a), x), yn = TryStrToInt64(Trim(b), y);
  if (xn != yn) return xn ? 1 : -1;
  if (!xn) return CompareStr(a, b) < 0 ? -1 : (a == b ? 0 : 1);
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
