// Under Wine the editor's character classes come from the system. The test
// prefix runs code page 1252, so the system's answers must agree with the
// built-in table the native build uses: a mismatch means one of the two is
// wrong, and searches or word selection would differ between the builds.
#include <gtest/gtest.h>

#include "editor/CharClasses.h"
#include "platform/win/WinApi.h"

TEST(SystemCharClasses, AgreeWithTheBuiltInTableForCodePage1252) {
  ASSERT_EQ(::GetACP(), 1252u) << "the test prefix is expected to run code page 1252";
  TCharClassTable system{}, builtIn{};
  SystemCharClasses(system);
  Cp1252CharClasses(builtIn);
  for (int i = 0; i < 256; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(system.Lower[i], builtIn.Lower[i]);
    EXPECT_EQ(system.AlphaNumeric[i], builtIn.AlphaNumeric[i]);
    EXPECT_EQ(system.LeadByte[i], builtIn.LeadByte[i]);
    EXPECT_EQ(system.CType3[i], builtIn.CType3[i]);
  }
}

TEST(SystemCharClasses, AreWhatTheEditorUsesUnderWindows) {
  const TCharClassTable& table = CharClasses();
  EXPECT_EQ(table.Lower[static_cast<uint8_t>('A')], 'a');
  EXPECT_EQ(table.Lower[0xC9], 0xE9);  // capital E acute
  EXPECT_TRUE(table.AlphaNumeric[static_cast<uint8_t>('7')]);
  EXPECT_FALSE(table.AlphaNumeric[static_cast<uint8_t>('-')]);
}
