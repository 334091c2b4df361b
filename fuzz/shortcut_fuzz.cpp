// Shortcut texts of hostile bytes (stored hot keys are registry value names
// anyone can write): reading never fails, and whatever reads as a shortcut
// reads the same from the text the table writes for it, which is itself
// written back unchanged.
#include "FuzzCheck.h"
#include "platform/ShortCuts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const TShortCut shortCut = TextToShortCut(text);
  if (shortCut == scNone) return 0;
  const std::string written = ShortCutToText(shortCut);
  FUZZ_CHECK(!written.empty(), "a shortcut that reads has a text: " + text);
  FUZZ_CHECK(TextToShortCut(written) == shortCut, "the written text reads back: " + written);
  FUZZ_CHECK(ShortCutToText(TextToShortCut(written)) == written, "the written text is stable: " + written);
  return 0;
}
