// TktEditSearch: the search engine behind the editing control's search and
// replace. Finds every occurrence of a pattern in one text with a skip search
// (a character table tells how far the window may jump) and keeps the 1-based
// start positions of the hits, which the control walks and corrects after
// replacements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TktEditSearch {
public:
  TktEditSearch();
  virtual ~TktEditSearch() = default;

  // Setting a different pattern rebuilds the skip tables; every set resets
  // the hit count. An empty pattern raises Exception "Pattern is empty" and
  // is stored, so later searches find nothing until a valid one is set.
  void SetPattern(const std::string& pattern);
  const std::string& GetPattern() const { return FPattern; }

  // Case sensitivity; a change rebuilds the comparison and skip tables, so a
  // pattern set before the change still searches correctly.
  void SetSensitive(bool value);
  bool GetSensitive() const { return FSensitive; }

  // Whole words only: a hit must stand between non-alphanumeric characters.
  bool Whole = false;

  // Clears the results and stores every hit; returns their number. Hits never
  // overlap: "aaaa" holds "aa" at 1 and 3.
  int FindAll(std::string_view text);

  // Starts a search over text and returns the first hit (1-based) or 0. Next
  // returns the following hit or 0. The text must stay alive and unchanged
  // until the last Next.
  int FindFirst(std::string_view text);
  int Next();

  // A stored hit; 0 for an index outside the list.
  int GetResults(int index) const;
  int GetResultCount() const { return int(FResults.size()); }
  // Hits found since the pattern was last set.
  int GetCount() const { return FCount; }

  // After a hit was replaced by a text of another length: every stored
  // position greater than first moves by -delta.
  void FixResults(int first, int delta);

protected:
  // Whether the candidate hit ending at FRun has a non-alphanumeric
  // neighbour (or the end of the text) on both sides.
  virtual bool IsWordBound();

  // The text being searched and the index of the last character of the
  // candidate hit under test.
  std::string_view FText;
  std::ptrdiff_t FRun = -1;

private:
  void BuildTables();
  // Start (0-based) of the leftmost hit at or after from, or -1.
  std::ptrdiff_t Search(std::ptrdiff_t from);
  template <bool Fold> std::ptrdiff_t SkipSearch(std::ptrdiff_t from);
  std::ptrdiff_t VectorSearch(std::ptrdiff_t from);
  template <bool Twins> std::ptrdiff_t VectorSearchImpl(std::ptrdiff_t from);
  bool Verify(std::ptrdiff_t start) const;

  std::string FPattern;
  int FPatLen = 0;
  int FCount = 0;
  int FLookAt = 1;        // from the pattern's last character back to its previous twin
  bool FSensitive = false;
  // invariant: FFolded == FPattern mapped through FCase, and FShift/FLookAt
  // were built from FFolded; every setter that changes either rebuilds them.
  uint8_t FCase[256];     // comparison form of every character
  int FShift[256];        // how far the window may move given the character after it
  std::string FFolded;
  const bool* FAlphaNumeric;
  // The bytes whose comparison form equals the pattern's first and last
  // character (two each, repeated when there is one); FVectorOk when no
  // character has more than two, so 16 windows can be tested at once.
  uint8_t FFirstBytes[2] = {0, 0};
  uint8_t FLastBytes[2] = {0, 0};
  bool FVectorOk = false;
  std::ptrdiff_t FNext = 0;  // where the next hit may start (hits never overlap)
  std::vector<int> FResults;
};
