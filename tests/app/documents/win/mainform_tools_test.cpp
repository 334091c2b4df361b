// The main window's tool, help and window commands in this process: what
// they hand the shell (through ShellOpen's hook; no address is opened), the
// download window, the ASCII table on the editor's font, the help topics,
// stay on top against a later window, the editor commands passed on, and the
// uninstall question with a close that is cancelled.
#include "../../win/MainFormFixture.h"
#include "app/tools/HelpTopics.h"
#include "app/tools/win/Ascii.h"
#include "app/tools/win/CalcForm.h"
#include "app/tools/win/FClipboard.h"
#include "app/search/win/FindDlg.h"
#include "app/tools/win/FtpForm.h"
#include "app/search/win/HexFindDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "app/tools/win/Help.h"
#include "app/install/win/InstallWin.h"
#include "ftp/Ftp.h"
#include "ftp/win/FtpWin.h"
#include "kit/win/Placemnt.h"
#include "platform/IniFiles.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/Menus.h"
#include "platform/win/Shell.h"
#include "platform/win/WindowCapture.h"

TQ_TEST_APPLICATION();

namespace {

class MainFormTools : public MainFormCase {
protected:
  MainFormTools() {
    OldShellOpen = SetShellOpenFunc([this](const std::string& target, const std::string& params,
                                           const std::string& dir, int show, const std::string& verb) {
      Opened.push_back(target + "|" + params + "|" + dir + "|" + std::to_string(show) + "|" + verb);
      return true;
    });
  }
  ~MainFormTools() override {
    SetShellOpenFunc(OldShellOpen);
    DistributorAddresses() = TDistributorAddresses();
    DropPendingMaintenance();
  }
  void Run(const char* action) {
    TCustomAction* a = Form->FindAction(action);
    ASSERT_NE(a, nullptr) << action;
    Application->ProcessMessages();  // the idle update of the actions' states
    ASSERT_TRUE(a->GetEnabled()) << action;
    a->Execute();
  }

  std::vector<std::string> Opened;
  TShellOpenFunc OldShellOpen;
};

TEST_F(MainFormTools, AddressesCalendarAndTheirMenuItems) {
  Open();
  // The table ships empty: the items that would open nothing are hidden.
  for (const char* a : {"SendEmailtoAutorMenu", "DownloadNewestversionMenu", "VisitOfficialTarnquillHomePageMenu",
                        "VisitAuthorsHomePageMenu"})
    EXPECT_FALSE(Form->FindAction(a)->GetVisible()) << a;
  Run("aToolCalendar");
  const std::string system = GetSpecialFolder(6);
  EXPECT_EQ(Opened, std::vector<std::string>{system + "Rundll32.exe|shell32.dll,Control_RunDLL TIMEDATE.CPL|" +
                                             system + "|1|Open"});
  delete Form;
  Form = nullptr;

  DistributorAddresses() = {"author@example.org", "http://example.org/", "http://example.org/get",
                            "http://example.org/~author"};
  Opened.clear();
  Open();
  for (const char* a : {"SendEmailtoAutorMenu", "DownloadNewestversionMenu", "VisitOfficialTarnquillHomePageMenu",
                        "VisitAuthorsHomePageMenu"}) {
    EXPECT_TRUE(Form->FindAction(a)->GetVisible()) << a;
    Run(a);
  }
  EXPECT_EQ(Opened, (std::vector<std::string>{
                        // A test program has no version resource: its numbers are 0.
                        "mailto:author@example.org?subject=Regarding%20Tarnquill.%20Build%3A%200.0.0.0|||1|Open",
                        "http://example.org/get|||1|Open", "http://example.org/|||1|Open",
                        "http://example.org/~author|||1|Open"}));
}

TEST_F(MainFormTools, CalculatorShowsInsideTheEditorAndOnlyHidesWhenClosed) {
  Open();
  ASSERT_EQ(Calc, nullptr);
  Run("aToolCalculator");
  ASSERT_NE(Calc, nullptr);
  TCalc* first = Calc;
  EXPECT_TRUE(Calc->GetVisible());
  EXPECT_FALSE(Calc->StandAlone);
  Calc->CloseCalc();  // the close button and Ctrl+F4
  Application->ProcessMessages();
  EXPECT_FALSE(first->GetVisible());
  EXPECT_FALSE(Application->GetTerminated()) << "closing the editor's calculator ends nothing";
  Run("aToolCalculator");
  EXPECT_EQ(Calc, first) << "the same window comes back";
  EXPECT_TRUE(Calc->GetVisible());
  delete Form;  // owns the calculator
  Form = nullptr;
  EXPECT_EQ(Calc, nullptr);
}

TEST_F(MainFormTools, DownloadWindowShowsWithoutConnecting) {
  InstallWinFtp();  // wsock32, as the program has it
  auto* ftp = new TFFtp(Application);
  Open();
  Run("aEditDownload");
  EXPECT_TRUE(ftp->GetVisible());
  EXPECT_EQ(ftp->GetCaption(), "Download");
  EXPECT_EQ(ftp->Edit1->GetText(), "Anonymous");
  EXPECT_EQ(ftp->Tabs->GetPageCount(), 3);
  PumpFor(200);
  EXPECT_FALSE(ftp->Ftp->GetConnectedToServer());
  EXPECT_FALSE(ftp->Ftp->GetBusy());
  EXPECT_EQ(ftp->FtpTree->GetClient(), ftp->Ftp);
  EXPECT_EQ(ftp->FtpFiles->GetClient(), ftp->Ftp);
  delete ftp;
  EXPECT_EQ(FFtp, nullptr);
}

TEST_F(MainFormTools, HelpCommandsShowTheWindowAboutAndHotKeys) {
  Open();
  // Without the help window the commands do nothing.
  for (const char* a : {"aHelp", "AboutMenu", "aHelpHotKeys"}) Run(a);
  auto* help = new THelp(Application);
  auto viewText = [&] { return help->Memo->GetTextRange(0, help->Memo->GetTextLength()); };
  auto documentText = [&](int node) {
    help->LoadRtf(HelpDocument(kHelpNodes[node].Document));
    return viewText();
  };
  auto selected = [&] {
    TTreeNode* node = help->Tree->GetSelected();
    return node ? node->GetText() : std::string();
  };
  const int faq = HelpNodeOfTitle("FAQ, Known bugs and problems");
  const std::string faqText = documentText(faq), aboutText = documentText(kHelpAboutNode),
                    keysText = documentText(kHelpKeysNode);
  ASSERT_NE(aboutText, keysText);

  // Help shows the window as it stands, on the topic it had.
  help->ShowTopic(HelpDocument(kHelpNodes[faq].Document), faq);
  help->Hide();
  Run("aHelp");
  EXPECT_TRUE(help->GetVisible());
  EXPECT_EQ(selected(), kHelpNodes[faq].Title);
  EXPECT_EQ(viewText(), faqText);

  const struct {
    const char* Action;
    int Node;
    const std::string& Text;
  } topics[] = {{"AboutMenu", kHelpAboutNode, aboutText}, {"aHelpHotKeys", kHelpKeysNode, keysText}};
  for (const auto& t : topics) {
    help->ShowTopic(HelpDocument(kHelpNodes[faq].Document), faq);
    help->Hide();
    Run(t.Action);
    EXPECT_TRUE(help->GetVisible()) << t.Action;
    EXPECT_EQ(selected(), kHelpNodes[t.Node].Title) << t.Action;
    EXPECT_EQ(viewText(), t.Text) << t.Action;
  }
  delete help;
  EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormTools, AsciiTableTakesTheEditorsFontStyleAndCharacterSet) {
  Open();
  Run("aToolASCIITable");  // no table: nothing happens
  auto* ascii = new TASCII(Application);
  ascii->FontBox->HandleNeeded();
  // A listed face other than the table's own choice, "Arial".
  std::string face;
  for (int i = 0; i < ascii->FontBox->GetItems()->GetCount() && face.empty(); ++i) {
    const std::string name = ascii->FontBox->GetItems()->Get(i);
    if (name != "Arial" && name[0] != '@') face = name;
  }
  ASSERT_FALSE(face.empty());

  // Without a document the table still opens.
  Run("aToolASCIITable");
  EXPECT_TRUE(ascii->GetVisible());
  ascii->Close();
  Application->ProcessMessages();

  ASSERT_EQ(Form->GetPageCount(), 0);
  Docs().FileNew();
  ASSERT_TRUE(PumpUntil([&] { return Form->GetPageCount() == 1; }));
  const struct {
    TFontStyles Style;
    int CharSet;
    const char* CharsetName;
  } cases[] = {
      {TFontStyles{fsBold, fsItalic}, 204, "RUSSIAN_CHARSET"},
      {TFontStyles{}, 0, "ANSI_CHARSET"},
      {TFontStyles{fsItalic}, 255, "OEM_CHARSET"},
  };
  for (const auto& c : cases) {
    TFontData font = Docs().CurrentEditor()->GetFont();
    font.Name = face;
    font.Style = c.Style;
    font.CharSet = c.CharSet;
    Docs().CurrentEditor()->SetFont(font);
    Run("aToolASCIITable");
    Application->ProcessMessages();
    EXPECT_TRUE(ascii->GetVisible()) << c.CharsetName;
    EXPECT_EQ(ascii->FontBox->GetFontName(), face) << c.CharsetName;
    EXPECT_EQ(ascii->Bold->GetChecked(), c.Style.Contains(fsBold)) << c.CharsetName;
    EXPECT_EQ(ascii->Italic->GetChecked(), c.Style.Contains(fsItalic)) << c.CharsetName;
    const int charset = ascii->Charset->GetItemIndex();
    ASSERT_GE(charset, 0) << c.CharsetName;
    EXPECT_EQ(ascii->Charset->GetItems()->Get(charset), c.CharsetName);
    const TFontData grid = ascii->Grid->GetFont();
    EXPECT_EQ(grid.Name, face) << c.CharsetName;
    EXPECT_EQ(grid.Style, c.Style) << c.CharsetName;
    EXPECT_EQ(grid.CharSet, c.CharSet) << c.CharsetName;
    ascii->Close();
    Application->ProcessMessages();
  }
  delete ascii;
  EXPECT_EQ(ASCII, nullptr);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormTools, StayOnTopAndNormalNeitherMoveNorActivate) {
  Open();
  HWND main = Form->GetHandle();
  // The items are in the window menu.
  HMENU sys = ::GetSystemMenu(main, FALSE);
  std::vector<std::string> items;
  for (int i = 0; i < ::GetMenuItemCount(sys); ++i) {
    char text[128] = {};
    ::GetMenuStringA(sys, UINT(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  EXPECT_NE(std::find(items.begin(), items.end(), "Stay on &top"), items.end());
  EXPECT_NE(std::find(items.begin(), items.end(), "Stay &normal"), items.end());

  HWND later = ::CreateWindowExA(0, "STATIC", "later", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(later, nullptr);
  PumpFor(100);
  RECT before{}, after{};
  ::GetWindowRect(main, &before);
  // The later window has the front; neither command may take it to the main
  // window (other programs' windows may take it meanwhile).
  ::SetForegroundWindow(later);
  PumpFor(100);
  auto above = [&](HWND a, HWND b) {
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      if (w == a) return true;
      if (w == b) return false;
    }
    return false;
  };

  Run("SysMenuStayonTop");
  PumpFor(100);
  EXPECT_TRUE(::GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(above(main, later));
  ::SetWindowPos(later, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(above(main, later)) << "a window brought to the top stays below";
  ::GetWindowRect(main, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  EXPECT_NE(::GetForegroundWindow(), main);

  Run("SysMenuStayNormal");
  PumpFor(100);
  EXPECT_FALSE(::GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ::SetWindowPos(later, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(above(later, main));
  ::GetWindowRect(main, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  EXPECT_NE(::GetForegroundWindow(), main);
  ::DestroyWindow(later);
}

TEST_F(MainFormTools, BracketWrapBackAndForwardReachTheEditor) {
  const std::string file = Write("a.pas", "(a [b] c)\r\nline two\r\nline three\r\n");
  Open({file});
  ASSERT_TRUE(PumpUntil([&] { return Form->GetPageCount() == 1; }));
  TktCustomEdit* edit = Docs().CurrentEditor();
  ASSERT_NE(edit, nullptr);
  double now = 1000.0;
  edit->GetCaretHistory().SetClock([&] { return now += 1.0; });

  edit->SetCaretXY(TPoint(1, 1));
  Run("aEditMatchBrakets");
  EXPECT_EQ(edit->GetCaretXY(), TPoint(9, 1));

  edit->SetCaretXY(TPoint(1, 3));
  Run("GotoBack");
  EXPECT_EQ(edit->GetCaretXY(), TPoint(9, 1));
  Run("Action27");
  EXPECT_EQ(edit->GetCaretXY(), TPoint(1, 1));
  Run("Action28");
  EXPECT_EQ(edit->GetCaretXY(), TPoint(9, 1));
  Run("GoForward");
  EXPECT_EQ(edit->GetCaretXY(), TPoint(1, 3));

  edit->SetText("one two three four five six seven eight nine ten");
  edit->SetRightEdge(12);
  const int lines = edit->GetLines()->GetCount();
  Answers = {mrYes};  // the editor's own question: the wrap cannot be undone
  Run("aEditWordWrap");
  EXPECT_GT(edit->GetLines()->GetCount(), lines);
}

TEST_F(MainFormTools, UninstallQuestionNoCancelAndYes) {
  Open();
  Answers = {mrNo};
  Run("UninstallTarnquillMenu");
  EXPECT_FALSE(UninstallRequested);
  EXPECT_TRUE(Form->GetVisible());
  EXPECT_TRUE(Messages.empty());

  // Cancel at the save question keeps the editor and drops the uninstall.
  Docs().FileNew();
  ASSERT_TRUE(PumpUntil([&] { return Form->GetPageCount() == 1; }));
  Docs().CurrentEditor()->SetText("changed");
  Docs().CurrentEditor()->SetModified(true);
  Answers = {mrYes, mrCancel};
  Run("UninstallTarnquillMenu");
  EXPECT_EQ(Questions.size(), 3u) << "the uninstall question, then the save question";
  EXPECT_EQ(Messages, std::vector<std::string>{":("});
  EXPECT_TRUE(Form->GetVisible());
  EXPECT_FALSE(UninstallRequested);
  EXPECT_FALSE(FormStorageSavesSuspended());

  // Yes without a document to save: the window closes with the uninstall pending.
  Docs().CurrentEditor()->SetModified(false);
  Answers = {mrYes};
  Messages.clear();
  Run("UninstallTarnquillMenu");
  EXPECT_EQ(Messages, std::vector<std::string>{":("});
  EXPECT_TRUE(UninstallRequested);
  EXPECT_TRUE(FormStorageSavesSuspended());
  EXPECT_FALSE(Form->GetVisible());
}

TEST_F(MainFormTools, AnUninstallOrAReinstallationClosesWithoutWritingIntoTheKey) {
  const struct {
    const char* Case;
    bool Uninstall;
  } cases[] = {{"uninstall", true}, {"reinstallation", false}};
  for (const auto& c : cases) {
    {
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKey(Key + "\\Rollup", true));
      reg.WriteString("Ctrl+Q", "snippet\r\n");
    }
    Open();
    ASSERT_NE(Form->FindRollUp(0), nullptr) << c.Case;
    Docs().OpenInNewTab(Write("a.txt", "a\r\n"), false);
    // What an uninstall deletes, or a reinstallation writes afresh.
    TRegistry reg;
    ASSERT_TRUE(reg.DeleteKey(Key));
    if (c.Uninstall) {
      Answers = {mrYes};
      Run("UninstallTarnquillMenu");
      EXPECT_FALSE(Form->GetVisible()) << c.Case;
    } else {
      SetReinstallCompleted(true);
      EXPECT_TRUE(Form->CloseQuery()) << c.Case;
    }
    EXPECT_EQ(Form->GetPageCount(), 0) << c.Case;
    EXPECT_FALSE(reg.KeyExists(Key)) << c.Case << ": the roll-up, the tab or the file's record came back";
    DropPendingMaintenance();
    delete Form;
    Form = nullptr;
    Messages.clear();
  }
  EXPECT_TRUE(Answers.empty());
}

}  // namespace

// The download window opens over the main window, not over its caption at
// the screen's corner, until the user has given it a place of its own.
TEST_F(MainFormTools, DownloadWindowOpensOverTheMainWindowUntilItHasAPlace) {
  InstallWinFtp();
  Open();
  Application->SetMainForm(Form);
  const std::string ini = TFormPlacement::GetDefaultIniFile();
  TIniFile(ini).EraseSection("TFFtp");
  Form->SetBounds(100, 100, 800, 600);
  auto* ftp = new TFFtp(Application);
  ftp->Show();
  Application->ProcessMessages();
  EXPECT_EQ(ftp->GetLeft(), 100 + (800 - ftp->GetWidth()) / 2);
  EXPECT_EQ(ftp->GetTop(), 100 + (600 - ftp->GetHeight()) / 2);

  ftp->SetBounds(30, 40, 600, 480);
  ftp->FormStorage->SaveFormPlacement();
  delete ftp;
  ftp = new TFFtp(Application);
  ftp->Show();
  Application->ProcessMessages();
  EXPECT_EQ(ftp->GetLeft(), 30);
  EXPECT_EQ(ftp->GetTop(), 40);
  delete ftp;
  TIniFile(ini).EraseSection("TFFtp");
  Application->SetMainForm(nullptr);
}

// View > Window lists the tabs to switch to: with one tab there is nowhere
// to go.
TEST_F(MainFormTools, TheWindowMenuWaitsForASecondTab) {
  Open();
  auto* windowMenu = static_cast<TMenuItem*>(Form->FindComponent("WindowMenu"));
  ASSERT_NE(windowMenu, nullptr);
  Docs().OpenInNewTab(Write("a.txt", "a\r\n"), false);
  Application->ProcessMessages();
  EXPECT_FALSE(windowMenu->GetEnabled());
  Docs().OpenInNewTab(Write("b.txt", "b\r\n"), false);
  Application->ProcessMessages();
  EXPECT_TRUE(windowMenu->GetEnabled());
  Docs().FileClose();
  Application->ProcessMessages();
  EXPECT_FALSE(windowMenu->GetEnabled());
}

namespace {

// The face of the font a window draws with, and whether it is fixed-pitch.
struct TWindowFont {
  std::string Face;
  bool Fixed = false;
};

TWindowFont FontOf(HWND wnd) {
  TWindowFont f;
  auto font = reinterpret_cast<HFONT>(::SendMessageA(wnd, WM_GETFONT, 0, 0));
  if (!font) return f;
  HDC dc = ::GetDC(wnd);
  HGDIOBJ old = ::SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  ::GetTextFaceA(dc, sizeof face, face);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  ::SelectObject(dc, old);
  ::ReleaseDC(wnd, dc);
  f.Face = face;
  f.Fixed = !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // the flag's name says the opposite
  return f;
}

TEST_F(MainFormTools, TextInColumnsTakesTheEditorsFixedPitchFont) {
  Open();
  auto* find = new TFind(Application);
  auto* replace = new TReplace(Application);
  auto* hex = new THexFind(Application);
  Form->UseSearchDialogs(find, replace, hex);
  // The viewer shows its text view for text; whatever an earlier program left
  // on the clipboard would choose another view.
  Clipboard().SetAsText("columns");
  Form->Clipboard1Click();
  ASSERT_NE(FClipboard, nullptr);
  const std::string face = Options->GetTest()->GetFont().Name;
  for (TWinControl* c : {static_cast<TWinControl*>(Form->FindResults().FindBox),
                         static_cast<TWinControl*>(hex->FindHex),
                         dynamic_cast<TWinControl*>(FClipboard->ClipboardViewer->GetView())}) {
    ASSERT_NE(c, nullptr) << "the clipboard viewer shows no text view";
    const TWindowFont f = FontOf(c->GetHandle());
    EXPECT_EQ(f.Face, face) << c->GetName();
    EXPECT_TRUE(f.Fixed) << c->GetName() << " draws in " << f.Face;
  }
  SaveWindowCapture(FClipboard->GetHandle(), "clipboard_history_font");
  delete FClipboard;
  Form->UseSearchDialogs(nullptr, nullptr, nullptr);
  delete hex;
  delete replace;
  delete find;
}

}  // namespace
