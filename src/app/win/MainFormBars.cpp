// TMainForm's bars: the small tool bar ToolBar, the big bar ControlBar
// (the menu bar and six panels of captioned buttons), the status bar, and
// the Options command, whose dialog decides which of them show.
#include "app/win/MainForm.h"

#include "app/StatusTexts.h"
#include "app/win/Setup.h"
#include "kit/win/MenuBar.h"
#include "kit/win/Placemnt.h"
#include "platform/SysUtils.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/StdCtrls.h"

namespace {

// Tool buttons: name, caption (also the hint), action. A button without an
// action belongs to a command not built yet and stays disabled.
struct TButtonDef {
  const char* Name;
  const char* Caption;
  const char* Action;
};

const TButtonDef kSmallButtons[] = {
    {"NewButton", "New", "aFileNew"},           {"OpenButton", "Open", "aFileOpen"},
    {"ReopenButton", "Reopen", ""},             {"SaveButton", "Save", "aFileSave"},
    {"SaveAllButton", "Save all", "aFileSaveAll"}, {"CloseWindowButton", "Close", "aFileClose"},
    {"SetBookmarkButton", "Bookmark", ""},      {"GoToBookmarkButton", "Go to", ""},
    {"ClearBookmarkButton", "Clear", "aClearBookmarks"}, {"InsertFileButton", "Insert", "aBlockReadFromFile"},
    {"RollUpButton", "Roll-up", "aBlockSetAsRollUp"},    {"HTMLButton", "HTML", "aViewBrowser"},
    {"SetupButton", "Options", "OpenSetup"},
};

// The big bar's panels, in the order of the options dialog's boxes, each
// with its buttons. Language files and the commands find the buttons by
// these names.
struct TPanelDef {
  const char* Name;
  std::initializer_list<TButtonDef> Buttons;
};

const TPanelDef kBigPanels[] = {
    {"PFile",
     {{"SpeedButton1", "New", "aFileNew"}, {"SpeedButton2", "Open", "aFileOpen"},
      {"SpeedButton3", "Reload", "aFileReload"}, {"SpeedButton4", "Save", "aFileSave"},
      {"SpeedButton5", "Save as", "aFileSaveAs"}, {"SpeedButton6", "Save all", "aFileSaveAll"},
      {"SpeedButton7", "Close", "aFileClose"}, {"SpeedButton8", "Close all", "aFileCloseAll"}}},
    {"PEdit",
     {{"SpeedButton9", "Undo", "aEditUndo"}, {"SpeedButton10", "Redo", "aEditRedo"},
      {"SpeedButton15", "Cut", "aEditCut"}, {"SpeedButton16", "Copy", "aEditCopy"},
      {"SpeedButton18", "Paste", "aEditPaste"}, {"SpeedButton19", "Find", "aEditFind"},
      {"SpeedButton20", "Next", "aEditFindNext"}, {"SpeedButton22", "Replace", "aEditReplace"}}},
    {"PView",
     {{"SpeedButton23", "Text/Bin", "aViewTextBinary"}, {"SpeedButton25", "ANSI/ASCII", "aViewAnsiAscii"},
      {"SpeedButton26", "Previous", "aViewPreviousWindow"}, {"SpeedButton27", "Next", "aViewNextWindow"},
      {"SpeedButton28", "Wrap", "aEditWordWrap"}, {"SpeedButton17", "HTML", "aViewBrowser"}}},
    {"PBlock", {{"SpeedButton29", "Lower", "aBlockLowerCase"}, {"SpeedButton30", "Upper", "aBlockUppercase"}}},
    {"PTools", {{"SpeedButton24", "Options", "OpenSetup"}}},
    // The small bar's bookmark, roll-up and insert buttons again.
    {"PBookmarks",
     {{"SpeedButton11", "Go to", ""}, {"SpeedButton12", "Bookmark", ""},
      {"SpeedButton13", "Clear", "aClearBookmarks"}, {"SpeedButton14", "Roll-up", "aBlockSetAsRollUp"},
      {"SpeedButton21", "Insert", "aBlockReadFromFile"}}},
};

constexpr int kMenuRowHeight = 24;
constexpr int kPanelRowHeight = 40;

}  // namespace

void TMainForm::AddButton(TToolBar* bar, const char* name, const char* caption, const char* action) {
  auto* button = new TToolButton(this);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetHint(caption);
  button->SetToolBar(bar);
  if (*action) {
    // Buttons do not follow their action by themselves: SetActionEnabled does.
    TCustomAction* a = FindAction(action);
    button->SetAction(a);
    button->SetEnabled(a->GetEnabled());
    FActionButtons[LowerCase(action)].push_back(button);
  } else {
    button->SetEnabled(false);
  }
}

void TMainForm::MakeBars() {
  MakeBigBar();
  ToolBar = Make<TToolBar>(this).Name("ToolBar").Parent(this).Align(alTop);
  ToolBar->SetHeight(26);
  for (const TButtonDef& def : kSmallButtons) AddButton(ToolBar, def.Name, def.Caption, def.Action);
  auto button = [this](const char* name) { return static_cast<TToolButton*>(FindComponent(name)); };
  for (const char* name : {"SetBookmarkButton", "SpeedButton12"})
    button(name)->OnClick = [this](TObject*) { SetFreeBookmark(); };
  for (const char* name : {"GoToBookmarkButton", "SpeedButton11"})
    button(name)->OnClick = [this](TObject*) { PopupBookmarkMenu(); };
  // Clear drops the placed bookmarks by their arrow, to clear one of them.
  for (const char* name : {"ClearBookmarkButton", "SpeedButton13"}) button(name)->SetDropDownMenu(PMcb);
  button("ReopenButton")->SetStyle(tbsDropDown);
  button("ReopenButton")->SetDropDownMenu(PMReopen);
  Status = Make<TStatusBar>(this).Name("Status").Parent(this).Align(alBottom);
  for (int i = 0; i < kStatusPanelCount; ++i) {
    TStatusPanel* panel = Status->AddPanel();
    panel->SetWidth(kStatusPanelWidths[i]);
    if (i == 2) panel->SetAlignment(taRightJustify);
    if (i == 5) panel->SetAlignment(taCenter);
  }
  Status->OnMouseDown = Bind(this, &TMainForm::StatusMouseDown);
  Status->OnDblClick = Bind(this, &TMainForm::StatusDblClick);
  PMain = Make<TPanel>(this).Name("PMain").Parent(this).Align(alClient);
  PMain->SetBevelOuter(bvNone);
  PageControl = new TMainPageControl(this, this);
  PageControl->SetName("PageControl");
  PageControl->SetParent(PMain);
  PageControl->SetAlign(alClient);
  PageControl->OnChange = [this](TObject*) { FDocs.PageControlChange(); };
  Timer = Make<TTimer>(this).Name("Timer");
  Timer->SetEnabled(false);
  Timer->OnTimer = Bind(this, &TMainForm::TimerTimer);
}

void TMainForm::MakeBigBar() {
  // Hidden until the options dialog asks for big buttons; its many windows
  // wait for that too.
  ControlBar = Make<TControlBar>(this).Name("ControlBar").Parent(this).Align(alTop);
  ControlBar->SetVisible(false);
  ControlBar->SetWindowWaitsWhileHidden(true);
  ControlBar->SetHeight(kMenuRowHeight + kPanelRowHeight + 4);
  const int left = TControlBar::GripWidth + 2;
  MenuBar = new TMenuBar(this);
  MenuBar->SetName("MenuBar");
  MenuBar->SetParent(ControlBar);
  MenuBar->SetBounds(left, 2, 400, kMenuRowHeight);
  MenuBar->SetMenu(MainMenu);
  int x = left;
  for (int p = 0; p < 6; ++p) {
    const TPanelDef& def = kBigPanels[p];
    const int width = int(def.Buttons.size()) * 64 + 4;
    TPanel* panel = Make<TPanel>(this).Name(def.Name).Parent(ControlBar).Bounds(x, kMenuRowHeight + 2, width,
                                                                                  kPanelRowHeight);
    panel->SetBevelOuter(bvNone);
    BigPanels[p] = panel;
    auto* bar = Make<TToolBar>(this).Parent(panel).Align(alClient).Get();
    bar->SetShowCaptions(true);
    for (const TButtonDef& b : def.Buttons) AddButton(bar, b.Name, b.Caption, b.Action);
    x += width + TControlBar::GripWidth + 2;
  }
}

void TMainForm::ShowStatusBar(bool visible) { Status->SetVisible(visible); }

void TMainForm::ShowToolBar(int kind, const bool panels[6]) {
  ControlBar->SetVisible(kind == 2);
  ToolBar->SetVisible(kind == 1);
  // The big bar carries the menu as its first row of buttons; the window's
  // own menu bar would show it a second time above it. The menu's shortcuts
  // work either way.
  SetMenu(kind == 2 ? nullptr : MainMenu);
  if (kind == 2)
    for (int p = 0; p < 6; ++p) BigPanels[p]->SetVisible(panels[p]);
}

void TMainForm::RefreshMenuBar() {
  // The bar's buttons show the captions the items had when they were made:
  // binding the menu again makes them from the new ones.
  if (!MenuBar) return;
  MenuBar->SetEnabled(true);
  MenuBar->SetMenu(nullptr);
  MenuBar->SetMenu(MainMenu);
  MenuBar->SetEnabled(true);
  for (int i = 0; i < MenuBar->GetButtonCount(); ++i) MenuBar->GetButton(i)->SetEnabled(true);
}

void TMainForm::EditSetupMenuClick() {
  if (!FSetup) return;
  try {
    if (TktCustomEdit* edit = FDocs.CurrentEditor(); edit && edit->GetHighLighter()) {
      const std::string entry = LanguageListEntry(edit->GetHighLighter()->GetName());
      if (!entry.empty()) FSetup->SelectLanguage(entry);
    }
    // The dialog changes the bars only when it was opened from here.
    FSetup->SetTag(1);
    FSetup->ShowModal();
    FSetup->GetFormStorage()->SaveFormPlacement();
    FDocs.Options = ReadMainOptions();
    const int active = GetActivePageIndex();
    for (int i = 0; i < GetPageCount(); ++i) {
      FDocs.ActivateTab(i);
      if (FDocs.CurrentEditor()) ApplyEditorOptions(FDocs.CurrentEditor());
    }
    if (active >= 0) FDocs.ActivateTab(active);
    FDocs.PageControlChange();
    ApplyEditorFont();
  } catch (const Exception& e) {
    ShowUnexpectedError(kPlaceOptions, e.Message());
  }
}
