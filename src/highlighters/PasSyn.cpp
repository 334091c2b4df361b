// TktPasSyn: tables, scanner routines and colour import of the Object
// Pascal highlighter.
#include "highlighters/PasSyn.h"

#include "editor/LocalStr.h"
#include "platform/Classes.h"

using namespace hlscan;

namespace {

constexpr int kKeywordTableSize = 192;

const int kRegistered = RegisterHighlighter(&NewHighlighter<TktPasSyn>);

}  // namespace

const TCharTables& TktPasSyn::CharTables() {
  static constexpr TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TKeywordTable& TktPasSyn::Keywords() {
  static const TKeywordTable table(
      CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues,
      {
          {"Absolute", kwPlain}, {"Abstract", kwPlain}, {"And", kwPlain}, {"Array", kwPlain},
          {"As", kwPlain}, {"Assembler", kwPlain}, {"Begin", kwPlain}, {"Case", kwPlain},
          {"Cdecl", kwPlain}, {"Class", kwPlain}, {"Const", kwPlain}, {"Constructor", kwPlain},
          {"Destructor", kwPlain}, {"Dispid", kwPlain}, {"Dispinterface", kwPlain},
          {"Div", kwPlain}, {"Do", kwPlain}, {"Downto", kwPlain}, {"Dynamic", kwPlain},
          {"Else", kwPlain}, {"Except", kwPlain}, {"Export", kwPlain}, {"Exports", kwPlain},
          {"External", kwPlain}, {"Far", kwPlain}, {"File", kwPlain},
          {"Finalization", kwPlain}, {"Finally", kwPlain}, {"For", kwPlain},
          {"Forward", kwPlain}, {"Function", kwEndsProperty}, {"Goto", kwPlain},
          {"If", kwPlain}, {"Implementation", kwPlain}, {"In", kwPlain},
          {"Inherited", kwPlain}, {"Initialization", kwPlain}, {"Inline", kwPlain},
          {"Interface", kwPlain}, {"Is", kwPlain}, {"Label", kwPlain}, {"Library", kwPlain},
          {"Message", kwPlain}, {"Mod", kwPlain}, {"Near", kwPlain}, {"Nil", kwPlain},
          {"Not", kwPlain}, {"Object", kwPlain}, {"Of", kwPlain}, {"Or", kwPlain},
          {"Out", kwPlain}, {"Override", kwPlain}, {"Packed", kwPlain}, {"Pascal", kwPlain},
          {"Private", kwVisibility}, {"Procedure", kwEndsProperty}, {"Program", kwPlain},
          {"Property", kwProperty}, {"Protected", kwVisibility}, {"Public", kwVisibility},
          {"Published", kwVisibility}, {"Raise", kwPlain}, {"Record", kwPlain},
          {"Register", kwPlain}, {"Repeat", kwPlain}, {"Resourcestring", kwPlain},
          {"Safecall", kwPlain}, {"Set", kwPlain}, {"Shl", kwPlain}, {"Shr", kwPlain},
          {"Stdcall", kwPlain}, {"Stringresource", kwPlain}, {"String", kwPlain},
          {"Then", kwPlain}, {"Threadvar", kwPlain}, {"To", kwPlain}, {"Try", kwPlain},
          {"Type", kwPlain}, {"Unit", kwPlain}, {"Until", kwPlain}, {"Uses", kwPlain},
          {"Var", kwPlain}, {"Virtual", kwPlain}, {"While", kwPlain}, {"With", kwPlain},
          {"Xor", kwPlain}, {"Default", kwPlain}, {"End", kwEndsProperty}, {"Asm", kwAsm},
          // Words with rules of their own.
          {"Read", kwPropertyWord}, {"Write", kwPropertyWord}, {"Index", kwPropertyWord},
          {"Stored", kwPropertyWord}, {"Readonly", kwPropertyWord},
          {"Writeonly", kwPropertyWord}, {"Nodefault", kwPropertyWord},
          {"Implements", kwImplements}, {"overload", kwD4}, {"Reintroduce", kwD4},
          {"Automated", kwAutomated},
      });
  return table;
}

const TktFamilyHighlighter::TProcTable& TktPasSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(p, Proc(&TktPasSyn::OneCharProc<tkUnknown>),
                            Proc(&TktPasSyn::IdentProc), Proc(&TktPasSyn::NumberProc));
    p['$'] = Proc(&TktPasSyn::RunProc<tkNumber, IsHexDigit>);
    p['#'] = Proc(&TktPasSyn::RunProc<tkString, IsDigit>);
    p['\''] = Proc(&TktPasSyn::StringProc);
    p['{'] = Proc(&TktPasSyn::BraceOpenProc);
    p['('] = Proc(&TktPasSyn::RoundOpenProc);
    p['/'] = Proc(&TktPasSyn::SlashProc);
    p['.'] = Proc(&TktPasSyn::PairProc<tkSymbol, ')', '.'>);
    p[':'] = Proc(&TktPasSyn::PairProc<tkSymbol, '='>);
    p['>'] = Proc(&TktPasSyn::PairProc<tkSymbol, '='>);
    p['<'] = Proc(&TktPasSyn::PairProc<tkSymbol, '=', '>'>);
    p['@'] = Proc(&TktPasSyn::PairProc<tkSymbol, '@'>);
    for (char c : std::string_view(")*+,-;=[]^}!\"%&?\\`~"))
      p[static_cast<unsigned char>(c)] = Proc(&TktPasSyn::OneCharProc<tkSymbol>);
    // "|" and 127-255 stay unrecognised characters.
    return p;
  }();
  return procs;
}

TktPasSyn::TktPasSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsAnsi, rsUnknown,
                           rsUnknown) {
  (void)kRegistered;
  FAsmAttri = MakeAttribute(SAttrAssembler, tkAsm, false);
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  SetKind(tkUnknown, FSymbolAttri, true, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterPascal);
}

const TClassInfo& TktPasSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktPasSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("AsmAttri", &TktPasSyn::GetAsmAttri)
          .Object("CommentAttri", &TktPasSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TktPasSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TktPasSyn::GetKeyAttri)
          .Object("NumberAttri", &TktPasSyn::GetNumberAttri)
          .Object("SpaceAttri", &TktPasSyn::GetSpaceAttri)
          .Object("StringAttri", &TktPasSyn::GetStringAttri)
          .Object("SymbolAttri", &TktPasSyn::GetSymbolAttri)
          .Bool("D4syntax", &TktPasSyn::GetD4syntax, &TktPasSyn::SetD4syntax);
  return info;
}

const TClassInfo* TktPasSyn::ClassInfo() const { return &StaticClassInfo(); }

int TktPasSyn::GetCapability() const { return hcAttributeSets | hcRegistry | hcExport; }

std::string TktPasSyn::GetLanguageName() const { return SLangPascal; }

void TktPasSyn::Next() {
  FAsmStart = false;
  FTokenPos = FRun;
  switch (FRange) {
    case rsAnsi:
    case rsAnsiAsm:
      AnsiContinue();
      break;
    case rsBor:
    case rsBorAsm:
      BorContinue();
      break;
    default:
      Dispatch();
  }
}

// ---------------------------------------------------------------------------
// Keywords.
// ---------------------------------------------------------------------------

// The kind of the word at the run position (the run does not move). The
// keyword test covers the letters plus one following digit or "_".
uint8_t TktPasSyn::IdentKind() {
  const TCharTables& tables = CharTables();
  const size_t start = FRun;
  const size_t n = LineLength();
  // Only letters add to the hash. A hash past the table is an identifier
  // whatever follows, so long words stop adding there (and cannot overflow).
  int hash = 0;
  size_t i = start;
  while (i < n && IsLetter(FLine[i])) {
    hash += tables.Hash(FLine[i]);
    ++i;
    if (hash >= kKeywordTableSize) return tkIdentifier;
  }
  size_t wordLength = i - start;
  if (i < n && (IsDigit(FLine[i]) || FLine[i] == '_')) ++wordLength;
  const TKeywordDef* word = Keywords().Find(hash, FLine.data() + start, wordLength);
  if (!word) return tkIdentifier;
  switch (word->Tag) {
    case kwPlain:
      return tkKey;
    case kwPropertyWord:
      return FRange == rsProperty ? tkKey : tkIdentifier;
    case kwImplements:
      return FD4syntax && FRange == rsProperty ? tkKey : tkIdentifier;
    case kwD4:
      return FD4syntax ? tkKey : tkIdentifier;
    case kwAutomated:
      if (FRange != rsProperty) return tkIdentifier;
      FRange = rsUnknown;
      return tkKey;
    case kwProperty:
      FRange = rsProperty;
      return tkKey;
    case kwEndsProperty:
      FRange = rsUnknown;
      return tkKey;
    case kwAsm:
      FRange = rsAsm;
      FAsmStart = true;
      return tkKey;
    case kwVisibility: {
      // First on its line, or after only the line's first character and
      // blanks: the declaration section has ended.
      bool first = true;
      for (size_t j = 1; j < start; ++j)
        if (static_cast<unsigned char>(FLine[j]) >= 33) {
          first = false;
          break;
        }
      if (first) FRange = rsUnknown;
      return tkKey;
    }
    default:
      return tkIdentifier;
  }
}

// ---------------------------------------------------------------------------
// Scanner routines.
// ---------------------------------------------------------------------------

void TktPasSyn::IdentProc() {
  FTokenKind = IdentKind();
  // Begin1 or end_x: the word goes on over every identifier character.
  SkipIdentChars();
}

void TktPasSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = NumberRunEnd(FLine, FRun, [](char c) { return IsDigit(c) || c == 'e' || c == 'E'; });
}

void TktPasSyn::StringProc() {
  FTokenKind = tkString;
  // A string that starts with a doubled apostrophe keeps it.
  if (CharAt(FRun + 1) == '\'' && CharAt(FRun + 2) == '\'') FRun += 2;
  const size_t close = FindChar('\'', FRun + 1);
  FRun = close < LineLength() ? close + 1 : LineLength();
}

void TktPasSyn::CloseComment(size_t closeAt, size_t closeLength) {
  if (closeAt >= LineLength()) {
    FRun = LineLength();  // open to the next line: the range stays
    return;
  }
  FRun = closeAt + closeLength;
  FRange = (FRange == rsAnsiAsm || FRange == rsBorAsm) ? rsAsm : rsUnknown;
}

void TktPasSyn::BraceOpenProc() {
  FTokenKind = tkComment;
  FRange = FRange == rsAsm ? rsBorAsm : rsBor;
  CloseComment(FindChar('}', FRun + 1), 1);
}

void TktPasSyn::RoundOpenProc() {
  const char next = CharAt(FRun + 1);
  if (next == '*') {
    FTokenKind = tkComment;
    FRange = FRange == rsAsm ? rsAnsiAsm : rsAnsi;
    // "(*)" is not closed by its own ")": the search starts after the "*".
    const size_t close = FindPair('*', ')', FRun + 2);
    CloseComment(close == std::string_view::npos ? LineLength() : close, 2);
    return;
  }
  FTokenKind = tkSymbol;
  FRun += next == '.' ? 2 : 1;
}

void TktPasSyn::SlashProc() {
  if (CharAt(FRun + 1) == '/') {
    FTokenKind = tkComment;
    FRun = LineLength();
    return;
  }
  FTokenKind = tkSymbol;
  ++FRun;
}

void TktPasSyn::AnsiContinue() {
  const char c = CharAt(FRun);
  if (c == '\0' || c == '\n' || c == '\r') {
    Dispatch();  // the line end, a line break or a NUL byte; the range stays
    return;
  }
  FTokenKind = tkComment;
  // From the current character, so a line that begins with "*)" closes at once.
  const size_t close = FindPair('*', ')', FRun);
  CloseComment(close == std::string_view::npos ? LineLength() : close, 2);
}

void TktPasSyn::BorContinue() {
  const char c = CharAt(FRun);
  if (c == '\0' || c == '\n' || c == '\r') {
    Dispatch();
    return;
  }
  FTokenKind = tkComment;
  CloseComment(FindChar('}', FRun), 1);
}

// ---------------------------------------------------------------------------
// Colour import.
// ---------------------------------------------------------------------------

void TktPasSyn::ListAttributeSets(TStrings* list) {
  ListIdeVersions(rkLocalMachine, "\\SOFTWARE\\Borland\\Delphi", list);
}

bool TktPasSyn::ImportAttributeSet(int index) {
  TStringList versions;
  ListAttributeSets(&versions);
  if (index < 0 || index >= versions.GetCount()) return false;
  const std::string version = versions.Get(index);
  // Versions 2 and 3 kept one string value per element.
  const bool oldFormat = !version.empty() && (version[0] == '2' || version[0] == '3');
  const std::string key = "\\Software\\Borland\\Delphi\\" + version +
                          (oldFormat ? "\\Highlight" : "\\Editor\\Highlight");
  return ImportIdeElements(key, oldFormat,
                           {
                               {FAsmAttri, "Assembler"},
                               {FCommentAttri, "Comment"},
                               {FIdentifierAttri, "Identifier"},
                               {FKeyAttri, "Reserved word"},
                               {FNumberAttri, "Number"},
                               {FSpaceAttri, "Whitespace"},
                               {FStringAttri, "String"},
                               {FSymbolAttri, "Symbol"},
                           });
}
