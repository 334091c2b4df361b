// KeywordTable: groups the listed words by hash entry once, at construction.
#include "highlighters/KeywordTable.h"

#include <algorithm>
#include "platform/SysUtils.h"

TKeywordTable::TKeywordTable(const TCharTables& tables, int tableSize, TKeywordCompare compare,
                             std::initializer_list<TKeywordDef> words, THashFunc hash)
    : FTables(tables), FTableSize(tableSize), FCompare(compare), FHash(hash) {
  std::vector<std::pair<int, TKeywordDef>> byHash;
  byHash.reserve(words.size());
  for (const TKeywordDef& w : words) {
    const int h = HashOf(w.Word);
    // A word outside the table could never be found: a fault in the list.
    if (h < 0 || h >= tableSize) throw Exception("keyword outside its hash table");
    byHash.emplace_back(h, w);
  }
  std::stable_sort(byHash.begin(), byHash.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  FFirst.assign(static_cast<size_t>(tableSize) + 1, 0);
  for (const auto& [h, w] : byHash) {
    FWords.push_back(w);
    ++FFirst[static_cast<size_t>(h) + 1];
  }
  for (size_t i = 1; i < FFirst.size(); ++i) FFirst[i] += FFirst[i - 1];
}

int TKeywordTable::HashOf(std::string_view word) const {
  if (FHash) return FHash(FTables, word);
  int h = 0;
  for (char c : word) h += FTables.Hash(c);
  return h;
}

int TKeywordTable::UsedEntries() const {
  int n = 0;
  for (int h = 0; h < FTableSize; ++h)
    if (FFirst[static_cast<size_t>(h) + 1] > FFirst[static_cast<size_t>(h)]) ++n;
  return n;
}

std::vector<TKeywordDef> TKeywordTable::Entry(int hash) const {
  if (hash < 0 || hash >= FTableSize) return {};
  return std::vector<TKeywordDef>(FWords.begin() + FFirst[static_cast<size_t>(hash)],
                                  FWords.begin() + FFirst[static_cast<size_t>(hash) + 1]);
}
