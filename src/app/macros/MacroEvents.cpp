// Macro records and the player's key sequence.
#include "app/macros/MacroEvents.h"

#include "editor/KeyCodes.h"

namespace {

constexpr uint32_t kVkShift = vkShift, kVkControl = vkControl, kVkMenu = vkMenu;
constexpr uint32_t kVkLShift = 0xA0, kVkLControl = 0xA2, kVkLMenu = 0xA4;
constexpr uint32_t kVkCapital = 0x14, kVkNumLock = 0x90, kVkScroll = 0x91;
constexpr uint32_t kRightShiftScan = 0x36;
constexpr uint32_t kLParamContext = 1u << 29, kLParamPrevious = 1u << 30, kLParamUp = 1u << 31;
constexpr uint32_t kLParamExtended = 1u << 24;

void Put32(unsigned char* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint32_t Get32(const unsigned char* in) {
  return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

bool IsDown(uint32_t message) { return message == kWmKeyDown || message == kWmSysKeyDown; }
bool IsSys(uint32_t message) { return message == kWmSysKeyDown || message == kWmSysKeyUp; }

// The left or right key behind a generic Shift, Ctrl or Alt, or 0.
uint32_t SideKey(uint32_t vk, bool extended, uint32_t scan) {
  if (vk == kVkShift) return scan == kRightShiftScan ? kVkLShift + 1 : kVkLShift;
  if (vk == kVkControl) return extended ? kVkLControl + 1 : kVkLControl;
  if (vk == kVkMenu) return extended ? kVkLMenu + 1 : kVkLMenu;
  return 0;
}

}  // namespace

void EncodeMacroEvent(const TMacroEvent& event, unsigned char* out) {
  Put32(out, event.Message);
  Put32(out + 4, event.ParamL);
  Put32(out + 8, event.ParamH);
  Put32(out + 12, event.Time);
  Put32(out + 16, event.Hwnd);
}

TMacroEvent DecodeMacroEvent(const unsigned char* in) {
  return {Get32(in), Get32(in + 4), Get32(in + 8), Get32(in + 12), Get32(in + 16)};
}

std::vector<TMacroEvent> DecodeMacroEvents(const std::string& bytes) {
  std::vector<TMacroEvent> events;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t at = 0; at + kMacroRecordSize <= bytes.size(); at += kMacroRecordSize)
    events.push_back(DecodeMacroEvent(data + at));
  return events;
}

bool IsMacroKeyMessage(uint32_t message) {
  return message == kWmKeyDown || message == kWmKeyUp || message == kWmSysKeyDown || message == kWmSysKeyUp;
}

TMacroEvent MakeKeyEvent(uint32_t message, uint32_t wParam, uint32_t lParam, uint32_t time, uint64_t hwnd) {
  TMacroEvent event;
  event.Message = message;
  event.ParamL = (wParam & 0xFF) | ((lParam >> 16) << 8);
  event.ParamH = (lParam & 0x7FFF) | ((lParam & kLParamExtended) ? 0x8000u : 0u);
  event.Time = time;
  event.Hwnd = static_cast<uint32_t>(hwnd);
  return event;
}

bool IsPlayableEvent(const TMacroEvent& event) {
  const uint32_t vk = event.ParamL & 0xFF;
  return IsMacroKeyMessage(event.Message) && vk != 0 && vk != 255;
}

TMacroPlayer::TMacroPlayer(const std::vector<TMacroEvent>& events, const TKeyState& startState) {
  for (const TMacroEvent& e : events)
    if (IsPlayableEvent(e)) FEvents.push_back(e);
  for (size_t vk = 0; vk < FState.size(); ++vk) FState[vk] = startState[vk] & 0x01;
}

void TMacroPlayer::Press(uint32_t vk, bool extended, uint32_t scan) {
  if (!(FState[vk] & 0x80) && (vk == kVkCapital || vk == kVkNumLock || vk == kVkScroll)) FState[vk] ^= 0x01;
  FState[vk] |= 0x80;
  if (uint32_t side = SideKey(vk, extended, scan)) FState[side] |= 0x80;
}

void TMacroPlayer::Release(uint32_t vk, bool extended, uint32_t scan) {
  if (uint32_t side = SideKey(vk, extended, scan)) {
    FState[side] &= 0x7F;
    // A generic modifier stays down while its other side is.
    const uint32_t other = side ^ 1u;
    if (FState[other] & 0x80) return;
  }
  FState[vk] &= 0x7F;
}

bool TMacroPlayer::Next(TMacroKey& key) {
  if (AtEnd()) return false;
  const TMacroEvent& e = FEvents[FNext++];
  const uint32_t vk = e.ParamL & 0xFF;
  const uint32_t scan = (e.ParamL >> 8) & 0xFF;
  const bool extended = (e.ParamH & 0x8000) != 0 || ((e.ParamL >> 16) & 0x01) != 0;
  uint32_t repeat = e.ParamH & 0x7FFF;
  if (repeat == 0) repeat = 1;
  const bool down = IsDown(e.Message);
  const bool wasDown = (FState[vk] & 0x80) != 0;
  const bool altDown = vk == kVkMenu || (FState[kVkMenu] & 0x80) != 0;
  uint32_t lParam = repeat | scan << 16;
  if (extended) lParam |= kLParamExtended;
  if (IsSys(e.Message) && altDown) lParam |= kLParamContext;
  if (!down || wasDown) lParam |= kLParamPrevious;
  if (!down) lParam |= kLParamUp;
  if (down) {
    Press(vk, extended, scan);
  } else {
    Release(vk, extended, scan);
  }
  key.Message = e.Message;
  key.WParam = vk;
  key.LParam = lParam;
  key.State = FState;
  return true;
}

std::vector<TMacroKey> TMacroPlayer::Releases() const {
  // The player starts with no key down, so every key down now is the
  // macro's. A left or right modifier goes up with its generic key.
  std::vector<TMacroKey> keys;
  TKeyState state = FState;
  for (uint32_t vk = 1; vk < 255; ++vk) {
    if (!(FState[vk] & 0x80)) continue;
    state[vk] &= 0x7F;
    const bool side = vk >= kVkLShift && vk <= kVkLMenu + 1;
    if (side && (FState[kVkShift + (vk - kVkLShift) / 2] & 0x80)) continue;
    // A plain key-up, also for Alt: a system key-up of a lone Alt would open
    // the menu bar.
    TMacroKey key;
    key.Message = kWmKeyUp;
    key.WParam = vk;
    key.LParam = 1u | kLParamPrevious | kLParamUp;
    keys.push_back(key);
  }
  for (TMacroKey& key : keys) key.State = state;
  return keys;
}
