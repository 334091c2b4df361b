// The printer object and the printer setup dialog over the real spooler,
// with the CUPS queue "PDF" that the test scripts set up.
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Printers.h"
#include "platform/win/WinTestSupport.h"

#include <dlgs.h>
#include <gtest/gtest.h>

TQ_TEST_APPLICATION();

namespace {

TEST(Printers, ThePdfQueueIsListedAndItsDeviceModeReachesTheDeviceContext) {
  TStrings* printers = Printer()->GetPrinters();
  int pdf = printers->IndexOf("PDF");
  ASSERT_GE(pdf, 0) << "no printer PDF (scripts/printer-setup.sh)";
  Printer()->SetPrinterIndex(pdf);
  EXPECT_EQ(Printer()->GetPrinterName(), "PDF");
  EXPECT_EQ(Printer()->GetPrinterIndex(), pdf);

  Printer()->SetCopies(3);
  Printer()->SetOrientation(poPortrait);
  HDC portrait = Printer()->GetHandle();
  ASSERT_NE(portrait, nullptr);
  EXPECT_GT(::GetDeviceCaps(portrait, VERTRES), ::GetDeviceCaps(portrait, HORZRES));
  Printer()->SetOrientation(poLandscape);
  HDC landscape = Printer()->GetHandle();
  ASSERT_NE(landscape, nullptr);
  EXPECT_GT(::GetDeviceCaps(landscape, HORZRES), ::GetDeviceCaps(landscape, VERTRES));
  EXPECT_EQ(Printer()->GetCopies(), 3);
  EXPECT_EQ(Printer()->GetOrientation(), poLandscape);

  EXPECT_THROW(Printer()->SetPrinterIndex(printers->GetCount()), EPrinterError);
  EXPECT_FALSE(Printer()->SelectPrinter("No such printer"));
  EXPECT_EQ(Printer()->GetPrinterName(), "PDF");
}

TEST(Printers, TheSetupDialogListsPdfStartsOnTheCurrentModeAndReturnsTheChosenOne) {
  ASSERT_TRUE(Printer()->SelectPrinter("PDF"));
  Printer()->SetOrientation(poPortrait);
  bool listed = false, startedPortrait = false;
  WhenWindow("Print Setup", [&](HWND dialog) {
    ASSERT_NE(dialog, nullptr) << "no printer setup dialog came up";
    listed = ::SendDlgItemMessageA(dialog, cmb4, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("PDF")) >= 0;
    startedPortrait = ::IsDlgButtonChecked(dialog, rad1) == BST_CHECKED;
    ::SendDlgItemMessageA(dialog, rad2, BM_CLICK, 0, 0);  // landscape
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  TPrinterSetupDialog dialog(nullptr);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(listed);
  EXPECT_TRUE(startedPortrait);
  EXPECT_EQ(Printer()->GetPrinterName(), "PDF");
  EXPECT_EQ(Printer()->GetOrientation(), poLandscape);
}

}  // namespace
