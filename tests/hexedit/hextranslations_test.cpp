// The five character sets.
#include <gtest/gtest.h>

#include "hexedit/HexTranslations.h"

TEST(HexTranslations, DisplayedCharacters) {
  struct Case {
    uint8_t byte;
    TTranslationType translation;
    char expected;
  } cases[] = {
      {0x41, ttAnsi, 'A'}, {0x41, ttDos8, 'A'}, {0x41, ttASCII, 'A'}, {0x41, ttMac, 'A'},
      {0x41, ttEBCDIC, '.'}, {0xC1, ttEBCDIC, 'A'}, {0x80, ttMac, '\xC4'}, {0x51, ttEBCDIC, '&'},
      {0x80, ttASCII, '.'}, {0x82, ttDos8, '\xE9'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HexDisplayChar(c.byte, c.translation, '.'), c.expected) << int(c.byte) << " " << c.translation;
}

TEST(HexTranslations, TypedCharacters) {
  EXPECT_EQ(HexTypedByte(0xC4, ttMac), 0x80);
  EXPECT_EQ(HexTypedByte('&', ttEBCDIC), 0x50);
  EXPECT_EQ(HexTypedByte('[', ttEBCDIC), 0);
  EXPECT_EQ(HexTypedByte(0x1F, ttAnsi), 0);
  EXPECT_EQ(HexTypedByte(0xE9, ttDos8), 0x82);
  EXPECT_EQ(HexTypedByte(0xE9, ttASCII), 0) << "ASCII takes 32 to 127 only";
}

TEST(HexTranslations, MacTablesAreInverses) {
  for (int b = 0; b < 256; ++b) EXPECT_EQ(AnsiToMacTable()[MacToAnsiTable()[b]], b);
  int defined = 0;
  for (int b = 0; b < 256; ++b)
    if (EbcdicToAnsiTable()[b] != 0) {
      ++defined;
      if (b != 0x51) {
        EXPECT_EQ(AnsiToEbcdicTable()[EbcdicToAnsiTable()[b]], b);
      }
    }
  EXPECT_EQ(defined, 92);
}

TEST(HexTranslations, SearchTextAndFolding) {
  std::string s = "Ab&";
  ASSERT_TRUE(HexConvertSearchText(s, ttEBCDIC));
  EXPECT_EQ(s, "\xC1\x82\x50");
  std::string bad = "a[";
  EXPECT_FALSE(HexConvertSearchText(bad, ttEBCDIC));
  std::string nul(1, '\0');
  EXPECT_TRUE(HexConvertSearchText(nul, ttEBCDIC)) << "NUL stays NUL";
  const THexByteTable ebcdic = HexFoldTable(ttEBCDIC);
  EXPECT_EQ(ebcdic[0xC1], 'a');
  EXPECT_EQ(ebcdic[0x81], 'a');
  EXPECT_EQ(ebcdic[0x41], 0x41) << "no character: folds to itself";
  EXPECT_EQ(HexFoldTable(ttAnsi)[0xC9], 0xE9);
  EXPECT_EQ(HexFoldTable(ttDos8)[0x90], 0xE9) << "OEM É folds as the é it shows";
}
