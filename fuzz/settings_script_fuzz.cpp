// A settings script of hostile bytes: reading it writes only into the ten
// value sections below the base key, and any name and value, however
// strange, survive being written into a script line and read back.
#include "FuzzCheck.h"
#include "app/settings/SettingsScript.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {
const std::string kBase = "\\Software\\TqScriptFuzz";

bool IsValueSection(const std::string& name) {
  for (const char* s : kScriptSections)
    if (SameText(name, s) && !SameText(name, "FileTypes")) return true;
  return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Encoding: one line each, no "=" in a name, and back to the same bytes.
  const std::string name = EncodeScriptText(text, true), value = EncodeScriptText(text, false);
  FUZZ_CHECK(name.find_first_of("\r\n=") == std::string::npos, "an encoded name breaks the line");
  FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos, "an encoded value breaks the line");
  FUZZ_CHECK(DecodeScriptText(name) == text, "a name does not decode to itself");
  FUZZ_CHECK(DecodeScriptText(value) == text, "a value does not decode to itself");

  TRegistry reg;
  reg.DeleteKey(kBase);
  ReadSettingsScript(kBase, text);
  if (reg.OpenKeyReadOnly(kBase)) {
    TStringList keys, values;
    reg.GetKeyNames(&keys);
    reg.GetValueNames(&values);
    FUZZ_CHECK(values.GetCount() == 0, "a script wrote onto the program's key itself");
    for (int i = 0; i < keys.GetCount(); ++i) {
      FUZZ_CHECK(IsValueSection(keys.Get(i)), "a script wrote into section " + keys.Get(i));
      TRegistry section;
      TStringList sub;
      section.OpenKeyReadOnly(kBase + "\\" + keys.Get(i));
      section.GetKeyNames(&sub);
      FUZZ_CHECK(sub.GetCount() == 0, "a script made a key below " + keys.Get(i));
    }
  }
  reg.CloseKey();
  reg.DeleteKey(kBase);
  return 0;
}
