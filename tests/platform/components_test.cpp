// TComponent: ownership, names, lookup and notifications; TPersistent.Assign.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/Classes.h"

namespace {

// Records its destruction and every notification it hears.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, std::vector<std::string>* log, std::string tag)
      : TComponent(owner), FLog(log), FTagText(std::move(tag)) {}
  ~TProbe() override { FLog->push_back("~" + FTagText); }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (component == Watched && operation == opRemove) {
      FLog->push_back(FTagText + " lost " + component->GetName());
      Watched = nullptr;
    }
    if (operation == opInsert) FLog->push_back(FTagText + " saw insert");
  }
  TComponent* Watched = nullptr;

private:
  std::vector<std::string>* FLog;
  std::string FTagText;
};

TEST(ComponentTest, OwnerDestroysOwnedNewestFirst) {
  std::vector<std::string> log;
  auto owner = std::make_unique<TProbe>(nullptr, &log, "owner");
  auto* a = new TProbe(owner.get(), &log, "a");
  new TProbe(owner.get(), &log, "b");
  new TProbe(a, &log, "a.child");
  EXPECT_EQ(owner->GetComponentCount(), 2);
  EXPECT_EQ(a->GetComponentIndex(), 0);
  log.clear();
  owner.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"~owner", "~b", "~a", "~a.child"}));
}

TEST(ComponentTest, DeletingAnOwnedComponentLeavesItsOwner) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  auto* a = new TProbe(&owner, &log, "a");
  auto* b = new TProbe(&owner, &log, "b");
  b->Watched = a;  // siblings hear about each other through the owner
  a->SetName("First");
  delete a;
  EXPECT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(owner.GetComponent(0), b);
  EXPECT_EQ(b->Watched, nullptr);
  EXPECT_NE(std::find(log.begin(), log.end(), "b lost First"), log.end());
  EXPECT_THROW(owner.GetComponent(1), EListError);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* m0 = new TComponent(&owner);
  auto* m1 = new TComponent(&owner);
  m0->SetName("m0");
  m1->SetName("m1");
  EXPECT_EQ(owner.FindComponent("M1"), m1);
  EXPECT_EQ(owner.FindComponent("m2"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  try {
    m1->SetName("M0");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named M0 already exists");
  }
  EXPECT_EQ(m1->GetName(), "m1");
  m1->SetName("M1");  // only the case changes: fine
  EXPECT_EQ(m1->GetName(), "M1");
  EXPECT_THROW(m1->SetName("1abc"), EComponentError);
  EXPECT_THROW(m1->SetName("a b"), EComponentError);
  m1->SetName("");  // unnamed is allowed, and not found
  EXPECT_EQ(owner.FindComponent(""), nullptr);

  // Moving a named component to an owner that has the name already fails.
  TComponent other(nullptr);
  auto* clash = new TComponent(&other);
  clash->SetName("m0");
  EXPECT_THROW(owner.InsertComponent(clash), EComponentError);
  EXPECT_EQ(clash->GetOwner(), &other);
}

TEST(ComponentTest, InsertAndRemoveMoveOwnership) {
  std::vector<std::string> log;
  TProbe first(nullptr, &log, "first");
  TComponent second(nullptr);
  auto* moved = new TProbe(&first, &log, "moved");
  log.clear();
  second.InsertComponent(moved);
  EXPECT_EQ(moved->GetOwner(), &second);
  EXPECT_EQ(first.GetComponentCount(), 0);
  second.RemoveComponent(moved);
  EXPECT_EQ(moved->GetOwner(), nullptr);
  delete moved;
  EXPECT_EQ(second.GetComponentCount(), 0);
}

TEST(ComponentTest, FreeNotificationAcrossOwners) {
  std::vector<std::string> log;
  auto formA = std::make_unique<TComponent>(nullptr);
  auto formB = std::make_unique<TComponent>(nullptr);
  auto* editor = new TProbe(formA.get(), &log, "editor");
  auto* highlighter = new TProbe(formB.get(), &log, "highlighter");
  highlighter->SetName("Pas");
  editor->Watched = highlighter;
  highlighter->FreeNotification(editor);
  formB.reset();
  EXPECT_EQ(editor->Watched, nullptr);
  EXPECT_NE(std::find(log.begin(), log.end(), "editor lost Pas"), log.end());

  // RemoveFreeNotification cancels it both ways: no call into a dead peer.
  auto* other = new TProbe(nullptr, &log, "other");
  other->FreeNotification(editor);
  other->RemoveFreeNotification(editor);
  editor->Watched = other;
  delete other;
  EXPECT_EQ(editor->Watched, other);
  formA.reset();
}

TEST(ComponentTest, StateFlags) {
  TComponent c(nullptr);
  EXPECT_TRUE(c.GetComponentState().Empty());
  c.SetComponentState(csLoading, true);
  EXPECT_TRUE(c.GetComponentState().Contains(csLoading));
  c.Loaded();
  EXPECT_FALSE(c.GetComponentState().Contains(csLoading));
  auto* child = new TComponent(&c);
  c.Destroying();
  EXPECT_TRUE(child->GetComponentState().Contains(csDestroying));
}

class TPoint3 : public TPersistent {
public:
  int X = 0;
  void Assign(TPersistent* source) override {
    if (auto* p = dynamic_cast<TPoint3*>(source)) {
      X = p->X;
      return;
    }
    TPersistent::Assign(source);
  }
};

// A source that knows how to copy itself into a TPoint3.
class TScalar : public TPersistent {
public:
  int V = 0;

protected:
  void AssignTo(TPersistent* dest) override {
    if (auto* p = dynamic_cast<TPoint3*>(dest)) {
      p->X = V;
      return;
    }
    TPersistent::AssignTo(dest);
  }
};

TEST(PersistentTest, AssignAsksTheSourceBeforeGivingUp) {
  TPoint3 a, b;
  b.X = 5;
  a.Assign(&b);
  EXPECT_EQ(a.X, 5);
  TScalar s;
  s.V = 9;
  a.Assign(&s);
  EXPECT_EQ(a.X, 9);
  try {
    s.Assign(&a);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TPoint3 to a TScalar");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TPoint3");
  }
}

}  // namespace
