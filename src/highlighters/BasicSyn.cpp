// TktBasicSyn: the scanner table shared by Visual Basic and VBScript.
#include "highlighters/BasicSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

const TCharTables& TktBasicSyn::CharTables() {
  static const TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TktFamilyHighlighter::TProcTable& TktBasicSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillCommonProcs(p);
    SetProcs(p, "'", &TktBasicSyn::CommentToBreakProc);
    SetProcs(p, "\"", &TktBasicSyn::DoubleQuoteProc);
    SetProcs(p, "#", &TktBasicSyn::DateProc);
    SetProcs(p, "&()*+,-./:;=^{}", &TktBasicSyn::SymbolProc);
    SetProcs(p, "<", &TktBasicSyn::LowerProc);
    SetProcs(p, ">", &TktBasicSyn::GreaterProc);
    return p;
  }();
  return procs;
}

TktBasicSyn::TktBasicSyn(TComponent* owner, const TKeywordTable& keywords, TUnknownRule unknown,
                         uint8_t range)
    : TktStandardSyn(owner, CharTables(), Procs(), &keywords, SAttrReservedWord, unknown, range,
                     range, range) {}

const TClassInfo& TktBasicSyn::StaticClassInfo() {
  static const TClassInfo info("TktBasicSyn", &TktStandardSyn::StaticClassInfo());
  return info;
}

const TClassInfo* TktBasicSyn::ClassInfo() const { return &StaticClassInfo(); }

// A date literal: "#" up to and including the next "#", or to the first
// line break.
void TktBasicSyn::DateProc() {
  FTokenKind = tkString;
  const size_t stop = hlscan::LineBreakFrom(FLine, FRun);
  const size_t close = FindChar('#', FRun + 1);
  FRun = close < stop ? close + 1 : stop;
}
