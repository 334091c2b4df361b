// The per-document record in the per-user registry. Under the program's key
// (ProgramRegistryKey(), normally "\Software\Tarnquill"):
//   "Documents"             one binary value per document, named by its full
//                           file name: the date-time double of the last load
//                           or save (the application's list of recent files);
//   "Options\" + file name  (its backslashes make nested keys) the values
//                           "Highlighter" (string), "CursorX", "CursorY" and
//                           "Mark<n>x", "Mark<n>y" for bookmarks n = 0..9
//                           (32-bit integers, 1-based).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/Types.h"

struct TktDocumentState {
  std::optional<std::string> Highlighter;  // not written without one
  std::optional<int> CaretX;
  std::optional<int> CaretY;
  // Bookmark n at (column, line); empty for a bookmark not set.
  std::array<std::optional<TPoint>, 10> BookMarks;
};

// Sets the Documents value of fileName to now (the key is created when
// missing). Registry failures raise.
void StampDocument(const std::string& fileName, double now);

// Stamps the document, then writes the Options record: each value on its
// own, a failing one skipped silently; the Mark values of bookmarks not set
// are removed, so a cleared bookmark stays cleared. Raises only when a key
// cannot be opened or the Documents value cannot be written.
void WriteDocumentState(const std::string& fileName, const TktDocumentState& state, double now);

// Reads the Options record of fileName into state, each value on its own (a
// missing or unreadable one stays empty). False, with state untouched, when
// the document has no record; the key is not created. A failure to open the
// key raises.
bool ReadDocumentState(const std::string& fileName, TktDocumentState& state);
