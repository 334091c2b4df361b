// Every highlighter on hostile text, the multi-language one with the
// application's schemes included. The first byte picks the highlighter.
// Properties, through the highlighter tests' own invariants: tokens tile
// every line and end at its length, scanning ends, and a scan of the whole
// text equals a line-by-line scan from the stored ranges (also in a fresh
// instance). The range values a member may take are its own business here:
// those its scans produce count as declared.
#include "AllHighlighters.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 16384) return 0;
  const THighlighterFactory& factory = AllHighlighters()[data[0] % AllHighlighters().size()];
  const std::vector<std::string> lines =
      SplitFuzzLines(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  std::set<TktRange> seen;
  {
    std::unique_ptr<TktCustomHighLighter> hl = factory();
    hl->ResetRange();
    seen.insert(hl->GetRange());
    for (const TLineScan& scan : ScanText(*hl, lines, hl->GetRange())) seen.insert(scan.EndRange);
  }
  const std::vector<std::string> faults = CheckInvariants(factory, lines, seen);
  FUZZ_CHECK(faults.empty(), "highlighter " + std::to_string(data[0] % AllHighlighters().size()) + ": " +
                                 (faults.empty() ? "" : faults.front()));
  return 0;
}
