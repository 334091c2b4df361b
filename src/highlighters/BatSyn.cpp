// TuxBatSyn: tables and scanner routines of the batch-file highlighter.
#include "highlighters/BatSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

namespace {

constexpr int kKeywordTableSize = 131;

const int kRegistered = RegisterHighlighter(&NewHighlighter<TuxBatSyn>);

}  // namespace

const TCharTables& TuxBatSyn::CharTables() {
  static constexpr TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TKeywordTable& TuxBatSyn::Keywords() {
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues,
                                   {{"call"}, {"do"}, {"echo"}, {"errorlevel"}, {"exist"},
                                    {"for"}, {"goto"}, {"if"}, {"in"}, {"not"}, {"pause"},
                                    {"set"}, {"shift"}});
  return table;
}

const TktFamilyHighlighter::TProcTable& TuxBatSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(
        p, Proc(&TuxBatSyn::OneCharProc<tkUnknown>),
        Proc(&TuxBatSyn::KeywordRunProc<&TuxBatSyn::Keywords, tkKey, tkIdentifier>),
        Proc(&TuxBatSyn::NumberProc));
    p['%'] = Proc(&TuxBatSyn::VariableProc);
    p[':'] = Proc(&TuxBatSyn::ColonProc);
    p['R'] = Proc(&TuxBatSyn::RemProc);
    p['r'] = Proc(&TuxBatSyn::RemProc);
    return p;
  }();
  return procs;
}

TuxBatSyn::TuxBatSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, 1, 1, 1) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(SAttrKey, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FVariableAttri = MakeAttribute(SAttrVariable, tkVariable, false);
  SetKind(tkUnknown, FIdentifierAttri, false, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterBatch);
}

const TClassInfo& TuxBatSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TuxBatSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TuxBatSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TuxBatSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TuxBatSyn::GetKeyAttri)
          .Object("NumberAttri", &TuxBatSyn::GetNumberAttri)
          .Object("SpaceAttri", &TuxBatSyn::GetSpaceAttri)
          .Object("VariableAttri", &TuxBatSyn::GetVariableAttri);
  return info;
}

const TClassInfo* TuxBatSyn::ClassInfo() const { return &StaticClassInfo(); }

int TuxBatSyn::GetCapability() const { return hcRegistry | hcExport; }

std::string TuxBatSyn::GetLanguageName() const { return SLangBatch; }

void TuxBatSyn::VariableProc() {
  FTokenKind = tkVariable;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, hlscan::IsDigit);
}

void TuxBatSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) { return hlscan::IsDigit(c) || c == '.'; });
}

void TuxBatSyn::ColonProc() {
  if (CharAt(FRun + 1) == ':') {
    CommentToBreak();
    return;
  }
  FTokenKind = tkIdentifier;
  ++FRun;
}

// "REM" in any case starts a comment, also as the start of a longer word
// ("remark"); any other word starting with R is an identifier, never a
// keyword.
void TuxBatSyn::RemProc() {
  if ((CharAt(FRun + 1) | 0x20) == 'e' && (CharAt(FRun + 2) | 0x20) == 'm') {
    CommentToBreak();
    return;
  }
  FTokenKind = tkIdentifier;
  SkipIdentChars();
}

void TuxBatSyn::CommentToBreak() {
  FTokenKind = tkComment;
  FRun = hlscan::LineBreakFrom(FLine, FRun);
}
