// TCollection and TCollectionItem.
#include "platform/Collections.h"

#include <algorithm>

TCollectionItem::~TCollectionItem() = default;

int TCollectionItem::GetIndex() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCollectionItem::Changed() {
  if (FCollection) FCollection->Changed(this);
}

TCollection::~TCollection() {
  // Items may ask their collection about themselves while they go.
  while (!FItems.empty()) FItems.pop_back();
}

TCollectionItem* TCollection::GetItem(int index) const {
  if (index < 0 || index >= GetCount())
    throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<size_t>(index)].get();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

TCollectionItem* TCollection::Add() {
  FItems.push_back(FFactory(this));
  Changed(nullptr);
  return FItems.back().get();
}

void TCollection::Delete(int index) {
  GetItem(index);  // checks the index
  FItems.erase(FItems.begin() + index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) FItems.pop_back();
  EndUpdate();
}

void TCollection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) FItems.pop_back();
    for (int i = 0; i < other->GetCount(); ++i) Add()->Assign(other->GetItem(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (FUpdateCount == 0) Update(item);
}

void TCollection::Update(TCollectionItem*) {}
