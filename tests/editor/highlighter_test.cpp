// Token attributes and the highlighter base: change reports, the attribute
// list, registry load and save, and colour imports from other IDEs' settings.
// Registry cases run in keys of their own (the real registry under Wine).
#include <gtest/gtest.h>

#include "BraceHighlighter.h"
#include "editor/Highlighter.h"
#include "editor/LocalStr.h"
#include "platform/Registry.h"

namespace {

class RegistryCase : public ::testing::Test {
protected:
  void SetUp() override {
    Base = std::string("\\Software\\Tarnquill\\Test\\editor_highlighter_test\\") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    TRegistry cleaner;
    cleaner.DeleteKey(Base);
  }
  void TearDown() override {
    TRegistry cleaner;
    cleaner.DeleteKey(Base);
  }
  std::string Base;
};

// A highlighter with three attributes wired the way every member wires them.
class TThreeAttrHighlighter : public TBraceHighlighter {
public:
  TThreeAttrHighlighter() {
    Comment = AddAttribute(std::make_unique<TktHighLightAttributes>(SAttrComment));
    Space = AddAttribute(std::make_unique<TktHighLightAttributes>(SAttrSpace));
    Key = AddAttribute(std::make_unique<TktHighLightAttributes>(SAttrReservedWord));
    SetAttributesOnChange([this](TObject* s) { DefHighlightChange(s); });
  }
  TktHighLightAttributes* Comment;
  TktHighLightAttributes* Space;
  TktHighLightAttributes* Key;
};

struct TRepaintCounter {
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};

}  // namespace

TEST(HighLightAttributes, FreshAttributeAndItsChangeReports) {
  TktHighLightAttributes a("Comment");
  EXPECT_EQ(a.GetBackground(), clNone);
  EXPECT_EQ(a.GetForeground(), 536870911);
  EXPECT_TRUE(a.GetStyle().Empty());
  int changes = 0;
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++changes;
  };
  a.SetForeground(clNone);  // unchanged: no report
  a.SetStyle({});
  EXPECT_EQ(changes, 0);
  a.SetForeground(clRed);
  a.SetStyle({fsBold, fsUnderline});
  EXPECT_EQ(changes, 2);

  TktHighLightAttributes b("Other");
  int bChanges = 0;
  b.OnChange = [&](TObject*) { ++bChanges; };
  b.Assign(&a);
  EXPECT_EQ(bChanges, 1);  // once for all three values
  EXPECT_EQ(b.GetName(), "Comment");
  EXPECT_EQ(b.GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  b.Assign(&a);
  EXPECT_EQ(bChanges, 1);
  EXPECT_EQ(TktHighLightAttributes::StyleToInt({fsItalic, fsStrikeOut}), 10);
  EXPECT_EQ(TktHighLightAttributes::IntToStyle(15), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
}

TEST_F(RegistryCase, AttributeRoundTripsThroughTheRegistry) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Base, true));
  TktHighLightAttributes fresh("Space");
  ASSERT_TRUE(fresh.SaveToRegistry(reg));
  EXPECT_EQ(reg.GetCurrentPath(), Base.substr(1));  // back where it was
  ASSERT_TRUE(reg.OpenKey("Space", false));
  EXPECT_EQ(reg.ReadInteger("Background"), 536870911);
  EXPECT_EQ(reg.ReadInteger("Foreground"), 536870911);
  EXPECT_EQ(reg.ReadInteger("Style"), 0);
  reg.WriteInteger("Foreground", clBlue);
  reg.DeleteValue("Style");
  ASSERT_TRUE(reg.OpenKey(Base, false));

  TktHighLightAttributes loaded("Space");
  loaded.SetStyle({fsItalic});
  ASSERT_TRUE(loaded.LoadFromRegistry(reg));
  EXPECT_EQ(loaded.GetForeground(), clBlue);
  EXPECT_EQ(loaded.GetStyle(), TFontStyles{fsItalic});  // no "Style": kept
  EXPECT_EQ(reg.GetCurrentPath(), Base.substr(1));

  TktHighLightAttributes missing("NoSuchKey");
  EXPECT_FALSE(missing.LoadFromRegistry(reg));
  EXPECT_EQ(reg.GetCurrentPath(), Base.substr(1));

  // A value of the wrong type is a failure, not an exception.
  ASSERT_TRUE(reg.OpenKey("Space", false));
  reg.WriteString("Background", "red");
  ASSERT_TRUE(reg.OpenKey(Base, false));
  EXPECT_FALSE(loaded.LoadFromRegistry(reg));
  EXPECT_EQ(loaded.GetBackground(), clNone);
}

TEST_F(RegistryCase, HighlighterSavesAndLoadsEveryAttribute) {
  TThreeAttrHighlighter saved;
  saved.Comment->SetForeground(clGreen);
  saved.Key->SetStyle({fsBold});
  ASSERT_TRUE(saved.SaveToRegistry(rkCurrentUser, Base));
  TThreeAttrHighlighter loaded;
  ASSERT_TRUE(loaded.LoadFromRegistry(rkCurrentUser, Base));
  EXPECT_EQ(loaded.Comment->GetForeground(), clGreen);
  EXPECT_EQ(loaded.Key->GetStyle(), TFontStyles{fsBold});
  TThreeAttrHighlighter other;
  EXPECT_FALSE(other.LoadFromRegistry(rkCurrentUser, Base + "\\Absent"));
  // The first attribute in list order that fails stops the load.
  TRegistry reg;
  reg.DeleteKey(Base + "\\" + SAttrReservedWord);
  EXPECT_FALSE(other.LoadFromRegistry(rkCurrentUser, Base));
}

TEST(CustomHighLighter, AttributeListAndDefaults) {
  TThreeAttrHighlighter hl;
  EXPECT_EQ(hl.GetLanguageName(), "<Unknown>");
  EXPECT_EQ(hl.GetCapability(), hcRegistry);
  EXPECT_EQ(hl.GetAttribCount(), 3);
  EXPECT_EQ(hl.GetAttribute(0), hl.Comment);  // sorted by name
  EXPECT_EQ(hl.GetAttribute(1), hl.Key);
  EXPECT_EQ(hl.GetAttribute(2), hl.Space);
  EXPECT_EQ(hl.GetAttribute(3), nullptr);
  EXPECT_EQ(hl.GetAttribute(-1), nullptr);
  EXPECT_THROW(hl.AddAttribute(std::make_unique<TktHighLightAttributes>(SAttrSpace)),
               EStringListError);
  EXPECT_EQ(hl.GetAttribCount(), 3);
  EXPECT_TRUE(hl.GetIdentChars().Contains('!'));
  EXPECT_FALSE(hl.GetIdentChars().Contains(' '));
  EXPECT_FALSE(hl.ImportAttributeSet(0));
  TStringList sets;
  sets.Add("x");
  hl.ListAttributeSets(&sets);
  EXPECT_EQ(sets.GetCount(), 0);
  hl.SetDefaultFilter(SFilterCPP);
  EXPECT_EQ(hl.GetDefaultFilter(), "C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp");
}

TEST(CustomHighLighter, AttributeChangesReachEveryHookedEditor) {
  TThreeAttrHighlighter hl;
  TRepaintCounter first, second;
  hl.HookAttrChangeEvent(NotifyMethod<&TRepaintCounter::Changed>(&first));
  hl.HookAttrChangeEvent(NotifyMethod<&TRepaintCounter::Changed>(&second));
  hl.Comment->SetBackground(clYellow);
  EXPECT_EQ(first.Count, 1);
  EXPECT_EQ(second.Count, 1);
  hl.UnhookAttrChangeEvent(NotifyMethod<&TRepaintCounter::Changed>(&first));
  hl.Space->SetStyle({fsItalic});
  EXPECT_EQ(first.Count, 1);
  EXPECT_EQ(second.Count, 2);
}

TEST(CustomHighLighter, ExportHandsTokensAndTheLineEndToTheExporter) {
  struct TRecordingExport : TktCustomExport {
    using TktCustomExport::TktCustomExport;
    std::vector<std::string> Tokens;
    void FormatToken(std::string_view token, TktHighLightAttributes* attr, bool, bool) override {
      Tokens.push_back(attr == nullptr && token.empty() ? "<eol>" : std::string(token));
      AppendToBuffer(token);
    }
    std::string GetExporterName() const override { return "test"; }
  } exporter(nullptr);
  TBraceHighlighter hl;
  hl.SetExporter(&exporter);
  hl.ResetRange();
  const std::string line = "a{";
  hl.SetLineForExport(line);
  while (!hl.AtLineEnd()) hl.ExportNextToken();
  EXPECT_EQ(exporter.Tokens, (std::vector<std::string>{"a", "{", "<eol>"}));
  EXPECT_EQ(exporter.GetBufferString(), "a{");
  EXPECT_EQ(exporter.GetTitle(), "(Untitled)");
  exporter.SetTitle("");
  EXPECT_EQ(exporter.GetTitle(), "(Untitled)");
  exporter.Clear();
  EXPECT_EQ(exporter.GetBufferString(), "");
}

TEST_F(RegistryCase, ImportsOldFormatIdeColours) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Base, true));
  reg.WriteString("Comment", "0,0,BI,0,1,4,7");
  reg.WriteString("Number", "0,0,U,1,0,2,9");
  reg.WriteString("BadIndex", "0,0,B,0,0,16,1");
  reg.WriteString("Negative", "0,0,B,0,0,3,-1");
  reg.WriteString("Malformed", "0,0,B,0,0,x,1");
  reg.WriteString("Short", "0,0,B,0");
  reg.CloseKey();

  TktHighLightAttributes a("x");
  ASSERT_TRUE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Comment", true));
  EXPECT_EQ(a.GetBackground(), clWindow);
  EXPECT_EQ(a.GetForeground(), clNavy);
  EXPECT_EQ(a.GetStyle(), (TFontStyles{fsBold, fsItalic}));
  ASSERT_TRUE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Number", true));
  EXPECT_EQ(a.GetBackground(), clRed);
  EXPECT_EQ(a.GetForeground(), clWindowText);
  EXPECT_EQ(a.GetStyle(), TFontStyles{fsUnderline});
  for (const char* bad : {"BadIndex", "Negative", "Malformed", "Short", "Absent"}) {
    EXPECT_FALSE(a.LoadFromIdeRegistry(rkCurrentUser, Base, bad, true)) << bad;
    EXPECT_EQ(a.GetBackground(), clRed) << bad;  // unchanged
    EXPECT_EQ(a.GetStyle(), TFontStyles{fsUnderline}) << bad;
  }
}

TEST_F(RegistryCase, ImportsNewFormatIdeColours) {
  TRegistry reg;
  auto element = [&](const std::string& name, int fg, int bg, const char* bold,
                     const char* defFg, const char* defBg) {
    ASSERT_TRUE(reg.OpenKey(Base + "\\" + name, true));
    reg.WriteInteger("Foreground Color", fg);
    reg.WriteInteger("Background Color", bg);
    reg.WriteString("Bold", bold);
    reg.WriteString("Italic", "False");
    reg.WriteString("Underline", "0");
    reg.WriteString("Default Foreground", defFg);
    reg.WriteString("Default Background", defBg);
  };
  element("Reserved word", 12, 15, "True", "false", "FALSE");
  element("Whitespace", 0, 0, "False", "True", "-1");
  element("Bad", 3, 99, "True", "False", "False");
  element("Partial", 3, 3, "True", "False", "False");
  reg.DeleteValue("Underline");
  reg.CloseKey();

  TktHighLightAttributes a("x");
  ASSERT_TRUE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Reserved word", false));
  EXPECT_EQ(a.GetForeground(), clBlue);
  EXPECT_EQ(a.GetBackground(), clWhite);
  EXPECT_EQ(a.GetStyle(), TFontStyles{fsBold});
  ASSERT_TRUE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Whitespace", false));
  EXPECT_EQ(a.GetForeground(), clWindowText);
  EXPECT_EQ(a.GetBackground(), clWindow);
  EXPECT_TRUE(a.GetStyle().Empty());
  EXPECT_FALSE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Bad", false));
  EXPECT_FALSE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Partial", false));
  EXPECT_FALSE(a.LoadFromIdeRegistry(rkCurrentUser, Base, "Absent", false));
  EXPECT_EQ(a.GetBackground(), clWindow);
}
