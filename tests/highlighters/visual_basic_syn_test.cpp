// Tests of the Visual Basic highlighter: golden token streams, the
// invariants, the keyword table and the export of each kind. The scanner
// is VBScript's; what differs is tested here.
#include "highlighters/VisualBasicSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeVb() {
  return std::make_unique<TpsVisualBasicSyn>(nullptr);
}

const std::vector<std::string> kKeywords = {
    "abs", "and", "appactivate", "array", "as", "asc", "atn", "attribute", "base", "beep",
    "begin", "boolean", "byte", "call", "case", "cbool", "cbyte", "ccur", "cdate", "cdbl",
    "chdir", "chdrive", "chr", "cint", "circle", "class", "clear", "clng", "close", "command",
    "compare", "const", "cos", "createobject", "csng", "cstr", "curdir", "currency", "cvar",
    "cverr", "date", "dateadd", "datediff", "datepart", "dateserial", "datevalue", "ddb",
    "deftype", "dim", "dir", "do", "doevents", "double", "each", "else", "elseif", "empty", "end",
    "environ", "eof", "eqv", "erase", "err", "error", "exit", "exp", "explicit", "fileattr",
    "filecopy", "filedatetime", "filelen", "fix", "for", "form", "format", "freefile", "function",
    "fv", "get", "getattr", "getobject", "gosub", "goto", "hex", "hour", "if", "iif", "imp",
    "input", "instr", "int", "integer", "ipmt", "irr", "is", "isarray", "isdate", "isempty",
    "iserror", "ismissing", "isnull", "isnumeric", "isobject", "kill", "lbound", "lcase", "left",
    "len", "let", "line", "loc", "lock", "lof", "log", "long", "loop", "lset", "ltrim", "me",
    "mid", "minute", "mirr", "mkdir", "mod", "module", "month", "msgbox", "name", "new", "next",
    "not", "nothing", "now", "nper", "npv", "object", "oct", "on", "open", "option", "or", "pmt",
    "ppmt", "print", "private", "property", "pset", "public", "put", "pv", "qbcolor", "raise",
    "randomize", "rate", "redim", "reset", "resume", "return", "rgb", "right", "rmdir", "rnd",
    "rset", "rtrim", "second", "seek", "select", "sendkeys", "set", "setattr", "sgn", "shell",
    "sin", "single", "sln", "space", "spc", "sqr", "static", "stop", "str", "strcomp", "strconv",
    "string", "sub", "switch", "syd", "system", "tab", "tan", "then", "time", "timer",
    "timeserial", "timevalue", "to", "trim", "typename", "ubound", "ucase", "unlock", "until",
    "val", "variant", "vartype", "version", "weekday", "wend", "while", "width", "with", "write",
    "xor",
};

TEST(VisualBasicSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeVb, "vb", {"tokens.golden"}); }

const std::vector<std::string> kFragments = {
    "MsgBox", "Dim", "Rem", "x1", "_", "'", "\"", "\"\"", "#", "#1/1/2000#", "<=", "<>", ">=",
    "1.5e3", "$", "?", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xff", "&"};
const std::vector<std::string> kOpeners = {"\"open", "' c", "#1"};

TEST(VisualBasicSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeVb, {0}, kFragments, kOpeners));
}

TEST(VisualBasicSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeVb, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeVb, kFragments, kOpeners), std::vector<std::string>());
}

TEST(VisualBasicSyn, IdentityAndAttributes) {
  TpsVisualBasicSyn hl(nullptr);
  ExpectIdentity(hl, {"Visual Basic",
                      "Visual Basic files (*.bas)|*.bas",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Reserved word"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Reserved word"},
                      0,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(VisualBasicSynKeywords, TheKeywordsFillTheirOwnEntries) {
  ASSERT_EQ(kKeywords.size(), 213u);
  ExpectKeywordTable(TpsVisualBasicSyn::Keywords(), 134, kKeywords, LetterSum);
  TpsVisualBasicSyn hl(nullptr);
  for (const std::string& w : kKeywords) {
    EXPECT_EQ(KindOfWhole(hl, w, 0), TpsVisualBasicSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, UpperCase(w), 0), TpsVisualBasicSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w + "_", 0), TpsVisualBasicSyn::tkIdentifier) << w;
  }
}

TEST(VisualBasicSyn, UnrecognisedCharactersExportAsIdentifiers) {
  TpsVisualBasicSyn hl(nullptr);
  ExpectExport(hl, "x$ \"<\" '<",
               {{"x", hl.GetIdentifierAttri(), false, false},
                {"$", hl.GetIdentifierAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"\"<\"", hl.GetStringAttri(), true, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"'<", hl.GetCommentAttri(), true, false}});
  hl.SetLine("$", 1);
  EXPECT_EQ(hl.GetTokenKind(), TpsVisualBasicSyn::tkUnknown);
}

}  // namespace
