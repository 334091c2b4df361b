// Exports against the real system: the "HTML Format" and "Rich Text Format"
// clipboard data read back from the clipboard, their offsets checked against
// the real byte lengths, and the system's ANSI code page behind the HTML
// character references.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/CodePage.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "editor/win/CodePageWin.h"
#include "editor/win/ExportClipboardWin.h"
#include "highlighters/PasSyn.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/WinApi.h"

namespace {

class SystemExport : public ::testing::Test {
protected:
  SystemExport() : Pas(nullptr) {
    Previous = SetExportClipboard(&SystemExportClipboard());
    PreviousPage = SetAnsiCodePageSource(&SystemAnsiCodePage);
    Pas.GetKeyAttri()->SetForeground(clNavy);
    Pas.GetStringAttri()->SetForeground(clRed);
    Lines.SetTextStr("begin\r\n  s := '\xE9\x80<';\r\nend.\r\n");
    Lines.RescanAll(Pas);
    Doc.Lines = &Lines;
    Doc.BlockBegin = TPoint(1, 1);
    Doc.BlockEnd = TPoint(5, 3);
  }
  ~SystemExport() override {
    SetExportClipboard(Previous);
    SetAnsiCodePageSource(PreviousPage);
  }
  // The clipboard's data of format up to its NUL.
  std::string Read(unsigned format) {
    const std::string data = Clipboard().GetBuffer(format);
    return data.substr(0, data.find('\0'));
  }
  TktPasSyn Pas;
  TktEditList Lines;
  TktExportDocument Doc;
  IktExportClipboard* Previous;
  TAnsiCodePageSource PreviousPage;
};

int Offset(const std::string& text, const char* name) {
  const size_t at = text.find(name);
  return at == std::string::npos ? -1 : std::stoi(text.substr(at + std::strlen(name), 10));
}

TEST_F(SystemExport, HtmlFormatOffsetsMatchTheBytesOnTheClipboard) {
  for (bool fragment : {false, true}) {
    TktHtmlExport html(nullptr);
    html.SetCreateHTMLFragment(fragment);
    html.CopyToClipboard(Doc, &Pas);
    const unsigned format = ::RegisterClipboardFormatA("HTML Format");
    ASSERT_EQ(html.GetClipboardFormat(), format);
    ASSERT_TRUE(Clipboard().HasFormat(format));
    const std::string text = Read(format);
    EXPECT_EQ(text.rfind("Version:0.9\r\n", 0), 0u);
    const int startHtml = Offset(text, "StartHTML:"), endHtml = Offset(text, "EndHTML:");
    const int startFragment = Offset(text, "StartFragment:");
    const int endFragment = Offset(text, "EndFragment:");
    EXPECT_EQ(startHtml, 105);
    EXPECT_EQ(endHtml, int(text.size()));
    ASSERT_GT(startFragment, 20);
    ASSERT_GT(endFragment, startFragment);
    ASSERT_LE(endFragment + 18, int(text.size()));
    EXPECT_EQ(text.substr(size_t(startFragment) - 20, 20), "<!--StartFragment-->");
    EXPECT_EQ(text.substr(size_t(endFragment), 18), "<!--EndFragment-->");
    const std::string piece = text.substr(size_t(startFragment), size_t(endFragment - startFragment));
    EXPECT_EQ(piece.rfind("<code><pre>", 0), 0u);
    EXPECT_NE(piece.find("&eacute;&#8364;&lt;"), std::string::npos) << piece;
    EXPECT_EQ(piece.substr(piece.size() - 13), "</pre></code>");
    for (unsigned char c : text) ASSERT_LT(c, 128);
    EXPECT_EQ(html.GetBufferString(), "");
  }
}

TEST_F(SystemExport, RichTextFormatGoesToTheClipboard) {
  TktRtfExport rtf(nullptr);
  rtf.CopyToClipboard(Doc, &Pas);
  const std::string text = Read(::RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_EQ(text.rfind("{\\rtf1\\ansi", 0), 0u);
  EXPECT_NE(text.find("\\cf0 begin"), std::string::npos) << text;
  EXPECT_EQ(text.back(), '}');
}

TEST(SystemCodePage, TheSystemTableAgreesWithTheBuiltInOneForCodePage1252) {
  TAnsiCodePage system;
  SystemAnsiCodePage(system);
  // Whatever the code page: ASCII is itself, and each byte stands for what
  // the system converts it to.
  for (int b = 0; b < 128; ++b) EXPECT_EQ(system.Unicode[b], char32_t(b));
  if (::GetACP() != 1252) GTEST_SKIP() << "the system's code page is " << ::GetACP();
  TAnsiCodePage builtIn;
  Cp1252CodePage(builtIn);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(system.Unicode[b], builtIn.Unicode[b]) << "byte " << b;
  EXPECT_EQ(system.DoubleByte, nullptr);
}

}  // namespace
