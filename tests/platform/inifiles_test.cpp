// TIniFile (a real file in the temporary folder) and TRegIniFile (the
// linked registry store), both through the TCustomIniFile interface.
#include <gtest/gtest.h>


#include "platform/IniFiles.h"
#include "platform/Streams.h"

namespace {

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string ReadFile(const std::string& name) {
  TFileStream f(name, fmOpenRead);
  return f.ReadRemaining();
}

void WriteFile(const std::string& name, const std::string& text) {
  TFileStream f(name, fmCreate);
  f.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.Get(i));
  return out;
}
using Lines = std::vector<std::string>;

class IniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    Name = ::testing::TempDir() + "inifiles_test_" + TestName() + ".ini";
    FileDelete(Name);
  }
  void TearDown() override { FileDelete(Name); }
  std::string Name;
};

const char* const kSample =
    "; top comment\r\n"
    "[Sec]\r\n"
    "  Key1 = value one  \r\n"
    "key1=second\r\n"
    ";comment=x\r\n"
    "q1=\"quoted\"\r\n"
    "q2='single'\r\n"
    "q3=\"mixed'\r\n"
    "q4=\"\"twice\"\"\r\n"
    "noeq\r\n"
    "  \r\n"
    "[sec]\r\n"
    "k2=fromdup\r\n"
    "[Other]   \r\n"
    " a=1\r\n"
    "[ Spaced ]\r\n"
    "b=2\r\n"
    "last=end";

TEST_F(IniFileTest, ReadsLikeTheProfileApi) {
  WriteFile(Name, kSample);
  TIniFile ini(Name);
  struct Case {
    const char* Section;
    const char* Ident;
    const char* Expected;
  };
  const Case cases[] = {
      {"SEC", "KEY1", "value one"},   // no case; first entry wins; blanks trimmed
      {"sec", "k2", "def"},           // only the first section of a name counts
      {"Sec", "q1", "quoted"},        {"Sec", "q2", "single"},
      {"Sec", "q3", "\"mixed'"},      // quotes must match to go
      {"Sec", "q4", "\"twice\""},     // one pair only
      {"Sec", "noeq", "def"},         {"Sec", ";comment", "x"},
      {"Spaced", "b", "2"},           {" Spaced ", "b", "2"},
      {"Other", "a", "1"},            {"Spaced", "last", "end"},
      {"Missing", "a", "def"},        {"Sec", "missing", "def"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.ReadString(c.Section, c.Ident, "def"), c.Expected) << c.Ident;

  TStringList list;
  ini.ReadSection("Sec", &list);
  EXPECT_EQ(Items(list), (Lines{"Key1", "key1", "q1", "q2", "q3", "q4"}));
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"Sec", "sec", "Other", "Spaced"}));
  ini.ReadSectionValues("Sec", &list);
  EXPECT_EQ(Items(list), (Lines{"Key1=value one", "key1=value one", "q1=quoted", "q2=single",
                                "q3=\"mixed'", "q4=\"twice\""}));
  EXPECT_TRUE(ini.ValueExists("sec", "Q1"));
  EXPECT_FALSE(ini.ValueExists("Sec", "noeq"));
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_FALSE(ini.SectionExists("Missing"));
}

TEST_F(IniFileTest, WritesTouchOnlyTheirLines) {
  WriteFile(Name, kSample);
  TIniFile ini(Name);
  ini.WriteString("sec", "KEY1", "new");       // first match, keeps the file's spelling
  ini.WriteString("Sec", "added", "v");        // after the section's last line, before blanks
  ini.WriteString("NewSec", "nk", "nv");       // a new section at the end
  ini.DeleteKey("Sec", "q1");
  ini.EraseSection("Other");
  ini.DeleteKey("Missing", "x");               // nothing to do
  ini.EraseSection("Missing");
  EXPECT_EQ(ReadFile(Name),
            "; top comment\r\n"
            "[Sec]\r\n"
            "Key1=new\r\n"
            "key1=second\r\n"
            ";comment=x\r\n"
            "q2='single'\r\n"
            "q3=\"mixed'\r\n"
            "q4=\"\"twice\"\"\r\n"
            "noeq\r\n"
            "added=v\r\n"
            "  \r\n"
            "[sec]\r\n"
            "k2=fromdup\r\n"
            "[ Spaced ]\r\n"
            "b=2\r\n"
            "last=end\r\n"
            "[NewSec]\r\n"
            "nk=nv\r\n");
}

TEST_F(IniFileTest, TypedValuesAndAMissingFile) {
  TIniFile ini(Name);
  EXPECT_EQ(ini.ReadString("S", "x", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("S", "x", 7), 7);
  TStringList list;
  list.Add("stale");
  ini.ReadSections(&list);
  EXPECT_EQ(list.GetCount(), 0);

  ini.WriteInteger("S", "i", -42);
  ini.WriteBool("S", "b", true);
  ini.WriteString("S", "hex", "0x1F");
  ini.WriteString("S", "bad", "12abc");
  ini.WriteString("S", "word", "True");
  EXPECT_EQ(ReadFile(Name), "[S]\r\ni=-42\r\nb=1\r\nhex=0x1F\r\nbad=12abc\r\nword=True\r\n");
  EXPECT_EQ(ini.ReadInteger("S", "i", 0), -42);
  EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "bad", 5), 5);
  EXPECT_TRUE(ini.ReadBool("S", "b", false));
  EXPECT_FALSE(ini.ReadBool("S", "missing", false));
  // A boolean reads as a number: text that is none gives the default.
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST_F(IniFileTest, QuotedTextSurvivesAStoreAndLoad) {
  // The form storage wraps a value that begins and ends with one quote
  // character in a further pair; the reader strips exactly that pair.
  TIniFile ini(Name);
  ini.WriteString("S", "v", "\"'x'\"");
  EXPECT_EQ(ini.ReadString("S", "v", ""), "'x'");
}

TEST_F(IniFileTest, UnwritableFileRaises) {
  TIniFile ini(::testing::TempDir() + "no_such_dir_ini/x.ini");
  try {
    ini.WriteString("S", "k", "v");
    FAIL();
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + ini.GetFileName());
  }
  EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
}

TEST_F(IniFileTest, LineBreaksAreRefusedAndTheFileKept) {
  const std::string before = "[A]\r\nx=1\r\n";
  WriteFile(Name, before);
  TIniFile ini(Name);
  const struct {
    const char *Section, *Ident, *Value;
  } cases[] = {
      {"A", "x", "line1\r\n[B]\r\nEvil=1"},
      {"A", "x", "line1\n[B]"},
      {"A", "y", "tail\r"},
      {"A", "y\r\n[B]\r\nEvil", "1"},
      {"A]\r\n[B", "Evil", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    try {
      ini.WriteString(c.Section, c.Ident, c.Value);
      ADD_FAILURE() << "a line break was written";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "A line break cannot be written to " + Name);
    }
    EXPECT_EQ(ReadFile(Name), before);
  }
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(Items(sections), Lines{"A"});
  EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
}

class RegIniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    Key = "Software\\Tarnquill\\Test\\inifiles_test\\" + TestName();
    Cleanup();
  }
  void TearDown() override { Cleanup(); }
  void Cleanup() {
    TRegistry reg;
    reg.DeleteKey("\\" + Key);
  }
  std::string Key;
};

TEST_F(RegIniFileTest, SectionsAreSubkeysAndValuesAreText) {
  {
    TRegIniFile ini(Key);
    ini.WriteString("Main", "FontName", "Courier New");
    ini.WriteInteger("Main", "FontSize", 10);
    ini.WriteBool("Main", "Visible", false);
    ini.WriteString("", "Top", "level");
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\" + Key + "\\Main", false));
  EXPECT_EQ(reg.GetDataType("FontSize"), rdString);  // integers stored as decimal text
  EXPECT_EQ(reg.ReadString("FontSize"), "10");
  EXPECT_EQ(reg.ReadString("Visible"), "0");
  reg.WriteInteger("Native", 12);  // an integer value written by someone else

  TRegIniFile ini(Key, rkCurrentUser, true);
  EXPECT_EQ(ini.ReadString("main", "fontname", ""), "Courier New");
  EXPECT_EQ(ini.ReadInteger("Main", "FontSize", 0), 10);
  EXPECT_EQ(ini.ReadInteger("Main", "Native", 0), 12);
  EXPECT_EQ(ini.ReadString("Main", "Native", ""), "12");
  EXPECT_FALSE(ini.ReadBool("Main", "Visible", true));
  EXPECT_EQ(ini.ReadString("", "Top", ""), "level");
  EXPECT_EQ(ini.ReadString("Nowhere", "x", "d"), "d");

  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"Main"}));
  ini.ReadSection("Main", &list);
  EXPECT_EQ(Items(list), (Lines{"FontName", "FontSize", "Native", "Visible"}));
  ini.ReadSectionValues("Main", &list);
  EXPECT_EQ(Items(list), (Lines{"FontName=Courier New", "FontSize=10", "Native=12", "Visible=0"}));
  EXPECT_TRUE(ini.SectionExists("Main"));
  EXPECT_TRUE(ini.ValueExists("Main", "fontsize"));

  // Read-only storage refuses to write.
  EXPECT_THROW(ini.WriteString("Main", "x", "y"), ERegistryException);
}

TEST_F(RegIniFileTest, EraseAndDelete) {
  TRegIniFile ini(Key);
  ini.WriteString("A", "x", "1");
  ini.WriteString("A", "y", "2");
  ini.WriteString("B", "z", "3");
  ini.DeleteKey("A", "x");
  ini.DeleteKey("Missing", "x");
  EXPECT_EQ(ini.ReadString("A", "x", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
  ini.EraseSection("B");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"A"}));  // "Missing" was not created
  ini.EraseSection("");                  // never the storage key itself
  EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
}

}  // namespace
