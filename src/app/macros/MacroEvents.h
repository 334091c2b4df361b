// Keyboard macro records and their playback sequence. A macro file is a
// plain run of 20-byte records in the layout of the system's journal event
// record, so macros recorded by the journal on Windows play here and ours
// play there. TMacroPlayer turns the records back into key messages with the
// keyboard state each one implies.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kWmKeyDown = 0x100;
constexpr uint32_t kWmKeyUp = 0x101;
constexpr uint32_t kWmSysKeyDown = 0x104;
constexpr uint32_t kWmSysKeyUp = 0x105;
// The key that ends a recording (Ctrl+Break gives it).
constexpr uint32_t kVkCancel = 3;

constexpr int kMacroRecordSize = 20;

struct TMacroEvent {
  uint32_t Message = 0;
  // Low byte the virtual key, then the high word of the key message's
  // lParam (scan code, then its flag byte).
  uint32_t ParamL = 0;
  // The repeat count; bit 15 marks an extended key.
  uint32_t ParamH = 0;
  uint32_t Time = 0;  // milliseconds since the start of the recording
  uint32_t Hwnd = 0;  // low 32 bits of the window handle; never used for playing
  bool operator==(const TMacroEvent&) const = default;
};

// Little-endian, fields in the order above.
void EncodeMacroEvent(const TMacroEvent& event, unsigned char* out);
TMacroEvent DecodeMacroEvent(const unsigned char* in);
// The records of a macro file's bytes; the size must be a whole number of
// records (the caller checks).
std::vector<TMacroEvent> DecodeMacroEvents(const std::string& bytes);

bool IsMacroKeyMessage(uint32_t message);
// The record of a key message as the window system delivers it.
TMacroEvent MakeKeyEvent(uint32_t message, uint32_t wParam, uint32_t lParam, uint32_t time, uint64_t hwnd);
// Whether a record is played: one of the four key messages with a real key
// (codes 0 and 255 are no keys).
bool IsPlayableEvent(const TMacroEvent& event);

using TKeyState = std::array<uint8_t, 256>;

// One key message to deliver, and the thread's keyboard state while it is
// handled.
struct TMacroKey {
  uint32_t Message = 0;
  uint32_t WParam = 0;
  uint32_t LParam = 0;
  TKeyState State{};
};

class TMacroPlayer {
public:
  // Keeps the playable records. The starting state is the keyboard's: its
  // toggles stay, but no key counts as held, so a macro plays as recorded
  // whatever the user holds when choosing it.
  TMacroPlayer(const std::vector<TMacroEvent>& events, const TKeyState& startState);

  bool Empty() const { return FEvents.empty(); }
  size_t Count() const { return FEvents.size(); }
  bool AtEnd() const { return FNext >= FEvents.size(); }
  // The next record as a key message, with the state after it.
  bool Next(TMacroKey& key);
  // Key-ups for every key the macro pressed and has not released, and the
  // state once they are up: an ended or broken macro leaves no Ctrl held.
  std::vector<TMacroKey> Releases() const;
  const TKeyState& State() const { return FState; }

private:
  void Press(uint32_t vk, bool extended, uint32_t scan);
  void Release(uint32_t vk, bool extended, uint32_t scan);

  std::vector<TMacroEvent> FEvents;
  size_t FNext = 0;
  TKeyState FState{};
};
