// TCollection and TCollectionItem: an owned, ordered list of persistent
// items of one kind (a highlighter's schemes, say). The collection makes
// its items, owns them and frees them with itself; Assign copies another
// collection item by item. An item that changes tells its collection, which
// a subclass hears through Update.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection* collection) : FCollection(collection) {}
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return FCollection; }
  // Position in the collection.
  int GetIndex() const;

protected:
  // Tells the collection that this item changed.
  void Changed();

private:
  TCollection* FCollection;
};

class TCollection : public TPersistent {
public:
  // Makes one item for the collection given.
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;

  explicit TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  // EListError outside 0..count-1.
  TCollectionItem* GetItem(int index) const;
  int IndexOf(const TCollectionItem* item) const;
  // A new item at the end.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  // From another collection: the items are replaced by new ones, each
  // assigned from the source's item at the same position.
  void Assign(TPersistent* source) override;

  // Update bracket: while above 0 changes are not reported; the closing
  // EndUpdate reports one change of the whole collection.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

protected:
  // An item (or, for nullptr, the collection as a whole) changed.
  virtual void Update(TCollectionItem* item);
  void Changed(TCollectionItem* item);

private:
  friend class TCollectionItem;

  TItemFactory FFactory;
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
  int FUpdateCount = 0;
};
