// TktStandardSyn: the seven common attributes and the routines the members
// built on them share.
#include "highlighters/StandardSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

TktStandardSyn::TktStandardSyn(TComponent* owner, const TCharTables& tables,
                               const TProcTable& procs, const TKeywordTable* keywords,
                               const char* keyName, TUnknownRule unknown, uint8_t lowRange,
                               uint8_t highRange, uint8_t resetRange)
    : TktFamilyHighlighter(owner, tables, procs, tkNull, unknown.Kind, lowRange, highRange,
                           resetRange),
      FKeywords(keywords),
      FUnknown(unknown.Kind) {
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(keyName, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  if (unknown.Kind == tkUnknown) SetKind(tkUnknown, FIdentifierAttri, unknown.Escape, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
}

const TClassInfo& TktStandardSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktStandardSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TktStandardSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TktStandardSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TktStandardSyn::GetKeyAttri)
          .Object("NumberAttri", &TktStandardSyn::GetNumberAttri)
          .Object("SpaceAttri", &TktStandardSyn::GetSpaceAttri)
          .Object("StringAttri", &TktStandardSyn::GetStringAttri)
          .Object("SymbolAttri", &TktStandardSyn::GetSymbolAttri);
  return info;
}

const TClassInfo* TktStandardSyn::ClassInfo() const { return &StaticClassInfo(); }

int TktStandardSyn::GetCapability() const { return hcRegistry | hcExport; }

void TktStandardSyn::FillCommonProcs(TProcTable& p) {
  FillUsualProcs<tkSpace>(p, Proc(&TktStandardSyn::UnknownProc),
                          Proc(&TktStandardSyn::KeywordProc), Proc(&TktStandardSyn::NumberProc));
}

void TktStandardSyn::SymbolProc() {
  FTokenKind = tkSymbol;
  ++FRun;
}

void TktStandardSyn::UnknownProc() {
  FTokenKind = FUnknown;
  ++FRun;
}

void TktStandardSyn::LowerProc() {
  const char next = CharAt(FRun + 1);
  FTokenKind = tkSymbol;
  FRun += (next == '=' || next == '>') ? 2 : 1;
}

void TktStandardSyn::GreaterProc() {
  FTokenKind = tkSymbol;
  FRun += CharAt(FRun + 1) == '=' ? 2 : 1;
}

void TktStandardSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = hlscan::SkipWhile(FLine, FRun + 1,
                           [](char c) { return hlscan::IsDigit(c) || c == '.' || c == 'E' || c == 'e'; });
}

void TktStandardSyn::CommentToBreakProc() {
  FTokenKind = tkComment;
  FRun = hlscan::LineBreakFrom(FLine, FRun);
}

void TktStandardSyn::DoubleQuoteProc() {
  FTokenKind = tkString;
  FRun = hlscan::QuotedEnd(FLine, FRun, '"', hlscan::LineBreakFrom(FLine, FRun));
}

void TktStandardSyn::KeywordProc() {
  size_t end = FRun;
  const bool key = FKeywords && hlscan::FindKeyword(*FKeywords, FTables, FLine, FRun, &end);
  if (!FKeywords) end = hlscan::SkipWhile(FLine, FRun, [this](char c) { return FTables.IsIdent(c); });
  FTokenKind = key ? tkKey : tkIdentifier;
  FRun = end;
}
