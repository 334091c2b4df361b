// Checks that every published property of an object goes through its text
// form and back: each one is set to a value other than its current one and
// must read back as exactly that text; object properties are followed into
// (string lists get two lines, a font each of its own properties).
#pragma once

#include "platform/TypInfo.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// A value other than current for a property of this kind.
inline std::string OtherPropText(const TPropInfo& p, const std::string& current) {
  switch (p.Kind) {
    case tkInteger:
    case tkInt64: return current == "3" ? "4" : "3";
    case tkChar: return current == "*" ? "#" : "*";
    case tkEnumeration: return p.Names.size() < 2 ? current : (current == p.Names[1] ? p.Names[0] : p.Names[1]);
    case tkSet: return current == "[" + p.Names[0] + "]" ? "[]" : "[" + p.Names[0] + "]";
    case tkFloat: return current == "1.5" ? "2.5" : "1.5";
    default: return current + "x";
  }
}

// skip: names (Owner-relative, "Font.Size") whose setter keeps its own rules
// (for example a value clamped to a range) and are checked elsewhere.
inline void ExpectPropsRoundTrip(TObject* obj, const std::set<std::string>& skip = {},
                                 const std::string& prefix = "") {
  for (const TPropInfo* p : GetPropList(obj)) {
    std::string path = prefix + p->Name;
    if (skip.count(path) || p->Name == "Name") continue;
    if (p->Kind == tkClass) {
      TObject* sub = GetObjectProp(obj, *p);
      if (!sub) continue;
      if (dynamic_cast<TStrings*>(sub)) {
        SetPropText(obj, *p, "first\r\nsecond\r\n");
        EXPECT_EQ(GetPropText(obj, *p), "first\r\nsecond\r\n") << path;
      } else {
        ExpectPropsRoundTrip(sub, skip, path + ".");
      }
      continue;
    }
    if (!p->IsWritable()) continue;
    std::string text = OtherPropText(*p, GetPropText(obj, *p));
    SetPropText(obj, *p, text);
    EXPECT_EQ(GetPropText(obj, *p), text) << path;
  }
}
