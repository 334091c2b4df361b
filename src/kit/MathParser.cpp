// The expression evaluator. C++ floats do not trap, so every operation checks
// its own result: what the platform would report as a floating-point fault
// is raised here as the same exception, and inside a built-in function as
// the parser's 61150.
#include "kit/MathParser.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

[[noreturn]] void ParserError(int code) {
  const char* text = "Syntax error";
  switch (code) {
    case 61150:
    case 61151:
    case 61152: text = "Invalid floating operation"; break;
    case 61153: text = "Divide by zero"; break;
    case 61154: text = "Invalid condition (no cramp)"; break;
    default: break;
  }
  throw ERxParserError(code, text);
}

// The result of an arithmetic operation outside the built-in functions.
long double Checked(long double v) {
  if (std::isnan(v)) throw EInvalidOp("Invalid floating point operation");
  if (std::isinf(v)) throw EOverflow("Floating point overflow");
  return v;
}

long double Power(long double base, long double exponent) {
  if (exponent == 0) return 1;
  if (base == 0) {
    if (exponent > 0) return 0;
    throw EZeroDivide("Floating point division by zero");
  }
  if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0L) {
    auto n = static_cast<long long>(std::fabs(exponent));
    long double result = 1, factor = base;
    while (n > 0) {
      if (n & 1) result = Checked(result * factor);
      n >>= 1;
      if (n > 0) factor = Checked(factor * factor);
    }
    return exponent < 0 ? Checked(1 / result) : result;
  }
  return Checked(std::exp(exponent * std::log(base)));
}

struct TUserEntry {
  std::string Name;
  TRxUserFunction Function;
};

// Sorted by name without case, one entry per name.
std::vector<TUserEntry>& UserFunctions() {
  static std::vector<TUserEntry> list;
  return list;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

const char* const kBuiltIns[] = {"ARCTAN", "COS",  "SIN", "TAN",   "ABS",   "EXP",
                                 "LN",     "LOG",  "SQRT", "SQR",  "INT",   "FRAC",
                                 "TRUNC",  "ROUND", "ARCSIN", "ARCCOS", "SIGN", "NOT"};

// The float as a 64-bit integer's value, refused (61150) outside that range
// rather than converted with undefined results.
long double Whole(long double v) {
  if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) ParserError(61150);
  return v;
}

long double ArcSinPart(long double x) {
  if (!(x > -1 && x < 1)) ParserError(61150);
  return std::atan(x / std::sqrt(1 - x * x));
}

long double CallBuiltIn(int index, long double x) {
  long double r = 0;
  switch (index) {
    case 0: r = std::atan(x); break;
    case 1: r = std::cos(x); break;
    case 2: r = std::sin(x); break;
    case 3: {
      long double c = std::cos(x);
      if (c == 0) ParserError(61153);
      r = std::sin(x) / c;
      break;
    }
    case 4: r = std::fabs(x); break;
    case 5: r = std::exp(x); break;
    case 6:
    case 7:
      if (x <= 0) ParserError(61151);
      r = index == 6 ? std::log(x) : std::log(x) / std::log(10.0L);
      break;
    case 8:
      if (x < 0) ParserError(61152);
      r = std::sqrt(x);
      break;
    case 9: r = x * x; break;
    case 10:  // INT rounds as ROUND does: halves to the even neighbour
    case 13: r = std::nearbyint(Whole(x)); break;
    case 11: r = x - std::trunc(x); break;
    case 12: r = std::trunc(Whole(x)); break;
    case 14: r = x == 1 ? kPi / 2 : x == -1 ? -kPi / 2 : ArcSinPart(x); break;
    case 15: r = x == 1 ? 0 : x == -1 ? kPi : kPi / 2 - ArcSinPart(x); break;
    case 16: r = x > 0 ? 1 : x < 0 ? -1 : x; break;
    case 17: {
      long double t = std::trunc(Whole(x));
      r = static_cast<long double>(~static_cast<long long>(t));
      break;
    }
    default: ParserError(61155);
  }
  if (!std::isfinite(r)) ParserError(61150);
  return r;
}

}  // namespace

void TRxMathParser::RegisterUserFunction(const std::string& name, TRxUserFunction function) {
  if (name.empty() || !IsLetter(name[0])) ParserError(61155);
  auto& list = UserFunctions();
  auto it = std::lower_bound(list.begin(), list.end(), name, [](const TUserEntry& e, const std::string& n) {
    return CompareText(e.Name, n) < 0;
  });
  bool present = it != list.end() && SameText(it->Name, name);
  if (!function) {
    if (present) list.erase(it);
  } else if (!present) {
    list.insert(it, TUserEntry{name, function});
  }
}

long double TRxMathParser::Exec(const std::string& text) {
  FText.clear();
  int depth = 0;
  for (char ch : text) {
    if (static_cast<unsigned char>(ch) <= 32) continue;
    if (ch == '(') ++depth;
    if (ch == ')') --depth;
    FText += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
  }
  if (depth != 0) ParserError(61154);
  if (!FText.empty() && (FText[0] == '+' || FText[0] == '-')) FText.insert(FText.begin(), '0');
  FText += '\0';
  FPos = 0;
  FDepth = 0;
  long double value = Expression();
  // Only the end may follow the whole expression: a comparison or a comma
  // ends an argument, not the text.
  if (C() != '\0') ParserError(61155);
  return value;
}

long double TRxMathParser::Expression() {
  // The whole text is level 0; every "(" of a group or an argument one more.
  if (FDepth > MaxDepth) ParserError(61155);
  struct TLevel {
    int& Depth;
    explicit TLevel(int& d) : Depth(d) { ++Depth; }
    ~TLevel() { --Depth; }
  } level(FDepth);
  long double value = Term();
  while (C() == '+' || C() == '-') {
    char op = C();
    ++FPos;
    long double t = Term();
    value = Checked(op == '+' ? value + t : value - t);
  }
  switch (C()) {
    case '\0': case ')': case ',': case '<': case '=': case '>': break;
    default: ParserError(61155);
  }
  return value;
}

long double TRxMathParser::Term() {
  long double value = Factor();
  while (C() == '*' || C() == '/' || C() == '^') {
    char op = C();
    ++FPos;
    long double f = Factor();
    if (op == '*') {
      value = Checked(value * f);
    } else if (op == '/') {
      if (f == 0) ParserError(61153);
      value = Checked(value / f);
    } else {
      value = Power(value, f);
    }
  }
  return value;
}

long double TRxMathParser::Factor() {
  long double value = 0;
  if (C() == '(') {
    ++FPos;
    value = Expression();
    if (C() != ')') ParserError(61154);
    ++FPos;
    return value;
  }
  if (Number(value) || Constant(value) || UserFunction(value) || BuiltInFunction(value)) return value;
  ParserError(61155);
}

bool TRxMathParser::IsDelimiter(char c) const {
  return static_cast<unsigned char>(c) < 33 || c == ')' || c == '*' || c == '+' || c == '-' ||
         c == '/' || c == '^';
}

bool TRxMathParser::Number(long double& value) {
  const size_t start = FPos;
  const char sep = GetDecimalSeparator();
  auto isPoint = [sep](char c) { return c == '.' || c == sep; };
  if (C() == '$') {
    size_t p = FPos + 1;
    uint32_t n = 0;
    int digits = 0;
    for (;; ++p, ++digits) {
      char c = FText[p];
      int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (d < 0) break;
      n = n * 16 + static_cast<uint32_t>(d);
    }
    if (digits < 1 || digits > 8 || !IsDelimiter(FText[p])) return false;
    FPos = p;
    value = static_cast<int32_t>(n);
    return true;
  }
  char c = C();
  if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || isPoint(c))) return false;
  std::string t;
  size_t p = FPos;
  if (c == '+' || c == '-') {
    t += c;
    ++p;
  }
  if (isPoint(FText[p])) t += '0';
  bool exponent = false;
  for (;; ++p) {
    char d = FText[p];
    if (d >= '0' && d <= '9') {
      t += d;
    } else if (isPoint(d)) {
      t += '.';
    } else if (d == 'E') {
      if (!t.empty() && t.back() == '.') t += '0';
      t += 'E';
      exponent = true;
      if (FText[p + 1] == '+' || FText[p + 1] == '-') t += FText[++p];
    } else {
      break;
    }
  }
  if (!exponent && !t.empty() && t.back() == '.') t += '0';
  // strtold follows the C locale's decimal point; put ours in its place.
  const char point = std::localeconv()->decimal_point[0];
  if (point != '.') std::replace(t.begin(), t.end(), '.', point);
  char* end = nullptr;
  errno = 0;
  long double v = t.empty() ? 0 : std::strtold(t.c_str(), &end);
  // A text of signs, points and "E" with no digit before the exponent is no
  // number, nor is one beyond the extended range.
  const size_t digit = t.find_first_of("0123456789");
  bool converted = digit != std::string::npos && digit < t.find('E') &&
                   end == t.c_str() + t.size() && errno != ERANGE && std::isfinite(v);
  if (!converted || !IsDelimiter(FText[p])) {
    FPos = start;
    value = 0;
    return false;
  }
  FPos = p;
  value = v;
  return true;
}

bool TRxMathParser::Constant(long double& value) {
  if (C() == 'E' && IsDelimiter(FText[FPos + 1])) {
    value = std::exp(1.0L);
    FPos += 1;
    return true;
  }
  if (C() == 'P' && FText[FPos + 1] == 'I' && IsDelimiter(FText[FPos + 2])) {
    value = kPi;
    FPos += 2;
    return true;
  }
  return false;
}

long double TRxMathParser::Argument() {
  long double value = Expression();
  if (C() != ')') ParserError(61154);
  ++FPos;
  return value;
}

bool TRxMathParser::UserFunction(long double& value) {
  if (!IsLetter(C())) return false;
  for (const TUserEntry& e : UserFunctions()) {
    size_t n = e.Name.size();
    if (FText.size() - FPos <= n) continue;
    if (!SameText(std::string_view(FText).substr(FPos, n), e.Name) || FText[FPos + n] != '(') continue;
    FPos += n + 1;
    value = e.Function(Argument());
    return true;
  }
  return false;
}

bool TRxMathParser::BuiltInFunction(long double& value) {
  if (!IsLetter(C())) return false;
  for (int i = 0; i < 18; ++i) {
    std::string_view name = kBuiltIns[i];
    if (FText.compare(FPos, name.size(), name) != 0 || FText[FPos + name.size()] != '(') continue;
    FPos += name.size() + 1;
    value = CallBuiltIn(i, Argument());
    return true;
  }
  return false;
}
