// The Pascal highlighter on hostile text, through the highlighter tests'
// own invariants: tokens tile every line and end at its length, end ranges
// stay among the declared values, and a scan of the whole text equals a
// line-by-line scan from the stored ranges (also in a fresh instance). The
// first byte chooses the Delphi 4 switch.
#include "FuzzCheck.h"
#include "HighlighterHarness.h"
#include "highlighters/PasSyn.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool d4 = data[0] & 1;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> lines = SplitFuzzLines(text);
  const THighlighterFactory factory = [d4] {
    auto hl = std::make_unique<TktPasSyn>(nullptr);
    hl->SetD4syntax(d4);
    return std::unique_ptr<TktCustomHighLighter>(std::move(hl));
  };
  const std::vector<std::string> faults =
      CheckInvariants(factory, lines, {1, 2, 3, 4, 5, 6, 7});
  FUZZ_CHECK(faults.empty(), faults.empty() ? "" : faults.front());
  return 0;
}
