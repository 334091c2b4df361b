// TDcjJavaSyn: tables and scanner routines of the Java highlighter.
#include "highlighters/JavaSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

using namespace hlscan;

const int kRegistered = RegisterHighlighter(&NewHighlighter<TDcjJavaSyn>);

const TCharTables& TDcjJavaSyn::CharTables() {
  static constexpr TCharTables tables = [] {
    TCharTables t = hlscan::CaseSensitiveCharTables();
    t.Ident['$'] = true;
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
    const TScanProc word =
        Proc(&TDcjJavaSyn::KeywordRunProc<&TDcjJavaSyn::Keywords, tkKey, tkIdentifier>);
    FillUsualProcs<tkSpace>(p, Proc(&TDcjJavaSyn::OneCharProc<tkUnknown>), word,
                            Proc(&TDcjJavaSyn::NumberProc));
    p['$'] = word;
    p['"'] = Proc(&TDcjJavaSyn::StringProc);
    p['\''] = Proc(&TDcjJavaSyn::StringProc);
    for (char c : std::string_view("#,@"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::OneCharProc<tkInvalid>);
    for (char c : std::string_view("().:;?[]{}~"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::OneCharProc<tkSymbol>);
    for (char c : std::string_view("!%*=^"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjJavaSyn::PairProc<tkSymbol, '='>);
    p['&'] = Proc(&TDcjJavaSyn::PairProc<tkSymbol, '&', '='>);
    p['+'] = Proc(&TDcjJavaSyn::PairProc<tkSymbol, '+', '='>);
    p['-'] = Proc(&TDcjJavaSyn::PairProc<tkSymbol, '-', '='>);
    p['|'] = Proc(&TDcjJavaSyn::PairProc<tkSymbol, '|', '='>);
    p['/'] = Proc(&TDcjJavaSyn::SlashProc);
    p['<'] = Proc(&TDcjJavaSyn::ShiftProc<tkSymbol>);
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
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FDocumentAttri = MakeAttribute(SAttrDocumentation, tkDocument, false);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FInvalidAttri = MakeAttribute(SAttrInvalidSymbol, tkInvalid, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  SetKind(tkUnknown, FInvalidAttri, true, false);
  SetExportAttribute(tkUnknown, FSymbolAttri);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
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

int TDcjJavaSyn::GetCapability() const { return TktFamilyHighlighter::GetCapability() | hcExport; }

std::string TDcjJavaSyn::GetLanguageName() const { return SLangJava; }

void TDcjJavaSyn::Next() {
  FTokenPos = FRun;
  if (FRange == rsComment || FRange == rsDocument) {
    // The line end and line breaks run their own routines; a NUL byte
    // inside the line stays in the comment.
    if (AtLineEndOrBreak()) {
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
  const TCommentScan comment = CCommentFrom(FLine, from);
  FRun = comment.End;
  if (comment.Closed) FRange = rsUnknown;
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
  LineCommentOrSlash<tkComment, tkSymbol, true>();
}

void TDcjJavaSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = NumberRunEnd(FLine, FRun, [](char c) {
    return IsHexDigit(c) || c == '-' || c == 'L' || c == 'X' || c == 'l' || c == 'x';
  });
}

void TDcjJavaSyn::StringProc() {
  FTokenKind = tkString;
  const char quote = FLine[FRun];
  FRun = EscapedStringEnd(FLine, FRun, quote, quote == '"');
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
