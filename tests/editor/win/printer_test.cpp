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
#include "platform/win/WinApi.h"

namespace {

// Starts a shell script on the Unix side (Wine starts Unix programs too,
// but cannot wait for them: the script reports through a file of its own).
bool StartUnixScript(const std::string& unixPath) {
  std::string command = "/bin/sh " + unixPath;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

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

  const std::string title = "tqprint_" + std::to_string(::GetCurrentProcessId()) + "_" +
                            std::to_string(::GetTickCount());
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

  // cups-pdf names the file after the job's title; wait until it is there
  // and complete, then take its text.
  const std::string out = "/tmp/" + title + ".txt";
  const std::string status = "/tmp/" + title + ".status";
  const std::string script = "/tmp/" + title + ".sh";
  {
    std::ofstream s("Z:" + script, std::ios::binary);  // LF line ends for the shell
    s << "result=3\n"
         "command -v pdftotext >/dev/null || result=127\n"
         "for i in $(seq 1 300); do\n"
         "  [ $result = 127 ] && break\n"
         "  f=$(ls \"$HOME\"/PDF/*" << title << "*.pdf 2>/dev/null | head -1)\n"
         "  if [ -n \"$f\" ] && pdfinfo \"$f\" >/dev/null 2>&1; then\n"
         "    pdftotext -layout \"$f\" " << out << " && rm -f \"$f\" && result=0\n"
         "    break\n"
         "  fi\n"
         "  sleep 0.2\n"
         "done\n"
         "echo $result >" << status << ".part && mv " << status << ".part " << status << "\n";
  }
  ASSERT_TRUE(StartUnixScript(script));
  std::string code;
  for (int i = 0; i < 900 && code.empty(); ++i) {
    ::Sleep(100);
    code = ReadAll("Z:" + status);
  }
  std::remove(("Z:" + script).c_str());
  std::remove(("Z:" + status).c_str());
  ASSERT_EQ(code, "0\n") << "no text of the job's PDF in ~/PDF (3: no PDF arrived -- is cups-pdf's "
                             "queue enabled?; 127: pdftotext missing -- poppler-utils)";
  std::string pdfText = ReadAll("Z:" + out);
  std::remove(("Z:" + out).c_str());
  // The font's semicolon glyph also serves U+037E, which is what the PDF's
  // text map names it; read it back as the semicolon it was.
  for (size_t at; (at = pdfText.find("\xCD\xBE")) != std::string::npos;) pdfText.replace(at, 2, ";");

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

}  // namespace
