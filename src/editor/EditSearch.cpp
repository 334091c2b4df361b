// Skip search over one text: the window's last character is compared first;
// on a mismatch the character just after the window says how far to jump.
#include "editor/EditSearch.h"

#include "editor/CharClasses.h"
#include "platform/SysUtils.h"

TktEditSearch::TktEditSearch() : FAlphaNumeric(CharClasses().AlphaNumeric) {
  BuildTables();
}

void TktEditSearch::SetPattern(const std::string& pattern) {
  FCount = 0;
  if (pattern.empty()) {
    FPattern.clear();
    BuildTables();
    throw Exception("Pattern is empty");
  }
  if (pattern != FPattern) {
    FPattern = pattern;
    BuildTables();
  }
}

void TktEditSearch::SetSensitive(bool value) {
  if (value == FSensitive) return;
  FSensitive = value;
  BuildTables();
}

void TktEditSearch::BuildTables() {
  const TCharClassTable& classes = CharClasses();
  FAlphaNumeric = classes.AlphaNumeric;
  for (int c = 0; c < 256; ++c) FCase[c] = FSensitive ? uint8_t(c) : classes.Lower[c];

  const int m = int(FPattern.size());
  FPatLen = m;
  FFolded.resize(m);
  for (int i = 0; i < m; ++i) FFolded[i] = char(FCase[uint8_t(FPattern[i])]);

  for (int& s : FShift) s = m + 1;
  for (int i = 0; i < m; ++i) FShift[uint8_t(FFolded[i])] = m - i;  // later characters win
  FLookAt = 1;
  while (FLookAt < m && FFolded[m - 1] != FFolded[m - 1 - FLookAt]) ++FLookAt;
}

int TktEditSearch::FindAll(std::string_view text) {
  FResults.clear();
  for (int hit = FindFirst(text); hit != 0; hit = Next()) FResults.push_back(hit);
  return int(FResults.size());
}

int TktEditSearch::FindFirst(std::string_view text) {
  FText = text;
  FRun = -1;
  if (text.size() < size_t(FPatLen)) {
    FRun = std::ptrdiff_t(text.size());  // Next finds nothing more
    return 0;
  }
  return Next();
}

int TktEditSearch::Next() {
  if (FPatLen == 0) return 0;
  return FSensitive ? NextHit<false>() : NextHit<true>();
}

// Every read of the text is bounds-checked against its end: the window never
// peeks at the character after the text, it stops instead (no later hit can
// start there anyway).
template <bool Fold>
int TktEditSearch::NextHit() {
  const uint8_t* t = reinterpret_cast<const uint8_t*>(FText.data());
  const std::ptrdiff_t end = std::ptrdiff_t(FText.size());
  const std::ptrdiff_t m = FPatLen;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(FFolded.data());
  const uint8_t last = p[m - 1];
  const std::ptrdiff_t lookAt = FLookAt;
  auto fold = [this](uint8_t c) { return Fold ? FCase[c] : c; };

  std::ptrdiff_t run = FRun + m;
  while (run < end) {
    if (fold(t[run]) == last) {
      const std::ptrdiff_t start = run - m + 1;
      std::ptrdiff_t k = m - 2;
      while (k >= 0 && fold(t[start + k]) == p[k]) --k;
      if (k < 0) {
        FRun = run;
        if (!Whole || IsWordBound()) {
          ++FCount;
          return int(start + 1);
        }
      }
      if (run + lookAt >= end) break;
      run += FShift[fold(t[run + lookAt])] + lookAt - 1;
    } else {
      if (run + 1 >= end) break;
      run += FShift[fold(t[run + 1])];
    }
  }
  FRun = end;
  return 0;
}

bool TktEditSearch::IsWordBound() {
  const std::ptrdiff_t start = FRun - FPatLen + 1;
  const std::ptrdiff_t after = FRun + 1;
  const uint8_t* t = reinterpret_cast<const uint8_t*>(FText.data());
  if (start > 0 && FAlphaNumeric[t[start - 1]]) return false;
  if (after < std::ptrdiff_t(FText.size()) && FAlphaNumeric[t[after]]) return false;
  return true;
}

int TktEditSearch::GetResults(int index) const {
  if (index < 0 || index >= int(FResults.size())) return 0;
  return FResults[size_t(index)];
}

void TktEditSearch::FixResults(int first, int delta) {
  if (delta == 0 || FResults.empty()) return;
  for (size_t i = FResults.size(); i-- > 0;) {
    if (FResults[i] <= first) break;  // positions are ascending
    FResults[i] -= delta;
  }
}
