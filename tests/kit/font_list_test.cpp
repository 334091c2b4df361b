// The font combo box's filters and name lookup.
#include "kit/FontList.h"

#include <gtest/gtest.h>

namespace {

const TFontFamily kArial{"Liberation Sans", kAnsiCharSet, kTrueTypeFontType, false};
const TFontFamily kMono{"Liberation Mono", kAnsiCharSet, kTrueTypeFontType, true};
const TFontFamily kSymbol{"Marlett", kSymbolCharSet, kTrueTypeFontType, false};
const TFontFamily kRaster{"MS Sans Serif", kAnsiCharSet, kRasterFontType, false};
const TFontFamily kOem{"Terminal", kOemCharSet, kRasterFontType, true};
const TFontFamily kDevice{"Courier", kAnsiCharSet, kDeviceFontType, true};

TEST(FontList, EachOptionFilters) {
  struct C {
    TFontListOption option;
    std::vector<std::string> kept;
  } cases[] = {
      {foAnsiOnly, {"Liberation Sans", "Liberation Mono", "MS Sans Serif", "Courier"}},
      {foTrueTypeOnly, {"Liberation Sans", "Liberation Mono", "Marlett"}},
      {foFixedPitchOnly, {"Liberation Mono", "Terminal", "Courier"}},
      {foOEMFontsOnly, {"Terminal"}},
      {foNoOEMFonts, {"Liberation Sans", "Liberation Mono", "Marlett", "MS Sans Serif", "Courier"}},
      {foNoSymbolFonts, {"Liberation Sans", "Liberation Mono", "MS Sans Serif", "Terminal", "Courier"}},
      {foScalableOnly, {"Liberation Sans", "Liberation Mono", "Marlett", "Courier"}},
  };
  const std::vector<TFontFamily> all{kArial, kMono, kSymbol, kRaster, kOem, kDevice};
  for (const auto& c : cases) {
    std::vector<TFontFamily> list;
    AddFontFamilies(list, all, {c.option});
    std::vector<std::string> names;
    for (const auto& f : list) names.push_back(f.Name);
    EXPECT_EQ(names, c.kept) << c.option;
  }
  std::vector<TFontFamily> list;
  AddFontFamilies(list, all, {foTrueTypeOnly, foFixedPitchOnly});
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, "Liberation Mono");
}

TEST(FontList, FamiliesOfTwoDevicesAreListedOnce) {
  std::vector<TFontFamily> list;
  AddFontFamilies(list, {kArial, kDevice}, {});
  AddFontFamilies(list, {{"COURIER", kAnsiCharSet, kDeviceFontType, true}, kMono}, {});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].Name, "Courier");
}

TEST(FontList, ItemFlagsMarkFontsThatMayDrawInTheirOwnFace) {
  EXPECT_EQ(FontItemFlags(kArial), kTrueTypeFontType | kNotSymbolFontFlag);
  EXPECT_EQ(FontItemFlags(kSymbol), kTrueTypeFontType);
  EXPECT_EQ(FontItemFlags(kDevice), kDeviceFontType | kNotSymbolFontFlag);
}

TEST(FontList, FindIgnoresCase) {
  const std::vector<std::string> items{"Courier", "Liberation Mono", "liberation mono"};
  EXPECT_EQ(FindFontItem(items, "LIBERATION MONO"), 1);
  EXPECT_EQ(FindFontItem(items, "Nothing"), -1);
  EXPECT_EQ(FindFontItem({}, ""), -1);
}

}  // namespace
