// Stored properties: published properties of a form's components turned
// into text values of one section of a settings store (registry key or INI
// file) and back, plus the named values a form keeps beside them.
//
// A property is stored under the component's Name, "_" and the property's
// name (Edit_Text). An object property's own properties follow it directly
// (Edit_FontName, Pascal_CommentAttriForeground); a string list goes into a
// sub-section "<section>.<Component>_<Property>" with "Count" and "Item<n>".
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/Variant.h"
#include "platform/Classes.h"
#include "platform/Collections.h"
#include "platform/IniFiles.h"
#include "platform/TypInfo.h"

class TPropsStorage {
public:
  // ownerForm: the form (or data module) whose components are referred to
  // by name alone.
  TPropsStorage(TCustomIniFile& ini, std::string section, TComponent* ownerForm)
      : FIni(ini), FSection(std::move(section)), FOwnerForm(ownerForm) {}

  // One property of obj, its value named prefix + the property's name. Any
  // failure leaves the stored value or the property as it was, silently.
  void StoreProperty(TObject* obj, const TPropInfo& prop, const std::string& prefix);
  void LoadProperty(TObject* obj, const TPropInfo& prop, const std::string& prefix);

  // The text form of a property (empty for the kinds not stored as one
  // value); and setting from it (false when the text does not convert).
  std::string PropertyText(TObject* obj, const TPropInfo& prop);
  bool SetPropertyFromText(TObject* obj, const TPropInfo& prop, const std::string& text);

  // How a component reference names an owner not on the own form: the
  // program's forms, found by name (the Windows build sets it). Data modules
  // are looked up after it by themselves.
  static void SetGlobalComponentFinder(std::function<TComponent*(const std::string&)> finder);

private:
  enum TObjectUse { ouStrings, ouCollection, ouReference, ouNested, ouNone };
  TObjectUse ObjectUse(TObject* obj, const TPropInfo& prop);
  std::string ReferenceText(TComponent* c);
  TComponent* FindReference(const std::string& text);
  void StoreStrings(TStrings* list, const std::string& name);
  void LoadStrings(TStrings* list, const std::string& name);
  void StoreCollection(TCollection* items, const std::string& name);
  void LoadCollection(TCollection* items, const std::string& name);

  TCustomIniFile& FIni;
  std::string FSection;
  TComponent* FOwnerForm;
};

// ---------------------------------------------------------------------------
// Stored values: named values a form keeps beside its properties.
// ---------------------------------------------------------------------------
class TStoredValue;
using TStoredValueEvent = std::function<void(TStoredValue* sender, TVariant& value)>;

class TStoredValues;

class TStoredValue : public TObject {
public:
  const std::string& GetName() const { return FName; }
  // Raises EStringListError "String list does not allow duplicates" when
  // another value has the name (compared without case).
  void SetName(const std::string& name);
  const TVariant& GetValue() const { return FValue; }
  void SetValue(const TVariant& value) { FValue = value; }
  // Not empty: the value is stored through XorEncode with this key.
  const std::string& GetKeyString() const { return FKeyString; }
  void SetKeyString(const std::string& key) { FKeyString = key; }

  // May change the value on its way to and from the store.
  TStoredValueEvent OnSave;
  TStoredValueEvent OnRestore;

  void Save(TCustomIniFile& ini, const std::string& section);
  void Restore(TCustomIniFile& ini, const std::string& section);

private:
  friend class TStoredValues;
  explicit TStoredValue(TStoredValues* owner) : FOwner(owner) {}
  TStoredValues* FOwner;
  std::string FName;
  TVariant FValue;
  std::string FKeyString;
};

class TStoredValues : public TObject {
public:
  // A new value with the given name (see TStoredValue::SetName).
  TStoredValue* Add(const std::string& name);
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TStoredValue* GetItem(int i) const { return FItems.at(static_cast<size_t>(i)).get(); }
  void Delete(int i);
  void Clear() { FItems.clear(); }
  // The value of that name (without case), or nullptr.
  TStoredValue* GetStoredValue(const std::string& name) const;

  void SaveValues(TCustomIniFile& ini, const std::string& section);
  void RestoreValues(TCustomIniFile& ini, const std::string& section);

private:
  std::vector<std::unique_ptr<TStoredValue>> FItems;
};

// ---------------------------------------------------------------------------
// Entries "Component.Property" of a stored-property list.
// ---------------------------------------------------------------------------
// Splits each entry at its first "." into component and property (both
// trimmed, neither empty), finds the component on owner by name and keeps it
// as the entry's object; other entries are dropped. Entries whose component
// was renamed are renamed with it.
void ResolveStoredProps(TComponent* owner, TStrings* props);
// Drops the entries of a component that is going away.
void RemoveStoredPropsOf(TComponent* component, TStrings* props);

// Writes and reads every entry of a resolved list in section.
void StoreComponentProps(TCustomIniFile& ini, const std::string& section, TComponent* owner,
                         TStrings* props);
void LoadComponentProps(TCustomIniFile& ini, const std::string& section, TComponent* owner,
                        TStrings* props);
