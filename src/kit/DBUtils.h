// The rules by which Locate matches a record against key values: texts in
// the locale order, without case with loCaseInsensitive and only up to the
// key's length with loPartialKey; other kinds by value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/DataSet.h"

// A key as the text a text field is matched against.
std::string LocateKeyText(const TFieldValue& key);
// A text against a key text; a field of the current record against a key;
// every key field of the current record against its key.
bool LocateTextMatches(std::string_view text, std::string_view key, int options);
bool LocateFieldMatches(const TField& field, const TFieldValue& key, int options);
bool LocateRecordMatches(const std::vector<TField*>& fields, const std::vector<TFieldValue>& keys, int options);
