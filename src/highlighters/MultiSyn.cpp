// TrvMultiSyn: schemes, marker search and the token walk of the
// multi-language highlighter.
#include "highlighters/MultiSyn.h"

#include <algorithm>
#include <cstring>

#include "editor/LocalStr.h"
#include "platform/TypInfo.h"

namespace {

constexpr TColor kMarkerBackground = 65535;

}  // namespace

// ---------------------------------------------------------------------------
// TgmScheme.
// ---------------------------------------------------------------------------

TgmScheme::TgmScheme(TCollection* collection)
    : TCollectionItem(collection), FMarkerAttri(std::make_unique<TktHighLightAttributes>(SAttrMarker)) {
  FMarkerAttri->SetBackground(kMarkerBackground);
  FMarkerAttri->SetStyle(TFontStyles{fsBold});
}

TgmScheme::~TgmScheme() = default;

const TClassInfo& TgmScheme::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TgmScheme", &TPersistent::StaticClassInfo())
          .String("StartExpr", &TgmScheme::GetStartExpr, &TgmScheme::SetStartExpr)
          .String("EndExpr", &TgmScheme::GetEndExpr, &TgmScheme::SetEndExpr)
          .Object("Highlighter", &TgmScheme::GetHighlighter, &TgmScheme::SetHighlighter)
          .Object("MarkerAttri", &TgmScheme::GetMarkerAttri, &TgmScheme::SetMarkerAttri)
          .String("SchemeName", &TgmScheme::GetSchemeName, &TgmScheme::SetSchemeName);
  return info;
}

const TClassInfo* TgmScheme::ClassInfo() const { return &StaticClassInfo(); }

void TgmScheme::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TgmScheme*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  SetStartExpr(other->FStartExpr);
  SetEndExpr(other->FEndExpr);
  SetHighlighter(other->FHighlighter);
  SetMarkerAttri(other->GetMarkerAttri());
  SetSchemeName(other->FSchemeName);
}

bool TgmScheme::Compile(TRegExpr& re, const std::string& text) {
  if (text.empty()) return false;
  try {
    re.SetExpression(text);
    return true;
  } catch (const Exception&) {
    // Skipped while it stays so: an error on every scanned line helps no one.
    return false;
  }
}

void TgmScheme::SetStartExpr(const std::string& value) {
  if (value == FStartExpr && (FStartOk || value.empty())) return;
  FStartExpr = value;
  FStartOk = Compile(FStartRe, value);
  Changed();
}

void TgmScheme::SetEndExpr(const std::string& value) {
  if (value == FEndExpr && (FEndOk || value.empty())) return;
  FEndExpr = value;
  FEndOk = Compile(FEndRe, value);
  Changed();
}

void TgmScheme::SetHighlighter(TktCustomHighLighter* value) {
  if (value == FHighlighter) return;
  FHighlighter = value;
  if (auto* schemes = dynamic_cast<TgmSchemes*>(GetCollection()))
    if (schemes->GetOwner()) schemes->GetOwner()->WatchHighlighter(value);
  Changed();
}

void TgmScheme::SetMarkerAttri(TktHighLightAttributes* value) {
  if (value && value != FMarkerAttri.get()) FMarkerAttri->Assign(value);
}

void TgmScheme::SetSchemeName(const std::string& value) { FSchemeName = value; }

bool TgmScheme::IsUsable() const {
  return FStartOk && FEndOk && FHighlighter && !dynamic_cast<TrvMultiSyn*>(FHighlighter);
}

void TgmSchemes::Update(TCollectionItem*) {
  if (FOwner) FOwner->SchemesChanged();
}

// ---------------------------------------------------------------------------
// TrvMultiSyn: set-up.
// ---------------------------------------------------------------------------

TrvMultiSyn::TrvMultiSyn(TComponent* owner)
    : TktCustomHighLighter(owner), FPlainAttri(std::make_unique<TktHighLightAttributes>(SAttrText)) {
  FSchemes = std::make_unique<TgmSchemes>(this, [this](TCollection* c) {
    auto scheme = std::make_unique<TgmScheme>(c);
    // A marker style change repaints like any attribute change.
    scheme->GetMarkerAttri()->OnChange = [this](TObject* sender) { DefHighlightChange(sender); };
    return scheme;
  });
}

TrvMultiSyn::~TrvMultiSyn() {
  // Owned highlighters go while this object can still drop them from its
  // schemes; then the schemes.
  DestroyComponents();
  FSchemes.reset();
}

const TClassInfo& TrvMultiSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TrvMultiSyn", &TComponent::StaticClassInfo())
          .Object("Schemes", &TrvMultiSyn::GetSchemes, &TrvMultiSyn::SetSchemes)
          .Object("DefaultHighlighter", &TrvMultiSyn::GetDefaultHighlighter,
                  &TrvMultiSyn::SetDefaultHighlighter);
  return info;
}

const TClassInfo* TrvMultiSyn::ClassInfo() const { return &StaticClassInfo(); }

TktHighLightAttributes* TrvMultiSyn::GetDefaultAttribute(int) const { return nullptr; }

std::string TrvMultiSyn::GetLanguageName() const { return SLangGeneralMulti; }

void TrvMultiSyn::SetSchemes(TgmSchemes* value) {
  if (value && value != FSchemes.get()) FSchemes->Assign(value);
}

void TrvMultiSyn::SetDefaultHighlighter(TktCustomHighLighter* value) {
  if (dynamic_cast<TrvMultiSyn*>(value)) value = nullptr;
  if (value == FDefaultHighlighter) return;
  FDefaultHighlighter = value;
  WatchHighlighter(value);
  FCurrScheme = -1;
}

void TrvMultiSyn::WatchHighlighter(TktCustomHighLighter* hl) {
  if (hl) FreeNotification(hl);
}

void TrvMultiSyn::Notification(TComponent* component, TOperation operation) {
  TktCustomHighLighter::Notification(component, operation);
  if (operation != opRemove || !component) return;
  if (component == FDefaultHighlighter) {
    FDefaultHighlighter = nullptr;
    FCurrScheme = -1;
  }
  if (!FSchemes) return;
  FSchemes->BeginUpdate();
  for (int i = 0; i < FSchemes->GetCount(); ++i)
    if (Scheme(i)->GetHighlighter() == component) Scheme(i)->SetHighlighter(nullptr);
  FSchemes->EndUpdate();
}

// Searches are planned once per change of the schemes: schemes sharing an
// expression text ("</script>" closes six of the application's) share one
// search of each line.
void TrvMultiSyn::SchemesChanged() {
  FSearches.clear();
  FLiteralsByFirst.clear();
  FCurrScheme = -1;
  auto plan = [this](int index, bool open) {
    TgmScheme* s = Scheme(index);
    const std::string& text = open ? s->GetStartExpr() : s->GetEndExpr();
    for (TSearch& search : FSearches)
      if (search.Open == open && search.Re->GetExpression() == text) {
        search.Schemes.push_back(index);
        return;
      }
    FSearches.push_back({open ? &s->FStartRe : &s->FEndRe, open, {index}});
    FSearches.back().IsLiteral = text.find_first_of("^$.[()|?+*\\") == std::string::npos;
  };
  for (bool open : {true, false})
    for (int i = 0; i < FSchemes->GetCount(); ++i)
      if (Scheme(i)->IsUsable()) plan(i, open);
  for (size_t k = 0; k < FSearches.size(); ++k) {
    if (!FSearches[k].IsLiteral) continue;
    const char first = FSearches[k].Re->GetExpression()[0];
    auto group = std::find_if(FLiteralsByFirst.begin(), FLiteralsByFirst.end(),
                              [first](const auto& g) { return g.first == first; });
    if (group == FLiteralsByFirst.end())
      FLiteralsByFirst.push_back({first, {k}});
    else
      group->second.push_back(k);
  }
}

// ---------------------------------------------------------------------------
// Ranges.
// ---------------------------------------------------------------------------

TktCustomHighLighter* TrvMultiSyn::Active() const {
  return FCurrScheme >= 0 ? Scheme(FCurrScheme)->GetHighlighter() : FDefaultHighlighter;
}

TktRange TrvMultiSyn::GetRange() const {
  if (!FDefaultHighlighter) return 0;
  if (FCurrScheme < 0) return FDefaultHighlighter->GetRange() & 0xFF;
  return (static_cast<TktRange>(FCurrScheme + 1) << 16) | (TktRange(FSavedDefaultRange) << 8) |
         (Active()->GetRange() & 0xFF);
}

void TrvMultiSyn::SetRange(TktRange value) {
  FCurrScheme = -1;
  if (!FDefaultHighlighter) return;
  const int scheme = static_cast<int>((static_cast<uintptr_t>(value) >> 16) & 0xFFFF) - 1;
  if (scheme < 0) {
    FDefaultHighlighter->SetRange(value & 0xFF);
    return;
  }
  const uint8_t saved = static_cast<uint8_t>((value >> 8) & 0xFF);
  if (scheme >= FSchemes->GetCount() || !Scheme(scheme)->IsUsable()) {
    // A scheme no longer there: outside every scheme, where its entry left
    // the default highlighter.
    FDefaultHighlighter->SetRange(saved);
    return;
  }
  FCurrScheme = scheme;
  FSavedDefaultRange = saved;
  Scheme(scheme)->GetHighlighter()->SetRange(value & 0xFF);
}

void TrvMultiSyn::ResetRange() {
  FCurrScheme = -1;
  if (FDefaultHighlighter) FDefaultHighlighter->ResetRange();
}

void TrvMultiSyn::EnterScheme(int index) {
  FSavedDefaultRange = static_cast<uint8_t>(FDefaultHighlighter->GetRange() & 0xFF);
  FCurrScheme = index;
  Scheme(index)->GetHighlighter()->ResetRange();
}

void TrvMultiSyn::LeaveScheme() {
  FCurrScheme = -1;
  FDefaultHighlighter->SetRange(FSavedDefaultRange);
}

// ---------------------------------------------------------------------------
// Markers.
// ---------------------------------------------------------------------------

void TrvMultiSyn::AddMarkers(const TSearch& search, size_t position, size_t length) {
  for (int scheme : search.Schemes)
    FMarkers.push_back({scheme, static_cast<int>(position) + 1, static_cast<int>(length),
                        search.Open, FLine.substr(position, length)});
}

// Each expression is searched from the line's start; after a match the next
// search starts one character past the match's end, so the character right
// after a match never starts the next match of the same expression.
void TrvMultiSyn::FindMarkers() {
  FMarkers.clear();
  const size_t n = FLine.size();
  for (TSearch& search : FSearches) {
    search.NextAllowed = 0;
    if (search.IsLiteral) continue;
    size_t offset = 0;
    while (offset < n && search.Re->Exec(FLine.substr(offset))) {
      const int groups = search.Re->SubExprMatchCount();
      for (int g = 0; g < groups; ++g) {
        const int length = search.Re->MatchLen(g);
        if (length > 0)  // an empty match is no marker
          AddMarkers(search, offset + static_cast<size_t>(search.Re->MatchPos(g) - 1),
                     static_cast<size_t>(length));
      }
      offset += static_cast<size_t>(search.Re->MatchPos(0) + search.Re->MatchLen(0));
    }
  }
  for (const auto& [first, group] : FLiteralsByFirst) {
    for (const void* hit = std::memchr(FLine.data(), first, n); hit;) {
      const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - FLine.data());
      for (size_t k : group) {
        TSearch& search = FSearches[k];
        const std::string& text = search.Re->GetExpression();
        if (at >= search.NextAllowed && FLine.compare(at, text.size(), text) == 0) {
          AddMarkers(search, at, text.size());
          search.NextAllowed = at + text.size() + 1;
        }
      }
      hit = at + 1 < n ? std::memchr(FLine.data() + at + 1, first, n - at - 1) : nullptr;
    }
  }
  std::stable_sort(FMarkers.begin(), FMarkers.end(), [](const TgmMarker& a, const TgmMarker& b) {
    if (a.Position != b.Position) return a.Position < b.Position;
    if (a.IsOpenMarker != b.IsOpenMarker) return a.IsOpenMarker;
    return a.SchemeIndex < b.SchemeIndex;
  });
}

// Outside schemes a start marker of any scheme applies; inside scheme k
// only an end marker of k (six schemes end at "</script>": another's end
// leaves the script open).
bool TrvMultiSyn::Applies(const TgmMarker& m) const {
  if (FCurrScheme < 0) return m.IsOpenMarker;
  return !m.IsOpenMarker && m.SchemeIndex == FCurrScheme;
}

int TrvMultiSyn::MarkerAt(int p) const {
  auto it = std::lower_bound(FMarkers.begin(), FMarkers.end(), p,
                             [](const TgmMarker& m, int pos) { return m.Position < pos; });
  for (; it != FMarkers.end() && it->Position == p; ++it)
    if (Applies(*it)) return static_cast<int>(it - FMarkers.begin());
  return -1;
}

int TrvMultiSyn::NextMarkerFrom(int p) const {
  auto it = std::lower_bound(FMarkers.begin(), FMarkers.end(), p,
                             [](const TgmMarker& m, int pos) { return m.Position < pos; });
  for (; it != FMarkers.end(); ++it)
    if (Applies(*it)) return static_cast<int>(it - FMarkers.begin());
  return -1;
}

// ---------------------------------------------------------------------------
// The token walk.
// ---------------------------------------------------------------------------

void TrvMultiSyn::SetLine(std::string_view line, int lineNumber) {
  FLine = line;
  FLineNumber = lineNumber;
  FRun = 0;
  FTokenPos = 0;
  FMarker = -1;
  FInStretch = false;
  FEndScanned = false;
  FAtEnd = false;
  if (!FDefaultHighlighter) {
    // One token, the whole line, then the line end.
    FRun = line.size();
    FAtEnd = line.empty();
    return;
  }
  if (FCurrScheme >= 0 && (FCurrScheme >= FSchemes->GetCount() || !Scheme(FCurrScheme)->IsUsable()))
    FCurrScheme = -1;
  FindMarkers();
  Next();
}

void TrvMultiSyn::TakeSubToken() {
  TktCustomHighLighter* s = Active();
  FTokenPos = FStretchStart + static_cast<size_t>(s->GetTokenPos());
  FRun = FTokenPos + s->GetToken().size();
}

void TrvMultiSyn::Next() {
  FMarker = -1;
  if (!FDefaultHighlighter) {
    FTokenPos = FRun;
    FAtEnd = true;
    return;
  }
  if (FInStretch) {
    Active()->Next();
    if (!Active()->AtLineEnd()) {
      TakeSubToken();
      return;
    }
    FInStretch = false;
    FRun = FStretchEnd;
  }
  FTokenPos = FRun;
  const int at = MarkerAt(static_cast<int>(FRun) + 1);
  if (at >= 0) {
    const TgmMarker& m = FMarkers[static_cast<size_t>(at)];
    if (m.IsOpenMarker)
      EnterScheme(m.SchemeIndex);
    else
      LeaveScheme();
    FMarker = at;
    FRun += static_cast<size_t>(m.Length);
    return;
  }
  if (FRun >= FLine.size()) {
    // An empty line, or one that ends with a marker, still ends a line for
    // the highlighter now active: it scans the empty rest, so a range that
    // lasts only to the line's end (a continued directive) ends as it would
    // in the text alone.
    if (!FEndScanned) {
      TktCustomHighLighter* s = Active();
      s->SetLine(FLine.substr(FLine.size()), FLineNumber);
      for (size_t guard = 0; !s->AtLineEnd() && guard < 16; ++guard) s->Next();
      FEndScanned = true;
    }
    FAtEnd = true;
    return;
  }
  // The active highlighter scans up to the next marker that applies.
  const int next = NextMarkerFrom(static_cast<int>(FRun) + 1);
  FStretchStart = FRun;
  FStretchEnd = next >= 0 ? static_cast<size_t>(FMarkers[static_cast<size_t>(next)].Position - 1)
                          : FLine.size();
  FInStretch = true;
  FEndScanned = FStretchEnd == FLine.size();
  Active()->SetLine(FLine.substr(FStretchStart, FStretchEnd - FStretchStart), FLineNumber);
  TakeSubToken();
}

bool TrvMultiSyn::AtLineEnd() const { return FAtEnd; }

std::string_view TrvMultiSyn::GetToken() const {
  if (FAtEnd) return std::string_view();
  return FLine.substr(FTokenPos, FRun - FTokenPos);
}

int TrvMultiSyn::GetTokenPos() const { return static_cast<int>(FTokenPos); }

TktHighLightAttributes* TrvMultiSyn::GetTokenAttribute() const {
  if (FAtEnd) return nullptr;
  if (FMarker >= 0)
    return Scheme(FMarkers[static_cast<size_t>(FMarker)].SchemeIndex)->GetMarkerAttri();
  TktHighLightAttributes* attr = FInStretch ? Active()->GetTokenAttribute() : nullptr;
  return attr ? attr : FPlainAttri.get();
}

int TrvMultiSyn::GetTokenKind() const {
  if (FMarker >= 0) return tkMarker;
  if (!FInStretch) return 0;
  return Active()->GetTokenKind();
}

void TrvMultiSyn::ExportNextToken() { throw EAbstractError("Abstract Error"); }

void TrvMultiSyn::SetLineForExport(std::string_view) { throw EAbstractError("Abstract Error"); }

// ---------------------------------------------------------------------------
// The application's schemes.
// ---------------------------------------------------------------------------

void SetApplicationSchemes(TrvMultiSyn& multi, TktCustomHighLighter* html,
                           TktCustomHighLighter* javaScript, TktCustomHighLighter* vbScript,
                           TktCustomHighLighter* visualBasic) {
  struct TDef {
    const char* Start;
    const char* End;
    TktCustomHighLighter* Highlighter;
    TColor Background;
  };
  const TDef defs[] = {
      {"<script language=\"JavaScript\">", "</script>", javaScript, 15663086},
      {"=\"JScript\">", "</script>", javaScript, 15663086},
      {"=\"JavaScript\">", "</script>", javaScript, 15663086},
      {"= \"JavaScript\">", "</script>", javaScript, 15663086},
      {"=\"JScript\">", "</script>", javaScript, 15663086},
      {"<script language=\"VBScript\">", "</script>", vbScript, 15658751},
      {"=\"VBScript\">", "</Script>", vbScript, 15658751},
      {"= \"VBScript\">", "</Script>", vbScript, 15658751},
      {"<%", "%>", visualBasic, 16772846},
  };
  multi.SetDefaultHighlighter(html);
  TgmSchemes* schemes = multi.GetSchemes();
  schemes->BeginUpdate();
  schemes->Clear();
  for (const TDef& d : defs) {
    TgmScheme* s = schemes->Add();
    s->SetStartExpr(d.Start);
    s->SetEndExpr(d.End);
    s->SetHighlighter(d.Highlighter);
    s->GetMarkerAttri()->SetBackground(d.Background);
    s->GetMarkerAttri()->SetStyle(TFontStyles{fsBold});
  }
  schemes->EndUpdate();
}
