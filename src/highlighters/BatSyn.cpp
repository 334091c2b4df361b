// TuxBatSyn: tables and scanner routines of the batch-file highlighter.
#include "highlighters/BatSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

namespace {

constexpr int kKeywordTableSize = 131;

TktCustomHighLighter* CreateBatSyn(TComponent* owner) { return new TuxBatSyn(owner); }
const int kRegistered = RegisterHighlighter(&CreateBatSyn);

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
  FCommentAttri = MakeAttribute(SAttrComment);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier);
  FKeyAttri = MakeAttribute(SAttrKey);
  FNumberAttri = MakeAttribute(SAttrNumber);
  FSpaceAttri = MakeAttribute(SAttrSpace);
  FVariableAttri = MakeAttribute(SAttrVariable);
  SetKind(tkComment, FCommentAttri, true, false);
  SetKind(tkIdentifier, FIdentifierAttri, false, false);
  SetKind(tkKey, FKeyAttri, false, false);
  SetKind(tkNull, nullptr, false, false);
  SetKind(tkNumber, FNumberAttri, false, false);
  SetKind(tkSpace, FSpaceAttri, false, true);
  SetKind(tkUnknown, FIdentifierAttri, false, false);
  SetKind(tkVariable, FVariableAttri, false, false);
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

TktHighLightAttributes* TuxBatSyn::GetDefaultAttribute(int index) const {
  switch (index) {
    case 0: return FSpaceAttri;
    case 1: return FCommentAttri;
    case 2: return FKeyAttri;
    default: return nullptr;
  }
}

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
