// The print dialog and the print command: the dialog's selection rule,
// printer list, keys and cancelled edits, and jobs printed through it on
// the CUPS "PDF" printer, read back from the PDF.
#include "../../win/ModalWork.h"
#include "OutputFixture.h"

#include "app/output/win/PrintDlg.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/win/PdfSupport.h"
#include "platform/win/Printers.h"
#include "platform/win/RealInput.h"

TQ_TEST_APPLICATION();

namespace {

class PrintCommand : public OutputCommandsCase {
protected:
  PrintCommand() {
    TRegistry().DeleteKey("\\" + StoreKey);
    PrintDlg = new TPrintDlg(Application);
    PrintDlg->GetStorage()->SetIniFileName(StoreKey);
  }
  ~PrintCommand() override {
    delete PrintDlg;
    TRegistry().DeleteKey("\\" + StoreKey);
  }
  // show brings the dialog up modally; work runs inside its loop.
  static TModalResult InModal(const std::function<void()>& work, const std::function<TModalResult()>& show) {
    return RunInModal(*PrintDlg, work, show);
  }
  // Real keys go where the focus is: the printer list, once it is there.
  static TModalResult ShowDialog(const std::function<void()>& work) {
    return InModal(
        [&] {
          PrintDlg->CurrentPrinter->SetFocus();
          PumpUntil([] { return ::GetFocus() == PrintDlg->CurrentPrinter->GetHandle(); }, 2000);
          work();
        },
        [] { return PrintDlg->ShowModal(); });
  }
  std::string Stored(const std::string& name) {
    TRegistry reg;
    if (!reg.OpenKey("\\" + StoreKey + "\\PrintDialog", false)) return "<none>";
    return reg.ValueExists(name) ? reg.ReadString(name) : "<none>";
  }

  std::string StoreKey = "Software\\Tarnquill\\Test\\printdialog\\" +
                         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(PrintCommand, DialogSelectionRuleAndPrinters) {
  // Stored checked, but the document has no selection: unchecked.
  PrintDlg->SelectedOnly->SetChecked(true);
  PrintDlg->SelectionFlag = false;
  EXPECT_EQ(ShowDialog([] {
              EXPECT_FALSE(PrintDlg->SelectedOnly->GetChecked());
              PressKey(VK_RETURN);
            }),
            mrOk);
  EXPECT_EQ(Stored("SelectedOnly_Checked"), "False");

  PrintDlg->SelectionFlag = true;
  EXPECT_EQ(ShowDialog([] {
              EXPECT_TRUE(PrintDlg->SelectedOnly->GetChecked());
              PrintDlg->CancelButton->Click();
            }),
            mrCancel);
  // Cancelled: what the dialog opened with, flag or not.
  EXPECT_FALSE(PrintDlg->SelectedOnly->GetChecked());
  EXPECT_EQ(Stored("SelectedOnly_Checked"), "False");

  TStrings* items = PrintDlg->CurrentPrinter->GetItems();
  EXPECT_GE(items->IndexOf("PDF"), 0);
  EXPECT_EQ(PrintDlg->CurrentPrinter->GetItemIndex(), Printer()->GetPrinterIndex());
  EXPECT_EQ(items->Get(PrintDlg->CurrentPrinter->GetItemIndex()), Printer()->GetPrinterName());
}

// Esc and the close box cancel (Enter prints: see above).
TEST_F(PrintCommand, CancelKeepsWhatTheDialogShowedAndStoresThat) {
  EXPECT_EQ(ShowDialog([] {
              PrintDlg->Copies->SetValue(3);
              PrintDlg->TitleMessage->SetText("kept");
              PrintDlg->Pixels->SetChecked(true);
              PrintDlg->PrintButton->Click();
            }),
            mrOk);
  EXPECT_EQ(Stored("Copies_Value"), "3");

  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Esc");
    EXPECT_EQ(ShowDialog([closeBox] {
                PrintDlg->Copies->SetValue(7);
                PrintDlg->TitleMessage->SetText("dropped");
                PrintDlg->inches->SetChecked(true);
                PrintDlg->HeaderMemo->GetLines()->Add("dropped");
                if (closeBox)
                  ::PostMessageA(PrintDlg->GetHandle(), WM_CLOSE, 0, 0);
                else
                  PressKey(VK_ESCAPE);
              }),
              mrCancel);
    EXPECT_EQ(PrintDlg->Copies->GetValue(), 3);
    EXPECT_EQ(PrintDlg->TitleMessage->GetText(), "kept");
    EXPECT_TRUE(PrintDlg->Pixels->GetChecked());
    EXPECT_FALSE(PrintDlg->inches->GetChecked());
    EXPECT_EQ(PrintDlg->HeaderMemo->GetLines()->GetCount(), 0);
    EXPECT_EQ(Stored("Copies_Value"), "3");
    EXPECT_EQ(Stored("TitleMessage_Text"), "kept");
  }
}

TEST_F(PrintCommand, CancelledPrintStartsNoJob) {
  OpenWithData();
  TktCustomEdit* edit = OpenDoc("c.pas", "a;\r\n");
  int statuses = 0;
  edit->OnPrintStatus = [&](TObject*, TktPrintStatus, int, bool&) { ++statuses; };
  InModal([] { PrintDlg->SetModalResult(mrCancel); }, [&] {
    Form->FindAction("aFilePrint")->Execute();
    return PrintDlg->GetModalResult();
  });
  EXPECT_EQ(statuses, 0);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(PrintCommand, JobsOnThePdfPrinterCarryTitleFootersMemoAndSelection) {
  OpenWithData();
  ASSERT_TRUE(Printer()->SelectPrinter("PDF")) << "CUPS must run with the cups-pdf queue PDF";
  const std::string title = UniqueJobTitle("tqcmd_");
  std::string text;
  for (int i = 1; i <= 90; ++i) text += "Line" + std::to_string(i) + " := " + std::to_string(i * 3) + ";\r\n";
  // The job is named after the document's full name, which cups-pdf cuts
  // short: a short folder keeps the title in the PDF's name.
  const std::string path = SystemTempPath() + title + ".pas";
  {
    TFileStream out(path, fmCreate);
    out.WriteBuffer(text.data(), int64_t(text.size()));
  }
  Files.push_back(path);
  ASSERT_TRUE(Docs().OpenInNewTab(path, true));
  Docs().UpdateActions();
  TktCustomEdit* edit = Docs().CurrentEditor();
  const std::string fileName = edit->FileName;

  // The dialog's defaults with the page number in the footer.
  InModal(
      [] {
        PrintDlg->FooterPage->SetChecked(true);
        PrintDlg->SetModalResult(mrOk);
      },
      [&] {
        Form->FindAction("aFilePrint")->Execute();
        return PrintDlg->GetModalResult();
      });
  ASSERT_TRUE(Messages.empty()) << Messages[0];
  // The text as laid out, then the words with their boxes.
  TPrintedPdf printed = ReadPrintedPdf(title);
  ASSERT_EQ(printed.Error, "");
  std::string pdf = printed.Text + printed.Boxes;
  int pages = 0;
  for (char c : pdf) pages += c == '\f';
  ASSERT_GE(pages, 2) << pdf;
  EXPECT_NE(pdf.find("Page: 1"), std::string::npos) << pdf;
  EXPECT_NE(pdf.find("Page: 2"), std::string::npos);
  EXPECT_NE(pdf.find("Line90 := 270;"), std::string::npos);
  // The title, the document's name, in the right half of the page's top.
  const size_t page = pdf.find("<page width=\"");
  ASSERT_NE(page, std::string::npos);
  const double width = std::stod(pdf.substr(page + 13));
  const size_t word = pdf.find(">" + fileName + "</word>");
  ASSERT_NE(word, std::string::npos) << fileName;
  const size_t xMax = pdf.rfind("xMax=\"", word);
  const size_t yMin = pdf.rfind("yMin=\"", word);
  EXPECT_GT(std::stod(pdf.substr(xMax + 6)), width * 0.8);
  const size_t body = pdf.find(">Line1</word>");
  ASSERT_NE(body, std::string::npos);
  EXPECT_LT(std::stod(pdf.substr(pdf.rfind("xMin=\"", body) + 6)), width / 4);
  EXPECT_LT(std::stod(pdf.substr(yMin + 6)), std::stod(pdf.substr(pdf.rfind("yMin=\"", body) + 6)));

  // A custom header memo, the selection only.
  edit->SetBlockBegin(TPoint(1, 3));
  edit->SetBlockEnd(TPoint(1, 5));
  InModal(
      [] {
        PrintDlg->HeaderCustom->SetChecked(true);
        PrintDlg->HeaderMemo->GetLines()->SetTextStr("Memo $pagenum$ here\r\n");
        PrintDlg->SetModalResult(mrOk);
      },
      [&] {
        Form->FindAction("aFilePrint")->Execute();
        return PrintDlg->GetModalResult();
      });
  EXPECT_TRUE(PrintDlg->SelectedOnly->GetChecked());
  printed = ReadPrintedPdf(title);
  ASSERT_EQ(printed.Error, "");
  pdf = printed.Text;
  EXPECT_NE(pdf.find("Memo 1 here"), std::string::npos) << pdf;
  EXPECT_NE(pdf.find("Line3 := 9;"), std::string::npos) << pdf;
  EXPECT_NE(pdf.find("Line4 := 12;"), std::string::npos);
  EXPECT_EQ(pdf.find("Line5 :="), std::string::npos);
  EXPECT_EQ(pdf.find("Line1 :="), std::string::npos);
  EXPECT_EQ(pdf.find(ExtractFileName(fileName)), std::string::npos) << "the memo takes the title's place";
}

}  // namespace
