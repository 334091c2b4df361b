// The published-property table that stands in for run-time type information:
// each persistent class lists its published properties (name, kind, typed
// getter and setter) once, and stored settings get and set them by name.
//
// A class publishes like this (ancestors' properties come first):
//
//   // header, inside the class:
//   const TClassInfo* ClassInfo() const override;
//   static const TClassInfo& StaticClassInfo();
//   // source:
//   const TClassInfo& TEdit::StaticClassInfo() {
//     static const TClassInfo info = TClassInfo("TEdit", &TWinControl::StaticClassInfo())
//         .String("Text", &TEdit::GetText, &TEdit::SetText)
//         .Bool("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly)
//         .Enum("Align", {"alNone", "alTop"}, &TEdit::GetAlign, &TEdit::SetAlign)
//         .Object("Font", &TEdit::GetFont);  // no setter: read-only
//     return info;
//   }
//   const TClassInfo* TEdit::ClassInfo() const { return &StaticClassInfo(); }
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/Classes.h"

enum TTypeKind { tkUnknown, tkInteger, tkInt64, tkChar, tkEnumeration, tkSet, tkFloat, tkString, tkClass };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  TFloatType FloatType = ftDouble;
  // Enumerations: the value names by ordinal; sets: the member names by bit.
  std::vector<std::string> Names;
  // Typed access; the one pair matching Kind is set (ordinal kinds share
  // Ord; a set travels as its bit mask). A null setter: read-only.
  std::function<int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;

  bool IsWritable() const { return SetOrd || SetFloat || SetStr || SetObj; }
};

namespace typinfo_detail {
template <class T> struct IsSet : std::false_type {};
template <class E, class M> struct IsSet<TSet<E, M>> : std::true_type {};

template <class G> struct Getter;
template <class C, class R> struct Getter<R (C::*)() const> {
  using Class = C;
  using Result = std::decay_t<R>;
};
template <class C, class R> struct Getter<R (C::*)()> {
  using Class = C;
  using Result = std::decay_t<R>;
};
template <class S> struct Setter;
template <class C, class R, class A> struct Setter<R (C::*)(A)> {
  using Class = C;
  using Arg = std::decay_t<A>;
};

[[noreturn]] void WrongClass(const std::string& prop);

template <class C> C* Cast(TObject* o, const std::string& prop) {
  C* c = dynamic_cast<C*>(o);
  if (!c) WrongClass(prop);
  return c;
}

template <class T> int64_t ToOrd(const T& v) {
  if constexpr (IsSet<T>::value)
    return static_cast<int64_t>(v.ToMask());
  else
    return static_cast<int64_t>(v);
}
template <class T> T FromOrd(int64_t v) {
  if constexpr (IsSet<T>::value)
    return T::FromMask(static_cast<typename T::mask_type>(v));
  else if constexpr (std::is_same_v<T, bool>)
    return v != 0;
  else
    return static_cast<T>(v);
}
}  // namespace typinfo_detail

class TClassInfo {
public:
  TClassInfo(std::string className, const TClassInfo* parent)
      : FClassName(std::move(className)), FParent(parent) {}

  const std::string& GetTypeName() const { return FClassName; }
  const TClassInfo* GetParent() const { return FParent; }
  // This class's own properties, in the order they were published.
  const std::vector<TPropInfo>& GetOwnProps() const { return FProps; }
  // Ancestors' first; a derived class's entry of the same name hides the
  // ancestor's.
  std::vector<const TPropInfo*> GetProps() const;
  const TPropInfo* FindProp(std::string_view name) const;  // case-insensitive
  bool InheritsFrom(const TClassInfo* other) const;

  template <class G, class S = std::nullptr_t>
  TClassInfo& Integer(const char* name, G get, S set = nullptr) {
    return AddOrd(name, tkInteger, {}, get, set);
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& Int64(const char* name, G get, S set = nullptr) {
    return AddOrd(name, tkInt64, {}, get, set);
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& Char(const char* name, G get, S set = nullptr) {
    return AddOrd(name, tkChar, {}, get, set);
  }
  // A boolean is the enumeration False, True.
  template <class G, class S = std::nullptr_t>
  TClassInfo& Bool(const char* name, G get, S set = nullptr) {
    return AddOrd(name, tkEnumeration, {"False", "True"}, get, set);
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& Enum(const char* name, std::initializer_list<const char*> names, G get, S set = nullptr) {
    return AddOrd(name, tkEnumeration, names, get, set);
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& Set(const char* name, std::initializer_list<const char*> members, G get, S set = nullptr) {
    return AddOrd(name, tkSet, members, get, set);
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& Float(const char* name, TFloatType floatType, G get, S set = nullptr) {
    using GT = typinfo_detail::Getter<G>;
    TPropInfo p = Base(name, tkFloat, {});
    p.FloatType = floatType;
    std::string n = name;
    p.GetFloat = [get, n](TObject* o) {
      return static_cast<double>((typinfo_detail::Cast<typename GT::Class>(o, n)->*get)());
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using ST = typinfo_detail::Setter<S>;
      p.SetFloat = [set, n](TObject* o, double v) {
        (typinfo_detail::Cast<typename ST::Class>(o, n)->*set)(static_cast<typename ST::Arg>(v));
      };
    }
    return Add(std::move(p));
  }
  template <class G, class S = std::nullptr_t>
  TClassInfo& String(const char* name, G get, S set = nullptr) {
    using GT = typinfo_detail::Getter<G>;
    TPropInfo p = Base(name, tkString, {});
    std::string n = name;
    p.GetStr = [get, n](TObject* o) {
      return std::string((typinfo_detail::Cast<typename GT::Class>(o, n)->*get)());
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using ST = typinfo_detail::Setter<S>;
      p.SetStr = [set, n](TObject* o, const std::string& v) {
        (typinfo_detail::Cast<typename ST::Class>(o, n)->*set)(v);
      };
    }
    return Add(std::move(p));
  }
  // An object property: a string list, a component reference or an owned
  // persistent whose own published properties are stored under it. A setter
  // refuses an object of the wrong class with EPropertyError.
  template <class G, class S = std::nullptr_t>
  TClassInfo& Object(const char* name, G get, S set = nullptr) {
    using GT = typinfo_detail::Getter<G>;
    TPropInfo p = Base(name, tkClass, {});
    std::string n = name;
    p.GetObj = [get, n](TObject* o) -> TObject* {
      return (typinfo_detail::Cast<typename GT::Class>(o, n)->*get)();
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using ST = typinfo_detail::Setter<S>;
      using Target = std::remove_pointer_t<typename ST::Arg>;
      p.SetObj = [set, n](TObject* o, TObject* v) {
        Target* typed = nullptr;
        if (v) typed = typinfo_detail::Cast<Target>(v, n);
        (typinfo_detail::Cast<typename ST::Class>(o, n)->*set)(typed);
      };
    }
    return Add(std::move(p));
  }

private:
  static TPropInfo Base(const char* name, TTypeKind kind, std::initializer_list<const char*> names) {
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    for (const char* s : names) p.Names.emplace_back(s);
    return p;
  }
  template <class G, class S>
  TClassInfo& AddOrd(const char* name, TTypeKind kind, std::initializer_list<const char*> names, G get,
                     S set) {
    using GT = typinfo_detail::Getter<G>;
    TPropInfo p = Base(name, kind, names);
    std::string n = name;
    p.GetOrd = [get, n](TObject* o) {
      return typinfo_detail::ToOrd((typinfo_detail::Cast<typename GT::Class>(o, n)->*get)());
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using ST = typinfo_detail::Setter<S>;
      p.SetOrd = [set, n](TObject* o, int64_t v) {
        (typinfo_detail::Cast<typename ST::Class>(o, n)->*set)(
            typinfo_detail::FromOrd<typename ST::Arg>(v));
      };
    }
    return Add(std::move(p));
  }
  TClassInfo& Add(TPropInfo p);

  std::string FClassName;
  const TClassInfo* FParent;
  std::vector<TPropInfo> FProps;
};

// --- Looking properties up -------------------------------------------------
// All published properties of obj's dynamic type; empty for a non-persistent.
std::vector<const TPropInfo*> GetPropList(const TObject* obj);
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);  // nullptr when absent
bool IsPublishedProp(const TObject* obj, std::string_view name);
// Raises EPropertyError "Property X does not exist" when absent.
const TPropInfo& GetPropInfoOrError(const TObject* obj, std::string_view name);

// --- Typed access (EPropertyError for the wrong kind or a read-only one) ---
int64_t GetOrdProp(TObject* obj, const TPropInfo& prop);
void SetOrdProp(TObject* obj, const TPropInfo& prop, int64_t value);
double GetFloatProp(TObject* obj, const TPropInfo& prop);
void SetFloatProp(TObject* obj, const TPropInfo& prop, double value);
std::string GetStrProp(TObject* obj, const TPropInfo& prop);
void SetStrProp(TObject* obj, const TPropInfo& prop, const std::string& value);
TObject* GetObjectProp(TObject* obj, const TPropInfo& prop);
void SetObjectProp(TObject* obj, const TPropInfo& prop, TObject* value);

// Names of enumeration values ("" out of range) and their ordinals (-1 when
// not a member; compared without case).
std::string GetEnumName(const TPropInfo& prop, int value);
int GetEnumValue(const TPropInfo& prop, std::string_view name);

// --- Properties as text ---------------------------------------------------
// integer and int64: decimal; char: the character; enumeration: the value's
// name; set: "[a,b]" in member order ("[]" when empty); float: the general
// format with 7, 15, 18, 18 or 19 significant digits for single, double,
// extended, comp and currency and "." as decimal separator; string: itself.
// A string list's text form is its text (each line ended by CR LF), and
// setting it replaces the list's lines in place; other object properties have
// no text form: EPropertyError.
std::string GetPropText(TObject* obj, const TPropInfo& prop);
std::string GetPropText(TObject* obj, std::string_view name);
// The reverse. Text that does not convert raises EPropertyConvertError and
// leaves the property as it was.
void SetPropText(TObject* obj, const TPropInfo& prop, const std::string& text);
void SetPropText(TObject* obj, std::string_view name, const std::string& text);
int FloatTypePrecision(TFloatType type);

// --- Properties by path ---------------------------------------------------
// "Font.Name" on a control, or "MainForm.FindText.Items" from the
// application: each name before the last is first looked up among the owned
// components of the object reached so far (when it is a component), then
// among its object properties; the last names a published property. Object
// is null when something on the way does not exist.
struct TPropTarget {
  TObject* Object = nullptr;
  const TPropInfo* Prop = nullptr;
};
TPropTarget FindPropPath(TObject* root, std::string_view path);
// The text forms above through a path; EPropertyError when it does not resolve.
std::string GetPropPathText(TObject* root, std::string_view path);
void SetPropPathText(TObject* root, std::string_view path, const std::string& text);
