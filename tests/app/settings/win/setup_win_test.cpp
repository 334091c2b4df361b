// The options dialog on a real window under Wine: its stored controls, the
// styles page's example and palette (screenshots styles_*.bmp in the test's
// folder), the File Types page, and a language file on the real form.
// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "AppRegistryKey.h"
#include "app/settings/DefaultSettings.h"
#include "app/settings/FileTypes.h"
#include "app/settings/Styles.h"
#include "app/win/DataWin.h"
#include "app/tools/win/Help.h"
#include "app/install/win/InstallWin.h"
#include "app/documents/win/MainForm.h"
#include "app/settings/win/Setup.h"
#include "kit/win/ToolEdit.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/PasSyn.h"
#include "kit/win/MenuBar.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxCombos.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Menus.h"
#include "platform/win/Screenshot.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/WinTestSupport.h"
#include "platform/win/RealInput.h"

TQ_TEST_APPLICATION();

namespace {

class SetupDialog : public TAppKeyCase {
protected:
  SetupDialog() {
    Boxes.clear();
    Application->SetMessageBoxFunc([this](const std::string& text, const std::string&, unsigned) {
      Boxes.push_back(text);
      return IDOK;
    });
  }
  ~SetupDialog() override {
    delete FSetup;
    delete FData;
    Application->SetMessageBoxFunc(nullptr);
  }
  TSetup& Make() {
    FData = CreateData(Application);
    FSetup = new TSetup(Application, FData);
    return *FSetup;
  }
  TSetup& Shown() {
    TSetup& s = Make();
    s.SetLeft(0);
    s.SetTop(0);
    s.Show();
    s.PageControl->SetActivePage(s.StylesPage);
    ::SetForegroundWindow(s.GetHandle());
    Application->ProcessMessages();
    return s;
  }
  std::unique_ptr<TBitmap> Shot(TControl* c, const char* file) {
    auto* w = dynamic_cast<TWinControl*>(c);
    ::RedrawWindow(w->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(50);
    auto shot = Capture(w->GetHandle());
    SaveBitmap(*shot, file);
    return shot;
  }
  static int Count(const TBitmap& b, TColor c, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1 && y < b.Height(); ++y)
      for (int x = x0; x < x1 && x < b.Width(); ++x) n += b.Pixel(x, y) == c;
    return n;
  }
  void Press(TSetup& s, int panel, UINT message) {
    ::SendMessageA(s.Palette[panel]->GetHandle(), message, 0, MAKELPARAM(3, 3));
    ::SendMessageA(s.Palette[panel]->GetHandle(), message + 1, 0, MAKELPARAM(3, 3));
  }
  std::vector<std::string> Boxes;
  TData* FData = nullptr;
  TSetup* FSetup = nullptr;
};

TEST_F(SetupDialog, EveryStoredControlExistsAndRestoredValuesReachTheExampleSilently) {
  WriteDefaultSettings();
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
    reg.WriteString("TabWidth_Value", "4");
    reg.WriteString("UseLanguage_Checked", "False");  // would ask for a restart if a user did it
    reg.WriteString("Language_Text", "");
  }
  TSetup& s = Make();
  EXPECT_EQ(s.GetFormStorage()->GetStoredProps()->GetCount(), 52) << "each entry names a control";
  s.UseLanguage->SetChecked(true);
  s.RestoreSettings();
  EXPECT_FALSE(s.UseLanguage->GetChecked());
  EXPECT_TRUE(Boxes.empty()) << Boxes.front();

  const TFontData& font = s.GetTest()->GetEdit()->GetFont();
  EXPECT_EQ(font.Name, "FixedSys");
  EXPECT_EQ(s.GetTest()->GetFontObject()->GetSize(), 12) << "the size control's restored value";
  EXPECT_EQ(s.GetTest()->GetEdit()->GetColor(), clWhite);
  EXPECT_EQ(s.GetTest()->GetEdit()->GetSelectedColor()->GetBackground(), clNavy);
  EXPECT_EQ(s.GetTest()->GetEdit()->GetRightEdgeColor(), clGray);
  const TEditorOptions o = s.EditorOptions();
  EXPECT_EQ(o.TabWidth, 4);
  EXPECT_EQ(o.RightEdge, 80);
  EXPECT_EQ(o.UndoLimit, 1000);
  EXPECT_EQ(FData->Pascal->GetKeyAttri()->GetForeground(), 0x008000) << "Data restored its colours";

  // Round trip through the registry: change, save, make anew.
  s.Fontsize->SetValue(20);
  s.Extraspacing->SetValue(3);
  s.GetFormStorage()->SaveFormPlacement();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  EXPECT_EQ(reg.ReadString("Extraspacing_Value"), "3");
  EXPECT_EQ(reg.ReadString("Fontsize_Value"), "20");
  EXPECT_EQ(reg.ReadString("test_SelectedColorBackground"), "8388608");
}

TEST_F(SetupDialog, TabWidthTakesOneAndUpAndWarnsAboveOne) {
  TSetup& s = Shown();
  s.PageControl->SetActivePage(s.GeneralPage);
  s.TabWidth->SetText("0");
  s.TabWidth->OnExit(s.TabWidth);
  EXPECT_EQ(s.TabWidth->GetValue(), 1);
  EXPECT_TRUE(Boxes.empty());
  s.TabWidth->SetText("x");
  EXPECT_EQ(s.EditorOptions().TabWidth, 1);
  s.TabWidth->SetText("3");
  s.TabWidth->OnExit(s.TabWidth);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].find("\"Tab Width\" more than 1"), std::string::npos);
}

TEST_F(SetupDialog, StylesExampleAndPalette) {
  TSetup& s = Shown();
  s.SetAllDefaults();
  s.ShowStyleTab(2);
  TktCustomEdit* e = s.GetTest()->GetEdit();
  const int lh = e->GetLineHeight(), cw = e->GetCharWidth(), x0 = e->GetTextOffset();
  ASSERT_EQ(e->GetGutterWidth(), 30);
  auto shot = Shot(s.test, "styles_normal.bmp");
  Shot(&s, "styles_dialog.bmp");
  const int w = shot->Width();
  // "Normal Text" rows: black on white; rows 4 and 5 across the width: white on navy.
  EXPECT_GT(Count(*shot, clBlack, x0, 0, x0 + 11 * cw, lh), 0);
  EXPECT_EQ(shot->Pixel(w - 3, lh / 2), clWhite);
  EXPECT_EQ(shot->Pixel(w - 3, 3 * lh + lh / 2), clNavy);
  EXPECT_EQ(shot->Pixel(x0 + 14 * cw, 4 * lh + lh / 2), clNavy);
  EXPECT_GT(Count(*shot, clWhite, x0, 3 * lh, x0 + 13 * cw, 4 * lh), 0);
  // The edge at column 13 in gray, on the rows outside the selection.
  EXPECT_GT(Count(*shot, clGray, x0 + 13 * cw - 1, 0, x0 + 13 * cw + 2, 3 * lh), lh);
  // The palette: captions on the current pair.
  EXPECT_EQ(s.Palette[0]->GetCaption(), "FG");   // black
  EXPECT_EQ(s.Palette[27]->GetCaption(), "BG");  // white
  EXPECT_EQ(s.Palette[1]->GetFontObject()->GetColor(), clWhite);

  // Normal colours: left click the text, right click the background.
  Press(s, 2, WM_LBUTTONDOWN);  // green
  Press(s, 19, WM_RBUTTONDOWN);  // yellow
  EXPECT_EQ(e->GetFont().Color, 0x008000);
  EXPECT_EQ(e->GetColor(), 0x00FFFF);
  EXPECT_EQ(s.Palette[2]->GetCaption(), "FG");
  EXPECT_EQ(s.Palette[19]->GetCaption(), "BG");
  shot = Shot(s.test, "styles_recoloured.bmp");
  EXPECT_EQ(shot->Pixel(w - 3, lh / 2), 0x00FFFF);
  EXPECT_GT(Count(*shot, 0x008000, x0, 0, x0 + 11 * cw, lh), 0);

  // Selected colours: the two selected rows.
  s.ShowStyleTab(3);
  Press(s, 17, WM_LBUTTONDOWN);  // red text
  Press(s, 9, WM_RBUTTONDOWN);   // purple background
  shot = Shot(s.test, "styles_selected.bmp");
  EXPECT_EQ(shot->Pixel(w - 3, 3 * lh + lh / 2), 0x800080);
  EXPECT_GT(Count(*shot, 0x0000FF, x0, 3 * lh, x0 + 13 * cw, 5 * lh), 0);

  // Edge: either button sets it, and no panel shows "BG".
  s.ShowStyleTab(4);
  Press(s, 25, WM_RBUTTONDOWN);  // fuchsia
  EXPECT_EQ(e->GetRightEdgeColor(), 0xFF00FF);
  for (TPanel* p : s.Palette) EXPECT_NE(p->GetCaption(), "BG");
  Press(s, 24, WM_LBUTTONDOWN);  // blue
  EXPECT_EQ(e->GetRightEdgeColor(), 0xFF0000);
  EXPECT_EQ(s.Palette[24]->GetCaption(), "FG");

  // The font box shows the example's family and a family picked from its
  // list becomes the example's (a name no family has leaves it as it was).
  s.ShowStyleTab(0);
  ASSERT_GT(s.FontBox->GetItems()->GetCount(), 1);
  const std::string picked = s.FontBox->GetItems()->Get(1);
  ::SendMessageA(s.FontBox->GetHandle(), CB_SETCURSEL, 1, 0);
  ::SendMessageA(s.FontBox->GetParent()->GetHandle(), WM_COMMAND,
                 MAKEWPARAM(::GetDlgCtrlID(s.FontBox->GetHandle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(s.FontBox->GetHandle()));
  EXPECT_EQ(e->GetFont().Name, picked);
  s.GetTest()->GetFontObject()->SetName(s.FontBox->GetItems()->Get(0));
  s.ShowStyleTab(0);
  EXPECT_EQ(s.FontBox->GetFontName(), s.FontBox->GetItems()->Get(0));
  s.FontBox->SetFontName("No Such Family");
  EXPECT_EQ(e->GetFont().Name, s.FontBox->GetItems()->Get(0));

  // A larger font widens the row pitch; no gutter puts the text at the border.
  s.ShowStyleTab(0);
  s.Fontsize->SetValue(24);
  EXPECT_GT(e->GetLineHeight(), lh);
  s.ShowStyleTab(1);
  s.ShowGutter->SetChecked(false);
  EXPECT_EQ(e->GetGutterWidth(), 0);
  EXPECT_LT(e->GetTextOffset(), x0);
  Shot(s.test, "styles_nogutter.bmp");
}

TEST_F(SetupDialog, SyntaxColoursReachEveryEditorOfTheHighlighterAtOnce) {
  TSetup& s = Shown();
  SetDefaultHighlighterColors(*FData);
  TForm other(Application);
  other.SetBounds(420, 0, 400, 200);
  auto* second = new TktEditWindow(&other);
  second->SetAlign(alClient);
  second->SetParent(&other);
  second->GetEdit()->SetHighLighter(FData->Pascal);
  second->GetEdit()->SetText("begin end;");
  other.Show();

  s.SelectLanguage("C++");
  EXPECT_EQ(s.GetCurrentAttribute(), StyleAttribute(*FData, *FindStyleLanguage("C++"), "Asm"))
      << "a new language makes its first attribute current";
  s.ShowStyleTab(5);
  s.SelectLanguage("Pascal");
  s.SelectAttribute(2);  // Key
  ASSERT_EQ(s.GetCurrentAttribute(), FData->Pascal->GetKeyAttri());
  Press(s, 17, WM_LBUTTONDOWN);  // red
  EXPECT_EQ(FData->Pascal->GetKeyAttri()->GetForeground(), 0x0000FF);
  EXPECT_EQ(s.Palette[17]->GetCaption(), "FG");
  auto sample = Shot(s.test, "styles_syntax.bmp");
  EXPECT_GT(Count(*sample, 0x0000FF, 0, 0, sample->Width(), sample->Height()), 0);
  auto shot = Shot(second, "styles_second_editor.bmp");
  EXPECT_GT(Count(*shot, 0x0000FF, 0, 0, shot->Width(), shot->Height()), 0)
      << "the other editor shows the new keyword colour";
  s.hlbold->SetChecked(true);
  EXPECT_TRUE(FData->Pascal->GetKeyAttri()->GetStyle().Contains(fsBold));
}

TEST_F(SetupDialog, FileTypesLinesEditTheirOwnRows) {
  ClearFileTypes();
  SetFileType("Java", "Java Files", "java", "", "", "", "Java", EmptyCodeInsight);
  SetFileType("Java2", "Java Files", "jav", "", "", "", "Java", EmptyCodeInsight);
  TSetup& s = Shown();
  s.PageControl->SetActivePage(s.TypesPage);
  ASSERT_EQ(s.Types->GetItems()->GetCount(), 2);
  s.Types->SetItemIndex(1);
  s.Types->OnClick(s.Types);
  EXPECT_EQ(s.TypeName->GetText(), "Java2");
  s.TypeExtension1->SetText("jv");
  EXPECT_EQ(::FileTypes[1].Extension1.Str(), "jv");
  s.TypeName->SetText("Java");  // another row's name
  EXPECT_EQ(::FileTypes[1].Name.Str(), "Java2");
  s.TypeName->OnExit(s.TypeName);
  EXPECT_EQ(s.TypeName->GetText(), "Java2");

  s.Types->SetItemIndex(0);
  s.Types->OnClick(s.Types);
  s.TypeDescription->SetText("Java Files2");
  EXPECT_EQ(::FileTypes[0].Description.Str(), "Java Files2");
  EXPECT_EQ(::FileTypes[1].Description.Str(), "Java Files");
  EXPECT_EQ(s.Types->GetItems()->Get(0), "Java Files2");

  // The run and help fields are file-name edits with a browse button whose
  // dialog offers programs, respectively help files.
  const struct {
    TFilenameEdit* Edit;
    const char* Filter;
    const TBoundedText<255> TFileType::*Field;
  } paths[] = {{s.TypeF9, "Programs (*.exe)|*.exe|All Files|*.*", &TFileType::F9},
               {s.TypeShiftF9, "Programs (*.exe)|*.exe|All Files|*.*", &TFileType::ShiftF9},
               {s.TypeAltF1, "Help Files (*.hlp)|*.hlp|All files (*.*)|*.*", &TFileType::AltF1}};
  for (const auto& p : paths) {
    EXPECT_EQ(p.Edit->GetFilter(), p.Filter);
    EXPECT_TRUE(p.Edit->GetButton()) << p.Edit->GetName();
    p.Edit->SetText("C:\\Tools\\" + p.Edit->GetName() + ".exe");
    EXPECT_EQ((::FileTypes[0].*p.Field).Str(), "C:\\Tools\\" + p.Edit->GetName() + ".exe");
  }
  ClearFileTypes();
}

TEST_F(SetupDialog, ALanguageFileRenamesMenusAndCaptionsButNotTheUsersValues) {
  auto* main = new TMainForm(Application);
  TSetup& s = Make();
  s.Language->SetText("mine.lng");
  const std::string file = "setup_test.lng";
  {
    std::ofstream out(file, std::ios::binary);
    out << "; German\r\nSetup.FileMenu.Caption=&Datei\r\nSetup.caption=Einstellungen\r\n"
           "MainForm.EditMainMenu.Caption=&Bearbeiten\r\n"
           "Setup.LanguageLink.Caption=Zeile eins#13Zeile zwei\r\nSetup.Language.Text=other.lng\r\n"
           "Setup.TypeName.Name=Renamed\r\nSetup.Extraspacing.Value=9\r\nMainForm.caption=Federkiel\r\n";
  }
  main->LoadLanguageFile(file);
  s.Show();
  Application->ProcessMessages();
  char text[128] = {};
  ::GetMenuStringA(::GetMenu(s.GetHandle()), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Datei");
  ::GetWindowTextA(s.GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "Einstellungen");
  EXPECT_EQ(main->GetCaption(), "Federkiel");
  // The main window's menu bar shows the new captions too.
  ASSERT_GE(main->GetMenuBar()->GetButtonCount(), 2);
  EXPECT_EQ(main->GetMenuBar()->GetButton(0)->GetCaption(), "&File");
  EXPECT_EQ(main->GetMenuBar()->GetButton(1)->GetCaption(), "&Bearbeiten");
  EXPECT_TRUE(main->GetMenuBar()->GetButton(1)->GetEnabled());
  EXPECT_EQ(s.LanguageLink->GetCaption(), "Zeile eins\r\nZeile zwei");
  EXPECT_EQ(s.Language->GetText(), "mine.lng") << "stored by the user";
  EXPECT_EQ(s.TypeName->GetName(), "TypeName");
  EXPECT_EQ(s.Extraspacing->GetValue(), 0);
  ::DeleteFileA(file.c_str());
  delete main;
}

// A drop-down combo box keeps the focus in its edit child: a language file
// picked there by keys or from the list with the mouse is the user's choice
// (the box checked, the restart message shown); the dialog's own refill of
// the list is not. Real keys and clicks: the fault lived in where they land.
TEST_F(SetupDialog, ALanguageFileChosenByKeysOrMouseIsTakenButTheRefillIsNot) {
  const std::string folder = ExtractFilePath(ProgramFile());
  const std::vector<std::string> files = {folder + "tq_setup_a.lng", folder + "tq_setup_b.lng"};
  for (const std::string& f : files) std::ofstream(f, std::ios::binary) << "; test\r\n";
  struct TRemove {
    const std::vector<std::string>& Files;
    ~TRemove() {
      for (const std::string& f : Files) ::DeleteFileA(f.c_str());
    }
  } remove{files};
  TSetup& s = Shown();
  s.PageControl->SetActivePage(s.InterfacePage);
  ASSERT_TRUE(BringToFront(s.GetHandle()));
  ASSERT_GE(s.Language->GetItems()->IndexOf("tq_setup_b.lng"), 0);
  s.Language->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::IsChild(s.Language->GetHandle(), ::GetFocus()) != 0; }));
  s.FillLanguages();
  PumpFor(50);
  EXPECT_FALSE(s.UseLanguage->GetChecked()) << "the dialog's own refill";
  EXPECT_TRUE(Boxes.empty());

  const std::string restart = "Program must be restarted to accept new locale settings.";
  s.Language->SetText("");
  PressKey(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return s.UseLanguage->GetChecked(); })) << "by keys";
  EXPECT_FALSE(s.Language->GetText().empty());
  EXPECT_EQ(Boxes, std::vector<std::string>{restart});

  s.UseLanguage->SetChecked(false);
  s.Language->SetText("");
  Boxes.clear();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetComboBoxInfo(s.Language->GetHandle(), &info));
  POINT arrow{(info.rcButton.left + info.rcButton.right) / 2, (info.rcButton.top + info.rcButton.bottom) / 2};
  ::ClientToScreen(s.Language->GetHandle(), &arrow);
  ClickAt(arrow.x, arrow.y);
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(info.hwndList) != 0; })) << "the list did not drop down";
  const int index = s.Language->GetItems()->IndexOf("tq_setup_b.lng");
  RECT item{};
  ::SendMessageA(info.hwndList, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  POINT at{item.left + 10, (item.top + item.bottom) / 2};
  ::ClientToScreen(info.hwndList, &at);
  ClickAt(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return s.UseLanguage->GetChecked(); })) << "by mouse";
  EXPECT_EQ(s.Language->GetText(), "tq_setup_b.lng");
  EXPECT_EQ(Boxes, std::vector<std::string>{restart});
  s.Close();
}

TEST_F(SetupDialog, TheInterfacePageShowsTheMainWindowsBarsOnlyWhenOpenedFromIt) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
    reg.WriteString("Small_Checked", "True");
    reg.WriteString("Hide_Checked", "False");
  }
  auto* main = new TMainForm(Application);
  TSetup& s = Make();
  s.RestoreSettings();
  main->UseSharedSettings(FData, &s);
  main->Show();
  Application->ProcessMessages();
  // Taken over at start-up: the small bar.
  EXPECT_TRUE(main->GetToolBar()->GetVisible());
  EXPECT_FALSE(main->GetControlBar()->GetVisible());
  EXPECT_TRUE(main->GetStatus()->GetVisible());

  auto choose = [&](TRadioButton* kind) {
    kind->SetChecked(true);
    kind->OnClick(kind);
  };
  auto panel = [&](const char* name) { return dynamic_cast<TControl*>(main->FindComponent(name)); };
  // Not opened from the main window: the choice waits.
  choose(s.Big);
  EXPECT_FALSE(main->GetControlBar()->GetVisible());

  s.SetTag(1);
  s.EditPanel->SetChecked(false);
  s.EditPanel->OnClick(s.EditPanel);
  EXPECT_TRUE(main->GetControlBar()->GetVisible());
  EXPECT_FALSE(main->GetToolBar()->GetVisible());
  EXPECT_TRUE(panel("PFile")->GetVisible());
  EXPECT_FALSE(panel("PEdit")->GetVisible());
  EXPECT_TRUE(panel("PBookmarks")->GetVisible());
  EXPECT_TRUE(main->GetMenuBar()->GetVisible());
  ASSERT_NE(main->GetMenuBar()->GetMenu(), nullptr);
  EXPECT_EQ(main->GetMenuBar()->GetButtonCount(), main->GetMenuBar()->GetMenu()->GetItems()->GetCount());
  // The big bar's windows, which wait while it is hidden, are there and show.
  HWND menuBar = main->GetMenuBar()->GetHandle();
  EXPECT_TRUE(::IsWindowVisible(menuBar));
  EXPECT_EQ(::SendMessageA(menuBar, TB_BUTTONCOUNT, 0, 0), main->GetMenuBar()->GetButtonCount());
  auto* file = dynamic_cast<TWinControl*>(panel("PFile"));
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(::IsWindowVisible(file->GetHandle()));
  // The menu shows once: on the big bar, not also in the window's menu bar.
  EXPECT_EQ(::GetMenu(main->GetHandle()), nullptr);
  choose(s.Hide);
  EXPECT_NE(::GetMenu(main->GetHandle()), nullptr) << "without the big bar the window's menu bar is the menu";
  EXPECT_FALSE(main->GetControlBar()->GetVisible());
  EXPECT_FALSE(main->GetToolBar()->GetVisible());
  s.ShowStatusBar->SetChecked(false);
  s.ShowStatusBar->OnClick(s.ShowStatusBar);
  EXPECT_FALSE(main->GetStatus()->GetVisible());
  choose(s.Small);
  s.ShowStatusBar->SetChecked(true);
  s.ShowStatusBar->OnClick(s.ShowStatusBar);
  EXPECT_TRUE(main->GetToolBar()->GetVisible());
  EXPECT_TRUE(main->GetStatus()->GetVisible());
  // The status bar stays at the window's foot.
  EXPECT_EQ(main->GetStatus()->GetTop() + main->GetStatus()->GetHeight(), main->GetClientHeight());
  EXPECT_TRUE(Boxes.empty());
  delete main;
}

TEST_F(SetupDialog, AScriptCarriesColoursEditedSinceStartAndDefaultsLeaveOtherSettings) {
  TSetup& s = Shown();
  s.RunMode->SetItemIndex(2);
  s.Extraspacing->SetValue(5);
  s.DefaultGeneral();
  EXPECT_EQ(s.Extraspacing->GetValue(), 0);
  EXPECT_EQ(s.RunMode->GetItemIndex(), 2) << "the run mode is not a page default";
  s.Hide->SetChecked(false);
  s.Big->SetChecked(true);
  s.DefaultInterface();
  EXPECT_TRUE(s.Hide->GetChecked());
  EXPECT_FALSE(s.FilePanel->GetEnabled()) << "panel boxes only with Big Buttons";

  // Colours edited in the shared highlighters live in Data until exit; the
  // script must carry them all the same.
  FData->Pascal->GetKeyAttri()->SetForeground(0x123456);
  const std::string file = "setup_test.tq";
  s.SaveSettingsTo(file);
  std::ifstream in(file, std::ios::binary);
  const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  EXPECT_NE(script.find("Data.Pascal_KeyAttriForeground=1193046\r\n"), std::string::npos);
  EXPECT_NE(script.find("Setup.Extraspacing_Value=0\r\n"), std::string::npos);

  FData->Pascal->GetKeyAttri()->SetForeground(0);
  s.Extraspacing->SetValue(7);
  s.LoadSettingsFrom(file);
  EXPECT_EQ(FData->Pascal->GetKeyAttri()->GetForeground(), 0x123456) << "every storage restores";
  EXPECT_EQ(s.Extraspacing->GetValue(), 0);
  EXPECT_TRUE(Boxes.empty());
  ::DeleteFileA(file.c_str());
}

// F1, the Help menu and the language link, each by the messages a user's key
// or click sends, open the help window at their own topic.
TEST_F(SetupDialog, F1HelpMenuAndLanguageLinkOpenTheirHelpTopics) {
  TSetup& s = Shown();
  auto* help = new THelp(Application);
  ASSERT_EQ(Help, help);
  auto shown = [&](int node) {
    const bool visible = help->GetVisible();
    TTreeNode* selected = help->Tree->GetSelected();
    const std::string title = selected ? selected->GetText() : std::string();
    const std::string text = help->Memo->GetTextRange(0, help->Memo->GetTextLength());
    help->LoadRtf(HelpDocument(kHelpNodes[node].Document));
    const std::string expected = help->Memo->GetTextRange(0, help->Memo->GetTextLength());
    help->Hide();
    EXPECT_TRUE(visible);
    EXPECT_EQ(title, kHelpNodes[node].Title);
    EXPECT_FALSE(expected.empty()) << node;
    EXPECT_EQ(text, expected);
  };

  s.PageControl->SetActivePage(s.InterfacePage);
  Application->ProcessMessages();
  // The link is drawn by the page: the click goes to the page at the link.
  HWND page = s.LanguageLink->GetParent()->GetHandle();
  const LPARAM at = MAKELPARAM(s.LanguageLink->GetLeft() + 4, s.LanguageLink->GetTop() + 4);
  ::SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(page, WM_LBUTTONUP, 0, at);
  shown(kHelpLocaleNode);

  // The dialog sees the key before the control that has the focus.
  ::SendMessageA(s.UseLanguage->GetHandle(), WM_KEYDOWN, VK_F1, 0);
  shown(kHelpSettingsNode);

  help->ShowTopic(HelpDocument("faq"), 26);
  help->Hide();
  ::SendMessageA(s.GetHandle(), WM_COMMAND, s.HelpItem->GetCommand(), 0);
  shown(kHelpSettingsNode);
  EXPECT_TRUE(s.GetVisible()) << "F1 does not close the dialog";
  EXPECT_TRUE(Boxes.empty());
  delete help;
}

}  // namespace
