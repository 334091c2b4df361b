// Tests of the JavaScript highlighter: golden token streams, the invariants,
// the edit and export checks, the keyword data, attributes and export flags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/KeywordTable.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeJScript() {
  return std::make_unique<TktJScriptSyn>(nullptr);
}

const std::set<TktRange> kRanges = {1, 2};

const std::vector<std::string> kFragments = {"var",   "function", "if",
                                             "else",  "return",   "LOG10E",
                                             "atan2", "x",        "y_1",
                                             "/*",    "*/",       "/*/",
                                             "//",    "\"",       "'",
                                             "''",    "\"\"",     "\\",
                                             "#12",   "$FF",      "1.5e3",
                                             "1..2",  "...",      "&&",
                                             "||",    "->",       "%=",
                                             "{",     "}",        ";",
                                             "=",     "<",        "@",
                                             " ",     "\t",       "\r",
                                             "\n",    "\r\n",     std::string(1, '\0'),
                                             "\xc8",  "\x7f"};
const std::vector<std::string> kOpeners = {"/*", "a /* b", "/* x\r", "/**"};

TEST(JScriptSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeJScript, "javascript", {"tokens.golden", "comments.golden"});
}

TEST(JScriptSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeJScript, kRanges, kFragments, kOpeners));
}

TEST(JScriptSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakeJScript, kFragments, kOpeners));
}

TEST(JScriptSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakeJScript, kFragments, kOpeners));
}

TEST(JScriptSyn, StoredRangeOutsideTheDeclaredValuesIsCode) {
  TktJScriptSyn hl(nullptr);
  for (TktRange bad : {TktRange(0), TktRange(3), TktRange(255), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TktJScriptSyn::rsNormal) << bad;
    hl.SetLine("x */", 1);
    EXPECT_EQ(hl.GetTokenKind(), TktJScriptSyn::tkIdentifier) << bad;
  }
}

const std::vector<std::string> kWords = {
    "abs",
    "acos",
    "action",
    "alert",
    "alinkColor",
    "Anchor",
    "anchor",
    "anchors",
    "appCodeName",
    "Applet",
    "applets",
    "appName",
    "appVersion",
    "Area",
    "arguments",
    "Array",
    "array",
    "asin",
    "atan",
    "atan2",
    "back",
    "bgColor",
    "big",
    "blink",
    "blur",
    "bold",
    "Boolean",
    "border",
    "break",
    "Button",
    "caller",
    "ceil",
    "charAt",
    "Checkbox",
    "checked",
    "clearTimeout",
    "click",
    "close",
    "closed",
    "comment",
    "complete",
    "confirm",
    "constructor",
    "continue",
    "cookie",
    "cos",
    "current",
    "Date",
    "defaultChecked",
    "defaultSelected",
    "defaultStatus",
    "defaultValue",
    "description",
    "document",
    "domain",
    "E",
    "elements",
    "else",
    "embeds",
    "enabledPlugin",
    "encoding",
    "escape",
    "eval",
    "exp",
    "fgColor",
    "filename",
    "FileUpload",
    "fixed",
    "floor",
    "focus",
    "fontcolor",
    "fontsize",
    "for",
    "Form",
    "form",
    "forms",
    "forward",
    "Frame",
    "frames",
    "Function",
    "function",
    "getDate",
    "getDay",
    "getHours",
    "getMinutes",
    "getMonth",
    "getSeconds",
    "getTime",
    "getTimezoneOffset",
    "getYear",
    "go",
    "hash",
    "height",
    "Hidden",
    "history",
    "host",
    "hostname",
    "href",
    "hspace",
    "if",
    "Image",
    "images",
    "in",
    "index",
    "indexOf",
    "isNaN",
    "italics",
    "javaEnabled",
    "join",
    "lastIndexOf",
    "lastModified",
    "length",
    "Link",
    "link",
    "linkColor",
    "links",
    "LN10",
    "LN2",
    "location",
    "log",
    "LOG10E",
    "LOG2E",
    "loop",
    "lowsrc",
    "Math",
    "max",
    "MAX_VALUE",
    "method",
    "MimeType",
    "mimeTypes",
    "min",
    "MIN_VALUE",
    "name",
    "NaN",
    "navigator",
    "NEGATIVE_INFINITY",
    "new",
    "next",
    "Number",
    "object",
    "onAbort",
    "onBlur",
    "onChange",
    "onClick",
    "onError",
    "onFocus",
    "onLoad",
    "onMouseOut",
    "onMouseOver",
    "onReset",
    "onSelect",
    "onSubmit",
    "onUnload",
    "open",
    "opener",
    "Option",
    "options",
    "parent",
    "parse",
    "parseFloat",
    "parseInt",
    "Password",
    "pathname",
    "PI",
    "Plugin",
    "plugins",
    "port",
    "POSITIVE_INFINITY",
    "pow",
    "previous",
    "prompt",
    "property",
    "protocol",
    "prototype",
    "Radio",
    "random",
    "referrer",
    "refresh",
    "reload",
    "replace",
    "Reset",
    "reset",
    "return",
    "reverse",
    "round",
    "scroll",
    "search",
    "Select",
    "select",
    "selected",
    "selectedIndex",
    "self",
    "setDate",
    "setHours",
    "setMinutes",
    "setMonth",
    "setSeconds",
    "setTime",
    "setTimeout",
    "setYear",
    "sin",
    "small",
    "sort",
    "split",
    "sqrt",
    "SQRT1_2",
    "SQRT2",
    "src",
    "status",
    "strike",
    "String",
    "sub",
    "submit",
    "substring",
    "suffixes",
    "sup",
    "taint",
    "taintEnabled",
    "tan",
    "target",
    "Text",
    "text",
    "Textarea",
    "this",
    "title",
    "toGMTString",
    "toLocaleString",
    "toLowerCase",
    "top",
    "toString",
    "toUpperCase",
    "type",
    "unescape",
    "untaint",
    "URL",
    "userAgent",
    "UTC",
    "value",
    "valueOf",
    "var",
    "vlinkColor",
    "vspace",
    "while",
    "width",
    "window",
    "with",
    "write",
    "writeln",
};

TEST(JScriptSynKeywords, TableHoldsItsWordsAsStored) {
  const TKeywordTable& table = TktJScriptSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 253);
  ASSERT_EQ(kWords.size(), 248u);
  ExpectNoFaults(CheckKeywordData(table, kWords));
  TktJScriptSyn hl(nullptr);
  for (const std::string& w : kWords) {
    for (const std::string& v : {w, UpperCase(w), LowerCase(w)}) {
      const std::string line = v + " ";
      hl.SetLine(line, 1);
      EXPECT_EQ(hl.GetTokenKind(), TktJScriptSyn::tkKey) << v;
      EXPECT_EQ(hl.GetToken(), v);
    }
    const std::string longer = w + "x";
    hl.SetLine(longer, 1);
    EXPECT_EQ(hl.GetTokenKind(), TktJScriptSyn::tkIdentifier) << w;
  }
}

TEST(JScriptSyn, AttributesAndIdentity) {
  TktJScriptSyn hl(nullptr);
  EXPECT_EQ(AttributeNames(hl),
            (std::vector<std::string>{"Comment", "Identifier", "Number", "Reserved word", "Space",
                                      "String", "Symbol"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri",
                                      "SpaceAttri", "StringAttri", "SymbolAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "KeyAttri")), hl.GetKeyAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
    EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone);
    EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "Javascript");
  EXPECT_EQ(hl.GetDefaultFilter(), "Javascript files (*.js)|*.js");
  EXPECT_EQ(hl.GetCapability(), 6);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected) << c;
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 1);
}

TEST(JScriptSyn, ExportFlagsAndAttributesByKind) {
  TktJScriptSyn hl(nullptr);
  EXPECT_EQ(CheckExportCalls(hl, "x if 1 \"s\"+;/*c",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"if", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"\"s\"", hl.GetStringAttri(), true, false},
                              {"+", hl.GetSymbolAttri(), true, false},
                              {";", hl.GetStringAttri(), true, false},
                              {"/*c", hl.GetCommentAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
}

}  // namespace
