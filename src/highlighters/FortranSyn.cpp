// TktFortranSyn: tables and scanner routines of the Fortran highlighter.
#include "highlighters/FortranSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

namespace {

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

const int kRegistered = RegisterHighlighter(&NewHighlighter<TktFortranSyn>);

}  // namespace

const TCharTables& TktFortranSyn::CharTables() {
  static const TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TKeywordTable& TktFortranSyn::Keywords() {
  static const TKeywordTable table(
      CharTables(), 146, TKeywordCompare::kcHashValues,
      {{"allocatable"}, {"allocate"}, {"call"}, {"case"}, {"character"}, {"common"},
       {"continue"}, {"cycle"}, {"data"}, {"deallocate"}, {"default"}, {"dimension"}, {"do"},
       {"else"}, {"elseif"}, {"end"}, {"enddo"}, {"endif"}, {"entry"}, {"equivalence"},
       {"exit"}, {"external"}, {"format"}, {"function"}, {"if"}, {"include"}, {"integer"},
       {"interface"}, {"logical"}, {"map"}, {"open"}, {"parameter"}, {"print"}, {"program"},
       {"read"}, {"real"}, {"record"}, {"return"}, {"save"}, {"select"}, {"stop"},
       {"structure"}, {"subroutine"}, {"then"}, {"type"}, {"union"}, {"value"}, {"while"},
       {"write"}});
  return table;
}

const TktFamilyHighlighter::TProcTable& TktFortranSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillCommonProcs(p);
    for (int c = 'A'; c <= 'Z'; ++c) p[static_cast<size_t>(c)] = Proc(&TktFortranSyn::IdentProc);
    for (int c = 'a'; c <= 'z'; ++c) p[static_cast<size_t>(c)] = Proc(&TktFortranSyn::IdentProc);
    p['_'] = Proc(&TktFortranSyn::IdentProc);
    for (int c = '0'; c <= '9'; ++c) p[static_cast<size_t>(c)] = Proc(&TktFortranSyn::NumberProc);
    SetProcs(p, "!", &TktFortranSyn::CommentToBreakProc);
    SetProcs(p, "'", &TktFortranSyn::ApostropheProc);
    SetProcs(p, "\"", &TktFortranSyn::QuoteProc);
    SetProcs(p, ".", &TktFortranSyn::PointProc);
    SetProcs(p, "<", &TktFortranSyn::LowerProc);
    SetProcs(p, ">", &TktFortranSyn::GreaterProc);
    SetProcs(p, "=", &TktFortranSyn::EqualProc);
    SetProcs(p, "%()*+,-/;", &TktFortranSyn::SymbolProc);
    return p;
  }();
  return procs;
}

// Characters without a rule are exported too, with the identifier
// attribute and their text escaped.
TktFortranSyn::TktFortranSyn(TComponent* owner)
    : TktStandardSyn(owner, CharTables(), Procs(), &Keywords(), SAttrReservedWord,
                     {tkUnknown, true}, 0, 0, 0) {
  (void)kRegistered;
  SetDefaultFilter(SFilterFortran);
}

const TClassInfo& TktFortranSyn::StaticClassInfo() {
  static const TClassInfo info("TktFortranSyn", &TktStandardSyn::StaticClassInfo());
  return info;
}

const TClassInfo* TktFortranSyn::ClassInfo() const { return &StaticClassInfo(); }

std::string TktFortranSyn::GetLanguageName() const { return SLangFortran; }

void TktFortranSyn::IdentProc() {
  // An upper-case C in the first column makes the whole line a comment.
  if (FRun == 0 && FLine[0] == 'C') {
    CommentToBreakProc();
    return;
  }
  KeywordProc();
}

void TktFortranSyn::NumberProc() {
  FTokenKind = tkNumber;
  ++FRun;
  const size_t n = LineLength();
  while (FRun < n) {
    const char c = FLine[FRun];
    if (c == '.') {
      if (CharAt(FRun + 1) == '.') break;  // 1..2 is number, ".", ".", number
    } else if (!hlscan::IsDigit(c) && c != 'E' && c != 'F' && c != 'X' && c != 'e' && c != 'f' &&
               c != 'x') {
      break;
    }
    ++FRun;
  }
}

void TktFortranSyn::ApostropheProc() {
  FTokenKind = tkString;
  const size_t close = FindChar('\'', FRun + 1);
  FRun = close < LineLength() ? close + 1 : LineLength();
}

// A backslash before a line feed keeps the string going over it.
void TktFortranSyn::QuoteProc() {
  FTokenKind = tkString;
  if (CharAt(FRun + 1) == '"' && CharAt(FRun + 2) == '"') FRun += 2;
  const size_t n = LineLength();
  size_t i = FRun + 1;
  while (i < n && FLine[i] != '"') i += (FLine[i] == '\\' && CharAt(i + 1) == '\n') ? 2 : 1;
  FRun = i < n ? i + 1 : n;
}

void TktFortranSyn::PointProc() {
  FTokenKind = tkSymbol;
  const size_t letters = hlscan::SkipWhile(FLine, FRun + 1, hlscan::IsLetter);
  const size_t length = letters - FRun - 1;
  if (CharAt(letters) == '.' && length >= 2 && length <= 5) {
    const std::string_view word = FLine.substr(FRun + 1, length);
    for (std::string_view op : {"EQ", "NE", "LT", "LE", "GT", "GE", "OR", "AND", "NOT", "TRUE", "FALSE"})
      if (SameTextAscii(word, op)) {
        FRun = letters + 1;
        return;
      }
  }
  ++FRun;
}

void TktFortranSyn::LowerProc() {
  FTokenKind = tkSymbol;
  if (CharAt(FRun + 1) == '<')
    FRun += CharAt(FRun + 2) == '=' ? 3 : 2;
  else
    FRun += CharAt(FRun + 1) == '=' ? 2 : 1;
}

void TktFortranSyn::GreaterProc() {
  FTokenKind = tkSymbol;
  if (CharAt(FRun + 1) == '>')
    FRun += CharAt(FRun + 2) == '=' ? 3 : 2;
  else
    FRun += CharAt(FRun + 1) == '=' ? 2 : 1;
}

void TktFortranSyn::EqualProc() {
  FTokenKind = tkSymbol;
  FRun += CharAt(FRun + 1) == '=' ? 2 : 1;
}
