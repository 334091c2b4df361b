// TDcjPerlSyn: tables and scanner routines of the Perl highlighter.
#include "highlighters/PerlSyn.h"

#include <array>

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"
#include "platform/Graphics.h"

using namespace hlscan;

namespace {

const int kRegistered = RegisterHighlighter(&NewHighlighter<TDcjPerlSyn>);

// The characters of a looked-up word: identifier characters and the sigils.
const std::array<bool, 256>& WordChars() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> t = TDcjPerlSyn::CharTables().Ident;
    t['$'] = t['%'] = t['@'] = true;
    return t;
  }();
  return table;
}

// The words hash by the sum of their bytes. A sum past the table is no
// word's, so long words stop adding there (and cannot overflow).
int ByteSum(const TCharTables&, std::string_view word) {
  int sum = 0;
  for (char c : word) {
    if (sum >= TDcjPerlSyn::kKeywordTableSize) break;
    sum += static_cast<unsigned char>(c);
  }
  return sum;
}

}  // namespace

const TCharTables& TDcjPerlSyn::CharTables() {
  static const TCharTables tables = [] {
    TCharTables t;
    for (int c = 0; c < 256; ++c)
      t.Ident[static_cast<size_t>(c)] = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                        (c >= 'a' && c <= 'z') || c == '_';
    return t;
  }();
  return tables;
}

const TKeywordTable& TDcjPerlSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcExact, {
          {"abs", kwKey}, {"accept", kwKey}, {"alarm", kwKey}, {"atan2", kwKey}, {"bind", kwKey},
          {"binmode", kwKey}, {"bless", kwKey}, {"caller", kwKey}, {"chdir", kwKey},
          {"chmod", kwKey}, {"chomp", kwKey}, {"chop", kwKey}, {"chown", kwKey}, {"chr", kwKey},
          {"chroot", kwKey}, {"close", kwKey}, {"closedir", kwKey}, {"connect", kwKey},
          {"cos", kwKey}, {"crypt", kwKey}, {"dbmclose", kwKey}, {"dbmopen", kwKey},
          {"defined", kwKey}, {"delete", kwKey}, {"die", kwKey}, {"do", kwKey}, {"dump", kwKey},
          {"each", kwKey}, {"else", kwKey}, {"elsif", kwKey}, {"endgrent", kwKey},
          {"endhostent", kwKey}, {"endnetent", kwKey}, {"endprotoent", kwKey}, {"endpwent", kwKey},
          {"endservent", kwKey}, {"eof", kwKey}, {"eval", kwKey}, {"exec", kwKey},
          {"exists", kwKey}, {"exit", kwKey}, {"exp", kwKey}, {"fcntl", kwKey}, {"fileno", kwKey},
          {"flock", kwKey}, {"for", kwKey}, {"foreach", kwKey}, {"fork", kwKey}, {"format", kwKey},
          {"formline", kwKey}, {"getc", kwKey}, {"getgrent", kwKey}, {"getgrgid", kwKey},
          {"getgrnam", kwKey}, {"gethostbyaddr", kwKey}, {"gethostbyname", kwKey},
          {"gethostent", kwKey}, {"getlogin", kwKey}, {"getnetbyaddr", kwKey},
          {"getnetbyname", kwKey}, {"getnetent", kwKey}, {"getpeername", kwKey}, {"getpgrp", kwKey},
          {"getppid", kwKey}, {"getpriority", kwKey}, {"getprotobyname", kwKey},
          {"getprotobynumber", kwKey}, {"getprotoent", kwKey}, {"getpwent", kwKey},
          {"getpwnam", kwKey}, {"getpwuid", kwKey}, {"getservbyname", kwKey},
          {"getservbyport", kwKey}, {"getservent", kwKey}, {"getsockname", kwKey},
          {"getsockopt", kwKey}, {"glob", kwKey}, {"gmtime", kwKey}, {"goto", kwKey},
          {"grep", kwKey}, {"hex", kwKey}, {"if", kwKey}, {"import", kwKey}, {"index", kwKey},
          {"int", kwKey}, {"ioctl", kwKey}, {"join", kwKey}, {"keys", kwKey}, {"kill", kwKey},
          {"last", kwKey}, {"lc", kwKey}, {"lcfirst", kwKey}, {"length", kwKey}, {"link", kwKey},
          {"listen", kwKey}, {"local", kwKey}, {"localtime", kwKey}, {"log", kwKey},
          {"lstat", kwKey}, {"m", kwKey}, {"map", kwKey}, {"mkdir", kwKey}, {"msgctl", kwKey},
          {"msgget", kwKey}, {"msgrcv", kwKey}, {"msgsnd", kwKey}, {"my", kwKey}, {"next", kwKey},
          {"no", kwKey}, {"oct", kwKey}, {"open", kwKey}, {"opendir", kwKey}, {"ord", kwKey},
          {"pack", kwKey}, {"package", kwKey}, {"pipe", kwKey}, {"pop", kwKey}, {"pos", kwKey},
          {"print", kwKey}, {"push", kwKey}, {"q", kwKey}, {"qq", kwKey}, {"quotemeta", kwKey},
          {"qw", kwKey}, {"qx", kwKey}, {"rand", kwKey}, {"read", kwKey}, {"readdir", kwKey},
          {"readlink", kwKey}, {"recv", kwKey}, {"redo", kwKey}, {"ref", kwKey}, {"rename", kwKey},
          {"require", kwKey}, {"reset", kwKey}, {"return", kwKey}, {"reverse", kwKey},
          {"rewinddir", kwKey}, {"rindex", kwKey}, {"rmdir", kwKey}, {"scalar", kwKey},
          {"seek", kwKey}, {"seekdir", kwKey}, {"select", kwKey}, {"semctl", kwKey},
          {"semget", kwKey}, {"semop", kwKey}, {"send", kwKey}, {"setgrent", kwKey},
          {"sethostent", kwKey}, {"setnetent", kwKey}, {"setpgrp", kwKey}, {"setpriority", kwKey},
          {"setprotoent", kwKey}, {"setpwent", kwKey}, {"setservent", kwKey}, {"setsockopt", kwKey},
          {"shift", kwKey}, {"shmctl", kwKey}, {"shmget", kwKey}, {"shmread", kwKey},
          {"shmwrite", kwKey}, {"shutdown", kwKey}, {"sin", kwKey}, {"sleep", kwKey},
          {"socket", kwKey}, {"socketpair", kwKey}, {"sort", kwKey}, {"splice", kwKey},
          {"split", kwKey}, {"sprintf", kwKey}, {"sqrt", kwKey}, {"srand", kwKey}, {"stat", kwKey},
          {"study", kwKey}, {"sub", kwKey}, {"substr", kwKey}, {"symlink", kwKey},
          {"syscall", kwKey}, {"sysread", kwKey}, {"system", kwKey}, {"syswrite", kwKey},
          {"tell", kwKey}, {"telldir", kwKey}, {"tie", kwKey}, {"time", kwKey}, {"times", kwKey},
          {"tr", kwKey}, {"truncate", kwKey}, {"uc", kwKey}, {"ucfirst", kwKey}, {"umask", kwKey},
          {"undef", kwKey}, {"unless", kwKey}, {"unlink", kwKey}, {"unpack", kwKey},
          {"unshift", kwKey}, {"untie", kwKey}, {"use", kwKey}, {"utime", kwKey}, {"values", kwKey},
          {"vec", kwKey}, {"wait", kwKey}, {"waitpid", kwKey}, {"wantarray", kwKey},
          {"warn", kwKey}, {"while", kwKey}, {"write", kwKey}, {"and", kwOperator},
          {"cmp", kwOperator}, {"eq", kwOperator}, {"ge", kwOperator}, {"gt", kwOperator},
          {"le", kwOperator}, {"lt", kwOperator}, {"ne", kwOperator}, {"not", kwOperator},
          {"or", kwOperator}, {"xor", kwOperator}, {"constant", kwPragma},
          {"diagnostics", kwPragma}, {"integer", kwPragma}, {"less", kwPragma},
          {"locale", kwPragma}, {"sigtrap", kwPragma}, {"strict", kwPragma}, {"subs", kwPragma},
          {"vars", kwPragma}, {"$ACCUMULATOR", kwVariable}, {"$ARG", kwVariable},
          {"$ARGV", kwVariable}, {"$BASETIME", kwVariable}, {"$CHILD_ERROR", kwVariable},
          {"$DEBUGGING", kwVariable}, {"$EFFECTIVE_GROUP_ID", kwVariable},
          {"$EFFECTIVE_USER_ID", kwVariable}, {"$EGID", kwVariable}, {"$ENV", kwVariable},
          {"$ERRNO", kwVariable}, {"$EUID", kwVariable}, {"$EVAL_ERROR", kwVariable},
          {"$EXECUTABLE_NAME", kwVariable}, {"$FORMAT_FORMFEED", kwVariable},
          {"$FORMAT_LINE_BREAK_CHARACTERS", kwVariable}, {"$FORMAT_LINES_LEFT", kwVariable},
          {"$FORMAT_LINES_PER_PAGE", kwVariable}, {"$FORMAT_NAME", kwVariable},
          {"$FORMAT_PAGE_NUMBER", kwVariable}, {"$FORMAT_TOP_NAME", kwVariable},
          {"$GID", kwVariable}, {"$INPLACE_EDIT", kwVariable}, {"$INPUT_LINE_NUMBER", kwVariable},
          {"$INPUT_RECORD_SEPARATOR", kwVariable}, {"$LAST_PAREN_MATCH", kwVariable},
          {"$LIST_SEPARATOR", kwVariable}, {"$MATCH", kwVariable},
          {"$MULTILINE_MATCHING", kwVariable}, {"$NR", kwVariable}, {"$OFMT", kwVariable},
          {"$ORS", kwVariable}, {"$OS_ERROR", kwVariable}, {"$OUTPUT_AUTOFLUSH", kwVariable},
          {"$OUTPUT_FIELD_SEPARATOR", kwVariable}, {"$PERL_VERSION", kwVariable},
          {"$PERLDB", kwVariable}, {"$PID", kwVariable}, {"$POSTMATCH", kwVariable},
          {"$PREMATCH", kwVariable}, {"$PROCESS_ID", kwVariable}, {"$PROGRAM_NAME", kwVariable},
          {"$REAL_GROUP_ID", kwVariable}, {"$REAL_USER_ID", kwVariable}, {"$RS", kwVariable},
          {"$SIG", kwVariable}, {"$SUBSCRIPT_SEPARATOR", kwVariable}, {"$SUBSEP", kwVariable},
          {"$SYSTEM_FD_MAX", kwVariable}, {"$UID", kwVariable}, {"$WARNING", kwVariable},
          {"%INC", kwVariable}, {"@ARGV", kwVariable}, {"@INC", kwVariable},
  }, &ByteSum);
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TDcjPerlSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(p, Proc(&TDcjPerlSyn::OneCharProc<tkUnknown>),
                            Proc(&TDcjPerlSyn::VariableProc), Proc(&TDcjPerlSyn::NumberProc));
    p['#'] = Proc(&TDcjPerlSyn::CommentProc);
    p['"'] = Proc(&TDcjPerlSyn::StringProc);
    p['\''] = Proc(&TDcjPerlSyn::AsciiCharProc);
    for (char c : std::string_view("$%@"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjPerlSyn::VariableProc);
    p['.'] = Proc(&TDcjPerlSyn::PointProc);
    p['!'] = Proc(&TDcjPerlSyn::NotProc);
    p['&'] = Proc(&TDcjPerlSyn::AndProc);
    p['*'] = Proc(&TDcjPerlSyn::StarProc);
    p['+'] = Proc(&TDcjPerlSyn::PlusProc);
    p['-'] = Proc(&TDcjPerlSyn::MinusProc);
    p['/'] = Proc(&TDcjPerlSyn::SlashProc);
    p[':'] = Proc(&TDcjPerlSyn::ColonProc);
    p['<'] = Proc(&TDcjPerlSyn::LowerProc);
    p['='] = Proc(&TDcjPerlSyn::EqualProc);
    p['>'] = Proc(&TDcjPerlSyn::GreaterProc);
    p['^'] = Proc(&TDcjPerlSyn::XorProc);
    p['|'] = Proc(&TDcjPerlSyn::OrProc);
    for (char c : std::string_view("(),;?[\\]{}~"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjPerlSyn::SymbolProc);
    // The backquote and 127-255 stay unrecognised.
    return p;
  }();
  return procs;
}

TDcjPerlSyn::TDcjPerlSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, 0, 0, 0),
      FKeywords(&Keywords()),
      FWordChars(&WordChars()) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FInvalidAttri = MakeAttribute(SAttrIllegalChar, tkUnknown, true);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FOperatorAttri = MakeAttribute(SAttrOperator, tkOperator, false);
  FPragmaAttri = MakeAttribute(SAttrPragma, tkPragma, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FSpaceAttri->SetForeground(clWindow);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  FVariableAttri = MakeAttribute(SAttrVariable, tkVariable, false);
  SetExportAttribute(tkUnknown, FSymbolAttri);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterPerl);
}

const TClassInfo& TDcjPerlSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TDcjPerlSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TDcjPerlSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TDcjPerlSyn::GetIdentifierAttri)
          .Object("InvalidAttri", &TDcjPerlSyn::GetInvalidAttri)
          .Object("KeyAttri", &TDcjPerlSyn::GetKeyAttri)
          .Object("NumberAttri", &TDcjPerlSyn::GetNumberAttri)
          .Object("OperatorAttri", &TDcjPerlSyn::GetOperatorAttri)
          .Object("PragmaAttri", &TDcjPerlSyn::GetPragmaAttri)
          .Object("SpaceAttri", &TDcjPerlSyn::GetSpaceAttri)
          .Object("StringAttri", &TDcjPerlSyn::GetStringAttri)
          .Object("SymbolAttri", &TDcjPerlSyn::GetSymbolAttri)
          .Object("VariableAttri", &TDcjPerlSyn::GetVariableAttri);
  return info;
}

const TClassInfo* TDcjPerlSyn::ClassInfo() const { return &StaticClassInfo(); }

TktCharSet TDcjPerlSyn::GetIdentChars() const {
  TktCharSet set = TktFamilyHighlighter::GetIdentChars();
  set.Include('$');
  set.Include('%');
  set.Include('@');
  return set;
}

int TDcjPerlSyn::GetCapability() const { return TktFamilyHighlighter::GetCapability() | hcExport; }

std::string TDcjPerlSyn::GetLanguageName() const { return SLangPerl; }

bool TDcjPerlSyn::Follows(const char* text) const {
  for (size_t i = 0; text[i]; ++i)
    if (CharAt(FRun + i) != text[i] || FRun + i >= LineLength()) return false;
  return true;
}

// ---------------------------------------------------------------------------
// Blanks, comments and strings.
// ---------------------------------------------------------------------------

void TDcjPerlSyn::CommentProc() {
  FTokenKind = tkComment;
  FRun = FindLineBreak(FLine, FRun + 1);
}

void TDcjPerlSyn::StringProc() {
  FTokenKind = tkString;
  FRun = EscapedStringEnd(FLine, FRun, '"', true);
}

void TDcjPerlSyn::AsciiCharProc() {
  FTokenKind = tkString;
  const size_t n = LineLength();
  ++FRun;
  while (FRun < n) {
    const char c = FLine[FRun];
    if (c == '\'') {
      ++FRun;
      return;
    }
    if (IsLineBreak(c)) return;
    ++FRun;
  }
}

// ---------------------------------------------------------------------------
// Variables and words.
// ---------------------------------------------------------------------------

void TDcjPerlSyn::VariableProc() {
  const char c = FLine[FRun];
  const size_t n = LineLength();
  const bool atEnd = FRun + 1 >= n || IsLineBreak(FLine[FRun + 1]);
  const char next = CharAt(FRun + 1);
  if (c == '$' && !atEnd) {
    // Punctuation and digit variables: $_, $0, $@, $; ...
    static constexpr std::string_view kPunctuation = "!\"#$%&'()*+-./0123456789:;<=>?@[\\]_`|~";
    if (kPunctuation.find(next) != std::string_view::npos) {
      FTokenKind = tkVariable;
      FRun += 2;
      return;
    }
    if (next == '^') {
      const bool nextAtEnd = FRun + 2 >= n || IsLineBreak(FLine[FRun + 2]);
      if (nextAtEnd) {
        FTokenKind = tkVariable;
        FRun += 2;
        return;
      }
      if (std::string_view("ADFILPTWX").find(FLine[FRun + 2]) != std::string_view::npos) {
        FTokenKind = tkVariable;
        FRun += 3;
        return;
      }
    }
  }
  if (c == '%' || c == 'x') {
    if (atEnd) {
      SymbolOf(1);
      return;
    }
    if (next == '=') {
      SymbolOf(2);
      return;
    }
  }
  WordProc();
}

void TDcjPerlSyn::WordProc() {
  const std::array<bool, 256>& word = *FWordChars;
  const size_t start = FRun;
  const size_t n = LineLength();
  int hash = 0;
  while (FRun < n && word[static_cast<unsigned char>(FLine[FRun])]) {
    if (hash < kKeywordTableSize) hash += static_cast<unsigned char>(FLine[FRun]);
    ++FRun;
  }
  const TKeywordDef* found = FKeywords->Find(hash, FLine.data() + start, FRun - start);
  if (!found) {
    FTokenKind = tkIdentifier;
    return;
  }
  switch (found->Tag) {
    case kwOperator: FTokenKind = tkOperator; break;
    case kwPragma: FTokenKind = tkPragma; break;
    case kwVariable: FTokenKind = tkVariable; break;
    default: FTokenKind = tkKey;
  }
}

// ---------------------------------------------------------------------------
// Numbers and symbols.
// ---------------------------------------------------------------------------

void TDcjPerlSyn::PointProc() {
  const char next = CharAt(FRun + 1);
  if (FRun + 1 < LineLength()) {
    if ((next | 0x20) >= 'a' && (next | 0x20) <= 'z') return SymbolOf(1);
    if (next == '_') return SymbolOf(1);
    if (next == '.') return SymbolOf(CharAt(FRun + 2) == '.' && FRun + 2 < LineLength() ? 3 : 2);
    if (next == '=') return SymbolOf(2);
  }
  NumberProc();
}

void TDcjPerlSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = ExponentNumberEnd(FLine, FRun);
}

void TDcjPerlSyn::NotProc() { SymbolOf(Follows("!=") || Follows("!~") ? 2 : 1); }
void TDcjPerlSyn::AndProc() { SymbolOf(Follows("&&=") ? 3 : Follows("&&") || Follows("&=") ? 2 : 1); }
void TDcjPerlSyn::StarProc() { SymbolOf(Follows("**=") ? 3 : Follows("**") || Follows("*=") ? 2 : 1); }
void TDcjPerlSyn::PlusProc() { SymbolOf(Follows("++") || Follows("+=") ? 2 : 1); }
void TDcjPerlSyn::MinusProc() { SymbolOf(Follows("--") || Follows("-=") || Follows("->") ? 2 : 1); }
void TDcjPerlSyn::SlashProc() { SymbolOf(Follows("/=") ? 2 : 1); }
void TDcjPerlSyn::ColonProc() { SymbolOf(Follows("::") ? 2 : 1); }
void TDcjPerlSyn::LowerProc() {
  SymbolOf(Follows("<<=") || Follows("<=>") ? 3 : Follows("<<") || Follows("<=") ? 2 : 1);
}
void TDcjPerlSyn::EqualProc() { SymbolOf(Follows("==") || Follows("=>") || Follows("=~") ? 2 : 1); }
void TDcjPerlSyn::GreaterProc() {
  SymbolOf(Follows(">>=") ? 3 : Follows(">=") || Follows(">>") ? 2 : 1);
}
void TDcjPerlSyn::XorProc() { SymbolOf(Follows("^=") ? 2 : 1); }
void TDcjPerlSyn::OrProc() { SymbolOf(Follows("||=") ? 3 : Follows("||") || Follows("|=") ? 2 : 1); }
void TDcjPerlSyn::SymbolProc() { SymbolOf(1); }
