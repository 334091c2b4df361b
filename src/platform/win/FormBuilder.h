// The small fluent helper with which a form makes its components in its
// constructor: the form owns each one, and the chain sets its parent, name,
// place (bounds or alignment), texts and events bound to member functions.
// Controls are made in Tab order, as their parents keep creation order.
//
//   auto* ok = Make<TButton>(this).Parent(this).Name("OkBtn").Bounds(8, 8, 75, 25)
//                  .Caption("OK").On(&TButton::OnClick, this, &TFind::OkBtnClick).Get();
#pragma once

#include "platform/win/Controls.h"

#include <string>
#include <utility>

// A callable that runs method on obj with whatever arguments the event has.
template <class Obj, class Method> auto Bind(Obj* obj, Method method) {
  return [obj, method](auto&&... args) { return (obj->*method)(std::forward<decltype(args)>(args)...); };
}

template <class T> class TBuilder {
public:
  explicit TBuilder(TComponent* owner) : FObject(new T(owner)) {}

  TBuilder& Name(const std::string& name) {
    FObject->SetName(name);
    return *this;
  }
  TBuilder& Parent(TWinControl* parent) {
    FObject->SetParent(parent);
    return *this;
  }
  TBuilder& Bounds(int left, int top, int width, int height) {
    FObject->SetBounds(left, top, width, height);
    return *this;
  }
  // The size, for an aligned control, stays as given across the aligned side.
  TBuilder& Align(TAlign align) {
    FObject->SetAlign(align);
    return *this;
  }
  TBuilder& Caption(const std::string& caption) {
    FObject->SetCaption(caption);
    return *this;
  }
  TBuilder& Text(const std::string& text) {
    FObject->SetText(text);
    return *this;
  }
  TBuilder& Hint(const std::string& hint) {
    FObject->SetHint(hint);
    return *this;
  }
  TBuilder& Tag(intptr_t tag) {
    FObject->SetTag(tag);
    return *this;
  }
  // An event bound to a member function of the form (or any object).
  template <class Event, class C, class Obj, class Method>
  TBuilder& On(Event C::*event, Obj* obj, Method method) {
    static_cast<C*>(FObject)->*event = Bind(obj, method);
    return *this;
  }
  // Anything else the control offers: f(control).
  template <class F> TBuilder& With(F&& f) {
    f(FObject);
    return *this;
  }

  T* Get() const { return FObject; }
  operator T*() const { return FObject; }

private:
  T* FObject;
};

template <class T> TBuilder<T> Make(TComponent* owner) { return TBuilder<T>(owner); }
