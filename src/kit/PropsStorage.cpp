// Stored properties and stored values.
#include "kit/PropsStorage.h"

#include <algorithm>

#include "kit/StrUtils.h"
#include "platform/DataModule.h"

namespace {

std::function<TComponent*(const std::string&)>& GlobalFinder() {
  static std::function<TComponent*(const std::string&)> finder;
  return finder;
}

// An INI reader strips one pair of quotes from a value; a text that has a
// pair of its own gets another so it comes back whole. The registry keeps
// text as it is.
void WriteText(TCustomIniFile& ini, const std::string& section, const std::string& name,
               const std::string& value) {
  if (dynamic_cast<TIniFile*>(&ini) && value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
      value.back() == value[0])
    ini.WriteString(section, name, "\"" + value + "\"");
  else
    ini.WriteString(section, name, value);
}

// A failure inside one property leaves it (and the store) as it was.
template <class F>
void Quietly(F&& f) {
  try {
    f();
  } catch (const Exception&) {
  }
}

}  // namespace

void TPropsStorage::SetGlobalComponentFinder(std::function<TComponent*(const std::string&)> finder) {
  GlobalFinder() = std::move(finder);
}

TPropsStorage::TObjectUse TPropsStorage::ObjectUse(TObject* obj, const TPropInfo& prop) {
  TObject* value = GetObjectProp(obj, prop);
  if (dynamic_cast<TStrings*>(value)) return ouStrings;
  if (dynamic_cast<TCollection*>(value)) return ouCollection;
  // A writable component property refers to a component elsewhere; a
  // read-only one is a part the object owns.
  if (prop.SetObj && (!value || dynamic_cast<TComponent*>(value))) return ouReference;
  if (dynamic_cast<TPersistent*>(value)) return ouNested;
  return ouNone;
}

std::string TPropsStorage::ReferenceText(TComponent* c) {
  if (!c) return "(null)";
  TComponent* owner = c->GetOwner();
  if (!owner || owner == FOwnerForm) return c->GetName();
  std::string ownerName = owner->GetName();
  if (ownerName.empty()) {
    ownerName = owner->ClassName();
    if (!ownerName.empty() && (ownerName[0] == 'T' || ownerName[0] == 't')) ownerName.erase(0, 1);
  }
  return ownerName + "." + c->GetName();
}

TComponent* TPropsStorage::FindReference(const std::string& text) {
  size_t dot = text.find('.');
  if (dot == std::string::npos) return FOwnerForm ? FOwnerForm->FindComponent(text) : nullptr;
  std::string ownerName = text.substr(0, dot);
  TComponent* owner = nullptr;
  if (FOwnerForm && SameText(FOwnerForm->GetName(), ownerName)) owner = FOwnerForm;
  if (!owner && GlobalFinder()) owner = GlobalFinder()(ownerName);
  if (!owner) owner = TDataModule::FindModule(ownerName);
  return owner ? owner->FindComponent(text.substr(dot + 1)) : nullptr;
}

std::string TPropsStorage::PropertyText(TObject* obj, const TPropInfo& prop) {
  if (prop.Kind == tkClass)
    return ObjectUse(obj, prop) == ouReference
               ? ReferenceText(dynamic_cast<TComponent*>(GetObjectProp(obj, prop)))
               : std::string();
  return GetPropText(obj, prop);
}

bool TPropsStorage::SetPropertyFromText(TObject* obj, const TPropInfo& prop, const std::string& text) {
  try {
    switch (prop.Kind) {
      case tkChar:
        if (text.empty()) return false;
        SetOrdProp(obj, prop, static_cast<unsigned char>(text[0]));
        return true;
      case tkFloat: {
        // Stored with "."; a text in the locale's own form reads too.
        std::string t = text;
        const char sep = GetDecimalSeparator();
        if (sep != '.') std::replace(t.begin(), t.end(), sep, '.');
        SetPropText(obj, prop, t);
        return true;
      }
      case tkClass: {
        if (ObjectUse(obj, prop) != ouReference) return false;
        if (text == "(null)") {
          SetObjectProp(obj, prop, nullptr);
          return true;
        }
        TComponent* c = FindReference(text);
        if (!c) return false;
        SetObjectProp(obj, prop, c);
        return true;
      }
      default: SetPropText(obj, prop, text); return true;
    }
  } catch (const Exception&) {
    return false;  // the property stays as it was
  }
}

void TPropsStorage::StoreStrings(TStrings* list, const std::string& name) {
  const std::string sub = FSection + "." + name;
  FIni.EraseSection(sub);
  if (list->GetCount() == 0) return;
  FIni.WriteString(sub, "Count", IntToStr(list->GetCount()));
  for (int i = 0; i < list->GetCount(); ++i) WriteText(FIni, sub, "Item" + IntToStr(i), list->Get(i));
}

void TPropsStorage::LoadStrings(TStrings* list, const std::string& name) {
  const std::string sub = FSection + "." + name;
  int count = FIni.ReadInteger(sub, "Count", 0);
  if (count <= 0) return;
  // The count is trusted only as far as the items are there.
  TStringList present;
  FIni.ReadSection(sub, &present);
  TStringList items;
  for (int i = 0; i < count && present.IndexOf("Item" + IntToStr(i)) >= 0; ++i)
    items.Add(FIni.ReadString(sub, "Item" + IntToStr(i), std::string()));
  if (items.GetCount() > 0) list->Assign(&items);
}

// A collection goes where a string list would: its own sub-section with
// "Count", each item's properties named "Item%d_" and the property's name.
void TPropsStorage::StoreCollection(TCollection* items, const std::string& name) {
  const std::string sub = FSection + "." + name;
  FIni.EraseSection(sub);
  if (items->GetCount() == 0) return;
  FIni.WriteString(sub, "Count", IntToStr(items->GetCount()));
  const std::string saved = FSection;
  FSection = sub;
  for (int i = 0; i < items->GetCount(); ++i) {
    TCollectionItem* item = items->GetItem(i);
    for (const TPropInfo* p : GetPropList(item)) StoreProperty(item, *p, "Item" + IntToStr(i) + "_");
  }
  FSection = saved;
}

void TPropsStorage::LoadCollection(TCollection* items, const std::string& name) {
  const std::string sub = FSection + "." + name;
  int count = FIni.ReadInteger(sub, "Count", 0);
  if (count <= 0) return;
  // As for string lists, the count is trusted only as far as items are there.
  TStringList present;
  FIni.ReadSection(sub, &present);
  int found = 0;
  while (found < count) {
    const std::string prefix = "Item" + IntToStr(found) + "_";
    bool any = false;
    for (int k = 0; k < present.GetCount() && !any; ++k)
      any = SameText(present.Get(k).substr(0, prefix.size()), prefix);
    if (!any) break;
    ++found;
  }
  if (found == 0) return;
  items->BeginUpdate();
  while (items->GetCount() > found) items->Delete(items->GetCount() - 1);
  while (items->GetCount() < found) items->Add();
  const std::string saved = FSection;
  FSection = sub;
  for (int i = 0; i < found; ++i) {
    TCollectionItem* item = items->GetItem(i);
    for (const TPropInfo* p : GetPropList(item)) LoadProperty(item, *p, "Item" + IntToStr(i) + "_");
  }
  FSection = saved;
  items->EndUpdate();
}

void TPropsStorage::StoreProperty(TObject* obj, const TPropInfo& prop, const std::string& prefix) {
  const std::string name = prefix + prop.Name;
  Quietly([&] {
    if (prop.Kind == tkClass) {
      switch (ObjectUse(obj, prop)) {
        case ouStrings: StoreStrings(static_cast<TStrings*>(GetObjectProp(obj, prop)), name); return;
        case ouCollection:
          StoreCollection(static_cast<TCollection*>(GetObjectProp(obj, prop)), name);
          return;
        case ouNested: {
          TObject* nested = GetObjectProp(obj, prop);
          for (const TPropInfo* p : GetPropList(nested)) StoreProperty(nested, *p, name);
          return;
        }
        case ouReference: break;
        case ouNone: return;
      }
    }
    std::string text = Trim(PropertyText(obj, prop));
    if (text.empty() && prop.Kind != tkString && prop.Kind != tkChar) return;
    WriteText(FIni, FSection, name, text);
  });
}

void TPropsStorage::LoadProperty(TObject* obj, const TPropInfo& prop, const std::string& prefix) {
  const std::string name = prefix + prop.Name;
  Quietly([&] {
    if (prop.Kind == tkClass) {
      switch (ObjectUse(obj, prop)) {
        case ouStrings: LoadStrings(static_cast<TStrings*>(GetObjectProp(obj, prop)), name); return;
        case ouCollection:
          LoadCollection(static_cast<TCollection*>(GetObjectProp(obj, prop)), name);
          return;
        case ouNested: {
          TObject* nested = GetObjectProp(obj, prop);
          for (const TPropInfo* p : GetPropList(nested)) LoadProperty(nested, *p, name);
          return;
        }
        case ouReference: break;
        case ouNone: return;
      }
    }
    if (!prop.IsWritable()) return;
    // The current text is the default, so a missing value changes nothing.
    const std::string current = PropertyText(obj, prop);
    const std::string text = FIni.ReadString(FSection, name, current);
    if (text != current) SetPropertyFromText(obj, prop, text);
  });
}

// ---------------------------------------------------------------------------
// Stored values
// ---------------------------------------------------------------------------
void TStoredValue::SetName(const std::string& name) {
  if (FOwner) {
    TStoredValue* other = FOwner->GetStoredValue(name);
    if (other && other != this) throw EStringListError("String list does not allow duplicates");
  }
  FName = name;
}

void TStoredValue::Save(TCustomIniFile& ini, const std::string& section) {
  TVariant value = FValue;
  if (OnSave) OnSave(this, value);
  std::string text = value.ToString();
  if (!FKeyString.empty()) text = XorEncode(FKeyString, text);
  WriteText(ini, section, FName, text);
}

void TStoredValue::Restore(TCustomIniFile& ini, const std::string& section) {
  std::string def = FValue.ToString();
  if (!FKeyString.empty()) def = XorEncode(FKeyString, def);
  std::string text = ini.ReadString(section, FName, def);
  if (!FKeyString.empty()) text = XorDecode(FKeyString, text);
  TVariant value(text);
  if (OnRestore) OnRestore(this, value);
  FValue = value;
}

TStoredValue* TStoredValues::Add(const std::string& name) {
  auto item = std::unique_ptr<TStoredValue>(new TStoredValue(this));
  item->SetName(name);
  FItems.push_back(std::move(item));
  return FItems.back().get();
}

void TStoredValues::Delete(int i) { FItems.erase(FItems.begin() + i); }

TStoredValue* TStoredValues::GetStoredValue(const std::string& name) const {
  for (const auto& item : FItems)
    if (SameText(item->GetName(), name)) return item.get();
  return nullptr;
}

void TStoredValues::SaveValues(TCustomIniFile& ini, const std::string& section) {
  for (const auto& item : FItems) item->Save(ini, section);
}

void TStoredValues::RestoreValues(TCustomIniFile& ini, const std::string& section) {
  for (const auto& item : FItems) item->Restore(ini, section);
}

// ---------------------------------------------------------------------------
// Stored-property lists
// ---------------------------------------------------------------------------
namespace {
bool SplitEntry(const std::string& entry, std::string& component, std::string& property) {
  size_t dot = entry.find('.');
  if (dot == std::string::npos) return false;
  component = Trim(std::string_view(entry).substr(0, dot));
  property = Trim(std::string_view(entry).substr(dot + 1));
  return !component.empty() && !property.empty();
}
}  // namespace

void ResolveStoredProps(TComponent* owner, TStrings* props) {
  for (int i = props->GetCount() - 1; i >= 0; --i) {
    std::string component, property;
    TComponent* c = nullptr;
    if (SplitEntry(props->Get(i), component, property)) {
      // A resolved entry follows its component through a rename.
      // (Compared as a pointer only: the object may be gone already.)
      const TObject* known = props->GetObject(i);
      if (known && owner)
        for (int k = 0; k < owner->GetComponentCount() && !c; ++k)
          if (owner->GetComponent(k) == known) c = owner->GetComponent(k);
      if (!c && owner) c = owner->FindComponent(component);
    }
    if (!c) {
      props->Delete(i);
      continue;
    }
    std::string entry = c->GetName() + "." + property;
    if (props->Get(i) != entry) props->Put(i, entry);
    props->PutObject(i, c);
  }
}

void RemoveStoredPropsOf(TComponent* component, TStrings* props) {
  for (int i = props->GetCount() - 1; i >= 0; --i)
    if (props->GetObject(i) == component) props->Delete(i);
}

namespace {
template <class F>
void ForEachEntry(TComponent* owner, TStrings* props, F&& f) {
  ResolveStoredProps(owner, props);
  for (int i = 0; i < props->GetCount(); ++i) {
    auto* c = static_cast<TComponent*>(props->GetObject(i));
    std::string component, property;
    SplitEntry(props->Get(i), component, property);
    if (const TPropInfo* p = GetPropInfo(c, property)) f(c, *p);
  }
}
}  // namespace

void StoreComponentProps(TCustomIniFile& ini, const std::string& section, TComponent* owner,
                         TStrings* props) {
  TPropsStorage storage(ini, section, owner);
  ForEachEntry(owner, props, [&](TComponent* c, const TPropInfo& p) {
    storage.StoreProperty(c, p, c->GetName() + "_");
  });
}

void LoadComponentProps(TCustomIniFile& ini, const std::string& section, TComponent* owner,
                        TStrings* props) {
  TPropsStorage storage(ini, section, owner);
  ForEachEntry(owner, props, [&](TComponent* c, const TPropInfo& p) {
    storage.LoadProperty(c, p, c->GetName() + "_");
  });
}
