// The clipboard history's rules.
#include "app/tools/ClipboardHistory.h"

TClipboardHistory::TClipboardHistory(IClipboardText& clipboard) : FClipboard(clipboard) {}

bool TClipboardHistory::Change() {
  const uint32_t sequence = FClipboard.Sequence();
  if (FSkipNextChange) {
    FSequence = sequence;
    FHaveSequence = true;
    return false;
  }
  // One change may be announced more than once (an X program's copy after
  // ours is): the second notice finds the number already taken.
  if (FHaveSequence && sequence == FSequence) return false;
  std::string text;
  if (!FClipboard.ReadText(text)) return false;
  FSequence = sequence;
  FHaveSequence = true;
  for (int i = 0; i + 1 < kEntries; ++i) FEntries[size_t(i)] = std::move(FEntries[size_t(i + 1)]);
  FEntries[kEntries - 1] = std::move(text);
  FIndex = kEntries;
  FForwardEnabled = false;
  FBackEnabled = true;
  return true;
}

void TClipboardHistory::Put() {
  // Stepping through empty entries is allowed, but an empty one never
  // replaces what the clipboard holds.
  const std::string& text = Entry(FIndex);
  if (text.empty()) return;
  FSkipNextChange = true;
  try {
    FClipboard.PutText(text);
  } catch (...) {
    FSkipNextChange = false;
    throw;
  }
  FSkipNextChange = false;
  // Taken again after the put: a late notice of the put finds it taken, and
  // a notice that came under the flag from elsewhere cannot hide a later change.
  FSequence = FClipboard.Sequence();
  FHaveSequence = true;
}

void TClipboardHistory::Back() {
  if (FIndex > 1) {
    --FIndex;
    FForwardEnabled = true;
    Put();
  }
  if (FIndex == 1) FBackEnabled = false;
}

void TClipboardHistory::Forward() {
  if (FIndex < kEntries) {
    ++FIndex;
    FBackEnabled = true;
    Put();
  }
  if (FIndex == kEntries) FForwardEnabled = false;
}
