// TktMethodChain: a list of handlers fired in turn (a multicast event). The
// highlighter's attribute-change hooks use TktNotifyEventChain so that every
// editor showing a highlighter hears about colour changes. A handler is a
// bound method (function + object), so the same handler can be removed
// again: two handlers are equal when both parts are.
#pragma once

#include <exception>
#include <functional>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

TQ_DECLARE_EXCEPTION(EktMethodChain, Exception)

// A notify handler: Code(Data, sender).
struct TktNotifyMethod {
  void (*Code)(void* data, TObject* sender) = nullptr;
  void* Data = nullptr;
  bool Assigned() const { return Code != nullptr; }
  bool operator==(const TktNotifyMethod&) const = default;
};

// Binds a member function: NotifyMethod<&TMyEdit::HighlighterChanged>(this).
template <auto Method, class T>
TktNotifyMethod NotifyMethod(T* object) {
  return {[](void* data, TObject* sender) { (static_cast<T*>(data)->*Method)(sender); }, object};
}

// (sender = the chain, the exception, continue flag) -- clear the flag to stop the chain.
using TktExceptionEvent = std::function<void(TObject* sender, std::exception& e, bool& doContinue)>;

class TktMethodChain : public TObject {
public:
  // Calls every handler in adding order. Handlers may add or remove handlers
  // (themselves included) while the chain fires: a removed handler is not
  // called any more, one added is called from the next Fire on.
  void Fire();
  int GetCount() const;

  TktExceptionEvent OnException;

protected:
  // Type-erased entry; derived chains know the real signature.
  struct TEntry {
    void (*Code)() = nullptr;
    void* Data = nullptr;
    bool operator==(const TEntry&) const = default;
  };
  void AddEntry(const TEntry& entry);     // raises when Code is not assigned
  void RemoveEntry(const TEntry& entry);  // every equal entry
  // Calls one handler.
  virtual void DoFire(const TEntry& entry) = 0;
  // The exception a handler raised; returns whether the chain goes on. With
  // no OnException the exception propagates to Fire's caller.
  virtual bool DoHandleException(std::exception& e);

private:
  void Compact();

  // Removed entries are blanked (Code = nullptr) while the chain fires and
  // squeezed out when the outermost Fire returns.
  std::vector<TEntry> FEntries;
  int FFiring = 0;
  bool FHasHoles = false;
};

class TktNotifyEventChain : public TktMethodChain {
public:
  explicit TktNotifyEventChain(TObject* sender) : FSender(sender) {}
  void Add(const TktNotifyMethod& handler);
  void Remove(const TktNotifyMethod& handler);
  TObject* GetSender() const { return FSender; }
  void SetSender(TObject* sender) { FSender = sender; }

protected:
  void DoFire(const TEntry& entry) override;

private:
  TObject* FSender;
};
