// Settings scripts, file associations and the File Types page's model,
// against the registry (in-memory natively, the real one under Wine), each
// case below a key of its own.
#include "app/settings/SettingsScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../AppRegistryKey.h"
#include "app/settings/Association.h"
#include "app/settings/FileTypes.h"
#include "app/settings/FileTypesPage.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#ifndef _WIN32
#include "platform/native/MemoryRegistry.h"
#endif

namespace {

class SettingsScript : public TAppKeyCase {
protected:
  void Put(const std::string& section, const std::string& name, const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\" + section, true));
    reg.WriteString(name, value);
  }
  // The value as text, "<none>" when absent.
  std::string Get(const std::string& section, const std::string& name) {
    TRegistry reg;
    std::string text = "<none>";
    if (reg.OpenKeyReadOnly(Key + "\\" + section)) reg.ReadValueText(name, text);
    return text;
  }
};

TEST_F(SettingsScript, EveryValueOfTheTenSectionsComesBackAsText) {
  const char* sections[] = {"Data", "Find", "Main", "OpenFileDialog", "PrintDialog", "ReplaceDialog",
                            "Setup", "TAscii", "TCalc", "Rollup"};
  for (const char* s : sections) Put(s, std::string(s) + "_Value", std::string("v of ") + s);
  Put("Rollup", "Ctrl+=", "begin\r\n  x := 1;\r\nend;\r\n");  // a multi-line roll-up under an "=" name
  Put("Setup", "Literal", "100%0D and %25 and %");             // escapes typed by the user
  Put("Find", "Expr", "a=b=c");
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
    reg.WriteInteger("Extraspacing_Value", 3);
  }
  Put("FileTypes\\Batch", "F9", "cmd /c %1");  // the table lives in subkeys: not carried

  const std::string script = WriteSettingsScript(Key);
  EXPECT_NE(script.find("Rollup.Ctrl+%3D=begin%0D%0A  x := 1;%0D%0Aend;%0D%0A\r\n"), std::string::npos)
      << script;
  EXPECT_NE(script.find("Find.Expr=a=b=c\r\n"), std::string::npos) << "plain lines stay as they were";
  EXPECT_NE(script.find("Setup.Literal=100%250D and %2525 and %\r\n"), std::string::npos);
  EXPECT_EQ(script.find("F9"), std::string::npos);
  EXPECT_LT(script.find("Data."), script.find("Find.")) << "sections in their order";

  TRegistry().DeleteKey(Key);
  EXPECT_EQ(ReadSettingsScript(Key, script), 14);
  for (const char* s : sections) EXPECT_EQ(Get(s, std::string(s) + "_Value"), std::string("v of ") + s);
  EXPECT_EQ(Get("Rollup", "Ctrl+="), "begin\r\n  x := 1;\r\nend;\r\n");
  EXPECT_EQ(Get("Setup", "Literal"), "100%0D and %25 and %");
  EXPECT_EQ(Get("Find", "Expr"), "a=b=c");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  EXPECT_EQ(reg.GetDataType("Extraspacing_Value"), rdString);
  EXPECT_EQ(reg.ReadString("Extraspacing_Value"), "3");
}

TEST_F(SettingsScript, ForeignAndMalformedLinesWriteNothing) {
  const std::string script =
      "FileTypes\\Batch.F9=format c:\r\n"  // runs programs: never from a script
      "FileTypes.X=1\r\n"
      "Documents.C:\\a.pas=x\r\n"
      "NoDotHere=1\r\n"
      "Setup.NoEquals\r\n"
      "\r\n"
      "=.x\r\n"
      "a=b.c\r\n"
      "setup.Bold_Checked=True\n"  // section names without case, LF alone ends a line
      "Main.Top=5";
  EXPECT_EQ(ReadSettingsScript(Key, script), 2);
  EXPECT_EQ(Get("Setup", "Bold_Checked"), "True");
  EXPECT_EQ(Get("Main", "Top"), "5");
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key + "\\FileTypes"));
  EXPECT_FALSE(reg.KeyExists(Key + "\\Documents"));
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
  EXPECT_FALSE(reg.ValueExists("")) << "nothing lands on the program's key itself";
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.GetCount(), 1);
}

TEST_F(SettingsScript, GoesThroughAFile) {
  Put("TCalc", "Memory", "42");
  const std::string file = Key.substr(Key.rfind('\\') + 1) + ".tq";
  SaveSettingsScriptFile(Key, file);
  TRegistry().DeleteKey(Key);
  EXPECT_EQ(LoadSettingsScriptFile(Key, file), 1);
  EXPECT_EQ(Get("TCalc", "Memory"), "42");
  FileDelete(file);
  EXPECT_THROW(LoadSettingsScriptFile(Key, file), Exception);
}

// ---------------------------------------------------------------------------
class Association : public TAppKeyCase {
protected:
  TAssociationTarget Target() const {
    TAssociationTarget t;
    t.ClassesRoot = rkCurrentUser;
    t.ClassesBase = Key + "\\Classes";
    t.UninstallKey = Key + "\\Uninstall";
    return t;
  }
  std::string Default(const std::string& sub) {
    TRegistry reg;
    std::string text = "<none>";
    if (reg.OpenKeyReadOnly(Key + "\\Classes\\" + sub)) reg.ReadValueText("", text);
    return text;
  }
};

TEST_F(Association, WritesAQuotedCommandAndKeepsThePreviousClassOnce) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Classes\\.tqa", true));
    reg.WriteString("", "OtherEditor");
  }
  const std::string exe = "C:\\Program Files\\Tarnquill\\Tarnquill.exe";
  ASSERT_TRUE(AssociateExtensions({"tqa", "", "tq b", "tqc"}, "TQ Files", exe, Target()));
  ASSERT_TRUE(AssociateExtensions({"tqa"}, "TQ Files", exe, Target()));  // again

  EXPECT_EQ(Default(".tqa"), "Tarnquill");
  EXPECT_EQ(Default(".tqc"), "Tarnquill");
  EXPECT_EQ(Default("Tarnquill"), "TQ Files");
  EXPECT_EQ(Default("Tarnquill\\shell\\open\\command"),
            "\"C:\\Program Files\\Tarnquill\\Tarnquill.exe\" \"%1\"");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Uninstall"));
  EXPECT_EQ(reg.ReadString(".tqa"), "OtherEditor") << "the second association keeps the first record";
  EXPECT_TRUE(reg.ValueExists(".tqc"));
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.GetCount(), 2);
  EXPECT_FALSE(reg.KeyExists(Key + "\\Classes\\.tq b"));
}

TEST(AssociableExtension, OnlyPlainNamesBecomeKeys) {
  for (const char* ok : {"pas", "c", "htm_1", "TXT"}) EXPECT_TRUE(IsAssociableExtension(ok)) << ok;
  for (const char* bad : {"", "a b", "a\\b", "a/b", "*", "p?s", ".pas", "tar.gz"})
    EXPECT_FALSE(IsAssociableExtension(bad)) << bad;
}

#ifndef _WIN32
TEST_F(Association, AFailedWriteStopsTheLoop) {
  SetMemoryRegistryWriteBudget(4);  // the first extension's four values
  const bool ok = AssociateExtensions({"tqa", "tqb"}, "TQ", "C:\\t.exe", Target());
  SetMemoryRegistryWriteBudget(-1);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Default(".tqa"), "Tarnquill");
  EXPECT_NE(Default(".tqb"), "Tarnquill");
}
#endif

// ---------------------------------------------------------------------------
class FileTypesPage : public ::testing::Test {
protected:
  FileTypesPage() {
    ClearFileTypes();
    SetFileType("Java", "Java Files", "java", "", "", "", "Java", EmptyCodeInsight);
    SetFileType("Java2", "Java Files", "jav", "", "", "", "Java", EmptyCodeInsight);
    SetFileType("Batch", "Batch Files", "bat", "", "", "", "Batch", EmptyCodeInsight);
    Page.Refill();
  }
  ~FileTypesPage() override { ClearFileTypes(); }
  TFileTypesPageModel Page;
};

TEST_F(FileTypesPage, EachLineEditsItsOwnRow) {
  ASSERT_EQ(Page.LineCount(), 3);
  EXPECT_EQ(Page.LineText(0), "Batch Files");
  EXPECT_EQ(Page.LineText(1), "Java Files");
  EXPECT_EQ(Page.LineText(2), "Java Files");
  // The second of two equal Descriptions is its own row.
  EXPECT_EQ(Page.FieldText(2, tfName), "Java2");
  EXPECT_TRUE(Page.SetField(2, tfExtension1, "jv2"));
  EXPECT_EQ(::FileTypes[1].Extension1.Str(), "jv2");
  EXPECT_EQ(::FileTypes[0].Extension1.Str(), "java");
  // Typing a Description past another row's leaves that row alone.
  EXPECT_TRUE(Page.SetField(1, tfDescription, "Java Files2"));
  EXPECT_EQ(::FileTypes[0].Description.Str(), "Java Files2");
  EXPECT_EQ(::FileTypes[1].Description.Str(), "Java Files");
  EXPECT_EQ(Page.LineText(1), "Java Files2");
  // Fields keep their widths.
  EXPECT_TRUE(Page.SetField(0, tfExtension1, std::string(40, 'x')));
  EXPECT_EQ(Page.FieldText(0, tfExtension1).size(), 15u);
  Page.SetCodeInsight(0, 26, "zed");
  EXPECT_EQ(::FileTypes[2].CodeInsight[25], "zed");
  EXPECT_EQ(Page.CodeInsightText(0, 26), "zed");
}

TEST_F(FileTypesPage, ANameAnotherRowHasIsRefused) {
  EXPECT_FALSE(Page.SetField(0, tfName, "JAVA")) << "names compare without case";
  EXPECT_EQ(Page.FieldText(0, tfName), "Batch");
  EXPECT_TRUE(Page.SetField(0, tfName, "BATCH")) << "its own name in another case";
  EXPECT_TRUE(Page.SetField(0, tfName, "Cmd"));
  EXPECT_EQ(::FileTypes[2].Name.Str(), "Cmd");
  EXPECT_FALSE(Page.SetField(7, tfName, "X")) << "no such line";
}

// Names the table keeps apart but the registry stores under one subkey.
TEST_F(FileTypesPage, ANameStoredUnderAnotherRowsSubkeyIsRefused) {
  const std::string thirty(30, 'n');
  SetFileType("a\\b", "z slash", "s", "", "", "", "", EmptyCodeInsight);
  SetFileType("Caf\xE9", "z accent", "c", "", "", "", "", EmptyCodeInsight);  // "Cafe" with e acute
  SetFileType(thirty, "z long", "l", "", "", "", "", EmptyCodeInsight);
  Page.Refill();
  ASSERT_EQ(Page.FieldText(0, tfName), "Batch");
  for (const std::string& name : {std::string("a/b"), std::string("A\\B"), std::string("CAF\xC9"),
                                  thirty + "x"}) {
    EXPECT_FALSE(Page.SetField(0, tfName, name)) << name;
    EXPECT_EQ(Page.FieldText(0, tfName), "Batch") << name;
  }
  EXPECT_TRUE(Page.SetField(0, tfName, "a-b"));
  EXPECT_TRUE(Page.SetField(0, tfName, std::string(29, 'n')));
}

TEST_F(FileTypesPage, NewAndDeleteKeepLinesAndRowsTogether) {
  EXPECT_EQ(Page.NewType(), 0);
  EXPECT_EQ(Page.LineCount(), 4);
  EXPECT_EQ(::FileTypes.size(), 4u);
  EXPECT_EQ(Page.RowOf(0), 3);
  EXPECT_EQ(Page.NewType(), 0) << "a second new type is a row of its own";
  EXPECT_EQ(::FileTypes.size(), 5u);
  EXPECT_EQ(Page.RowOf(1), 3);

  // Deleting the first Java row shifts the rows after it.
  EXPECT_EQ(Page.DeleteType(3), 3);
  EXPECT_EQ(::FileTypes.size(), 4u);
  EXPECT_EQ(Page.FieldText(3, tfName), "Java2");
  EXPECT_EQ(Page.FieldText(2, tfName), "Batch");
  EXPECT_EQ(Page.DeleteType(4), 3) << "past the end: the last line";
  while (Page.LineCount() > 1) Page.DeleteType(0);
  EXPECT_EQ(Page.DeleteType(0), -1);
  EXPECT_TRUE(::FileTypes.empty());
}

}  // namespace
