// TRegistry against whichever store is linked: the in-memory one natively,
// the real registry under Wine. The same expectations hold for both, which
// is what keeps the in-memory store honest.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Registry.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Each case in its own key: ctest runs the cases side by side.
    Base = std::string("\\Software\\Tarnquill\\Test\\registry_test\\") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    TRegistry cleaner;
    cleaner.DeleteKey(Base);
    ASSERT_TRUE(Reg.OpenKey(Base, true));
  }
  void TearDown() override {
    Reg.CloseKey();
    TRegistry cleaner;
    cleaner.DeleteKey(Base);
    EXPECT_FALSE(cleaner.KeyExists(Base));
  }
  std::vector<std::string> Names(bool keys) {
    TStringList list;
    if (keys)
      Reg.GetKeyNames(&list);
    else
      Reg.GetValueNames(&list);
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.Get(i));
    return out;
  }

  std::string Base;
  TRegistry Reg;
};

std::string ExceptionText(const std::function<void()>& f) {
  try {
    f();
  } catch (const ERegistryException& e) {
    return e.Message();
  }
  return "no exception";
}

TEST_F(RegistryTest, RelativeAndAbsolutePathsAndCurrentPath) {
  EXPECT_EQ(Reg.GetCurrentPath(), Base.substr(1));
  ASSERT_TRUE(Reg.OpenKey("Child\\Grand", true));  // relative to the current key
  EXPECT_EQ(Reg.GetCurrentPath(), Base.substr(1) + "\\Child\\Grand");
  Reg.WriteInteger("here", 7);

  ASSERT_TRUE(Reg.OpenKey(Base + "\\Child", false));  // absolute
  EXPECT_EQ(Reg.GetCurrentPath(), Base.substr(1) + "\\Child");
  EXPECT_TRUE(Reg.KeyExists("Grand"));
  EXPECT_TRUE(Reg.KeyExists("GRAND"));  // names ignore case
  EXPECT_TRUE(Reg.KeyExists(Base + "\\Child\\Grand\\"));
  EXPECT_FALSE(Reg.KeyExists("Missing"));

  // A failed open leaves the current key as it was.
  EXPECT_FALSE(Reg.OpenKey("Missing", false));
  EXPECT_EQ(Reg.GetCurrentPath(), Base.substr(1) + "\\Child");
  EXPECT_TRUE(Reg.HasSubKeys());

  // A trailing separator is accepted, as are doubled ones inside a path.
  ASSERT_TRUE(Reg.OpenKey(Base + "\\Child\\Grand\\", false));
  EXPECT_EQ(Reg.ReadInteger("here"), 7);
  ASSERT_TRUE(Reg.OpenKey(Base + "\\Child\\\\Grand", false));
  EXPECT_EQ(Reg.ReadInteger("here"), 7);
  EXPECT_FALSE(Reg.HasSubKeys());

  Reg.CloseKey();
  EXPECT_FALSE(Reg.HasCurrentKey());
  EXPECT_EQ(Reg.GetCurrentPath(), "");
  // Without a current key a relative path starts at the root.
  EXPECT_TRUE(Reg.KeyExists(Base.substr(1) + "\\Child"));
}

TEST_F(RegistryTest, TypedValuesRoundTrip) {
  Reg.WriteString("s", "hello world");
  Reg.WriteString("empty", "");
  Reg.WriteExpandString("x", "%TEMP%\\a");
  Reg.WriteInteger("i", -123456);
  Reg.WriteBool("yes", true);
  Reg.WriteBool("no", false);
  const unsigned char bytes[] = {0, 1, 0xFF, 0x80, 7};
  Reg.WriteBinaryData("b", bytes, sizeof bytes);

  EXPECT_EQ(Reg.ReadString("s"), "hello world");
  EXPECT_EQ(Reg.ReadString("S"), "hello world");
  EXPECT_EQ(Reg.ReadString("empty"), "");
  EXPECT_EQ(Reg.ReadString("x"), "%TEMP%\\a");  // not expanded
  EXPECT_EQ(Reg.ReadInteger("i"), -123456);
  EXPECT_TRUE(Reg.ReadBool("yes"));
  EXPECT_FALSE(Reg.ReadBool("no"));
  unsigned char back[16] = {};
  EXPECT_EQ(Reg.ReadBinaryData("b", back, sizeof back), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 5), std::string(reinterpret_cast<const char*>(bytes), 5));

  EXPECT_EQ(Reg.GetDataType("s"), rdString);
  EXPECT_EQ(Reg.GetDataType("x"), rdExpandString);
  EXPECT_EQ(Reg.GetDataType("i"), rdInteger);
  EXPECT_EQ(Reg.GetDataType("b"), rdBinary);
  EXPECT_EQ(Reg.GetDataType("missing"), rdUnknown);
  EXPECT_EQ(Reg.GetDataSize("s"), 12);  // with the terminating NUL
  EXPECT_EQ(Reg.GetDataSize("i"), 4);
  EXPECT_EQ(Reg.GetDataSize("missing"), -1);

  // Overwriting changes the type too.
  Reg.WriteInteger("s", 5);
  EXPECT_EQ(Reg.GetDataType("s"), rdInteger);
}

TEST_F(RegistryTest, ReadErrorsNameTheValue) {
  Reg.WriteString("text", "abc");
  Reg.WriteString("long", "longer than four");
  Reg.WriteInteger("number", 3);
  const char blob[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  Reg.WriteBinaryData("blob", blob, sizeof blob);

  EXPECT_EQ(ExceptionText([&] { Reg.ReadString("number"); }), "Invalid data type for 'number'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadString("blob"); }), "Invalid data type for 'blob'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadInteger("text"); }), "Invalid data type for 'text'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadInteger("long"); }), "Failed to get data for 'long'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadInteger("missing"); }), "Failed to get data for 'missing'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadBool("missing"); }), "Failed to get data for 'missing'");
  char small[4];
  EXPECT_EQ(ExceptionText([&] { Reg.ReadBinaryData("blob", small, sizeof small); }),
            "Invalid data type for 'blob'");
  EXPECT_EQ(ExceptionText([&] { Reg.ReadBinaryData("text", small, sizeof small); }),
            "Invalid data type for 'text'");
  // Absent strings and binaries read as empty, without an error.
  EXPECT_EQ(Reg.ReadString("missing"), "");
  EXPECT_EQ(Reg.ReadBinaryData("missing", small, sizeof small), 0);
}

TEST_F(RegistryTest, KeysAndValuesListInTheStoresOrder) {
  // Written in no particular order; the store lists names sorted without
  // regard to case, comparing characters after lowering them (so '[' and
  // '_' come before letters, "10" before "9", a prefix before its longer
  // names, and accented letters by their character code).
  const std::vector<std::string> written = {"zeta", "Alpha", "beta", "_under", "Zulu", "10", "9",
                                            "a", "A b", "ab", "[x", "~t", "\xE9t\xE9", "\xC9T",
                                            "abc", "\x8Ax"};
  for (const std::string& n : written) {
    ASSERT_TRUE(Reg.CreateKey(n));
    Reg.WriteInteger(n, 1);
  }
  // Same names in another case name the same key and value.
  ASSERT_TRUE(Reg.CreateKey("ZETA"));
  Reg.WriteInteger("ALPHA", 2);

  const std::vector<std::string> expected = {"10", "9", "[x", "_under", "a", "A b", "ab", "abc",
                                             "Alpha", "beta", "zeta", "Zulu", "~t", "\xC9T",
                                             "\xE9t\xE9", "\x8Ax"};
  EXPECT_EQ(Names(true), expected);
  EXPECT_EQ(Names(false), expected);
  EXPECT_EQ(Reg.ReadInteger("alpha"), 2);

  // A value deleted and written again takes its sorted place, not the end.
  ASSERT_TRUE(Reg.DeleteValue("beta"));
  Reg.WriteInteger("beta", 3);
  EXPECT_EQ(Names(false), expected);
}

TEST_F(RegistryTest, DeleteKeyTakesSubkeysAlong) {
  ASSERT_TRUE(Reg.OpenKey("A\\B\\C", true));
  Reg.WriteString("v", "1");
  ASSERT_TRUE(Reg.OpenKey(Base + "\\A\\B2", true));
  ASSERT_TRUE(Reg.OpenKey(Base, false));
  EXPECT_TRUE(Reg.DeleteKey("A"));
  EXPECT_FALSE(Reg.KeyExists("A"));
  EXPECT_FALSE(Reg.DeleteKey("A"));  // already gone
  EXPECT_EQ(Names(true), std::vector<std::string>{});
}

TEST_F(RegistryTest, DeleteValueAndValueExists) {
  Reg.WriteString("Name", "x");
  EXPECT_TRUE(Reg.ValueExists("name"));
  EXPECT_TRUE(Reg.DeleteValue("NAME"));
  EXPECT_FALSE(Reg.ValueExists("Name"));
  EXPECT_FALSE(Reg.DeleteValue("Name"));
  // The unnamed (default) value is a value like any other.
  Reg.WriteString("", "default");
  EXPECT_TRUE(Reg.ValueExists(""));
  EXPECT_EQ(Reg.ReadString(""), "default");
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites) {
  Reg.WriteString("v", "kept");
  ASSERT_TRUE(Reg.OpenKeyReadOnly(Base));
  EXPECT_EQ(Reg.ReadString("v"), "kept");
  EXPECT_EQ(ExceptionText([&] { Reg.WriteString("v", "changed"); }), "Failed to set data for 'v'");
  EXPECT_FALSE(Reg.DeleteValue("v"));
  EXPECT_FALSE(Reg.OpenKeyReadOnly("Missing"));

  // No key open at all: writes fail the same way, reads find nothing.
  Reg.CloseKey();
  EXPECT_EQ(ExceptionText([&] { Reg.WriteInteger("v", 1); }), "Failed to set data for 'v'");
  EXPECT_FALSE(Reg.ValueExists("v"));
  EXPECT_EQ(Reg.ReadString("v"), "");
}

TEST_F(RegistryTest, KeyDeletedWhileOpenFailsQuietly) {
  ASSERT_TRUE(Reg.OpenKey("Doomed", true));
  TRegistry other;
  ASSERT_TRUE(other.DeleteKey(Base + "\\Doomed"));
  EXPECT_FALSE(Reg.ValueExists("v"));
  EXPECT_THROW(Reg.WriteString("v", "x"), ERegistryException);
  EXPECT_FALSE(other.KeyExists(Base + "\\Doomed"));
}

TEST_F(RegistryTest, NameLengthLimits) {
  EXPECT_TRUE(Reg.CreateKey(std::string(255, 'k')));
  EXPECT_THROW(Reg.CreateKey(std::string(257, 'k')), ERegistryException);
  EXPECT_FALSE(Reg.OpenKey(std::string(257, 'k'), true));
  Reg.WriteInteger(std::string(16383, 'v'), 1);
  EXPECT_THROW(Reg.WriteInteger(std::string(16384, 'v'), 1), ERegistryException);
  EXPECT_EQ(Names(true).size(), 1u);
  EXPECT_EQ(Names(false).size(), 1u);
}

TEST_F(RegistryTest, RootKeyChoosesTheTreeAndClosesTheKey) {
  EXPECT_EQ(Reg.GetRootKey(), rkCurrentUser);
  Reg.SetRootKey(rkCurrentUser);  // unchanged: the key stays open
  EXPECT_TRUE(Reg.HasCurrentKey());
  Reg.SetRootKey(rkLocalMachine);
  EXPECT_FALSE(Reg.HasCurrentKey());
  EXPECT_TRUE(Reg.KeyExists("\\Software"));
  EXPECT_FALSE(Reg.KeyExists(Base));  // our test key lives under the current user
}

}  // namespace
