// Every form and dialog the program makes, on its real windows in the
// prefix's fonts: no two shown sibling controls overlap, every control lies
// inside its parent, no caption is wider than its control, every tool-bar
// button can be reached, and every form shown modally has a focused control.
// A capture of each window goes to the test's folder (layout_*.bmp).
#include "MainFormFixture.h"
#include "LayoutCheck.h"
#include "ModalWork.h"

#include "app/tools/win/Ascii.h"
#include "app/tools/win/CalcForm.h"
#include "app/tools/win/FClipboard.h"
#include "app/documents/win/FileDlg.h"
#include "app/search/win/FindDlg.h"
#include "app/tools/win/FtpForm.h"
#include "app/tools/win/Help.h"
#include "app/search/win/HexFindDlg.h"
#include "app/tools/win/InputKey.h"
#include "app/install/win/InstallDlg.h"
#include "app/output/win/PrintDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "app/tools/win/RollUp.h"
#include "ftp/win/FtpWin.h"
#include "platform/win/Dialogs.h"
#include "platform/win/ToolWin.h"

#include <functional>

TQ_TEST_APPLICATION();

namespace {

std::string Lines(const std::vector<std::string>& faults) {
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  return all;
}

// Controls that stand on each other on purpose: the open dialog's panes
// meet their splitters' edges.
const TOverlapAllowance kAllowed = {};

struct TFormCase {
  const char* Name;
  std::function<TForm*(TData* data, TForm* main)> Make;
};

const TFormCase kForms[] = {
    {"Find", [](TData*, TForm*) -> TForm* { return new TFind(Application); }},
    {"Replace", [](TData*, TForm*) -> TForm* { return new TReplace(Application); }},
    {"Print", [](TData*, TForm*) -> TForm* { return new TPrintDlg(Application); }},
    {"Ascii", [](TData*, TForm*) -> TForm* { return new TASCII(Application); }},
    {"FileDlg", [](TData*, TForm*) -> TForm* { return new TFileDlg(Application); }},
    {"Help", [](TData*, TForm*) -> TForm* { return new THelp(Application); }},
    {"InputKey", [](TData*, TForm*) -> TForm* { return new TInputKey(Application); }},
    {"HexFind", [](TData*, TForm*) -> TForm* { return new THexFind(Application); }},
    {"Ftp", [](TData*, TForm*) -> TForm* { return new TFFtp(Application); }},
    {"Clipboard", [](TData*, TForm*) -> TForm* { return new TFClipboard(Application); }},
    {"Calc", [](TData*, TForm*) -> TForm* { return new TCalc(Application); }},
    {"Install", [](TData*, TForm*) -> TForm* { return new TFInstall(Application); }},
    {"RollUp", [](TData*, TForm* main) -> TForm* { return new TRollUp(Application, 1, main); }},
};

TControl* Named(TForm& form, const char* name) { return dynamic_cast<TControl*>(form.FindComponent(name)); }

class Layout : public MainFormCase {
protected:
  // What the overlap rules do not see: the search dialogs' buttons stand in
  // the right-hand column, from its left edge to the text boxes' right one;
  // the open dialog's columns fit its list at the default size.
  static void LinesUp(TForm& form) {
    TControl* text = Named(form, "FindText");
    if (text && Named(form, "Direction")) {
      EXPECT_EQ(Named(form, "OkButton")->GetLeft(), Named(form, "Direction")->GetLeft());
      EXPECT_EQ(Named(form, "CancelButton")->GetBoundsRect().Right, text->GetBoundsRect().Right);
      if (TControl* all = Named(form, "ReplaceAll")) {
        EXPECT_EQ(all->GetBoundsRect().Right, text->GetBoundsRect().Right);
        EXPECT_EQ(Named(form, "CancelButton")->GetBoundsRect().Bottom, Named(form, "Origin")->GetBoundsRect().Bottom);
      }
    }
    if (auto* files = dynamic_cast<TListView*>(Named(form, "Files"))) {
      RECT client{};
      ::GetClientRect(files->GetHandle(), &client);
      int sum = 0;
      for (int i = 0; i < files->GetColumnCount(); ++i)
        sum += int(::SendMessageA(files->GetHandle(), LVM_GETCOLUMNWIDTH, i, 0));
      EXPECT_LE(sum, client.right) << "the Modified column is cut";
      const int modified = int(::SendMessageA(files->GetHandle(), LVM_GETCOLUMNWIDTH, 3, 0));
      EXPECT_GE(modified, TLayoutCheck::TextWidth(reinterpret_cast<HFONT>(::SendMessageA(
                                                      files->GetHandle(), WM_GETFONT, 0, 0)),
                                                  "31/12/2026 23:59:59"));
    }
  }
  // Shows form where it fits on the screen, checks it and keeps a capture.
  std::vector<std::string> Checked(TForm& form, const std::string& name) {
    form.SetLeft(0);
    form.SetTop(0);
    form.Show();
    Application->ProcessMessages();
    SaveWindowCapture(form.GetHandle(), "layout_" + name + ".bmp");
    return TLayoutCheck(kAllowed).Check(&form);
  }
};

TEST_F(Layout, EveryFormKeepsItsControlsApartInsideAndReadable) {
  InstallWinFtp();  // the download window's sockets, as the program has them
  Open();
  // The main window and its tool windows carry the program's icon.
  EXPECT_NE(::SendMessageA(Form->GetHandle(), WM_GETICON, ICON_SMALL, 0), 0);
  // The options dialog is the one the main window uses, with every page and
  // every tab of its styles page.
  EXPECT_EQ(Lines(Checked(*Options, "Setup")), "");
  Options->PageControl->SetActivePage(Options->StylesPage);
  for (int tab = 0; tab < 6; ++tab) {
    SCOPED_TRACE("styles tab " + std::to_string(tab));
    Options->ShowStyleTab(tab);
    Application->ProcessMessages();
    EXPECT_EQ(Lines(TLayoutCheck(kAllowed).Check(Options)), "");
  }
  SaveWindowCapture(Options->GetHandle(), "layout_Setup_syntax.bmp");
  Options->SetVisible(false);
  for (const TFormCase& c : kForms) {
    SCOPED_TRACE(c.Name);
    TForm* form = c.Make(Shared, Form);
    EXPECT_EQ(Lines(Checked(*form, c.Name)), "");
    if (form->GetBorderStyle() != bsDialog && form->GetBorderStyle() != bsNone)
      EXPECT_NE(::SendMessageA(form->GetHandle(), WM_GETICON, ICON_SMALL, 0), 0);
    LinesUp(*form);
    form->Hide();
    delete form;
    Application->ProcessMessages();
  }
}

// The main window in each of its tool-bar modes, reached from each other
// one: the status bar stays at the client area's foot and nothing falls out.
TEST_F(Layout, MainWindowKeepsItsBarsInPlaceAcrossToolBarModes) {
  Open();
  Form->SetBounds(0, 0, 800, 600);
  Docs().OpenInNewTab(Write("a.txt", "text\r\n"), false);
  const bool panels[6] = {true, true, true, true, true, true};
  const int order[] = {0, 2, 1, 2, 0, 1, 0};
  for (size_t i = 0; i < std::size(order); ++i) {
    const int kind = order[i];
    SCOPED_TRACE("tool bar " + std::to_string(kind) + " after " + (i ? std::to_string(order[i - 1]) : "start"));
    Form->ShowToolBar(kind, panels);
    Application->ProcessMessages();
    RECT client{};
    ::GetClientRect(Form->GetHandle(), &client);
    TStatusBar* status = Form->GetStatus();
    EXPECT_EQ(Form->GetClientHeight(), client.bottom);
    EXPECT_EQ(status->GetTop() + status->GetHeight(), client.bottom);
    EXPECT_EQ(Lines(TLayoutCheck(kAllowed).Check(Form)), "");
    SaveWindowCapture(Form->GetHandle(), "layout_main_bar" + std::to_string(kind) + "_" + std::to_string(i) + ".bmp");
  }
}

// Modal forms take the keys at once: a control of theirs has the focus.
// (The options dialog, Print, the hot-key input, Binary Search and the open
// dialog join the list once a shown form focuses its first control.)
TEST_F(Layout, EveryModalFormOpensWithAFocusedControl) {
  Open();
  for (const char* name : {"Find", "Replace", "Setup", "Print", "InputKey", "HexFind", "FileDlg"}) {
    SCOPED_TRACE(name);
    const TFormCase* c = nullptr;
    for (const TFormCase& f : kForms)
      if (std::string(f.Name) == name) c = &f;
    TForm* form = c ? c->Make(Shared, Form) : Options;
    HWND focused = nullptr;
    RunInModal(*form, [&] {
      PumpUntil([&] { return ::GetFocus() && ::IsChild(form->GetHandle(), ::GetFocus()); });
      focused = ::GetFocus();
      form->SetModalResult(mrCancel);
    }, [&] { return form->ShowModal(); });
    char focusedClass[64] = "none";
    if (focused) ::GetClassNameA(focused, focusedClass, sizeof focusedClass);
    EXPECT_TRUE(focused && ::IsChild(form->GetHandle(), focused)) << focusedClass;
    if (form != Options) delete form;
    Application->ProcessMessages();
  }
}

}  // namespace
