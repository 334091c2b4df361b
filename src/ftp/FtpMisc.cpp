// FTP utility routines. See FtpMisc.h.
#include "ftp/FtpMisc.h"

#include "platform/SysUtils.h"
#include "platform/TextLines.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace {

TFtpSystem& SystemState() {
  static TFtpSystem system = [] {
    TFtpSystem s;
    s.CompareText = [](std::string_view a, std::string_view b) {
      int r = LocaleCompare(a, b, true);
      return r < 0 ? -1 : (r > 0 ? 1 : 0);
    };
    // Without the shell, the extension is the best name a type has.
    s.FileTypeName = [](const std::string& name) {
      std::string ext = ExtractFileExt(name);
      return ext.empty() ? std::string() : UpperCase(ext.substr(1));
    };
    s.MarkHiddenSystem = [](const std::string&) {};
    s.ThousandSeparator = ',';
    return s;
  }();
  return system;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

}  // namespace

void InstallFtpSystem(const TFtpSystem& system) {
  TFtpSystem& s = SystemState();
  if (system.CompareText) s.CompareText = system.CompareText;
  if (system.FileTypeName) s.FileTypeName = system.FileTypeName;
  if (system.MarkHiddenSystem) s.MarkHiddenSystem = system.MarkHiddenSystem;
  s.WindowsDir = ExcludeTrailingPathDelimiter(system.WindowsDir);
  s.TempDir = system.TempDir;
  s.IsNT = system.IsNT;
  if (system.ThousandSeparator) s.ThousandSeparator = system.ThousandSeparator;
}

const TFtpSystem& FtpSystem() { return SystemState(); }

std::string DecodeURL(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '%' || i + 1 >= text.size()) {
      out += c;
      ++i;
      continue;
    }
    int hi = HexValue(text[i + 1]);
    if (hi < 0) {  // "%" dropped, the next character kept as it is
      out += text[i + 1];
      i += 2;
      continue;
    }
    int lo = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
    if (lo < 0) {  // one digit: its value, then the next character as it is
      out += static_cast<char>(hi);
      i += 2;
      continue;
    }
    out += static_cast<char>(hi * 16 + lo);
    i += 3;
  }
  return out;
}

std::string EncodeURLComponent(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= ' ' || u == 0x7F || c == '%' || c == '@' || c == '/' || c == ':' || c == '#' ||
        c == '?' || c == '\\') {
      out += '%';
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string MakeURL(const std::string& host, int port, const std::string& user,
                    const std::string& password) {
  std::string url = "ftp://";
  std::string lower = LowerCase(user);
  if (lower != "anonymous" && lower != "ftp") url += user + ":" + password + "@";
  url += host;
  if (port != 21) url += ":" + IntToStr(port);
  return url;
}

std::string ConvertServerPath(std::string_view path) {
  auto isDrive = [](std::string_view p, size_t at) {
    return p.size() >= at + 2 && std::isalpha(static_cast<unsigned char>(p[at])) &&
           p[at + 1] == ':';
  };
  std::string out;
  if (!path.empty() && path[0] == '/') {
    // "/C:/dir" style: the drive goes, the rest stays.
    out = std::string(isDrive(path, 1) ? path.substr(3) : path);
  } else {
    out = std::string(isDrive(path, 0) ? path.substr(2) : path);
  }
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string SanitizeCacheName(std::string_view text, char replacement) {
  std::string out(text);
  for (char& c : out) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\')
      c = '-';
    else if (u < 32 || c == '"' || c == '*' || c == ':' || c == '?' || c == '<' || c == '>' ||
             c == '|')
      c = replacement;
  }
  return out;
}

bool IsDeviceName(std::string_view name) {
  std::string base = UpperCase(Trim(name.substr(0, name.find('.'))));
  static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* d : devices)
    if (base == d) return true;
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
      base[3] >= '0' && base[3] <= '9')
    return true;
  return false;
}

int CompareTextLocale(std::string_view a, std::string_view b) {
  if (a == b) return 0;
  int r = SystemState().CompareText(a, b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int EncodeDateNumber(int year, int month, int day) {
  // Days from 1 January of year 1 to the date, then moved to the 1899 origin.
  int y = year - 1;
  int days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  days += day - 1;
  return days - 693593;
}

void DecodeDateNumber(int date, int& year, int& month, int& day) {
  int days = date + 693593;  // days since 1 January of year 1
  int y400 = days / 146097, rest = days % 146097;
  int y100 = rest / 36524;
  if (y100 == 4) y100 = 3;
  rest -= y100 * 36524;
  int y4 = rest / 1461;
  rest %= 1461;
  int y1 = rest / 365;
  if (y1 == 4) y1 = 3;
  rest -= y1 * 365;
  year = y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1;
  month = 1;
  while (rest >= DaysInMonth(year, month)) rest -= DaysInMonth(year, month++);
  day = rest + 1;
}

int TodayDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return EncodeDateNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string CurrentYear2() {
  int y, m, d;
  DecodeDateNumber(TodayDate(), y, m, d);
  return IntToStr(y).substr(2);
}

bool MatchMask(std::string_view mask, std::string_view name, bool anchored) {
  // Runs of stars are one star, and a star that ends the mask needs at least
  // one character: "a*" does not match "a". "?*" says exactly that.
  std::string m;
  for (char c : mask)
    if (c != '*' || m.empty() || m.back() != '*') m += c;
  if (!m.empty() && m.back() == '*') m.insert(m.size() - 1, 1, '?');
  if (anchored && !m.empty()) {
    if (m[0] == '?') {
      if (name.empty()) return false;
      return WildcardMatch(std::string_view(m).substr(1), name.substr(1), false);
    }
    if (m[0] != '*') {
      size_t at = name.find(m[0]);
      if (at == std::string_view::npos) return false;
      name = name.substr(at);
    }
  }
  return WildcardMatch(m, name, false);
}

bool ReadWholeFile(const std::string& fileName, std::string& out) {
  TFileHandle h = FileOpen(fileName, 0);
  if (h == InvalidFileHandle) return false;
  int64_t size = FileSeek(h, 0, 2);
  bool ok = size >= 0 && FileSeek(h, 0, 0) == 0;
  if (ok) {
    out.resize(static_cast<size_t>(size));
    ok = size == 0 || FileRead(h, out.data(), size) == size;
  }
  FileClose(h);
  return ok;
}

bool ReadFileLines(const std::string& fileName, std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  if (!ReadWholeFile(fileName, text)) return false;
  // Index files come from every kind of system: lines end at CR LF, LF or
  // CR, as the string lists read them.
  SplitTextLines(text, [&](size_t start, size_t length) { lines.emplace_back(text, start, length); });
  return true;
}

const std::string& GetWindowsDir() { return SystemState().WindowsDir; }
bool IsWindowsNT() { return SystemState().IsNT; }
