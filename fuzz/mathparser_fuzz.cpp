// An expression of hostile bytes: the evaluator gives a finite value or
// raises one of its own errors or a floating-point error, never anything
// else, and a second evaluation of the same text gives the same outcome
// (nothing is kept between calls).
#include <cmath>

#include "FuzzCheck.h"
#include "kit/MathParser.h"

namespace {
std::string Outcome(const std::string& text) {
  TRxMathParser parser;
  try {
    long double v = parser.Exec(text);
    FUZZ_CHECK(std::isfinite(v), "a result that is not finite");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", static_cast<double>(v));
    return buffer;
  } catch (const ERxParserError& e) {
    FUZZ_CHECK(e.Code >= 61150 && e.Code <= 61155, "an unknown parser error");
    return "parser " + std::to_string(e.Code);
  } catch (const EMathError& e) {
    return "math " + e.Message();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Long texts too: a pasted text may nest its parentheses thousands deep.
  if (size > (2u << 20)) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(Outcome(text) == Outcome(text), "two evaluations of one text differ");
  return 0;
}
