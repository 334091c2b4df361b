// Classes: the heart of our component layer -- TObject, TPersistent (Assign),
// TComponent (owner, Name, lookup, free notification), notify events, the
// abstract TStrings and its standard TStringList.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Sets.h"
#include "platform/SysUtils.h"

class TStream;
class TClassInfo;

class TObject {
public:
  TObject() = default;
  virtual ~TObject();
  // The dynamic type's name ("TStringList"), used in error messages.
  std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// Object slots that carry integers (the line store's range states, list tags).
inline TObject* IntToObj(intptr_t v) { return reinterpret_cast<TObject*>(v); }
inline intptr_t ObjToInt(TObject* o) { return reinterpret_cast<intptr_t>(o); }

// ---------------------------------------------------------------------------
// TPersistent: objects that can copy their state from one another.
// ---------------------------------------------------------------------------
class TPersistent : public TObject {
public:
  // Copies source's state into this object. A class that knows the source
  // overrides Assign; otherwise the source is asked through AssignTo; when
  // neither knows the other: EConvertError "Cannot assign a X to a Y".
  virtual void Assign(TPersistent* source);
  // The published-property table of the dynamic type (see TypInfo.h).
  virtual const TClassInfo* ClassInfo() const;
  static const TClassInfo& StaticClassInfo();

protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

// ---------------------------------------------------------------------------
// TComponent: owned, named objects. An owner destroys what it owns in its
// destructor (newest first); a component removes itself from its owner and
// tells every component that asked for free notification when it goes.
// ---------------------------------------------------------------------------
enum TOperation { opInsert, opRemove };
enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
  csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return FOwner; }
  const std::string& GetName() const { return FName; }
  // Empty, or an identifier unique (case-insensitively) among the owner's
  // components; EComponentError otherwise.
  virtual void SetName(const std::string& name);
  intptr_t GetTag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }

  // Owned components, in the order they were inserted.
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int i) const;
  int GetComponentIndex() const;  // position in the owner's list, -1 without owner
  TComponent* FindComponent(std::string_view name) const;  // case-insensitive; nullptr
  void InsertComponent(TComponent* component);  // takes ownership; tells everyone opInsert
  void RemoveComponent(TComponent* component);  // gives ownership up; tells everyone opRemove
  // Destroys every owned component, newest first. A derived class whose owned
  // components need its members while they go calls this in its destructor.
  void DestroyComponents();

  // Ask to hear (through Notification(this-dying, opRemove)) when `component`
  // is destroyed. Mutual: each side is told when the other goes.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  // Called on insert/remove of an owned component (passed on to every owned
  // component) and when a component this one asked about is destroyed.
  virtual void Notification(TComponent* component, TOperation operation);

  TComponentState GetComponentState() const { return FComponentState; }
  void SetComponentState(TComponentStateItem item, bool on);  // for loaders and designers
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  // Called after a loader has set the stored properties; clears csLoading.
  virtual void Loaded();

  // Publishes Name and Tag.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  virtual void ValidateRename(TComponent* component, const std::string& curName,
                              const std::string& newName);

private:
  void InsertInto(TComponent* component);
  void RemoveFrom(TComponent* component);

  TComponent* FOwner = nullptr;
  std::string FName;
  intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// ---------------------------------------------------------------------------
// TStrings: a list of strings with an object slot per item. Abstract: storage
// comes from the subclass (TStringList, the editor's line store).
// ---------------------------------------------------------------------------
class TStrings : public TPersistent {
public:
  TStrings() = default;
  ~TStrings() override;

  // --- storage, supplied by the subclass ---
  virtual int GetCount() const = 0;
  virtual std::string Get(int i) const = 0;
  virtual TObject* GetObject(int i) const = 0;
  virtual void Put(int i, const std::string& s) = 0;
  virtual void PutObject(int i, TObject* o) = 0;
  virtual void Insert(int i, const std::string& s) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;
  // A cheap read-only view of item i, valid until the list next changes.
  // Lists with their own storage implement it; the default raises EAbstractError.
  virtual std::string_view GetView(int i) const;
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int capacity) {}

  // --- built on the storage ---
  virtual int Add(const std::string& s);  // returns the new item's index
  virtual int AddObject(const std::string& s, TObject* o);
  void Append(const std::string& s) { Add(s); }
  virtual void InsertObject(int i, const std::string& s, TObject* o);
  virtual void AddStrings(TStrings* list);
  void Assign(TPersistent* source) override;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  bool Equals(TStrings* other) const;

  // Whole text: each line followed by CR LF. Setting splits at CR, LF and
  // CR LF; a line end at the very end adds no extra empty line.
  std::string GetText() const { return GetTextStr(); }
  void SetText(const std::string& text) { SetTextStr(text); }
  virtual std::string GetTextStr() const;
  virtual void SetTextStr(std::string_view text);

  // Case-insensitive lookups (TStringList may follow its CaseSensitive flag).
  virtual int IndexOf(const std::string& s) const;
  virtual int IndexOfName(const std::string& name) const;
  virtual int IndexOfObject(TObject* o) const;
  // Name=Value items.
  std::string GetName(int i) const;  // part before the first '=', empty without one
  std::string GetValueFromIndex(int i) const;
  std::string GetValue(const std::string& name) const;
  void SetValue(const std::string& name, const std::string& value);  // "" deletes
  // Items separated by commas; items with blanks, quotes or commas are quoted.
  std::string GetCommaText() const;
  void SetCommaText(const std::string& text);

  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName) const;

  // Update bracket: the list tells the subclass through SetUpdateState when
  // the count leaves and returns to 0.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

protected:
  virtual void SetUpdateState(bool updating) {}
  // EStringListError with fmt (which may hold one %d for data).
  [[noreturn]] void Error(const char* fmt, int data) const;

private:
  int FUpdateCount = 0;
};

// ---------------------------------------------------------------------------
// TStringList: the standard list with its own storage.
// ---------------------------------------------------------------------------
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Returns <0, 0, >0 comparing items index1 and index2 of list.
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
public:
  TStringList() = default;
  explicit TStringList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
  ~TStringList() override;

  int GetCount() const override { return static_cast<int>(FList.size()); }
  std::string Get(int i) const override;
  TObject* GetObject(int i) const override;
  void Put(int i, const std::string& s) override;
  void PutObject(int i, TObject* o) override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  std::string_view GetView(int i) const override;
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int capacity) override;

  // Add does the work (sorted place, duplicates rule); AddObject, Insert-
  // Object and SetText go through the virtual Add/Insert, so a subclass
  // that overrides those sees every line.
  int Add(const std::string& s) override;
  void Move(int curIndex, int newIndex) override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::string& s) const override;
  std::string GetTextStr() const override;
  void SetTextStr(std::string_view text) override;

  // Binary search of a sorted list: true when found (index = first match),
  // else index = where s would go.
  virtual bool Find(const std::string& s, int& index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  // When set, the list deletes the objects of items it deletes or clears.
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  virtual void InsertItem(int index, const std::string& s, TObject* o);
  // Replaces the content with the lines of text (split as SetText does)
  // directly, without calling Add per line: for subclasses that load big
  // texts and report the lines once.
  void LoadTextLines(std::string_view text);

private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int i) const;
  void ExchangeItems(int index1, int index2);
  void ClearItems();

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};
