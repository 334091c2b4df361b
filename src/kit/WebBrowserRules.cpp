// The embedded web browser's rules that need no window.
#include "kit/WebBrowserRules.h"

#include <cstring>

#include "platform/Classes.h"

namespace {

// The first fifteen options are the mask's bits 4 to 18; the last four its
// top four bits.
constexpr int kLowOptions = 15;
constexpr int kOptionCount = 19;

uint32_t BitOf(int option) {
  return option < kLowOptions ? uint32_t(0x10) << option : uint32_t(0x10000000) << (option - kLowOptions);
}

constexpr uint32_t kKeyFirst = 0x100;  // WM_KEYFIRST
constexpr uint32_t kKeyLast = 0x109;   // WM_KEYLAST
constexpr uint32_t kKeyDown = 0x100;
constexpr uint32_t kKeyUp = 0x101;
constexpr uintptr_t kBack = 0x08, kTab = 0x09, kLeft = 0x25, kRight = 0x27;

}  // namespace

uint32_t DlOptionsToMask(TDlOptions options) {
  uint32_t mask = 0;
  for (int i = 0; i < kOptionCount; ++i)
    if (options.Contains(TDlControlOptions(i))) mask |= BitOf(i);
  return mask;
}

TDlOptions DlOptionsFromMask(uint32_t mask) {
  TDlOptions options;
  for (int i = 0; i < kOptionCount; ++i)
    if (mask & BitOf(i)) options.Include(TDlControlOptions(i));
  return options;
}

TBrowserKeyRoute RouteBrowserKey(uint32_t message, uintptr_t key, bool inBrowser, bool busy) {
  TBrowserKeyRoute route;
  if (!inBrowser || busy || message < kKeyFirst || message > kKeyLast) return route;
  const bool pressOrRelease = message == kKeyDown || message == kKeyUp;
  if (pressOrRelease && (key == kBack || key == kLeft || key == kRight)) return route;
  route.UIActivate = pressOrRelease && key == kTab;
  route.Translate = true;
  return route;
}

TBrowserText TBrowserText::FromLines(const TStrings& lines) { return TBrowserText(lines.GetTextStr()); }

uint32_t TBrowserText::Read(void* buffer, uint32_t count) {
  if (FPos >= FText.size()) return 0;
  const uint64_t left = FText.size() - FPos;
  const uint32_t n = left < count ? uint32_t(left) : count;
  std::memcpy(buffer, FText.data() + FPos, n);
  FPos += n;
  return n;
}

bool TBrowserText::Seek(int64_t offset, int origin, uint64_t& newPosition) {
  int64_t base = 0;
  switch (origin) {
    case 0:
      break;
    case 1:
      base = int64_t(FPos);
      break;
    case 2:
      base = int64_t(FText.size());
      break;
    default:
      return false;
  }
  const int64_t place = base + offset;
  if (place < 0) return false;
  FPos = uint64_t(place);
  newPosition = FPos;
  return true;
}
