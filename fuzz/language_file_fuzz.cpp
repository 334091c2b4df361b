// A language file of hostile bytes on a small form: applying it changes
// only string properties other than Name, and a line the parser takes
// names a form that starts with a letter and holds no ".".
#include <cctype>

#include "FuzzCheck.h"
#include "app/settings/LanguageFile.h"
#include "platform/Classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  TLanguageLine line;
  if (ParseLanguageLine(text, line)) {
    FUZZ_CHECK(!line.Form.empty() && std::isalpha(static_cast<unsigned char>(line.Form[0])),
               "a parsed line names no form");
    FUZZ_CHECK(line.Form.find('.') == std::string::npos, "a form name holds a dot");
    FUZZ_CHECK(!line.Property.empty() || !line.Component.empty(), "a parsed line names nothing");
  }
  TComponent root(nullptr);
  auto* form = new TComponent(&root);
  form->SetName("Form");
  auto* child = new TComponent(form);
  child->SetName("Child");
  ApplyLanguageText(&root, text, nullptr);
  FUZZ_CHECK(form->GetName() == "Form" && child->GetName() == "Child", "a language file renamed a component");
  return 0;
}
