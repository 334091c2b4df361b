// The search dialogs' history and hex entry.
#include "app/search/SearchDialogs.h"

#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// -1 for a character that is not a hex digit.
int HexValue(char c, bool lowerToo) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (lowerToo && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void AddToHistory(TStrings& items, const std::string& text) {
  // The lists' own lookup ignores case; a history keeps "Count" and "count"
  // as two entries.
  for (int i = 0; i < items.GetCount(); ++i)
    if (items.Get(i) == text) return;
  items.BeginUpdate();
  try {
    while (items.GetCount() < kSearchHistorySize) items.Add("");
    for (int i = kSearchHistorySize - 1; i > 0; --i) items.Put(i, items.Get(i - 1));
    items.Put(0, text);
  } catch (...) {
    items.EndUpdate();
    throw;
  }
  items.EndUpdate();
}

std::string TextToHex(std::string_view text) {
  std::string hex;
  hex.reserve(text.size() * 3);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (!hex.empty()) hex += ' ';
    hex += kHexDigits[c >> 4];
    hex += kHexDigits[c & 15];
  }
  return hex;
}

THexEntry CleanHexEntry(std::string_view hex, int caret) {
  THexEntry out;
  // Digits only; the caret loses one place for each character dropped
  // before it.
  std::string digits;
  int digitsCaret = caret;
  for (size_t i = 0; i < hex.size(); ++i) {
    if (HexValue(hex[i], false) >= 0)
      digits += hex[i];
    else if (int(i) < caret)
      --digitsCaret;
  }
  // A blank after every complete pair; the caret gains one for each blank
  // inserted at or before it.
  out.Caret = digitsCaret;
  for (size_t i = 0; i < digits.size(); ++i) {
    out.Hex += digits[i];
    if (i % 2 == 1) {
      out.Hex += ' ';
      if (int(i) + 1 <= digitsCaret) ++out.Caret;
    }
  }
  for (size_t i = 0; i < digits.size(); i += 2) {
    int value = HexValue(digits[i], false);
    if (i + 1 < digits.size()) value = value * 16 + HexValue(digits[i + 1], false);
    out.Text += char(value);
  }
  return out;
}

std::string HexSearchBytes(std::string_view findHex) {
  std::string digits;
  for (const char c : Trim(findHex))
    if (c != ' ') digits += c;
  std::string bytes;
  for (size_t i = 0; i < digits.size(); i += 2) {
    const std::string piece = digits.substr(i, 2);
    int value = 0;
    for (const char c : piece) {
      const int v = HexValue(c, true);
      if (v < 0) throw Exception("'" + piece + "' is not a valid hexadecimal value");
      value = value * 16 + v;
    }
    bytes += char(value);
  }
  return bytes;
}
