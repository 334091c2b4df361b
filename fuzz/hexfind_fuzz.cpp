// The hex find's entry and its stored hex text (typed or pasted by anyone,
// restored from the registry): cleaning keeps only digit pairs with the caret
// inside the result, cleaning is stable, the decoded text shows as the same
// hex, and a stored text either reads as bytes or fails with an Exception.
#include <algorithm>
#include <cctype>

#include "FuzzCheck.h"
#include "app/search/SearchDialogs.h"
#include "platform/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 512) return 0;
  const int caret = int(data[0]) % int(size);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const THexEntry e = CleanHexEntry(text, std::min(caret, int(text.size())));
  FUZZ_CHECK(e.Caret >= 0 && e.Caret <= int(e.Hex.size()), "the caret stays inside: " + e.Hex);
  for (size_t i = 0; i < e.Hex.size(); ++i)
    FUZZ_CHECK(i % 3 == 2 ? e.Hex[i] == ' ' : std::isxdigit(uint8_t(e.Hex[i])) != 0,
               "pairs and blanks only: " + e.Hex);
  const THexEntry again = CleanHexEntry(e.Hex, e.Caret);
  FUZZ_CHECK(again.Hex == e.Hex && again.Caret == e.Caret && again.Text == e.Text,
             "cleaning is stable: " + e.Hex);
  if (e.Hex.size() % 3 == 0) FUZZ_CHECK(TextToHex(e.Text) == Trim(e.Hex), "decoded text shows as the same hex");
  FUZZ_CHECK(HexSearchBytes(e.Hex) == e.Text, "the cleaned text searches for what it shows");
  try {
    const std::string bytes = HexSearchBytes(text);
    FUZZ_CHECK(bytes.size() <= text.size(), "at most one byte per digit");
  } catch (const Exception&) {
  }
  return 0;
}
