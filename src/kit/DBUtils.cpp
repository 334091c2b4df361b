// Locate over any table. See DBUtils.h.
#include "kit/DBUtils.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

std::string LocateKeyText(const TFieldValue& key) {
  return std::visit(
      [](const auto& v) -> std::string {
        using V = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<V, std::string>) return v;
        else if constexpr (std::is_same_v<V, int64_t>) return IntToStr(v);
        else if constexpr (std::is_same_v<V, double>) return FloatToStrG(v, 15);
        else if constexpr (std::is_same_v<V, bool>) return v ? "True" : "False";
        else return std::string();
      },
      key);
}

bool LocateTextMatches(std::string_view text, std::string_view key, int options) {
  if (options & loPartialKey) text = text.substr(0, key.size());
  return LocaleCompare(text, key, (options & loCaseInsensitive) != 0) == 0;
}

bool LocateFieldMatches(const TField& field, const TFieldValue& key, int options) {
  if (field.GetDataType() != ftString) return FieldValuesEqual(field.GetValue(), key);
  if (std::holds_alternative<std::monostate>(key)) return field.IsNull();
  // Read in place: a scan calls this for every record, and a text field's
  // value is a zero-terminated block of Size + 1 characters.
  char small[512];
  std::string big;
  const size_t size = static_cast<size_t>(field.GetDataSize());
  char* raw = small;
  if (size > sizeof small) {
    big.resize(size);
    raw = big.data();
  }
  std::string_view text;
  if (field.GetData(raw)) text = std::string_view(raw, strnlen(raw, size));
  const std::string* keyText = std::get_if<std::string>(&key);
  return LocateTextMatches(text, keyText ? std::string_view(*keyText) : LocateKeyText(key), options);
}

bool LocateRecordMatches(const std::vector<TField*>& fields, const std::vector<TFieldValue>& keys, int options) {
  for (size_t i = 0; i < fields.size(); ++i) {
    const TFieldValue& key = i < keys.size() ? keys[i] : TFieldValue();
    if (!LocateFieldMatches(*fields[i], key, options)) return false;
  }
  return true;
}
