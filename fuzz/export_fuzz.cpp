// Highlighted text of hostile bytes exported through the Pascal
// highlighter to HTML and to RTF. Property: the text read back from each
// output (markup taken away, escapes and references undone) is exactly the
// document's lines. Two bytes that are not text: the first chooses whether
// the HTML export draws backgrounds; the document is the rest, without NUL
// bytes (HTML has no way to write one) or a lone CR or LF inside a line.
#include <map>

#include "FuzzCheck.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "highlighters/PasSyn.h"

namespace {

// What HTML stands for each single byte, read back from the exporter itself.
const std::map<std::string, char>& HtmlReferences(const TktHtmlExport& html) {
  static const std::map<std::string, char> table = [&] {
    std::map<std::string, char> t;
    for (int b = 1; b < 256; ++b) {
      const std::string text = html.HtmlText(std::string(1, char(b)));
      if (text.size() > 1 && text[0] == '&') t.emplace(text, char(b));
    }
    return t;
  }();
  return table;
}

std::string HtmlBody(const std::string& out) {
  const std::string open = "face=\"Courier New\">";
  const size_t b = out.find(open);
  const size_t e = out.rfind("</font>\r\n</pre>");
  FUZZ_CHECK(b != std::string::npos && e != std::string::npos && e >= b + open.size(),
             "no body in the HTML output");
  return out.substr(b + open.size(), e - b - open.size());
}

std::string ReadHtml(const TktHtmlExport& html, const std::string& body) {
  std::string text;
  for (size_t i = 0; i < body.size();) {
    if (body[i] == '<') {
      const size_t close = body.find('>', i);
      FUZZ_CHECK(close != std::string::npos, "an unclosed tag");
      i = close + 1;
    } else if (body[i] == '&') {
      const size_t semicolon = body.find(';', i);
      FUZZ_CHECK(semicolon != std::string::npos, "an unfinished reference");
      const std::string reference = body.substr(i, semicolon + 1 - i);
      const auto found = HtmlReferences(html).find(reference);
      FUZZ_CHECK(found != HtmlReferences(html).end(), "an unknown reference " + reference);
      text += found->second;
      i = semicolon + 1;
    } else {
      text += body[i++];
    }
  }
  return text;
}

std::string ReadRtf(const std::string& out) {
  const std::string open = "\\deflang1033\\pard\\plain \r\n";
  const size_t b = out.find(open);
  FUZZ_CHECK(b != std::string::npos && !out.empty() && out.back() == '}', "no body in the RTF");
  const std::string body = out.substr(b + open.size(), out.size() - 1 - b - open.size());
  std::string text;
  for (size_t i = 0; i < body.size();) {
    const char c = body[i];
    if (c == '\r' || c == '\n') {  // line breaks of the RTF source mean nothing
      ++i;
      continue;
    }
    FUZZ_CHECK(c != '{' && c != '}', "an unescaped brace in the text");
    if (c != '\\') {
      text += body[i++];
      continue;
    }
    FUZZ_CHECK(i + 1 < body.size(), "a backslash at the end");
    const char n = body[i + 1];
    if (n == '\\' || n == '{' || n == '}') {
      text += n;
      i += 2;
    } else if (n == '\'') {
      FUZZ_CHECK(i + 3 < body.size(), "a short hex escape");
      text += char(std::stoi(body.substr(i + 2, 2), nullptr, 16));
      i += 4;
    } else {
      // A control word: letters, a number, and one blank that ends it.
      size_t j = i + 1;
      while (j < body.size() && std::isalpha(uint8_t(body[j]))) ++j;
      const std::string word = body.substr(i + 1, j - i - 1);
      FUZZ_CHECK(!word.empty(), "a backslash before " + std::string(1, n));
      while (j < body.size() && (std::isdigit(uint8_t(body[j])) || body[j] == '-')) ++j;
      if (j < body.size() && body[j] == ' ') ++j;
      if (word == "par") text += "\r\n";
      i = j;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 8192) return 0;
  std::string document(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (document.find('\0') != std::string::npos) return 0;
  const std::vector<std::string> lines = SplitFuzzLines(document);
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  if (lines.empty()) expected = "\r\n";  // the store's one empty line

  TktPasSyn pas(nullptr);
  pas.GetKeyAttri()->SetForeground(clNavy);
  pas.GetCommentAttri()->SetBackground(clYellow);
  pas.GetStringAttri()->SetStyle({fsBold, fsItalic});
  TktEditList list;
  list.SetTextStr(document);
  list.RescanAll(pas);
  TktExportDocument doc;
  doc.Lines = &list;

  TktHtmlExport html(nullptr);
  html.SetUseBackground(data[0] & 1);
  html.ExportLines(1, list.GetCount(), &pas, doc);
  FUZZ_CHECK(ReadHtml(html, HtmlBody(html.GetBufferString())) == expected,
             "HTML read back differs from the text");

  TktRtfExport rtf(nullptr);
  rtf.SetUseBackground(data[0] & 2);
  rtf.ExportLines(1, list.GetCount(), &pas, doc);
  FUZZ_CHECK(ReadRtf(rtf.GetBufferString()) == expected, "RTF read back differs from the text");
  return 0;
}
