// TVariant's conversions.
#include "kit/Variant.h"

#include "platform/SysUtils.h"

std::string TVariant::ToString() const {
  switch (FValue.index()) {
    case 1: return IntToStr(std::get<int64_t>(FValue));
    case 2: return FloatToStrG(std::get<double>(FValue), 15);
    case 3: return std::get<bool>(FValue) ? "True" : "False";
    case 4: return std::get<std::string>(FValue);
    default: return std::string();
  }
}

int64_t TVariant::ToInt() const {
  switch (FValue.index()) {
    case 1: return std::get<int64_t>(FValue);
    case 2: {
      double d = std::get<double>(FValue);
      if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0))
        throw EConvertError("Invalid variant type conversion");
      return static_cast<int64_t>(d);
    }
    case 3: return std::get<bool>(FValue) ? 1 : 0;
    case 4: return StrToInt64(std::get<std::string>(FValue));
    default: return 0;
  }
}

double TVariant::ToFloat() const {
  switch (FValue.index()) {
    case 1: return static_cast<double>(std::get<int64_t>(FValue));
    case 2: return std::get<double>(FValue);
    case 3: return std::get<bool>(FValue) ? 1 : 0;
    case 4: {
      double v;
      if (!TryStrToFloatDot(std::get<std::string>(FValue), v))
        throw EConvertError("'" + std::get<std::string>(FValue) + "' is not a valid floating point value");
      return v;
    }
    default: return 0;
  }
}

bool TVariant::ToBool() const {
  if (IsString()) return StrToBool(std::get<std::string>(FValue));
  return ToInt() != 0;
}
