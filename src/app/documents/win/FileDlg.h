// TFileDlg, the program's own "Open File" dialog: the shell's folders as a
// tree, the chosen folder's files in a list sorted by any column (held in
// the in-memory table Dir), a filter from the file types, and a file-name
// box that holds the recent files and the results of a search by name
// prefix. The main window shows it modally and opens what FileName holds.
#pragma once

#include <string>
#include <vector>

#include "app/documents/FileDlgRules.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class TFolderTree;
class TRxSpeedButton;
class TFormStorage;
class TRxMemoryData;

class TFileDlg : public TForm {
public:
  explicit TFileDlg(TComponent* owner);
  ~TFileDlg() override;

protected:
  void CreateWnd() override;

public:

  TPanel* Panel1 = nullptr;  // the tree's side
  TPanel* Panel3 = nullptr;  // the boxes and buttons
  TFolderTree* FolderTree = nullptr;
  TListView* Files = nullptr;
  TComboBox* FileFilter = nullptr;
  TComboBox* FileName = nullptr;
  TRxSpeedButton* SearchButton = nullptr;  // the magnifier
  TButton* LoadButton = nullptr;
  TButton* CancelButton = nullptr;
  TPanel* StatusLine = nullptr;
  TRxMemoryData* Dir = nullptr;

  // The folder listed, with its separator; empty when nothing is.
  const std::string& CurrentFolder() const { return FCurrentFolder; }
  // Lists the tree's selected folder (nothing when it is the same one).
  void ListSelectedFolder();
  // What typing or choosing a name in FileName does; the main window calls
  // it for a document's path, since setting the text from code does not.
  void TypedName(const std::string& text);
  // The filter lines as the file-type table stands now. The chosen line
  // stays when the table still makes it, else all files are listed.
  void UpdateFilters();
  // F5: the tree rebuilt, the listed folder selected again and listed.
  void RefreshAll();
  void SortByColumn(int column);
  // The search under the magnifier button; the number of matches.
  int Search();
  bool Searching() const { return FSearching; }
  // The real names of the listed files, in the list's order.
  const std::vector<std::string>& RealNames() const { return FRealNames; }
  TFormStorage* GetStorage() const { return FStorage; }

private:
  void FillFileList();
  void ShowSelection();
  std::vector<std::string> SelectedRealNames() const;
  void SetChosenPath();
  void Error(int place, const std::exception& e);
  TFileSortState StoredSort();
  void StoreSort(TFileSortState sort);

  TFormStorage* FStorage = nullptr;
  std::string FCurrentFolder;
  std::vector<std::string> FRealNames;
  bool FSearching = false;
  bool FStopSearch = false;
};

// The one instance, made at start-up.
extern TFileDlg* FileDlg;
