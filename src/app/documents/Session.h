// What the main window keeps between runs in the program's registry key:
// the recent files the editing control stamps under "Documents" (the Reopen
// menus), the tabs open at exit under "Opened", and the roll-up windows
// under "Rollup".
#pragma once

#include <string>
#include <vector>

class TRxMemoryData;

// Gives the recent-files table its fields: "FileName" as a memo, so a path
// of any length stays whole, and "_Date", the only field sorted on.
void DefineFileListFields(TRxMemoryData& fileList);
// The newest limit paths of "Documents" (the key is created when missing),
// newest first, sorted through fileList (an open table with the fields
// above), which is left empty. A value that is not an 8-byte date-time is
// deleted from the registry on the way. limit 0 reads nothing.
std::vector<std::string> ReadReopenList(TRxMemoryData& fileList, int limit);

// Replaces "Opened" by one integer value per path, its tab index.
void WriteOpenedDocuments(const std::vector<std::string>& paths);
// The value names of "Opened" in the order the registry lists them.
std::vector<std::string> ReadOpenedDocuments();

struct TRollUpRecord {
  std::string HotKey;  // the value name: a shortcut text
  std::string Text;
};
// The records of "Rollup" (the key is created when missing).
std::vector<TRollUpRecord> ReadRollUps();
// Adds or overwrites one value per record.
void WriteRollUps(const std::vector<TRollUpRecord>& records);
