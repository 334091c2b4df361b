// A macro file of hostile bytes: the player plays only key messages of
// real keys, and once it has run out, the key-ups it gives leave no key
// down.
#include "FuzzCheck.h"
#include "app/macros/MacroEvents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20 * 4096) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data), size - size % kMacroRecordSize);
  TKeyState start{};
  for (size_t i = 0; i < start.size() && i < size; ++i) start[i] = data[i];
  TMacroPlayer player(DecodeMacroEvents(bytes), start);
  TMacroKey key;
  while (player.Next(key)) {
    FUZZ_CHECK(IsMacroKeyMessage(key.Message), "a message that is not a key");
    FUZZ_CHECK(key.WParam != 0 && key.WParam < 255, "a key code that is no key");
  }
  const std::vector<TMacroKey> releases = player.Releases();
  if (!releases.empty())
    for (int vk = 0; vk < 256; ++vk) FUZZ_CHECK(!(releases.back().State[size_t(vk)] & 0x80), "a key left down");
  return 0;
}
