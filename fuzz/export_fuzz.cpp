// Highlighted text of hostile bytes exported to HTML and RTF through every
// highlighter that can export (the first byte picks it), through the
// highlighter tests' own export check: plain and with colours, styles and
// backgrounds on every attribute, the text read back from each output
// (markup taken away, escapes and references undone) is exactly the lines.
// A document with a NUL byte is left out: HTML has no way to write one.
#include "AllHighlighters.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 8192) return 0;
  const std::string_view document(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (document.find('\0') != std::string_view::npos) return 0;
  const THighlighterFactory& factory = AllHighlighters()[data[0] % AllHighlighters().size()];
  if (!(factory()->GetCapability() & hcExport)) return 0;
  const std::vector<std::string> faults = CheckExportText(factory, SplitFuzzLines(document));
  FUZZ_CHECK(faults.empty(), faults.empty() ? "" : faults.front());
  return 0;
}
