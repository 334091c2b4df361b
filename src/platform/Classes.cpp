// TObject, TPersistent and TComponent: ownership, names and notifications.
#include "platform/Classes.h"

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include <cxxabi.h>

TObject::~TObject() = default;

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = (status == 0 && demangled) ? demangled : mangled;
  std::free(demangled);
  // Only the class's own name: no namespaces.
  if (name.find('<') == std::string::npos) {
    size_t colon = name.rfind("::");
    if (colon != std::string::npos) name.erase(0, colon + 2);
  }
  return name;
}

// ---------------------------------------------------------------------------
// TPersistent
// ---------------------------------------------------------------------------
void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  std::string sourceName = source ? source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

// ---------------------------------------------------------------------------
// TComponent
// ---------------------------------------------------------------------------
TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who asked; each of them forgets us (and we them) as it
  // handles the notice, so take the list apart one entry at a time.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::GetComponent(int i) const {
  if (i < 0 || i >= GetComponentCount())
    throw EListError(Format("List index out of bounds (%d)", i));
  return FComponents[static_cast<size_t>(i)];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  const auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName) {
  if (component && !SameText(curName, newName) && FindComponent(newName))
    throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetName(const std::string& name) {
  if (FName == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName, name);
  else
    ValidateRename(nullptr, FName, name);
  FName = name;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  if (!component->FName.empty()) ValidateRename(component, std::string(), component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  InsertInto(component);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->FOwner != this) return;
  Notification(component, opRemove);
  RemoveFrom(component);
}

void TComponent::InsertInto(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::RemoveFrom(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it != FComponents.end()) FComponents.erase(it);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // Newest first. Each one is unhooked before it is deleted, so its own
  // destructor does not come back to this list.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    delete c;
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(component);
    component->FreeNotification(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
  if (it == FFreeNotifies.end()) return;
  FFreeNotifies.erase(it);
  component->RemoveFreeNotification(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Owned components hear about their siblings. Walk by index from the end:
  // a handler may remove itself or others from the list.
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    TComponent* c = FComponents[i];
    if (c != component) c->Notification(component, operation);
  }
}

void TComponent::SetComponentState(TComponentStateItem item, bool on) {
  if (on)
    FComponentState.Include(item);
  else
    FComponentState.Exclude(item);
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }
