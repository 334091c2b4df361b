// TDcjJavaSyn: tables and scanner routines of the Java highlighter.
#include "highlighters/JavaSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

using namespace hlscan;

namespace {

TktCustomHighLighter* CreateJavaSyn(TComponent* owner) { return new TDcjJavaSyn(owner); }
const int kRegistered = RegisterHighlighter(&CreateJavaSyn);

}  // namespace

const TCharTables& TDcjJavaSyn::CharTables() {
  static const TCharTables tables = [] {
    TCharTables t;
    for (int c = 0; c < 256; ++c) {
      const size_t i = static_cast<size_t>(c);
      t.Ident[i] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$' ||
                   (c >= '0' && c <= '9');
      if (c >= 'A' && c <= 'Z') t.HashValue[i] = c - 'A' + 1;
      if (c >= 'a' && c <= 'z') t.HashValue[i] = c - 95;
    }
    return t;
  }();
  return tables;
}

const TKeywordTable& TDcjJavaSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcExact, {
          {"abstract"}, {"boolean"}, {"break"}, {"byte"}, {"case"}, {"catch"}, {"char"}, {"class"},
          {"const"}, {"continue"}, {"default"}, {"do"}, {"double"}, {"else"}, {"extends"},
          {"false"}, {"final"}, {"finally"}, {"float"}, {"for"}, {"goto"}, {"if"}, {"implements"},
          {"import"}, {"instanceof"}, {"int"}, {"interface"}, {"long"}, {"native"}, {"new"},
          {"null"}, {"package"}, {"private"}, {"protected"}, {"public"}, {"return"}, {"short"},
          {"static"}, {"strictfp"}, {"super"}, {"switch"}, {"synchronized"}, {"this"}, {"throw"},
          {"throws"}, {"transient"}, {"true"}, {"try"}, {"void"}, {"volatile"}, {"while"},
  });
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TDcjJavaSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    p.fill(Proc(&TDcjJavaSyn::UnknownProc));
    p[0] = &TDcjJavaSyn::NullProc;
    for (int c = 1; c <= 32; ++c) p[static_cast<size_t>(c)] = Proc(&TDcjJavaSyn::SpaceProc);
    p['\n'] = Proc(&TDcjJavaSyn::LFProc);
    p['\r'] = Proc(&TDcjJavaSyn::CRProc);
    for (int c = 'A'; c <= 'Z'; ++c) p[static_cast<size_t>(c)] = Proc(&TDcjJavaSyn::IdentProc);
    for (int c = 'a'; c <= 'z'; ++c) p[static_cast<size_t>(c)] = Proc(&TDcjJavaSyn::IdentProc);
    p['_'] = Proc(&TDcjJavaSyn::IdentProc);
    p['$'] = Proc(&TDcjJavaSyn::IdentProc);
    for (int c = '0'; c <= '9'; ++c) p[static_cast<size_t>(c)] = Proc(&TDcjJavaSyn::NumberProc);
    p['"'] = Proc(&TDcjJavaSyn::StringProc);
    p['\''] = Proc(&TDcjJavaSyn::StringProc);
    for (char c : std::string_view("#,@")) p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::InvalidProc);
    for (char c : std::string_view("().:;?[]{}~"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::SymbolProc);
    for (char c : std::string_view("!%*=^"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::EqualSecondProc);
    p['&'] = Proc(&TDcjJavaSyn::AndProc);
    p['+'] = Proc(&TDcjJavaSyn::PlusProc);
    p['-'] = Proc(&TDcjJavaSyn::MinusProc);
    p['|'] = Proc(&TDcjJavaSyn::OrProc);
    p['/'] = Proc(&TDcjJavaSyn::SlashProc);
    p['<'] = Proc(&TDcjJavaSyn::LowerProc);
    p['>'] = Proc(&TDcjJavaSyn::GreaterProc);
    // "\", the backquote and 127-255 stay unrecognised.
    return p;
  }();
  return procs;
}

TDcjJavaSyn::TDcjJavaSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsComment, rsUnknown,
                           rsUnknown) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment);
  FDocumentAttri = MakeAttribute(SAttrDocumentation);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier);
  FInvalidAttri = MakeAttribute(SAttrInvalidSymbol);
  FKeyAttri = MakeAttribute(SAttrReservedWord);
  FNumberAttri = MakeAttribute(SAttrNumber);
  FSpaceAttri = MakeAttribute(SAttrSpace);
  FStringAttri = MakeAttribute(SAttrString);
  FSymbolAttri = MakeAttribute(SAttrSymbol);
  SetKind(tkComment, FCommentAttri, true, false);
  SetKind(tkDocument, FDocumentAttri, false, false);
  SetKind(tkIdentifier, FIdentifierAttri, false, false);
  SetKind(tkInvalid, FInvalidAttri, false, false);
  SetKind(tkKey, FKeyAttri, false, false);
  SetKind(tkNull, nullptr, false, false);
  SetKind(tkNumber, FNumberAttri, false, false);
  SetKind(tkSpace, FSpaceAttri, false, true);
  SetKind(tkString, FStringAttri, true, false);
  SetKind(tkSymbol, FSymbolAttri, true, false);
  SetKind(tkUnknown, FInvalidAttri, true, false);
  SetExportAttribute(tkUnknown, FSymbolAttri);
  SetDefaultFilter(SFilterJava);
}

const TClassInfo& TDcjJavaSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TDcjJavaSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TDcjJavaSyn::GetCommentAttri)
          .Object("DocumentAttri", &TDcjJavaSyn::GetDocumentAttri)
          .Object("IdentifierAttri", &TDcjJavaSyn::GetIdentifierAttri)
          .Object("InvalidAttri", &TDcjJavaSyn::GetInvalidAttri)
          .Object("KeyAttri", &TDcjJavaSyn::GetKeyAttri)
          .Object("NumberAttri", &TDcjJavaSyn::GetNumberAttri)
          .Object("SpaceAttri", &TDcjJavaSyn::GetSpaceAttri)
          .Object("StringAttri", &TDcjJavaSyn::GetStringAttri)
          .Object("SymbolAttri", &TDcjJavaSyn::GetSymbolAttri);
  return info;
}

const TClassInfo* TDcjJavaSyn::ClassInfo() const { return &StaticClassInfo(); }

TktHighLightAttributes* TDcjJavaSyn::GetDefaultAttribute(int index) const {
  switch (index) {
    case 0: return FSpaceAttri;
    case 1: return FCommentAttri;
    case 2: return FKeyAttri;
    default: return nullptr;
  }
}

int TDcjJavaSyn::GetCapability() const { return TktFamilyHighlighter::GetCapability() | hcExport; }

std::string TDcjJavaSyn::GetLanguageName() const { return SLangJava; }

void TDcjJavaSyn::Next() {
  FTokenPos = FRun;
  if (FRange == rsComment || FRange == rsDocument) {
    // The line end and line breaks run their own routines; a NUL byte
    // inside the line stays in the comment.
    if (AtEnd() || IsLineBreak(FLine[FRun])) {
      Dispatch();
      return;
    }
    FTokenKind = FRange == rsComment ? tkComment : tkDocument;
    CommentFrom(FRun);
    return;
  }
  FRange = rsUnknown;
  Dispatch();
}

void TDcjJavaSyn::CommentFrom(size_t from) {
  const size_t close = FindCommentClose(FLine, from);
  if (close < LineLength() && FLine[close] == '*') {
    FRun = close + 2;
    FRange = rsUnknown;
  } else {
    FRun = close;
  }
}

void TDcjJavaSyn::SlashProc() {
  const char next = CharAt(FRun + 1);
  if (next == '*') {
    if (CharAt(FRun + 2) == '*' && CharAt(FRun + 3) == '/') {
      // "/**/" is an empty comment, not the opener of a documentation one.
      FTokenKind = tkComment;
      FRun += 4;
      return;
    }
    if (CharAt(FRun + 2) == '*') {
      FTokenKind = tkDocument;
      FRange = rsDocument;
      CommentFrom(FRun + 3);
    } else {
      FTokenKind = tkComment;
      FRange = rsComment;
      CommentFrom(FRun + 2);
    }
    return;
  }
  if (next == '/') {
    FTokenKind = tkComment;
    FRun = FindLineBreak(FLine, FRun + 2);
    return;
  }
  FTokenKind = tkSymbol;
  FRun += next == '=' ? 2 : 1;
}

void TDcjJavaSyn::IdentProc() {
  // (The hash stops growing past the table, so long words cannot overflow it.)
  size_t end = FRun;
  FTokenKind = hlscan::FindKeyword(Keywords(), CharTables(), FLine, FRun, &end) ? tkKey : tkIdentifier;
  FRun = end;
}

void TDcjJavaSyn::NumberProc() {
  FTokenKind = tkNumber;
  const size_t n = LineLength();
  ++FRun;
  while (FRun < n) {
    const char c = FLine[FRun];
    if (c == '.') {
      if (CharAt(FRun + 1) == '.') break;
    } else if (!IsHexDigit(c) && c != '-' && c != 'L' && c != 'X' && c != 'l' && c != 'x') {
      break;
    }
    ++FRun;
  }
}

void TDcjJavaSyn::StringProc() {
  FTokenKind = tkString;
  const char quote = FLine[FRun];
  FRun = EscapedStringEnd(FLine, FRun, quote, quote == '"');
}

void TDcjJavaSyn::SpaceProc() {
  FTokenKind = tkSpace;
  FRun = SkipBlanks(FLine, FRun + 1);
}

void TDcjJavaSyn::LFProc() {
  FTokenKind = tkSpace;
  ++FRun;
}

void TDcjJavaSyn::CRProc() {
  FTokenKind = tkSpace;
  ++FRun;
  if (CharAt(FRun) == '\n') ++FRun;
}

void TDcjJavaSyn::InvalidProc() {
  FTokenKind = tkInvalid;
  ++FRun;
}

void TDcjJavaSyn::LowerProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  if (next == '<') {
    FRun += CharAt(FRun + 2) == '=' ? 3 : 2;
    return;
  }
  FRun += next == '=' ? 2 : 1;
}

void TDcjJavaSyn::GreaterProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  if (next != '>') {
    FRun += next == '=' ? 2 : 1;
    return;
  }
  const char third = CharAt(FRun + 2);
  if (third == '>') {
    FRun += CharAt(FRun + 3) == '=' ? 4 : 3;
    return;
  }
  FRun += third == '=' ? 3 : 2;
}

void TDcjJavaSyn::AndProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  FRun += (next == '&' || next == '=') ? 2 : 1;
}

void TDcjJavaSyn::PlusProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  FRun += (next == '+' || next == '=') ? 2 : 1;
}

void TDcjJavaSyn::MinusProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  FRun += (next == '-' || next == '=') ? 2 : 1;
}

void TDcjJavaSyn::OrProc() {
  FTokenKind = tkSymbol;
  const char next = CharAt(FRun + 1);
  FRun += (next == '|' || next == '=') ? 2 : 1;
}

void TDcjJavaSyn::EqualSecondProc() {
  FTokenKind = tkSymbol;
  FRun += CharAt(FRun + 1) == '=' ? 2 : 1;
}

void TDcjJavaSyn::SymbolProc() {
  FTokenKind = tkSymbol;
  ++FRun;
}

void TDcjJavaSyn::UnknownProc() {
  FTokenKind = tkUnknown;
  ++FRun;
}
