// TSetup, the options dialog "Editor Setup" (global Setup): every user
// option is the value of one of its controls, which the main window reads
// when it applies options; its form storage keeps them in the registry
// ("Setup"). Four pages -- General Options, Styles (the example editor
// test and the colours of the shared highlighters), File Types and
// Interface -- and menus for settings scripts, defaults and help. There is
// no OK button: every change is final.
#pragma once

#include <string>
#include <vector>

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"
#include "app/settings/EditorOptions.h"
#include "app/settings/FileTypesPage.h"
#include "platform/win/Forms.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TFilenameEdit;
class TFontComboBox;
class TFormStorage;
class TLabel;
class TListBox;
class TMainMenu;
class TMenuItem;
class TNotebook;
class TOpenDialog;
class TPageControl;
class TPanel;
class TRadioButton;
class TRadioGroup;
class TSaveDialog;
class TSpinEdit;
class TStringGridWindow;
class TTabSet;
class TTabSheet;
class TButton;
class TData;
class TktHighLightAttributes;

// What the dialog asks of the main window's bars (status bar, tool bars).
class ISetupToolBars {
public:
  virtual ~ISetupToolBars() = default;
  virtual void ShowStatusBar(bool visible) = 0;
  // 0 hide both bars, 1 the small bar, 2 the big bar with these panels.
  virtual void ShowToolBar(int kind, const bool panels[6]) = 0;
};

class TSetup : public TForm {
public:
  // data: the shared highlighters the styles page edits.
  TSetup(TComponent* owner, TData* data);
  ~TSetup() override;

protected:
  void CreateWnd() override;

public:

  // The options as values, for ApplyEditorOptions with test's editor.
  TEditorOptions EditorOptions() const;
  TktEditWindow* GetTest() const { return test; }
  TFormStorage* GetFormStorage() const { return FormStorage; }
  ISetupToolBars* ToolBars = nullptr;

  // Page defaults (none saves anything by itself).
  void DefaultGeneral();
  void DefaultFont();
  void DefaultGutter();
  void DefaultNormalColors();
  void DefaultSelectedColors();
  void DefaultEdgeColor();
  void DefaultInterface();
  void SetAllDefaults();
  void SetCurrentPageDefault();

  // Restores the stored controls, as the storage does on first showing
  // (the main window calls it at start-up).
  void RestoreSettings();
  // The Interface page's bars onto the main window's, only while Tag is not
  // 0 (the main window's Options command sets it).
  void ApplyToolBars();
  // The same onto bars, whatever Tag says (the main window at start-up).
  void ApplyToolBarsTo(ISetupToolBars& bars) const;
  void LoadFontControls();
  void MarkPalette(TColor fg, TColor bg);
  // The Styles page's lower tab by index (0 "Font Style" ... 5 "Syntax
  // highlight").
  void ShowStyleTab(int index);
  // Selects a language of hllist by its item text and shows its sample.
  void SelectLanguage(const std::string& item);
  void SelectAttribute(int index);
  TktHighLightAttributes* GetCurrentAttribute() const { return CurrentAttribute; }
  // A palette panel pressed with a button (what a click does).
  void PalettePress(int panel, TMouseButton button);

  // The settings-script commands with the file already chosen.
  void SaveSettingsTo(const std::string& fileName);
  void LoadSettingsFrom(const std::string& fileName);
  // Associates the File Types page's extensions; shows the error message
  // on a registry failure. Returns whether all went in.
  bool AssociateTypes();
  TFileTypesPageModel& TypesModel() { return FTypes; }
  void ShowSelectedType();

  // The language files of the program's folder.
  void FillLanguages();

  // --- the controls, by the names stored settings and language files use --
  TPageControl* PageControl;
  TTabSheet *GeneralPage, *StylesPage, *TypesPage, *InterfacePage;
  TMainMenu* MainMenu;
  TMenuItem *FileMenu, *LoadMenu, *SaveMenu, *CloseMenu, *DefaultMenu, *PageDefaultMenu, *AllDefaultMenu,
      *HelpMenu, *HelpItem;
  TFormStorage* FormStorage;
  TOpenDialog* OpenDialog;
  TSaveDialog* SaveDialog;
  // General Options
  TSpinEdit *Extraspacing, *Maxlength, *UndoLimit, *RightEdge, *ReopenCount, *TabWidth, *Autosavemin;
  TRadioGroup *Selmode, *RunMode, *Backup;
  TCheckBox *SmartTabs, *DragDropEditing, *ScrollPastEol, *HalfPageScroll, *AutoIndent, *ShowScrollHint,
      *InsertMode, *EOL, *CheckPrev, *HideTabs, *Wordwrap, *SaveReloadSession, *AskFormat, *Autosave;
  TButton* ClearHistory;
  // Styles
  TktEditWindow* test;
  TTabSet* TabSet1;
  TPanel *FontPanel, *GutterPanel, *PalettePanel, *SyntaxPanel;
  TFontComboBox* FontBox;
  TComboBox* Charset;
  TSpinEdit *Fontsize, *GutterWidth;
  TCheckBox *Italic, *Bold, *ShowGutter, *Autosize, *Showlines, *hlbold, *hlItalic, *hlUnderline;
  TLabel* PaletteHint;
  TPanel* Palette[72];  // c1 .. c72
  TComboBox* hllist;
  TListBox* AttrList;
  // File Types
  TListBox* Types;
  TEdit *TypeName, *TypeDescription, *TypeExtension1, *TypeExtension2, *TypeExtension3, *TypeExtension4;
  // Program and help-file paths, each with its browse button.
  TFilenameEdit *TypeF9, *TypeAltF9, *TypeShiftF9, *TypeCtrlF1, *TypeAltF1;
  TComboBox* TypeHighlighter;
  TStringGridWindow* Grid;
  TTabSet* TypesTabs;
  TNotebook* TypesBook;
  TButton *NewType, *DeleteType, *Associate;
  // Interface
  TCheckBox *ShowStatusBar, *FilePanel, *EditPanel, *ViewPanel, *BlockPanel, *ToolPanel, *BMPanel,
      *UseLanguage;
  TRadioButton *Hide, *Small, *Big;
  TComboBox* Language;
  TLabel* LanguageLink;

private:
  void BuildGeneralPage();
  void BuildStylesPage();
  void LayoutStylesPage();
  void BuildTypesPage();
  void BuildInterfacePage();
  void BuildMenus();
  void BuildStorage();
  void Activate(TObject*);
  void FormKeyDown(TObject*, uint16_t& key, TShiftState shift);
  void TabWidthExit(TObject*);
  void ClearHistoryClick(TObject*);
  void FontControlChange(TObject*);
  void GutterControlChange(TObject*);
  void StyleBoxClick(TObject*);
  void HlListChange(TObject*);
  void AttrListClick(TObject*);
  void TypesClick(TObject*);
  void TypeFieldChange(TObject* sender);
  void TypeNameExit(TObject*);
  void NewTypeClick(TObject*);
  void DeleteTypeClick(TObject*);
  void AssociateClick(TObject*);
  void ToolBarKindClick(TObject*);
  void LanguageChange(TObject*);
  void UseLanguageClick(TObject*);
  void LoadMenuClick(TObject*);
  void SaveMenuClick(TObject*);
  void PageDefaultClick(TObject*);
  void AllDefaultClick(TObject*);
  // A message for the user's own change only: restoring, defaults and
  // scripts set controls too, and must not ask or tell anything.
  bool UserChanged(TControl* control) const;
  void ShowTypeFields(bool enabled);
  // The File Types page's fields and the row field each edits.
  struct TTypeField {
    TWinControl* Control;
    TFileTypeField Field;
  };
  std::vector<TTypeField> TypeFields() const;

  TData* FData;
  TktHighLightAttributes* CurrentAttribute = nullptr;
  TFileTypesPageModel FTypes;
  int FStyleTab = 0;
  int FTypesLine = -1;
  bool FShowingType = false;
  bool FLoadingFont = false;
};

extern TSetup* Setup;
