// StrBefore, StrAfter and StrReplaceAll.
#include "platform/StrHelpers.h"

std::string StrBefore(std::string_view separator, std::string_view text) {
  if (separator.empty()) return {};
  size_t p = text.find(separator);
  if (p == std::string_view::npos) return {};
  return std::string(text.substr(0, p));
}

std::string StrAfter(std::string_view separator, std::string_view text) {
  if (separator.empty()) return {};
  size_t p = text.find(separator);
  if (p == std::string_view::npos) return {};
  return std::string(text.substr(p + separator.size()));
}

void StrReplaceAll(std::string_view oldText, std::string& text, std::string_view newText) {
  if (text.empty() || oldText.empty() || oldText == newText) return;
  size_t p = text.find(oldText);
  if (p == std::string::npos) return;
  // Build the result in one pass instead of erasing and inserting in place,
  // which would be quadratic on long texts with many occurrences.
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  while (p != std::string::npos) {
    out.append(text, from, p - from);
    out.append(newText);
    from = p + oldText.size();
    p = text.find(oldText, from);
  }
  out.append(text, from, std::string::npos);
  text.swap(out);
}
