// The program's dialogs and tool windows as a user meets them, read back as
// window state: a form shown has a focused control, Ctrl+Tab turns the
// options dialog's pages from wherever the focus is, Esc closes the tool
// windows (an open drop-down takes the first one), a disabled radio group
// greys its buttons. Captures of the windows go to the test's folder.
#include <gtest/gtest.h>

#include <string>

#include "../AppRegistryKey.h"
#include "app/tools/win/CalcForm.h"
#include "app/win/DataWin.h"
#include "app/tools/win/FClipboard.h"
#include "app/search/win/FindDlg.h"
#include "app/tools/win/FtpForm.h"
#include "app/search/win/HexFindDlg.h"
#include "app/win/ModalWork.h"
#include "app/settings/win/Setup.h"
#include "ftp/win/FtpWin.h"
#include "kit/win/Placemnt.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/WindowCapture.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

// The control with the focus (a combo box for its inner edit).
std::string FocusedName() {
  HWND focus = ::GetFocus();
  TWinControl* c = TWinControl::FindControl(focus);
  if (!c && focus) c = TWinControl::FindControl(::GetParent(focus));
  return c ? c->GetName() : std::string("(none)");
}

bool Visible(TForm& form) { return form.HandleAllocated() && ::IsWindowVisible(form.GetHandle()); }

class ToolWindows : public TAppKeyCase {
protected:
  template <class T> void UseKey(T& form) { form.GetStorage()->SetIniFileName(Key.substr(1)); }
  // Shows form modally; work runs once it is up, then the form ends.
  static void InModal(TForm& form, const std::function<void()>& work) {
    RunInModal(form, [&] {
      work();
      form.SetModalResult(mrCancel);
    }, [&] { return form.ShowModal(); });
  }
};

TEST_F(ToolWindows, ShownFormsHaveTheirFirstControlFocused) {
  THexFind hex(nullptr);
  UseKey(hex);
  std::string focused;
  InModal(hex, [&] {
    PumpUntil([&] { return hex.HasFocusInside(); });
    focused = FocusedName();
    SaveWindowCapture(hex.GetHandle(), "binary_search_focused");
  });
  EXPECT_EQ(focused, "FindText");

  TCalc calc(nullptr);
  calc.Show();
  ::SetForegroundWindow(calc.GetHandle());
  EXPECT_TRUE(PumpUntil([&] { return calc.HasFocusInside(); }));
  EXPECT_EQ(FocusedName(), "Edit");
  SaveWindowCapture(calc.GetHandle(), "calculator_focused");
}

TEST_F(ToolWindows, CtrlTabTurnsTheOptionsPagesWhereverTheFocusIs) {
  TData* data = CreateData(Application);
  auto* setup = new TSetup(Application, data);
  setup->PageControl->SetActivePage(setup->GeneralPage);
  std::string focused;
  std::vector<int> pages;
  InModal(*setup, [&] {
    PumpUntil([&] { return setup->HasFocusInside(); });
    focused = FocusedName();
    const auto ctrlTab = [&](bool back) {
      PostKey(::GetFocus(), VK_TAB, back ? TShiftState{ssCtrl, ssShift} : TShiftState{ssCtrl});
      pages.push_back(setup->PageControl->GetActivePageIndex());
    };
    ctrlTab(false);  // General -> Styles
    // From inside the styles page's own tab set, the outer pages still turn.
    setup->TabSet1->SetFocus();
    PumpUntil([&] { return ::GetFocus() == setup->TabSet1->GetHandle(); });
    ctrlTab(false);  // Styles -> File Types
    ctrlTab(true);   // back to Styles
    ctrlTab(true);   // General
    ctrlTab(true);   // wraps to the last page
    EXPECT_TRUE(setup->HasFocusInside());
    SaveWindowCapture(setup->GetHandle(), "options_ctrl_tab");
  });
  EXPECT_NE(focused, "(none)");
  const int last = setup->PageControl->GetPageCount() - 1;
  EXPECT_EQ(pages, (std::vector<int>{1, 2, 1, 0, last}));
  delete setup;
  delete data;
}

TEST_F(ToolWindows, EscClosesTheCalculatorAfterItsOpenDropDown) {
  TCalc calc(nullptr);
  calc.Show();
  ::SetForegroundWindow(calc.GetHandle());
  calc.Edit->GetItems()->Add("1+2");
  calc.Edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == calc.Edit->GetEditHandle(); }));
  calc.Edit->SetDroppedDown(true);
  ASSERT_TRUE(PumpUntil([&] { return calc.Edit->GetDroppedDown(); }));
  PostKey(calc.Edit->GetEditHandle(), VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !calc.Edit->GetDroppedDown(); }));
  EXPECT_TRUE(Visible(calc)) << "the first Esc is the drop-down's";
  PostKey(calc.Edit->GetEditHandle(), VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !Visible(calc); }));
}

TEST_F(ToolWindows, EscClosesTheDownloadAndClipboardWindows) {
  InstallWinFtp();  // wsock32, as the program has it
  TFFtp ftp(nullptr);
  ftp.Show();
  ::SetForegroundWindow(ftp.GetHandle());
  ftp.Edit1->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == ftp.Edit1->GetHandle(); }));
  PostKey(ftp.Edit1->GetHandle(), VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !Visible(ftp); }));

  TFClipboard clip(nullptr);
  clip.Show();
  ::SetForegroundWindow(clip.GetHandle());
  ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == clip.GetHandle(); }));
  PostKey(::GetFocus() ? ::GetFocus() : clip.GetHandle(), VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !Visible(clip); }));
}

TEST_F(ToolWindows, FindInFilesGreysTheButtonsOfItsDisabledGroups) {
  TFind find(nullptr);
  UseKey(find);
  find.Show();
  const auto buttonsEnabled = [](TRadioGroup* g) {
    std::vector<bool> on;
    for (int i = 0; i < g->GetItems()->GetCount(); ++i)
      on.push_back(::IsWindowEnabled(g->GetButton(i)->GetHandle()) != 0);
    return on;
  };
  find.SetFindInFiles(true);
  for (TRadioGroup* g : {find.Direction, find.Origin, find.Scope})
    EXPECT_EQ(buttonsEnabled(g), std::vector<bool>(size_t(g->GetItems()->GetCount()), false)) << g->GetName();
  PumpFor(50);
  SaveWindowCapture(find.GetHandle(), "find_in_files");
  find.SetFindInFiles(false);
  for (TRadioGroup* g : {find.Direction, find.Origin, find.Scope})
    EXPECT_EQ(buttonsEnabled(g), std::vector<bool>(size_t(g->GetItems()->GetCount()), true)) << g->GetName();
  find.Hide();
}

}  // namespace
