// Recording and stepping through caret positions.
#include "editor/CaretHistory.h"

#include <chrono>

namespace {

// Days from 30 December 1899 to 1 January 1970.
constexpr double kUnixEpochDays = 25569.0;

}  // namespace

TktCaretHistory::TktCaretHistory() : FEntries(1), FClock(&TktCaretHistory::SystemNow) {}

double TktCaretHistory::SystemNow() {
  using namespace std::chrono;
  const double seconds =
      duration_cast<duration<double>>(system_clock::now().time_since_epoch()).count();
  return kUnixEpochDays + seconds / 86400.0;
}

void TktCaretHistory::Record(TPoint caret) {
  if (FNavigating) return;
  const double now = FClock();
  // Compared with a microsecond to spare: a stamp one second later must
  // count although day fractions of that size lose digits near today's date.
  if ((now - FEntries[size_t(FIndex)].Stamp) * 86400.0 < 1.0 - 1e-6) return;
  ++FIndex;
  FEntries.resize(size_t(FIndex) + 1);
  FEntries.back() = TEntry{caret, now};
}

void TktCaretHistory::Step(bool back, const std::function<void(TPoint)>& navigate) {
  FNavigating = true;
  if (back) {
    if (FIndex > 0) --FIndex;
  } else if (FIndex < int(FEntries.size()) - 1) {
    ++FIndex;
  }
  try {
    navigate(FEntries[size_t(FIndex)].Point);
  } catch (...) {
    FNavigating = false;
    throw;
  }
  FNavigating = false;
}
