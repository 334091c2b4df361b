// Tests of the Perl highlighter: golden token streams, the invariants, the
// edit and export checks, the keyword data, attributes and export flags.
#include "highlighters/PerlSyn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/KeywordTable.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakePerl() { return std::make_unique<TDcjPerlSyn>(nullptr); }

const std::set<TktRange> kRanges = {0};

const std::vector<std::string> kFragments = {
    "print", "my", "$ENV", "@INC", "$_", "$^W", "$^", "%", "x", "x=", "xor", "use", "strict",
    "#", "\"", "'", "\\\"", "\\\\", "<=>", "**=", "||=", "..", "...", ".=", "1e-5", "0x1e-5",
    "1-e", ".5", "(", ";", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xc8", "`",
    std::string(3000, '$')};

TEST(PerlSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakePerl, "perl", {"tokens.golden"});
}

TEST(PerlSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakePerl, kRanges, kFragments, {"\"", "#"}));
}

TEST(PerlSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakePerl, kFragments, {"\"", "#"}));
}

TEST(PerlSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakePerl, kFragments, {}));
}

// The byte sum of a long run of sigils and letters must neither overflow
// nor match: the sum stops growing at the table's size.
TEST(PerlSyn, LongWordsAreIdentifiers) {
  TDcjPerlSyn hl(nullptr);
  for (const std::string& word : {"%" + std::string(100000, '$'), std::string(100000, 'z'),
                                  std::string("$FORMAT_LINE_BREAK_CHARACTERSX"), "@" + std::string(50, 'a')}) {
    hl.SetLine(word, 1);
    EXPECT_EQ(hl.GetTokenKind(), TDcjPerlSyn::tkIdentifier) << word.substr(0, 10);
    EXPECT_EQ(hl.GetToken().size(), word.size());
  }
}

struct TWordClass {
  const char* Name;
  std::vector<std::string> Words;
  int Kind;
};

const std::vector<TWordClass>& WordClasses() {
  static const std::vector<TWordClass> classes = {
      {"reserved words", {
           "abs", "accept", "alarm", "atan2", "bind", "binmode", "bless", "caller", "chdir",
           "chmod", "chomp", "chop", "chown", "chr", "chroot", "close", "closedir", "connect",
           "cos", "crypt", "dbmclose", "dbmopen", "defined", "delete", "die", "do", "dump", "each",
           "else", "elsif", "endgrent", "endhostent", "endnetent", "endprotoent", "endpwent",
           "endservent", "eof", "eval", "exec", "exists", "exit", "exp", "fcntl", "fileno", "flock",
           "for", "foreach", "fork", "format", "formline", "getc", "getgrent", "getgrgid",
           "getgrnam", "gethostbyaddr", "gethostbyname", "gethostent", "getlogin", "getnetbyaddr",
           "getnetbyname", "getnetent", "getpeername", "getpgrp", "getppid", "getpriority",
           "getprotobyname", "getprotobynumber", "getprotoent", "getpwent", "getpwnam", "getpwuid",
           "getservbyname", "getservbyport", "getservent", "getsockname", "getsockopt", "glob",
           "gmtime", "goto", "grep", "hex", "if", "import", "index", "int", "ioctl", "join", "keys",
           "kill", "last", "lc", "lcfirst", "length", "link", "listen", "local", "localtime", "log",
           "lstat", "m", "map", "mkdir", "msgctl", "msgget", "msgrcv", "msgsnd", "my", "next", "no",
           "oct", "open", "opendir", "ord", "pack", "package", "pipe", "pop", "pos", "print",
           "push", "q", "qq", "quotemeta", "qw", "qx", "rand", "read", "readdir", "readlink",
           "recv", "redo", "ref", "rename", "require", "reset", "return", "reverse", "rewinddir",
           "rindex", "rmdir", "scalar", "seek", "seekdir", "select", "semctl", "semget", "semop",
           "send", "setgrent", "sethostent", "setnetent", "setpgrp", "setpriority", "setprotoent",
           "setpwent", "setservent", "setsockopt", "shift", "shmctl", "shmget", "shmread",
           "shmwrite", "shutdown", "sin", "sleep", "socket", "socketpair", "sort", "splice",
           "split", "sprintf", "sqrt", "srand", "stat", "study", "sub", "substr", "symlink",
           "syscall", "sysread", "system", "syswrite", "tell", "telldir", "tie", "time", "times",
           "tr", "truncate", "uc", "ucfirst", "umask", "undef", "unless", "unlink", "unpack",
           "unshift", "untie", "use", "utime", "values", "vec", "wait", "waitpid", "wantarray",
           "warn", "while", "write",
       }, TDcjPerlSyn::tkKey},
      {"operators", {
           "and", "cmp", "eq", "ge", "gt", "le", "lt", "ne", "not", "or", "xor",
       }, TDcjPerlSyn::tkOperator},
      {"pragmas", {
           "constant", "diagnostics", "integer", "less", "locale", "sigtrap", "strict", "subs",
           "vars",
       }, TDcjPerlSyn::tkPragma},
      {"variables", {
           "$ACCUMULATOR", "$ARG", "$ARGV", "$BASETIME", "$CHILD_ERROR", "$DEBUGGING",
           "$EFFECTIVE_GROUP_ID", "$EFFECTIVE_USER_ID", "$EGID", "$ENV", "$ERRNO", "$EUID",
           "$EVAL_ERROR", "$EXECUTABLE_NAME", "$FORMAT_FORMFEED", "$FORMAT_LINE_BREAK_CHARACTERS",
           "$FORMAT_LINES_LEFT", "$FORMAT_LINES_PER_PAGE", "$FORMAT_NAME", "$FORMAT_PAGE_NUMBER",
           "$FORMAT_TOP_NAME", "$GID", "$INPLACE_EDIT", "$INPUT_LINE_NUMBER",
           "$INPUT_RECORD_SEPARATOR", "$LAST_PAREN_MATCH", "$LIST_SEPARATOR", "$MATCH",
           "$MULTILINE_MATCHING", "$NR", "$OFMT", "$ORS", "$OS_ERROR", "$OUTPUT_AUTOFLUSH",
           "$OUTPUT_FIELD_SEPARATOR", "$PERL_VERSION", "$PERLDB", "$PID", "$POSTMATCH", "$PREMATCH",
           "$PROCESS_ID", "$PROGRAM_NAME", "$REAL_GROUP_ID", "$REAL_USER_ID", "$RS", "$SIG",
           "$SUBSCRIPT_SEPARATOR", "$SUBSEP", "$SYSTEM_FD_MAX", "$UID", "$WARNING", "%INC", "@ARGV",
           "@INC",
       }, TDcjPerlSyn::tkVariable},
  };
  return classes;
}

TEST(PerlSynKeywords, TableHoldsTheFourWordClasses) {
  const TKeywordTable& table = TDcjPerlSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 2168);
  std::vector<std::string> all;
  const size_t counts[] = {208, 11, 9, 54};
  for (size_t i = 0; i < WordClasses().size(); ++i) {
    EXPECT_EQ(WordClasses()[i].Words.size(), counts[i]) << WordClasses()[i].Name;
    all.insert(all.end(), WordClasses()[i].Words.begin(), WordClasses()[i].Words.end());
  }
  ASSERT_EQ(all.size(), 282u);
  ExpectNoFaults(CheckKeywordData(table, all));
  EXPECT_EQ(table.HashOf("$FORMAT_LINE_BREAK_CHARACTERS"), 2167);
  TDcjPerlSyn hl(nullptr);
  for (const TWordClass& c : WordClasses())
    for (const std::string& w : c.Words) {
      const std::string line = w + " ";
      hl.SetLine(line, 1);
      EXPECT_EQ(hl.GetTokenKind(), c.Kind) << w;
      EXPECT_EQ(hl.GetToken(), w);
      const std::string longer = w + "_";
      hl.SetLine(longer, 1);
      EXPECT_EQ(hl.GetTokenKind(), TDcjPerlSyn::tkIdentifier) << w;
    }
}

TEST(PerlSyn, AttributesAndIdentity) {
  TDcjPerlSyn hl(nullptr);
  EXPECT_EQ(AttributeNames(hl),
            (std::vector<std::string>{"Comment", "Identifier", "Illegal char", "Number",
                                      "Operator", "Pragma", "Reserved word", "Space", "String",
                                      "Symbol", "Variable"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"CommentAttri", "IdentifierAttri", "InvalidAttri",
                                      "KeyAttri", "NumberAttri", "OperatorAttri", "PragmaAttri",
                                      "SpaceAttri", "StringAttri", "SymbolAttri",
                                      "VariableAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "PragmaAttri")), hl.GetPragmaAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    TktHighLightAttributes* a = hl.GetAttribute(i);
    EXPECT_EQ(a->GetForeground(), a == hl.GetSpaceAttri() ? clWindow : clNone) << a->GetName();
    EXPECT_EQ(a->GetBackground(), clNone);
    EXPECT_TRUE(a->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "Perl");
  EXPECT_EQ(hl.GetDefaultFilter(), "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi");
  EXPECT_EQ(hl.GetCapability(), 6);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '_' || c == '$' || c == '%' || c == '@';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected) << c;
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 0);
  hl.SetRange(5);
  EXPECT_EQ(hl.GetRange(), 0);
}

TEST(PerlSyn, ExportFlagsAndAttributesByKind) {
  TDcjPerlSyn hl(nullptr);
  EXPECT_EQ(CheckExportCalls(hl, "x if 1 lt strict $_\"s\"+`#c",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"if", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"lt", hl.GetOperatorAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"strict", hl.GetPragmaAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"$_", hl.GetVariableAttri(), false, false},
                              {"\"s\"", hl.GetStringAttri(), true, false},
                              {"+", hl.GetSymbolAttri(), true, false},
                              {"`", hl.GetSymbolAttri(), true, false},
                              {"#c", hl.GetCommentAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
  // On screen an unrecognised character takes the illegal-character attribute.
  hl.SetLine("`", 1);
  EXPECT_EQ(hl.GetTokenAttribute(), hl.GetInvalidAttri());
}

}  // namespace
