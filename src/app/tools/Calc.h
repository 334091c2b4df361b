// The calculator's arithmetic: hexadecimal literals turned into decimal
// numbers, evaluation with the kit's parser (and fifteen functions of our
// own), and the value hint in decimal, hexadecimal, binary and Roman form.
// The calculator window, the in-text "=" and the block statistics all come
// here; none of them needs a window to evaluate.
#pragma once

#include <string>

class TCalcEngine {
public:
  // expression with every hexadecimal literal ("0x1F", "$1F", "1Fh")
  // replaced by its decimal value, read as a signed 32-bit number. A "0x"
  // or "$" literal of more than 8 significant digits raises "Hex Owerflow";
  // one that is not a number raises the integer conversion's message. A
  // failing "h" literal stays as it is.
  static std::string ConvertHexLiterals(const std::string& expression);
  // The value of expression (literals converted first). The parser's and
  // the arithmetic's errors pass to the caller.
  static long double Evaluate(const std::string& expression);
  // Evaluate's value in the general format (15 significant digits).
  static std::string Calculate(const std::string& expression);
  // The general format the calculator shows every value in.
  static std::string FormatValue(long double value);
  // The hint for a value: "Decimal=...", then for whole numbers "Hex=" (10
  // digits) below 1000000000, "Bin=" for 1 .. 1999999999 and "Roman=" for
  // 1 .. 9999, separated by CR LF.
  static std::string ValueHint(long double value);
  static std::string RomanNumeral(int value);

  // Registers the calculator's fifteen functions with the parser; the first
  // call does it, later ones nothing. Evaluate calls it.
  static void RegisterFunctions();
};
