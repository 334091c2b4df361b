// The File Types page's model.
#include "app/settings/FileTypesPage.h"

#include <algorithm>

#include "app/settings/FileTypes.h"
#include "platform/SysUtils.h"

namespace {

TFileType* Row(int index) {
  if (index < 0 || index >= static_cast<int>(FileTypes.size())) return nullptr;
  return &FileTypes[static_cast<size_t>(index)];
}

// Calls use with the field's bounded text (each field has its own width).
template <class F> void WithField(TFileType& row, TFileTypeField field, F&& use) {
  switch (field) {
    case tfName: use(row.Name); break;
    case tfDescription: use(row.Description); break;
    case tfExtension1: use(row.Extension1); break;
    case tfExtension2: use(row.Extension2); break;
    case tfExtension3: use(row.Extension3); break;
    case tfExtension4: use(row.Extension4); break;
    case tfHighlighter: use(row.Highlighter); break;
    case tfF9: use(row.F9); break;
    case tfAltF9: use(row.AltF9); break;
    case tfShiftF9: use(row.ShiftF9); break;
    case tfCtrlF1: use(row.CtrlF1); break;
    case tfAltF1: use(row.AltF1); break;
  }
}

}  // namespace

void TFileTypesPageModel::Refill() {
  FRows.clear();
  for (int i = 0; i < static_cast<int>(FileTypes.size()); ++i) FRows.push_back(i);
  std::stable_sort(FRows.begin(), FRows.end(), [](int a, int b) {
    return CompareText(FileTypes[size_t(a)].Description.Str(), FileTypes[size_t(b)].Description.Str()) < 0;
  });
}

int TFileTypesPageModel::RowOf(int line) const {
  if (line < 0 || line >= LineCount()) return -1;
  return Row(FRows[size_t(line)]) ? FRows[size_t(line)] : -1;
}

std::string TFileTypesPageModel::LineText(int line) const { return FieldText(line, tfDescription); }

std::string TFileTypesPageModel::FieldText(int line, TFileTypeField field) const {
  TFileType* row = Row(RowOf(line));
  if (!row) return std::string();
  std::string text;
  WithField(*row, field, [&text](auto& f) { text = f.Str(); });
  return text;
}

bool TFileTypesPageModel::SetField(int line, TFileTypeField field, const std::string& text) {
  const int index = RowOf(line);
  TFileType* row = Row(index);
  if (!row) return false;
  if (field == tfName) {
    // A name is taken when another row has it as the table compares names
    // or, once cut to a name's width, stores under the same subkey.
    const int owner = FindFileTypeByName(text);
    if (owner >= 0 && owner != index) return false;
    for (size_t i = 0; i < FileTypes.size() && !text.empty(); ++i)
      if (static_cast<int>(i) != index && SameFileTypeSubkey(FileTypes[i].Name.Str(), text)) return false;
  }
  WithField(*row, field, [&text](auto& f) { f = text; });
  return true;
}

std::string TFileTypesPageModel::CodeInsightText(int line, int entry) const {
  TFileType* row = Row(RowOf(line));
  if (!row || entry < 1 || entry > 26) return std::string();
  return row->CodeInsight[size_t(entry - 1)];
}

void TFileTypesPageModel::SetCodeInsight(int line, int entry, const std::string& text) {
  TFileType* row = Row(RowOf(line));
  if (row && entry >= 1 && entry <= 26) row->CodeInsight[size_t(entry - 1)] = text;
}

int TFileTypesPageModel::NewType() {
  FileTypes.emplace_back();
  FRows.insert(FRows.begin(), static_cast<int>(FileTypes.size()) - 1);
  return 0;
}

int TFileTypesPageModel::DeleteType(int line) {
  const int index = RowOf(line);
  if (index < 0) return LineCount() > 0 ? std::min(std::max(line, 0), LineCount() - 1) : -1;
  FileTypes.erase(FileTypes.begin() + index);
  FRows.erase(FRows.begin() + line);
  for (int& r : FRows)
    if (r > index) --r;
  if (FRows.empty()) return -1;
  return std::min(line, LineCount() - 1);
}
