// TMainForm.
#include "app/documents/win/MainForm.h"

#include <memory>

#include "app/tools/Calc.h"
#include "app/settings/EditorOptions.h"
#include "app/settings/FileTypes.h"
#include "app/settings/LanguageFile.h"
#include "app/StartUp.h"
#include "app/win/DataWin.h"
#include "app/tools/win/FClipboard.h"
#include "app/documents/win/FileDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/install/win/InstallWin.h"
#include "app/win/ProgramEnd.h"
#include "app/settings/win/Setup.h"
#include "editor/EditorCommands.h"
#include "kit/win/FisSysMenu.h"
#include "kit/win/MenuBar.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/ShortCuts.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FormBuilder.h"

namespace {

std::vector<std::string> CommandArgs;
std::string CommandFolder;

// What each action is: its caption, its shortcut and the command it runs.
// An action without a command belongs to a part of the program not built
// yet: it stays disabled and claims no shortcut, so its key still reaches
// the editor.
using TCommand = void (TMainForm::*)();
struct TActionDef {
  const char* Name;
  const char* Caption;
  const char* ShortCut;
  void (*Run)(TMainForm&);
};

#define DOC(call) [](TMainForm& f) { f.Documents().call; }
#define FORM(call) [](TMainForm& f) { f.call; }

const TActionDef kActions[] = {
    {"aFileNew", "&New", "Ctrl+N", DOC(FileNew())},
    {"aFileNewFromClipboard", "New from clip&board", "", DOC(FileNewFromClipboard())},
    {"aFileOpen", "&Open...", "Ctrl+O", DOC(FileOpen())},
    {"aFileReload", "&Reload", "", DOC(FileReload())},
    {"aFileSave", "&Save", "Ctrl+S", DOC(FileSave())},
    {"aFileSaveAs", "Save &As...", "", DOC(FileSaveAs())},
    {"aFileSaveAll", "Save A&ll", "", DOC(FileSaveAll())},
    {"aFileClose", "&Close", "Ctrl+F4", DOC(FileClose())},
    {"aFileCloseAll", "Close All", "", DOC(FileCloseAll())},
    // Alt+X is expansion 24's: Exit keeps the menu and the window's Alt+F4.
    {"aFileCloseProgram", "E&xit", "", [](TMainForm& f) { f.Close(); }},
    {"aFileExport", "&Export", "", [](TMainForm& f) { f.aFileExportExecute(); }},
    {"aFileExportToHTML", "Export to &HTML...", "", [](TMainForm& f) { f.ExportCurrent(true); }},
    {"aFileExportToRTF", "Export to &RTF...", "", [](TMainForm& f) { f.ExportCurrent(false); }},
    {"aFilePrint", "&Print...", "", [](TMainForm& f) { f.aFilePrintExecute(); }},
    {"aFilePrinterSetup", "Printer set&up...", "", [](TMainForm& f) { f.aFilePrinterSetup(); }},
    {"aViewTextBinary", "Text/&Binary", "F2", DOC(ViewTextBinary())},
    {"aViewAnsiAscii", "ANSI/&ASCII", "F11", DOC(ViewAnsiAscii())},
    {"aViewFirstWindow", "&First window", "Shift+F6", DOC(FirstWindow())},
    {"aViewPreviousWindow", "&Previous window", "Ctrl+F6", DOC(PreviousWindow())},
    {"aViewNextWindow", "&Next window", "F6", DOC(NextWindow())},
    {"aViewLastWindow", "&Last window", "", DOC(LastWindow())},
    {"aViewHighlightas", "&Highlight as", "", [](TMainForm&) {}},
    {"aViewWindow", "&Window", "", [](TMainForm&) {}},
    {"aViewBrowser", "Bro&wser", "", [](TMainForm& f) { f.aViewBrowserExecute(); }},
    {"aViewPascal", "&Pascal", "", DOC(HighlightAs("aViewPascal"))},
    {"aViewAssembler", "&Assembler", "", DOC(HighlightAs("aViewAssembler"))},
    {"aViewC", "&C/C++", "", DOC(HighlightAs("aViewC"))},
    {"aViewVisualBasic", "&Visual Basic", "", DOC(HighlightAs("aViewVisualBasic"))},
    {"aViewSQL", "&SQL", "", DOC(HighlightAs("aViewSQL"))},
    {"aViewDFM", "&Delphi Form", "", DOC(HighlightAs("aViewDFM"))},
    {"aViewHTML", "&HTML", "", DOC(HighlightAs("aViewHTML"))},
    {"aViewINI", "&INI", "", DOC(HighlightAs("aViewINI"))},
    {"aViewJava", "&Java", "", DOC(HighlightAs("aViewJava"))},
    {"aViewJScript", "Java&Script", "", DOC(HighlightAs("aViewJScript"))},
    {"aViewVBScript", "VB&Script", "", DOC(HighlightAs("aViewVBScript"))},
    {"aViewBatch", "MS DOS &Batch", "", DOC(HighlightAs("aViewBatch"))},
    {"aViewPerl", "P&erl", "", DOC(HighlightAs("aViewPerl"))},
    {"aViewFortran", "&Fortran", "", DOC(HighlightAs("aViewFortran"))},
    {"aViewADSP", "A&DSP-21xx", "", DOC(HighlightAs("aViewADSP"))},
    {"aHiddenWin1", "Tab 1", "Alt+1", DOC(ActivateTab(0))},
    {"aHiddenWin2", "Tab 2", "Alt+2", DOC(ActivateTab(1))},
    {"aHiddenWin3", "Tab 3", "Alt+3", DOC(ActivateTab(2))},
    {"aHiddenWin4", "Tab 4", "Alt+4", DOC(ActivateTab(3))},
    {"aHiddenWin5", "Tab 5", "Alt+5", DOC(ActivateTab(4))},
    {"aHiddenWin6", "Tab 6", "Alt+6", DOC(ActivateTab(5))},
    {"aHiddenWin7", "Tab 7", "Alt+7", DOC(ActivateTab(6))},
    {"aHiddenWin8", "Tab 8", "Alt+8", DOC(ActivateTab(7))},
    {"aHiddenWin9", "Tab 9", "Alt+9", DOC(ActivateTab(8))},
    // Edit, block, bookmark, search, macro, tool and help commands.
    {"aEditUndo", "&Undo", "Ctrl+Z", FORM(EditUndo())},
    {"aEditRedo", "&Redo", "Ctrl+Shift+Z", FORM(EditorCommand(ecRedo, false))},
    {"aEditCut", "Cu&t", "Ctrl+X", FORM(EditorCommand(ecCut, false))},
    {"aEditCopy", "&Copy", "Ctrl+C", FORM(EditCopy())},
    {"aEditPaste", "&Paste", "Ctrl+V", FORM(EditorCommand(ecPaste, false))},
    {"aEditSelectAll", "Select &All", "Ctrl+A", FORM(EditorCommand(ecSelectAll, false))},
    {"aEditDuplicateLine", "&Duplicate line", "Ctrl+D", FORM(EditDuplicateLine())},
    {"aEditGoToLine", "&Go to line...", "", FORM(EditGoToLine())},
    {"aEditFind", "&Find...", "Ctrl+F", [](TMainForm& f) { f.aEditFindExecute(); }},
    {"aEditFindNext", "Find &next", "F3", [](TMainForm& f) { f.aEditFindNextExecute(); }},
    {"aEditReplace", "&Replace...", "Ctrl+R", [](TMainForm& f) { f.aEditReplaceExecute(); }},
    {"aFindFiles", "Find in &all documents...", "", [](TMainForm& f) { f.FindinFiles1Click(); }},
    {"aEditMatchBrakets", "&Match brackets", "", FORM(EditorCommand(ecMatchBracket, true))},
    {"aEditWordWrap", "&Word wrap", "", FORM(EditorCommand(ecWrapAtRightEdge, true))},
    {"aEditSetBookmarks", "Set &bookmark", "", [](TMainForm&) {}},
    {"aEditGoToBookmarks", "Go to boo&kmark", "", [](TMainForm&) {}},
    {"aClearBookmarks", "C&lear bookmarks", "", FORM(ClearBookmark(0))},
    {"aSetBookmark1", "Bookmark 1", "Ctrl+Shift+1", FORM(SetBookmark(1))},
    {"aSetBookmark2", "Bookmark 2", "Ctrl+Shift+2", FORM(SetBookmark(2))},
    {"aSetBookmark3", "Bookmark 3", "Ctrl+Shift+3", FORM(SetBookmark(3))},
    {"aSetBookmark4", "Bookmark 4", "Ctrl+Shift+4", FORM(SetBookmark(4))},
    {"aSetBookmark5", "Bookmark 5", "Ctrl+Shift+5", FORM(SetBookmark(5))},
    {"aSetBookmark6", "Bookmark 6", "Ctrl+Shift+6", FORM(SetBookmark(6))},
    {"aSetBookmark7", "Bookmark 7", "Ctrl+Shift+7", FORM(SetBookmark(7))},
    {"aSetBookmark8", "Bookmark 8", "Ctrl+Shift+8", FORM(SetBookmark(8))},
    {"aSetBookmark9", "Bookmark 9", "Ctrl+Shift+9", FORM(SetBookmark(9))},
    {"aGoToBookmark1", "Bookmark 1", "Ctrl+1", FORM(GoToBookmark(1))},
    {"aGoToBookmark2", "Bookmark 2", "Ctrl+2", FORM(GoToBookmark(2))},
    {"aGoToBookmark3", "Bookmark 3", "Ctrl+3", FORM(GoToBookmark(3))},
    {"aGoToBookmark4", "Bookmark 4", "Ctrl+4", FORM(GoToBookmark(4))},
    {"aGoToBookmark5", "Bookmark 5", "Ctrl+5", FORM(GoToBookmark(5))},
    {"aGoToBookmark6", "Bookmark 6", "Ctrl+6", FORM(GoToBookmark(6))},
    {"aGoToBookmark7", "Bookmark 7", "Ctrl+7", FORM(GoToBookmark(7))},
    {"aGoToBookmark8", "Bookmark 8", "Ctrl+8", FORM(GoToBookmark(8))},
    {"aGoToBookmark9", "Bookmark 9", "Ctrl+9", FORM(GoToBookmark(9))},
    {"aBlockReadFromFile", "&Read from file...", "", FORM(BlockReadFromFile())},
    {"aBlockWriteToFile", "&Write to file...", "", FORM(BlockWriteToFile())},
    {"aHiddenWrite", "Write block", "Ctrl+W", FORM(HiddenWrite())},
    {"aBlockOpenInNewWindow", "Open in new &window", "Ctrl+Alt+N", FORM(BlockOpenInNewWindow())},
    {"aBlockSetAsRollUp", "Set as roll-&up", "Ctrl+Enter", FORM(BlockSetAsRollUp())},
    {"aBlockStatistic", "&Statistic", "Ctrl+Alt+Shift+S", FORM(BlockStatistic())},
    {"aBlockLowerCase", "&Lower case", "", FORM(BlockCase(false))},
    {"aBlockUppercase", "&Upper case", "", FORM(BlockCase(true))},
    {"aBlockNormalSelection", "&Normal selection", "Alt+Shift+N", FORM(BlockSelectionMode(smNormal))},
    {"aBlockLinearSelection", "L&ine selection", "Alt+Shift+L", FORM(BlockSelectionMode(smLine))},
    {"aBlockVerticalSelection", "&Column selection", "Alt+Shift+V", FORM(BlockSelectionMode(smColumn))},
    {"aSolve", "S&olve", "", FORM(Solve())},
    {"aMacroNew", "New Macro", "", [](TMainForm& f) { f.aMacroNewExecute(); }},
    {"aMacroStop", "Stop Macro", "", [](TMainForm& f) { f.aMacroStopExecute(); }},
    {"aMacroClear", "Clear All Macro", "", [](TMainForm& f) { f.aMacroClearExecute(); }},
    {"OpenSetup", "&Options...", "", [](TMainForm& f) { f.EditSetupMenuClick(); }},
    {"GotoBack", "&Back", "", [](TMainForm& f) { f.StepCaretHistory(true); }},
    {"GoForward", "&Forward", "", [](TMainForm& f) { f.StepCaretHistory(false); }},
    // Tool, help and window commands.
    {"Action27", "Back", "", [](TMainForm& f) { f.StepCaretHistory(true); }},
    {"Action28", "Forward", "", [](TMainForm& f) { f.StepCaretHistory(false); }},
    {"aToolCalculator", "&Calculator", "", [](TMainForm& f) { f.ToolCalculator(); }},
    {"aToolCalendar", "Ca&lendar", "", [](TMainForm& f) { f.ToolCalendar(); }},
    {"aToolASCIITable", "&ASCII table", "", [](TMainForm& f) { f.ToolAsciiTable(); }},
    {"aEditDownload", "&Download...", "", [](TMainForm& f) { f.EditDownload(); }},
    {"aHelp", "&Help", "F1", [](TMainForm& f) { f.ShowHelp(); }},
    {"aHelpHotKeys", "Hot &keys", "", [](TMainForm& f) { f.ShowHotKeys(); }},
    {"AboutMenu", "&About...", "", [](TMainForm& f) { f.ShowAbout(); }},
    {"SendEmailtoAutorMenu", "Send e-&mail to the author", "", [](TMainForm& f) { f.SendEmailToAuthor(); }},
    {"DownloadNewestversionMenu", "Download the &newest version", "",
     [](TMainForm& f) { f.OpenDistributorAddress(DistributorAddresses().Download); }},
    {"VisitOfficialTarnquillHomePageMenu", "Visit the official Tarnquill home &page", "",
     [](TMainForm& f) { f.OpenDistributorAddress(DistributorAddresses().Site); }},
    {"VisitAuthorsHomePageMenu", "Visit the author's home page", "",
     [](TMainForm& f) { f.OpenDistributorAddress(DistributorAddresses().AuthorSite); }},
    {"UninstallTarnquillMenu", "&Uninstall Tarnquill", "", [](TMainForm& f) { f.UninstallTarnquill(); }},
    {"ReinstallTarnquillMenu", "&Reinstall Tarnquill", "", [](TMainForm& f) { f.ReinstallTarnquill(); }},
    {"SysMenuStayonTop", "Stay on &top", "", [](TMainForm& f) { f.StayOnTop(true); }},
    {"SysMenuStayNormal", "Stay &normal", "", [](TMainForm& f) { f.StayOnTop(false); }},
    // The file type's run and help keys (the Alt+letter expansions follow
    // in MakeSearch).
    {"aF9", "Run", "F9", [](TMainForm& f) { f.RunCommand(rkF9); }},
    {"aAltF9", "Run (Alt+F9)", "Alt+F9", [](TMainForm& f) { f.RunCommand(rkAltF9); }},
    {"aShiftF9", "Run (Shift+F9)", "Shift+F9", [](TMainForm& f) { f.RunCommand(rkShiftF9); }},
    {"aCtrlF1", "Help", "Ctrl+F1", [](TMainForm& f) { f.HelpCommand(hkCtrlF1); }},
    {"aAltF1help", "Help (Alt+F1)", "Alt+F1", [](TMainForm& f) { f.HelpCommand(hkAltF1); }},
};
#undef DOC
#undef FORM

// Menus: "-" a line, a leading ">" opens a submenu that the following
// entries fill until "<".
struct TMenuDef {
  const char* Caption;
  const char* Action;  // empty: a plain item (or a submenu) without action
  const char* Name;    // the item's component name, when something finds it
};

const TMenuDef kMainMenu[] = {
    {">&File", "", "FileMenu"},
    {"", "aFileNew", ""}, {"", "aFileNewFromClipboard", ""}, {"", "aFileOpen", ""},
    {">&Reopen", "", "ReopenFileMenu"}, {"<", "", ""},
    {"", "aFileReload", ""}, {"-", "", ""},
    {"", "aFileSave", ""}, {"", "aFileSaveAs", ""}, {"", "aFileSaveAll", ""}, {"-", "", ""},
    {"", "aFileClose", ""}, {"", "aFileCloseAll", ""}, {"-", "", ""},
    {">E&xport", "aFileExport", ""}, {"", "aFileExportToHTML", ""}, {"", "aFileExportToRTF", ""}, {"<", "", ""},
    {"", "aFilePrint", ""}, {"", "aFilePrinterSetup", ""}, {"-", "", ""},
    {"", "aFileCloseProgram", ""},
    {"<", "", ""},
    {">&Edit", "", "EditMainMenu"},
    {"", "aEditUndo", ""}, {"", "aEditRedo", ""}, {"-", "", ""},
    {"", "aEditCut", ""}, {"", "aEditCopy", ""}, {"", "aEditPaste", ""}, {"", "aEditSelectAll", ""},
    {"", "aEditDuplicateLine", ""}, {"-", "", ""},
    {"", "aEditFind", ""}, {"", "aEditFindNext", ""}, {"", "aEditReplace", ""}, {"", "aFindFiles", ""},
    {"&Hide search results", "", "HideSearchResults1"},
    {"", "aEditGoToLine", ""}, {"", "aEditMatchBrakets", ""}, {"", "GotoBack", ""}, {"", "GoForward", ""},
    {"-", "", ""},
    {">Set &bookmark", "", "SetBookmarksMenu"},
    {"", "aSetBookmark1", ""}, {"", "aSetBookmark2", ""}, {"", "aSetBookmark3", ""},
    {"", "aSetBookmark4", ""}, {"", "aSetBookmark5", ""}, {"", "aSetBookmark6", ""},
    {"", "aSetBookmark7", ""}, {"", "aSetBookmark8", ""}, {"", "aSetBookmark9", ""}, {"<", "", ""},
    {">&Go to bookmark", "", "GotoBookmarksMenu"},
    {"", "aGoToBookmark1", ""}, {"", "aGoToBookmark2", ""}, {"", "aGoToBookmark3", ""},
    {"", "aGoToBookmark4", ""}, {"", "aGoToBookmark5", ""}, {"", "aGoToBookmark6", ""},
    {"", "aGoToBookmark7", ""}, {"", "aGoToBookmark8", ""}, {"", "aGoToBookmark9", ""}, {"<", "", ""},
    {"", "aClearBookmarks", ""}, {"-", "", ""},
    {"", "OpenSetup", "EditSetupMenu"},
    {"<", "", ""},
    {">&Block", "", "BlockMenu"},
    {"", "aBlockReadFromFile", ""}, {"", "aBlockWriteToFile", ""}, {"", "aBlockOpenInNewWindow", ""},
    {"", "aBlockSetAsRollUp", ""}, {"", "aBlockStatistic", ""}, {"", "aSolve", ""}, {"-", "", ""},
    {"", "aBlockLowerCase", ""}, {"", "aBlockUppercase", ""}, {"-", "", ""},
    {"", "aBlockNormalSelection", ""}, {"", "aBlockLinearSelection", ""},
    {"", "aBlockVerticalSelection", ""},
    {"<", "", ""},
    {">&View", "", "ViewMenu"},
    {"", "aViewTextBinary", ""}, {"", "aViewAnsiAscii", ""}, {"", "aEditWordWrap", ""},
    {"", "aViewBrowser", ""}, {"-", "", ""},
    {">&Highlight as", "", "HighlightAsMenu"},
    {"", "aViewPascal", ""}, {"", "aViewAssembler", ""}, {"", "aViewC", ""},
    {"", "aViewVisualBasic", ""}, {"", "aViewSQL", ""}, {"", "aViewDFM", ""}, {"", "aViewHTML", ""},
    {"", "aViewINI", ""}, {"", "aViewJava", ""}, {"", "aViewJScript", ""}, {"", "aViewVBScript", ""},
    {"", "aViewBatch", ""}, {"", "aViewPerl", ""}, {"", "aViewFortran", ""}, {"", "aViewADSP", ""},
    {"<", "", ""},
    {">&Window", "aViewWindow", "WindowMenu"}, {"<", "", ""},
    {"", "aViewFirstWindow", ""}, {"", "aViewPreviousWindow", ""}, {"", "aViewNextWindow", ""},
    {"<", "", ""},
    {">&Macro", "", "Macro"}, {"", "aMacroNew", ""}, {"", "aMacroStop", ""}, {"", "aMacroClear", ""},
    {"-", "", ""}, {"<", "", ""},
    {">&Tools", "", "ToolsMenu"},
    {"", "aToolCalculator", ""}, {"", "aToolCalendar", ""}, {"", "aToolASCIITable", ""},
    {"", "aEditDownload", ""}, {"&Clipboard", "", "Clipboard1"},
    {"<", "", ""},
    {">&Help", "", "HelpMenu"},
    {"", "aHelp", ""}, {"", "aHelpHotKeys", ""}, {"-", "", ""},
    {"", "SendEmailtoAutorMenu", ""}, {"", "DownloadNewestversionMenu", ""},
    {"", "VisitOfficialTarnquillHomePageMenu", ""}, {"", "VisitAuthorsHomePageMenu", ""}, {"-", "", ""},
    {"", "UninstallTarnquillMenu", ""}, {"", "ReinstallTarnquillMenu", ""}, {"-", "", ""},
    {"", "AboutMenu", ""},
    {"<", "", ""},
};

// The window menu's own entries, mirrored into the system menu.
const TMenuDef kSysMenu[] = {
    {"", "SysMenuStayonTop", ""}, {"", "SysMenuStayNormal", ""},
};

const TMenuDef kEditMenu[] = {
    {"", "aEditUndo", ""}, {"", "aEditRedo", ""}, {"-", "", ""}, {"", "aEditCut", ""},
    {"", "aEditCopy", ""}, {"", "aEditPaste", ""}, {"", "aEditSelectAll", ""},
};

const TMenuDef kHighlightMenu[] = {
    {"", "aViewPascal", ""}, {"", "aViewAssembler", ""}, {"", "aViewC", ""}, {"", "aViewVisualBasic", ""},
    {"", "aViewSQL", ""}, {"", "aViewDFM", ""}, {"", "aViewHTML", ""}, {"", "aViewINI", ""},
    {"", "aViewJava", ""}, {"", "aViewJScript", ""}, {"", "aViewVBScript", ""}, {"", "aViewBatch", ""},
    {"", "aViewPerl", ""}, {"", "aViewFortran", ""}, {"", "aViewADSP", ""},
};

UINT RegisteredInstanceMessage() {
  static const UINT message = ::RegisterWindowMessageA("VornActive");
  return message;
}

}  // namespace

// Registered before the program's first statement, as the sender needs it
// before any window exists.
static const UINT gInstanceCheckMessage = RegisteredInstanceMessage();

UINT InstanceCheckMessage() { return RegisteredInstanceMessage(); }

void SetMainCommandLine(const std::vector<std::string>& args, const std::string& folder) {
  CommandArgs = args;
  CommandFolder = folder;
}

// --- the tab control ------------------------------------------------------------

void TMainPageControl::CreateWnd() {
  TPageControl::CreateWnd();
  // Again after every new window (the tab height makes a new one).
  ::DragAcceptFiles(GetHandle(), TRUE);
}

void TMainPageControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_DROPFILES) {
    FForm->WMDropFiles(reinterpret_cast<HDROP>(msg.WParam));
    msg.Result = 0;
    return;
  }
  TPageControl::WndProc(msg);
}

// --- construction -----------------------------------------------------------------

TMainForm::TMainForm(TComponent* owner) : TForm(owner), FDocs(*this, *this) {
  SetName("MainForm");
  SetCaption("Tarnquill");
  SetPosition(poDefaultPosOnly);
  SetBounds(0, 0, 800, 600);
  MakeActions();
  MakeMenus();
  MakeToolMenus();
  MakeBars();
  MakeInputKey();
  MakeSearch();
  OnActivate = Bind(this, &TMainForm::FormActivate);
  OnCloseQuery = Bind(this, &TMainForm::FormCloseQuery);
  FormCreate();
  // Last: the storage takes over the form's show and close events set above.
  MakeStorage();
}

void TMainForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FData) {
    FData = nullptr;
    FDocs.Data = nullptr;
  }
  if (component == FSetup) FSetup = nullptr;
}

TMainForm::~TMainForm() {
  // The data module and the options dialog may outlive the window.
  if (FData) {
    if (FData->MainWindow == this) FData->MainWindow = nullptr;
    FData->RemoveFreeNotification(this);
  }
  if (FSetup) {
    if (FSetup->ToolBars == this) FSetup->ToolBars = nullptr;
    FSetup->RemoveFreeNotification(this);
  }
  // The documents' editors go before the form's other components, whose
  // events they might still reach.
  for (auto& [number, views] : FViews) {
    delete views.Edit;
    delete views.Hex;
  }
  FViews.clear();
}

void TMainForm::MakeActions() {
  ActionList = Make<TActionList>(this).Name("ActionList");
  for (const TActionDef& def : kActions) {
    auto* action = new TAction(this);
    action->SetName(def.Name);
    action->SetCaption(def.Caption);
    action->SetActionList(ActionList);
    if (def.Run) {
      if (*def.ShortCut) action->SetShortCut(TextToShortCut(def.ShortCut));
      auto run = def.Run;
      action->OnExecute = [this, run](TObject*) {
        // A command that pumps messages (a dialog, a refresh) keeps a
        // hand-over waiting until it has ended.
        struct TCommandScope {
          TMainForm& Form;
          ~TCommandScope() {
            if (--Form.FCommands == 0) Form.FDocs.NoticeHeldWork();
          }
        } scope{*this};
        ++FCommands;
        run(*this);
      };
      FHandled[LowerCase(def.Name)] = true;
    } else {
      action->SetEnabled(false);
    }
    FActions[LowerCase(def.Name)] = action;
  }
  for (int i = 1; i <= 9; ++i) FActions["ahiddenwin" + std::to_string(i)]->SetTag(i - 1);
}

TMenuItem* TMainForm::AddItem(TMenuItem* parent, const std::string& caption, const std::string& action) {
  auto* item = new TMenuItem(this);
  if (!action.empty()) {
    item->SetAction(FindAction(action));
  } else {
    item->SetCaption(caption);
  }
  parent->Add(item);
  return item;
}

namespace {

template <size_t N>
void FillMenu(TMainForm& form, TMenuItem* root, const TMenuDef (&defs)[N],
              TMenuItem* (TMainForm::*add)(TMenuItem*, const std::string&, const std::string&)) {
  std::vector<TMenuItem*> stack{root};
  for (const TMenuDef& def : defs) {
    const std::string caption = def.Caption;
    if (caption == "<") {
      stack.pop_back();
      continue;
    }
    const bool sub = !caption.empty() && caption[0] == '>';
    TMenuItem* item = (form.*add)(stack.back(), sub ? caption.substr(1) : caption, def.Action);
    if (*def.Name) item->SetName(def.Name);
    if (sub) stack.push_back(item);
  }
}

}  // namespace

void TMainForm::MakeMenus() {
  MainMenu = Make<TMainMenu>(this).Name("MainMenu");
  FillMenu(*this, MainMenu->GetItems(), kMainMenu, &TMainForm::AddItem);
  SetMenu(MainMenu);
  WindowMenu = static_cast<TMenuItem*>(FindComponent("WindowMenu"));
  ReopenFileMenu = static_cast<TMenuItem*>(FindComponent("ReopenFileMenu"));
  ReopenFileMenu->SetEnabled(false);
  if (auto* view = FindComponent("ViewMenu"))
    static_cast<TMenuItem*>(view)->OnClick = [this](TObject*) { FDocs.PageControlChange(); };

  EditMenu = Make<TPopupMenu>(this).Name("EditMenu");
  FillMenu(*this, EditMenu->GetItems(), kEditMenu, &TMainForm::AddItem);
  HighlightMenu = Make<TPopupMenu>(this).Name("HighlightMenu");
  FillMenu(*this, HighlightMenu->GetItems(), kHighlightMenu, &TMainForm::AddItem);
  // Both bookmark pop-ups list the placed bookmarks, made anew each time.
  PMGotobookmark = Make<TPopupMenu>(this).Name("PMGotobookmark");
  PMGotobookmark->OnPopup = [this](TObject*) { FillBookmarkMenu(PMGotobookmark, "Bookmark #", false); };
  PMcb = Make<TPopupMenu>(this).Name("PMcb");
  PMcb->OnPopup = [this](TObject*) { FillBookmarkMenu(PMcb, "Clear Bookmark #", true); };
  PMReopen = Make<TPopupMenu>(this).Name("PMReopen");
  MacroMenu = Make<TPopupMenu>(this).Name("MacroMenu");
  MakeMacroMenus();
  static_cast<TMenuItem*>(FindComponent("Clipboard1"))->OnClick = [this](TObject*) { Clipboard1Click(); };
}

void TMainForm::FormCreate() {
  FFirstActivationDone = false;
  FDocs.PageControlChange();
}

TCustomAction* TMainForm::FindAction(const std::string& name) const {
  auto it = FActions.find(LowerCase(name));
  return it == FActions.end() ? nullptr : it->second;
}

TktEditWindow* TMainForm::EditWindow(int number) const {
  auto it = FViews.find(number);
  return it == FViews.end() ? nullptr : it->second.Edit;
}

THexEditWindow* TMainForm::HexWindow(int number) const {
  auto it = FViews.find(number);
  return it == FViews.end() ? nullptr : it->second.Hex;
}

// --- first activation, shutdown, messages --------------------------------------------

void TMainForm::FormActivate(TObject*) {
  if (FFirstActivationDone) return;
  FFirstActivationDone = true;
  // Each step on its own: one that fails is reported and the rest still run.
  auto step = [this](auto&& f) { RunGuarded(kPlaceFirstActivation, f); };
  step([&] { FDocs.Options = ReadMainOptions(); });
  step([&] {
    FDocs.BuildReopenMenu();
    FDocs.PageControlChange();
  });
  step([&] { RestoreRollUps(); });
  step([&] { SetActionEnabled("aMacroClear", BuildMacroMenu() > 0); });
  step([&] {
    if (FDocs.Options.SaveReloadSession && (CommandArgs.empty() || CommandArgs[0].empty()))
      FDocs.RestoreSession();
  });
  step([&] {
    const std::string name = CommandLineFileName(CommandArgs, CommandFolder);
    if (!name.empty()) FDocs.OpenInNewTab(name, false);
  });
  step([&] {
    Timer->SetInterval(unsigned(std::max(1, FDocs.Options.AutosaveMinutes)) * 60000u);
    Timer->SetEnabled(FDocs.Options.Autosave);
  });
}

void TMainForm::FormCloseQuery(TObject*, bool& canClose) {
  Timer->SetEnabled(false);
  // Before an uninstall (which deletes the program's key once the window
  // has gone) or after a reinstallation (which has just written the
  // defaults), the closing editor leaves the key alone.
  const bool keepSettings = !SettingsSavesSkipped();
  FRollUps = RollUpRecords();
  canClose = FDocs.CloseQuery(FRollUps, FFirstActivationDone, keepSettings);
  if (!canClose) Timer->SetEnabled(FDocs.Options.Autosave);
  // An uninstall or a reinstallation waits for a close that happens.
  if (!canClose) DropPendingMaintenance();
}

void TMainForm::CreateWnd() {
  TForm::CreateWnd();
  if (auto* sysMenu = dynamic_cast<TfisSysMenu*>(SysMenu)) sysMenu->FormWindowCreated();
  FClipboardListening = ::AddClipboardFormatListener(GetHandle()) != 0;
  FClipboardHasText = ::IsClipboardFormatAvailable(CF_TEXT) != 0;
  // The program's icon comes with every form's window (TForm::CreateWnd).
}

void TMainForm::WndProc(TMessage& msg) {
  if (msg.Msg == InstanceCheckMessage() || msg.Msg == kHandOverFileMessage) {
    DefaultHandler(msg);
    return;
  }
  if (msg.Msg == kRestoreInstanceMessage) {
    // Inside a question it would move the focus away from the box.
    if (Idle()) WMRestoreInstance();
    else FDocs.HoldRestore();
    return;
  }
  if (msg.Msg == kCarryOutHeldMessage) {
    CarryOutHeld();
    return;
  }
  if (msg.Msg == WM_ENABLE && msg.WParam && FDocs.HasHeldWork()) HeldWorkWaiting();
  if (msg.Msg == kFocusEditorMessage) {
    FocusCurrentEditor();
    return;
  }
  if (msg.Msg == WM_QUERYENDSESSION) {
    // A log-off or shutdown asks what closing the window asks; Cancel
    // refuses it.
    try {
      msg.Result = CloseQuery() ? TRUE : FALSE;
    } catch (const Exception& e) {
      ShowUnexpectedError(kPlaceClose, e.Message());
      msg.Result = FALSE;
    }
    return;
  }
  if (msg.Msg == WM_ENDSESSION) {
    // The session may end the process without the message loop's end: the
    // saves it would make go now. A session that goes on keeps the window
    // as it was.
    if (msg.WParam) RunSessionEndSaves();
    else Timer->SetEnabled(FDocs.Options.Autosave);
    msg.Result = 0;
    return;
  }
  if (msg.Msg == WM_CLIPBOARDUPDATE) {
    FClipboardHasText = ::IsClipboardFormatAvailable(CF_TEXT) != 0;
    FDocs.UpdateActions();
    return;
  }
  // With the big bar the window has no menu of its own: F10 or Alt alone
  // put the bar's menu row into menu mode instead of the window menu.
  if (msg.Msg == WM_SYSCOMMAND && (msg.WParam & 0xFFF0) == SC_KEYMENU && msg.LParam == 0 && !GetMenu() &&
      MenuBar && MenuBar->GetVisible() && ControlBar->GetVisible() && MenuBar->TrackMenuKeys()) {
    msg.Result = 0;
    return;
  }
  if (msg.Msg == WM_DESTROY && FClipboardListening) {
    ::RemoveClipboardFormatListener(GetHandle());
    FClipboardListening = false;
  }
  TForm::WndProc(msg);
}

void TMainForm::DefaultHandler(TMessage& msg) {
  if (msg.Msg == InstanceCheckMessage()) {
    msg.Result = kInstanceAnswer;
    return;
  }
  // The name is copied now, while the sender's atom exists, and the sender
  // is answered at once; the file opens when nothing else runs, so a
  // question that is open now still acts on the document it asks about.
  try {
    char name[261] = {};
    ::GlobalGetAtomNameA(static_cast<ATOM>(msg.WParam), name, sizeof name);
    msg.Result = 0;
    if (name[0]) FDocs.HoldHandOver(name);
  } catch (const Exception& e) {
    ShowUnexpectedError(kPlaceHandOver, e.Message());
  }
}

bool TMainForm::Idle() {
  // A modal dialog or message box of the program disables the window.
  return FCommands == 0 && !FDocs.Busy() && ::IsWindowEnabled(GetHandle());
}

void TMainForm::HeldWorkWaiting() {
  if (HandleAllocated()) ::PostMessageA(GetHandle(), kCarryOutHeldMessage, 0, 0);
}

void TMainForm::CarryOutHeld() {
  // Not idle: the end of the command, of the documents' work or of the
  // modal state (WM_ENABLE) posts the message again.
  if (!Idle()) return;
  if (FDocs.CarryOutHeld()) WMRestoreInstance();
}

void TMainForm::WMRestoreInstance() {
  try {
    if (::IsIconic(GetHandle())) ::ShowWindow(GetHandle(), SW_RESTORE);
    Application->Restore();
    ::SetForegroundWindow(GetHandle());
    if (FDocs.CurrentEditor()) {
      const int number = GetPageTag(GetActivePageIndex());
      FocusView(number, FDocs.TextViewVisible());
    }
  } catch (const Exception& e) {
    ShowUnexpectedError(kPlaceHandOver, e.Message());
  }
}

void TMainForm::WMDropFiles(HDROP drop) {
  std::vector<std::string> names;
  try {
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
      std::string name(length + 1, '\0');
      ::DragQueryFileA(drop, i, name.data(), length + 1);
      name.resize(length);
      names.push_back(name);
    }
  } catch (...) {
    ::DragFinish(drop);
    throw;
  }
  ::DragFinish(drop);
  FDocs.DropFiles(names, false);
}

void TMainForm::TimerTimer(TObject*) {
  Timer->SetEnabled(false);
  FDocs.AutosaveTick();
  Timer->SetEnabled(true);
}

void TMainForm::StatusMouseDown(TObject*, TMouseButton, TShiftState, int x, int) { FStatusMouseX = x; }

void TMainForm::StatusDblClick(TObject*) {
  const TStatusClick click = FDocs.StatusDblClick(FStatusMouseX);
  const TPoint at(GetLeft() + FStatusMouseX + 10, GetTop() + Status->GetTop() + Status->GetHeight());
  if (click == scGoToLine) EditGoToLine();
  if (click == scHighlightMenu) HighlightMenu->Popup(at.X, at.Y);
  if (click == scMacroMenu) MacroMenu->Popup(at.X, at.Y);
  if (click == scToggleEol) {
    // The options dialog's box, and the dialog's stored values saved at
    // once: the box is what the dialog's storage writes when it goes.
    try {
      if (FSetup) {
        FSetup->EOL->SetChecked(FDocs.Options.Eol);
        FSetup->GetFormStorage()->SaveFormPlacement();
      } else {
        TRegistry registry;
        if (registry.OpenKey(ProgramRegistryKey() + "\\Setup", true))
          registry.WriteString("EOL_Checked", FDocs.Options.Eol ? "True" : "False");
      }
    } catch (const Exception& e) {
      ShowUnexpectedError(kPlaceStatus, e.Message());
    }
    FDocs.UpdateStatus();
  }
}

void TMainForm::ShowUnexpectedError(int place, const std::string& message) {
  ::ShowUnexpectedError("MainForm", place, message);
}

// --- IDocumentTabs ------------------------------------------------------------------

int TMainForm::GetPageCount() const { return PageControl->GetPageCount(); }
int TMainForm::GetActivePageIndex() const { return PageControl->GetActivePageIndex(); }
void TMainForm::SetActivePageIndex(int index) { PageControl->SetActivePageIndex(index); }

int TMainForm::AddPage(int tag) {
  auto* sheet = new TTabSheet(this);
  sheet->SetTag(tag);
  sheet->SetPageControl(PageControl);
  return PageControl->GetPageCount() - 1;
}

void TMainForm::FreePage(int index) {
  TTabSheet* sheet = PageControl->GetPage(index);
  FreePreview(int(sheet->GetTag()));
  // The views are the sheet's children and go with it: the sheet's window
  // takes theirs with it in one destruction instead of three.
  FViews.erase(int(sheet->GetTag()));
  delete sheet;
}

int TMainForm::GetPageTag(int index) const { return int(PageControl->GetPage(index)->GetTag()); }
std::string TMainForm::GetPageCaption(int index) const { return PageControl->GetPage(index)->GetText(); }
void TMainForm::SetPageCaption(int index, const std::string& caption) {
  PageControl->GetPage(index)->SetText(caption);
}
void TMainForm::SetTabsHidden(bool hidden) { PageControl->SetTabHeight(hidden ? 1 : 0); }
void TMainForm::BeginPagesUpdate() { PageControl->BeginUpdate(); }
void TMainForm::EndPagesUpdate() { PageControl->EndUpdate(); }

// --- IDocumentHost -------------------------------------------------------------------

TDocumentViews TMainForm::CreateViews(int number, int pageIndex) {
  TTabSheet* sheet = PageControl->GetPage(pageIndex);
  TViewWindows views;
  // Both views are made at the size they fill: an editor window made small
  // and then stretched lays out its rows and scroll bars twice.
  const TRect area = sheet->GetClientRect();
  views.Edit = new TktEditWindow(this);
  views.Edit->SetName("m" + std::to_string(number));
  views.Edit->SetAlign(alClient);
  views.Edit->SetBoundsRect(area);
  // The options go on before the window is made too: a font, spacing or
  // gutter set on a live editor lays its window out again. The documents
  // apply them once more when the editor is wired, changing nothing.
  ApplyEditorOptions(views.Edit->GetEdit());
  views.Edit->SetParent(sheet);
  views.Hex = new THexEditWindow(this);
  views.Hex->SetVisible(false);
  // Most documents are never seen in binary: no window until then, so
  // opening and closing a tab makes and destroys one window fewer.
  views.Hex->SetWindowWaitsWhileHidden(true);
  views.Hex->SetName("h" + std::to_string(number));
  views.Hex->SetAlign(alClient);
  views.Hex->SetBoundsRect(area);
  views.Hex->SetParent(sheet);
  // Keys and clicks move the hex caret without a state change: panel 0
  // follows it here.
  views.Hex->OnKeyUp = [this](TObject*, uint16_t&, TShiftState) { FDocs.UpdateStatus(); };
  views.Hex->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { FDocs.UpdateStatus(); };
  THexEditor* hex = views.Hex->GetHex();
  hex->SetBytesPerColumn(1);
  TFontData font = hex->GetFont();
  font.Name = "fixedsys";
  font.Height = FontSizeToHeight(11, 96);
  hex->SetFont(font);
  // A repaint, not a message pump: no tick, drop or hand-over may run
  // while the document is half made.
  views.Hex->Invalidate();
  TktCustomEdit* edit = views.Edit->GetEdit();
  edit->SetWantTabs(true);
  views.Edit->SetPopupMenu(EditMenu);
  if (FData) UseDataHandlers(views.Edit, FData);
  FViews[number] = views;
  return {edit, hex};
}

void TMainForm::ShowView(int number, bool text) {
  auto it = FViews.find(number);
  if (it == FViews.end()) return;
  it->second.Edit->SetVisible(text);
  it->second.Hex->SetVisible(!text);
}

void TMainForm::FocusView(int number, bool text) {
  auto it = FViews.find(number);
  if (it == FViews.end() || !HandleAllocated() || !::IsWindowVisible(GetHandle())) return;
  TWinControl* control = text ? static_cast<TWinControl*>(it->second.Edit) : it->second.Hex;
  if (control->CanFocus()) control->SetFocus();
}

void TMainForm::ApplyEditorFont() {
  if (!FSetup) return;
  const TFontData font = FSetup->GetTest()->GetFont();
  FFindResults->FindBox->SetFont(font);
  if (HexFindDialog()) HexFindDialog()->FindHex->SetFont(font);
  if (FClipboard) {
    // The text now shown changes with it; later views take it themselves.
    TClipboardViewer* viewer = FClipboard->ClipboardViewer;
    viewer->SetFont(font);
    if (auto* memo = dynamic_cast<TWinControl*>(viewer->GetView()); memo && viewer->GetShownFormat() == cvText)
      memo->SetFont(font);
  }
}

void TMainForm::ApplyEditorOptions(TktCustomEdit* edit) {
  if (FSetup) ::ApplyEditorOptions(*edit, FSetup->EditorOptions(), *FSetup->GetTest()->GetEdit());
  TktEditorOptions options = edit->GetOptions();
  options.Include(kteoDropFiles);
  edit->SetOptions(options);
  Timer->SetInterval(unsigned(std::max(1, FDocs.Options.AutosaveMinutes)) * 60000u);
  Timer->SetEnabled(FDocs.Options.Autosave);
}

TAnswer TMainForm::Ask(const std::string& text, TAskKind kind, TAskButtons buttons) {
  const TMsgDlgType type = kind == akConfirmation ? mtConfirmation : kind == akError ? mtError : mtWarning;
  TMsgDlgButtons set;
  switch (buttons) {
    case abYesNo: set = TMsgDlgButtons{mbYes, mbNo}; break;
    case abYesNoCancel: set = TMsgDlgButtons{mbYes, mbNo, mbCancel}; break;
    case abYesCancel: set = TMsgDlgButtons{mbYes, mbCancel}; break;
    case abYesNoCancelAll: set = TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll}; break;
  }
  switch (MessageDlg(text, FAskCaption, type, set)) {
    case mrYes: return anYes;
    case mrNo: return anNo;
    case mrAll: return anAll;
    default: return anCancel;
  }
}

TAnswer TMainForm::AskAbout(const std::string& document, const std::string& text, TAskKind kind,
                            TAskButtons buttons) {
  FAskCaption = document;
  struct TReset {
    std::string& Caption;
    ~TReset() { Caption.clear(); }
  } reset{FAskCaption};
  return Ask(text, kind, buttons);
}

void TMainForm::ShowMessage(const std::string& text) { ::ShowMessage(text); }

namespace {

// The file-type table's filter lines for a file dialog.
std::string TypeFilter() {
  TStringList filters;
  FillTypeFilters(&filters);
  std::string filter;
  for (int i = 0; i < filters.GetCount(); ++i) {
    TStringList masks;
    GetFilterMasks(filters.Get(i), &masks);
    std::string maskText;
    for (int m = 0; m < masks.GetCount(); ++m) maskText += (m ? ";" : "") + masks.Get(m);
    filter += (i ? "|" : "") + filters.Get(i) + "|" + maskText;
  }
  return filter;
}

bool RunFileDialog(TOpenDialog& dialog, const std::string& filter, std::string& fileName) {
  dialog.SetFilter(filter);
  dialog.SetFileName(fileName);
  if (!dialog.Execute()) return false;
  fileName = dialog.GetFileName();
  return true;
}

}  // namespace

bool TMainForm::RunSaveDialog(std::string& fileName) {
  TSaveDialog dialog(nullptr);
  return RunFileDialog(dialog, TypeFilter(), fileName);
}

bool TMainForm::RunOpenDialog(std::string& fileName) {
  if (!FileDlg) FileDlg = new TFileDlg(Application);
  // The File Types page may have changed the table since the last showing.
  FileDlg->UpdateFilters();
  if (!fileName.empty()) {
    // The document's folder opens with its file selected: setting the text
    // alone would not follow it.
    FileDlg->FileName->SetText(fileName);
    FileDlg->TypedName(fileName);
  }
  if (FileDlg->ShowModal() != mrOk) return false;
  fileName = FileDlg->FileName->GetText();
  return !fileName.empty();
}

void TMainForm::SetStatusText(int panel, const std::string& text) { Status->GetPanel(panel)->SetText(text); }

void TMainForm::SetCaretStatus(const std::string& text) { SetStatusText(0, text); }

void TMainForm::UseSharedSettings(TData* data, TSetup* setup) {
  FData = data;
  FSetup = setup;
  data->MainWindow = this;
  setup->ToolBars = this;
  data->FreeNotification(this);
  setup->FreeNotification(this);
  setup->ApplyToolBarsTo(*this);
  // Documents find their highlighters in the data module from now on; the
  // editors already made take its handlers and options.
  FDocs.Data = data;
  for (auto& [number, views] : FViews) {
    UseDataHandlers(views.Edit, data);
    ApplyEditorOptions(views.Edit->GetEdit());
  }
  ApplyEditorFont();
}

void TMainForm::LoadLanguageFile(const std::string& fileName) {
  // What a form storage keeps is the user's own setting, not a text.
  auto stored = [](TComponent* form, TComponent* component, const std::string& property) {
    auto* storage = dynamic_cast<TFormStorage*>(form->FindComponent("FormStorage"));
    if (!storage) return false;
    TStrings* props = storage->GetStoredProps();
    for (int i = 0; i < props->GetCount(); ++i)
      if (SameText(props->Get(i), component->GetName() + "." + property)) return true;
    return false;
  };
  ApplyLanguageFile(Application, fileName, stored);
  RefreshMenuBar();
}

void TMainForm::SetCaptions(const std::string& window, const std::string& title) {
  SetCaption(window);
  if (Application) Application->SetTitle(title);
}

void TMainForm::SetActionEnabled(const std::string& name, bool enabled) {
  if (TCustomAction* action = FindAction(name)) {
    action->SetEnabled(enabled && FHandled.count(LowerCase(name)));
    auto buttons = FActionButtons.find(LowerCase(name));
    if (buttons != FActionButtons.end())
      for (TToolButton* button : buttons->second) button->SetEnabled(action->GetEnabled());
    return;
  }
  TComponent* component = FindComponent(name);
  if (auto* item = dynamic_cast<TMenuItem*>(component)) item->SetEnabled(enabled);
  // Buttons with neither an action nor a click belong to commands not built yet.
  if (auto* button = dynamic_cast<TToolButton*>(component); button && (button->GetAction() || button->OnClick))
    button->SetEnabled(enabled);
  if (name == "ReopenButton") {
    if (auto* button = dynamic_cast<TToolButton*>(component)) button->SetEnabled(enabled);
  }
}

bool TMainForm::SetActionChecked(const std::string& name, bool checked) {
  TCustomAction* action = FindAction(name);
  if (!action) return false;
  action->SetChecked(checked);
  return true;
}

void TMainForm::SetWindowMenu(const std::vector<std::string>& captions) {
  // Items are kept and only their captions change: a tab change rebuilds
  // nothing, and closing many tabs does not make every item anew.
  while (WindowMenu->GetCount() > int(captions.size())) delete WindowMenu->GetItem(WindowMenu->GetCount() - 1);
  for (size_t i = 0; i < captions.size(); ++i) {
    if (int(i) < WindowMenu->GetCount()) {
      WindowMenu->GetItem(int(i))->SetCaption(captions[i]);
      continue;
    }
    auto* item = new TMenuItem(this);
    item->SetCaption(captions[i]);
    item->SetTag(intptr_t(i));
    // Its own tab, even when another has the same caption.
    item->OnClick = [this, i](TObject*) { FDocs.ActivateTab(int(i)); };
    WindowMenu->Add(item);
  }
}

void TMainForm::SetReopenMenus(const std::vector<std::string>& paths) {
  ReopenFileMenu->Clear();
  PMReopen->GetItems()->Clear();
  for (const std::string& path : paths) {
    for (TMenuItem* parent : {ReopenFileMenu, PMReopen->GetItems()}) {
      auto* item = new TMenuItem(this);
      item->SetCaption(path);
      item->OnClick = [this, path](TObject*) { FDocs.ReopenItem(path); };
      parent->Add(item);
    }
  }
  ReopenFileMenu->SetEnabled(!paths.empty());
  if (FileDlg) {
    FileDlg->FileName->GetItems()->Clear();
    for (const std::string& path : paths) FileDlg->FileName->GetItems()->Add(path);
  }
}

bool TMainForm::ClipboardHasText() {
  // Asked on every key: the answer is kept and renewed when the clipboard
  // changes (or at every ask while the window cannot listen).
  if (!FClipboardListening) return ::IsClipboardFormatAvailable(CF_TEXT) != 0;
  return FClipboardHasText;
}

void TMainForm::PopupBookmarkMenu() {
  POINT p;
  ::GetCursorPos(&p);
  PMGotobookmark->Popup(p.x, p.y);
}

// Every item change would redraw the menu bar; a batch of them redraws it
// once, and only when an item of the bar itself changed: a redraw of the bar
// makes the window draw its frame and everything in it again, which cost
// a tab change far more than the change itself.
void TMainForm::BeginActionUpdate() {
  if (FActionUpdates++ > 0) return;
  MainMenu->SetWindowHandle(nullptr);
  FMenuBarChanged = false;
  MainMenu->OnChange = [this](TObject*, TMenuItem* source, bool) {
    if (MainMenu->ShowsOnBar(source)) FMenuBarChanged = true;
  };
}

void TMainForm::EndActionUpdate() {
  if (--FActionUpdates > 0) return;
  MainMenu->OnChange = nullptr;
  if (!HandleAllocated()) return;
  MainMenu->SetWindowHandle(GetHandle());
  if (FMenuBarChanged) ::DrawMenuBar(GetHandle());
}
