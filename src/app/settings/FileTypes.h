// The file-type table: for each kind of file the editor knows, its name,
// description, up to four extensions, highlighter, run and help commands and
// the 26 text expansions of Alt+A to Alt+Z. One table, FileTypes, stored per
// user below ProgramRegistryKey() + "\FileTypes", one subkey per row. Rows
// keep their order; every lookup takes the first row that matches, comparing
// names, descriptions and extensions without ASCII case.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TStrings;

// A text that keeps at most N characters: every assignment cuts a longer one.
template <size_t N>
class TBoundedText {
public:
  TBoundedText() = default;
  TBoundedText(std::string_view s) : FText(s.substr(0, N)) {}  // NOLINT: assigned like a string
  TBoundedText(const std::string& s) : TBoundedText(std::string_view(s)) {}  // NOLINT
  TBoundedText(const char* s) : TBoundedText(std::string_view(s)) {}         // NOLINT
  operator const std::string&() const { return FText; }  // NOLINT
  const std::string& Str() const { return FText; }
  bool empty() const { return FText.empty(); }
  friend bool operator==(const TBoundedText& a, std::string_view b) { return a.FText == b; }

private:
  std::string FText;
};

// Expansion n (1 = A ... 26 = Z) is entry n - 1; empty means none.
using TCodeInsight = std::array<std::string, 26>;

struct TFileType {
  TBoundedText<30> Name;
  TBoundedText<255> Description;
  TBoundedText<15> Extension1, Extension2, Extension3, Extension4;
  TBoundedText<30> Highlighter;
  TBoundedText<255> F9, CtrlF9, AltF9, ShiftF9;
  TBoundedText<255> CtrlF1, AltF1;
  TCodeInsight CodeInsight;
};

using TFileTypes = std::vector<TFileType>;

extern TFileTypes FileTypes;
extern TCodeInsight EmptyCodeInsight;  // stays empty: for rows without expansions

// Replaces the table with the stored rows, in the order the registry lists
// them; a missing key gives an empty table.
void LoadFileTypes();
// Replaces the stored rows with the table (an empty table leaves no key).
// A row's subkey is its Name with "\" stored as "/" (so it stays one key);
// a row without a name, or one whose subkey an earlier row of the same save
// already has by the registry's comparison, is stored under the first free
// "Unnamed", "Unnamed 2", ... or "Name 2", "Name 3", ... Rows are written
// over the stored ones before the stale ones go, so a save that fails
// halfway (it raises ERegistryException) leaves every row it did not reach.
void SaveFileTypes();
// The subkey a row of that Name is stored under, and whether two names go
// to the same subkey (the registry ignores case beyond A-Z too).
std::string FileTypeSubkeyName(const std::string& name);
bool SameFileTypeSubkey(const std::string& a, const std::string& b);
// The 16 default rows, saved and loaded again.
void SetDefaultFileTypes();
void ClearFileTypes();
// Overwrites the row of that name (keeping its run and help commands) or
// appends a new one.
void SetFileType(const std::string& name, const std::string& description, const std::string& ext1,
                 const std::string& ext2, const std::string& ext3, const std::string& ext4,
                 const std::string& highlighter, const TCodeInsight& codeInsight);
void DeleteFileType(const std::string& name);
int FindFileTypeByName(const std::string& name);
int FindFileTypeByDescription(const std::string& description);
int FindFileTypeByExtension(const std::string& ext);  // without the dot
std::string GetHighlighterByExtension(const std::string& ext);

void FillTypeDescriptions(TStrings* list);
// "Description (*.ext1;*.ext2...)" per row.
void FillTypeFilters(TStrings* list);
// The masks a filter line stands for: the extensions of the first row whose
// own filter line it is, else the text between its parentheses (so "All
// files (*.*)" gives "*.*").
void GetFilterMasks(const std::string& filter, TStrings* masks);
void FillHighlighterNames(TStrings* list);

void DefaultPascalCodeInsight(TCodeInsight& ci);
void DefaultSQLCodeInsight(TCodeInsight& ci);
void DefaultBatchCodeInsight(TCodeInsight& ci);

// The program's trace: a line appended to the program's file name with
// ".log" when the command line's first argument is exactly "/D".
void DebugLog(const std::string& text);
// The program's file name and the first command-line argument DebugLog
// looks at; the start-up code sets them (tests too).
void SetDebugLogTarget(const std::string& programFile, const std::string& firstArgument);
