// TMainForm's bars: the small tool bar ToolBar, the big bar ControlBar
// (the menu bar and six panels of captioned buttons), the status bar, and
// the Options command, whose dialog decides which of them show.
#include "app/documents/win/MainForm.h"

#include "app/documents/StatusTexts.h"
#include "app/settings/win/Setup.h"
#include "kit/win/MenuBar.h"
#include "kit/win/Placemnt.h"
#include "platform/SysUtils.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/ImgList.h"
#include "platform/win/StdCtrls.h"

#include <algorithm>
#include <vector>

namespace {

// The glyphs of the strip BARGLYPHS, in its order (resources/make_images.py).
enum TBarGlyph {
  gNew, gOpen, gSave, gClose, gReload, gUndo, gRedo, gCut, gCopy, gPaste, gFind, gReplace, gBookmark,
  gPrevious, gNext, gWrap, gCase, gBinary, gHtml, gOptions, gInsert, gRollUp
};

// Tool buttons: name, caption (also the hint), action, glyph. A button
// without an action belongs to a command not built yet and stays disabled.
struct TButtonDef {
  const char* Name;
  const char* Caption;
  const char* Action;
  TBarGlyph Glyph;
};

const TButtonDef kSmallButtons[] = {
    {"NewButton", "New", "aFileNew", gNew},           {"OpenButton", "Open", "aFileOpen", gOpen},
    {"ReopenButton", "Reopen", "", gOpen},             {"SaveButton", "Save", "aFileSave", gSave},
    {"SaveAllButton", "Save all", "aFileSaveAll", gSave}, {"CloseWindowButton", "Close", "aFileClose", gClose},
    {"SetBookmarkButton", "Bookmark", "", gBookmark},      {"GoToBookmarkButton", "Go to", "", gNext},
    {"ClearBookmarkButton", "Clear", "aClearBookmarks", gClose},
    {"InsertFileButton", "Insert", "aBlockReadFromFile", gInsert},
    {"RollUpButton", "Roll-up", "aBlockSetAsRollUp", gRollUp}, {"HTMLButton", "HTML", "aViewBrowser", gHtml},
    {"SetupButton", "Options", "OpenSetup", gOptions},
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
     {{"SpeedButton1", "New", "aFileNew", gNew}, {"SpeedButton2", "Open", "aFileOpen", gOpen},
      {"SpeedButton3", "Reload", "aFileReload", gReload}, {"SpeedButton4", "Save", "aFileSave", gSave},
      {"SpeedButton5", "Save as", "aFileSaveAs", gSave}, {"SpeedButton6", "Save all", "aFileSaveAll", gSave},
      {"SpeedButton7", "Close", "aFileClose", gClose}, {"SpeedButton8", "Close all", "aFileCloseAll", gClose}}},
    {"PEdit",
     {{"SpeedButton9", "Undo", "aEditUndo", gUndo}, {"SpeedButton10", "Redo", "aEditRedo", gRedo},
      {"SpeedButton15", "Cut", "aEditCut", gCut}, {"SpeedButton16", "Copy", "aEditCopy", gCopy},
      {"SpeedButton18", "Paste", "aEditPaste", gPaste}, {"SpeedButton19", "Find", "aEditFind", gFind},
      {"SpeedButton20", "Next", "aEditFindNext", gFind}, {"SpeedButton22", "Replace", "aEditReplace", gReplace}}},
    {"PView",
     {{"SpeedButton23", "Text/Bin", "aViewTextBinary", gBinary},
      {"SpeedButton25", "ANSI/ASCII", "aViewAnsiAscii", gBinary},
      {"SpeedButton26", "Previous", "aViewPreviousWindow", gPrevious},
      {"SpeedButton27", "Next", "aViewNextWindow", gNext}, {"SpeedButton28", "Wrap", "aEditWordWrap", gWrap},
      {"SpeedButton17", "HTML", "aViewBrowser", gHtml}}},
    {"PBlock",
     {{"SpeedButton29", "Lower", "aBlockLowerCase", gCase}, {"SpeedButton30", "Upper", "aBlockUppercase", gCase}}},
    {"PTools", {{"SpeedButton24", "Options", "OpenSetup", gOptions}}},
    // The small bar's bookmark, roll-up and insert buttons again.
    {"PBookmarks",
     {{"SpeedButton11", "Go to", "", gNext}, {"SpeedButton12", "Bookmark", "", gBookmark},
      {"SpeedButton13", "Clear", "aClearBookmarks", gClose},
      {"SpeedButton14", "Roll-up", "aBlockSetAsRollUp", gRollUp},
      {"SpeedButton21", "Insert", "aBlockReadFromFile", gInsert}}},
};

constexpr int kMenuRowHeight = 24;
constexpr int kPanelRowHeight = 40;

}  // namespace

void TMainForm::AddButton(TToolBar* bar, const char* name, const char* caption, const char* action, int glyph) {
  auto* button = new TToolButton(this);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetImageIndex(glyph);
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

void TMainForm::MakeBarGlyphs() {
  BarGlyphs = Make<TImageList>(this).Name("BarGlyphs");
  // One strip of 16 x 16 glyphs; its lower-left pixel's colour is the
  // transparent one, as in the kit's other bitmaps.
  if (HBITMAP strip = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), "BARGLYPHS", IMAGE_BITMAP, 0,
                                                           0, LR_CREATEDIBSECTION))) {
    BarGlyphs->AddMasked(strip, RGB(255, 0, 255));
    ::DeleteObject(strip);
  }
}

void TMainForm::MakeBars() {
  MakeBarGlyphs();
  MakeBigBar();
  ToolBar = Make<TToolBar>(this).Name("ToolBar").Parent(this).Align(alTop);
  ToolBar->SetHeight(26);
  ToolBar->SetImages(BarGlyphs);
  for (const TButtonDef& def : kSmallButtons) AddButton(ToolBar, def.Name, def.Caption, def.Action, def.Glyph);
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
  ControlBar->OnResize = [this](TObject*) { LayoutBigBar(); };
  ControlBar->OnBandMove = [this](TObject*, TControl*) { LayoutBigBar(); };
  int x = left;
  for (int p = 0; p < 6; ++p) {
    const TPanelDef& def = kBigPanels[p];
    // A first guess: LayoutBigBar sizes the panel to its buttons once they are made.
    const int width = int(def.Buttons.size()) * 48 + 4;
    TPanel* panel = Make<TPanel>(this).Name(def.Name).Parent(ControlBar).Bounds(x, kMenuRowHeight + 2, width,
                                                                                  kPanelRowHeight);
    panel->SetBevelOuter(bvNone);
    BigPanels[p] = panel;
    auto* bar = Make<TToolBar>(this).Parent(panel).Align(alClient).Get();
    bar->SetShowCaptions(true);
    bar->SetImages(BarGlyphs);
    for (const TButtonDef& b : def.Buttons) AddButton(bar, b.Name, b.Caption, b.Action, b.Glyph);
    x += width + TControlBar::GripWidth + 2;
  }
}

void TMainForm::MakeStorage() {
  FStorage = new TFormStorage(this);
  FStorage->SetName("FormStorage");
  FStorage->SetUseRegistry(true);
  FStorage->SetIniSection("Main");
  for (const TPanelDef& def : kBigPanels)
    for (const char* property : {"Left", "Top", "Visible"})
      FStorage->GetStoredProps()->Add(std::string(def.Name) + "." + property);
  TStoredValue* fontName = FStorage->GetStoredValues()->Add("FontName");
  fontName->SetValue(GetFont().Name);
  fontName->OnSave = [this](TStoredValue*, TVariant& value) { value = GetFont().Name; };
  fontName->OnRestore = [this](TStoredValue*, TVariant& value) {
    if (!value.ToString().empty()) GetFontObject()->SetName(value.ToString());
  };
  TStoredValue* fontSize = FStorage->GetStoredValues()->Add("FontSize");
  fontSize->SetValue(GetFontObject()->GetSize());
  fontSize->OnSave = [this](TStoredValue*, TVariant& value) { value = GetFontObject()->GetSize(); };
  fontSize->OnRestore = [this](TStoredValue*, TVariant& value) {
    try {
      if (const int size = int(value.ToInt()); size > 0) GetFontObject()->SetSize(size);
    } catch (const Exception&) {
      // A size that does not read keeps the window's font.
    }
  };
  // The options dialog's panel boxes decide which panels show, whatever the
  // stored visibility says; the stored places order the rows.
  FStorage->OnRestorePlacement = [this](TObject*) {
    if (FSetup) FSetup->ApplyToolBarsTo(*this);
    LayoutBigBar();
  };
  FStorage->Loaded();
}

void TMainForm::ShowStatusBar(bool visible) { Status->SetVisible(visible); }

void TMainForm::ShowToolBar(int kind, const bool panels[6]) {
  ControlBar->SetVisible(kind == 2);
  ToolBar->SetVisible(kind == 1);
  // The big bar carries the menu as its first row of buttons; the window's
  // own menu bar would show it a second time above it. The menu's shortcuts
  // work either way.
  SetMenu(kind == 2 ? nullptr : MainMenu);
  if (kind == 2) {
    for (int p = 0; p < 6; ++p) BigPanels[p]->SetVisible(panels[p]);
    LayoutBigBar();
  }
}

void TMainForm::LayoutBigBar() {
  if (!ControlBar || !ControlBar->GetVisible() || FLayingOutBigBar) return;
  FLayingOutBigBar = true;
  // Each band as wide as its buttons; the shown panels in rows below the
  // menu's in the order of their places (row by row, left to right), a panel
  // that would pass the bar's right edge starting the next row, as a control
  // bar wraps its bands. The bar grows or shrinks to its rows.
  const int step = TControlBar::GripWidth + 2;
  auto bandWidth = [](TWinControl* band, TToolBar* bar) {
    const int buttons = bar->GetButtonsWidth();
    return buttons > 0 ? buttons + (band->GetWidth() - bar->GetClientWidth()) : band->GetWidth();
  };
  MenuBar->SetWidth(std::max(MenuBar->GetButtonsWidth(), 40));
  std::vector<TPanel*> shown;
  for (TPanel* panel : BigPanels)
    if (panel->GetVisible()) shown.push_back(panel);
  std::stable_sort(shown.begin(), shown.end(), [](TPanel* a, TPanel* b) {
    const int rowA = a->GetTop() / kPanelRowHeight, rowB = b->GetTop() / kPanelRowHeight;
    return rowA != rowB ? rowA < rowB : a->GetLeft() < b->GetLeft();
  });
  const int right = ControlBar->GetClientWidth();
  int x = step, y = kMenuRowHeight + 2;
  for (TPanel* panel : shown) {
    auto* bar = static_cast<TToolBar*>(panel->GetControl(0));
    const int width = bandWidth(panel, bar);
    if (x > step && x + width > right) {
      x = step;
      y += kPanelRowHeight;
    }
    panel->SetBounds(x, y, width, kPanelRowHeight);
    x += width + step;
  }
  const int rows = shown.empty() ? 0 : (y - kMenuRowHeight - 2) / kPanelRowHeight + 1;
  ControlBar->SetHeight(kMenuRowHeight + rows * kPanelRowHeight + 4);
  FLayingOutBigBar = false;
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
