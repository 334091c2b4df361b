// Tests of the HTML highlighter: golden token streams, the invariants, the
// tag words and entity texts as data, and the export of each kind.
#include "highlighters/HTMLSyn.h"

#include <gtest/gtest.h>

#include <cctype>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeHtml() { return std::make_unique<TejHTMLSyn>(nullptr); }

const std::vector<std::string> kOpeningTags = {
    "!DOCTYPE", "A", "ABBR", "ACRONYM", "ADDRESS", "APPLET", "AREA", "B", "BASE", "BASEFONT",
    "BGSOUND", "BIG", "BLINK", "BLOCKQUOTE", "BODY", "BR", "BUTTON", "CAPTION", "CENTER", "CITE",
    "CODE", "COL", "COLGROUP", "COMMENT", "DD", "DEL", "DFN", "DIR", "DIV", "DL", "DT", "EM",
    "EMBED", "FIELDSET", "FONT", "FORM", "FRAME", "FRAMESET", "H1", "H2", "H3", "H4", "H5", "H6",
    "HEAD", "HR", "HTML", "I", "IFRAME", "ILAYER", "IMG", "INPUT", "INS", "ISINDEX", "KBD",
    "KEYGEN", "LABEL", "LAYER", "LEGEND", "LI", "LINK", "LISTING", "MAP", "MARQUEE", "MENU",
    "META", "MULTICOL", "NEXTID", "NOBR", "NOEMBED", "NOFRAMES", "NOLAYER", "NOSCRIPT", "OBJECT",
    "OL", "OPTION", "P", "PARAM", "PLAINTEXT", "PRE", "Q", "S", "SAMP", "SCRIPT", "SELECT",
    "SERVER", "SMALL", "SPACER", "SPAN", "STRIKE", "STRONG", "STYLE", "SUB", "SUP", "TABLE",
    "TBODY", "TD", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TT", "U", "UL", "VAR",
    "WBR", "XMP",
};
const std::vector<std::string> kClosingTags = {
    "/A", "/ABBR", "/ACRONYM", "/ADDRESS", "/APPLET", "/B", "/BIG", "/BLINK", "/BLOCKQUOTE",
    "/BODY", "/BUTTON", "/CAPTION", "/CENTER", "/CITE", "/CODE", "/COLGROUP", "/COMMENT", "/DD",
    "/DEL", "/DFN", "/DIR", "/DIV", "/DL", "/DT", "/EM", "/EMBED", "/FIELDSET", "/FONT", "/FORM",
    "/FRAMESET", "/H1", "/H2", "/H3", "/H4", "/H5", "/H6", "/HEAD", "/HTML", "/I", "/IFRAME",
    "/ILAYER", "/INS", "/KBD", "/LABEL", "/LAYER", "/LEGEND", "/LI", "/LISTING", "/MAP",
    "/MARQUEE", "/MENU", "/MULTICOL", "/NOBR", "/NOEMBED", "/NOFRAMES", "/NOLAYER", "/NOSCRIPT",
    "/OBJECT", "/OL", "/OPTION", "/P", "/PRE", "/Q", "/S", "/SAMP", "/SCRIPT", "/SELECT",
    "/SERVER", "/SMALL", "/SPAN", "/STRIKE", "/STRONG", "/STYLE", "/SUB", "/SUP", "/TABLE",
    "/TBODY", "/TD", "/TEXTAREA", "/TFOOT", "/TH", "/THEAD", "/TITLE", "/TR", "/TT", "/U", "/UL",
    "/VAR", "/XMP",
};

// The entity texts in their order: the named ones, the capitals and their
// lower-case forms, the signs, then the numeric ones.
std::vector<std::string> ExpectedEntities() {
  std::vector<std::string> e = {"&amp;", "&lt;", "&gt;", "&quot;", "&trade;", "&nbsp;", "&copy;", "&reg;"};
  const std::vector<std::string> capitals = {
      "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
      "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",
      "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "Oslash",
      "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN"};
  for (const std::string& c : capitals) e.push_back("&" + c + ";");
  e.push_back("&szlig;");
  for (const std::string& c : capitals) e.push_back("&" + LowerCase(c) + ";");
  for (const char* s : {"yuml", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml",
                        "ordf", "laquo", "shy", "macr", "deg", "plusmn", "sup2", "sup3", "acute",
                        "micro", "middot", "cedil", "sup1", "ordm", "raquo", "frac14", "frac12",
                        "frac34", "iquest", "times"})
    e.push_back(std::string("&") + s + ";");
  e.push_back("&divide");
  e.push_back("&euro;");
  auto numeric = [&](int from, int to) {
    for (int n = from; n <= to; ++n) e.push_back("&#" + std::to_string(n) + ";");
  };
  numeric(9, 9);
  numeric(127, 132);
  e.push_back("&ldots;");
  numeric(134, 144);
  numeric(152, 159);
  numeric(161, 168);
  numeric(170, 170);
  numeric(175, 178);
  numeric(180, 181);
  numeric(183, 186);
  numeric(188, 191);
  numeric(215, 215);
  return e;
}

// Letters 1-26, "!" 123, "/" 122, then each digit's value.
int TagHash(const std::string& word) {
  int h = 0;
  for (char c : word) {
    if (std::isalpha(static_cast<unsigned char>(c))) h += std::tolower(static_cast<unsigned char>(c)) - 'a' + 1;
    else if (c == '!') h += 123;
    else if (c == '/') h += 122;
    else if (std::isdigit(static_cast<unsigned char>(c))) h += c - '0';
  }
  return h;
}

TEST(HTMLSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeHtml, "html", {"tokens.golden"}); }

const std::vector<std::string> kHtmlFragments = {
    "<", ">", "</", "<!--", "-->", "<%", "%>", "=", "\"", "&", "&amp;", "&divide", "&#9;", "td",
    "TABLE", "/td", "H1", "!DOCTYPE", "<?", "#", "width", "100", " ", "\t", "\r", "\n",
    std::string(1, '\0'), "\xff", "--", "%"};

const std::vector<std::string> kOpeners = {"<!--", "<%", "<a", "<a b=", "<a b=\"c"};

TEST(HTMLSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeHtml, {1, 2, 3, 4, 5, 7}, kHtmlFragments, kOpeners));
}

TEST(HTMLSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeHtml, kHtmlFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeHtml, kHtmlFragments, kOpeners), std::vector<std::string>());
}

TEST(HTMLSyn, IdentityAndAttributes) {
  TejHTMLSyn hl(nullptr);
  ExpectIdentity(hl, {"HTML Document",
                      "HTML Document (*.htm,*.html)|*.htm;*.html",
                      6,
                      {{"AndAttri", "Escape ampersand"},
                       {"ASPAttri", "Asp"},
                       {"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Reserved word"},
                       {"SpaceAttri", "Space"},
                       {"SymbolAttri", "Symbol"},
                       {"TextAttri", "Text"},
                       {"UndefKeyAttri", "Unknown word"},
                       {"ValueAttri", "Value"}},
                      {"Space", "Comment", "Reserved word"},
                      5,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"});
}

TEST(HTMLSynKeywords, TheTagWordsFillTheirOwnEntries) {
  ASSERT_EQ(kOpeningTags.size(), 109u);
  ASSERT_EQ(kClosingTags.size(), 89u);
  std::vector<std::string> all = kOpeningTags;
  all.insert(all.end(), kClosingTags.begin(), kClosingTags.end());
  const TKeywordTable& table = TejHTMLSyn::Keywords();
  ExpectKeywordTable(table, 244, all, TagHash);
  EXPECT_EQ(table.UsedEntries(), 135);
  // After "<" every tag word is a known tag in any case; a digit more
  // makes it another tag.
  TejHTMLSyn hl(nullptr);
  for (const std::string& w : all) {
    for (const std::string& v : {w, LowerCase(w)}) {
      EXPECT_EQ(KindOfWhole(hl, v, TejHTMLSyn::rsKey), TejHTMLSyn::tkKey) << v;
      EXPECT_EQ(hl.GetRange(), TejHTMLSyn::rsParam);
    }
    const int longer = KindOfWhole(hl, w + "0", TejHTMLSyn::rsKey);
    EXPECT_TRUE(longer == TejHTMLSyn::tkUndefKey || longer == TejHTMLSyn::tkIdentifier) << w;
  }
}

TEST(HTMLSynKeywords, TheEntityTexts) {
  const std::vector<std::string> expected = ExpectedEntities();
  ASSERT_EQ(expected.size(), 151u);
  const auto& entities = TejHTMLSyn::Entities();
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entities[i], expected[i]) << i;
    // Found where it begins, compared exactly.
    const std::string text = "x" + expected[i] + "y";
    EXPECT_EQ(TejHTMLSyn::EntityAt(text, 1), static_cast<int>(i)) << expected[i];
    EXPECT_EQ(TejHTMLSyn::EntityAt(text, 0), -1);
  }
  EXPECT_EQ(TejHTMLSyn::EntityAt("&AMP;", 0), -1);
  EXPECT_EQ(TejHTMLSyn::EntityAt("&amp", 0), -1);
  EXPECT_EQ(TejHTMLSyn::EntityAt("&", 0), -1);
}

TEST(HTMLSyn, ExportFlagsFollowTheKinds) {
  TejHTMLSyn hl(nullptr);
  ExpectExport(hl, "&lt;a<b c=\"<\" d=e x\"y\"><%<%><!--<-->",
               {{"&lt;", hl.GetAndAttri(), false, false},
                {"a", hl.GetTextAttri(), true, false},
                {"<", hl.GetSymbolAttri(), true, false},
                {"b", hl.GetKeyAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"c", hl.GetIdentifierAttri(), false, false},
                {"=", hl.GetSymbolAttri(), true, false},
                {"\"<\"", hl.GetValueAttri(), true, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"d", hl.GetIdentifierAttri(), false, false},
                {"=", hl.GetSymbolAttri(), true, false},
                {"e", hl.GetValueAttri(), true, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"x", hl.GetIdentifierAttri(), false, false},
                {"\"y\"", hl.GetValueAttri(), true, false},
                {">", hl.GetSymbolAttri(), true, false},
                {"<%", hl.GetASPAttri(), true, false},
                {"<%>", hl.GetASPAttri(), true, false},
                {"<!--", hl.GetCommentAttri(), true, false},
                {"<-->", hl.GetCommentAttri(), true, false}});
  ExpectExport(hl, "<q1>", {{"<", hl.GetSymbolAttri(), true, false},
                                                {"q1", hl.GetUndefKeyAttri(), true, false},
                                                {">", hl.GetSymbolAttri(), true, false}});
}

TEST(HTMLSyn, StoredRangesOutsideItsValuesStartAsText) {
  TejHTMLSyn hl(nullptr);
  for (TktRange bad : {TktRange(0), TktRange(6), TktRange(8), TktRange(0x10005), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TejHTMLSyn::rsText) << bad;
  }
}

}  // namespace
