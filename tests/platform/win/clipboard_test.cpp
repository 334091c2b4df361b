// The clipboard: text and registered formats round-trip through the system.
#include "platform/win/Clipbrd.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

TQ_TEST_APPLICATION();

TEST(Clipboard, TextRoundTripsAndReplacesWhatWasThere) {
  unsigned rtf = TClipboard::RegisterFormat("Rich Text Format");
  Clipboard().SetBuffer(rtf, "{\\rtf1 x}", 9);
  EXPECT_TRUE(Clipboard().HasFormat(rtf));
  Clipboard().SetAsText("line 1\r\nline 2 \xE9");
  EXPECT_EQ(Clipboard().GetAsText(), "line 1\r\nline 2 \xE9");
  EXPECT_TRUE(Clipboard().HasFormat(CF_TEXT));
  EXPECT_FALSE(Clipboard().HasFormat(rtf));  // a new text replaces everything
  Clipboard().Clear();
  EXPECT_FALSE(Clipboard().HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard().GetAsText(), "");
}

TEST(Clipboard, SeveralFormatsInOneBracket) {
  unsigned html = TClipboard::RegisterFormat("HTML Format");
  EXPECT_EQ(TClipboard::RegisterFormat("HTML Format"), html);
  Clipboard().Open();
  Clipboard().SetAsText("plain");
  Clipboard().SetBuffer(html, "<b>x</b>", 8);
  Clipboard().Close();
  EXPECT_EQ(Clipboard().GetAsText(), "plain");
  std::string data = Clipboard().GetBuffer(html);
  ASSERT_GE(data.size(), 8u);  // the system may round the block up
  EXPECT_EQ(data.substr(0, 8), "<b>x</b>");
}
