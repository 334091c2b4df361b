// The options dialog's File Types page without its window: the list of
// Descriptions the user picks from and the fields that edit the picked row.
// Every line stands for its own row, so two rows with equal Descriptions
// are both reachable, and renaming a row never lands on another one.
#pragma once

#include <string>
#include <vector>

enum TFileTypeField {
  tfName, tfDescription, tfExtension1, tfExtension2, tfExtension3, tfExtension4, tfHighlighter,
  tfF9, tfAltF9, tfShiftF9, tfCtrlF1, tfAltF1
};

class TFileTypesPageModel {
public:
  // One line per row of FileTypes, ordered by Description without case
  // (as the sorted list shows them).
  void Refill();
  int LineCount() const { return static_cast<int>(FRows.size()); }
  std::string LineText(int line) const;
  // The row a line stands for; -1 for a line that does not exist.
  int RowOf(int line) const;

  std::string FieldText(int line, TFileTypeField field) const;
  // Writes the text into the line's row, cut to the field's width. A Name
  // that another row already has (compared as the table compares names, or
  // one stored under the same registry subkey) is refused: false, and
  // nothing changes.
  bool SetField(int line, TFileTypeField field, const std::string& text);
  // Alt+A is entry 1 ... Alt+Z entry 26.
  std::string CodeInsightText(int line, int entry) const;
  void SetCodeInsight(int line, int entry, const std::string& text);

  // Appends an empty row and puts its line first; returns that line (0).
  int NewType();
  // Deletes the line's row; returns the line to select next (the same
  // number, or the last line past the end; -1 when none is left).
  int DeleteType(int line);

private:
  std::vector<int> FRows;  // row index per line
};
