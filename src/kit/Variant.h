// TVariant: the small variant a stored value holds -- nothing, an integer, a
// float, a boolean or a text -- with the text form it is stored in.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

class TVariant {
public:
  TVariant() = default;
  TVariant(int v) : FValue(static_cast<int64_t>(v)) {}          // NOLINT: assigned like a value
  TVariant(int64_t v) : FValue(v) {}                             // NOLINT
  TVariant(double v) : FValue(v) {}                              // NOLINT
  TVariant(bool v) : FValue(v) {}                                // NOLINT
  TVariant(std::string v) : FValue(std::move(v)) {}              // NOLINT
  TVariant(const char* v) : FValue(std::string(v)) {}            // NOLINT

  bool IsEmpty() const { return FValue.index() == 0; }
  bool IsString() const { return std::holds_alternative<std::string>(FValue); }
  // Empty: ""; integers in decimal; floats in the general format with 15
  // digits and "."; booleans "True"/"False"; texts as they are.
  std::string ToString() const;
  // The value converted: texts are read (EConvertError when they do not
  // convert; booleans from "True"/"False" or a number), booleans give 1 or
  // 0, empty gives 0 or False.
  int64_t ToInt() const;
  double ToFloat() const;
  bool ToBool() const;

  friend bool operator==(const TVariant& a, const TVariant& b) { return a.FValue == b.FValue; }

private:
  std::variant<std::monostate, int64_t, double, bool, std::string> FValue;
};
