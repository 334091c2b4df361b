// TwbADSP21xxSyn: tables, scanner routines and colour import of the
// ADSP-21xx assembly highlighter.
#include "highlighters/ADSP21xxSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"
#include "platform/Classes.h"

using namespace hlscan;

namespace {

const int kRegistered = RegisterHighlighter(&NewHighlighter<TwbADSP21xxSyn>);

// Letters and underscores add to a word's hash; digits and underscores after
// them lengthen the word without adding ("ax0", "i7"). The sum stops growing
// at the table's size, so long words cannot overflow it.
int WordHash(const TCharTables& tables, std::string_view word) {
  int hash = 0;
  for (char c : word) {
    if (!IsLetter(c) && c != '_') break;
    if (hash < TwbADSP21xxSyn::kKeywordTableSize) hash += tables.Hash(c);
  }
  return hash;
}

}  // namespace

const TCharTables& TwbADSP21xxSyn::CharTables() {
  static const TCharTables tables = [] {
    TCharTables t;
    for (int c = 0; c < 256; ++c) {
      const size_t i = static_cast<size_t>(c);
      const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      t.Ident[i] = letter || c == '_' || (c >= '0' && c <= '9');
      if (letter) t.HashValue[i] = (c | 0x20) - 'a' + 1;
      // Digits hash apart from each other and from letters, so "mr0" never
      // matches "mr9" (they add nothing to a word's sum).
      if (c >= '0' && c <= '9') t.HashValue[i] = c - 64;
    }
    t.HashValue['_'] = 31;
    return t;
  }();
  return tables;
}

const TKeywordTable& TwbADSP21xxSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues, {
          {"abstract", kwKey}, {"alt_reg", kwKey}, {"and", kwKey}, {"ar_sat", kwKey},
          {"ashift", kwKey}, {"astat", kwKey}, {"aux", kwKey}, {"av_latch", kwKey},
          {"bit_rev", kwKey}, {"boot", kwKey}, {"by", kwKey}, {"cache", kwKey}, {"call", kwKey},
          {"clear", kwKey}, {"clr", kwKey}, {"clrbit", kwKey}, {"cntl", kwKey}, {"const", kwKey},
          {"define", kwKey}, {"dis", kwKey}, {"Do", kwKey}, {"else", kwKey}, {"ena", kwKey},
          {"endif", kwKey}, {"endmacro", kwKey}, {"endmod", kwKey}, {"entry", kwKey},
          {"expadj", kwKey}, {"external", kwKey}, {"for", kwKey}, {"global", kwKey},
          {"go_mode", kwKey}, {"idle", kwKey}, {"If", kwKey}, {"ifdef", kwKey}, {"ifndef", kwKey},
          {"In", kwKey}, {"include", kwKey}, {"init", kwKey}, {"jump", kwKey}, {"local", kwKey},
          {"loop", kwKey}, {"lshift", kwKey}, {"m_mode", kwKey}, {"macro", kwKey},
          {"modify", kwKey}, {"module", kwKey}, {"name", kwKey}, {"neg", kwKey}, {"newpage", kwKey},
          {"nop", kwKey}, {"norm", kwKey}, {"Of", kwKey}, {"Or", kwKey}, {"pass", kwKey},
          {"pop", kwKey}, {"port", kwKey}, {"push", kwKey}, {"regbank", kwKey}, {"reset", kwKey},
          {"rnd", kwKey}, {"rom", kwKey}, {"rti", kwKey}, {"rts", kwKey}, {"sat", kwKey},
          {"set", kwKey}, {"setbit", kwKey}, {"shift", kwKey}, {"shl", kwKey}, {"Shr", kwKey},
          {"sstat", kwKey}, {"static", kwKey}, {"sts", kwKey}, {"test", kwKey}, {"testbit", kwKey},
          {"tglbit", kwKey}, {"toggle", kwKey}, {"trap", kwKey}, {"true", kwKey}, {"undef", kwKey},
          {"Until", kwKey}, {"var", kwKey}, {"xor", kwKey}, {"abs", kwRegister}, {"ac", kwRegister},
          {"af", kwRegister}, {"ar", kwRegister}, {"av", kwRegister}, {"ax0", kwRegister},
          {"ax1", kwRegister}, {"ay0", kwRegister}, {"ay1", kwRegister}, {"bm", kwRegister},
          {"circ", kwRegister}, {"cntr", kwRegister}, {"divq", kwRegister}, {"divs", kwRegister},
          {"dm", kwRegister}, {"DMOVLAY", kwRegister}, {"emode", kwRegister}, {"exp", kwRegister},
          {"fl0", kwRegister}, {"fl1", kwRegister}, {"fl2", kwRegister}, {"flag_in", kwRegister},
          {"flag_out", kwRegister}, {"hi", kwRegister}, {"i0", kwRegister}, {"i1", kwRegister},
          {"i2", kwRegister}, {"i3", kwRegister}, {"i4", kwRegister}, {"i5", kwRegister},
          {"i6", kwRegister}, {"i7", kwRegister}, {"icntl", kwRegister}, {"ifc", kwRegister},
          {"imask", kwRegister}, {"io", kwRegister}, {"l0", kwRegister}, {"l1", kwRegister},
          {"l2", kwRegister}, {"l3", kwRegister}, {"l4", kwRegister}, {"l5", kwRegister},
          {"l6", kwRegister}, {"l7", kwRegister}, {"lo", kwRegister}, {"m0", kwRegister},
          {"m1", kwRegister}, {"m2", kwRegister}, {"m3", kwRegister}, {"m4", kwRegister},
          {"m5", kwRegister}, {"m6", kwRegister}, {"m7", kwRegister}, {"mr", kwRegister},
          {"mr0", kwRegister}, {"mr1", kwRegister}, {"mr2", kwRegister}, {"mstat", kwRegister},
          {"mx0", kwRegister}, {"mx1", kwRegister}, {"my0", kwRegister}, {"my1", kwRegister},
          {"pc", kwRegister}, {"pm", kwRegister}, {"ram", kwRegister}, {"rx0", kwRegister},
          {"rx1", kwRegister}, {"sb", kwRegister}, {"sec_reg", kwRegister}, {"seg", kwRegister},
          {"segment", kwRegister}, {"si", kwRegister}, {"sr", kwRegister}, {"sr0", kwRegister},
          {"sr1", kwRegister}, {"su", kwRegister}, {"timer", kwRegister},
          {"topofpcstack", kwRegister}, {"tx0", kwRegister}, {"tx1", kwRegister},
          {"ce", kwCondition}, {"eq", kwCondition}, {"forever", kwCondition}, {"ge", kwCondition},
          {"gt", kwCondition}, {"le", kwCondition}, {"lt", kwCondition}, {"mf", kwCondition},
          {"mv", kwCondition}, {"ne", kwCondition}, {"not", kwCondition}, {"ss", kwCondition},
          {"us", kwCondition}, {"uu", kwCondition},
  }, &WordHash);
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TwbADSP21xxSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(p, Proc(&TwbADSP21xxSyn::OneCharProc<tkUnknown>),
                            Proc(&TwbADSP21xxSyn::IdentProc), Proc(&TwbADSP21xxSyn::NumberProc));
    p['$'] = Proc(&TwbADSP21xxSyn::RunProc<tkNumber, IsHexDigit>);
    p['\''] = Proc(&TwbADSP21xxSyn::StringProc);
    p['!'] = Proc(&TwbADSP21xxSyn::ExclamProc);
    p['{'] = Proc(&TwbADSP21xxSyn::BraceOpenProc);
    p['/'] = Proc(&TwbADSP21xxSyn::SlashProc);
    p['}'] = Proc(&TwbADSP21xxSyn::OneCharProc<tkSymbol>);
    p['>'] = Proc(&TwbADSP21xxSyn::OneCharProc<tkSymbol>);
    // Every other character, "#" among them, is unrecognised.
    return p;
  }();
  return procs;
}

TwbADSP21xxSyn::TwbADSP21xxSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsUnknown,
                           rsBinaryNumber, rsUnknown) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FRegisterAttri = MakeAttribute(SAttrRegister, tkRegister, true);
  FConditionAttri = MakeAttribute(SAttrCondition, tkCondition, true);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  // Listed among the attributes (the stored settings name them), used by
  // no token.
  FNullAttri = MakeAttribute(SAttrNull);
  FUnknownAttri = MakeAttribute(SAttrUnknownWord);
  SetKind(tkUnknown, FSymbolAttri, true, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterADSP21xx);
}

const TClassInfo& TwbADSP21xxSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TwbADSP21xxSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TwbADSP21xxSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TwbADSP21xxSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TwbADSP21xxSyn::GetKeyAttri)
          .Object("NumberAttri", &TwbADSP21xxSyn::GetNumberAttri)
          .Object("RegisterAttri", &TwbADSP21xxSyn::GetRegisterAttri)
          .Object("ConditionAttri", &TwbADSP21xxSyn::GetConditionAttri)
          .Object("SpaceAttri", &TwbADSP21xxSyn::GetSpaceAttri)
          .Object("SymbolAttri", &TwbADSP21xxSyn::GetSymbolAttri)
          .Object("StringAttri", &TwbADSP21xxSyn::GetStringAttri)
          .Object("NullAttri", &TwbADSP21xxSyn::GetNullAttri)
          .Object("UnknownAttri", &TwbADSP21xxSyn::GetUnknownAttri);
  return info;
}

const TClassInfo* TwbADSP21xxSyn::ClassInfo() const { return &StaticClassInfo(); }

int TwbADSP21xxSyn::GetCapability() const {
  return TktFamilyHighlighter::GetCapability() | hcAttributeSets | hcExport;
}

std::string TwbADSP21xxSyn::GetLanguageName() const { return SLangADSP21xx; }

void TwbADSP21xxSyn::SetRange(TktRange value) {
  TktFamilyHighlighter::SetRange(value);
  if (FRange == rsHexNumber || FRange == rsBinaryNumber) FRange = rsUnknown;
}

void TwbADSP21xxSyn::Next() {
  FTokenPos = FRun;
  switch (FRange) {
    case rsPascalComment:
    case rsCComment:
      // The line end and line breaks run their own routines; a NUL byte
      // inside the line stays in the comment.
      if (AtLineEndOrBreak()) {
        Dispatch();
      } else {
        FTokenKind = tkComment;
        CommentFrom(FRun);
      }
      return;
    case rsHexNumber:
      HexNumberAfterPrefix();
      return;
    case rsBinaryNumber:
      BinaryNumberAfterPrefix();
      return;
    default:
      FRange = rsUnknown;
      Dispatch();
  }
}

void TwbADSP21xxSyn::CommentFrom(size_t from) {
  TCommentScan comment;
  if (FRange == rsPascalComment) {
    comment.End = SkipWhile(FLine, from, [](char c) { return c != '}' && !IsLineBreak(c); });
    comment.Closed = comment.End < LineLength() && FLine[comment.End] == '}';
    if (comment.Closed) ++comment.End;
  } else {
    comment = CCommentFrom(FLine, from);
  }
  FRun = comment.End;
  if (comment.Closed) FRange = rsUnknown;
}

// The ranges after a prefix are set only when its "#" follows, but a "#"
// is stepped over only when it is there.
void TwbADSP21xxSyn::HexNumberAfterPrefix() {
  FRange = rsUnknown;
  if (CharAt(FRun) != '#' || AtEnd()) {
    Dispatch();
    return;
  }
  FTokenKind = tkNumber;
  FRun = SkipWhile(FLine, FRun + 1, IsHexDigit);
}

void TwbADSP21xxSyn::BinaryNumberAfterPrefix() {
  FRange = rsUnknown;
  if (CharAt(FRun) != '#' || AtEnd()) {
    Dispatch();
    return;
  }
  ++FRun;
  while (FRun < LineLength() && (FLine[FRun] == '0' || FLine[FRun] == '1')) ++FRun;
  // A hexadecimal digit after the binary ones: a malformed binary number.
  FTokenKind = IsHexDigit(CharAt(FRun)) && FRun < LineLength() ? tkIdentifier : tkNumber;
}

void TwbADSP21xxSyn::IdentProc() {
  const TCharTables& tables = CharTables();
  const size_t start = FRun;
  const size_t n = LineLength();
  int hash = 0;
  while (FRun < n && (IsLetter(FLine[FRun]) || FLine[FRun] == '_')) {
    if (hash < kKeywordTableSize) hash += tables.Hash(FLine[FRun]);
    ++FRun;
  }
  while (FRun < n && (IsDigit(FLine[FRun]) || FLine[FRun] == '_')) ++FRun;
  const size_t length = FRun - start;
  if (length == 1 && CharAt(FRun) == '#' && FRun < n) {
    const char prefix = static_cast<char>(FLine[start] | 0x20);
    if (prefix == 'h' || prefix == 'b') {
      FTokenKind = tkNumber;
      FRange = prefix == 'h' ? rsHexNumber : rsBinaryNumber;
      return;
    }
  }
  const TKeywordDef* word = Keywords().Find(hash, FLine.data() + start, length);
  if (!word) {
    FTokenKind = tkIdentifier;
  } else {
    switch (word->Tag) {
      case kwRegister: FTokenKind = tkRegister; break;
      case kwCondition: FTokenKind = tkCondition; break;
      default: FTokenKind = tkKey;
    }
  }
  // "ax0b" takes the class of its word "ax0".
  SkipIdentChars();
}

void TwbADSP21xxSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = NumberRunEnd(FLine, FRun, [](char c) { return IsHexDigit(c) || c == 'x' || c == 'X'; });
}

void TwbADSP21xxSyn::StringProc() {
  FTokenKind = tkString;
  FRun = QuotedEnd(FLine, FRun, '\'', LineBreakFrom(FLine, FRun + 1));
}

void TwbADSP21xxSyn::ExclamProc() {
  FTokenKind = tkComment;
  FRun = FindLineBreak(FLine, FRun + 1);
}

void TwbADSP21xxSyn::BraceOpenProc() {
  FTokenKind = tkComment;
  FRange = rsPascalComment;
  CommentFrom(FRun + 1);
}

void TwbADSP21xxSyn::SlashProc() {
  if (CharAt(FRun + 1) == '*') {
    FTokenKind = tkComment;
    FRange = rsCComment;
    CommentFrom(FRun + 2);
    return;
  }
  OneCharProc<tkSymbol>();
}

// ---------------------------------------------------------------------------
// Colour import.
// ---------------------------------------------------------------------------

void TwbADSP21xxSyn::ListAttributeSets(TStrings* list) {
  ListIdeVersions(rkCurrentUser, FRegistryRoot + "\\SOFTWARE\\Oskelund\\DSPIDE\\1.0", list);
}

bool TwbADSP21xxSyn::ImportAttributeSet(int index) {
  TStringList sets;
  ListAttributeSets(&sets);
  if (index < 0 || index >= sets.GetCount()) return false;
  // The IDE keeps one set of colours whatever is listed.
  return ImportIdeElements(FRegistryRoot + "\\Software\\Oskelund\\DspIDE\\1.0\\Editor\\Highlight",
                           false,
                           {
                               {FCommentAttri, "Comment"},
                               {FIdentifierAttri, "Identifier"},
                               {FKeyAttri, "Reserved word"},
                               {FNumberAttri, "BinaryNumber"},
                               {FSpaceAttri, "Whitespace"},
                               {FSymbolAttri, "Symbol"},
                               {FConditionAttri, "Condition"},
                               {FRegisterAttri, "Symbol"},
                           });
}
