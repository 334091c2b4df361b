// Tests of the SQL highlighter: golden token streams, the invariants, the
// edit and export checks, the keyword data, attributes, export flags, the
// colour sets kept in the registry, and painting without a space attribute.
#include "highlighters/SqlSyn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/CustomEdit.h"
#include "editor/HighlightAttributes.h"
#include "editor/RecordingEditHost.h"
#include "highlighters/KeywordTable.h"
#include "platform/Classes.h"
#include "platform/RecordingCanvas.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

// Every instance reads its colour sets from a key of the test's own, so the
// constructor's import never sees another test's sets.
std::string TestRoot() {
  return std::string("\\Software\\Tarnquill\\Test\\SqlSyn\\") +
         ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

std::unique_ptr<TktCustomHighLighter> MakeSql() {
  return std::make_unique<TrvSQLSyn>(nullptr, TestRoot());
}

const std::set<TktRange> kRanges = {1, 2};

const std::vector<std::string> kFragments = {
    "select", "FROM", "where", "base_name", "x", "@v", ":p", "a@b", "/*", "*/", "/*/", "--", "#",
    "//", "\"", "'", "\\\"", "\\\\", "1e-5", "0x1e-5", "1-e", ".5", "1..2", "e+", "!", "$", "{",
    ";", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xc8", "\x7f"};
const std::vector<std::string> kOpeners = {"/*", "x /* y", "/* a\r"};

TEST(SqlSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeSql, "sql", {"tokens.golden", "comments.golden"});
}

TEST(SqlSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeSql, kRanges, kFragments, kOpeners));
}

TEST(SqlSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakeSql, kFragments, kOpeners));
}

TEST(SqlSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakeSql, kFragments, kOpeners));
}

TEST(SqlSyn, StoredRangeOutsideTheDeclaredValuesIsCode) {
  TrvSQLSyn hl(nullptr, TestRoot());
  for (TktRange bad : {TktRange(0), TktRange(3), TktRange(255), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TrvSQLSyn::rsUnknown) << bad;
    hl.SetLine("x */", 1);
    EXPECT_EQ(hl.GetTokenKind(), TrvSQLSyn::tkIdentifier) << bad;
  }
}

const std::vector<std::string> kWords = {
    "ACTIVE", "AFTER", "ALL", "ALTER", "AND", "ANY", "AS", "ASC", "ASCENDING", "AT", "AUTO",
    "BASE_NAME", "BEFORE", "BEGIN", "BETWEEN", "BY", "CACHE", "CAST", "CHECK", "COLUMN", "COMMIT",
    "COMMITTED", "COMPUTED", "CONDITIONAL", "CONSTRAINT", "CONTAINING", "COUNT", "CREATE",
    "CURRENT", "CURSOR", "DATABASE", "DEBUG", "DECLARE", "DEFAULT", "DELETE", "DESC", "DESCENDING",
    "DISTINCT", "DO", "DOMAIN", "DROP", "ELSE", "END", "ENTRY_POINT", "ESCAPE", "EXCEPTION",
    "EXECUTE", "EXISTS", "EXIT", "EXTERNAL", "EXTRACT", "FILTER", "FOR", "FOREIGN", "FROM", "FULL",
    "FUNCTION", "GENERATOR", "GRANT", "GROUP", "HAVING", "IF", "IN", "INACTIVE", "INDEX", "INNER",
    "INSERT", "INTO", "IS", "ISOLATION", "JOIN", "KEY", "LEFT", "LEVEL", "LIKE", "MERGE", "NAMES",
    "NO", "NOT", "NULL", "OF", "ON", "ONLY", "OR", "ORDER", "OUTER", "PARAMETER", "PASSWORD",
    "PLAN", "POSITION", "PRIMARY", "PRIVILEGES", "PROCEDURE", "PROTECTED", "READ", "RETAIN",
    "RETURNS", "REVOKE", "RIGHT", "ROLLBACK", "SCHEMA", "SELECT", "SET", "SHADOW", "SHARED",
    "SNAPSHOT", "SOME", "SUSPEND", "TABLE", "THEN", "TO", "TRANSACTION", "TRIGGER", "UNCOMMITTED",
    "UNION", "UNIQUE", "UPDATE", "USER", "USING", "VALUES", "VIEW", "WAIT", "WHEN", "WHERE",
    "WHILE", "WITH", "WORK",
};

TEST(SqlSynKeywords, TableHoldsTheHundredAndTwentySevenWords) {
  const TKeywordTable& table = TrvSQLSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 158);
  ASSERT_EQ(kWords.size(), 127u);
  ExpectNoFaults(CheckKeywordData(table, kWords));
  TrvSQLSyn hl(nullptr, TestRoot());
  for (const std::string& w : kWords) {
    for (const std::string& v : {w, LowerCase(w)}) {
      const std::string line = v + ";";
      hl.SetLine(line, 1);
      EXPECT_EQ(hl.GetTokenKind(), TrvSQLSyn::tkKey) << v;
      EXPECT_EQ(hl.GetToken(), v);
    }
    const std::string longer = w + "X";
    hl.SetLine(longer, 1);
    EXPECT_EQ(hl.GetTokenKind(), TrvSQLSyn::tkIdentifier) << w;
  }
}

TEST(SqlSyn, AttributesAndIdentity) {
  TrvSQLSyn hl(nullptr, TestRoot());
  EXPECT_EQ(AttributeNames(hl),
            (std::vector<std::string>{"Comment", "Identifier", "Number", "Parameter",
                                      "Reserved word", "String", "Symbol", "Variable"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"CommentAttri", "IdentifierAttri", "VariableAttri",
                                      "ParameterAttri", "KeyAttri", "NumberAttri", "StringAttri",
                                      "SymbolAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "ParameterAttri")), hl.GetParameterAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
    EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone);
    EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), nullptr);
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "SQL");
  EXPECT_EQ(hl.GetDefaultFilter(), "SQL files (*.sql)|*.sql");
  EXPECT_EQ(hl.GetCapability(), 7);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) EXPECT_EQ(ident.Contains(static_cast<char>(c)), c >= 33) << c;
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 2);
}

TEST(SqlSyn, ExportFlagsAndAttributesByKind) {
  TrvSQLSyn hl(nullptr, TestRoot());
  EXPECT_EQ(CheckExportCalls(hl, "x in 1 'a'@v :p !--c",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSymbolAttri(), true, false},
                              {"in", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSymbolAttri(), true, false},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSymbolAttri(), true, false},
                              {"'a'", hl.GetStringAttri(), true, false},
                              {"@v ", hl.GetVariableAttri(), false, false},
                              {":p ", hl.GetParameterAttri(), false, false},
                              {"!", hl.GetSymbolAttri(), true, false},
                              {"--c", hl.GetCommentAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
}

// Without a space attribute blanks and the rest of each row are painted in
// the editor's own colours.
TEST(SqlSyn, PaintingUsesTheEditorsColoursForBlanks) {
  TktRecordingEditHost host;
  TktCustomEdit edit(nullptr);
  edit.SetHost(&host);
  edit.SetColor(clSilver);
  TrvSQLSyn hl(nullptr, TestRoot());
  hl.GetKeyAttri()->SetBackground(clYellow);
  edit.SetText("select  x\r\n");
  edit.SetHighLighter(&hl);
  TRecordingCanvas canvas(TRect(0, 0, 400, 300));
  edit.Paint(canvas);
  bool sawKey = false, sawBlank = false, sawFill = false;
  for (const TCanvasOp& op : canvas.Ops()) {
    if (op.Kind == coExtTextOut && op.Text == "select") {
      sawKey = true;
      EXPECT_EQ(op.BrushColor, clYellow);
    } else if (op.Kind == coExtTextOut && op.Text.find("  ") != std::string::npos) {
      sawBlank = true;  // the blanks, joined to the run after them
      EXPECT_EQ(op.BrushColor, clSilver);
    } else if (op.Kind == coFillRect && op.Rect.Left >= 30) {
      sawFill = true;
      EXPECT_EQ(op.BrushColor, clSilver) << op.Rect.Left << "," << op.Rect.Top;
    }
  }
  EXPECT_TRUE(sawKey);
  EXPECT_TRUE(sawBlank);
  EXPECT_TRUE(sawFill);
  edit.SetHighLighter(nullptr);
}

// ---------------------------------------------------------------------------
// Colour sets.
// ---------------------------------------------------------------------------

class SqlSynSets : public ::testing::Test {
protected:
  void SetUp() override { FRoot = TestRoot(); }
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(FRoot);
  }
  std::string SetKey(const std::string& set) const {
    return FRoot + "\\Software\\ktEdit team\\Highlighters\\SQL\\" + set;
  }
  // Writes an attribute of a set.
  void Write(const std::string& set, const std::string& attribute, int fg, int bg, int style) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(SetKey(set) + "\\" + attribute, true));
    reg.WriteInteger("Foreground", fg);
    reg.WriteInteger("Background", bg);
    reg.WriteInteger("Style", style);
  }
  static void ExpectUntouched(TrvSQLSyn& hl) {
    for (int i = 0; i < hl.GetAttribCount(); ++i) {
      EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone) << hl.GetAttribute(i)->GetName();
      EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone) << hl.GetAttribute(i)->GetName();
      EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty()) << hl.GetAttribute(i)->GetName();
    }
  }
  std::string FRoot;
};

TEST_F(SqlSynSets, WithoutTheKeyNothingIsListedOrImported) {
  TrvSQLSyn hl(nullptr, FRoot);
  TStringList list;
  list.Add("kept");
  hl.ListAttributeSets(&list);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.Get(0), "kept");
  EXPECT_FALSE(hl.ImportAttributeSet(0));
  ExpectUntouched(hl);
}

TEST_F(SqlSynSets, TheConstructorImportsTheFirstSet) {
  Write("Bright", "Reserved word", clGreen, clWhite, 1);
  Write("Bright", "Parameter", clMaroon, clNone, 2);
  Write("Dark", "Reserved word", clLime, clBlack, 0);
  TrvSQLSyn hl(nullptr, FRoot);
  TStringList list;
  hl.ListAttributeSets(&list);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(0), "Bright");
  EXPECT_EQ(list.Get(1), "Dark");
  EXPECT_EQ(hl.GetKeyAttri()->GetForeground(), clGreen);
  EXPECT_EQ(hl.GetKeyAttri()->GetBackground(), clWhite);
  EXPECT_EQ(hl.GetKeyAttri()->GetStyle(), TFontStyles{fsBold});
  EXPECT_EQ(hl.GetParameterAttri()->GetForeground(), clMaroon);
  EXPECT_EQ(hl.GetParameterAttri()->GetStyle(), TFontStyles{fsItalic});
  // Attributes the set does not name stay as they were.
  EXPECT_EQ(hl.GetCommentAttri()->GetForeground(), clNone);
  ASSERT_TRUE(hl.ImportAttributeSet(1));
  EXPECT_EQ(hl.GetKeyAttri()->GetForeground(), clLime);
  EXPECT_EQ(hl.GetKeyAttri()->GetBackground(), clBlack);
  EXPECT_TRUE(hl.GetKeyAttri()->GetStyle().Empty());
  EXPECT_EQ(hl.GetParameterAttri()->GetForeground(), clMaroon);
  EXPECT_FALSE(hl.ImportAttributeSet(2));
  EXPECT_FALSE(hl.ImportAttributeSet(-1));
  EXPECT_EQ(hl.GetKeyAttri()->GetForeground(), clLime);
}

TEST_F(SqlSynSets, AMissingValueKeepsThatProperty) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(SetKey("Partial") + "\\Comment", true));
    reg.WriteInteger("Foreground", clNavy);
  }
  TrvSQLSyn hl(nullptr, FRoot);
  EXPECT_EQ(hl.GetCommentAttri()->GetForeground(), clNavy);
  EXPECT_EQ(hl.GetCommentAttri()->GetBackground(), clNone);
}

TEST_F(SqlSynSets, AValueOfTheWrongTypeRestoresEveryAttribute) {
  Write("Bad", "Comment", clNavy, clWhite, 2);
  Write("Bad", "Symbol", clPurple, clWhite, 0);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(SetKey("Bad") + "\\String", true));
    reg.WriteString("Foreground", "red");
  }
  TrvSQLSyn hl(nullptr, FRoot);  // its import fails: nothing changes
  ExpectUntouched(hl);
  hl.GetCommentAttri()->SetForeground(clTeal);
  EXPECT_FALSE(hl.ImportAttributeSet(0));
  EXPECT_EQ(hl.GetCommentAttri()->GetForeground(), clTeal);
  EXPECT_EQ(hl.GetSymbolAttri()->GetForeground(), clNone);
}

}  // namespace
