// Every highlighter on hostile text, the multi-language one with the
// application's schemes included. The first byte picks the highlighter.
// Properties, through the highlighter tests' own invariants: tokens tile
// every line and end at its length, scanning ends, and a scan of the whole
// text equals a line-by-line scan from the stored ranges (also in a fresh
// instance). The range values a member may take are its own business here:
// those its scans produce count as declared.
#include <functional>

#include "FuzzCheck.h"
#include "HighlighterHarness.h"
#include "highlighters/ADSP21xxSyn.h"
#include "highlighters/AsmSyn.h"
#include "highlighters/BatSyn.h"
#include "highlighters/CppSyn.h"
#include "highlighters/DfmSyn.h"
#include "highlighters/FortranSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/IniSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/JavaSyn.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/PerlSyn.h"
#include "highlighters/SqlSyn.h"
#include "highlighters/VbsSyn.h"
#include "highlighters/VisualBasicSyn.h"

namespace {

template <class T>
std::unique_ptr<TktCustomHighLighter> Make() {
  return std::make_unique<T>(nullptr);
}

std::unique_ptr<TktCustomHighLighter> MakeMulti() {
  auto multi = std::make_unique<TrvMultiSyn>(nullptr);
  // The scheme highlighters belong to the multi-language one and go with it.
  SetApplicationSchemes(*multi, new TejHTMLSyn(multi.get()), new TktJScriptSyn(multi.get()),
                        new TyfVbsSyn(multi.get()), new TpsVisualBasicSyn(multi.get()));
  return multi;
}

const std::vector<THighlighterFactory>& Factories() {
  static const std::vector<THighlighterFactory> factories = {
      Make<TktPasSyn>,     Make<TDcjCppSyn>,    Make<TwbADSP21xxSyn>,    Make<TrvSQLSyn>,
      Make<TDcjPerlSyn>,   Make<TDcjJavaSyn>,   Make<TktJScriptSyn>,     Make<TgxAsmSyn>,
      Make<TpsVisualBasicSyn>, Make<TyfVbsSyn>, Make<TuxBatSyn>,         Make<TktFortranSyn>,
      Make<TqaIniSyn>,     Make<TuxDfmSyn>,     Make<TejHTMLSyn>,        MakeMulti,
  };
  return factories;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 16384) return 0;
  const THighlighterFactory& factory = Factories()[data[0] % Factories().size()];
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
  FUZZ_CHECK(faults.empty(), "highlighter " + std::to_string(data[0] % Factories().size()) + ": " +
                                 (faults.empty() ? "" : faults.front()));
  return 0;
}
