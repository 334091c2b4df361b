// A fresh installation replayed against the registry: the default settings,
// the installer's exit save of the file types, a new start reading them
// back, and what counts as a first run.
#include "app/settings/DefaultSettings.h"

#include <gtest/gtest.h>

#include "../AppRegistryKey.h"
#include "app/settings/FileTypes.h"
#include "highlighters/PasSyn.h"
#include "kit/PropsStorage.h"
#include "platform/Graphics.h"

namespace {

class DefaultSettings : public TAppKeyCase {};

int ValueCount(const std::string& key) {
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(key)) return -1;
  TStringList names;
  reg.GetValueNames(&names);
  return names.GetCount();
}

TEST_F(DefaultSettings, AFreshInstallationEndsWithCompleteDefaults) {
  EXPECT_TRUE(IsFirstRun());
  {
    // Loading a document records it before anything was installed.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Documents", true));
    reg.WriteString("C:\\a.pas", "x");
  }
  EXPECT_TRUE(IsFirstRun()) << "only Documents: still a first run";

  LoadFileTypes();  // the installer's start: nothing stored yet
  ASSERT_TRUE(::FileTypes.empty());
  WriteDefaultSettings();
  SaveFileTypes();  // the installer's exit
  ClearFileTypes();
  LoadFileTypes();  // the next start
  EXPECT_EQ(::FileTypes.size(), 16u);
  EXPECT_EQ(ValueCount(Key + "\\Data"), 335);
  EXPECT_EQ(ValueCount(Key + "\\Setup"), 29);

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  EXPECT_EQ(reg.ReadString("RightEdge_Value"), "80");
  EXPECT_EQ(reg.ReadString("test_FontName"), "FixedSys");
  EXPECT_EQ(reg.ReadString("ReopenCount_Value"), "10");
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Data"));
  EXPECT_EQ(reg.ReadString("HTML1_ASPAttriBackground"), "65535");
  EXPECT_EQ(reg.ReadString("HTML1_SymbolAttriForeground"), "128");
  EXPECT_EQ(reg.ReadString("SQL_VariableAttriForeground"), "8388736");
  EXPECT_EQ(reg.ReadString("SQL_ParameterAttriForeground"), "128");
  // No attribute that draws text is written in its own background colour
  // (blanks draw no ink).
  TStringList names;
  reg.GetValueNames(&names);
  int walked = 0;
  for (int i = 0; i < names.GetCount(); ++i) {
    const std::string name = names.Get(i);
    const size_t at = name.find("AttriForeground");
    if (at == std::string::npos || at + 15 != name.size()) continue;
    ++walked;
    if (name.find("_SpaceAttri") != std::string::npos) continue;
    const std::string attr = name.substr(0, at + 5);
    EXPECT_NE(reg.ReadString(attr + "Foreground"), reg.ReadString(attr + "Background")) << attr;
  }
  EXPECT_EQ(walked, 111);
  EXPECT_EQ(reg.ReadString("Ini_SectionAttriForeground"), "16711680");
  EXPECT_EQ(reg.ReadString("C_DirecAttriForeground"), "0");
  EXPECT_EQ(reg.ReadString("VisualBasic_KeyAttriStyle"), "[]");

  // The data module's Pascal highlighter takes its colours from "Data".
  TComponent dataModule(nullptr);
  dataModule.SetName("Data");
  auto* pascal = new TktPasSyn(&dataModule);
  pascal->SetName("Pascal");
  pascal->GetCommentAttri()->SetStyle(TFontStyles{fsItalic});
  TStringList props;
  for (const char* attr : {"CommentAttri", "KeyAttri", "StringAttri"}) props.Add(std::string("Pascal.") + attr);
  TRegIniFile ini(Key, rkCurrentUser, true);
  LoadComponentProps(ini, "Data", &dataModule, &props);
  EXPECT_EQ(pascal->GetCommentAttri()->GetForeground(), clNavy);
  EXPECT_EQ(pascal->GetCommentAttri()->GetBackground(), clWhite);
  EXPECT_EQ(pascal->GetCommentAttri()->GetStyle(), TFontStyles{}) << "[]: no style";
  EXPECT_EQ(pascal->GetKeyAttri()->GetForeground(), clGreen);
  EXPECT_EQ(pascal->GetStringAttri()->GetForeground(), clRed);

  EXPECT_TRUE(IsFirstRun());
  ASSERT_TRUE(reg.OpenKey(Key, false));
  reg.WriteString("Version", "1.0.0.1");
  EXPECT_FALSE(IsFirstRun());
}

TEST_F(DefaultSettings, OtherValuesStayAndTheTableIsReplacedWhole) {
  SetFileType("Mine", "My own", "my", "", "", "", "", EmptyCodeInsight);
  SaveFileTypes();
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Setup", true));
    reg.WriteString("Own_Value", "kept");
    reg.WriteString("RightEdge_Value", "120");
  }
  WriteDefaultSettings();
  EXPECT_EQ(FindFileTypeByName("Mine"), -1);
  EXPECT_EQ(::FileTypes.size(), 16u);
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key + "\\FileTypes\\Mine"));
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  EXPECT_EQ(reg.ReadString("Own_Value"), "kept");
  EXPECT_EQ(reg.ReadString("RightEdge_Value"), "80");
  ClearFileTypes();
}

}  // namespace
