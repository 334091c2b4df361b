// The kit's string and number routines.
#include "kit/StrUtils.h"

#include "platform/SysUtils.h"

std::string ReplaceStr(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search.empty()) return std::string(text);
  std::string result;
  size_t from = 0;
  for (size_t at; (at = text.find(search, from)) != std::string_view::npos; from = at + search.size()) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
  }
  result.append(text.substr(from));
  return result;
}

namespace {
// Calls f(start, length) for each word until f returns false.
template <class F>
void ForEachWord(std::string_view text, const TCharSet& delims, F&& f) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && delims.Contains(text[i])) ++i;
    if (i >= text.size()) return;
    size_t start = i;
    while (i < text.size() && !delims.Contains(text[i])) ++i;
    if (!f(start, i - start)) return;
  }
}
}  // namespace

int WordCount(std::string_view text, const TCharSet& delims) {
  int n = 0;
  ForEachWord(text, delims, [&](size_t, size_t) { return ++n, true; });
  return n;
}

int WordPosition(int n, std::string_view text, const TCharSet& delims) {
  int count = 0, pos = 0;
  ForEachWord(text, delims, [&](size_t start, size_t) {
    if (++count < n) return true;
    pos = static_cast<int>(start) + 1;
    return false;
  });
  return n >= 1 ? pos : 0;
}

std::string ExtractWord(int n, std::string_view text, const TCharSet& delims) {
  int pos = WordPosition(n, text, delims);
  if (pos == 0) return std::string();
  size_t start = static_cast<size_t>(pos - 1), end = start;
  while (end < text.size() && !delims.Contains(text[end])) ++end;
  return std::string(text.substr(start, end - start));
}

std::string ExtractSubstr(std::string_view text, int& pos, const TCharSet& delims) {
  if (pos < 1) pos = 1;
  size_t start = static_cast<size_t>(pos - 1), end = start;
  if (start >= text.size()) return std::string();
  while (end < text.size() && !delims.Contains(text[end])) ++end;
  pos = static_cast<int>(end < text.size() ? end + 2 : end + 1);
  return std::string(text.substr(start, end - start));
}

int HexStrToInt(const std::string& text) {
  return StrToInt(text.find('$') == std::string::npos ? "$" + text : text);
}

std::string IntToRoman(int value) {
  if (value <= 0) return std::string();
  std::string r(static_cast<size_t>(value / 1000), 'M');
  value %= 1000;
  const char* const digits[3][3] = {{"C", "D", "M"}, {"X", "L", "C"}, {"I", "V", "X"}};
  for (int place = 0, scale = 100; place < 3; ++place, scale /= 10) {
    int d = value / scale;
    value %= scale;
    const char *one = digits[place][0], *five = digits[place][1], *ten = digits[place][2];
    if (d == 9) {
      r += one;
      r += ten;
    } else if (d >= 5) {
      r += five;
      for (int i = 5; i < d; ++i) r += one;
    } else if (d == 4) {
      r += one;
      r += five;
    } else {
      for (int i = 0; i < d; ++i) r += one;
    }
  }
  return r;
}

std::string XorEncode(std::string_view key, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string r;
  r.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!key.empty()) c ^= static_cast<unsigned char>(key[i % key.size()]);
    r += kHex[c >> 4];
    r += kHex[c & 15];
  }
  return r;
}

std::string XorDecode(std::string_view key, std::string_view text) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string r;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int hi = digit(text[i]), lo = digit(text[i + 1]);
    if (hi < 0 || lo < 0) break;
    auto c = static_cast<unsigned char>(hi * 16 + lo);
    size_t n = i / 2;
    if (!key.empty()) c ^= static_cast<unsigned char>(key[n % key.size()]);
    r += static_cast<char>(c);
  }
  return r;
}

std::vector<std::string> SplitCmdLine(std::string_view cmdLine) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < cmdLine.size()) {
    while (i < cmdLine.size() && static_cast<unsigned char>(cmdLine[i]) <= ' ') ++i;
    if (i >= cmdLine.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < cmdLine.size() && (quoted || static_cast<unsigned char>(cmdLine[i]) > ' '); ++i) {
      if (cmdLine[i] == '"')
        quoted = !quoted;
      else
        word += cmdLine[i];
    }
    words.push_back(std::move(word));
  }
  return words;
}

int GetCmdLineWordCount(std::string_view cmdLine) { return static_cast<int>(SplitCmdLine(cmdLine).size()); }

std::string GetCmdLineWord(int n, std::string_view cmdLine) {
  std::vector<std::string> words = SplitCmdLine(cmdLine);
  return n >= 1 && n <= static_cast<int>(words.size()) ? words[static_cast<size_t>(n - 1)] : std::string();
}

std::string RebuildParams(const std::vector<std::string>& words) {
  std::string r;
  for (const std::string& w : words) {
    if (!r.empty()) r += ' ';
    r += w.find(' ') != std::string::npos ? "\"" + w + "\"" : w;
  }
  return r;
}

std::string MinimizeText(const std::string& text, const std::function<int(const std::string&)>& width,
                         int maxWidth) {
  if (width(text) <= maxWidth) return text;
  std::string cut = text;
  while (!cut.empty()) {
    cut.pop_back();
    if (width(cut + "...") <= maxWidth) break;
  }
  return cut + "...";
}
