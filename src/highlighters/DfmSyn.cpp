// TuxDfmSyn: tables and scanner routines of the form-definition highlighter.
#include "highlighters/DfmSyn.h"

#include <algorithm>

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

const int kRegistered = RegisterHighlighter(&NewHighlighter<TuxDfmSyn>);

const TCharTables& TuxDfmSyn::CharTables() {
  static const TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TktFamilyHighlighter::TProcTable& TuxDfmSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillCommonProcs(p);
    for (int c = 'A'; c <= 'Z'; ++c) p[static_cast<size_t>(c)] = Proc(&TuxDfmSyn::IdentProc);
    for (int c = 'a'; c <= 'z'; ++c) p[static_cast<size_t>(c)] = Proc(&TuxDfmSyn::IdentProc);
    p['_'] = Proc(&TuxDfmSyn::IdentProc);
    SetProcs(p, "Ee", &TuxDfmSyn::EndProc);
    SetProcs(p, "Oo", &TuxDfmSyn::ObjectProc);
    for (int c = '0'; c <= '9'; ++c) p[static_cast<size_t>(c)] = Proc(&TuxDfmSyn::NumberProc);
    SetProcs(p, "$", &TuxDfmSyn::HexProc);
    SetProcs(p, "#", &TuxDfmSyn::PoundProc);
    SetProcs(p, "'", &TuxDfmSyn::StringProc);
    SetProcs(p, "{", &TuxDfmSyn::BraceOpenProc);
    SetProcs(p, "}", &TuxDfmSyn::BraceCloseProc);
    SetProcs(p, "(),./<=>[]", &TuxDfmSyn::SymbolProc);
    return p;
  }();
  return procs;
}

TuxDfmSyn::TuxDfmSyn(TComponent* owner)
    : TktStandardSyn(owner, CharTables(), Procs(), nullptr, SAttrKey, {tkUnknown, true},
                     rsComment, rsUnknown, rsUnknown) {
  (void)kRegistered;
  SetDefaultFilter(SFilterDfm);
}

const TClassInfo& TuxDfmSyn::StaticClassInfo() {
  static const TClassInfo info("TuxDfmSyn", &TktStandardSyn::StaticClassInfo());
  return info;
}

const TClassInfo* TuxDfmSyn::ClassInfo() const { return &StaticClassInfo(); }

std::string TuxDfmSyn::GetLanguageName() const { return SLangDfm; }

void TuxDfmSyn::Next() {
  FTokenPos = FRun;
  if (FRange != rsComment) {
    Dispatch();
    return;
  }
  // Inside a comment only the line end stops it; a line that begins with
  // "}" closes at once.
  if (AtEnd()) {
    FTokenKind = tkNull;
    return;
  }
  CommentFrom(FRun);
}

void TuxDfmSyn::IdentProc() {
  FTokenKind = tkIdentifier;
  SkipIdentChars();
}

void TuxDfmSyn::WordOrIdent(std::string_view keyword) {
  const size_t n = keyword.size();
  bool match = FRun + n <= LineLength() && !FTables.IsIdent(CharAt(FRun + n));
  for (size_t i = 1; match && i < n; ++i) match = (FLine[FRun + i] | 0x20) == keyword[i];
  if (match) {
    FTokenKind = tkKey;
    FRun += n;
    return;
  }
  IdentProc();
}

void TuxDfmSyn::EndProc() { WordOrIdent("end"); }
void TuxDfmSyn::ObjectProc() { WordOrIdent("object"); }

// Digits, "E" and "e"; a "." ends the number and belongs to it unless
// another "." follows (so 1.5 is "1." and "5").
void TuxDfmSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = hlscan::SkipWhile(FLine, FRun + 1,
                           [](char c) { return hlscan::IsDigit(c) || c == 'E' || c == 'e'; });
  if (CharAt(FRun) == '.' && CharAt(FRun + 1) != '.') ++FRun;
}

void TuxDfmSyn::HexProc() {
  FTokenKind = tkNumber;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, hlscan::IsHexDigit);
}

void TuxDfmSyn::PoundProc() {
  FTokenKind = tkString;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, hlscan::IsDigit);
}

// A doubled apostrophe stays inside the string.
void TuxDfmSyn::StringProc() {
  FTokenKind = tkString;
  const size_t n = LineLength();
  size_t i = FRun + 1;
  while (i < n) {
    if (FLine[i] == '\'') {
      if (CharAt(i + 1) != '\'') {
        ++i;
        break;
      }
      ++i;
    }
    ++i;
  }
  FRun = std::min(i, n);
}

void TuxDfmSyn::BraceOpenProc() {
  FRange = rsComment;
  CommentFrom(FRun + 1);
}

void TuxDfmSyn::BraceCloseProc() {
  FTokenKind = tkIdentifier;
  FRange = rsUnknown;
  ++FRun;
}

void TuxDfmSyn::CommentFrom(size_t searchFrom) {
  FTokenKind = tkComment;
  const size_t close = FindChar('}', searchFrom);
  if (close >= LineLength()) {
    FRun = LineLength();
    return;
  }
  FRun = close + 1;
  FRange = rsUnknown;
}
