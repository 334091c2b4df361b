#include "app/tools/Calc.h"

#include <cmath>
#include <cstdint>

#include "kit/MathParser.h"
#include "platform/SysUtils.h"

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a run of hexadecimal digits as the platform's integer conversion
// reads "$" literals: 32 bits, the top bit the sign. False when the run
// is empty or holds more than 8 significant digits.
bool ReadHex32(std::string_view digits, int32_t& value) {
  size_t first = digits.find_first_not_of('0');
  if (digits.empty() || (first != std::string_view::npos && digits.size() - first > 8)) return false;
  uint32_t n = 0;
  for (char c : digits) n = n * 16 + static_cast<uint32_t>(HexDigit(c));
  value = static_cast<int32_t>(n);
  return true;
}

// The calculator's own functions, each of one argument. A result outside
// the floats is the parser's invalid-operation error, as for its built-ins.
template <long double (*F)(long double)>
long double Finite(long double x) {
  long double r = F(x);
  if (!std::isfinite(r)) throw ERxParserError(61150, "Invalid floating operation");
  return r;
}
long double ArcCosh(long double x) { return std::acosh(x); }
long double ArcSinh(long double x) { return std::asinh(x); }
long double ArcTanh(long double x) { return std::atanh(x); }
long double CoTan(long double x) { return 1 / std::tan(x); }
long double Cosh(long double x) { return std::cosh(x); }
long double Sinh(long double x) { return std::sinh(x); }
long double Tanh(long double x) { return std::tanh(x); }
long double CycleToRad(long double x) { return x * 2 * kPi; }
long double DegToRad(long double x) { return x * kPi / 180; }
long double GradToRad(long double x) { return x * kPi / 200; }
long double LnXP1(long double x) { return std::log1p(x); }
long double Log2(long double x) { return std::log2(x); }
long double RadToCycle(long double x) { return x / (2 * kPi); }
long double RadToDeg(long double x) { return x * 180 / kPi; }
long double RadToGrad(long double x) { return x * 200 / kPi; }

}  // namespace

void TCalcEngine::RegisterFunctions() {
  static const bool registered = [] {
    const struct {
      const char* Name;
      TRxUserFunction Function;
    } functions[] = {
        {"ArcCosh", Finite<ArcCosh>},       {"ArcSinh", Finite<ArcSinh>},
        {"ArcTanh", Finite<ArcTanh>},       {"CoTan", Finite<CoTan>},
        {"Cosh", Finite<Cosh>},             {"Sinh", Finite<Sinh>},
        {"Tanh", Finite<Tanh>},             {"CycleToRad", Finite<CycleToRad>},
        {"DegToRad", Finite<DegToRad>},     {"GradToRad", Finite<GradToRad>},
        {"LnXP1", Finite<LnXP1>},           {"Log2", Finite<Log2>},
        {"RadToCycle", Finite<RadToCycle>}, {"RadToDeg", Finite<RadToDeg>},
        {"RadToGrad", Finite<RadToGrad>},
    };
    for (const auto& f : functions) TRxMathParser::RegisterUserFunction(f.Name, f.Function);
    return true;
  }();
  (void)registered;
}

std::string TCalcEngine::ConvertHexLiterals(const std::string& expression) {
  std::string s;
  s.reserve(expression.size());
  for (size_t i = 0; i < expression.size(); ++i) {
    if (expression[i] == '0' && i + 1 < expression.size() && (expression[i + 1] == 'x' || expression[i + 1] == 'X')) {
      s += '$';
      ++i;
    } else {
      s += expression[i];
    }
  }

  // "$" literals, left to right.
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '$') {
      out += s[i];
      continue;
    }
    size_t end = i + 1;
    while (end < s.size() && HexDigit(s[end]) >= 0) ++end;
    std::string_view digits(s.data() + i + 1, end - i - 1);
    int32_t value = 0;
    if (!ReadHex32(digits, value)) {
      if (digits.empty()) throw EConvertError("'" + std::string(s, i, end - i) + "' is not a valid integer value");
      throw Exception("Hex Owerflow");
    }
    out += IntToStr(value);
    i = end - 1;
  }

  // "h" suffixes, right to left; one that does not read stays as it is.
  for (size_t i = out.size(); i-- > 1;) {
    if ((out[i] != 'h' && out[i] != 'H') || HexDigit(out[i - 1]) < 0) continue;
    size_t start = i;
    while (start > 0 && HexDigit(out[start - 1]) >= 0) --start;
    int32_t value = 0;
    if (!ReadHex32(std::string_view(out).substr(start, i - start), value)) {
      i = start;
      continue;
    }
    out.replace(start, i + 1 - start, IntToStr(value));
    i = start;
  }
  return out;
}

long double TCalcEngine::Evaluate(const std::string& expression) {
  RegisterFunctions();
  TRxMathParser parser;
  return parser.Exec(ConvertHexLiterals(expression));
}

std::string TCalcEngine::FormatValue(long double value) {
  return FloatToStrG(value, 15);
}

std::string TCalcEngine::Calculate(const std::string& expression) {
  return FormatValue(Evaluate(expression));
}

std::string TCalcEngine::RomanNumeral(int value) {
  static const struct {
    int Value;
    const char* Text;
  } numerals[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                  {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},   {1, "I"}};
  std::string r;
  for (const auto& n : numerals)
    for (; value >= n.Value; value -= n.Value) r += n.Text;
  return r;
}

std::string TCalcEngine::ValueHint(long double value) {
  std::string hint = "Decimal=" + FormatValue(value);
  // Only whole numbers a 64-bit integer holds get the other forms.
  if (!std::isfinite(value) || value != std::trunc(value) || std::fabs(value) >= 9.2e18L) return hint;
  const auto n = static_cast<int64_t>(value);
  if (n < 1000000000) hint += "\r\nHex=" + IntToHex(n, 10);
  if (n >= 1 && n < 2000000000) {
    std::string bin;
    for (int64_t v = n; v > 0; v >>= 1) bin.insert(bin.begin(), static_cast<char>('0' + (v & 1)));
    hint += "\r\nBin=" + bin;
  }
  if (n >= 1 && n < 10000) hint += "\r\nRoman=" + RomanNumeral(static_cast<int>(n));
  return hint;
}
