// The open dialog. See FileDlg.h.
#include "app/documents/win/FileDlg.h"

#include "app/settings/FileTypes.h"
#include "kit/RxMemDS.h"
#include "kit/win/FolderTree.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxCtrls.h"
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FormBuilder.h"

TFileDlg* FileDlg = nullptr;

namespace {
const char* const kAllFiles = "All files (*.*)";

// The search button's magnifier, drawn here rather than kept as a resource
// so every program that makes the dialog shows it. '.' is transparent (the
// lower-left pixel's colour, as the button takes it), 'k' the rim and the
// handle, 'c' the glass, 'w' its shine, 'o' the grip.
const char* const kMagnifier[] = {
    "................",
    "....kkkkk.......",
    "...kccccck......",
    "..kcwwcccck.....",
    ".kcwwcccccck....",
    ".kcwccccccck....",
    ".kccccccccck....",
    ".kccccccccck....",
    ".kccccccccck....",
    "..kccccccck.....",
    "...kccccck......",
    "....kkkkk.kooo..",
    "...........ooo..",
    "............ooo.",
    ".............oo.",
    "................",
};

HBITMAP MakeMagnifierGlyph() {
  const int size = 16;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      COLORREF c = RGB(255, 0, 255);
      switch (kMagnifier[y][x]) {
        case 'k': c = RGB(0, 0, 0); break;
        case 'c': c = RGB(160, 200, 232); break;
        case 'w': c = RGB(255, 255, 255); break;
        case 'o': c = RGB(128, 64, 0); break;
      }
      ::SetPixel(dc, x, y, c);
    }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}
}  // namespace

TFileDlg::TFileDlg(TComponent* owner) : TForm(owner) {
  SetName("FileDlg");
  SetCaption("Open File");
  SetBounds(80, 60, 640, 420);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);

  Dir = new TRxMemoryData(this);
  Dir->SetName("Dir");
  DefineDirFields(*Dir);
  Dir->Open();

  StatusLine = Make<TPanel>(this).Parent(this).Name("StatusLine").Align(alBottom).Get();
  StatusLine->SetHeight(20);
  StatusLine->SetCaption("");
  Panel3 = Make<TPanel>(this).Parent(this).Name("Panel3").Align(alBottom).Get();
  Panel3->SetHeight(64);
  Panel3->SetCaption("");
  FileName = Make<TComboBox>(this).Parent(Panel3).Name("FileName").Bounds(8, 6, 420, 21).Get();
  SearchButton = Make<TRxSpeedButton>(this).Parent(Panel3).Name("SearchButton").Bounds(434, 5, 24, 23).Get();
  SearchButton->SetHint("Search for files whose names begin with the file name");
  if (HBITMAP glyph = MakeMagnifierGlyph()) {
    SearchButton->SetGlyph(glyph);  // the button keeps a copy
    ::DeleteObject(glyph);
  }
  FileFilter = Make<TComboBox>(this).Parent(Panel3).Name("FileFilter").Bounds(8, 34, 450, 21).Get();
  FileFilter->SetStyle(csDropDownList);
  LoadButton = Make<TButton>(this).Parent(Panel3).Name("LoadButton").Bounds(470, 5, 75, 25).Caption("Load").Get();
  LoadButton->SetModalResult(mrOk);
  LoadButton->SetDefault(true);
  CancelButton = Make<TButton>(this).Parent(Panel3).Name("CancelButton").Bounds(470, 33, 75, 25).Caption("Cancel").Get();
  CancelButton->SetModalResult(mrCancel);
  CancelButton->SetCancel(true);

  Panel1 = Make<TPanel>(this).Parent(this).Name("Panel1").Align(alLeft).Get();
  Panel1->SetWidth(200);
  Panel1->SetCaption("");
  FolderTree = new TFolderTree(this);
  FolderTree->SetName("FolderTree");
  FolderTree->SetParent(Panel1);
  FolderTree->SetAlign(alClient);
  // Options first set to none, then to the network and the recycle bin;
  // the tree itself waits for its window before asking the shell.
  FolderTree->SetFolderOptions(0);
  FolderTree->SetFolderOptions(foNetworkNeighborhood | foRecycleBin);
  FolderTree->OnClick = [this](TObject*) { ListSelectedFolder(); };
  FolderTree->OnChange = [this](TObject*, TTreeNode*) { ListSelectedFolder(); };

  Files = Make<TListView>(this).Parent(this).Name("Files").Align(alClient).Get();
  Files->SetViewStyle(vsReport);
  Files->SetRowSelect(true);
  Files->SetMultiSelect(true);
  // The name takes what the fixed columns leave, so "Modified" is never cut.
  Files->AddColumn("Name", 120).AutoSize = true;
  Files->AddColumn("Type", 60);
  Files->AddColumn("Size", 70, taRightJustify);
  Files->AddColumn("Modified", 120);
  Files->OnColumnClick = [this](TObject*, TListColumn&, int index) { SortByColumn(index); };
  Files->OnClick = [this](TObject*) { ShowSelection(); };
  Files->OnSelectItem = [this](TObject*) { ShowSelection(); };
  Files->OnKeyUp = [this](TObject*, uint16_t&, TShiftState) { ShowSelection(); };
  Files->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
    if (key != VK_RETURN) return;
    ShowSelection();
    SetChosenPath();
    SetModalResult(mrOk);
  };
  Files->OnDblClick = [this](TObject*) {
    ShowSelection();
    SetChosenPath();
    SetModalResult(mrOk);
  };

  UpdateFilters();
  FileFilter->SetText(kAllFiles);
  FileFilter->OnChange = [this](TObject*) {
    FCurrentFolder.clear();
    ListSelectedFolder();
  };
  FileName->OnChange = [this](TObject*) { TypedName(FileName->GetText()); };
  FileName->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
    if (key == VK_RETURN) SetChosenPath();
  };
  SearchButton->OnClick = [this](TObject*) { Search(); };
  CancelButton->OnClick = [this](TObject*) { FStopSearch = true; };
  OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
    if (key == VK_F5) {
      RefreshAll();
      key = 0;
    } else if (key == VK_ESCAPE && FSearching) {
      FStopSearch = true;
    }
  };
  OnClose = [this](TObject*, TCloseAction&) {
    FStopSearch = true;
    if (GetModalResult() == mrOk) SetChosenPath();
  };

  FStorage = new TFormStorage(this);
  FStorage->SetName("FormStorage");
  FStorage->SetUseRegistry(true);
  FStorage->SetIniSection("OpenFileDialog");
  for (const char* entry : {"Dir.Tag", "Panel1.Width", "FolderTree.Tag", "Panel3.Tag", "FileName.Text"})
    FStorage->GetStoredProps()->Add(entry);
  FStorage->GetStoredValues()->Add("Sortby")->SetValue(0);
  FStorage->GetStoredValues()->Add("SortDirection")->SetValue(false);
  // Made hidden at start-up: the dialog's windows, and the shell work its
  // folder tree does once it has one, wait for its first showing.
  FStorage->SetHookWhenWindowMade(true);
  FStorage->Loaded();
}

void TFileDlg::CreateWnd() {
  TForm::CreateWnd();
  if (FStorage) FStorage->FormWindowCreated();
}

TFileDlg::~TFileDlg() {
  if (FileDlg == this) FileDlg = nullptr;
}

TFileSortState TFileDlg::StoredSort() {
  TFileSortState sort;
  try {
    if (TStoredValue* v = FStorage->GetStoredValues()->GetStoredValue("Sortby"))
      sort.SortBy = static_cast<int>(v->GetValue().ToInt());
    if (TStoredValue* v = FStorage->GetStoredValues()->GetStoredValue("SortDirection"))
      sort.Descending = v->GetValue().ToBool();
  } catch (const Exception&) {
    // A stored value that does not read keeps the default order.
  }
  return sort;
}

void TFileDlg::StoreSort(TFileSortState sort) {
  FStorage->GetStoredValues()->GetStoredValue("Sortby")->SetValue(sort.SortBy);
  FStorage->GetStoredValues()->GetStoredValue("SortDirection")->SetValue(sort.Descending);
}

void TFileDlg::Error(int place, const std::exception& e) {
  ::ShowMessage(Format("Unexpected error at FileDlg.%d: %s", place, e.what()) + "\r\n" +
                "Would you send me whole this message to solve that problem?");
}

void TFileDlg::ListSelectedFolder() {
  // No message runs while a folder is listed: a click meanwhile cannot mix
  // two folders in one list.
  const std::string folder = ListedFolderOf(FolderTree->GetNodePath(FolderTree->GetSelected()));
  if (folder == FCurrentFolder && !folder.empty()) return;
  FCurrentFolder = folder;
  Files->ClearItems();
  FRealNames.clear();
  try {
    if (folder.empty()) {
      // The computer, the network, the recycle bin: nothing to list.
      Dir->EmptyTable();
    } else {
      TStringList masks;
      GetFilterMasks(FileFilter->GetText(), &masks);
      std::vector<std::string> list;
      for (int i = 0; i < masks.GetCount(); ++i) list.push_back(masks.Get(i));
      ListFolderInto(*Dir, folder, list, StoredSort());
    }
    FillFileList();
  } catch (const std::exception& e) {
    Error(106, e);
  }
  StatusLine->SetCaption(FCurrentFolder);
}

void TFileDlg::FillFileList() {
  TCursor saved = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  Files->BeginUpdate();
  Files->ClearItems();
  FRealNames.clear();
  TField* name = Dir->FieldByName("Name");
  TField* ext = Dir->FieldByName("Ext");
  TField* size = Dir->FieldByName("Size");
  TField* date = Dir->FieldByName("Date");
  TField* realName = Dir->FieldByName("RealName");
  for (Dir->First(); !Dir->GetEof(); Dir->Next()) {
    Files->AddItem(name->GetAsString(),
                   {ext->GetAsString(), FileSizeText(size->GetAsLargeInt()), ShortDateTimeText(date->GetAsDateTime())});
    FRealNames.push_back(realName->GetAsString());
  }
  Files->EndUpdate();
  Screen->SetCursor(saved);
}

void TFileDlg::SortByColumn(int column) {
  try {
    const TFileSortState sort = ColumnClickSort(StoredSort(), column);
    StoreSort(sort);
    SortDir(*Dir, sort);
    FillFileList();
  } catch (const std::exception& e) {
    Error(287, e);
  }
}

std::vector<std::string> TFileDlg::SelectedRealNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < Files->GetItemCount() && i < static_cast<int>(FRealNames.size()); ++i)
    if (Files->GetItem(i)->GetSelected()) names.push_back(FRealNames[static_cast<size_t>(i)]);
  return names;
}

void TFileDlg::ShowSelection() {
  const std::vector<std::string> names = SelectedRealNames();
  if (names.size() == 1) {
    const std::string path = ChosenPath(FCurrentFolder, names);
    StatusLine->SetCaption(path);
    FileName->SetText(path);
  } else {
    StatusLine->SetCaption(FCurrentFolder);
  }
}

void TFileDlg::SetChosenPath() { FileName->SetText(ChosenPath(FCurrentFolder, SelectedRealNames())); }

void TFileDlg::TypedName(const std::string& text) {
  try {
    const TTypedName typed = ParseTypedName(text);
    if (typed.MovesTree) {
      FolderTree->SelectPath(typed.Folder);
      ListSelectedFolder();
    }
    std::vector<std::string> listed;
    for (int i = 0; i < Files->GetItemCount(); ++i) listed.push_back(Files->GetItem(i)->GetCaption());
    const int index = MatchTypedName(typed.Name, FRealNames, listed);
    if (index >= 0) {
      for (int i = 0; i < Files->GetItemCount(); ++i) Files->GetItem(i)->SetSelected(i == index);
    }
  } catch (const std::exception& e) {
    Error(302, e);
  }
}

void TFileDlg::UpdateFilters() {
  TStringList filters;
  FillTypeFilters(&filters);
  filters.Add(kAllFiles);
  TStrings* items = FileFilter->GetItems();
  bool same = items->GetCount() == filters.GetCount();
  for (int i = 0; same && i < filters.GetCount(); ++i) same = items->Get(i) == filters.Get(i);
  if (same) return;
  const std::string chosen = FileFilter->GetText();
  items->Assign(&filters);
  FileFilter->SetText(filters.IndexOf(chosen) >= 0 ? chosen : std::string(kAllFiles));
  if (!chosen.empty() && FileFilter->GetText() != chosen) {
    FCurrentFolder.clear();
    ListSelectedFolder();
  }
}

void TFileDlg::RefreshAll() {
  const std::string folder = FCurrentFolder;
  FCurrentFolder.clear();
  FolderTree->Rebuild();
  if (!folder.empty()) FolderTree->SelectPath(folder);
  ListSelectedFolder();
}

int TFileDlg::Search() {
  // A second search cannot start inside one (the pumping below lets the
  // button be clicked again).
  if (FSearching) return 0;
  std::string where = "c:\\";
  if (!InputQuery("Search for " + FileName->GetText(), "Set path", where)) return 0;
  FSearching = true;
  FStopSearch = false;
  TFileSearch search;
  const std::string prefix = FileName->GetText();
  search.OnMatch = [this](const std::string& path) { FileName->GetItems()->Insert(0, path); };
  search.OnProgress = [this](const std::string& path) {
    FileName->SetText(path);
    Application->ProcessMessages();
    return !FStopSearch;
  };
  int count = 0;
  try {
    count = search.Run(where, prefix);
  } catch (...) {
    FSearching = false;
    throw;
  }
  FSearching = false;
  SetCaption(IntToStr(count) + " file(s) was found");
  return count;
}
