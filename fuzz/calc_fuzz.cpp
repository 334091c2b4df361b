// Document text through the in-text calculator and the block statistics:
// hex literals are rewritten before the evaluator reads them, so hostile
// bytes must end in a value or one of the program's errors, and the "="
// key must never get anything but a finite number to insert.
#include <cmath>
#include <cstdlib>

#include "FuzzCheck.h"
#include "app/tools/Calc.h"
#include "app/commands/EditRules.h"
#include "platform/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Long texts too: a pasted text may nest its parentheses thousands deep.
  if (size > (2u << 20)) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    TCalcEngine::ConvertHexLiterals(text);
  } catch (const Exception&) {
  }
  if (std::optional<std::string> value = SolveValue(text)) {
    char* end = nullptr;
    const long double v = std::strtold(value->c_str(), &end);
    FUZZ_CHECK(!value->empty() && *end == 0 && std::isfinite(v), "the in-text calculator inserts no number");
  }
  try {
    const std::string report = StatisticsReport(text);
    FUZZ_CHECK(report.rfind("Volume", 0) == 0, "a report that does not start with the count");
  } catch (const Exception& e) {
    FUZZ_CHECK(e.Message() == "Error in values", "statistics fail with another message");
  }
  return 0;
}
