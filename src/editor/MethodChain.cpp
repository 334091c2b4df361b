// Firing, adding and removing chained handlers.
#include "editor/MethodChain.h"

#include <algorithm>

void TktMethodChain::AddEntry(const TEntry& entry) {
  if (entry.Code == nullptr)
    throw EktMethodChain(ClassName() + ".Entry : the parameter `AEvent' must be specified.");
  FEntries.push_back(entry);
}

void TktMethodChain::RemoveEntry(const TEntry& entry) {
  if (entry.Code == nullptr)
    throw EktMethodChain(ClassName() + ".Remove: the parameter `AEvent' must be specified.");
  for (size_t i = FEntries.size(); i-- > 0;) {
    if (!(FEntries[i] == entry)) continue;
    if (FFiring > 0) {
      FEntries[i].Code = nullptr;  // keeps the indices of a running Fire valid
      FHasHoles = true;
    } else {
      FEntries.erase(FEntries.begin() + std::ptrdiff_t(i));
    }
  }
}

int TktMethodChain::GetCount() const {
  return int(std::count_if(FEntries.begin(), FEntries.end(),
                           [](const TEntry& e) { return e.Code != nullptr; }));
}

void TktMethodChain::Compact() {
  std::erase_if(FEntries, [](const TEntry& e) { return e.Code == nullptr; });
  FHasHoles = false;
}

void TktMethodChain::Fire() {
  struct TFiringScope {
    TktMethodChain& Chain;
    explicit TFiringScope(TktMethodChain& chain) : Chain(chain) { ++Chain.FFiring; }
    ~TFiringScope() {
      if (--Chain.FFiring == 0 && Chain.FHasHoles) Chain.Compact();
    }
  } scope(*this);

  // Handlers added while firing wait for the next Fire.
  const size_t count = FEntries.size();
  for (size_t i = 0; i < count; ++i) {
    const TEntry entry = FEntries[i];  // a copy: the vector may grow meanwhile
    if (entry.Code == nullptr) continue;
    try {
      DoFire(entry);
    } catch (std::exception& e) {
      if (!DoHandleException(e)) return;
    }
  }
}

bool TktMethodChain::DoHandleException(std::exception& e) {
  if (!OnException) throw;
  bool doContinue = true;
  OnException(this, e, doContinue);
  return doContinue;
}

void TktNotifyEventChain::Add(const TktNotifyMethod& handler) {
  AddEntry({reinterpret_cast<void (*)()>(handler.Code), handler.Data});
}

void TktNotifyEventChain::Remove(const TktNotifyMethod& handler) {
  RemoveEntry({reinterpret_cast<void (*)()>(handler.Code), handler.Data});
}

void TktNotifyEventChain::DoFire(const TEntry& entry) {
  reinterpret_cast<void (*)(void*, TObject*)>(entry.Code)(entry.Data, FSender);
}
