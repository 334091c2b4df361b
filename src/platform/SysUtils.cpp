// SysUtils: exceptions, number and string conversions, file-name helpers.
#include "platform/SysUtils.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

Exception::Exception(std::string msg) : FMessage(std::move(msg)) {}

void Abort() { throw EAbort("Operation aborted"); }

std::string Format(const char* fmt, ...) {
  char small[256];
  va_list args;
  va_start(args, fmt);
  int n = std::vsnprintf(small, sizeof small, fmt, args);
  va_end(args);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n) + 1, '\0');
  va_start(args, fmt);
  std::vsnprintf(out.data(), out.size(), fmt, args);
  va_end(args);
  out.resize(static_cast<size_t>(n));
  return out;
}

// ---------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------
std::string IntToStr(int64_t value) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
  return buf;
}

std::string IntToHex(int64_t value, int digits) {
  char buf[40];
  if (digits < 0) digits = 0;
  if (digits > 32) digits = 32;
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}

bool TryStrToInt64(const std::string& s, int64_t& value) {
  size_t i = 0, n = s.size();
  while (i < n && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  while (n > i && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < n && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return false;
  // Hexadecimal literals may use the full unsigned range (e.g. "$FFFFFFFF"
  // for -1 as a 32-bit value is not accepted; "$80000000" is 2147483648).
  uint64_t acc = 0;
  const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
  for (; i < n; ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (acc > (limit - d) / base) return false;
    acc = acc * base + d;
  }
  value = negative ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
  return true;
}

bool TryStrToInt(const std::string& s, int& value) {
  int64_t v;
  if (!TryStrToInt64(s, v) || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int64_t StrToInt64(const std::string& s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int StrToIntDef(const std::string& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

bool StrToBool(const std::string& s) {
  if (SameText(Trim(s), "True")) return true;
  if (SameText(Trim(s), "False")) return false;
  int64_t v;
  if (TryStrToInt64(s, v)) return v != 0;
  throw EConvertError("'" + s + "' is not a valid boolean value");
}

std::string BoolToStr(bool b, bool useBoolStrs) {
  if (useBoolStrs) return b ? "True" : "False";
  return b ? "-1" : "0";
}

std::string FloatToStrG(long double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (precision < 1) precision = 1;
  if (precision > 40) precision = 40;
  if (value == 0) return "0";
  char buf[80];
  std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, value);
  // buf: [-]d.ddddde[+-]xx -- take the digits and the exponent apart (by
  // character class, so a locale's decimal comma cannot confuse it).
  std::string digits;
  bool negative = buf[0] == '-';
  const char* p = buf + (negative ? 1 : 0);
  for (; *p && *p != 'e' && *p != 'E'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exponent = *p ? std::atoi(p + 1) : 0;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string r = negative ? "-" : "";
  if (exponent >= -4 && exponent < precision) {
    if (exponent < 0) {
      r += "0.";
      r.append(static_cast<size_t>(-exponent - 1), '0');
      r += digits;
    } else if (static_cast<size_t>(exponent) + 1 >= digits.size()) {
      r += digits;
      r.append(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
      r += digits.substr(0, static_cast<size_t>(exponent) + 1);
      r += '.';
      r += digits.substr(static_cast<size_t>(exponent) + 1);
    }
  } else {
    r += digits[0];
    if (digits.size() > 1) {
      r += '.';
      r += digits.substr(1);
    }
    r += 'E';
    r += std::to_string(exponent);
  }
  return r;
}

bool TryStrToFloatDot(const std::string& s, double& value) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  size_t i = 0;
  if (t[0] == '+' || t[0] == '-') ++i;
  // Digits with at most one '.', then an optional exponent: nothing else.
  bool digits = false, dot = false;
  for (; i < t.size() && t[i] != 'e' && t[i] != 'E'; ++i) {
    if (t[i] >= '0' && t[i] <= '9') digits = true;
    else if (t[i] == '.' && !dot) dot = true;
    else return false;
  }
  if (!digits) return false;
  if (i < t.size()) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i >= t.size()) return false;
    for (; i < t.size(); ++i)
      if (t[i] < '0' || t[i] > '9') return false;
  }
  // strtod would follow the C locale's decimal point; swap ours in for it.
  char point = std::localeconv()->decimal_point[0];
  if (point != '.')
    for (char& c : t)
      if (c == '.') c = point;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size()) return false;
  value = v;
  return true;
}

// ---------------------------------------------------------------------------
// Strings
// ---------------------------------------------------------------------------
namespace {

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Windows-1252 case mapping: ASCII letters, the accented letters 0xC0-0xDE
// (except the multiplication sign 0xD7) against 0xE0-0xFE (except the
// division sign 0xF7), and the pairs S/s caron, OE/oe, Z/z caron, Y/y diaeresis.
struct TCaseTables {
  unsigned char Upper[256];
  unsigned char Lower[256];
  TCaseTables() {
    for (int i = 0; i < 256; ++i) Upper[i] = Lower[i] = static_cast<unsigned char>(i);
    auto pair = [this](int up, int low) {
      Upper[low] = static_cast<unsigned char>(up);
      Lower[up] = static_cast<unsigned char>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) pair(c, c + 32);
    pair(0x8A, 0x9A);
    pair(0x8C, 0x9C);
    pair(0x8E, 0x9E);
    pair(0x9F, 0xFF);
  }
};
const TCaseTables& CaseTables() {
  static const TCaseTables tables;
  return tables;
}

int CompareMapped(std::string_view a, std::string_view b, const unsigned char* map) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = map ? map[static_cast<unsigned char>(a[i])] : static_cast<unsigned char>(a[i]);
    unsigned char cb = map ? map[static_cast<unsigned char>(b[i])] : static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

struct TAsciiUpperMap {
  unsigned char Map[256];
  TAsciiUpperMap() {
    for (int i = 0; i < 256; ++i) Map[i] = static_cast<unsigned char>(AsciiUpper(char(i)));
  }
};
const unsigned char* AsciiUpperMap() {
  static const TAsciiUpperMap map;
  return map.Map;
}

}  // namespace

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

int CompareStr(std::string_view a, std::string_view b) { return CompareMapped(a, b, nullptr); }
int CompareText(std::string_view a, std::string_view b) { return CompareMapped(a, b, AsciiUpperMap()); }
bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

char AnsiUpperChar(char c) { return static_cast<char>(CaseTables().Upper[static_cast<unsigned char>(c)]); }
char AnsiLowerChar(char c) { return static_cast<char>(CaseTables().Lower[static_cast<unsigned char>(c)]); }

std::string AnsiUpperCase(std::string_view s) {
  std::string r(s);
  const unsigned char* map = CaseTables().Upper;
  for (char& c : r) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return r;
}

std::string AnsiLowerCase(std::string_view s) {
  std::string r(s);
  const unsigned char* map = CaseTables().Lower;
  for (char& c : r) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return r;
}

int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareMapped(a, b, nullptr); }
int AnsiCompareText(std::string_view a, std::string_view b) {
  return CompareMapped(a, b, CaseTables().Upper);
}
bool AnsiSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

// Classic wildcard matching with one backtrack point: the latest star is
// re-extended on a mismatch.
bool WildcardMatch(std::string_view mask, std::string_view name, bool ignoreCase) {
  const unsigned char* map = ignoreCase ? CaseTables().Upper : nullptr;
  auto same = [map](char a, char b) {
    return map ? map[static_cast<unsigned char>(a)] == map[static_cast<unsigned char>(b)] : a == b;
  };
  size_t i = 0, j = 0, star = std::string_view::npos, mark = 0;
  while (j < name.size()) {
    if (i < mask.size() && mask[i] == '*') {
      star = i++;
      mark = j;
    } else if (i < mask.size() && (mask[i] == '?' || same(mask[i], name[j]))) {
      ++i;
      ++j;
    } else if (star != std::string_view::npos) {
      i = star + 1;
      j = ++mark;
    } else {
      return false;
    }
  }
  while (i < mask.size() && mask[i] == '*') ++i;
  return i == mask.size();
}

std::string Trim(std::string_view s) {
  size_t i = 0, n = s.size();
  while (i < n && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  while (n > i && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(i, n - i));
}

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(0, n));
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string QuotedStr(std::string_view s, char quote) {
  std::string r;
  r.reserve(s.size() + 2);
  r += quote;
  for (char c : s) {
    if (c == quote) r += quote;
    r += c;
  }
  r += quote;
  return r;
}

std::string ExtractQuotedStr(std::string_view s, size_t& pos, char quote) {
  std::string r;
  if (pos >= s.size() || s[pos] != quote) return r;
  ++pos;
  while (pos < s.size()) {
    if (s[pos] == quote) {
      if (pos + 1 < s.size() && s[pos + 1] == quote) {
        r += quote;
        pos += 2;
        continue;
      }
      ++pos;  // closing quote
      return r;
    }
    r += s[pos++];
  }
  return r;  // unterminated: everything up to the end
}

bool IsValidIdent(std::string_view s) {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(s[0])) return false;
  for (char c : s.substr(1))
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to,
                             bool ignoreCase) {
  if (from.empty()) return std::string(s);
  std::string r;
  r.reserve(s.size());
  std::string hay, needle;
  if (ignoreCase) {
    hay = AnsiUpperCase(s);
    needle = AnsiUpperCase(from);
  }
  std::string_view h = ignoreCase ? std::string_view(hay) : s;
  std::string_view f = ignoreCase ? std::string_view(needle) : from;
  size_t i = 0;
  for (;;) {
    size_t p = h.find(f, i);
    if (p == std::string_view::npos) break;
    r.append(s.substr(i, p - i));
    r.append(to);
    i = p + f.size();
  }
  r.append(s.substr(i));
  return r;
}

// ---------------------------------------------------------------------------
// File names
// ---------------------------------------------------------------------------
namespace {
inline bool IsDelim(char c) { return c == '\\' || c == '/'; }
// Index just after the last folder separator or drive colon.
size_t NameStart(std::string_view f) {
  size_t i = f.size();
  while (i > 0 && !IsDelim(f[i - 1]) && f[i - 1] != ':') --i;
  return i;
}
}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
  size_t i = NameStart(fileName);
  // Keep the root's separator ("C:\", "/") and a lone drive ("C:").
  if (i > 0 && IsDelim(fileName[i - 1]) && i > 1 && fileName[i - 2] != ':' &&
      !IsDelim(fileName[i - 2]))
    --i;
  return std::string(fileName.substr(0, i));
}

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
  size_t start = NameStart(fileName);
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) return std::string();
  return std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
  size_t start = NameStart(fileName);
  size_t dot = fileName.rfind('.');
  size_t end = (dot == std::string_view::npos || dot < start) ? fileName.size() : dot;
  std::string r(fileName.substr(0, end));
  r.append(ext);
  return r;
}

std::string IncludeTrailingPathDelimiter(std::string_view s) {
  std::string r(s);
  if (r.empty() || !IsDelim(r.back())) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view s) {
  std::string r(s);
  if (!r.empty() && IsDelim(r.back())) r.pop_back();
  return r;
}

namespace {
char& DecimalSeparatorSetting() {
  static char separator = 0;  // 0: not set yet, ask the system
  return separator;
}
}  // namespace

char GetDecimalSeparator() {
  char& s = DecimalSeparatorSetting();
  if (s == 0) s = SystemDecimalSeparator();
  return s;
}

void SetDecimalSeparator(char separator) { DecimalSeparatorSetting() = separator; }

// ---------------------------------------------------------------------------
// Dates
// ---------------------------------------------------------------------------
namespace {
// Days between 1970-01-01 and the given civil date, for any year (the
// proleptic Gregorian calendar, computed in 400-year eras).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr int64_t kDaysTo1970 = 25569;  // 1899-12-30 to 1970-01-01
}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
  const double days = static_cast<double>(DaysFromCivil(year, month, day) + kDaysTo1970);
  return days + (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / 86400000.0;
}

void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute, int& second) {
  int64_t days = static_cast<int64_t>(std::floor(t));
  int64_t ms = std::llround((t - static_cast<double>(days)) * 86400000.0);
  if (ms >= 86400000) {
    ++days;
    ms -= 86400000;
  }
  CivilFromDays(days - kDaysTo1970, year, month, day);
  const int64_t s = ms / 1000;
  hour = static_cast<int>(s / 3600);
  minute = static_cast<int>(s / 60 % 60);
  second = static_cast<int>(s % 60);
}
