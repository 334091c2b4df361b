// What every fuzz target shares: the entry point both builds call, and a
// check that stops the run loudly. A failed property is a finding like a
// crash: libFuzzer keeps the input, the replay run fails on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(condition, what)                                                  \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", std::string(what).c_str(), \
                   __FILE__, __LINE__);                                              \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

// Lines as the line store reads them: a line ends at CR LF, CR or LF, and a
// line break at the very end starts no further line.
inline std::vector<std::string> SplitFuzzLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}
