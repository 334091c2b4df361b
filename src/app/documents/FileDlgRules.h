// What the open dialog decides without a window: the split of a file name
// into the listed name and type, the size text, the column-click rule, the
// listing of a folder into the table `Dir`, the search walk and what a
// typed name means. The window half (win/FileDlg) only shows the results.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TRxMemoryData;
class TStrings;

// Sort columns: 0 Name, 1 Ext, 2 Size, 3 Date.
enum TFileSortColumn { fsName = 0, fsExt = 1, fsSize = 2, fsDate = 3 };

struct TFileNameSplit {
  std::string Name;  // everything before the last "." (the whole name without one)
  std::string Ext;   // the last extension without its dot, lower-cased
};
TFileNameSplit SplitListedName(const std::string& fileName);

// Decimal with the grave accent as thousands mark: one before the last
// three digits above 1000, another before the three before those above
// 1000000 (1234567 -> "1`234`567"; 1000 -> "1000"; 1000000 -> "1000`000").
std::string FileSizeText(int64_t size);

// A click on a column header: the same column as the stored one turns the
// direction round first; another column keeps it.
struct TFileSortState {
  int SortBy = fsName;
  bool Descending = false;
};
TFileSortState ColumnClickSort(TFileSortState stored, int clickedColumn);
// The field a stored column sorts on ("Ext" for any unknown number).
const char* SortFieldName(int column);

// Both lower-cased, the name's first characters equal the prefix.
bool PrefixMatch(const std::string& name, const std::string& prefix);

// Defines the table's fields: Name (255), Ext (255), Size (64-bit), Date,
// and RealName, the entry's name as the folder holds it, from which the
// chosen path is built.
void DefineDirFields(TRxMemoryData& dir);
// Empties the table and lists the files of folder (ending in a separator)
// that match each mask in turn (a file matching two masks is listed
// twice), then sorts on the column. Nothing else runs meanwhile: the
// listing is one folder's, whatever the user clicks.
void ListFolderInto(TRxMemoryData& dir, const std::string& folder, const std::vector<std::string>& masks,
                    TFileSortState sort);
// Sorts the listed files on the column, case-sensitively.
void SortDir(TRxMemoryData& dir, TFileSortState sort);

// The folder of the tree's node as the dialog lists it: the node's path
// with a separator appended; empty when the node has no folder (the
// computer, the network, the recycle bin, no node at all).
std::string ListedFolderOf(const std::string& nodePath);

// The path the dialog gives for its selection: the folder and the real
// name of the one selected entry; the folder itself when none or several
// are selected.
std::string ChosenPath(const std::string& folder, const std::vector<std::string>& selectedRealNames);

// What a typed file name asks for. Only a name with a drive and colon, or
// one starting with two separators, moves the tree; a bare name selects
// among the listed files.
struct TTypedName {
  bool MovesTree = false;
  std::string Folder;  // with its separator, when MovesTree
  std::string Name;    // the part after the last separator
};
TTypedName ParseTypedName(const std::string& text);
// The index of the entry to select for a typed name: the one whose real
// name equals it (without case) first; else the first whose listed name
// equals the typed name without its extension; -1 for none.
int MatchTypedName(const std::string& name, const std::vector<std::string>& realNames,
                   const std::vector<std::string>& listedNames);

// The search through a folder tree for files whose names start with a
// prefix. It walks by full paths and never changes the process's current
// folder; a folder that cannot be listed is passed over; links are never
// followed below the folder the user named (which is searched even when
// it is a link); names starting with "." are passed over.
struct TFileSearch {
  // Called for every match, with its full path.
  std::function<void(const std::string& path)> OnMatch;
  // Called with each path looked at, at most once per PumpInterval
  // milliseconds: the place to show progress and let messages run.
  // Returning false stops the search.
  std::function<bool(const std::string& path)> OnProgress;
  int PumpInterval = 50;
  // The number of matches.
  int Run(const std::string& root, const std::string& prefix);
  bool Stopped() const { return FStopped; }

private:
  bool FStopped = false;
};
