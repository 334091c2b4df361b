// The main window's documents: one tab per document, each with a text
// editor and a hex view of the same file, and every road by which a
// document comes and goes (new, open, reopen, drop, hand-over, session),
// is saved (Save, Save As, Save All, autosave) or closed (Close, Close All,
// shutdown), reloaded or switched between its views. The window itself
// stays behind two narrow interfaces: its tab control and its host (views,
// questions, dialogs, status bar, actions, menus), so all of this runs
// natively with the real editing control and hex view.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/documents/ActionStates.h"
#include "app/documents/Session.h"
#include "app/documents/StatusTexts.h"
#include "platform/SysUtils.h"

class TComponent;
class TRxMemoryData;
class TktCustomEdit;
class THexEditor;
class TStrings;

// The tab control as the documents use it. A page carries its document's
// number as Tag.
class IDocumentTabs {
public:
  virtual ~IDocumentTabs() = default;
  virtual int GetPageCount() const = 0;
  virtual int GetActivePageIndex() const = 0;  // -1: no page
  virtual void SetActivePageIndex(int index) = 0;
  // A new last page (not made active); returns its index.
  virtual int AddPage(int tag) = 0;
  // Frees the page and, with it, the document's views.
  virtual void FreePage(int index) = 0;
  virtual int GetPageTag(int index) const = 0;
  virtual std::string GetPageCaption(int index) const = 0;
  virtual void SetPageCaption(int index, const std::string& caption) = 0;
  // The tab strip 1 pixel high (true) or at its normal height.
  virtual void SetTabsHidden(bool hidden) = 0;
  // Around many pages freed at once: the window may leave its tabs and
  // pages out of sight until the last EndPagesUpdate. Nests.
  virtual void BeginPagesUpdate() = 0;
  virtual void EndPagesUpdate() = 0;
};

struct TDocumentViews {
  TktCustomEdit* Edit = nullptr;
  THexEditor* Hex = nullptr;
};

enum TAskKind { akWarning, akConfirmation, akError };
enum TAskButtons { abYesNo, abYesNoCancel, abYesCancel, abYesNoCancelAll };
enum TAnswer { anYes, anNo, anCancel, anAll };

// Everything else of the window the documents talk to.
class IDocumentHost {
public:
  virtual ~IDocumentHost() = default;
  // --- views: made in the page with the given index, freed with the page ---
  virtual TDocumentViews CreateViews(int number, int pageIndex) = 0;
  // Shows the text view (true) or the hex view of a document, hiding the other.
  virtual void ShowView(int number, bool text) = 0;
  virtual void FocusView(int number, bool text) = 0;
  // The options dialog's values onto one editor.
  virtual void ApplyEditorOptions(TktCustomEdit* edit) = 0;
  // --- questions and dialogs ---
  virtual TAnswer Ask(const std::string& text, TAskKind kind, TAskButtons buttons) = 0;
  // A question about one document, which the box's caption names.
  virtual TAnswer AskAbout(const std::string& document, const std::string& text, TAskKind kind,
                           TAskButtons buttons) {
    (void)document;
    return Ask(text, kind, buttons);
  }
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void ShowUnexpectedError(int place, const std::string& message) = 0;
  // The save dialog with fileName preset; false: cancelled.
  virtual bool RunSaveDialog(std::string& fileName) = 0;
  // The open dialog, following fileName; false: cancelled.
  virtual bool RunOpenDialog(std::string& fileName) = 0;
  // --- what the window shows ---
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual void SetCaptions(const std::string& window, const std::string& title) = 0;
  virtual void SetActionEnabled(const std::string& name, bool enabled) = 0;
  // Checks the named action; false when there is none.
  virtual bool SetActionChecked(const std::string& name, bool checked) = 0;
  virtual void SetWindowMenu(const std::vector<std::string>& captions) = 0;
  virtual void SetReopenMenus(const std::vector<std::string>& paths) = 0;
  virtual bool ClipboardHasText() = 0;
  virtual bool HasMacroFiles() = 0;
  virtual void PopupBookmarkMenu() = 0;
  // Around a batch of action and status changes: the window may show them
  // once at the end.
  virtual void BeginActionUpdate() {}
  virtual void EndActionUpdate() {}
  // A document's text changed (any document, shown or not), before the
  // status is brought up to date.
  virtual void EditorChanged(TktCustomEdit* edit) {}
  // Something a second start handed over waits, and nothing of the
  // documents runs now: the window carries it out (CarryOutHeld) once
  // it is idle itself.
  virtual void HeldWorkWaiting() {}
};

// Runs f; an error it raises shows in the host's error box for command
// number place instead of leaving the command.
template <class F>
void RunReportingErrors(IDocumentHost& host, int place, F&& f) {
  try {
    f();
  } catch (const Exception& e) {
    host.ShowUnexpectedError(place, e.Message());
  } catch (const std::exception& e) {
    host.ShowUnexpectedError(place, e.what());
  }
}

// The options dialog's values the documents read (the rest goes onto the
// editors through the host).
struct TMainOptions {
  bool Eol = false;         // LF line ends
  bool AskFormat = false;   // ask for the line ends at each save
  bool HideTabs = false;
  int ReopenCount = 10;
  bool SaveReloadSession = false;
  bool Autosave = false;
  int AutosaveMinutes = 10;
};
// From the options dialog's stored values under "Setup".
TMainOptions ReadMainOptions();

// Command numbers for the unexpected-error box.
enum TMainPlace {
  kPlaceNew = 1701, kPlaceOpen = 1702, kPlaceReopen = 1703, kPlaceDrop = 1704, kPlaceSave = 1705,
  kPlaceSaveAs = 1706, kPlaceSaveAll = 1707, kPlaceClose = 1708, kPlaceCloseAll = 1709,
  kPlaceReload = 1710, kPlaceTextBinary = 1711, kPlaceAnsiAscii = 1712, kPlaceTabHop = 1713,
  kPlaceHighlightAs = 1714, kPlaceGutter = 1715, kPlaceStatus = 1716, kPlaceAutosave = 1717,
  kPlaceNewFromClipboard = 1718, kPlaceOptions = 1719, kPlaceReopenMenu = 1791, kPlaceFirstActivation = 1806, kPlaceHandOver = 2014,
};

class TMainDocuments {
public:
  TMainDocuments(IDocumentTabs& tabs, IDocumentHost& host);
  ~TMainDocuments();

  TMainOptions Options;
  // The data module, owner of the shared highlighters (nullptr: none).
  TComponent* Data = nullptr;

  // --- the active document ---
  TktCustomEdit* CurrentEditor() const { return FCurrent.Edit; }
  THexEditor* CurrentHexEditor() const { return FCurrent.Hex; }
  bool TextViewVisible() const;  // with a current document
  int GetWindowCounter() const { return FWindowCounter; }
  TDocumentViews Views(int number) const;  // empty for an unknown number

  // --- making documents ---
  void NewWindow();
  void PageControlChange();
  void NewDocument();
  void LoadCurrentFile();

  // --- commands (each reports its own errors) ---
  void FileNew();
  // A new document holding the clipboard's text.
  void FileNewFromClipboard();
  void FileOpen();
  void ReopenItem(const std::string& path);
  // Files dropped on an editor (once) or on the tab control (after each).
  void DropFiles(const std::vector<std::string>& files, bool fromEditor);
  void FileSave();
  void FileSaveAs();
  void FileSaveAll();
  void FileClose();
  void FileCloseAll();
  void FileReload();
  void ViewTextBinary();
  void ViewAnsiAscii();
  void HighlightAs(const std::string& actionName);
  void ActivateTab(int index);       // a tab hop or a window-menu item
  void FirstWindow();                // Shift+F6
  void PreviousWindow();             // Ctrl+F6
  void NextWindow();                 // F6
  void LastWindow();
  void GutterClick(int line, bool rightButton);
  // A double click on the status bar at x; returns what it asks the window
  // to do (the menus and go-to-line are the window's), after doing the rest.
  TStatusClick StatusDblClick(int x);

  // Opens path in a new tab: load, highlighter, focus, caption. A load that
  // fails closes the tab again (showing the message when quiet is false);
  // returns whether the tab stayed.
  bool OpenInNewTab(const std::string& path, bool quiet);

  // --- shared routines ---
  bool SaveCurrentFile();
  bool QuerySaveCurrent();
  void BuildReopenMenu();
  void SetHighlighterByExtension();
  void UpdateStatus();
  void UpdateActions();
  // Around a command that changes the text many times (Replace All fires
  // OnChange per hit): the status bar, captions and actions wait, and are
  // refreshed once when the last hold ends.
  void HoldUpdates() { ++FHeld; }
  void ReleaseUpdates();
  TDocumentSnapshot Snapshot() const;
  const std::vector<std::string>& ReopenPaths() const { return FReopenPaths; }

  // --- start, hand-over, autosave, shutdown ---
  // The tabs of the last session ("Opened"); files that fail are skipped.
  void RestoreSession();
  // A file handed over by a second start. False when it could not be opened.
  bool HandOver(const std::string& name);
  // A hand-over (a file, or the request to come to the front) that arrived
  // while a question, a dialog or a command may be running: it waits, so
  // the document a question is about stays the current one.
  void HoldHandOver(const std::string& name);
  void HoldRestore();
  bool HasHeldWork() const { return !FHeldNames.empty() || FHeldRestore; }
  // Tells the host again when work waits and nothing runs.
  void NoticeHeldWork();
  // Opens the held files in new tabs, unless something runs; returns
  // whether a held restore is due now (the host carries that out).
  bool CarryOutHeld();
  // One autosave tick: modified named documents are written in the view
  // they show, without questions or a tab change. Skipped while busy.
  void AutosaveTick();
  // The shutdown's close query. rollUps are written to "Rollup" first;
  // files handed over during its questions open once it is cancelled, or
  // join "Opened" for the next start's session when the shutdown goes on;
  // writeOpened false leaves "Opened" as it is (the first activation never
  // ran, so the tabs are not the session's). keepSettings false writes
  // nothing into the program's key at all (no roll-ups, no "Opened", no
  // document records, no Reopen list): an uninstall is about to delete it,
  // or a reinstallation has just reset it. The save questions still come.
  bool CloseQuery(const std::vector<TRollUpRecord>& rollUps, bool writeOpened, bool keepSettings = true);
  // True while a question, a dialog or a command runs.
  bool Busy() const { return FBusy > 0; }

private:
  struct TDocument {
    TDocumentViews Views;
    bool TextVisible = true;
    bool HexWrote = false;  // the hex view saved the file since the text was read
    bool DosCodePage = false;  // F11 turned the text to the DOS code page
  };
  TDocument* Find(int number);
  TDocument* Active();
  void FreeActivePage();
  // Closes the tab of document number without a question.
  void CloseDocument(int number);
  // Close All's rounds: false when a question was cancelled.
  bool CloseAllTabs();
  // The active tab's document as the current one, shown nowhere yet.
  void SelectActiveDocument();
  bool ActiveHasUnsavedChanges();
  void ClosePage(int index);
  bool SaveHex();
  bool WriteCurrent(bool unix);
  bool AskUnix();
  void WireEditor(TktCustomEdit* edit);
  TAnswer AskBusy(const std::string& text, TAskKind kind, TAskButtons buttons);
  // "Do you want to save this file?" about the current document.
  TAnswer AskSave();
  bool DuplicateCheck(const std::string& path);
  bool QuerySaveForShutdown(bool& saved);
  bool CloseQueryRounds(const std::vector<TRollUpRecord>& rollUps, bool writeOpened, bool keepSettings);
  template <class F>
  void Guard(int place, F&& f);
  // Guard for a command on the current document's editor: nothing when
  // there is none.
  template <class F>
  void GuardCurrent(int place, F&& f);

  IDocumentTabs& FTabs;
  IDocumentHost& FHost;
  int FWindowCounter = 0;
  std::map<int, TDocument> FDocuments;
  TDocumentViews FCurrent;
  int FCurrentNumber = 0;
  int FBusy = 0;
  bool FRecordDocuments = true;  // an unmodified named document records its state on closing
  int FHeld = 0;
  bool FHeldStatus = false;
  bool FHeldActions = false;
  std::vector<std::string> FReopenPaths;
  std::vector<std::string> FHeldNames;
  bool FHeldRestore = false;
  // The recent files are sorted newest first through this table.
  std::unique_ptr<TRxMemoryData> FFileList;
};
