// The main window, TMainForm: documents as tabs in PageControl (an editor
// and a hex view each), the menus, actions, tool bar and status bar built
// from constant tables, the autosave timer, files dropped on the tabs, and
// the receiving side of a second start's hand-over. The document commands
// themselves are TMainDocuments; this class is their tab control and host.
// Other programs find the window by its class name "TMainForm".
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"
#include "app/documents/MainDocuments.h"
#include "app/documents/win/HandOverMessages.h"
#include "app/Data.h"
#include "platform/SysUtils.h"
#include "app/settings/win/Setup.h"
#include "app/output/win/PreviewBrowser.h"
#include "app/commands/RunCommands.h"
#include "app/search/win/FindResults.h"
#include "app/search/win/SearchHost.h"
#include "hexedit/win/HexEditWindow.h"
#include "platform/win/Actions.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/Timer.h"
#include "platform/win/ToolWin.h"

#include <shellapi.h>

// Posted when the preview's page took the focus: the editor gets it back.
constexpr UINT kFocusEditorMessage = WM_USER + 4;
// Posted to itself: a held hand-over may be carried out now.
constexpr UINT kCarryOutHeldMessage = WM_USER + 5;

// The command line the first activation reads (arguments without the
// program's name) and the folder relative names are taken from.
void SetMainCommandLine(const std::vector<std::string>& args, const std::string& folder);

class TMainForm;
class TSetup;
class TInputKey;
class TRollUp;
class TFormStorage;
class TImageList;
class TMenuBar;
class TRxSplitter;

// The tab control: its WM_DROPFILES goes to the main window.
class TMainPageControl : public TPageControl {
public:
  explicit TMainPageControl(TComponent* owner, TMainForm* form) : TPageControl(owner), FForm(form) {}

protected:
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;

private:
  TMainForm* FForm;
};

class TMainForm : public TForm,
                  public IDocumentTabs,
                  public IDocumentHost,
                  public IDataMainWindow,
                  public ISetupToolBars,
                  public TSearchDialogHost {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // The data module's shared highlighters and editor handlers, and the
  // options dialog's editor options and bars, for every document from now
  // on. Until then documents have no highlighter.
  void UseSharedSettings(TData* data, TSetup* setup);
  // Gives the program's forms the texts of a language file; what the
  // user's stored settings hold stays.
  void LoadLanguageFile(const std::string& fileName);

  // The data module's editor handlers: status panel 0.
  void SetCaretStatus(const std::string& text) override;

  TMainDocuments& Documents() { return FDocs; }
  TPageControl* GetPageControl() const { return PageControl; }
  TStatusBar* GetStatus() const { return Status; }
  TCustomAction* FindAction(const std::string& name) const;
  TktEditWindow* EditWindow(int number) const;
  THexEditWindow* HexWindow(int number) const;
  bool FirstActivationDone() const { return FFirstActivationDone; }

  // The main window's error box for command number place.
  void ShowUnexpectedError(int place, const std::string& message) override;
  // Reads every dropped name whole and always releases the drop.
  void WMDropFiles(HDROP drop);

  // --- edit, block, bookmark and roll-up commands (MainFormEdit.cpp) ---
  // An editor command for the text view; a pending Ctrl+K prefix is ended
  // by it and, unless withPrefix, stops it.
  void EditorCommand(TktEditorCommand command, bool withPrefix);
  void EditUndo();
  void EditCopy();
  void EditDuplicateLine();
  void EditGoToLine();
  void BlockReadFromFile();
  void BlockWriteToFile();
  void HiddenWrite();
  void BlockOpenInNewWindow();
  void BlockSelectionMode(TSelectionMode mode);
  void BlockCase(bool upper);
  void BlockStatistic();
  void Solve();
  void SetBookmark(int number);
  void GoToBookmark(int number);
  void ClearBookmark(int number);  // 0: bookmarks 1 to 9
  void SetFreeBookmark();
  void BlockSetAsRollUp();
  // A roll-up's hot key: sender is its action "i"+N.
  void AutoInsertClick(TObject* sender);
  // The one road a roll-up's snippet takes into the current document.
  void InsertRollUp(TRollUp& rollUp);
  void ReleaseRollUp(TRollUp& rollUp);
  TRollUp* FindRollUp(int number) const;
  TInputKey* GetInputKey() const { return InputKey; }
  // The tool, help and window commands (MainFormTools.cpp).
  void ToolCalculator();
  void ToolCalendar();
  void EditDownload();
  void ToolAsciiTable();
  void ShowHelp();
  void ShowAbout();
  void ShowHotKeys();
  void SendEmailToAuthor();
  void OpenDistributorAddress(const std::string& address);
  void UninstallTarnquill();
  void ReinstallTarnquill();
  void StayOnTop(bool onTop);
  void TextViewCommand(TktEditorCommand command);
  void StepCaretHistory(bool back);
  // --- ISetupToolBars: the status bar, the small bar ToolBar and the big
  // bar ControlBar with its panels and the menu bar ---
  void ShowStatusBar(bool visible) override;
  // The window's place, size and state, the big bar's panels and the
  // window's font, kept in the section "Main".
  TFormStorage* GetFormStorage() const { return FStorage; }
  void ShowToolBar(int kind, const bool panels[6]) override;
  // Sizes the big bar's bands to their buttons and wraps them in rows.
  void LayoutBigBar();
  TMenuBar* GetMenuBar() const { return MenuBar; }
  TControlBar* GetControlBar() const { return ControlBar; }
  TToolBar* GetToolBar() const { return ToolBar; }

  // The Options command: the options dialog, then its values onto every
  // document.
  void EditSetupMenuClick();

  // --- IDocumentTabs ---
  int GetPageCount() const override;
  int GetActivePageIndex() const override;
  void SetActivePageIndex(int index) override;
  int AddPage(int tag) override;
  void FreePage(int index) override;
  int GetPageTag(int index) const override;
  std::string GetPageCaption(int index) const override;
  void SetPageCaption(int index, const std::string& caption) override;
  void SetTabsHidden(bool hidden) override;
  void BeginPagesUpdate() override;
  void EndPagesUpdate() override;

  // --- IDocumentHost ---
  TDocumentViews CreateViews(int number, int pageIndex) override;
  void ShowView(int number, bool text) override;
  void FocusView(int number, bool text) override;
  void ApplyEditorOptions(TktCustomEdit* edit) override;
  // The search results, the hex find's box and the clipboard viewer show
  // text in columns: they take the editors' font from the options dialog.
  void ApplyEditorFont();
  TAnswer Ask(const std::string& text, TAskKind kind, TAskButtons buttons) override;
  TAnswer AskAbout(const std::string& document, const std::string& text, TAskKind kind,
                   TAskButtons buttons) override;
  void HeldWorkWaiting() override;
  void ShowMessage(const std::string& text) override;
  bool RunSaveDialog(std::string& fileName) override;
  bool RunOpenDialog(std::string& fileName) override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetCaptions(const std::string& window, const std::string& title) override;
  void SetActionEnabled(const std::string& name, bool enabled) override;
  bool SetActionChecked(const std::string& name, bool checked) override;
  void SetWindowMenu(const std::vector<std::string>& captions) override;
  void SetReopenMenus(const std::vector<std::string>& paths) override;
  bool ClipboardHasText() override;
  bool HasMacroFiles() override;
  void PopupBookmarkMenu() override;
  void BeginActionUpdate() override;
  void EndActionUpdate() override;
  void EditorChanged(TktCustomEdit* edit) override { RefreshBrowserView(edit); }

  // --- HTML preview, export and printing (MainFormPreview.cpp, MainFormOutput.cpp) ---
  // Switches the current HTML document's preview split on or off.
  void aViewBrowserExecute();
  // Shows edit's text in its preview, when its split is on.
  void RefreshBrowserView(TktCustomEdit* edit);
  void aFileExportExecute();
  // The current document (its selection, or all of it) to an HTML or RTF file.
  void ExportCurrent(bool html);
  void aFilePrintExecute();
  void aFilePrinterSetup();
  // The preview split's panel of document number; nullptr when it is off.
  TPanel* PreviewPanel(int number) const;

  // --- find, replace, search in all documents; run and help keys, expansions ---
  // The search dialogs, made after the window (at start-up, or by a test).
  void UseSearchDialogs(TFind* find, TReplace* replace, THexFind* hexFind);
  TFindResultsPane& FindResults() const { return *FFindResults; }
  TktCustomEdit* TextEditor() override;
  THexEditor* HexEditor() override;
  bool BlockPrefixPending() override;
  void ReadBlock() override;
  std::vector<TSearchDocument> SearchDocuments() override;
  void ShowResults(const std::vector<TFindResult>& results, const std::string& searchText) override;
  void aEditFindExecute();
  void aEditFindNextExecute();
  void aEditReplaceExecute();
  void FindinFiles1Click();
  void HideSearchResults1Click();
  void FindBoxDblClick(const TFindResult& hit, const std::string& searchText);
  // The current editor's extension without the dot; empty without one.
  std::string CurrentFileExt() const;
  // F9, Alt+F9, Shift+F9: the row's program on the document or on a copy
  // of its text, as the run mode says.
  void RunCommand(TRunKey key);
  // Ctrl+F1, Alt+F1: the row's help file at the word under the caret.
  void HelpCommand(THelpKey key);
  // Alt+A to Alt+Z: the row's expansion number tag at the caret.
  void Action1Execute(int tag);

protected:
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  struct TViewWindows {
    TktEditWindow* Edit = nullptr;
    THexEditWindow* Hex = nullptr;
  };

  void MakeActions();
  void MakeMenus();
  void MakeToolMenus();
  void MakeBars();
  void FormCreate();
  void FormActivate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void DefaultHandler(TMessage& msg);
  void WMRestoreInstance();
  // No command, question, dialog or modal loop of the window runs.
  bool Idle();
  void CarryOutHeld();
  void TimerTimer(TObject* sender);
  void StatusMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StatusDblClick(TObject* sender);
  void MakeBigBar();
  void RefreshMenuBar();
  void AddButton(TToolBar* bar, const char* name, const char* caption, const char* action, int glyph);
  void MakeBarGlyphs();
  void FileCloseProgram();
  TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, const std::string& action);
  // Runs a command's body; an error it raises shows in the main window's
  // error box for command number place instead of leaving the command.
  template <class F>
  void RunGuarded(int place, F&& f) {
    RunReportingErrors(*this, place, f);
  }
  // RunGuarded for a command on the shown text editor: nothing when the
  // hex view or no document is shown.
  template <class F>
  void WithShownText(int place, F&& f) {
    RunGuarded(place, [&] {
      if (TktCustomEdit* edit = ShownTextEditor()) f(edit);
    });
  }
  TktCustomEdit* ShownTextEditor() const;
  bool TakeBlockPrefix();
  void CopyBlock(TktCustomEdit& edit);
  void FillBookmarkMenu(TPopupMenu* menu, const std::string& prefix, bool clear);
  std::vector<TShortCut> UsedShortCuts() const;
  void MakeInputKey();
  TRollUp* MakeRollUp(const std::string& hotKeyText, const std::string& text, TShortCut shortCut);
  void RestoreRollUps();
  std::vector<TRollUpRecord> RollUpRecords() const;

public:
  // Keyboard macros (MainFormMacro.cpp).
  void aMacroNewExecute();
  void aMacroStopExecute();
  void aMacroClearExecute();
  // Lists the current folder's macro files in the Macro menu; returns how many.
  int BuildMacroMenu();
  void ClearMacroMenu();
  void MacroItemClick(const std::string& fileName);
  // Shows the clipboard history window (MainFormClipboard.cpp).
  void Clipboard1Click();

private:
  void MakeMacroMenus();
  TMenuItem* Macro = nullptr;
  int FMacroFileCount = 0;
  struct TPreviewSplit {
    TPanel* Panel = nullptr;
    std::unique_ptr<IPreviewBrowser> Browser;
    TRxSplitter* Splitter = nullptr;
  };
  void FreePreview(int number);
  void FocusCurrentEditor();
  std::vector<std::string> OpenDocumentFiles() const;
  std::map<int, TPreviewSplit> FPreviews;

  TMainDocuments FDocs;
  TData* FData = nullptr;
  TSetup* FSetup = nullptr;
  TControlBar* ControlBar = nullptr;
  TMenuBar* MenuBar = nullptr;
  bool FLayingOutBigBar = false;
  TImageList* BarGlyphs = nullptr;
  TFormStorage* FStorage = nullptr;
  void MakeStorage();
  TPanel* BigPanels[6] = {};  // PFile, PEdit, PView, PBlock, PTools, PBookmarks
  TToolBar* ToolBar = nullptr;
  TPanel* PMain = nullptr;
  TMainPageControl* PageControl = nullptr;
  TStatusBar* Status = nullptr;
  TActionList* ActionList = nullptr;
  TMainMenu* MainMenu = nullptr;
  TPopupMenu* EditMenu = nullptr;
  TPopupMenu* PMReopen = nullptr;
  TPopupMenu* HighlightMenu = nullptr;
  TPopupMenu* MacroMenu = nullptr;
  TPopupMenu* PMGotobookmark = nullptr;
  TPopupMenu* PMcb = nullptr;
  TInputKey* InputKey = nullptr;
  int FRollUpCounter = 0;
  TMenuItem* WindowMenu = nullptr;
  TMenuItem* ReopenFileMenu = nullptr;
  TTimer* Timer = nullptr;
  TPopupMenu* SysMenuPopup = nullptr;
  TComponent* SysMenu = nullptr;  // the TfisSysMenu that mirrors SysMenuPopup
  std::map<std::string, TCustomAction*> FActions;  // by lower-case name
  std::map<std::string, bool> FHandled;            // actions with a handler
  std::map<std::string, std::vector<TToolButton*>> FActionButtons;  // by lower-case action name
  std::map<int, TViewWindows> FViews;
  std::vector<TRollUpRecord> FRollUps;
  int FStatusMouseX = 0;
  int FCommands = 0;  // actions running now, nested
  std::string FAskCaption;  // the document a question is about
  int FActionUpdates = 0;
  bool FMenuBarChanged = false;  // within a batch of action updates
  bool FClipboardListening = false;
  bool FClipboardHasText = false;
  bool FFirstActivationDone = false;
  // Find, replace and search in all documents; the run keys.
  void MakeSearch();
  TSearchRunner FSearch{*this};
  std::unique_ptr<TFindResultsPane> FFindResults;
};
