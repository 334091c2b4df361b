// The styles page's rules: palette marks, contrast, character sets, the
// languages with their attributes and samples, and the default colours.
#include "app/settings/Styles.h"

#include <gtest/gtest.h>

#include <set>

#include "app/Data.h"
#include "editor/HighlightAttributes.h"
#include "editor/Highlighter.h"
#include "highlighters/ADSP21xxSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/SqlSyn.h"

namespace {

TEST(Palette, CaptionsMarkThePairAndReadOnTheirPanels) {
  EXPECT_EQ(kPalette[0], 0x000000);
  EXPECT_EQ(kPalette[8], 0x800000);
  EXPECT_EQ(kPalette[71], 0x101010);
  EXPECT_EQ(PaletteCaption(0x800000, 0x800000, 0xFFFFFF), "FG");
  EXPECT_EQ(PaletteCaption(0xFFFFFF, 0x800000, 0xFFFFFF), "BG");
  EXPECT_EQ(PaletteCaption(0x123456, 0x123456, 0x123456), "BG") << "both: the background wins";
  EXPECT_EQ(PaletteCaption(0x000000, 0x800000, 0xFFFFFF), "");

  struct {
    TColor Panel, Text;
  } cases[] = {{0x000000, clWhite}, {0xFFFFFF, clBlack}, {0x0000FF, clWhite}, {0x00FFFF, clBlack},
               {0xFF00FF, clBlack}, {0xFFFF00, clBlack}, {0x00FF00, clWhite}, {0x808080, clBlack},
               {0x7F7F7F, clWhite}};
  for (const auto& c : cases) EXPECT_EQ(ContrastColor(c.Panel), c.Text) << std::hex << c.Panel;
}

TEST(Charsets, FindTheirNamesAndOemAbove254) {
  EXPECT_STREQ(kCharsets[CharsetIndex(1)].Name, "DEFAULT_CHARSET");
  EXPECT_STREQ(kCharsets[CharsetIndex(238)].Name, "EASTEUROPE_CHARSET");
  EXPECT_STREQ(kCharsets[CharsetIndex(255)].Name, "OEM_CHARSET");
  EXPECT_STREQ(kCharsets[CharsetIndex(300)].Name, "OEM_CHARSET");
  EXPECT_EQ(CharsetIndex(3), -1);
}

TEST(StyleLanguages, EveryAttributeNamedExistsAndEverySampleHighlights) {
  TData data(nullptr);
  ASSERT_EQ(StyleLanguages().size(), 15u);
  EXPECT_EQ(FindStyleLanguage("Java script")->Component, std::string("JScript"));
  EXPECT_EQ(FindStyleLanguage("java script"), nullptr) << "the exact item text";
  for (const TStyleLanguage& l : StyleLanguages()) {
    std::set<TktHighLightAttributes*> seen;
    for (const char* a : l.Attributes) {
      TktHighLightAttributes* attr = StyleAttribute(data, l, a);
      ASSERT_NE(attr, nullptr) << l.Item << " " << a;
      EXPECT_TRUE(seen.insert(attr).second) << l.Item << " " << a;
    }
    // The sample shows the language's keywords.
    auto* hl = dynamic_cast<TktCustomHighLighter*>(data.FindComponent(l.ShownComponent));
    ASSERT_NE(hl, nullptr) << l.Item;
    ASSERT_NE(l.Sample, nullptr) << l.Item;
    TktHighLightAttributes* key = StyleAttribute(data, l, "Key");
    bool keyword = false;
    std::string text = l.Sample;
    hl->ResetRange();
    size_t pos = 0;
    int lineNo = 0;
    while (pos <= text.size()) {
      size_t end = text.find("\r\n", pos);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(pos, end - pos);
      hl->SetLine(line, lineNo++);
      for (; !hl->AtLineEnd(); hl->Next()) keyword = keyword || hl->GetTokenAttribute() == key;
      pos = end + 2;
    }
    EXPECT_TRUE(keyword) << l.Item;
  }
}

TEST(StyleDefaults, ColourTheFifteenLanguageHighlighters) {
  TData data(nullptr);
  data.Pascal->GetKeyAttri()->SetStyle(TFontStyles{fsBold});
  data.JScript1->GetKeyAttri()->SetForeground(0x123456);
  SetDefaultHighlighterColors(data);
  EXPECT_EQ(data.Pascal->GetKeyAttri()->GetForeground(), 0x008000);
  EXPECT_TRUE(data.Pascal->GetKeyAttri()->GetStyle().Empty());
  EXPECT_EQ(data.Pascal->GetCommentAttri()->GetForeground(), 0x800000);
  EXPECT_EQ(data.Pascal->GetAsmAttri()->GetForeground(), 0xFF0000);
  EXPECT_EQ(data.Pascal->GetSpaceAttri()->GetForeground(), 0xFFFFFF);
  EXPECT_EQ(data.Pascal->GetIdentifierAttri()->GetForeground(), 0x000000);
  EXPECT_EQ(data.Pascal->GetIdentifierAttri()->GetBackground(), 0xFFFFFF);
  EXPECT_EQ(data.HTML1->GetASPAttri()->GetBackground(), 0x00FFFF);
  EXPECT_EQ(data.HTML1->GetASPAttri()->GetForeground(), 0xFF0000);
  EXPECT_EQ(data.HTML1->GetSymbolAttri()->GetForeground(), 0x000080);
  EXPECT_EQ(data.HTML1->GetUndefKeyAttri()->GetForeground(), 0x008000);
  EXPECT_EQ(data.HTML1->GetValueAttri()->GetForeground(), 0x0000FF);
  EXPECT_EQ(data.SQL->GetVariableAttri()->GetForeground(), 0x800080);
  EXPECT_EQ(data.SQL->GetParameterAttri()->GetForeground(), 0x000080);
  EXPECT_EQ(data.ADSP->GetCommentAttri()->GetForeground(), 0x800000);
  EXPECT_EQ(data.ADSP->GetRegisterAttri()->GetBackground(), 0xFFFFFF);
  // The script highlighters inside web pages keep theirs.
  EXPECT_EQ(data.JScript1->GetKeyAttri()->GetForeground(), 0x123456);
}

}  // namespace
