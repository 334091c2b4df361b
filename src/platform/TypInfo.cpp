// The published-property table: lookup, typed access and the text forms.
#include "platform/TypInfo.h"

#include <algorithm>

namespace typinfo_detail {
void WrongClass(const std::string& prop) {
  throw EPropertyError("Invalid property value for " + prop);
}
}  // namespace typinfo_detail

// ---------------------------------------------------------------------------
// The tables of the base classes
// ---------------------------------------------------------------------------
const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info("TPersistent", nullptr);
  return info;
}
const TClassInfo* TPersistent::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TComponent", &TPersistent::StaticClassInfo())
                                     .String("Name", &TComponent::GetName, &TComponent::SetName)
                                     .Integer("Tag", &TComponent::GetTag, &TComponent::SetTag);
  return info;
}
const TClassInfo* TComponent::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TClassInfo
// ---------------------------------------------------------------------------
TClassInfo& TClassInfo::Add(TPropInfo p) {
  auto same = [&p](const TPropInfo& q) { return SameText(q.Name, p.Name); };
  auto it = std::find_if(FProps.begin(), FProps.end(), same);
  if (it != FProps.end())
    *it = std::move(p);  // published twice: the later entry stands
  else
    FProps.push_back(std::move(p));
  return *this;
}

std::vector<const TPropInfo*> TClassInfo::GetProps() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->FParent) chain.push_back(c);
  std::vector<const TPropInfo*> props;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->FProps) {
      auto same = [&p](const TPropInfo* q) { return SameText(q->Name, p.Name); };
      auto old = std::find_if(props.begin(), props.end(), same);
      if (old != props.end())
        *old = &p;  // redeclared in a descendant: keeps the ancestor's place
      else
        props.push_back(&p);
    }
  return props;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FProps)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == other) return true;
  return false;
}

// ---------------------------------------------------------------------------
// Lookup and typed access
// ---------------------------------------------------------------------------
namespace {
const TClassInfo* InfoOf(const TObject* obj) {
  auto* p = dynamic_cast<const TPersistent*>(obj);
  return p ? p->ClassInfo() : nullptr;
}

[[noreturn]] void KindError(const TPropInfo& prop) {
  throw EPropertyError("Invalid property type: " + prop.Name);
}
[[noreturn]] void ReadOnlyError(const TPropInfo& prop) {
  throw EPropertyError("Property " + prop.Name + " is read-only");
}
[[noreturn]] void ConvertError(const TPropInfo& prop, const std::string& text) {
  throw EPropertyConvertError("Invalid property value '" + text + "' for " + prop.Name);
}

bool IsOrdinal(TTypeKind k) {
  return k == tkInteger || k == tkInt64 || k == tkChar || k == tkEnumeration || k == tkSet;
}
}  // namespace

std::vector<const TPropInfo*> GetPropList(const TObject* obj) {
  const TClassInfo* info = InfoOf(obj);
  return info ? info->GetProps() : std::vector<const TPropInfo*>();
}

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
  const TClassInfo* info = InfoOf(obj);
  return info ? info->FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name); }

const TPropInfo& GetPropInfoOrError(const TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError("Property " + std::string(name) + " does not exist");
  return *p;
}

int64_t GetOrdProp(TObject* obj, const TPropInfo& prop) {
  if (!IsOrdinal(prop.Kind)) KindError(prop);
  return prop.GetOrd(obj);
}

void SetOrdProp(TObject* obj, const TPropInfo& prop, int64_t value) {
  if (!IsOrdinal(prop.Kind)) KindError(prop);
  if (!prop.SetOrd) ReadOnlyError(prop);
  prop.SetOrd(obj, value);
}

double GetFloatProp(TObject* obj, const TPropInfo& prop) {
  if (prop.Kind != tkFloat) KindError(prop);
  return prop.GetFloat(obj);
}

void SetFloatProp(TObject* obj, const TPropInfo& prop, double value) {
  if (prop.Kind != tkFloat) KindError(prop);
  if (!prop.SetFloat) ReadOnlyError(prop);
  prop.SetFloat(obj, value);
}

std::string GetStrProp(TObject* obj, const TPropInfo& prop) {
  if (prop.Kind != tkString) KindError(prop);
  return prop.GetStr(obj);
}

void SetStrProp(TObject* obj, const TPropInfo& prop, const std::string& value) {
  if (prop.Kind != tkString) KindError(prop);
  if (!prop.SetStr) ReadOnlyError(prop);
  prop.SetStr(obj, value);
}

TObject* GetObjectProp(TObject* obj, const TPropInfo& prop) {
  if (prop.Kind != tkClass) KindError(prop);
  return prop.GetObj(obj);
}

void SetObjectProp(TObject* obj, const TPropInfo& prop, TObject* value) {
  if (prop.Kind != tkClass) KindError(prop);
  if (!prop.SetObj) ReadOnlyError(prop);
  prop.SetObj(obj, value);
}

std::string GetEnumName(const TPropInfo& prop, int value) {
  if (value < 0 || value >= static_cast<int>(prop.Names.size())) return std::string();
  return prop.Names[static_cast<size_t>(value)];
}

int GetEnumValue(const TPropInfo& prop, std::string_view name) {
  for (size_t i = 0; i < prop.Names.size(); ++i)
    if (SameText(prop.Names[i], name)) return static_cast<int>(i);
  return -1;
}

// ---------------------------------------------------------------------------
// Text forms
// ---------------------------------------------------------------------------
int FloatTypePrecision(TFloatType type) {
  switch (type) {
    case ftSingle: return 7;
    case ftDouble: return 15;
    case ftExtended: return 18;
    case ftComp: return 18;
    case ftCurr: return 19;
  }
  return 15;
}

std::string GetPropText(TObject* obj, const TPropInfo& prop) {
  switch (prop.Kind) {
    case tkInteger:
    case tkInt64: return IntToStr(prop.GetOrd(obj));
    case tkChar: {
      char c = static_cast<char>(prop.GetOrd(obj));
      return std::string(1, c);
    }
    case tkEnumeration: return GetEnumName(prop, static_cast<int>(prop.GetOrd(obj)));
    case tkSet: {
      uint64_t mask = static_cast<uint64_t>(prop.GetOrd(obj));
      std::string r = "[";
      bool first = true;
      for (size_t i = 0; i < prop.Names.size() && i < 64; ++i)
        if (mask & (uint64_t(1) << i)) {
          if (!first) r += ',';
          r += prop.Names[i];
          first = false;
        }
      return r + "]";
    }
    case tkFloat: return FloatToStrG(prop.GetFloat(obj), FloatTypePrecision(prop.FloatType));
    case tkString: return prop.GetStr(obj);
    case tkClass:
      if (auto* list = dynamic_cast<TStrings*>(prop.GetObj(obj))) return list->GetText();
      KindError(prop);
    default: KindError(prop);
  }
}

std::string GetPropText(TObject* obj, std::string_view name) {
  return GetPropText(obj, GetPropInfoOrError(obj, name));
}

void SetPropText(TObject* obj, const TPropInfo& prop, const std::string& text) {
  if (prop.Kind == tkClass && prop.GetObj) {
    if (auto* list = dynamic_cast<TStrings*>(prop.GetObj(obj))) {
      list->SetText(text);
      return;
    }
  }
  if (!prop.IsWritable()) {
    if (prop.Kind == tkClass) KindError(prop);
    ReadOnlyError(prop);
  }
  switch (prop.Kind) {
    case tkInteger: {
      int v;
      if (!TryStrToInt(text, v)) ConvertError(prop, text);
      prop.SetOrd(obj, v);
      return;
    }
    case tkInt64: {
      int64_t v;
      if (!TryStrToInt64(text, v)) ConvertError(prop, text);
      prop.SetOrd(obj, v);
      return;
    }
    case tkChar:
      if (text.empty()) ConvertError(prop, text);
      prop.SetOrd(obj, static_cast<unsigned char>(text[0]));
      return;
    case tkEnumeration: {
      int v = GetEnumValue(prop, Trim(text));
      if (v < 0) ConvertError(prop, text);
      prop.SetOrd(obj, v);
      return;
    }
    case tkSet: {
      std::string t = Trim(text);
      if (t.size() < 2 || t.front() != '[' || t.back() != ']') ConvertError(prop, text);
      uint64_t mask = 0;
      std::string body = t.substr(1, t.size() - 2);
      size_t start = 0;
      while (start <= body.size()) {
        size_t comma = body.find(',', start);
        if (comma == std::string::npos) comma = body.size();
        std::string member = Trim(std::string_view(body).substr(start, comma - start));
        if (!member.empty()) {
          int bit = GetEnumValue(prop, member);
          if (bit < 0 || bit >= 64) ConvertError(prop, text);
          mask |= uint64_t(1) << bit;
        } else if (comma < body.size()) {
          ConvertError(prop, text);  // an empty member between commas
        }
        start = comma + 1;
      }
      prop.SetOrd(obj, static_cast<int64_t>(mask));
      return;
    }
    case tkFloat: {
      double v;
      if (!TryStrToFloatDot(text, v)) ConvertError(prop, text);
      prop.SetFloat(obj, v);
      return;
    }
    case tkString: prop.SetStr(obj, text); return;
    default: KindError(prop);
  }
}

void SetPropText(TObject* obj, std::string_view name, const std::string& text) {
  SetPropText(obj, GetPropInfoOrError(obj, name), text);
}

// ---------------------------------------------------------------------------
// Paths
// ---------------------------------------------------------------------------
TPropTarget FindPropPath(TObject* root, std::string_view path) {
  TObject* obj = root;
  for (;;) {
    if (!obj) return {};
    size_t dot = path.find('.');
    std::string_view name = path.substr(0, dot);
    if (dot == std::string_view::npos) {
      const TPropInfo* p = GetPropInfo(obj, name);
      if (!p) return {};
      return TPropTarget{obj, p};
    }
    path.remove_prefix(dot + 1);
    TObject* next = nullptr;
    if (auto* c = dynamic_cast<TComponent*>(obj)) next = c->FindComponent(name);
    if (!next) {
      const TPropInfo* p = GetPropInfo(obj, name);
      if (!p || p->Kind != tkClass) return {};
      next = p->GetObj(obj);
    }
    obj = next;
  }
}

namespace {
TPropTarget PathOrError(TObject* root, std::string_view path) {
  TPropTarget t = FindPropPath(root, path);
  if (!t.Object) throw EPropertyError("Property " + std::string(path) + " does not exist");
  return t;
}
}  // namespace

std::string GetPropPathText(TObject* root, std::string_view path) {
  TPropTarget t = PathOrError(root, path);
  return GetPropText(t.Object, *t.Prop);
}

void SetPropPathText(TObject* root, std::string_view path, const std::string& text) {
  TPropTarget t = PathOrError(root, path);
  SetPropText(t.Object, *t.Prop, text);
}
