// The regular-expression engine on hostile patterns and subjects. The first
// NUL byte separates the pattern from the subject. Properties: compiling
// either succeeds or raises our exception; a run ends (within its step
// budget); every group that took part lies inside the subject, and inside
// the whole match.
#include "FuzzCheck.h"
#include "highlighters/RegExpr.h"
#include "platform/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string pattern(input.substr(0, split == std::string_view::npos ? input.size() : split));
  const std::string_view subject =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  // Long patterns too: their groups nest, and nesting must stay bounded.
  if (pattern.empty() || pattern.size() > (2u << 20)) return 0;

  TRegExpr re;
  re.SetCyrillicRanges(!pattern.empty() && (uint8_t(pattern[0]) & 1));
  try {
    re.SetExpression(pattern);
  } catch (const Exception&) {
    return 0;
  }
  const bool matched = re.Exec(subject);
  if (!matched) {
    FUZZ_CHECK(re.MatchPos(0) == -1, "no match, yet a whole-match position");
    return 0;
  }
  const int start = re.MatchPos(0);
  const int length = re.MatchLen(0);
  FUZZ_CHECK(start >= 1 && length >= 0 && size_t(start - 1 + length) <= subject.size(),
             "the match lies outside the subject");
  const int count = re.SubExprMatchCount();
  FUZZ_CHECK(count >= 1 && count <= TRegExpr::NSUBEXP, "group count out of range");
  for (int i = 1; i < TRegExpr::NSUBEXP; ++i) {
    const int pos = re.MatchPos(i);
    const int len = re.MatchLen(i);
    if (pos == -1) {
      FUZZ_CHECK(len == -1 && i >= count, "a group that did not match has a length");
      continue;
    }
    FUZZ_CHECK(pos >= start && len >= 0 && pos + len <= start + length,
               "group " + std::to_string(i) + " lies outside the match");
  }
  // Run again on the same program: the result does not depend on the last run.
  FUZZ_CHECK(re.Exec(subject) && re.MatchPos(0) == start && re.MatchLen(0) == length,
             "a second run of the same program differs");
  return 0;
}
