// TRecorder: the keyboard macro recorder's states (0 idle, 1 recording,
// 2 playing), its events and its macro files. The window system's side (a
// message hook on the user-interface thread that feeds RecordKey and
// delivers the player's keys) comes in through IRecorderHooks, so every rule
// here runs without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/macros/MacroEvents.h"
#include "platform/Streams.h"

enum TRecorderState : uint8_t { rsIdle = 0, rsRecording = 1, rsPlaying = 2 };

class IRecorderHooks {
public:
  virtual ~IRecorderHooks() = default;
  virtual bool InstallRecordHook() = 0;
  // Playback starts delivering player's keys once installed.
  virtual bool InstallPlayHook() = 0;
  // Removes whatever is installed; nothing stays after it.
  virtual void RemoveHook() = 0;
  // Delivers the key-ups a playback leaves to give, with the final state.
  virtual void ReleaseKeys(const std::vector<TMacroKey>& keys) = 0;
  virtual uint32_t TickCount() = 0;
  virtual TKeyState KeyboardState() = 0;
};

class TRecorder {
public:
  explicit TRecorder(IRecorderHooks& hooks);
  ~TRecorder();
  TRecorder(const TRecorder&) = delete;
  TRecorder& operator=(const TRecorder&) = delete;

  void Record() { DoRecord(FContinue); }
  void Play() { DoPlay(FContinue); }
  void Stop();
  // Every end of a recording or a playback passes here: 0 removes the hook
  // and releases what a playback holds down.
  void SetState(int state);
  int GetState() const { return FState; }

  // Refused unless idle; the events stay as they were when it fails.
  void LoadFromFile(const std::string& fileName);
  // Through a temporary file, so a failed save keeps the older macro.
  void SaveToFile(const std::string& fileName) const;

  void DoRecord(bool append);
  void DoPlay(bool cont);

  // The hook's side. A key message the thread removed while recording;
  // the Break key ends the recording and is stored too.
  void RecordKey(uint32_t message, uint32_t wParam, uint32_t lParam, uint64_t hwnd);
  // The next key of the playback; false when it has ended (state 0).
  bool NextKey(TMacroKey& key);

  TMemoryStream& Events() { return FEvents; }
  const TMacroEvent& CurrentEvent() const { return FCurrent; }
  int32_t GetSpeed() const { return FSpeed; }
  bool GetContinue() const { return FContinue; }
  void SetContinue(bool value) { FContinue = value; }

  std::function<void(int state)> OnStateChange;

private:
  IRecorderHooks& FHooks;
  TMacroEvent FCurrent;
  uint8_t FState = rsIdle;
  TMemoryStream FEvents;
  uint32_t FStartTick = 0;
  // Recorded pauses are not played: every key goes at the next turn of the
  // message loop.
  int32_t FSpeed = 0;
  bool FContinue = false;
  std::unique_ptr<TMacroPlayer> FPlayer;
};

// The one recorder, made and freed by the program.
extern TRecorder* MacroRecorder;
