// KeywordTable: the keywords of one highlighter held as data. Each word sits
// in the entry of its own hash value (the sum of the member's per-character
// hash values); a lookup hashes the word in the line once and compares it
// only with the few words of that one entry, in the order they are listed.
//
// Every member of the highlighter family shares this, so a new language is
// mostly a character table and a word list; the words' tags are the member's
// own (the token kind a word gives, or a rule the member applies).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// Per-character tables of one highlighter unit, built once at start-up.
struct TCharTables {
  std::array<bool, 256> Ident{};       // the character may continue an identifier
  std::array<int32_t, 256> HashValue{};  // the character's keyword-hash value

  bool IsIdent(char c) const { return Ident[static_cast<unsigned char>(c)]; }
  int32_t Hash(char c) const { return HashValue[static_cast<unsigned char>(c)]; }
};

struct TKeywordDef {
  std::string_view Word;
  uint8_t Tag = 0;
};

enum class TKeywordCompare {
  kcHashValues,  // equal length and equal hash value at every position
  kcExact,       // equal length and equal bytes (case-sensitive)
};

class TKeywordTable {
public:
  // The entry a word belongs to. The default sums the hash values of all its
  // characters; a member whose words hash otherwise (say, trailing digits
  // that lengthen a word without adding to its hash) passes its own.
  using THashFunc = int (*)(const TCharTables& tables, std::string_view word);

  // tableSize: the number of entries; a word whose hash is tableSize or more
  // cannot be a keyword. Every listed word must hash below it.
  TKeywordTable(const TCharTables& tables, int tableSize, TKeywordCompare compare,
                std::initializer_list<TKeywordDef> words, THashFunc hash = nullptr);

  int TableSize() const { return FTableSize; }
  int WordCount() const { return static_cast<int>(FWords.size()); }
  int UsedEntries() const;  // entries that hold at least one word
  // The entry a word belongs to.
  int HashOf(std::string_view word) const;
  // The words of entry hash, in listing order.
  std::vector<TKeywordDef> Entry(int hash) const;

  // The first word of entry hash that matches the length bytes at word, or
  // nullptr. A hash outside the table matches nothing.
  const TKeywordDef* Find(int hash, const char* word, size_t length) const {
    if (hash < 0 || hash >= FTableSize) return nullptr;
    for (int i = FFirst[static_cast<size_t>(hash)], e = FFirst[static_cast<size_t>(hash) + 1]; i < e; ++i) {
      const TKeywordDef& k = FWords[static_cast<size_t>(i)];
      if (k.Word.size() == length && Matches(k.Word, word)) return &k;
    }
    return nullptr;
  }

private:
  bool Matches(std::string_view keyword, const char* word) const {
    if (FCompare == TKeywordCompare::kcExact) return keyword.compare(0, keyword.size(), word, keyword.size()) == 0;
    for (size_t i = 0; i < keyword.size(); ++i)
      if (FTables.Hash(keyword[i]) != FTables.Hash(word[i])) return false;
    return true;
  }

  const TCharTables& FTables;
  int FTableSize;
  TKeywordCompare FCompare;
  THashFunc FHash;
  std::vector<TKeywordDef> FWords;  // grouped by entry, listing order kept inside
  std::vector<int> FFirst;          // entry h holds FWords[FFirst[h] .. FFirst[h+1])
};
