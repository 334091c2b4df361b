#include "platform/Graphics.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

TEST(Graphics, SystemColoursCarryTheirIndexInTheLowByte) {
  EXPECT_EQ(uint32_t(clScrollBar), 0x80000000u);
  EXPECT_EQ(uint32_t(clWindow), 0x80000005u);
  EXPECT_EQ(uint32_t(clWindowText), 0x80000008u);
  EXPECT_EQ(uint32_t(clHighlight), 0x8000000Du);
  EXPECT_EQ(uint32_t(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(uint32_t(clInfoBk), 0x80000018u);
  EXPECT_TRUE(IsSystemColor(clWindow));
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_FALSE(IsSystemColor(clDefault));
}

TEST(Graphics, ColorToRgbResolvesOnlySystemColours) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);      // the portable default palette
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clInfoBk), RGBColor(0xFF, 0xFF, 0xE1));
}

namespace {
TColor IndexAsColour(int index) { return index * 3; }
}  // namespace

TEST(Graphics, SystemColourResolverIsReplaceableAndRestorable) {
  TSysColorResolver old = SetSysColorResolver(&IndexAsColour);
  EXPECT_EQ(ColorToRGB(clHighlight), 13 * 3);
  EXPECT_EQ(ColorToRGB(clBlue), clBlue);
  EXPECT_EQ(SetSysColorResolver(old), &IndexAsColour);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  // Null puts the portable default back.
  SetSysColorResolver(nullptr);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  SetSysColorResolver(old);
}

TEST(Graphics, ColorStringsRoundTrip) {
  struct Case { TColor color; const char* text; };
  const Case cases[] = {
      {clRed, "clRed"},       {clBlack, "clBlack"},     {clWindow, "clWindow"},
      {clInfoBk, "clInfoBk"}, {clNone, "clNone"},       {clDefault, "clDefault"},
      {clSilver, "clSilver"},  // also named clLtGray; the first name wins
      {clGray, "clGray"},
      {0x00123456, "$00123456"}, {RGBColor(1, 2, 3), "$00030201"},
      {static_cast<TColor>(0x80000030u), "$80000030"},  // beyond the named system colours
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
  }
}

TEST(Graphics, StringToColorAcceptsNamesAnyCaseAndNumbers) {
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("clltgray"), clSilver);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(StringToColor(" -5 "), -5);  // blanks around a number are allowed
  EXPECT_EQ(StringToColor("$FF"), 255);
  EXPECT_EQ(StringToColor("0xff0000"), clBlue);
  EXPECT_EQ(StringToColor("-2147483643"), clWindow);  // how a system colour is stored as decimal
  TColor c = 0;
  EXPECT_TRUE(IdentToColor("clBtnFace", c));
  EXPECT_EQ(c, clBtnFace);
  EXPECT_FALSE(IdentToColor("clNoSuchColour", c));
}

TEST(Graphics, StringToColorRejectsEverythingElse) {
  for (const char* bad : {"", "red", "$", "12x", "$1FFFFFFFF", "2147483648", "--1", "$-"}) {
    try {
      StringToColor(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(Graphics, FontStylesBehaveAsASetStoredAsAByte) {
  TFontStyles s{fsBold, fsUnderline};
  EXPECT_TRUE(s.Contains(fsBold));
  EXPECT_FALSE(s.Contains(fsItalic));
  EXPECT_EQ(s.ToMask(), 0x05);
  s.Include(fsItalic).Exclude(fsBold);
  EXPECT_EQ(s, (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(TFontStyles::FromMask(0x0F) - TFontStyles{fsStrikeOut}, (TFontStyles{fsBold, fsItalic, fsUnderline}));
  EXPECT_TRUE(TFontStyles().Empty());
}
