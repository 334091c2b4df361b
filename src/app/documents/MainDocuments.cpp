#include "app/documents/MainDocuments.h"

#include <algorithm>
#include <utility>

#include "app/documents/HighlighterChoice.h"
#include "editor/CustomEdit.h"
#include "hexedit/HexEditor.h"
#include "kit/RxMemDS.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

bool ReadChecked(TRegistry& registry, const std::string& control) {
  std::string text;
  return registry.ReadValueText(control + "_Checked", text) && text == "True";
}

int ReadValue(TRegistry& registry, const std::string& control, int fallback) {
  std::string text;
  if (!registry.ReadValueText(control + "_Value", text)) return fallback;
  return StrToIntDef(text, fallback);
}

// Counts the guard's nesting, so the autosave knows a command is running.
struct TBusyScope {
  explicit TBusyScope(int& busy) : Busy(busy) { ++Busy; }
  ~TBusyScope() { --Busy; }
  int& Busy;
};

int64_t TextLength(const TktCustomEdit& edit) {
  // What joining the lines with CR LF would give, without joining them or
  // walking them: a keystroke in a big file costs the same as in a small one.
  const TktEditList& lines = *edit.GetLines();
  return lines.GetTextLength() + 2 * int64_t(lines.GetCount());
}

}  // namespace

TMainOptions ReadMainOptions() {
  TMainOptions options;
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(ProgramRegistryKey() + "\\Setup")) return options;
  options.Eol = ReadChecked(registry, "EOL");
  options.AskFormat = ReadChecked(registry, "AskFormat");
  options.HideTabs = ReadChecked(registry, "HideTabs");
  options.ReopenCount = ReadValue(registry, "ReopenCount", options.ReopenCount);
  options.SaveReloadSession = ReadChecked(registry, "SaveReloadSession");
  options.Autosave = ReadChecked(registry, "Autosave");
  options.AutosaveMinutes = ReadValue(registry, "Autosavemin", options.AutosaveMinutes);
  return options;
}

TMainDocuments::TMainDocuments(IDocumentTabs& tabs, IDocumentHost& host)
    : FTabs(tabs), FHost(host), FFileList(std::make_unique<TRxMemoryData>(nullptr)) {
  FFileList->SetName("FileList");
  DefineFileListFields(*FFileList);
  FFileList->Open();
}

TMainDocuments::~TMainDocuments() = default;

template <class F>
void TMainDocuments::Guard(int place, F&& f) {
  {
    TBusyScope busy(FBusy);
    RunReportingErrors(FHost, place, f);
  }
  NoticeHeldWork();
}

template <class F>
void TMainDocuments::GuardCurrent(int place, F&& f) {
  Guard(place, [&] {
    if (TktCustomEdit* edit = CurrentEditor()) f(edit);
  });
}

TAnswer TMainDocuments::AskBusy(const std::string& text, TAskKind kind, TAskButtons buttons) {
  TBusyScope busy(FBusy);
  return FHost.Ask(text, kind, buttons);
}

TMainDocuments::TDocument* TMainDocuments::Find(int number) {
  auto it = FDocuments.find(number);
  return it == FDocuments.end() ? nullptr : &it->second;
}

TMainDocuments::TDocument* TMainDocuments::Active() { return FCurrent.Edit ? Find(FCurrentNumber) : nullptr; }

TDocumentViews TMainDocuments::Views(int number) const {
  auto it = FDocuments.find(number);
  return it == FDocuments.end() ? TDocumentViews() : it->second.Views;
}

bool TMainDocuments::TextViewVisible() const {
  auto it = FDocuments.find(FCurrentNumber);
  return FCurrent.Edit && it != FDocuments.end() && it->second.TextVisible;
}

// --- making documents ---------------------------------------------------------

void TMainDocuments::NewWindow() {
  const int number = ++FWindowCounter;
  const int index = FTabs.AddPage(number);
  FTabs.SetActivePageIndex(index);
  TDocument document;
  document.Views = FHost.CreateViews(number, index);
  FDocuments[number] = document;
  FHost.ShowView(number, true);
  WireEditor(document.Views.Edit);
  // The hex view reports a byte typed, an undo taken, a selection or the
  // insert mode changed: the status bar and the actions follow it as they
  // follow the editor.
  document.Views.Hex->OnStateChanged = [this, number](TObject*) {
    if (number != FCurrentNumber || TextViewVisible()) return;
    UpdateStatus();
    UpdateActions();
  };
  FHost.FocusView(number, true);
  FHost.ApplyEditorOptions(document.Views.Edit);
}

void TMainDocuments::WireEditor(TktCustomEdit* edit) {
  edit->OnChange = [this, edit](TObject*) {
    FHost.EditorChanged(edit);
    UpdateStatus();
  };
  edit->OnStatusChange = [this](TObject*, TktStatusChanges) {
    UpdateStatus();
    UpdateActions();
  };
  edit->OnReplaceText = [this](TObject*, const std::string& search, const std::string& replace, int, int,
                               TktReplaceAction& action) {
    const std::string text = "Replace string '" + search + "' with '" + replace + "'?";
    TBusyScope busy(FBusy);
    switch (FHost.Ask(text, akWarning, abYesNoCancelAll)) {
      case anYes: action = raReplace; break;
      case anNo: action = raSkip; break;
      case anAll: action = raReplaceAll; break;
      default: action = raCancel; break;
    }
  };
  edit->OnDropFiles = [this](TObject*, int, int, TStrings* files) {
    std::vector<std::string> names;
    for (int i = 0; i < files->GetCount(); ++i) names.push_back(files->Get(i));
    DropFiles(names, true);
  };
  edit->OnGutterClick = [this](TObject*, int, int, int line, TMark*, TShiftState shift) {
    GutterClick(line, shift.Contains(ssRight));
  };
}

namespace {

struct TActionBatch {
  explicit TActionBatch(IDocumentHost& host) : Host(host) { Host.BeginActionUpdate(); }
  ~TActionBatch() { Host.EndActionUpdate(); }
  IDocumentHost& Host;
};

}  // namespace

void TMainDocuments::PageControlChange() {
  static const char* const kDocumentActions[] = {"aFileSave", "aFileSaveAs", "aFileClose", "aFileCloseAll",
                                                 "aFilePrint"};
  TActionBatch batch(FHost);
  const int index = FTabs.GetActivePageIndex();
  TDocument* document = index >= 0 ? Find(FTabs.GetPageTag(index)) : nullptr;
  if (document) {
    FCurrentNumber = FTabs.GetPageTag(index);
    FCurrent = document->Views;
    // Exactly the current highlighter's Highlight-as action is checked.
    const TktCustomHighLighter* hl = FCurrent.Edit->GetHighLighter();
    for (const char* action : kHighlightAsActions)
      FHost.SetActionChecked(action, hl && SameText(HighlightAsComponent(action), hl->GetName()));
    UpdateStatus();
    for (const char* action : kDocumentActions) FHost.SetActionEnabled(action, true);
    if (document->TextVisible) FHost.FocusView(FCurrentNumber, true);
    std::vector<std::string> captions;
    for (int i = 0; i < FTabs.GetPageCount(); ++i) captions.push_back(FTabs.GetPageCaption(i));
    FHost.SetWindowMenu(captions);
  } else {
    FCurrent = TDocumentViews();
    FCurrentNumber = 0;
    for (const char* action : kDocumentActions) FHost.SetActionEnabled(action, false);
    FHost.SetWindowMenu({});
    UpdateStatus();
  }
  UpdateActions();
  FTabs.SetTabsHidden(FTabs.GetPageCount() == 1 && Options.HideTabs);
}

void TMainDocuments::NewDocument() {
  NewWindow();
  PageControlChange();
  CurrentEditor()->FileName.clear();
  UpdateStatus();
}

void TMainDocuments::LoadCurrentFile() {
  if (!CurrentEditor()) return;
  // Chosen before the text is there too, so a big file is scanned once.
  SetHighlighterByExtension();
  CurrentEditor()->LoadFromFile();
  SetHighlighterByExtension();
  FHost.FocusView(FCurrentNumber, true);
}

// --- closing ------------------------------------------------------------------

void TMainDocuments::ClosePage(int index) {
  const int number = FTabs.GetPageTag(index);
  if (number == FCurrentNumber) {
    FCurrent = TDocumentViews();
    FCurrentNumber = 0;
  }
  FDocuments.erase(number);
  FTabs.FreePage(index);
}

void TMainDocuments::CloseDocument(int number) {
  for (int i = 0; i < FTabs.GetPageCount(); ++i) {
    if (FTabs.GetPageTag(i) != number) continue;
    const bool wasActive = FTabs.GetActivePageIndex() == i;
    ClosePage(i);
    if (wasActive && FTabs.GetPageCount() > 0) FTabs.SetActivePageIndex(i > 0 ? i - 1 : 0);
    return;
  }
}

void TMainDocuments::SelectActiveDocument() {
  const int index = FTabs.GetActivePageIndex();
  TDocument* document = index >= 0 ? Find(FTabs.GetPageTag(index)) : nullptr;
  FCurrentNumber = document ? FTabs.GetPageTag(index) : 0;
  FCurrent = document ? document->Views : TDocumentViews();
}

bool TMainDocuments::ActiveHasUnsavedChanges() {
  TDocument* document = Active();
  if (!document) return false;
  return document->TextVisible ? document->Views.Edit->GetModified() : document->Views.Hex->GetModified();
}

bool TMainDocuments::CloseAllTabs() {
  // Each round makes tab 0 the current document and closes it. The window
  // shows a tab (status, actions, window menu) only when it asks about it:
  // the tabs closed without a question pass unseen, and showing each of
  // them made closing many tabs cost many times the closing itself. The
  // tabs and pages wait out of sight likewise, until the end or until a
  // question shows the tab it is about.
  struct TPagesUpdate {
    IDocumentTabs& Tabs;
    bool On = false;
    void Begin() {
      if (!std::exchange(On, true)) Tabs.BeginPagesUpdate();
    }
    void End() {
      if (std::exchange(On, false)) Tabs.EndPagesUpdate();
    }
    ~TPagesUpdate() { End(); }
  } update{FTabs};
  try {
    const int rounds = FTabs.GetPageCount();
    for (int i = 0; i < rounds; ++i) {
      update.Begin();
      FTabs.SetActivePageIndex(0);
      SelectActiveDocument();
      if (ActiveHasUnsavedChanges()) {
        update.End();
        PageControlChange();
      }
      if (!QuerySaveCurrent()) {
        update.End();
        PageControlChange();
        return false;
      }
      ClosePage(0);
    }
  } catch (...) {
    update.End();
    PageControlChange();
    throw;
  }
  update.End();
  if (FTabs.GetPageCount() > 0) FTabs.SetActivePageIndex(0);
  PageControlChange();
  return true;
}

void TMainDocuments::FreeActivePage() {
  const int index = FTabs.GetActivePageIndex();
  if (index < 0) return;
  ClosePage(index);
  if (FTabs.GetPageCount() > 0) FTabs.SetActivePageIndex(index > 0 ? index - 1 : 0);
}

bool TMainDocuments::OpenInNewTab(const std::string& path, bool quiet) {
  // The new tab, its highlighter and its text each report a change: the
  // status bar, captions and actions follow once, when the document is
  // complete (or gone again, before any message about it).
  struct THold {
    TMainDocuments& Documents;
    bool On = true;
    void Release() {
      if (std::exchange(On, false)) Documents.ReleaseUpdates();
    }
    // Reached with the hold on only while an error leaves: the refresh
    // must not throw over it.
    ~THold() {
      try {
        Release();
      } catch (...) {
      }
    }
  } hold{*this};
  HoldUpdates();
  NewWindow();
  const int number = FWindowCounter;
  PageControlChange();
  TktCustomEdit* edit = CurrentEditor();
  edit->FileName = path;
  // The highlighter, the text and the stored caret each move the editor's
  // scroll bars and caret: held, it moves them once, at the end.
  struct TEditorHold {
    TktCustomEdit* Edit;
    void End() {
      if (Edit) std::exchange(Edit, nullptr)->EndUpdate();
    }
    ~TEditorHold() {
      try {
        End();
      } catch (...) {
      }
    }
  } editorHold{edit};
  edit->BeginUpdate();
  // Chosen before the text is there too, so a big file is scanned once.
  SetHighlighterByExtension();
  try {
    edit->LoadFromFile();
  } catch (const Exception& e) {
    editorHold.End();
    // A tab left carrying the name would let Save overwrite the file that
    // could not be read.
    CloseDocument(number);
    PageControlChange();
    hold.Release();
    if (!quiet) FHost.ShowMessage(e.Message());
    return false;
  }
  editorHold.End();
  SetHighlighterByExtension();
  FHost.FocusView(number, true);
  FTabs.SetPageCaption(FTabs.GetActivePageIndex(), ExtractFileName(path));
  UpdateStatus();
  // The tab change ran before the document had its name and highlighter:
  // reload, export and print follow what it has now.
  UpdateActions();
  return true;
}

bool TMainDocuments::DuplicateCheck(const std::string& path) {
  for (int n = 0; n <= FWindowCounter; ++n) {
    TDocument* document = Find(n);
    if (!document || !SameText(document->Views.Edit->FileName, path)) continue;
    if (AskBusy("This file is already opened.\r\nAre you sure you want to open it in new window?", akWarning,
                abYesNo) != anYes)
      return false;
  }
  return true;
}

// --- commands -------------------------------------------------------------------

void TMainDocuments::FileNew() {
  Guard(kPlaceNew, [&] { NewDocument(); });
}

void TMainDocuments::FileNewFromClipboard() {
  Guard(kPlaceNewFromClipboard, [&] {
    NewDocument();
    CurrentEditor()->PasteFromClipboard();
    UpdateStatus();
    UpdateActions();
  });
}

void TMainDocuments::FileOpen() {
  Guard(kPlaceOpen, [&] {
    std::string name = CurrentEditor() ? CurrentEditor()->FileName : std::string();
    {
      TBusyScope busy(FBusy);
      if (!FHost.RunOpenDialog(name)) return;
    }
    if (!DuplicateCheck(name)) return;
    OpenInNewTab(name, false);
    UpdateStatus();
    BuildReopenMenu();
  });
}

void TMainDocuments::ReopenItem(const std::string& path) {
  Guard(kPlaceReopen, [&] {
    if (!FileExists(path)) return;
    if (!DuplicateCheck(path)) return;
    OpenInNewTab(path, false);
    BuildReopenMenu();
    UpdateStatus();
  });
}

void TMainDocuments::DropFiles(const std::vector<std::string>& files, bool fromEditor) {
  Guard(kPlaceDrop, [&] {
    for (const std::string& file : files) {
      OpenInNewTab(file, false);
      if (!fromEditor) {
        UpdateStatus();
        BuildReopenMenu();
      }
    }
    if (fromEditor) {
      UpdateStatus();
      BuildReopenMenu();
    }
  });
}

bool TMainDocuments::AskUnix() {
  if (!Options.AskFormat) return Options.Eol;
  return AskBusy("Do you want to use \"UNIX\" style?", akConfirmation, abYesNo) == anYes;
}

bool TMainDocuments::WriteCurrent(bool unix) {
  TktCustomEdit* edit = CurrentEditor();
  const bool written = unix ? edit->SaveToFileUnix() : edit->SaveToFile();
  if (written) edit->SetModified(false);
  return written;
}

bool TMainDocuments::SaveCurrentFile() {
  TktCustomEdit* edit = CurrentEditor();
  if (!edit) return false;
  const std::string oldName = edit->FileName;
  const int index = FTabs.GetActivePageIndex();
  const std::string oldCaption = FTabs.GetPageCaption(index);
  if (edit->FileName.empty()) {
    std::string name;
    {
      TBusyScope busy(FBusy);
      if (!FHost.RunSaveDialog(name)) return false;
    }
    edit->FileName = name;
    FTabs.SetPageCaption(index, ExtractFileName(name));
  }
  if (!WriteCurrent(AskUnix())) {
    // A name the write never reached is not the document's.
    edit->FileName = oldName;
    FTabs.SetPageCaption(index, oldCaption);
    return false;
  }
  if (!edit->GetHighLighter()) SetHighlighterByExtension();
  return true;
}

bool TMainDocuments::SaveHex() {
  TDocument* document = Active();
  if (!document) return false;
  if (!document->Views.Hex->SaveToFile(document->Views.Edit->FileName)) return false;
  document->HexWrote = true;
  return true;
}

void TMainDocuments::FileSave() {
  Guard(kPlaceSave, [&] {
    if (!CurrentEditor()) return;
    if (TextViewVisible()) {
      SaveCurrentFile();
      UpdateStatus();
      BuildReopenMenu();
      if (!CurrentEditor()->GetHighLighter()) SetHighlighterByExtension();
    } else {
      if (!SaveHex()) FHost.ShowMessage("File " + CurrentEditor()->FileName + " could not be saved.");
      UpdateStatus();
      UpdateActions();
    }
  });
}

void TMainDocuments::FileSaveAs() {
  GuardCurrent(kPlaceSaveAs, [&](TktCustomEdit* edit) {
    std::string name = edit->FileName;
    bool chosen;
    {
      TBusyScope busy(FBusy);
      chosen = FHost.RunSaveDialog(name);
    }
    if (chosen) {
      const int index = FTabs.GetActivePageIndex();
      if (TextViewVisible()) {
        const std::string oldName = edit->FileName;
        edit->FileName = name;
        if (WriteCurrent(AskUnix())) {
          SetHighlighterByExtension();
          FTabs.SetPageCaption(index, ExtractFileName(name));
        } else {
          edit->FileName = oldName;
        }
      } else if (CurrentHexEditor()->SaveToFile(name)) {
        edit->FileName = name;
        Active()->HexWrote = true;
        FTabs.SetPageCaption(index, ExtractFileName(name));
      } else {
        FHost.ShowMessage("File " + name + " could not be saved.");
      }
    }
    UpdateStatus();
    BuildReopenMenu();
  });
}

void TMainDocuments::FileSaveAll() {
  Guard(kPlaceSaveAll, [&] {
    for (int i = 0; i < FTabs.GetPageCount(); ++i) {
      FTabs.SetActivePageIndex(i);
      PageControlChange();
      FileSave();
    }
    BuildReopenMenu();
  });
}

TAnswer TMainDocuments::AskSave() {
  TBusyScope busy(FBusy);
  const std::string& name = CurrentEditor()->FileName;
  const int index = FTabs.GetActivePageIndex();
  const std::string document = !name.empty() ? name : index >= 0 ? FTabs.GetPageCaption(index) : std::string();
  return FHost.AskAbout(document, "Do you want to save this file?", akWarning, abYesNoCancel);
}

bool TMainDocuments::QuerySaveCurrent() {
  TDocument* document = Active();
  if (!document) return true;
  TktCustomEdit* edit = document->Views.Edit;
  if (document->TextVisible) {
    if (!edit->GetModified()) {
      if (!edit->FileName.empty() && FRecordDocuments) edit->SaveDocumentState();
      return true;
    }
    switch (AskSave()) {
      case anCancel: return false;
      case anYes: return SaveCurrentFile();
      default: return true;
    }
  }
  if (!document->Views.Hex->GetModified()) return true;
  switch (AskSave()) {
    case anCancel: return false;
    case anYes:
      if (SaveHex()) return true;
      FHost.ShowMessage("File " + edit->FileName + " could not be saved.");
      return false;
    default: return true;
  }
}

void TMainDocuments::FileClose() {
  Guard(kPlaceClose, [&] {
    if (!CurrentEditor()) return;
    if (!QuerySaveCurrent()) return;
    FreeActivePage();
    PageControlChange();
    BuildReopenMenu();
  });
}

void TMainDocuments::FileCloseAll() {
  Guard(kPlaceCloseAll, [&] {
    CloseAllTabs();
    BuildReopenMenu();
  });
}

void TMainDocuments::FileReload() {
  GuardCurrent(kPlaceReload, [&](TktCustomEdit* edit) {
    if (!TextViewVisible()) return;  // the hex view shows the file as it is
    if (edit->GetModified()) {
      switch (AskBusy("File was changes. Do you want to save it?", akWarning, abYesNoCancel)) {
        case anCancel: return;
        case anYes:
          if (!SaveCurrentFile()) return;
          UpdateStatus();
          BuildReopenMenu();
          break;
        default: break;
      }
    }
    const TPoint caret = edit->GetCaretXY();
    edit->GetLines()->LoadFromFile(edit->FileName);
    edit->GetUndoList().ClearList();
    edit->GetRedoList().ClearList();
    edit->SetModified(false);
    edit->SetCaretXY(caret);
    UpdateStatus();
    UpdateActions();
  });
}

void TMainDocuments::ViewTextBinary() {
  Guard(kPlaceTextBinary, [&] {
    TDocument* document = Active();
    if (!document) return;
    TktCustomEdit* edit = document->Views.Edit;
    THexEditor* hex = document->Views.Hex;
    if (document->TextVisible) {
      if (edit->GetModified()) {
        switch (AskBusy("File was changed. Save?", akWarning, abYesNoCancel)) {
          case anCancel: return;
          case anYes:
            if (!SaveCurrentFile()) return;
            break;
          default: break;
        }
      }
      // The hex view shows the file on disk: a document never saved has none.
      if (edit->FileName.empty()) return;
      if (!hex->LoadFromFile(edit->FileName)) {
        FHost.ShowMessage("File " + edit->FileName + " could not be opened.");
        return;
      }
      document->TextVisible = false;
      FHost.ShowView(FCurrentNumber, false);
      FHost.FocusView(FCurrentNumber, false);
    } else {
      bool wrote = false;
      if (hex->GetModified()) {
        switch (AskBusy("File was changed. Save?", akWarning, abYesNoCancel)) {
          case anCancel: return;
          case anYes:
            if (!SaveHex()) {
              FHost.ShowMessage("File " + edit->FileName + " could not be saved.");
              return;
            }
            wrote = true;
            break;
          default: break;
        }
      }
      document->TextVisible = true;
      // The file is read again only when the hex view changed it. Text edits
      // not saved stay unless the user gives them up: kept, the text is
      // older than the file, and saving it would undo the binary changes.
      if (wrote || document->HexWrote) {
        const bool reload =
            !edit->GetModified() ||
            AskBusy("The file was changed in the binary view. Reload it and lose the text changes?", akWarning,
                    abYesNo) == anYes;
        if (reload) {
          edit->LoadFromFile();
          // The text is the file's again: nothing of it is unsaved.
          edit->SetModified(false);
          SetHighlighterByExtension();
        }
      }
      document->HexWrote = false;
      FHost.ShowView(FCurrentNumber, true);
      FHost.FocusView(FCurrentNumber, true);
    }
    UpdateStatus();
    UpdateActions();
  });
}

void TMainDocuments::ViewAnsiAscii() {
  Guard(kPlaceAnsiAscii, [&] {
    TDocument* document = Active();
    if (!document) return;
    if (document->TextVisible) {
      TktCustomEdit* edit = document->Views.Edit;
      if (document->DosCodePage) edit->ConvertWinToDos();
      else edit->ConvertDosToWin();
      document->DosCodePage = !document->DosCodePage;
      UpdateStatus();
    } else {
      THexEditor* hex = document->Views.Hex;
      const bool ascii = hex->GetTranslation() != ttAnsi;
      hex->SetTranslation(ascii ? ttAnsi : ttDos8);
      FHost.SetStatusText(1, ascii ? "Binary: ANSI" : "Binary: ASCII");
    }
  });
}

void TMainDocuments::HighlightAs(const std::string& actionName) {
  Guard(kPlaceHighlightAs, [&] {
    if (!CurrentEditor() || !TextViewVisible()) return;
    TktCustomHighLighter* hl = FindHighlighter(Data, HighlightAsComponent(actionName));
    CurrentEditor()->SetHighLighter(hl);
    for (const char* action : kHighlightAsActions)
      FHost.SetActionChecked(action, hl && SameText(HighlightAsComponent(action), hl->GetName()));
    UpdateStatus();
    UpdateActions();
  });
}

void TMainDocuments::ActivateTab(int index) {
  Guard(kPlaceTabHop, [&] {
    if (index < 0 || index >= FTabs.GetPageCount()) return;
    // Through the tab change, so the current document is the one shown: a
    // Close after a hop must ask about the tab it frees.
    FTabs.SetActivePageIndex(index);
    PageControlChange();
  });
}

void TMainDocuments::FirstWindow() { ActivateTab(0); }

void TMainDocuments::PreviousWindow() {
  const int count = FTabs.GetPageCount();
  if (count == 0) return;
  const int index = FTabs.GetActivePageIndex();
  ActivateTab(index > 0 ? index - 1 : count - 1);
}

void TMainDocuments::NextWindow() {
  const int count = FTabs.GetPageCount();
  if (count == 0 || !CurrentEditor()) return;
  const int index = FTabs.GetActivePageIndex();
  ActivateTab(index + 1 < count ? index + 1 : 0);
}

void TMainDocuments::LastWindow() { ActivateTab(FTabs.GetPageCount() - 1); }

void TMainDocuments::GutterClick(int line, bool rightButton) {
  GuardCurrent(kPlaceGutter, [&](TktCustomEdit* edit) {
    if (rightButton) {
      FHost.PopupBookmarkMenu();
    } else {
      int free = 0;
      for (int n = 1; n <= 9; ++n) {
        int x = 0, y = 0;
        if (edit->GetBookMark(n, x, y)) {
          if (y == line) {
            edit->ClearBookMark(n);
            free = -1;
            break;
          }
        } else if (free == 0) {
          free = n;
        }
      }
      if (free > 0) edit->SetBookMark(free, 1, line);
    }
    UpdateActions();
  });
}

TStatusClick TMainDocuments::StatusDblClick(int x) {
  TStatusClick click = StatusClickAt(x);
  if (StatusClickNeedsDocument(click) && !CurrentEditor()) click = scNothing;
  if (click == scSave) FileSave();
  if (click == scOpen) FileOpen();
  if (click == scToggleEol) Options.Eol = !Options.Eol;  // the window stores the box at once
  UpdateStatus();
  return click;
}

// --- shared routines -------------------------------------------------------------

void TMainDocuments::BuildReopenMenu() {
  Guard(kPlaceReopenMenu, [&] {
    FReopenPaths = ReadReopenList(*FFileList, Options.ReopenCount);
    FHost.SetReopenMenus(FReopenPaths);
    // A file just opened or saved is new in the list: the button that drops
    // it follows at once, not at the next action refresh.
    FHost.SetActionEnabled("ReopenButton", !FReopenPaths.empty());
  });
}

void TMainDocuments::SetHighlighterByExtension() {
  TktCustomEdit* edit = CurrentEditor();
  if (!edit || !TextViewVisible()) return;
  // Assigning the one it has would scan the whole text again.
  TktCustomHighLighter* hl = HighlighterForFile(Data, edit->FileName);
  if (edit->GetHighLighter() != hl) edit->SetHighLighter(hl);
  for (const char* action : kHighlightAsActions)
    FHost.SetActionChecked(action, hl && SameText(HighlightAsComponent(action), hl->GetName()));
}

void TMainDocuments::UpdateStatus() {
  if (FHeld > 0) {
    FHeldStatus = true;
    return;
  }
  TktCustomEdit* edit = CurrentEditor();
  const bool text = TextViewVisible();
  if (edit) {
    if (text) {
      FHost.SetStatusText(0, CaretPanelText(edit->GetCaretY(), edit->GetCaretX()));
      const TktCustomHighLighter* hl = edit->GetHighLighter();
      FHost.SetStatusText(1, hl ? HighlighterDisplayName(hl->GetName()) : std::string());
      FHost.SetActionEnabled("aEditUndo", edit->CanUndo());
      FHost.SetActionEnabled("aEditRedo", edit->CanRedo());
      // The window keeps the clipboard's state: no clipboard read per key.
      FHost.SetActionEnabled("aEditPaste", FHost.ClipboardHasText());
    } else {
      FHost.SetStatusText(0, HexOffsetPanelText(CurrentHexEditor()->GetCursorPosition()));
      FHost.SetStatusText(1, "Binary");
    }
    FHost.SetStatusText(2, LengthPanelText(TextLength(*edit)));
    FHost.SetStatusText(4, (text ? edit->GetModified() : CurrentHexEditor()->GetModified()) ? "Modified" : "");
    FHost.SetStatusText(6, edit->FileName);
  }
  const int index = FTabs.GetActivePageIndex();
  const TMainCaptions captions =
      MainCaptions(edit != nullptr, text, index >= 0 ? FTabs.GetPageCaption(index) : std::string(),
                   edit ? edit->FileName : std::string());
  FHost.SetCaptions(captions.Window, captions.Title);
  FHost.SetStatusText(5, Options.Eol ? "Unx" : "Win");
}

TDocumentSnapshot TMainDocuments::Snapshot() const {
  TDocumentSnapshot s;
  s.TabCount = FTabs.GetPageCount();
  s.ActiveTab = FTabs.GetActivePageIndex();
  s.ClipboardHasText = FHost.ClipboardHasText();
  s.HasMacroFiles = FHost.HasMacroFiles();
  s.HasReopenItems = !FReopenPaths.empty();
  TktCustomEdit* edit = CurrentEditor();
  if (!edit) return s;
  s.HasDocument = s.ActiveTab >= 0;
  s.TextView = TextViewVisible();
  s.HasFileName = !edit->FileName.empty();
  const TktCustomHighLighter* hl = edit->GetHighLighter();
  s.HasHighlighter = hl != nullptr;
  s.HighlighterIsHtml = hl && hl == FindHighlighter(Data, "HTML");
  s.BrowserSplitOn = edit->GetTag() == 1;
  s.HasSelection = !edit->GetSelText().empty();
  s.NormalSelectionMode = edit->GetSelectionMode() == smNormal;
  s.EditorModified = edit->GetModified();
  s.HexModified = CurrentHexEditor()->GetModified();
  s.EditorCanUndo = edit->CanUndo();
  s.EditorCanRedo = edit->CanRedo();
  s.EditorCanPaste = s.TextView && s.ClipboardHasText;
  s.HexCanUndo = CurrentHexEditor()->GetCanUndo();
  for (int n = 1; n <= 9; ++n) s.BookMarks[n] = edit->IsBookMark(n);
  s.CanHistoryBack = edit->CanHistoryBack();
  s.CanHistoryForward = edit->CanHistoryForward();
  return s;
}

void TMainDocuments::UpdateActions() {
  if (FHeld > 0) {
    FHeldActions = true;
    return;
  }
  TActionBatch batch(FHost);
  for (const TActionState& state : ComputeActionStates(Snapshot())) FHost.SetActionEnabled(state.Name, state.Enabled);
}

void TMainDocuments::ReleaseUpdates() {
  if (FHeld == 0 || --FHeld > 0) return;
  if (std::exchange(FHeldStatus, false)) UpdateStatus();
  if (std::exchange(FHeldActions, false)) UpdateActions();
}

// --- start, hand-over, autosave, shutdown -------------------------------------------

void TMainDocuments::RestoreSession() {
  for (const std::string& name : ReadOpenedDocuments()) {
    if (name.empty()) continue;  // a document that never had a name
    OpenInNewTab(name, true);
  }
  BuildReopenMenu();
}

bool TMainDocuments::HandOver(const std::string& name) {
  bool opened = false;
  Guard(kPlaceHandOver, [&] {
    NewWindow();
    const int number = FWindowCounter;
    try {
      PageControlChange();
      CurrentEditor()->FileName = name;
      try {
        CurrentEditor()->LoadFromFile();
      } catch (const Exception&) {
        FHost.ShowMessage("File " + name + " could not be opened.");
        CloseDocument(number);
        PageControlChange();
        BuildReopenMenu();
        return;
      }
      SetHighlighterByExtension();
      FHost.FocusView(number, true);
      FTabs.SetPageCaption(FTabs.GetActivePageIndex(), ExtractFileName(name));
      UpdateStatus();
      UpdateActions();
      BuildReopenMenu();
      opened = true;
    } catch (const Exception& e) {
      // Only the tab this hand-over made goes, never the one the user works in.
      CloseDocument(number);
      PageControlChange();
      BuildReopenMenu();
      FHost.ShowMessage("Error 1409:" + e.Message());
    }
  });
  return opened;
}

void TMainDocuments::HoldHandOver(const std::string& name) {
  FHeldNames.push_back(name);
  NoticeHeldWork();
}

void TMainDocuments::HoldRestore() {
  FHeldRestore = true;
  NoticeHeldWork();
}

void TMainDocuments::NoticeHeldWork() {
  if (!Busy() && HasHeldWork()) FHost.HeldWorkWaiting();
}

bool TMainDocuments::CarryOutHeld() {
  // One at a time: a file that cannot be opened shows a message, and a
  // hand-over arriving meanwhile joins the queue behind it.
  while (!Busy() && !FHeldNames.empty()) {
    const std::string name = FHeldNames.front();
    FHeldNames.erase(FHeldNames.begin());
    HandOver(name);
  }
  if (Busy() || !FHeldRestore) return false;
  FHeldRestore = false;
  return true;
}

void TMainDocuments::AutosaveTick() {
  if (Busy()) return;
  Guard(kPlaceAutosave, [&] {
    for (auto& [number, document] : FDocuments) {
      TktCustomEdit* edit = document.Views.Edit;
      if (edit->FileName.empty()) continue;
      if (document.TextVisible) {
        if (!edit->GetModified()) continue;
        if ((Options.Eol ? edit->SaveToFileUnix() : edit->SaveToFile())) edit->SetModified(false);
      } else if (document.Views.Hex->GetModified()) {
        if (document.Views.Hex->SaveToFile(edit->FileName)) document.HexWrote = true;
      }
    }
    UpdateStatus();
    UpdateActions();
  });
}

bool TMainDocuments::CloseQuery(const std::vector<TRollUpRecord>& rollUps, bool writeOpened, bool keepSettings) {
  const bool close = CloseQueryRounds(rollUps, writeOpened, keepSettings);
  if (close) {
    FHeldNames.clear();
    FHeldRestore = false;
  } else {
    NoticeHeldWork();
  }
  return close;
}

bool TMainDocuments::CloseQueryRounds(const std::vector<TRollUpRecord>& rollUps, bool writeOpened,
                                      bool keepSettings) {
  TBusyScope busy(FBusy);
  struct TRecordScope {
    bool& Record;
    const bool Was;
    TRecordScope(bool& record, bool value) : Record(record), Was(record) { Record = value; }
    ~TRecordScope() { Record = Was; }
  } record(FRecordDocuments, keepSettings);
  try {
    if (keepSettings) WriteRollUps(rollUps);
    std::vector<std::string> paths;
    if (writeOpened && keepSettings) {
      for (int i = 0; i < FTabs.GetPageCount(); ++i) {
        const TDocument* document = Find(FTabs.GetPageTag(i));
        paths.push_back(document ? document->Views.Edit->FileName : std::string());
      }
      WriteOpenedDocuments(paths);
    }
    if (!CloseAllTabs()) return false;
    // Handed over while the questions ran: the next start's session has them.
    if (writeOpened && keepSettings && !FHeldNames.empty()) {
      paths.insert(paths.end(), FHeldNames.begin(), FHeldNames.end());
      WriteOpenedDocuments(paths);
    }
    if (keepSettings) BuildReopenMenu();
    return true;
  } catch (const Exception& e) {
    return FHost.Ask("Unexpected error. \r\n" + e.Message() +
                         "\r\nWould you like to close application anyway (some files may not be saved yet)?",
                     akError, abYesCancel) == anYes;
  }
}
