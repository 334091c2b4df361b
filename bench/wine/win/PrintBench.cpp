// Printing 1,000 pages of highlighted Pascal the way the print command does:
// the print dialog's default values made into options, then the editor's
// print routine. Once on the "PDF" printer, timed from the call to its
// return, and once on a memory device context with that printer's page
// size and resolution, which leaves the printer driver out.
//   usage: print_wine_bench <pascal file> <job title>
// Prints "print-pdf-pages-per-s", "print-memdc-pages-per-s" and
// "print-pdf-memdc-ratio"; the PDF is named after the job title, for
// run.sh to count its pages and delete it.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/output/PrintOptions.h"
#include "editor/CustomEdit.h"
#include "editor/win/PrintDevice.h"
#include "highlighters/PasSyn.h"
#include "platform/Streams.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/WinApi.h"
#include "WineBench.h"

namespace {

constexpr int kPages = 1000;

// Pages drawn into one monochrome bitmap of the printer's page size.
class TMemoryPages : public IktPrintDevice {
public:
  // Of the page size and resolution of printer.
  explicit TMemoryPages(const IktPrintDevice& printer)
      : FWidth(printer.PageWidth()), FHeight(printer.PageHeight()), FDpiX(printer.PixelsPerInchX()),
        FDpiY(printer.PixelsPerInchY()) {
    FDC = ::CreateCompatibleDC(nullptr);
    FBitmap = ::CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
    FOld = ::SelectObject(FDC, FBitmap);
    FCanvas = std::make_unique<TCanvas>(FDC);
  }
  ~TMemoryPages() override {
    FCanvas.reset();
    ::SelectObject(FDC, FOld);
    ::DeleteObject(FBitmap);
    ::DeleteDC(FDC);
  }
  ICanvas& Canvas() override { return *FCanvas; }
  int PageWidth() const override { return FWidth; }
  int PageHeight() const override { return FHeight; }
  int PixelsPerInchX() const override { return FDpiX; }
  int PixelsPerInchY() const override { return FDpiY; }
  void SetCopies(int) override {}
  void SetTitle(const std::string&) override {}
  void BeginDoc() override { Clear(); }
  void NewPage() override { Clear(); }
  void EndDoc() override {}
  void Abort() override {}

private:
  void Clear() { ::PatBlt(FDC, 0, 0, FWidth, FHeight, WHITENESS); }
  int FWidth, FHeight, FDpiX, FDpiY;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  std::unique_ptr<TCanvas> FCanvas;
};

// Prints the editor's text with the dialog's defaults; the pages printed.
int PrintWithDefaults(TktCustomEdit& edit, IktPrintDevice& device, const std::string& title) {
  TPrintDocumentInfo info{title, edit.GetHighLighter() != nullptr, edit.GetFont()};
  TktPrintOptions options = BuildPrintOptions(TPrintDialogValues(), info);
  const TFontData font = PrintFontFor(edit.GetFont());
  int pages = 1;
  edit.OnPrintStatus = [&](TObject*, TktPrintStatus status, int page, bool&) {
    if (status == psNewPage) pages = page;
  };
  edit.Print(device, options, &font);
  return pages;
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 2, "<pascal file> <job title>", [&] {
    TktPasSyn pas(nullptr);
    pas.GetKeyAttri()->SetForeground(clNavy);
    pas.GetKeyAttri()->SetStyle({fsBold});
    pas.GetCommentAttri()->SetForeground(clGreen);
    pas.GetStringAttri()->SetForeground(clRed);
    TktCustomEdit edit(nullptr);
    edit.SetHighLighter(&pas);
    {
      TFileStream file(argv[1], fmOpenRead);
      edit.GetLines()->LoadFromStream(file);
    }
    TktPrinterDevice printer("PDF");
    // As many lines as fill the pages: a trial of a few thousand lines on
    // a memory context tells how many fit on one.
    TStrings* text = edit.GetLines();
    auto keep = [&](int count) {
      while (text->GetCount() > count) text->Delete(text->GetCount() - 1);
    };
    keep(3000);
    TMemoryPages trial(printer);
    const int trialPages = PrintWithDefaults(edit, trial, argv[2]);
    const int perPage = (text->GetCount() + trialPages - 1) / std::max(1, trialPages);
    const int wanted = perPage * kPages;
    {
      TFileStream file(argv[1], fmOpenRead);
      text->LoadFromStream(file);
    }
    keep(wanted);
    while (text->GetCount() < wanted) {
      const int have = text->GetCount();
      for (int i = 0; i < have && text->GetCount() < wanted; ++i) text->Add(text->Get(i));
    }

    TMemoryPages memory(printer);
    int memoryPages = 0, pdfPages = 0;
    const double memorySeconds = wine_bench::Time([&] { memoryPages = PrintWithDefaults(edit, memory, argv[2]); });
    const double pdfSeconds = wine_bench::Time([&] { pdfPages = PrintWithDefaults(edit, printer, argv[2]); });

    const double pdfRate = pdfPages / pdfSeconds, memoryRate = memoryPages / memorySeconds;
    std::printf("print-pdf-pages-per-s: %.1f\n", pdfRate);
    std::printf("print-memdc-pages-per-s: %.1f\n", memoryRate);
    std::printf("print-pdf-memdc-ratio: %.3f\n", pdfRate / memoryRate);
    std::printf("print-pages: %d\n", pdfPages);
    edit.SetHighLighter(nullptr);
    return 0;
  });
}
