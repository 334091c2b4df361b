// Printing to a real printer: CUPS with its PDF backend, seen by Wine as the
// printer "PDF" (scripts/printer-setup.sh makes it). A highlighted document
// with a header and a "Page $PAGENUM$" footer is printed; the PDF that CUPS
// writes to the PDF folder of the user's home is read back with pdftotext.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "editor/CustomEdit.h"
#include "editor/win/PrintDevice.h"
#include "highlighters/PasSyn.h"
#include "platform/win/PdfSupport.h"
#include "platform/win/Printers.h"
#include "platform/win/WinApi.h"

namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Printer, AHighlightedDocumentWithHeaderAndFooterArrivesAsPdf) {
  std::unique_ptr<TktPrinterDevice> printer;
  try {
    printer = std::make_unique<TktPrinterDevice>("PDF");
  } catch (const EPrinter& e) {
    FAIL() << "Wine sees no printer \"PDF\" (" << e.Message()
           << "): CUPS must run with the cups-pdf queue PDF; run scripts/printer-setup.sh";
  }

  const std::string title = UniqueJobTitle("tqprint_");
  TktCustomEdit edit(nullptr);
  TktPasSyn pas(nullptr);
  pas.GetKeyAttri()->SetForeground(clNavy);
  pas.GetKeyAttri()->SetStyle({fsBold});
  pas.GetCommentAttri()->SetForeground(clGreen);
  edit.SetHighLighter(&pas);
  std::string text;
  for (int i = 1; i <= 150; ++i)
    text += "begin Value" + std::to_string(i) + " := " + std::to_string(i * 7) + "; { note } end;\r\n";
  edit.SetText(text);

  TktPrintOptions options;
  options.Highlighted = true;
  options.Title = title;
  options.MarginUnits = kmuMillimetres;
  options.Margins = TRect(15, 15, 15, 15);
  options.Header.AddObject("Listing $TITLE$", IntToObj(kPrintAlignCenter));
  options.Footer.AddObject("Page $PAGENUM$", IntToObj(kPrintAlignRight));
  int pages = 0;
  edit.OnPrintStatus = [&](TObject*, TktPrintStatus status, int page, bool&) {
    if (status == psNewPage) pages = page;
  };
  ASSERT_TRUE(edit.Print(*printer, options));
  printer.reset();
  ASSERT_GE(pages, 2) << "150 lines should need more than one page";

  // cups-pdf names the file after the job's title.
  const TPrintedPdf pdf = ReadPrintedPdf(title);
  ASSERT_EQ(pdf.Error, "") << "is cups-pdf's queue enabled?";
  const std::string& pdfText = pdf.Text;

  // One page per form feed; every page has its header and its number.
  const int pdfPages = Count(pdfText, "\f");
  EXPECT_EQ(pdfPages, pages);
  EXPECT_EQ(Count(pdfText, "Listing " + title), pages);
  for (int page = 1; page <= pages; ++page)
    EXPECT_EQ(Count(pdfText, "Page " + std::to_string(page) + "\n"), 1) << pdfText;
  EXPECT_NE(pdfText.find("begin Value1 := 7; { note } end;"), std::string::npos) << pdfText;
  EXPECT_NE(pdfText.find("begin Value150 := 1050; { note } end;"), std::string::npos);
  edit.SetHighLighter(nullptr);
}

// The device mode the printer setup dialog leaves (here set through the
// printer object as the dialog would) reaches the device context: paper
// turned sideways gives a page wider than high.
TEST(Printer, OpensWithTheDeviceModeItIsGiven) {
  TPrinter printer;
  ASSERT_TRUE(printer.SelectPrinter("PDF")) << "CUPS must run with the cups-pdf queue PDF";
  TktPrinterDevice upright("PDF", printer.GetDevMode());
  ASSERT_GT(upright.PageHeight(), upright.PageWidth());
  printer.SetOrientation(poLandscape);
  TktPrinterDevice sideways("PDF", printer.GetDevMode());
  EXPECT_GT(sideways.PageWidth(), sideways.PageHeight());
  EXPECT_EQ(sideways.PageWidth(), upright.PageHeight());
  // No printer of that name: the usual error, no fallback to another.
  EXPECT_THROW(TktPrinterDevice("No Such Printer", printer.GetDevMode()), EPrinter);
}

}  // namespace
