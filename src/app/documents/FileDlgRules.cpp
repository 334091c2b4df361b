// The open dialog's rules. See FileDlgRules.h.
#include "app/documents/FileDlgRules.h"

#include <chrono>

#include "kit/RxMemDS.h"
#include "platform/SysUtils.h"

TFileNameSplit SplitListedName(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return {fileName, std::string()};
  return {fileName.substr(0, dot), AnsiLowerCase(fileName.substr(dot + 1))};
}

std::string FileSizeText(int64_t size) {
  std::string digits = IntToStr(size);
  if (size > 1000000) digits.insert(digits.size() - 6, 1, '`');
  if (size > 1000) digits.insert(digits.size() - 3, 1, '`');
  return digits;
}

TFileSortState ColumnClickSort(TFileSortState stored, int clickedColumn) {
  if (clickedColumn == stored.SortBy) stored.Descending = !stored.Descending;
  stored.SortBy = clickedColumn;
  return stored;
}

const char* SortFieldName(int column) {
  switch (column) {
    case fsName: return "Name";
    case fsSize: return "Size";
    case fsDate: return "Date";
    default: return "Ext";
  }
}

bool PrefixMatch(const std::string& name, const std::string& prefix) {
  if (prefix.size() > name.size()) return false;
  return AnsiLowerCase(name.substr(0, prefix.size())) == AnsiLowerCase(prefix);
}

void DefineDirFields(TRxMemoryData& dir) {
  TFieldDefs& defs = dir.GetFieldDefs();
  defs.Clear();
  defs.Add("Name", ftString, 255);
  // A long extension must not be cut, nor a file of 2 GiB or more read as
  // a negative size.
  defs.Add("Ext", ftString, 255);
  defs.Add("Size", ftLargeint);
  defs.Add("Date", ftDateTime);
  defs.Add("RealName", ftString, 255);
}

void SortDir(TRxMemoryData& dir, TFileSortState sort) {
  dir.SortOnFields(SortFieldName(sort.SortBy), false, sort.Descending);
}

void ListFolderInto(TRxMemoryData& dir, const std::string& folder, const std::vector<std::string>& masks,
                    TFileSortState sort) {
  dir.Close();
  dir.Open();
  TField* name = dir.FieldByName("Name");
  TField* ext = dir.FieldByName("Ext");
  TField* size = dir.FieldByName("Size");
  TField* date = dir.FieldByName("Date");
  TField* realName = dir.FieldByName("RealName");
  for (const std::string& mask : masks) {
    TSearchRec f;
    for (int r = FindFirst(folder + mask, faAnyFile, f); r == 0; r = FindNext(f)) {
      if (f.Name == "." || f.Name == ".." || (f.Attr & faDirectory)) continue;
      const TFileNameSplit split = SplitListedName(f.Name);
      dir.Append();
      name->SetAsString(split.Name);
      ext->SetAsString(split.Ext);
      size->SetAsLargeInt(f.Size);
      date->SetAsDateTime(f.TimeStamp);
      realName->SetAsString(f.Name);
      dir.Post();
    }
    FindClose(f);
  }
  SortDir(dir, sort);
}

std::string ListedFolderOf(const std::string& nodePath) {
  if (nodePath.empty()) return std::string();
  return IncludeTrailingPathDelimiter(nodePath);
}

std::string ChosenPath(const std::string& folder, const std::vector<std::string>& selectedRealNames) {
  if (selectedRealNames.size() != 1) return folder;
  return folder + selectedRealNames.front();
}

TTypedName ParseTypedName(const std::string& text) {
  TTypedName typed;
  const bool drive = text.size() >= 2 && text[1] == ':' &&
                     ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
  const bool unc = text.size() >= 2 && text[0] == '\\' && text[1] == '\\';
  typed.Name = ExtractFileName(text);
  if (drive || unc) {
    typed.MovesTree = true;
    typed.Folder = ExtractFilePath(text);  // "D:" for "D:" or "D:x"
    if (typed.Folder.back() != '\\' && typed.Folder.back() != '/') typed.Folder += '\\';
  }
  return typed;
}

int MatchTypedName(const std::string& name, const std::vector<std::string>& realNames,
                   const std::vector<std::string>& listedNames) {
  for (size_t i = 0; i < realNames.size(); ++i)
    if (AnsiSameText(realNames[i], name)) return static_cast<int>(i);
  const std::string caption = SplitListedName(name).Name;
  for (size_t i = 0; i < listedNames.size(); ++i)
    if (listedNames[i] == caption) return static_cast<int>(i);
  return -1;
}

int TFileSearch::Run(const std::string& root, const std::string& prefix) {
  using Clock = std::chrono::steady_clock;
  FStopped = false;
  int count = 0;
  Clock::time_point lastPump = Clock::now();
  struct TEntry {
    std::string Name;
    int Attr;
  };
  struct TFrame {
    std::string Folder;  // with its separator
    std::vector<TEntry> Entries;
    size_t Next = 0;
  };
  // One frame per folder being walked, in place of recursion: a deep tree
  // cannot exhaust the stack.
  std::vector<TFrame> stack;
  auto enter = [&](const std::string& folder) {
    TFrame frame;
    frame.Folder = IncludeTrailingPathDelimiter(folder);
    TSearchRec f;
    const int first = FindFirst(frame.Folder + "*.*", faAnyFile, f);
    for (int r = first; r == 0; r = FindNext(f)) frame.Entries.push_back({f.Name, f.Attr});
    FindClose(f);
    // A folder that cannot be listed (no access, a path too long) is
    // passed over; the rest of the tree is still searched.
    if (first == 0) stack.push_back(std::move(frame));
  };
  enter(root);
  while (!stack.empty()) {
    TFrame& top = stack.back();
    if (top.Next >= top.Entries.size()) {
      stack.pop_back();
      continue;
    }
    const TEntry entry = top.Entries[top.Next++];
    if (entry.Name.empty() || entry.Name[0] == '.') continue;
    const std::string path = top.Folder + entry.Name;
    if (OnProgress) {
      const Clock::time_point now = Clock::now();
      if (now - lastPump >= std::chrono::milliseconds(PumpInterval)) {
        lastPump = now;
        if (!OnProgress(path)) {
          FStopped = true;
          return count;
        }
      }
    }
    if (entry.Attr & faDirectory) {
      // A link back up the tree would repeat it until the paths grow too
      // long: links are never entered.
      if (!(entry.Attr & faSymLink)) enter(path);
    } else if (PrefixMatch(entry.Name, prefix)) {
      ++count;
      if (OnMatch) OnMatch(path);
    }
  }
  return count;
}
