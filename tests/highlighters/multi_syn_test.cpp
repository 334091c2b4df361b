// Tests of the multi-language highlighter: the application's schemes over
// the real HTML, JavaScript, VBScript and Visual Basic highlighters (golden token
// streams and the invariants), the range layout, markers, schemes that
// cannot work, highlighters that go away, and export.
#include "highlighters/MultiSyn.h"

#include <gtest/gtest.h>

#include <map>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "highlighters/CppSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/VbsSyn.h"
#include "highlighters/VisualBasicSyn.h"
#include "platform/TypInfo.h"

namespace {

// The application's instance: its sub-highlighters are owned by it here,
// so the factory hands out one object.
std::unique_ptr<TrvMultiSyn> MakeAppMulti() {
  auto multi = std::make_unique<TrvMultiSyn>(nullptr);
  SetApplicationSchemes(*multi, new TejHTMLSyn(multi.get()), new TktJScriptSyn(multi.get()),
                        new TyfVbsSyn(multi.get()), new TpsVisualBasicSyn(multi.get()));
  return multi;
}
std::unique_ptr<TktCustomHighLighter> MakeMulti() { return MakeAppMulti(); }

// Every range the application's instance can end a line with.
std::set<TktRange> AppRanges() {
  const std::vector<TktRange> html = {1, 2, 3, 4, 5, 7};
  std::set<TktRange> ranges(html.begin(), html.end());
  // JavaScript (1 code, 2 comment), VBScript (1), Visual Basic (0).
  const std::pair<int, TktRange> schemes[] = {{0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 1}, {2, 2},
                                              {3, 1}, {3, 2}, {4, 1}, {4, 2}, {5, 1},
                                              {6, 1}, {7, 1}, {8, 0}};
  for (auto [scheme, sub] : schemes)
    for (TktRange h : html) ranges.insert((TktRange(scheme + 1) << 16) | (h << 8) | sub);
  return ranges;
}

TEST(MultiSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeMulti, "multi", {"schemes.golden", "scripts.golden", "scheme5-end.golden"});
}

const std::vector<std::string> kFragments = {
    "<script language=\"JavaScript\">", "=\"JScript\">", "= \"JavaScript\">", "/*", "*/",
    "<%", "%>", "<script language=\"VBScript\">", "</script>", "</Script>", "=\"VBScript\">",
    "= \"VBScript\">", "<", ">", "\"", "'", "=", "&amp;", "<!--", "-->", "Dim", "td", " ",
    "\t", "\r", "\n", std::string(1, '\0'), "\xff", "#", "%"};
const std::vector<std::string> kOpeners = {
    "<script language=\"JavaScript\">/*", "<a =\"JScript\">", "<%", "<script language=\"VBScript\">", "<a =\"VBScript\">", "<!--", "<a b=\"c", "<!-- <%"};

TEST(MultiSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeMulti, AppRanges(), kFragments, kOpeners));
}

// Edits inside, across and around script blocks leave every stored range as
// a whole scan gives it.
TEST(MultiSyn, EditsKeepTheStoredRanges) {
  EXPECT_EQ(CheckEditedRanges(MakeMulti, kFragments, kOpeners), std::vector<std::string>());
}

// Scans a line from range and returns the range at its end.
TktRange ScanToEnd(TktCustomHighLighter& hl, const std::string& line, TktRange range) {
  return ScanLine(hl, line, 1, range).EndRange;
}

TEST(MultiSyn, RangeHoldsTheSchemeAndTheDefaultHighlightersRangeAtEntry) {
  auto multi = MakeAppMulti();
  TktCustomHighLighter* html = multi->GetDefaultHighlighter();
  // Entered inside a tag (HTML range 4): kept in bits 8-15 and given back
  // when the block ends, whatever the block did in between.
  const TktRange inside = ScanToEnd(*multi, "<a <%", TejHTMLSyn::rsText);
  EXPECT_EQ(inside, (TktRange(9) << 16) | (4 << 8) | 0);
  EXPECT_EQ(multi->GetCurrentScheme(), 8);
  const TLineScan closing = ScanLine(*multi, "x %>b", 2, inside);
  EXPECT_EQ(closing.Tokens.back().Text, "b");
  EXPECT_EQ(closing.Tokens.back().Kind, TejHTMLSyn::tkIdentifier);  // an attribute name
  EXPECT_EQ(closing.EndRange, TejHTMLSyn::rsParam);
  EXPECT_EQ(html->GetRange(), TejHTMLSyn::rsParam);
}

TEST(MultiSyn, AStoredRangeNamingASchemeNoLongerThereReadsAsOutside) {
  auto multi = MakeAppMulti();
  const TktRange inside = ScanToEnd(*multi, "<a <%", TejHTMLSyn::rsText);
  multi->GetSchemes()->Delete(8);
  const TLineScan scan = ScanLine(*multi, "x %", 1, inside);
  EXPECT_EQ(multi->GetCurrentScheme(), -1);
  // HTML goes on where the block was entered: inside the tag.
  ASSERT_FALSE(scan.Tokens.empty());
  EXPECT_EQ(scan.Tokens[0].Kind, TejHTMLSyn::tkIdentifier);
  EXPECT_EQ(scan.EndRange, TejHTMLSyn::rsParam);
  // A scheme number past every scheme, and one whose scheme cannot work.
  EXPECT_EQ(ScanToEnd(*multi, "x", TktRange(100) << 16 | (2 << 8)), TejHTMLSyn::rsComment);
  multi->GetSchemes()->GetItem(5)->SetEndExpr("");
  EXPECT_EQ(ScanToEnd(*multi, "x", TktRange(6) << 16 | (5 << 8) | 1), TejHTMLSyn::rsText);
}

TEST(MultiSyn, ResetRangeAndSchemeEntryResetTheHighlighters) {
  TrvMultiSyn multi(nullptr);
  auto* html = new TejHTMLSyn(&multi);
  auto* pascal = new TktPasSyn(&multi);
  multi.SetDefaultHighlighter(html);
  TgmScheme* scheme = multi.GetSchemes()->Add();
  scheme->SetStartExpr("\\[\\[");
  scheme->SetEndExpr("\\]\\]");
  scheme->SetHighlighter(pascal);
  // The block ends inside a Pascal comment; the next block starts afresh.
  ScanLine(multi, "[[ { ]]", 1, TejHTMLSyn::rsText);
  EXPECT_EQ(pascal->GetRange(), TktPasSyn::rsBor);
  const TLineScan again = ScanLine(multi, "[[x", 2, TejHTMLSyn::rsText, false);
  ASSERT_EQ(again.Tokens.size(), 2u);
  EXPECT_EQ(again.Tokens[1].Kind, TktPasSyn::tkIdentifier);
  // ResetRange puts the default highlighter back at the start of a text.
  multi.SetRange(TejHTMLSyn::rsComment);
  EXPECT_EQ(html->GetRange(), TejHTMLSyn::rsComment);
  multi.ResetRange();
  EXPECT_EQ(html->GetRange(), TejHTMLSyn::rsText);
  EXPECT_EQ(multi.GetRange(), TejHTMLSyn::rsText);
}

// The highlighter that colours a line sees all of it, an empty line and the
// empty end after a marker included, so its range goes on from line to line
// as it does when it colours the text alone.
TEST(MultiSyn, TheActiveHighlighterSeesEveryLineAndItsEnd) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    size_t firstOwn;  // lines before it belong to the markers' set-up
  } cases[] = {
      {"default, a continued directive then an empty line", {"#define X \\", "", "int y;"}, 0},
      {"default, two empty lines", {"#define X \\", "", "", "int y;"}, 0},
      {"default, an empty line after a block", {"[[x]]", "#define X \\", "", "int y;"}, 1},
      {"inside a block", {"[[", "#define X \\", "", "int y;"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TrvMultiSyn multi(nullptr);
    auto* cpp = new TDcjCppSyn(&multi);
    auto* inner = new TDcjCppSyn(&multi);
    multi.SetDefaultHighlighter(cpp);
    TgmScheme* scheme = multi.GetSchemes()->Add();
    scheme->SetStartExpr("\\[\\[");
    scheme->SetEndExpr("\\]\\]");
    scheme->SetHighlighter(inner);
    multi.ResetRange();
    const std::vector<TLineScan> mixed = ScanText(multi, c.lines, multi.GetRange());
    TDcjCppSyn alone(nullptr);
    alone.ResetRange();
    const std::vector<std::string> own(c.lines.begin() + long(c.firstOwn), c.lines.end());
    const std::vector<TLineScan> plain = ScanText(alone, own, alone.GetRange());
    for (size_t i = 0; i < own.size(); ++i) {
      SCOPED_TRACE(own[i]);
      ASSERT_EQ(mixed[c.firstOwn + i].Tokens.size(), plain[i].Tokens.size());
      for (size_t t = 0; t < plain[i].Tokens.size(); ++t) {
        EXPECT_EQ(mixed[c.firstOwn + i].Tokens[t].Text, plain[i].Tokens[t].Text);
        EXPECT_EQ(mixed[c.firstOwn + i].Tokens[t].Kind, plain[i].Tokens[t].Kind);
      }
      EXPECT_EQ(mixed[c.firstOwn + i].EndRange & 0xFF, plain[i].EndRange);
    }
  }
}

TEST(MultiSyn, WithoutADefaultHighlighterALineIsOneToken) {
  TrvMultiSyn multi(nullptr);
  multi.ResetRange();
  EXPECT_EQ(multi.GetRange(), 0);
  const std::string line = "a <% b %>";
  multi.SetLine(line, 1);
  ASSERT_FALSE(multi.AtLineEnd());
  EXPECT_EQ(multi.GetToken(), line);
  EXPECT_EQ(multi.GetTokenPos(), 0);
  EXPECT_EQ(multi.GetTokenKind(), 0);
  // Painted without colours, but never with nil (which means a line end).
  ASSERT_NE(multi.GetTokenAttribute(), nullptr);
  EXPECT_EQ(multi.GetTokenAttribute()->GetForeground(), clNone);
  EXPECT_EQ(multi.GetTokenAttribute()->GetBackground(), clNone);
  multi.Next();
  EXPECT_TRUE(multi.AtLineEnd());
  EXPECT_EQ(multi.GetTokenPos(), static_cast<int>(line.size()));
  EXPECT_EQ(multi.GetTokenAttribute(), nullptr);
  multi.SetLine("", 2);
  EXPECT_TRUE(multi.AtLineEnd());
}

TEST(MultiSyn, SchemesThatCannotWorkAreSkipped) {
  TrvMultiSyn multi(nullptr);
  auto* html = new TejHTMLSyn(&multi);
  TrvMultiSyn other(nullptr);
  multi.SetDefaultHighlighter(html);
  struct TCase {
    const char* Start;
    const char* End;
    TktCustomHighLighter* Highlighter;
  } cases[] = {
      {"", "b", html},          // empty start
      {"a", "", html},          // empty end
      {"(a", "b", html},        // does not compile
      {"a", "b**", html},       // does not compile
      {"a", "b", nullptr},      // no highlighter
      {"a", "b", &other},       // multi-language
      {"a", "b", &multi},       // itself
  };
  for (const TCase& c : cases) {
    TgmScheme* s = multi.GetSchemes()->Add();
    s->SetStartExpr(c.Start);
    s->SetEndExpr(c.End);
    s->SetHighlighter(c.Highlighter);
    EXPECT_FALSE(s->IsUsable()) << c.Start << " " << c.End;
  }
  const TLineScan scan = ScanLine(multi, "a x b", 1, TejHTMLSyn::rsText);
  EXPECT_TRUE(multi.GetMarkers().empty());
  ASSERT_EQ(scan.Tokens.size(), 1u);
  EXPECT_EQ(scan.Tokens[0].Kind, TejHTMLSyn::tkText);
  // The same default highlighter refused as the default too.
  multi.SetDefaultHighlighter(&other);
  EXPECT_EQ(multi.GetDefaultHighlighter(), nullptr);
}

TEST(MultiSyn, MarkersSortByPositionStartBeforeEndThenSchemeOrder) {
  TrvMultiSyn multi(nullptr);
  auto* html = new TejHTMLSyn(&multi);
  multi.SetDefaultHighlighter(html);
  const char* exprs[][2] = {{"x", "y"}, {"y", "x"}, {"y", "z*"}};
  for (auto& e : exprs) {
    TgmScheme* s = multi.GetSchemes()->Add();
    s->SetStartExpr(e[0]);
    s->SetEndExpr(e[1]);
    s->SetHighlighter(html);
  }
  multi.SetLine("xyq", 1);
  std::vector<std::tuple<int, bool, int>> got;
  for (const TgmMarker& m : multi.GetMarkers()) {
    got.emplace_back(m.Position, m.IsOpenMarker, m.SchemeIndex);
    EXPECT_EQ(m.Text, std::string(1, "xyq"[m.Position - 1]));
  }
  // "z*" matches only empty texts, which make no marker.
  const std::vector<std::tuple<int, bool, int>> want = {
      {1, true, 0}, {1, false, 1}, {2, true, 1}, {2, true, 2}, {2, false, 0}};
  EXPECT_EQ(got, want);
}

// Plain texts are found without the matcher; they must find what it finds,
// one character past each match included.
TEST(MultiSyn, PlainTextsAndExpressionsFindTheSameMarkers) {
  TrvMultiSyn multi(nullptr);
  auto* html = new TejHTMLSyn(&multi);
  multi.SetDefaultHighlighter(html);
  for (const char* start : {"ab", "[a]b", "a", "[a]"}) {
    TgmScheme* s = multi.GetSchemes()->Add();
    s->SetStartExpr(start);
    s->SetEndExpr("q");
    s->SetHighlighter(html);
  }
  multi.SetLine("abababaaa", 1);
  std::map<int, std::vector<int>> positions;
  for (const TgmMarker& m : multi.GetMarkers())
    if (m.IsOpenMarker) positions[m.SchemeIndex].push_back(m.Position);
  EXPECT_EQ(positions[0], (std::vector<int>{1, 5}));
  EXPECT_EQ(positions[1], positions[0]);
  EXPECT_EQ(positions[2], (std::vector<int>{1, 3, 5, 7, 9}));
  EXPECT_EQ(positions[3], positions[2]);
}

TEST(MultiSyn, HighlightersThatAreFreedAreDropped) {
  TrvMultiSyn multi(nullptr);
  auto html = std::make_unique<TejHTMLSyn>(nullptr);
  auto vb = std::make_unique<TpsVisualBasicSyn>(nullptr);
  SetApplicationSchemes(multi, html.get(), nullptr, nullptr, vb.get());
  EXPECT_EQ(multi.GetSchemes()->GetItem(8)->GetHighlighter(), vb.get());
  vb.reset();
  EXPECT_EQ(multi.GetSchemes()->GetItem(8)->GetHighlighter(), nullptr);
  // Without its scheme, "<%" is HTML's own server-script block.
  EXPECT_EQ(ScanToEnd(multi, "<% x", TejHTMLSyn::rsText), TejHTMLSyn::rsASP);
  html.reset();
  EXPECT_EQ(multi.GetDefaultHighlighter(), nullptr);
  multi.SetLine("a", 1);
  EXPECT_EQ(multi.GetToken(), "a");
}

TEST(MultiSyn, ExportReportsTheCleanError) {
  auto multi = MakeAppMulti();
  EXPECT_EQ(multi->GetCapability(), hcRegistry);
  TktEditList lines;
  lines.Add("<p>a <% b %></p>");
  TktExportDocument document;
  document.Lines = &lines;
  TktHtmlExport exporter(nullptr);
  EXPECT_THROW(exporter.ExportLines(1, 1, multi.get(), document), EAbstractError);
  EXPECT_THROW(multi->SetLineForExport("x"), EAbstractError);
  EXPECT_THROW(multi->ExportNextToken(), EAbstractError);
}

TEST(MultiSyn, IdentityAndPublishedProperties) {
  auto multi = MakeAppMulti();
  EXPECT_EQ(multi->GetLanguageName(), "General Multi-Highlighter");
  EXPECT_EQ(multi->GetAttribCount(), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(multi->GetDefaultAttribute(i), nullptr);
  EXPECT_EQ(GetObjectProp(multi.get(), GetPropInfoOrError(multi.get(), "DefaultHighlighter")),
            multi->GetDefaultHighlighter());
  TgmScheme* nine = multi->GetSchemes()->GetItem(8);
  EXPECT_EQ(GetPropText(nine, "StartExpr"), "<%");
  EXPECT_EQ(GetPropText(nine, "EndExpr"), "%>");
  EXPECT_EQ(nine->GetMarkerAttri()->GetName(), "Marker");
  EXPECT_EQ(nine->GetMarkerAttri()->GetBackground(), 16772846);
  EXPECT_TRUE(nine->GetMarkerAttri()->GetStyle().Contains(fsBold));
  EXPECT_EQ(multi->GetSchemes()->GetItem(0)->GetStartExpr(), "<script language=\"JavaScript\">");
  EXPECT_EQ(multi->GetSchemes()->GetItem(6)->GetEndExpr(), "</Script>");
  EXPECT_EQ(multi->GetSchemes()->GetCount(), 9);
  // A fresh scheme's marker style.
  TgmScheme* fresh = multi->GetSchemes()->Add();
  EXPECT_EQ(fresh->GetMarkerAttri()->GetBackground(), 65535);
  EXPECT_TRUE(fresh->GetMarkerAttri()->GetStyle().Contains(fsBold));
}

TEST(MultiSyn, AssigningSchemesCopiesThem) {
  auto source = MakeAppMulti();
  TrvMultiSyn copy(nullptr);
  copy.SetDefaultHighlighter(source->GetDefaultHighlighter());
  SetObjectProp(&copy, GetPropInfoOrError(&copy, "Schemes"), source->GetSchemes());
  ASSERT_EQ(copy.GetSchemes()->GetCount(), 9);
  for (int i = 0; i < 9; ++i) {
    TgmScheme* a = source->GetSchemes()->GetItem(i);
    TgmScheme* b = copy.GetSchemes()->GetItem(i);
    EXPECT_NE(a, b);
    EXPECT_EQ(b->GetStartExpr(), a->GetStartExpr());
    EXPECT_EQ(b->GetEndExpr(), a->GetEndExpr());
    EXPECT_EQ(b->GetHighlighter(), a->GetHighlighter());
    EXPECT_NE(b->GetMarkerAttri(), a->GetMarkerAttri());
    EXPECT_EQ(b->GetMarkerAttri()->GetBackground(), a->GetMarkerAttri()->GetBackground());
  }
  const TLineScan scan = ScanLine(copy, "a <% b %>", 1, TejHTMLSyn::rsText);
  EXPECT_EQ(scan.Tokens[1].Kind, TrvMultiSyn::tkMarker);
}

TEST(MultiSyn, MarkerStyleChangesFireTheHookChain) {
  struct TListener {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  } listener;
  auto multi = MakeAppMulti();
  multi->HookAttrChangeEvent(NotifyMethod<&TListener::Changed>(&listener));
  multi->GetSchemes()->GetItem(0)->GetMarkerAttri()->SetForeground(clRed);
  EXPECT_EQ(listener.Count, 1);
}

}  // namespace
