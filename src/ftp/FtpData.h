// The entries of one remote directory listing: nine texts per entry kept as
// rows, and their sorting.
#pragma once

#include "platform/Classes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct MFtpFileInfo {
  std::string Attrib, Date, Reserved, Description, FileName, Size, SymbolLink, Owner, Group;
};

// Column numbers of SetColumn/GetColumn/ClearColumn and the sort keys.
enum : int {
  fcSortKey = -1, fcAttrib = 0, fcDate = 1, fcSize = 2, fcLink = 3, fcDescription = 4,
  fcName = 5, fcOwner = 6, fcGroup = 7
};

class TMFtpFileInfoList : public TObject {
public:
  int GetCount() const { return static_cast<int>(FRows.size()); }
  void Clear();
  void AddEntry(std::string_view name, std::string_view attrib, std::string_view date,
                std::string_view size, std::string_view link, std::string_view description,
                std::string_view owner, std::string_view group);
  void Reserve(int count) { FRows.reserve(static_cast<size_t>(count)); }
  void AddRecord(const MFtpFileInfo& info);
  void GetEntry(int index, MFtpFileInfo& info) const;
  void CopyFrom(const TMFtpFileInfoList& source);
  // First entry whose name equals `name` ignoring case; -1 when none.
  int IndexOfName(const std::string& name) const;
  const std::string& GetColumn(int index, int column) const;
  void SetColumn(int index, int column, const std::string& text);
  void ClearColumn(int column);
  void Exchange(int i, int j);
  // key: 0 attributes, 1 date, 2 size (as numbers), 3 leaves the order, 4
  // description, 5 name, 6 owner, 7 group, 8 the system's file type name.
  void Sort(int key, bool ascending);

  const std::string& Name(int i) const { return FRows[i][fcName + 1]; }

private:
  using TRow = std::array<std::string, 9>;  // column + 1
  std::vector<TRow> FRows;
};

// "12/31/99 23:59" -> a text key that sorts by century, year, month, day, time.
std::string DateSortKey(const std::string& date);
// Three-way comparison of two size texts as 64-bit numbers; a text that is
// not a number sorts below every number.
int CompareSizeText(std::string_view a, std::string_view b);
