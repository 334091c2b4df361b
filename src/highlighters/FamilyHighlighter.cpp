// TktFamilyHighlighter: the line, token, range and export frame of the
// one-language highlighters, and their colour import helpers.
#include "highlighters/FamilyHighlighter.h"

#include <cstring>

#include "editor/Export.h"
#include "editor/LocalStr.h"
#include "platform/Registry.h"

TktFamilyHighlighter::TktFamilyHighlighter(TComponent* owner, const TCharTables& tables,
                                           const TProcTable& procs, uint8_t nullKind,
                                           uint8_t unknownKind, uint8_t lowRange,
                                           uint8_t highRange, uint8_t resetRange)
    : TktCustomHighLighter(owner),
      FTables(tables),
      FTokenKind(nullKind),
      FRange(resetRange),
      FProcs(procs),
      FNullKind(nullKind),
      FUnknownKind(unknownKind),
      FLowRange(lowRange),
      FHighRange(highRange),
      FResetRange(resetRange) {}

TktFamilyHighlighter::~TktFamilyHighlighter() = default;

// The members publish their attributes; the family adds nothing of its own.
const TClassInfo& TktFamilyHighlighter::StaticClassInfo() {
  static const TClassInfo info("TktFamilyHighlighter", &TComponent::StaticClassInfo());
  return info;
}

const TClassInfo* TktFamilyHighlighter::ClassInfo() const { return &StaticClassInfo(); }

TktCharSet TktFamilyHighlighter::GetIdentChars() const {
  TktCharSet set;
  for (int c = 0; c < 256; ++c)
    if (FTables.Ident[static_cast<size_t>(c)]) set.Include(static_cast<char>(c));
  return set;
}

TktHighLightAttributes* TktFamilyHighlighter::MakeAttribute(const char* name) {
  TktHighLightAttributes* attr = AddAttribute(std::make_unique<TktHighLightAttributes>(name));
  attr->OnChange = [this](TObject* sender) { DefHighlightChange(sender); };
  return attr;
}

void TktFamilyHighlighter::SetKind(uint8_t kind, TktHighLightAttributes* attribute, bool escape,
                                   bool space) {
  FKinds[kind] = TKindInfo{attribute, nullptr, escape, space};
}

void TktFamilyHighlighter::SetLine(std::string_view line, int lineNumber) {
  FLine = line;
  FLineNumber = lineNumber;
  FRun = 0;
  Next();
}

void TktFamilyHighlighter::SetLineForExport(std::string_view line) {
  FLine = line;
  FRun = 0;
  ExportNextToken();
}

void TktFamilyHighlighter::Next() {
  FTokenPos = FRun;
  Dispatch();
}

void TktFamilyHighlighter::ExportNextToken() {
  Next();
  TktCustomExport* exporter = GetExporter();
  if (!exporter) return;
  if (AtLineEnd()) {
    exporter->FormatToken(std::string_view(), nullptr, false, false);
    return;
  }
  // The flags follow the scanned kind: a token that reads as another kind
  // (assembler text) still has its characters escaped.
  const TKindInfo& info = FKinds[FTokenKind];
  exporter->FormatToken(GetToken(), info.ExportAttribute ? info.ExportAttribute : GetTokenAttribute(),
                        info.Escape, info.Space);
}

void TktFamilyHighlighter::SetRange(TktRange value) {
  FRange = (value >= FLowRange && value <= FHighRange) ? static_cast<uint8_t>(value) : FResetRange;
}

void TktFamilyHighlighter::NullProc() {
  if (FRun >= FLine.size()) {
    FTokenKind = FNullKind;
    return;
  }
  ++FRun;
  FTokenKind = FUnknownKind;
}

size_t TktFamilyHighlighter::FindChar(char c, size_t from) const {
  if (from >= FLine.size()) return FLine.size();
  const void* hit = std::memchr(FLine.data() + from, c, FLine.size() - from);
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - FLine.data()) : FLine.size();
}

size_t TktFamilyHighlighter::FindPair(char a, char b, size_t from) const {
  const size_t n = FLine.size();
  while (from + 1 < n) {
    const void* hit = std::memchr(FLine.data() + from, a, n - 1 - from);
    if (!hit) break;
    const size_t i = static_cast<size_t>(static_cast<const char*>(hit) - FLine.data());
    if (FLine[i + 1] == b) return i;
    from = i + 1;
  }
  return std::string_view::npos;
}

void TktFamilyHighlighter::ListIdeVersions(TRegRootKey root, const std::string& key,
                                           TStrings* list) {
  if (!list) return;
  try {
    TRegistry reg;
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly(key)) return;
    reg.GetKeyNames(list);
  } catch (const Exception&) {
    // An unreadable key lists nothing more.
  }
}

bool TktFamilyHighlighter::ImportIdeElements(const std::string& key, bool oldFormat,
                                             const std::vector<TIdeElement>& elements) {
  std::vector<std::unique_ptr<TktHighLightAttributes>> backups;
  for (int i = 0; i < GetAttribCount(); ++i) {
    TktHighLightAttributes* attr = GetAttribute(i);
    auto copy = std::make_unique<TktHighLightAttributes>(attr->GetName());
    copy->Assign(attr);
    backups.push_back(std::move(copy));
  }
  bool ok = true;
  for (const TIdeElement& e : elements) {
    std::string name = e.Element;
    if (oldFormat)
      for (char& c : name)
        if (c == ' ') c = '_';
    if (!e.Attribute->LoadFromIdeRegistry(rkCurrentUser, key, name, oldFormat)) {
      ok = false;
      break;
    }
  }
  if (!ok)
    for (int i = 0; i < GetAttribCount(); ++i) GetAttribute(i)->Assign(backups[static_cast<size_t>(i)].get());
  return ok;
}

TktHighLightAttributes* TktFamilyHighlighter::MakeAttribute(const char* name, uint8_t kind,
                                                           bool escape) {
  TktHighLightAttributes* attr = MakeAttribute(name);
  SetKind(kind, attr, escape, false);
  return attr;
}

TktHighLightAttributes* TktFamilyHighlighter::MakeSpaceAttribute(uint8_t kind) {
  TktHighLightAttributes* attr = MakeAttribute(SAttrSpace);
  SetKind(kind, attr, false, true);
  return attr;
}

TktHighLightAttributes* TktFamilyHighlighter::GetDefaultAttribute(int index) const {
  if (index < 0 || index >= static_cast<int>(FDefaultKinds.size())) return nullptr;
  const uint8_t kind = FDefaultKinds[static_cast<size_t>(index)];
  return kind == kNoKind ? nullptr : FKinds[kind].Attribute;
}
