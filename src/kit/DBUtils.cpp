// Locate over any table. See DBUtils.h.
#include "kit/DBUtils.h"

#include <algorithm>
#include <type_traits>

namespace {

bool FieldMatches(const TField& field, const TFieldValue& key, int options) {
  if (field.GetDataType() != ftString) return FieldValuesEqual(field.GetValue(), key);
  const std::string* keyText = std::get_if<std::string>(&key);
  std::string_view want;
  std::string scratch;
  if (keyText) {
    want = *keyText;
  } else if (std::holds_alternative<std::monostate>(key)) {
    return field.IsNull();
  } else {
    scratch = std::visit(
        [](const auto& v) -> std::string {
          using V = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<V, int64_t>) return IntToStr(v);
          else if constexpr (std::is_same_v<V, double>) return FloatToStrG(v, 15);
          else if constexpr (std::is_same_v<V, bool>) return v ? "True" : "False";
          else return std::string();
        },
        key);
    want = scratch;
  }
  std::string text = field.GetAsString();
  if (options & loPartialKey) text.resize(std::min(text.size(), want.size()));
  return LocaleCompare(text, want, (options & loCaseInsensitive) != 0) == 0;
}

bool RecordMatches(const std::vector<TField*>& fields, const std::vector<TFieldValue>& keys, int options) {
  for (size_t i = 0; i < fields.size(); ++i) {
    const TFieldValue& key = i < keys.size() ? keys[i] : TFieldValue();
    if (!FieldMatches(*fields[i], key, options)) return false;
  }
  return true;
}

}  // namespace

bool DataSetLocateThru(TDataSet& dataSet, std::string_view keyFields, const std::vector<TFieldValue>& keyValues,
                       int options) {
  dataSet.CheckBrowseMode();
  if (dataSet.GetBof() && dataSet.GetEof()) return false;
  const std::vector<TField*> fields = dataSet.GetFieldList(keyFields);
  if (RecordMatches(fields, keyValues, options)) return true;
  bool found = false;
  dataSet.DisableControls();
  try {
    const TBookmark bookmark = dataSet.GetBookmark();
    dataSet.First();
    while (!dataSet.GetEof()) {
      if (RecordMatches(fields, keyValues, options)) {
        found = true;
        break;
      }
      dataSet.Next();
    }
    if (!found && dataSet.BookmarkValid(bookmark)) dataSet.GotoBookmark(bookmark);
  } catch (...) {
    dataSet.EnableControls();
    throw;
  }
  dataSet.EnableControls();
  return found;
}
