// Print jobs on the CUPS "PDF" printer (scripts/printer-setup.sh): cups-pdf
// writes each job to ~/PDF in a file named after the job's title. A test
// finds its job's PDF by that title and reads it back on the Unix side
// (Wine starts Unix programs but cannot wait for them, so a small script
// reports through a file of its own).
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win/WinApi.h"

inline std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A title no other job has.
inline std::string UniqueJobTitle(const std::string& prefix) {
  return prefix + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(::GetTickCount());
}

// Waits for the PDF whose name holds title, runs command on it ("pdftotext
// -layout" by default; the PDF is "$f", the output file "$out") and deletes
// it. Returns "0" and the output in text, or the script's code: 3 no PDF
// arrived, 127 a tool is missing.
inline std::string ReadPdfJob(const std::string& title, std::string& text,
                              const std::string& command = "pdftotext -layout \"$f\" \"$out\"") {
  const std::string out = "/tmp/" + title + ".txt";
  const std::string status = "/tmp/" + title + ".status";
  const std::string script = "/tmp/" + title + ".sh";
  {
    std::ofstream s("Z:" + script, std::ios::binary);  // LF line ends for the shell
    s << "result=3\nout=" << out << "\n"
         "command -v pdftotext >/dev/null || result=127\n"
         "for i in $(seq 1 300); do\n"
         "  [ $result = 127 ] && break\n"
         "  f=$(ls \"$HOME\"/PDF/*" << title << "*.pdf 2>/dev/null | head -1)\n"
         "  if [ -n \"$f\" ] && pdfinfo \"$f\" >/dev/null 2>&1; then\n"
         "    " << command << " && rm -f \"$f\" && result=0\n"
         "    break\n"
         "  fi\n"
         "  sleep 0.2\n"
         "done\n"
         "echo $result >" << status << ".part && mv " << status << ".part " << status << "\n";
  }
  std::string shell = "/bin/sh " + script;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, shell.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return "no shell";
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  std::string code;
  for (int i = 0; i < 900 && code.empty(); ++i) {
    ::Sleep(100);
    code = ReadWholeFile("Z:" + status);
  }
  std::remove(("Z:" + script).c_str());
  std::remove(("Z:" + status).c_str());
  text = ReadWholeFile("Z:" + out);
  std::remove(("Z:" + out).c_str());
  // The font's semicolon glyph also serves U+037E, which is what the PDF's
  // text map names it; read it back as the semicolon it was.
  for (size_t at; (at = text.find("\xCD\xBE")) != std::string::npos;) text.replace(at, 2, ";");
  while (!code.empty() && (code.back() == '\n' || code.back() == '\r')) code.pop_back();
  return code;
}
