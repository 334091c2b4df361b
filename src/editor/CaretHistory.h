// TktCaretHistory: where the caret has been, for back and forward
// navigation. A position is recorded when the caret moves, but not more than
// once a second, and not while the history itself moves the caret.
#pragma once

#include <functional>
#include <vector>

#include "platform/Types.h"

class TktCaretHistory {
public:
  // The clock answers date-time values (days; the fraction is the time of day).
  using TClock = std::function<double()>;

  TktCaretHistory();

  // The caret moved to caret (1-based). Recorded when at least a second has
  // passed since the current entry's stamp: the entries after the current
  // one are dropped and caret becomes the new current entry.
  void Record(TPoint caret);
  // One entry back or forward, then navigate(the entry's point) with
  // recording off (it moves the caret).
  void Step(bool back, const std::function<void(TPoint)>& navigate);
  bool CanBack() const { return FIndex > 0; }
  bool CanForward() const { return FIndex < int(FEntries.size()) - 1; }
  bool IsNavigating() const { return FNavigating; }
  int GetIndex() const { return FIndex; }
  int GetCount() const { return int(FEntries.size()); }
  TPoint GetPoint(int index) const { return FEntries[size_t(index)].Point; }

  void SetClock(TClock clock) { FClock = std::move(clock); }
  // Now as a date-time value (days since 30 December 1899, UTC).
  static double SystemNow();

private:
  struct TEntry {
    TPoint Point;
    double Stamp = 0;
  };
  std::vector<TEntry> FEntries;
  int FIndex = 0;
  bool FNavigating = false;
  TClock FClock;
};
