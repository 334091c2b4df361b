// Print jobs on the real printer "PDF" (CUPS with cups-pdf, see
// scripts/printer-setup.sh), read back on the Unix side: the text of the
// PDF a job made (pdftotext), its words with their boxes (pdftotext -bbox),
// its title (pdfinfo) and its fonts (pdffonts).
// Wine starts Unix programs but cannot wait for them, so a small script
// does the work and reports through a file of its own.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win/WinApi.h"

struct TPrintedPdf {
  std::string Error;  // empty when the PDF was found and read
  std::string Text;   // pdftotext -layout
  std::string Boxes;  // pdftotext -bbox: each word with its place on the page
  std::string Info;   // pdfinfo
  std::string Fonts;  // pdffonts
};

inline std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A job title no other job has.
inline std::string UniqueJobTitle(const std::string& prefix) {
  return prefix + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(::GetTickCount());
}

// Waits for the PDF whose file name holds namePart (cups-pdf names it after
// the job's title, blanks made "_"), reads it and deletes it.
inline TPrintedPdf ReadPrintedPdf(const std::string& namePart) {
  TPrintedPdf pdf;
  const std::string base = "/tmp/tqpdf_" + std::to_string(::GetCurrentProcessId()) + "_" +
                           std::to_string(::GetTickCount());
  const std::string script = base + ".sh", status = base + ".status";
  {
    std::ofstream s("Z:" + script, std::ios::binary);  // LF line ends for the shell
    s << "result=3\n"
         "command -v pdftotext >/dev/null || result=127\n"
         "for i in $(seq 1 300); do\n"
         "  [ $result = 127 ] && break\n"
         "  f=$(ls -t \"$HOME\"/PDF/*" << namePart << "*.pdf 2>/dev/null | head -1)\n"
         "  if [ -n \"$f\" ] && pdfinfo \"$f\" >/dev/null 2>&1; then\n"
         "    pdftotext -layout \"$f\" " << base << ".txt && pdfinfo \"$f\" >" << base << ".info && "
         "pdffonts \"$f\" >" << base << ".fonts && pdftotext -bbox \"$f\" " << base << ".boxes && rm -f \"$f\" && result=0\n"
         "    break\n"
         "  fi\n"
         "  sleep 0.2\n"
         "done\n"
         "echo $result >" << status << ".part && mv " << status << ".part " << status << "\n";
  }
  std::string command = "/bin/sh " + script;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    pdf.Error = "could not start the shell";
    return pdf;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  std::string code;
  for (int i = 0; i < 900 && code.empty(); ++i) {
    ::Sleep(100);
    code = ReadWholeFile("Z:" + status);
  }
  if (code != "0\n")
    pdf.Error = "no PDF read (" + code + "): 3 none arrived in ~/PDF, 127 poppler-utils missing";
  pdf.Text = ReadWholeFile("Z:" + base + ".txt");
  pdf.Info = ReadWholeFile("Z:" + base + ".info");
  pdf.Fonts = ReadWholeFile("Z:" + base + ".fonts");
  pdf.Boxes = ReadWholeFile("Z:" + base + ".boxes");
  // The font's semicolon glyph also serves U+037E, which is what the PDF's
  // text map names it; read it back as the semicolon it was.
  for (size_t at; (at = pdf.Text.find("\xCD\xBE")) != std::string::npos;) pdf.Text.replace(at, 2, ";");
  for (const char* ext : {".sh", ".status", ".txt", ".info", ".fonts", ".boxes"}) std::remove(("Z:" + base + ext).c_str());
  return pdf;
}
