// TqaIniSyn: the scanner routines of the INI-file highlighter.
#include "highlighters/IniSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

const int kRegistered = RegisterHighlighter(&NewHighlighter<TqaIniSyn>);

const TCharTables& TqaIniSyn::CharTables() {
  static constexpr TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TktFamilyHighlighter::TProcTable& TqaIniSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    // Letters start text like every other character without a rule.
    FillUsualProcs<tkSpace>(p, Proc(&TqaIniSyn::TextProc), nullptr, Proc(&TqaIniSyn::NumberProc));
    p['['] = Proc(&TqaIniSyn::SectionProc);
    p[';'] = Proc(&TqaIniSyn::CommentProc);
    p['='] = Proc(&TqaIniSyn::EqualProc);
    p['"'] = Proc(&TqaIniSyn::StringProc);
    p['\''] = Proc(&TqaIniSyn::StringProc);
    return p;
  }();
  return procs;
}

TqaIniSyn::TqaIniSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkText, 1, 1, 1) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FTextAttri = MakeAttribute(SAttrText, tkText, false);
  FSectionAttri = MakeAttribute(SAttrSection, tkSection, false);
  FKeyAttri = MakeAttribute(SAttrKey, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterINI);
}

const TClassInfo& TqaIniSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TqaIniSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TqaIniSyn::GetCommentAttri)
          .Object("TextAttri", &TqaIniSyn::GetTextAttri)
          .Object("SectionAttri", &TqaIniSyn::GetSectionAttri)
          .Object("KeyAttri", &TqaIniSyn::GetKeyAttri)
          .Object("NumberAttri", &TqaIniSyn::GetNumberAttri)
          .Object("SpaceAttri", &TqaIniSyn::GetSpaceAttri)
          .Object("StringAttri", &TqaIniSyn::GetStringAttri)
          .Object("SymbolAttri", &TqaIniSyn::GetSymbolAttri);
  return info;
}

const TClassInfo* TqaIniSyn::ClassInfo() const { return &StaticClassInfo(); }

int TqaIniSyn::GetCapability() const { return hcRegistry | hcExport; }

std::string TqaIniSyn::GetLanguageName() const { return SLangINI; }

void TqaIniSyn::SectionProc() {
  if (FRun != 0) {
    TextProc();
    return;
  }
  FTokenKind = tkSection;
  const size_t close = FindChar(']', 1);
  FRun = close < LineLength() ? close + 1 : LineLength();
}

void TqaIniSyn::CommentProc() {
  if (FRun != 0) {
    TextProc();
    return;
  }
  FTokenKind = tkComment;
  FRun = LineLength();
}

void TqaIniSyn::EqualProc() {
  FTokenKind = tkSymbol;
  ++FRun;
}

void TqaIniSyn::StringProc() {
  FTokenKind = tkString;
  FRun = hlscan::QuotedEnd(FLine, FRun, FLine[FRun], LineLength());
}

void TqaIniSyn::NumberProc() {
  if (FRun == 0) {
    KeyProc();
    return;
  }
  FTokenKind = tkNumber;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) {
    return hlscan::IsDigit(c) || c == '.' || c == 'E' || c == 'e';
  });
}

void TqaIniSyn::TextProc() {
  if (FRun == 0) {
    KeyProc();
    return;
  }
  FTokenKind = tkText;
  ++FRun;
}

void TqaIniSyn::KeyProc() {
  FTokenKind = tkKey;
  FRun = FindChar('=', 0);
}
