// TrvSQLSyn: tables, scanner routines and colour sets of the SQL
// highlighter.
#include "highlighters/SqlSyn.h"

#include <memory>
#include <vector>

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"
#include "platform/Classes.h"
#include "platform/Registry.h"

using namespace hlscan;

namespace {

// The one attribute name the shared names lack.
constexpr const char* SAttrParameter = "Parameter";
constexpr const char* kSetsKey = "\\Software\\ktEdit team\\Highlighters\\SQL\\";

const int kRegistered = RegisterHighlighter(&NewHighlighter<TrvSQLSyn>);

// The characters of a keyword: '@' continues an identifier but not a word.
bool IsWordChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

}  // namespace

const TCharTables& TrvSQLSyn::CharTables() {
  static const TCharTables tables = [] {
    TCharTables t;
    for (int c = 0; c < 256; ++c) {
      const size_t i = static_cast<size_t>(c);
      t.Ident[i] = (c >= '0' && c <= '9') || (c >= '@' && c <= 'Z') || c == '_' ||
                   (c >= 'a' && c <= 'z');
      if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) t.HashValue[i] = (c | 0x20) - 'a' + 1;
    }
    return t;
  }();
  return tables;
}

const TKeywordTable& TrvSQLSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues, {
          {"ACTIVE"}, {"AFTER"}, {"ALL"}, {"ALTER"}, {"AND"}, {"ANY"}, {"AS"}, {"ASC"},
          {"ASCENDING"}, {"AT"}, {"AUTO"}, {"BASE_NAME"}, {"BEFORE"}, {"BEGIN"}, {"BETWEEN"},
          {"BY"}, {"CACHE"}, {"CAST"}, {"CHECK"}, {"COLUMN"}, {"COMMIT"}, {"COMMITTED"},
          {"COMPUTED"}, {"CONDITIONAL"}, {"CONSTRAINT"}, {"CONTAINING"}, {"COUNT"}, {"CREATE"},
          {"CURRENT"}, {"CURSOR"}, {"DATABASE"}, {"DEBUG"}, {"DECLARE"}, {"DEFAULT"}, {"DELETE"},
          {"DESC"}, {"DESCENDING"}, {"DISTINCT"}, {"DO"}, {"DOMAIN"}, {"DROP"}, {"ELSE"}, {"END"},
          {"ENTRY_POINT"}, {"ESCAPE"}, {"EXCEPTION"}, {"EXECUTE"}, {"EXISTS"}, {"EXIT"},
          {"EXTERNAL"}, {"EXTRACT"}, {"FILTER"}, {"FOR"}, {"FOREIGN"}, {"FROM"}, {"FULL"},
          {"FUNCTION"}, {"GENERATOR"}, {"GRANT"}, {"GROUP"}, {"HAVING"}, {"IF"}, {"IN"},
          {"INACTIVE"}, {"INDEX"}, {"INNER"}, {"INSERT"}, {"INTO"}, {"IS"}, {"ISOLATION"}, {"JOIN"},
          {"KEY"}, {"LEFT"}, {"LEVEL"}, {"LIKE"}, {"MERGE"}, {"NAMES"}, {"NO"}, {"NOT"}, {"NULL"},
          {"OF"}, {"ON"}, {"ONLY"}, {"OR"}, {"ORDER"}, {"OUTER"}, {"PARAMETER"}, {"PASSWORD"},
          {"PLAN"}, {"POSITION"}, {"PRIMARY"}, {"PRIVILEGES"}, {"PROCEDURE"}, {"PROTECTED"},
          {"READ"}, {"RETAIN"}, {"RETURNS"}, {"REVOKE"}, {"RIGHT"}, {"ROLLBACK"}, {"SCHEMA"},
          {"SELECT"}, {"SET"}, {"SHADOW"}, {"SHARED"}, {"SNAPSHOT"}, {"SOME"}, {"SUSPEND"},
          {"TABLE"}, {"THEN"}, {"TO"}, {"TRANSACTION"}, {"TRIGGER"}, {"UNCOMMITTED"}, {"UNION"},
          {"UNIQUE"}, {"UPDATE"}, {"USER"}, {"USING"}, {"VALUES"}, {"VIEW"}, {"WAIT"}, {"WHEN"},
          {"WHERE"}, {"WHILE"}, {"WITH"}, {"WORK"},
  });
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TrvSQLSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSymbol>(p, Proc(&TrvSQLSyn::OneCharProc<tkUnknown>),
                             Proc(&TrvSQLSyn::IdentProc), Proc(&TrvSQLSyn::NumberProc));
    p['.'] = Proc(&TrvSQLSyn::PointProc);
    p['"'] = Proc(&TrvSQLSyn::StringProc);
    p['\''] = Proc(&TrvSQLSyn::AsciiCharProc);
    p['#'] = Proc(&TrvSQLSyn::LineCommentProc);
    p['-'] = Proc(&TrvSQLSyn::MinusProc);
    p['/'] = Proc(&TrvSQLSyn::SlashProc);
    p[':'] = Proc(&TrvSQLSyn::ParameterProc);
    p['@'] = Proc(&TrvSQLSyn::VariableProc);
    for (char c : std::string_view("&()*+,;<=>?[\\]^|"))
      p[static_cast<unsigned char>(c)] = Proc(&TrvSQLSyn::OneCharProc<tkSymbol>);
    // "!", "$", "%", the backquote, "{", "}", "~" and 127-255 stay unrecognised.
    return p;
  }();
  return procs;
}

TrvSQLSyn::TrvSQLSyn(TComponent* owner, const std::string& registryRoot)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsComment, rsUnknown,
                           rsUnknown),
      FRegistryRoot(registryRoot) {
  (void)kRegistered;
  SetDefaultFilter(SFilterSQL);
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FVariableAttri = MakeAttribute(SAttrVariable, tkVariable, false);
  FParameterAttri = MakeAttribute(SAttrParameter, tkParameter, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  SetKind(tkUnknown, FSymbolAttri, true, false);
  // There is no space attribute: the editor paints blanks in its own colours.
  SetDefaultKinds(kNoKind, tkComment, tkKey);
  // With no saved set nothing changes.
  (void)ImportAttributeSet(0);
}

const TClassInfo& TrvSQLSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TrvSQLSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TrvSQLSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TrvSQLSyn::GetIdentifierAttri)
          .Object("VariableAttri", &TrvSQLSyn::GetVariableAttri)
          .Object("ParameterAttri", &TrvSQLSyn::GetParameterAttri)
          .Object("KeyAttri", &TrvSQLSyn::GetKeyAttri)
          .Object("NumberAttri", &TrvSQLSyn::GetNumberAttri)
          .Object("StringAttri", &TrvSQLSyn::GetStringAttri)
          .Object("SymbolAttri", &TrvSQLSyn::GetSymbolAttri);
  return info;
}

const TClassInfo* TrvSQLSyn::ClassInfo() const { return &StaticClassInfo(); }

int TrvSQLSyn::GetCapability() const {
  return TktFamilyHighlighter::GetCapability() | hcAttributeSets | hcExport;
}

std::string TrvSQLSyn::GetLanguageName() const { return SLangSQL; }

void TrvSQLSyn::Next() {
  FTokenPos = FRun;
  if (FRange == rsComment) {
    // The line end and line breaks run their own routines; a NUL byte
    // inside the line stays in the comment.
    if (AtLineEndOrBreak()) {
      Dispatch();
      return;
    }
    FTokenKind = tkComment;
    CommentFrom(FRun);
    return;
  }
  FRange = rsUnknown;
  Dispatch();
}

void TrvSQLSyn::CommentFrom(size_t from) {
  const TCommentScan comment = CCommentFrom(FLine, from);
  FRun = comment.End;
  if (comment.Closed) FRange = rsUnknown;
}

// ---------------------------------------------------------------------------
// Scanner routines.
// ---------------------------------------------------------------------------

void TrvSQLSyn::IdentProc() {
  const TCharTables& tables = CharTables();
  const size_t start = FRun;
  const size_t n = LineLength();
  // A sum past the table is an identifier whatever follows, so long words
  // stop adding there.
  int hash = 0;
  while (FRun < n && IsWordChar(FLine[FRun])) {
    if (hash < kKeywordTableSize) hash += tables.Hash(FLine[FRun]);
    ++FRun;
  }
  FTokenKind = Keywords().Find(hash, FLine.data() + start, FRun - start) ? tkKey : tkIdentifier;
  // "a@b" is one token.
  SkipIdentChars();
}

void TrvSQLSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = ExponentNumberEnd(FLine, FRun);
}

void TrvSQLSyn::PointProc() {
  if (IsDigit(CharAt(FRun + 1))) {
    NumberProc();
    return;
  }
  OneCharProc<tkSymbol>();
}

void TrvSQLSyn::StringProc() {
  FTokenKind = tkString;
  FRun = EscapedStringEnd(FLine, FRun, '"', true);
}

void TrvSQLSyn::AsciiCharProc() {
  FTokenKind = tkString;
  FRun = ThroughCharEnd(FLine, FRun, '\'');
}

void TrvSQLSyn::LineCommentProc() {
  FTokenKind = tkComment;
  FRun = FindLineBreak(FLine, FRun + 1);
}

void TrvSQLSyn::MinusProc() {
  if (CharAt(FRun + 1) == '-') {
    FTokenKind = tkComment;
    FRun = FindLineBreak(FLine, FRun + 2);
    return;
  }
  OneCharProc<tkSymbol>();
}

void TrvSQLSyn::SlashProc() {
  const char next = CharAt(FRun + 1);
  if (next == '*') {
    FTokenKind = tkComment;
    FRange = rsComment;
    // From the opener's "*", so "/*/" is a whole comment.
    CommentFrom(FRun + 1);
    return;
  }
  LineCommentOrSlash<tkComment, tkSymbol, false>();
}

void TrvSQLSyn::ToBlank(uint8_t kind) {
  FTokenKind = kind;
  FRun = ThroughCharEnd(FLine, FRun, ' ');
}

void TrvSQLSyn::ParameterProc() { ToBlank(tkParameter); }
void TrvSQLSyn::VariableProc() { ToBlank(tkVariable); }

// ---------------------------------------------------------------------------
// Colour sets.
// ---------------------------------------------------------------------------

std::string TrvSQLSyn::AttributeSetsKey() const { return FRegistryRoot + kSetsKey; }

void TrvSQLSyn::ListAttributeSets(TStrings* list) {
  ListIdeVersions(rkCurrentUser, AttributeSetsKey(), list);
}

bool TrvSQLSyn::ImportAttributeSet(int index) {
  TStringList sets;
  ListAttributeSets(&sets);
  if (index < 0 || index >= sets.GetCount()) return false;
  const std::string key = AttributeSetsKey() + sets.Get(index);
  TktHighLightAttributes* const order[] = {FCommentAttri, FIdentifierAttri, FVariableAttri,
                                           FParameterAttri, FKeyAttri, FNumberAttri,
                                           FStringAttri, FSymbolAttri};
  std::vector<std::unique_ptr<TktHighLightAttributes>> backups;
  for (TktHighLightAttributes* attr : order) {
    backups.push_back(std::make_unique<TktHighLightAttributes>(attr->GetName()));
    backups.back()->Assign(attr);
  }
  bool ok = true;
  for (TktHighLightAttributes* attr : order) {
    try {
      TRegistry reg;
      reg.SetRootKey(rkCurrentUser);
      // A set without an attribute's subkey leaves that attribute as it is.
      ok = reg.OpenKeyReadOnly(key) &&
           (!reg.KeyExists(attr->GetName()) || attr->LoadFromRegistry(reg));
    } catch (const Exception&) {
      ok = false;
    }
    if (!ok) break;
  }
  if (!ok)
    for (size_t i = 0; i < backups.size(); ++i) order[i]->Assign(backups[i].get());
  return ok;
}
