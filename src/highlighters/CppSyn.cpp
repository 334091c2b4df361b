// TDcjCppSyn: tables, scanner routines and colour import of the C and C++
// highlighter.
#include "highlighters/CppSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

using namespace hlscan;

const int kRegistered = RegisterHighlighter(&NewHighlighter<TDcjCppSyn>);

const TCharTables& TDcjCppSyn::CharTables() {
  static constexpr TCharTables tables = hlscan::CaseSensitiveCharTables();
  return tables;
}

const TKeywordTable& TDcjCppSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcExact, {
          {"asm", kwAsm}, {"_asm", kwAsm}, {"__asm", kwAsm}, {"auto", kwPlain},
          {"__automated", kwPlain}, {"bool", kwPlain}, {"break", kwPlain}, {"case", kwPlain},
          {"catch", kwPlain}, {"cdecl", kwPlain}, {"_cdecl", kwPlain}, {"__cdecl", kwPlain},
          {"char", kwPlain}, {"class", kwPlain}, {"__classid", kwPlain}, {"__closure", kwPlain},
          {"const", kwPlain}, {"const_cast", kwPlain}, {"continue", kwPlain},
          {"__declspec", kwPlain}, {"default", kwPlain}, {"delete", kwPlain}, {"__dispid", kwPlain},
          {"do", kwPlain}, {"double", kwPlain}, {"dynamic_cast", kwPlain}, {"else", kwPlain},
          {"enum", kwPlain}, {"__except", kwPlain}, {"explicit", kwPlain}, {"_export", kwPlain},
          {"__export", kwPlain}, {"extern", kwPlain}, {"false", kwPlain}, {"_fastcall", kwPlain},
          {"__fastcall", kwPlain}, {"__finally", kwPlain}, {"float", kwPlain}, {"for", kwPlain},
          {"friend", kwPlain}, {"goto", kwPlain}, {"if", kwPlain}, {"__import", kwPlain},
          {"_import", kwPlain}, {"inline", kwPlain}, {"int", kwPlain}, {"__int16", kwPlain},
          {"__int32", kwPlain}, {"__int64", kwPlain}, {"__int8", kwPlain}, {"long", kwPlain},
          {"mutable", kwPlain}, {"namespace", kwPlain}, {"new", kwPlain}, {"operator", kwPlain},
          {"_pascal", kwPlain}, {"__pascal", kwPlain}, {"pascal", kwPlain}, {"private", kwPlain},
          {"__property", kwPlain}, {"protected", kwPlain}, {"public", kwPlain},
          {"__published", kwPlain}, {"register", kwPlain}, {"reinterpret_cast", kwPlain},
          {"return", kwPlain}, {"__rtti", kwPlain}, {"short", kwPlain}, {"signed", kwPlain},
          {"sizeof", kwPlain}, {"static", kwPlain}, {"static_cast", kwPlain}, {"_stdcall", kwPlain},
          {"__stdcall", kwPlain}, {"struct", kwPlain}, {"switch", kwPlain}, {"template", kwPlain},
          {"this", kwPlain}, {"__thread", kwPlain}, {"throw", kwPlain}, {"true", kwPlain},
          {"__try", kwPlain}, {"try", kwPlain}, {"typedef", kwPlain}, {"typeid", kwPlain},
          {"typename", kwPlain}, {"union", kwPlain}, {"unsigned", kwPlain}, {"using", kwPlain},
          {"virtual", kwPlain}, {"void", kwPlain}, {"volatile", kwPlain}, {"wchar_t", kwPlain},
          {"while", kwPlain},
  });
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TDcjCppSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(p, Proc(&TDcjCppSyn::OneCharProc<tkUnknown>),
                            Proc(&TDcjCppSyn::IdentProc), Proc(&TDcjCppSyn::NumberProc));
    p['"'] = Proc(&TDcjCppSyn::StringProc);
    p['\''] = Proc(&TDcjCppSyn::AsciiCharProc);
    p['#'] = Proc(&TDcjCppSyn::DirectiveProc);
    p['/'] = Proc(&TDcjCppSyn::SlashProc);
    p['{'] = Proc(&TDcjCppSyn::BraceOpenProc);
    p['}'] = Proc(&TDcjCppSyn::BraceCloseProc);
    p[';'] = Proc(&TDcjCppSyn::SemiColonProc);
    p['&'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '&', '='>);
    p[':'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, ':'>);
    p['='] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '='>);
    p['>'] = Proc(&TDcjCppSyn::ShiftProc<tkSymbol>);
    p['<'] = Proc(&TDcjCppSyn::ShiftProc<tkSymbol>);
    p['-'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '-', '=', '>'>);
    p['!'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '='>);
    p['|'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '|', '='>);
    p['+'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '+', '='>);
    p['.'] = Proc(&TDcjCppSyn::DotsProc<tkSymbol>);
    p['%'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '='>);
    p['*'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '='>);
    p['^'] = Proc(&TDcjCppSyn::PairProc<tkSymbol, '='>);
    for (char c : std::string_view("(),?[]~"))
      p[static_cast<unsigned char>(c)] = Proc(&TDcjCppSyn::OneCharProc<tkSymbol>);
    // "@", "$", "\", the backquote and 127-255 stay illegal characters.
    return p;
  }();
  return procs;
}

TDcjCppSyn::TDcjCppSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsAnsiC, rsUnknown,
                           rsUnknown) {
  (void)kRegistered;
  FAsmAttri = MakeAttribute(SAttrAssembler, tkAsm, false);
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FInvalidAttri = MakeAttribute(SAttrIllegalChar, tkUnknown, true);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FSpaceAttri->SetForeground(clWindow);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  FDirecAttri = MakeAttribute(SAttrPreprocessor, tkDirective, true);
  SetExportAttribute(tkUnknown, FSymbolAttri);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterCPP);
}

const TClassInfo& TDcjCppSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TDcjCppSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("AsmAttri", &TDcjCppSyn::GetAsmAttri)
          .Object("CommentAttri", &TDcjCppSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TDcjCppSyn::GetIdentifierAttri)
          .Object("InvalidAttri", &TDcjCppSyn::GetInvalidAttri)
          .Object("KeyAttri", &TDcjCppSyn::GetKeyAttri)
          .Object("NumberAttri", &TDcjCppSyn::GetNumberAttri)
          .Object("SpaceAttri", &TDcjCppSyn::GetSpaceAttri)
          .Object("StringAttri", &TDcjCppSyn::GetStringAttri)
          .Object("SymbolAttri", &TDcjCppSyn::GetSymbolAttri)
          .Object("DirecAttri", &TDcjCppSyn::GetDirecAttri);
  return info;
}

const TClassInfo* TDcjCppSyn::ClassInfo() const { return &StaticClassInfo(); }

int TDcjCppSyn::GetCapability() const {
  return TktFamilyHighlighter::GetCapability() | hcAttributeSets | hcExport;
}

std::string TDcjCppSyn::GetLanguageName() const { return SLangCPP; }

void TDcjCppSyn::Next() {
  FAsmStart = false;
  FTokenPos = FRun;
  switch (FRange) {
    case rsAnsiC:
    case rsAnsiCAsm:
    case rsAnsiCAsmBlock:
    case rsDirectiveComment:
      // The line end and line breaks run their own routines; a NUL byte
      // inside the line stays in the comment.
      if (AtLineEndOrBreak()) {
        Dispatch();
      } else {
        FTokenKind = tkComment;
        CommentFrom(FRun);
      }
      return;
    case rsDirective:
      DirectiveFrom();
      return;
    case rsAsm:
    case rsAsmBlock:
      // An assembler statement or block goes on until its ";" or "}".
      break;
    default:
      FRange = rsUnknown;
  }
  Dispatch();
}

// ---------------------------------------------------------------------------
// Comments and preprocessor lines.
// ---------------------------------------------------------------------------

void TDcjCppSyn::CommentFrom(size_t from) {
  const TCommentScan comment = CCommentFrom(FLine, from);
  FRun = comment.End;
  if (comment.Closed) {
    switch (FRange) {
      case rsDirectiveComment: FRange = rsDirective; break;
      case rsAnsiCAsm: FRange = rsAsm; break;
      case rsAnsiCAsmBlock: FRange = rsAsmBlock; break;
      default: FRange = rsUnknown;
    }
    return;
  }
  // A line break inside the line ends the directive: its comment goes on as
  // a plain one. At the line end the range stays, so the directive goes on
  // after the comment closes on a later line.
  if (FRun < LineLength() && FRange == rsDirectiveComment) FRange = rsAnsiC;
}

void TDcjCppSyn::DirectiveProc() {
  FTokenKind = tkDirective;
  ++FRun;
  DirectiveFrom();
  if (FRange == rsDirective || FRange == rsDirectiveComment) return;
  FRange = rsUnknown;
}

// From the run position over the directive: up to a comment (which follows
// as its own token), a backslash at the line end (continued on the next
// line) or the line end.
void TDcjCppSyn::DirectiveFrom() {
  const size_t n = LineLength();
  if (FRun == FTokenPos && (FRun >= n || IsLineBreak(FLine[FRun]))) {
    // A continued directive at a line end or line break: it goes on only
    // right after its backslash.
    FRange = (FRun > 0 && FLine[FRun - 1] == '\\') ? rsDirective : rsUnknown;
    Dispatch();
    return;
  }
  FTokenKind = tkDirective;
  FRange = rsUnknown;
  while (FRun < n) {
    const char c = FLine[FRun];
    if (c == '/' && FRun + 1 < n && (FLine[FRun + 1] == '/' || FLine[FRun + 1] == '*')) {
      if (FLine[FRun + 1] == '*') FRange = rsDirectiveComment;
      break;
    }
    if (c == '\\' && (FRun + 1 >= n || IsLineBreak(FLine[FRun + 1]))) {
      ++FRun;
      FRange = rsDirective;
      return;
    }
    if (IsLineBreak(c)) break;
    ++FRun;
  }
  // A continued line that starts with its comment has no directive text:
  // the comment is the token.
  if (FRun == FTokenPos) Dispatch();
}

void TDcjCppSyn::SlashProc() {
  const char next = CharAt(FRun + 1);
  if (next == '*') {
    FTokenKind = tkComment;
    switch (FRange) {
      case rsAsm: FRange = rsAnsiCAsm; break;
      case rsAsmBlock: FRange = rsAnsiCAsmBlock; break;
      case rsDirectiveComment: break;
      default: FRange = rsAnsiC;
    }
    CommentFrom(FRun + 2);
    return;
  }
  LineCommentOrSlash<tkComment, tkSymbol, true>();
}

// ---------------------------------------------------------------------------
// Words, numbers and strings.
// ---------------------------------------------------------------------------

void TDcjCppSyn::IdentProc() {
  // (The hash stops growing past the table, so long words cannot overflow it.)
  size_t end = FRun;
  const TKeywordDef* word = hlscan::FindKeyword(Keywords(), CharTables(), FLine, FRun, &end);
  FRun = end;
  if (!word) {
    FTokenKind = tkIdentifier;
    return;
  }
  FTokenKind = tkKey;
  if (word->Tag == kwAsm) {
    FRange = rsAsm;
    FAsmStart = true;
  }
}

void TDcjCppSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = NumberRunEnd(FLine, FRun, [](char c) {
    return IsHexDigit(c) || c == 'L' || c == 'U' || c == 'X' || c == 'l' || c == 'u' || c == 'x';
  });
}

void TDcjCppSyn::StringProc() {
  FTokenKind = tkString;
  FRun = EscapedStringEnd(FLine, FRun, '"', true);
}

void TDcjCppSyn::AsciiCharProc() {
  FTokenKind = tkString;
  FRun = EscapedStringEnd(FLine, FRun, '\'', false);
}

// ---------------------------------------------------------------------------
// Blanks and symbols.
// ---------------------------------------------------------------------------

void TDcjCppSyn::BraceOpenProc() {
  FTokenKind = tkSymbol;
  ++FRun;
  if (FRange == rsAsm) {
    FRange = rsAsmBlock;
    FAsmStart = true;
  }
}

void TDcjCppSyn::BraceCloseProc() {
  FTokenKind = tkSymbol;
  ++FRun;
  if (FRange == rsAsmBlock) FRange = rsUnknown;
}

void TDcjCppSyn::SemiColonProc() {
  FTokenKind = tkSymbol;
  ++FRun;
  if (FRange == rsAsm) FRange = rsUnknown;
}

// ---------------------------------------------------------------------------
// Colour import.
// ---------------------------------------------------------------------------

void TDcjCppSyn::ListAttributeSets(TStrings* list) {
  ListIdeVersions(rkLocalMachine, FRegistryRoot + "\\SOFTWARE\\Borland\\C++Builder", list);
}

bool TDcjCppSyn::ImportAttributeSet(int index) {
  TStringList versions;
  ListAttributeSets(&versions);
  if (index < 0 || index >= versions.GetCount()) return false;
  const std::string version = versions.Get(index);
  // Version 1 kept one string value per element.
  const bool oldFormat = !version.empty() && version[0] == '1';
  const std::string key =
      FRegistryRoot + (oldFormat ? "\\SOFTWARE\\Borland\\C++Builder\\" + version + "\\Highlight"
                                 : "\\Software\\Borland\\C++Builder\\" + version +
                                       "\\Editor\\Highlight");
  return ImportIdeElements(key, oldFormat,
                           {
                               {FAsmAttri, oldFormat ? "Plain text" : "Assembler"},
                               {FCommentAttri, "Comment"},
                               {FIdentifierAttri, "Identifier"},
                               {FInvalidAttri, "Illegal Char"},
                               {FKeyAttri, "Reserved word"},
                               {FNumberAttri, "Integer"},
                               {FSpaceAttri, "Whitespace"},
                               {FStringAttri, "String"},
                               {FSymbolAttri, "Symbol"},
                               {FDirecAttri, "Preprocessor"},
                           });
}
