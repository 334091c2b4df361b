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
#include "app/MainDocuments.h"
#include "app/Data.h"
#include "app/RunCommands.h"
#include "app/win/FindResults.h"
#include "app/win/SearchHost.h"
#include "hexedit/win/HexEditWindow.h"
#include "platform/win/Actions.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/Timer.h"
#include "platform/win/ToolWin.h"

#include <shellapi.h>

// "VornActive": asked of every candidate window by a second start.
UINT InstanceCheckMessage();
constexpr LRESULT kInstanceAnswer = 3228289;
constexpr UINT kHandOverFileMessage = WM_USER + 1;
constexpr UINT kRestoreInstanceMessage = WM_USER + 3;

// The command line the first activation reads (arguments without the
// program's name) and the folder relative names are taken from.
void SetMainCommandLine(const std::vector<std::string>& args, const std::string& folder);

class TMainForm;
class TSetup;

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
                  public TSearchDialogHost {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // The data module's shared highlighters and editor handlers, and the
  // options dialog's editor options, for every document from now on.
  void UseSharedSettings(TData* data, TSetup* setup);
  // Gives the program's forms the texts of a language file; what the
  // user's stored settings hold stays.
  void LoadLanguageFile(const std::string& fileName);

  // The data module's editor handlers: status panel 0 and the in-text
  // calculator.
  void SetCaretStatus(const std::string& text) override;
  bool EvaluateInText(const std::string& expression, std::string& value) override;

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

  // --- IDocumentHost ---
  TDocumentViews CreateViews(int number, int pageIndex) override;
  void ShowView(int number, bool text) override;
  void FocusView(int number, bool text) override;
  void ApplyEditorOptions(TktCustomEdit* edit) override;
  TAnswer Ask(const std::string& text, TAskKind kind, TAskButtons buttons) override;
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

private:
  struct TViewWindows {
    TktEditWindow* Edit = nullptr;
    THexEditWindow* Hex = nullptr;
  };

  void MakeActions();
  void MakeMenus();
  void MakeBars();
  void FormCreate();
  void FormActivate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void DefaultHandler(TMessage& msg);
  void WMRestoreInstance();
  void TimerTimer(TObject* sender);
  void StatusMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StatusDblClick(TObject* sender);
  void FileNewFromClipboard();
  void FileCloseProgram();
  TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, const std::string& action);

  TMainDocuments FDocs;
  TComponent* FShared = nullptr;
  TData* FData = nullptr;
  TSetup* FSetup = nullptr;
  TControlBar* ControlBar = nullptr;
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
  TMenuItem* WindowMenu = nullptr;
  TMenuItem* ReopenFileMenu = nullptr;
  TTimer* Timer = nullptr;
  std::map<std::string, TCustomAction*> FActions;  // by lower-case name
  std::map<std::string, bool> FHandled;            // actions with a handler
  std::map<std::string, std::vector<TToolButton*>> FActionButtons;
  std::map<int, TViewWindows> FViews;
  std::vector<TRollUpRecord> FRollUps;
  int FStatusMouseX = 0;
  int FActionUpdates = 0;
  bool FClipboardListening = false;
  bool FClipboardHasText = false;
  bool FFirstActivationDone = false;
  // Find, replace and search in all documents; the run keys.
  void MakeSearch();
  template <class F>
  void SearchGuard(int place, F&& f);
  TSearchRunner FSearch{*this};
  std::unique_ptr<TFindResultsPane> FFindResults;
};
