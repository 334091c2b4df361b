// TCollection and TCollectionItem: owned, ordered items made by the
// collection, bounds, Assign copying item by item, and the change reports
// a subclass hears.
#include "platform/Collections.h"

#include <gtest/gtest.h>

namespace {

class TNamedItem : public TCollectionItem {
public:
  explicit TNamedItem(TCollection* c) : TCollectionItem(c) { ++Alive; }
  ~TNamedItem() override { --Alive; }
  void Assign(TPersistent* source) override {
    auto* other = dynamic_cast<TNamedItem*>(source);
    if (!other) return TCollectionItem::Assign(source);
    SetName(other->Name);
  }
  void SetName(const std::string& name) {
    Name = name;
    Changed();
  }
  std::string Name;
  static int Alive;
};
int TNamedItem::Alive = 0;

class TNamedItems : public TCollection {
public:
  TNamedItems() : TCollection([](TCollection* c) { return std::make_unique<TNamedItem>(c); }) {}
  TNamedItem* Item(int i) const { return static_cast<TNamedItem*>(GetItem(i)); }
  TNamedItem* AddNamed(const std::string& name) {
    auto* item = static_cast<TNamedItem*>(Add());
    item->SetName(name);
    return item;
  }
  std::vector<TCollectionItem*> Updates;

protected:
  void Update(TCollectionItem* item) override { Updates.push_back(item); }
};

TEST(Collections, ItemsAreOwnedOrderedAndBoundsChecked) {
  {
    TNamedItems items;
    TNamedItem* a = items.AddNamed("a");
    TNamedItem* b = items.AddNamed("b");
    items.AddNamed("c");
    EXPECT_EQ(TNamedItem::Alive, 3);
    EXPECT_EQ(a->GetCollection(), &items);
    EXPECT_EQ(b->GetIndex(), 1);
    items.Delete(0);
    EXPECT_EQ(TNamedItem::Alive, 2);
    EXPECT_EQ(items.GetCount(), 2);
    EXPECT_EQ(items.Item(0), b);
    EXPECT_EQ(b->GetIndex(), 0);
    EXPECT_THROW(items.GetItem(2), EListError);
    EXPECT_THROW(items.GetItem(-1), EListError);
    EXPECT_THROW(items.Delete(5), EListError);
  }
  EXPECT_EQ(TNamedItem::Alive, 0);
}

TEST(Collections, AssignCopiesEveryItem) {
  TNamedItems source, copy;
  source.AddNamed("x");
  source.AddNamed("y");
  copy.AddNamed("old");
  copy.Assign(&source);
  ASSERT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.Item(0)->Name, "x");
  EXPECT_EQ(copy.Item(1)->Name, "y");
  EXPECT_NE(copy.Item(0), source.Item(0));
  EXPECT_EQ(TNamedItem::Alive, 4);
  // Assigning something else is the usual conversion error.
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST(Collections, ChangesAreReportedOutsideUpdateBrackets) {
  TNamedItems items;
  TNamedItem* a = items.AddNamed("a");  // the addition, then the item's change
  EXPECT_EQ(items.Updates, (std::vector<TCollectionItem*>{nullptr, a}));
  items.Updates.clear();
  items.BeginUpdate();
  a->SetName("b");
  items.AddNamed("c");
  EXPECT_TRUE(items.Updates.empty());
  items.EndUpdate();
  EXPECT_EQ(items.Updates, (std::vector<TCollectionItem*>{nullptr}));
  items.Updates.clear();
  TNamedItems source;
  source.AddNamed("s");
  items.Assign(&source);  // one report for the whole assignment
  EXPECT_EQ(items.Updates, (std::vector<TCollectionItem*>{nullptr}));
  items.Updates.clear();
  items.Clear();
  EXPECT_EQ(items.GetCount(), 0);
  EXPECT_EQ(items.Updates, (std::vector<TCollectionItem*>{nullptr}));
}

}  // namespace
