// The highlighter base: attribute list, change hooks, registry load/save.
#include "editor/Highlighter.h"

#include <algorithm>

#include "platform/Registry.h"

TktCustomHighLighter::TktCustomHighLighter(TComponent* owner)
    : TComponent(owner), FAttributes(true), FAttrChangeHooks(this) {
  FAttributes.SetSorted(true);
  FAttributes.SetDuplicates(dupError);
}

TktCustomHighLighter::~TktCustomHighLighter() = default;

TktCharSet TktCustomHighLighter::GetIdentChars() const { return TktCharSet::Range(33, 255); }

int TktCustomHighLighter::GetAttribCount() const { return FAttributes.GetCount(); }

TktHighLightAttributes* TktCustomHighLighter::GetAttribute(int index) const {
  if (index < 0 || index >= FAttributes.GetCount()) return nullptr;
  return static_cast<TktHighLightAttributes*>(FAttributes.GetObject(index));
}

std::string TktCustomHighLighter::GetDefaultFilter() const { return FDefaultFilter; }

void TktCustomHighLighter::SetDefaultFilter(const std::string& value) {
  if (FDefaultFilter != value) FDefaultFilter = value;
}

int TktCustomHighLighter::GetCapability() const { return hcRegistry; }

std::string TktCustomHighLighter::GetLanguageName() const { return "<Unknown>"; }

bool TktCustomHighLighter::ImportAttributeSet(int index) { return false; }

void TktCustomHighLighter::ListAttributeSets(TStrings* list) {
  if (list) list->Clear();
}

bool TktCustomHighLighter::LoadFromRegistry(TRegRootKey rootKey, const std::string& key) {
  try {
    TRegistry reg;
    reg.SetRootKey(rootKey);
    if (!reg.OpenKeyReadOnly(key)) return false;
    for (int i = 0; i < GetAttribCount(); ++i)
      if (!GetAttribute(i)->LoadFromRegistry(reg)) return false;
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TktCustomHighLighter::SaveToRegistry(TRegRootKey rootKey, const std::string& key) {
  try {
    TRegistry reg;
    reg.SetRootKey(rootKey);
    if (!reg.OpenKey(key, true)) return false;
    for (int i = 0; i < GetAttribCount(); ++i)
      if (!GetAttribute(i)->SaveToRegistry(reg)) return false;
    return true;
  } catch (const Exception&) {
    return false;
  }
}

TktHighLightAttributes* TktCustomHighLighter::AddAttribute(
    std::unique_ptr<TktHighLightAttributes> attribute) {
  FAttributes.AddObject(attribute->GetName(), attribute.get());  // raises on a duplicate
  return attribute.release();
}

void TktCustomHighLighter::SetAttributesOnChange(const TNotifyEvent& handler) {
  for (int i = 0; i < GetAttribCount(); ++i) GetAttribute(i)->OnChange = handler;
}

void TktCustomHighLighter::NextToEol() {
  while (!AtLineEnd()) Next();
}

void TktCustomHighLighter::HookAttrChangeEvent(const TktNotifyMethod& handler) {
  FAttrChangeHooks.Add(handler);
}

void TktCustomHighLighter::UnhookAttrChangeEvent(const TktNotifyMethod& handler) {
  FAttrChangeHooks.Remove(handler);
}

void TktCustomHighLighter::DefHighlightChange(TObject* sender) { FAttrChangeHooks.Fire(); }

namespace {
std::vector<TktHighlighterClass>& Classes() {
  static std::vector<TktHighlighterClass> list;
  return list;
}
}  // namespace

int RegisterHighlighter(TktHighlighterClass highlighterClass) {
  auto& list = Classes();
  auto it = std::find(list.begin(), list.end(), highlighterClass);
  if (it != list.end()) return int(it - list.begin());
  list.push_back(highlighterClass);
  return int(list.size()) - 1;
}

const std::vector<TktHighlighterClass>& HighlighterList() { return Classes(); }
