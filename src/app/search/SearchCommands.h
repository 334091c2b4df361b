// The rules of the main window's find, replace and hex-search commands that
// need no window: the option bits from the dialogs' values, the last search
// that Find Next repeats, the word at the caret that pre-fills the dialogs,
// and the hex view's search.
#pragma once

#include <cstdint>
#include <string>

class TktCustomEdit;
class THexEditor;

// What the find and replace dialogs hold when they close.
struct TSearchDialogValues {
  std::string FindText;
  std::string ReplaceText;       // the replace dialog only
  bool CaseSensitive = false;
  bool WholeWords = false;
  int Scope = 0;                 // 0 "Global", 1 "Selected Text"
  int Direction = 0;             // 0 "Forward", 1 "Backward"
  int Origin = 0;                // 0 "From Cursor", 1 "Entire Scope"
  bool Prompt = true;            // the replace dialog only
};

// The last search, which Find Next repeats.
struct TLastSearch {
  uint8_t Options = 0;           // TktSearchOption bits
  std::string SearchText;
  std::string ReplaceText;
};

// Find: case, whole words, backwards, selected text and entire scope from
// the dialog; prompt set, replace and replace all clear.
uint8_t FindOptions(const TSearchDialogValues& v);
// Replace: as Find, replace always set, replace all on the dialog's Replace
// All button, prompt from its check box.
uint8_t ReplaceOptions(const TSearchDialogValues& v, bool replaceAll);
// Search in all documents: case and whole words from the dialog, entire
// scope, nothing else.
uint8_t FindAllOptions(const TSearchDialogValues& v);
// Find Next goes on from the caret: the options without entire scope.
inline uint8_t FindNextOptions(uint8_t options) { return uint8_t(options & ~8u); }

// "Search string '%s' not found".
std::string NotFoundMessage(const std::string& searchText);

// The word at the caret (the editor's word selection), for a dialog to
// start with. The editor's caret and selection are as they were afterwards.
std::string WordAtCaret(TktCustomEdit& edit);

// Searches the hex view for bytes, ignoring case unless caseSensitive,
// without translation: from offset 0 over the whole data, or from the byte
// after the caret. A hit moves the caret there and returns its offset; a
// miss changes nothing and returns -1.
int HexSearch(THexEditor& hex, const std::string& bytes, bool caseSensitive, bool entireScope);
