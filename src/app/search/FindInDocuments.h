// Search in all open documents: one pass over the documents' line stores,
// with the editing control's search engine and its case and whole-word rules,
// that lists every line holding a hit. It reads the lines only, so no
// editor's caret, selection, view, modified flag or undo list moves, and it
// never lets messages through while it runs.
#pragma once

#include <string>
#include <vector>

class TktCustomEdit;
class TktEditList;

// One open document as the search sees it.
struct TSearchDocument {
  int Number = 0;            // the document's number (its editor is "m" + Number)
  std::string FileName;      // full name; the list shows it without folder
  const TktEditList* Lines = nullptr;
};

// One listed line. The list shows Text; a double click uses the numbers.
struct TFindResult {
  int Document = 0;
  int Line = 0;    // 1-based
  int Column = 0;  // 1-based column of the line's first hit
  std::string Text;  // "[%d]%s (%d): %s": number, file name, line, the line's text
};

// Every line with a hit of text, documents in the order of their numbers and
// lines top down, one result per line. An empty text finds nothing.
std::vector<TFindResult> FindInDocuments(const std::vector<TSearchDocument>& documents,
                                         const std::string& text, bool matchCase, bool wholeWords);

// The list line of a hit.
std::string FindResultText(int document, const std::string& fileName, int line,
                           std::string_view lineText);

// Shows a listed hit in its editor: while the searched text (ignoring case)
// still stands at the hit's column it is selected there, else the caret goes
// to the line's start; a line past the end means the last line. The line
// becomes the first visible one.
void ShowFindResult(TktCustomEdit& edit, int line, int column, const std::string& searchText);
