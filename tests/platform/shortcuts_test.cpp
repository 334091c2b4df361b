// Shortcut texts: every text the table writes reads back as the same
// shortcut, and the texts the hot-key dialog has stored read as they should.
#include "platform/ShortCuts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShortCutText, EveryKeyWithEveryModifierReadsBack) {
  const TShortCut modifiers[] = {0, scShift, scCtrl, scAlt, scCtrl | scShift, scCtrl | scAlt,
                                 scShift | scAlt, scCtrl | scShift | scAlt};
  int named = 0;
  for (unsigned key = 1; key <= 0xFF; ++key) {
    if (KeyToText(uint16_t(key)).empty()) continue;  // modifier keys alone
    ++named;
    for (TShortCut m : modifiers) {
      TShortCut sc = TShortCut(m | key);
      std::string text = ShortCutToText(sc);
      EXPECT_EQ(TextToShortCut(text), sc) << text;
    }
  }
  EXPECT_EQ(named, 255 - 11);  // all but Shift, Ctrl, Alt, the Windows keys and their left/right forms
}

struct TTextCase {
  const char* Text;
  TShortCut Expected;
};

TEST(ShortCutText, StoredHotKeyTexts) {
  const TTextCase cases[] = {
      {"Ctrl+PageUp", scCtrl | 0x21},
      {"Ctrl+Shift+F7", scCtrl | scShift | 0x76},
      {"Shift+Ctrl+F7", scCtrl | scShift | 0x76},   // modifiers in any order
      {"alt+CTRL+x", scCtrl | scAlt | 'X'},          // and any letter case
      {"Backspace", 0x08},
      {"Caps", 0x14},
      {"Alt+NumPad0", scAlt | 0x60},
      {"Multyply", 0x6A},
      {"Ctrl+`", scCtrl | 0xC0},
      {"Ctrl+\\", scCtrl | 0xDC},
      {"Ctrl+186", scCtrl | 0xBA},                   // a key without a name: its code
      {"Ctrl+3", scCtrl | '3'},                      // one digit is the digit key
      {"Ctrl+03", scCtrl | 0x03},                    // two digits are a code
      {"Ctrl+Q", scCtrl | 'Q'},
      {"Shift+", scNone},                            // Shift pressed alone
      {"", scNone},
      {"Ctrl+256", scNone},
      {"Ctrl+092", scNone},                          // a Windows key: no key of its own
      {"17", scNone},                                // Ctrl by its code
      {"Ctrl+Foo", scNone},
      {"Ctrl+0x41", scNone},
  };
  for (const TTextCase& c : cases) EXPECT_EQ(TextToShortCut(c.Text), c.Expected) << c.Text;
}

TEST(ShortCutText, TextsAsTheDialogShowsThem) {
  EXPECT_EQ(ShortCutToText(scCtrl | scShift | 0x76), "Ctrl+Shift+F7");
  EXPECT_EQ(ShortCutToText(scCtrl | scShift | scAlt | 0x21), "Ctrl+Shift+Alt+PageUp");
  EXPECT_EQ(ShortCutToText(scAlt | 0xDE), "Alt+'");
  EXPECT_EQ(ShortCutToText(scCtrl | 0x03), "Ctrl+03");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xE5), "Ctrl+229");
  EXPECT_EQ(ShortCutToText(scCtrl | 0x10), "");  // Shift as the key: no shortcut
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(KeyToText(0x5B), "");
}

}  // namespace
