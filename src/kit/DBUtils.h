// Data-set helpers shared by every table: locating a record by key values.
#pragma once

#include <string_view>
#include <vector>

#include "platform/DataSet.h"

// Moves to the first record whose key fields (";"-separated) match the
// values (one per field), staying put when the current record already
// matches; when none does, the cursor goes back where it was. Texts
// compare in the locale order, without case with loCaseInsensitive and
// only up to the key's length with loPartialKey.
bool DataSetLocateThru(TDataSet& dataSet, std::string_view keyFields, const std::vector<TFieldValue>& keyValues,
                       int options);
