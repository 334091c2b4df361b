// TSetup: building the dialog, its General Options, File Types and
// Interface pages, the menus and the settings script. The Styles page's
// behaviour is in SetupStyles.cpp.
#include "app/settings/win/Setup.h"

#include <windows.h>

#include "app/settings/Association.h"
#include "app/Data.h"
#include "app/settings/FileTypes.h"
#include "app/settings/SettingsScript.h"
#include "app/settings/SetupValues.h"
#include "app/settings/Styles.h"
#include "app/tools/win/Help.h"
#include "app/win/ProgramEnd.h"
#include "editor/KeyCodes.h"
#include "kit/win/Placemnt.h"
#include "kit/win/ToolEdit.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Dialogs.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/GridWindow.h"
#include "platform/win/Menus.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"

TSetup* Setup = nullptr;

namespace {

const char kRestartText[] = "Program must be restarted to accept new locale settings.";
const char kTabWarning[] =
    "Warning! All tabs will be converted to spaces in case \"Tab Width\" more than 1.";
const char kAssociationError[] =
    "Error writing registry. If you are working under Windows NT/2000 you probably should have "
    "administrator access to make this changes.";

std::string ExeFileName() {
  char buffer[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

// A label before a control: as wide as the room up to the control (the
// file-type pages' controls start at 120).
TLabel* MakeLabel(TComponent* owner, TWinControl* parent, int x, int y, const std::string& text, int width = 108) {
  return Make<TLabel>(owner).Parent(parent).Bounds(x, y, width, 16).Caption(text);
}

TSpinEdit* MakeSpin(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int min, int max,
                    int value) {
  return Make<TSpinEdit>(owner).Parent(parent).Name(name).Bounds(x, y, 70, 22).With([&](TSpinEdit* s) {
    s->SetMinValue(min);
    s->SetMaxValue(max);
    s->SetValue(value);
  });
}

TCheckBox* MakeCheck(TComponent* owner, TWinControl* parent, const char* name, int x, int y,
                     const std::string& caption, bool checked) {
  return Make<TCheckBox>(owner).Parent(parent).Name(name).Bounds(x, y, 250, 20).Caption(caption).With(
      [checked](TCheckBox* c) { c->SetChecked(checked); });
}

TRadioGroup* MakeRadio(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, int h,
                       const std::string& caption, std::initializer_list<const char*> items, int index) {
  return Make<TRadioGroup>(owner).Parent(parent).Name(name).Bounds(x, y, w, h).Caption(caption).With(
      [&](TRadioGroup* g) {
        for (const char* i : items) g->GetItems()->Add(i);
        g->SetItemIndex(index);
      });
}

}  // namespace

TSetup::TSetup(TComponent* owner, TData* data) : TForm(owner), FData(data) {
  SetName("Setup");
  SetCaption("Editor Setup");
  SetBounds(0, 0, 640, 500);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  OnKeyDown = Bind(this, &TSetup::FormKeyDown);
  OnActivate = Bind(this, &TSetup::Activate);
  OnShow = Bind(this, &TSetup::Activate);
  if (Application) Application->SetHintHidePause(2500);

  PageControl = Make<TPageControl>(this).Parent(this).Name("PageControl").Align(alClient);
  auto page = [this](const char* name, const char* caption) {
    return Make<TTabSheet>(this).Name(name).Caption(caption).With(
        [this](TTabSheet* s) { s->SetPageControl(PageControl); });
  };
  GeneralPage = page("GeneralPage", "General Options");
  StylesPage = page("StylesPage", "Styles");
  TypesPage = page("TypesPage", "File Types");
  InterfacePage = page("InterfacePage", "Interface");
  BuildMenus();
  BuildGeneralPage();
  BuildStylesPage();
  BuildTypesPage();
  BuildInterfacePage();
  BuildStorage();
  ::Setup = this;
}

void TSetup::CreateWnd() {
  TForm::CreateWnd();
  if (FormStorage) FormStorage->FormWindowCreated();
}

TSetup::~TSetup() {
  if (::Setup == this) ::Setup = nullptr;
}

void TSetup::BuildMenus() {
  MainMenu = Make<TMainMenu>(this).Name("MainMenu");
  auto item = [this](TMenuItem* parent, const char* name, const char* caption) {
    auto* i = new TMenuItem(this);
    i->SetName(name);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  };
  FileMenu = item(MainMenu->GetItems(), "FileMenu", "&File");
  LoadMenu = item(FileMenu, "LoadMenu", "Load settings from file");
  SaveMenu = item(FileMenu, "SaveMenu", "Save settings to file");
  CloseMenu = item(FileMenu, "CloseMenu", "Close");
  DefaultMenu = item(MainMenu->GetItems(), "DefaultMenu", "&Default");
  PageDefaultMenu = item(DefaultMenu, "PageDefaultMenu", "Set Current Page as Default");
  AllDefaultMenu = item(DefaultMenu, "AllDefaultMenu", "Set all settings as Default");
  HelpMenu = item(MainMenu->GetItems(), "HelpMenu", "&Help");
  HelpItem = item(HelpMenu, "HelpItem", "Help");
  LoadMenu->OnClick = Bind(this, &TSetup::LoadMenuClick);
  SaveMenu->OnClick = Bind(this, &TSetup::SaveMenuClick);
  CloseMenu->OnClick = [this](TObject*) { Close(); };
  PageDefaultMenu->OnClick = Bind(this, &TSetup::PageDefaultClick);
  AllDefaultMenu->OnClick = Bind(this, &TSetup::AllDefaultClick);
  HelpItem->OnClick = [](TObject*) { ShowHelpNode(kHelpSettingsNode); };
  SetMenu(MainMenu);
  OpenDialog = Make<TOpenDialog>(this).Name("OpenDialog").With([](TOpenDialog* d) {
    d->SetTitle("Load settings");
    d->SetFilter("Tarnquill Settings|*.tq");
    d->SetFileName("Tarnquill.tq");
  });
  SaveDialog = Make<TSaveDialog>(this).Name("SaveDialog").With([](TSaveDialog* d) {
    d->SetTitle("Save settings");
    d->SetFilter("Tarnquill settings |*.tq");
    d->SetFileName("Tarnquill.tq");
  });
}

void TSetup::BuildGeneralPage() {
  TWinControl* p = GeneralPage;
  // A spin edit with its label on the left.
  auto spin = [&](int top, const char* label, const char* name, int min, int max, int value) {
    MakeLabel(this, p, 8, top + 4, label, 148);
    return MakeSpin(this, p, name, 160, top, min, max, value);
  };
  Extraspacing = spin(8, "Extraline spaces", "Extraspacing", 0, 20, 0);
  Maxlength = spin(34, "Maximum Line Length", "Maxlength", 1, 32767, 255);
  UndoLimit = spin(60, "Maximum Undo Depth", "UndoLimit", 0, 100000, 1000);
  RightEdge = spin(86, "Right Edge", "RightEdge", 0, 1024, 80);
  ReopenCount = spin(112, "Keep Files in a History", "ReopenCount", 0, 50, 10);
  // 1 keeps tabs as they are; the editor turns them into blanks above 1.
  TabWidth = spin(138, "Tab Width", "TabWidth", 1, 256, 1);
  TabWidth->OnExit = Bind(this, &TSetup::TabWidthExit);
  Autosave = MakeCheck(this, p, "Autosave", 8, 166, "AutoSave (min)", false);
  Autosave->SetWidth(140);
  Autosavemin = MakeSpin(this, p, "Autosavemin", 160, 164, 1, 1440, 5);

  Selmode = MakeRadio(this, p, "Selmode", 8, 194, 230, 44, " Default Selection mode ",
                      {"Normal", "Vertical", "Line"}, 0);
  Selmode->SetColumns(3);
  RunMode = MakeRadio(this, p, "RunMode", 8, 242, 300, 76, " Run Mode ",
                      {"Save and Run Current File", "Run copy", "Save&&Run Current File (local host)  "}, 1);
  Backup = MakeRadio(this, p, "Backup", 8, 322, 300, 44, " Backup copy ",
                     {"No Backup", "One Copy", "Multiple Copies"}, 0);
  Backup->SetColumns(3);

  int y = 8;
  auto check = [&](const char* name, const char* caption, bool checked) {
    TCheckBox* c = MakeCheck(this, p, name, 330, y, caption, checked);
    y += 22;
    return c;
  };
  SmartTabs = check("SmartTabs", "Smart Tabs", true);
  DragDropEditing = check("DragDropEditing", "Drag && Drop Editing", true);
  ScrollPastEol = check("ScrollPastEol", "Scroll Past End of Line", true);
  HalfPageScroll = check("HalfPageScroll", "Half Page Scroll", false);
  AutoIndent = check("AutoIndent", "Auto Indent", true);
  ShowScrollHint = check("ShowScrollHint", "Show Line Number When Scrolling", true);
  InsertMode = check("InsertMode", "Insert Mode For Default", true);
  EOL = check("EOL", "Unix style strings", false);
  CheckPrev = check("CheckPrev", "Allow to run multiple copies", false);
  HideTabs = check("HideTabs", "Hide Tabs for the single file", false);
  Wordwrap = check("Wordwrap", "Word Wrap entering words", false);
  SaveReloadSession = check("SaveReloadSession", "Save/Restore Session", false);
  AskFormat = check("AskFormat", "Ask for saving format", false);
  ClearHistory = Make<TButton>(this).Parent(p).Name("ClearHistory").Bounds(330, y + 8, 150, 25)
                     .Caption("Clear File History").On(&TButton::OnClick, this, &TSetup::ClearHistoryClick);
}

void TSetup::BuildTypesPage() {
  TWinControl* p = TypesPage;
  Types = Make<TListBox>(this).Parent(p).Name("Types").Bounds(8, 8, 200, 330)
              .On(&TListBox::OnClick, this, &TSetup::TypesClick);
  NewType = Make<TButton>(this).Parent(p).Name("NewType").Bounds(8, 344, 96, 25).Caption("New Type")
                .On(&TButton::OnClick, this, &TSetup::NewTypeClick);
  DeleteType = Make<TButton>(this).Parent(p).Name("DeleteType").Bounds(112, 344, 96, 25).Caption("Delete Type")
                   .On(&TButton::OnClick, this, &TSetup::DeleteTypeClick);
  Associate = Make<TButton>(this).Parent(p).Name("Associate").Bounds(8, 374, 200, 25)
                  .Caption("Associate with Tarnquill").On(&TButton::OnClick, this, &TSetup::AssociateClick);

  TypesBook = Make<TNotebook>(this).Parent(p).Name("TypesBook").Bounds(216, 8, 400, 360);
  TypesBook->GetPages()->Add("Types");
  TypesBook->GetPages()->Add("run");
  TypesBook->GetPages()->Add("SmartCode");
  TypesTabs = Make<TTabSet>(this).Parent(p).Name("TypesTabs").Bounds(216, 372, 400, 24);
  TypesTabs->GetTabs()->Add("Type Description");
  TypesTabs->GetTabs()->Add("Run and help");
  TypesTabs->GetTabs()->Add("SmartCode");
  TypesTabs->SetTabIndex(0);
  TypesTabs->OnChange = [this](TObject*, int tab, bool&) { TypesBook->SetPageIndex(tab); };

  auto edit = [this](TWinControl* parent, const char* name, int y, const char* caption, int width) {
    MakeLabel(this, parent, 8, y + 3, caption);
    return Make<TEdit>(this).Parent(parent).Name(name).Bounds(120, y, width, 22)
        .On(&TEdit::OnChange, this, &TSetup::TypeFieldChange).Get();
  };
  TWinControl* desc = TypesBook->GetPage(0);
  TypeName = edit(desc, "TypeName", 8, "Name", 200);
  TypeName->OnExit = Bind(this, &TSetup::TypeNameExit);
  TypeDescription = edit(desc, "TypeDescription", 36, "Description", 260);
  TypeExtension1 = edit(desc, "TypeExtension1", 64, "Extensions", 60);
  TypeExtension2 = Make<TEdit>(this).Parent(desc).Name("TypeExtension2").Bounds(184, 64, 60, 22)
                       .On(&TEdit::OnChange, this, &TSetup::TypeFieldChange);
  TypeExtension3 = Make<TEdit>(this).Parent(desc).Name("TypeExtension3").Bounds(248, 64, 60, 22)
                       .On(&TEdit::OnChange, this, &TSetup::TypeFieldChange);
  TypeExtension4 = Make<TEdit>(this).Parent(desc).Name("TypeExtension4").Bounds(312, 64, 60, 22)
                       .On(&TEdit::OnChange, this, &TSetup::TypeFieldChange);
  MakeLabel(this, desc, 8, 95, "Highlighter");
  TypeHighlighter = Make<TComboBox>(this).Parent(desc).Name("TypeHighlighter").Bounds(120, 92, 160, 22)
                        .With([](TComboBox* c) {
                          c->SetStyle(csDropDownList);
                          FillHighlighterNames(c->GetItems());
                        })
                        .On(&TComboBox::OnChange, this, &TSetup::TypeFieldChange);

  TWinControl* run = TypesBook->GetPage(1);
  auto fileEdit = [this, run](const char* name, int y, const char* caption, const char* filter) {
    MakeLabel(this, run, 8, y + 3, caption);
    auto* e = Make<TFilenameEdit>(this).Parent(run).Name(name).Bounds(120, y, 260, 22).Get();
    e->SetFilter(filter);
    e->OnChange = Bind(this, &TSetup::TypeFieldChange);
    return e;
  };
  const char* const programs = "Programs (*.exe)|*.exe|All Files|*.*";
  const char* const helpFiles = "Help Files (*.hlp)|*.hlp|All files (*.*)|*.*";
  TypeF9 = fileEdit("TypeF9", 8, "F9", programs);
  TypeAltF9 = fileEdit("TypeAltF9", 36, "Alt+F9", programs);
  TypeShiftF9 = fileEdit("TypeShiftF9", 64, "Shift+F9", programs);
  TypeCtrlF1 = fileEdit("TypeCtrlF1", 92, "Ctrl+F1", helpFiles);
  TypeAltF1 = fileEdit("TypeAltF1", 120, "Alt+F1", helpFiles);
  MakeLabel(this, run, 8, 152, "Ctrl-F9 Reserved just for HTML internal viewer (based on IE)")->SetWidth(380);

  Grid = Make<TStringGridWindow>(this).Parent(TypesBook->GetPage(2)).Name("Grid").Align(alClient);
  TStringGrid* g = Grid->GetStringGrid();
  g->SetColCount(2);
  g->SetRowCount(27);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  TGridOptions options = g->GetOptions();
  options.Include(goEditing);
  g->SetOptions(options);
  g->OnSetEditText = [this](int col, int row, const std::string& text) {
    if (col == 1 && !FShowingType) FTypes.SetCodeInsight(FTypesLine, row, text);
  };
}

void TSetup::BuildInterfacePage() {
  TWinControl* p = InterfacePage;
  ShowStatusBar = MakeCheck(this, p, "ShowStatusBar", 8, 8, "Show Status Bar", true);
  ShowStatusBar->OnClick = [this](TObject*) { ApplyToolBars(); };
  auto* group = Make<TGroupBox>(this).Parent(p).Name("ToolBarGroup").Bounds(8, 34, 300, 220)
                    .Caption(" Tool Bar ").Get();
  auto radio = [&](const char* name, int y, const char* caption) {
    return Make<TRadioButton>(this).Parent(group).Name(name).Bounds(12, y, 200, 20).Caption(caption)
        .On(&TRadioButton::OnClick, this, &TSetup::ToolBarKindClick).Get();
  };
  Hide = radio("Hide", 20, "Hide");
  Small = radio("Small", 42, "Small Buttons");
  Big = radio("Big", 64, "Big Buttons");
  int y = 90;
  auto panel = [&](const char* name, const char* caption) {
    TCheckBox* c = MakeCheck(this, group, name, 32, y, caption, true);
    c->OnClick = [this](TObject*) { ApplyToolBars(); };
    y += 20;
    return c;
  };
  FilePanel = panel("FilePanel", "File Panel");
  EditPanel = panel("EditPanel", "Edit Panel");
  ViewPanel = panel("ViewPanel", "View Panel");
  BlockPanel = panel("BlockPanel", "Block Panel");
  ToolPanel = panel("ToolPanel", "Tools and Help Panel");
  BMPanel = panel("BMPanel", "Bookmarks");
  Hide->SetChecked(true);

  UseLanguage = MakeCheck(this, p, "UseLanguage", 8, 264, "Use Custom Language", false);
  UseLanguage->OnClick = Bind(this, &TSetup::UseLanguageClick);
  // A drop-down with its own text: the stored choice stays even while its
  // file is not in the folder.
  Language = Make<TComboBox>(this).Parent(p).Name("Language").Bounds(8, 288, 200, 22)
                 .On(&TComboBox::OnChange, this, &TSetup::LanguageChange);
  LanguageLink = Make<TLabel>(this).Parent(p).Name("LanguageLink").Bounds(8, 316, 360, 16)
                     .Caption("Click here to know how to build your own locale settings");
  LanguageLink->GetFontObject()->SetColor(clBlue);
  LanguageLink->GetFontObject()->SetStyle(TFontStyles{fsUnderline});
  LanguageLink->OnClick = [](TObject*) { ShowHelpNode(kHelpLocaleNode); };
}

void TSetup::BuildStorage() {
  FormStorage = Make<TFormStorage>(this).Name("FormStorage");
  FormStorage->SetUseRegistry(true);
  FormStorage->SetIniFileName(ProgramRegistryKey());
  FormStorage->SetIniSection("Setup");
  FormStorage->SetOptions(TPlacementOptions());
  // The dialog is made hidden at start-up; its windows wait for its first
  // showing.
  FormStorage->SetHookWhenWindowMade(true);
  for (const char* prop : kSetupStoredProps) FormStorage->GetStoredProps()->Add(prop);
  ResolveStoredProps(this, FormStorage->GetStoredProps());
  FormStorage->Loaded();
}

// --- options as values ----------------------------------------------------------

TEditorOptions TSetup::EditorOptions() const {
  TEditorOptions o;
  o.ExtraSpacing = Extraspacing->GetValue();
  o.MaxLength = Maxlength->GetValue();
  o.InsertMode = InsertMode->GetChecked();
  o.UndoLimit = UndoLimit->GetValue();
  o.AutoIndent = AutoIndent->GetChecked();
  o.DragDropEditing = DragDropEditing->GetChecked();
  o.ScrollPastEol = ScrollPastEol->GetChecked();
  o.ShowScrollHint = ShowScrollHint->GetChecked();
  o.SmartTabs = SmartTabs->GetChecked();
  o.HalfPageScroll = HalfPageScroll->GetChecked();
  o.TabWidth = TabWidthFromText(TabWidth->GetText());
  o.WordWrap = Wordwrap->GetChecked();
  o.RightEdge = RightEdge->GetValue();
  o.SelMode = Selmode->GetItemIndex();
  o.Backup = Backup->GetItemIndex();
  return o;
}

// --- activation, keys ------------------------------------------------------------

void TSetup::Activate(TObject*) {
  DebugLog("308");
  if (Application) Application->SetHintHidePause(100000);
  FTypes.Refill();
  Types->GetItems()->Clear();
  for (int i = 0; i < FTypes.LineCount(); ++i) Types->GetItems()->Add(FTypes.LineText(i));
  Types->SetItemIndex(FTypes.LineCount() > 0 ? 0 : -1);
  FTypesLine = Types->GetItemIndex();
  ShowSelectedType();
  ShowStyleTab(0);
  FillLanguages();
  TStringGrid* g = Grid->GetStringGrid();
  g->SetCells(0, 0, "Shortcut");
  g->SetCells(1, 0, "Expression");
  for (int r = 1; r <= 26; ++r) g->SetCells(0, r, std::string("Alt+") + char('A' + r - 1));
  g->SetColWidths(1, 1000);
  HelpItem->SetEnabled(true);
}

void TSetup::FormKeyDown(TObject*, uint16_t& key, TShiftState) {
  if (key == vkEscape) {
    key = 0;
    Close();
  } else if (key == vkF1) {
    key = 0;
    ShowHelpNode(kHelpSettingsNode);
  }
}

bool TSetup::UserChanged(TControl* control) const {
  // A drop-down combo box keeps the focus in its edit child while the user
  // types or picks from its list.
  auto* w = dynamic_cast<TWinControl*>(control);
  if (!w || !w->HandleAllocated()) return false;
  HWND focus = ::GetFocus();
  return focus && (focus == w->GetHandle() || ::IsChild(w->GetHandle(), focus));
}

// --- General Options ---------------------------------------------------------------

void TSetup::TabWidthExit(TObject*) {
  const int width = TabWidthFromText(TabWidth->GetText());
  if (TabWidth->GetText() != IntToStr(width)) TabWidth->SetValue(width);
  if (width > 1) ShowMessage(kTabWarning);
}

void TSetup::ClearHistoryClick(TObject*) { TRegistry().DeleteKey(ProgramRegistryKey() + "\\Documents\\"); }

// --- File Types ----------------------------------------------------------------------

std::vector<TSetup::TTypeField> TSetup::TypeFields() const {
  return {{TypeName, tfName},           {TypeDescription, tfDescription}, {TypeExtension1, tfExtension1},
          {TypeExtension2, tfExtension2}, {TypeExtension3, tfExtension3},   {TypeExtension4, tfExtension4},
          {TypeHighlighter, tfHighlighter}, {TypeF9, tfF9},               {TypeAltF9, tfAltF9},
          {TypeShiftF9, tfShiftF9},     {TypeCtrlF1, tfCtrlF1},           {TypeAltF1, tfAltF1}};
}

void TSetup::ShowTypeFields(bool enabled) {
  for (const TTypeField& f : TypeFields()) f.Control->SetEnabled(enabled);
  Grid->SetEnabled(enabled);
}

void TSetup::ShowSelectedType() {
  FShowingType = true;
  const int line = FTypesLine;
  const bool has = FTypes.RowOf(line) >= 0;
  for (const TTypeField& f : TypeFields()) {
    if (f.Control == TypeHighlighter)
      TypeHighlighter->SetItemIndex(has ? TypeHighlighter->GetItems()->IndexOf(FTypes.FieldText(line, f.Field)) : -1);
    else
      f.Control->SetText(has ? FTypes.FieldText(line, f.Field) : std::string());
  }
  for (int r = 1; r <= 26; ++r) Grid->GetStringGrid()->SetCells(1, r, has ? FTypes.CodeInsightText(line, r) : "");
  ShowTypeFields(has);
  FShowingType = false;
}

void TSetup::TypesClick(TObject*) {
  FTypesLine = Types->GetItemIndex();
  ShowSelectedType();
}

void TSetup::TypeFieldChange(TObject* sender) {
  if (FShowingType || FTypesLine < 0) return;
  for (const TTypeField& f : TypeFields()) {
    if (f.Control != sender) continue;
    if (!FTypes.SetField(FTypesLine, f.Field, f.Control->GetText())) return;
    if (f.Field == tfDescription && FTypesLine < Types->GetItems()->GetCount()) {
      Types->GetItems()->Put(FTypesLine, FTypes.LineText(FTypesLine));
      Types->SetItemIndex(FTypesLine);
    }
    return;
  }
}

void TSetup::TypeNameExit(TObject*) {
  // A name another row has was not taken: show the row's own again.
  if (FTypesLine < 0) return;
  const std::string name = FTypes.FieldText(FTypesLine, tfName);
  if (TypeName->GetText() != name) {
    FShowingType = true;
    TypeName->SetText(name);
    FShowingType = false;
  }
}

void TSetup::NewTypeClick(TObject*) {
  FTypesLine = FTypes.NewType();
  Types->GetItems()->Insert(0, "");
  Types->SetItemIndex(0);
  ShowSelectedType();
}

void TSetup::DeleteTypeClick(TObject*) {
  if (FTypesLine < 0) return;
  const int next = FTypes.DeleteType(FTypesLine);
  Types->GetItems()->Delete(FTypesLine);
  FTypesLine = next;
  Types->SetItemIndex(next);
  ShowSelectedType();
}

bool TSetup::AssociateTypes() {
  TAssociationTarget target;
  target.UninstallKey = ProgramRegistryKey() + "\\Uninstall";
  target.OtherRecordKey = ProgramRegistryKey() + "\\Installation";
  const bool ok = AssociateExtensions({TypeExtension1->GetText(), TypeExtension2->GetText(),
                                       TypeExtension3->GetText(), TypeExtension4->GetText()},
                                      TypeDescription->GetText(), ExeFileName(), target);
  if (!ok) ShowMessage(kAssociationError);
  return ok;
}

void TSetup::AssociateClick(TObject*) { AssociateTypes(); }

// --- Interface ----------------------------------------------------------------------

void TSetup::ToolBarKindClick(TObject*) {
  const bool big = Big->GetChecked();
  for (TCheckBox* c : {FilePanel, EditPanel, ViewPanel, BlockPanel, ToolPanel, BMPanel}) c->SetEnabled(big);
  ApplyToolBars();
}

void TSetup::ApplyToolBars() {
  if (GetTag() == 0 || !ToolBars) return;
  ApplyToolBarsTo(*ToolBars);
}

void TSetup::ApplyToolBarsTo(ISetupToolBars& bars) const {
  bars.ShowStatusBar(ShowStatusBar->GetChecked());
  const bool panels[6] = {FilePanel->GetChecked(), EditPanel->GetChecked(), ViewPanel->GetChecked(),
                          BlockPanel->GetChecked(), ToolPanel->GetChecked(), BMPanel->GetChecked()};
  bars.ShowToolBar(Big->GetChecked() ? 2 : Small->GetChecked() ? 1 : 0, panels);
}

void TSetup::FillLanguages() {
  // The program's folder, not the current one: that depends on how the
  // program was started.
  const std::string folder = ExtractFilePath(ExeFileName());
  const std::string current = Language->GetText();
  Language->GetItems()->Clear();
  TSearchRec f;
  for (int r = FindFirst(folder + "*.lng", faAnyFile & ~faDirectory, f); r == 0; r = FindNext(f))
    Language->GetItems()->Add(f.Name);
  FindClose(f);
  Language->SetText(current);
}

void TSetup::LanguageChange(TObject*) {
  if (!UserChanged(Language)) return;
  UseLanguage->SetChecked(true);
  ShowMessage(kRestartText);
}

void TSetup::UseLanguageClick(TObject*) {
  if (UseLanguage->GetChecked() || !UserChanged(UseLanguage)) return;
  Language->SetItemIndex(-1);
  Language->SetText("");
  ShowMessage(kRestartText);
}

// --- defaults -----------------------------------------------------------------------

void TSetup::DefaultGeneral() { ApplyControlValues(this, kGeneralDefaults); }
void TSetup::DefaultInterface() { ApplyControlValues(this, kInterfaceDefaults); }

void TSetup::SetCurrentPageDefault() {
  TTabSheet* page = PageControl->GetActivePage();
  if (page == GeneralPage) {
    DefaultGeneral();
  } else if (page == StylesPage) {
    switch (FStyleTab) {
      case 0: DefaultFont(); break;
      case 1: DefaultGutter(); break;
      case 2: DefaultNormalColors(); break;
      case 3: DefaultSelectedColors(); break;
      case 4: DefaultEdgeColor(); break;
      case 5: SetDefaultHighlighterColors(*FData); break;
    }
  } else if (page == TypesPage) {
    SetDefaultFileTypes();
  } else if (page == InterfacePage) {
    DefaultInterface();
  }
}

void TSetup::SetAllDefaults() {
  DefaultGeneral();
  DefaultFont();
  DefaultGutter();
  DefaultNormalColors();
  DefaultSelectedColors();
  DefaultEdgeColor();
  SetDefaultHighlighterColors(*FData);
  SetDefaultFileTypes();
  DefaultInterface();
}

void TSetup::PageDefaultClick(TObject*) {
  SetCurrentPageDefault();
  Activate(this);
}

void TSetup::AllDefaultClick(TObject*) {
  SetAllDefaults();
  Activate(this);
}

// --- settings scripts ---------------------------------------------------------------

void TSetup::RestoreSettings() { FormStorage->RestoreFormPlacement(); }

void TSetup::SaveSettingsTo(const std::string& fileName) {
  // Edited colours live in the data module until exit: every storage
  // writes what it holds before the script is made.
  ForEachFormStorage([](TFormStorage* s) { s->SaveFormPlacement(); });
  FormStorage->SaveFormPlacement();
  SaveSettingsScriptFile(ProgramRegistryKey(), fileName);
}

void TSetup::LoadSettingsFrom(const std::string& fileName) {
  if (!fileName.empty()) LoadSettingsScriptFile(ProgramRegistryKey(), fileName);
  ForEachFormStorage([](TFormStorage* s) { s->RestoreFormPlacement(); });
}

void TSetup::SaveMenuClick(TObject*) {
  FormStorage->SaveFormPlacement();
  if (!SaveDialog->Execute()) return;
  SaveSettingsTo(SaveDialog->GetFileName());
  ShowMessage("Done");
}

void TSetup::LoadMenuClick(TObject*) {
  if (OpenDialog->Execute()) {
    LoadSettingsScriptFile(ProgramRegistryKey(), OpenDialog->GetFileName());
    ShowMessage("Done");
  }
  LoadSettingsFrom(std::string());
  ShowMessage("Tarnquill must to be restarted!");
}
