// TRecorder.
#include "app/macros/Recorder.h"

#include <filesystem>
#include <system_error>

#include "platform/SysUtils.h"

TRecorder* MacroRecorder = nullptr;

namespace {

std::string StreamBytes(TMemoryStream& stream, int64_t from) {
  const auto* data = static_cast<const char*>(stream.GetMemory());
  return std::string(data + from, data + stream.GetSize());
}

}  // namespace

TRecorder::TRecorder(IRecorderHooks& hooks) : FHooks(hooks) {}

TRecorder::~TRecorder() {
  try {
    Stop();
  } catch (...) {
    // A destructor reports nothing; the hook is gone either way.
  }
}

void TRecorder::Stop() {
  FContinue = false;
  SetState(rsIdle);
}

void TRecorder::SetState(int state) {
  const uint8_t old = FState;
  if (state == rsIdle) {
    FHooks.RemoveHook();
    if (FPlayer) {
      const std::vector<TMacroKey> releases = FPlayer->Releases();
      FPlayer.reset();
      if (!releases.empty()) FHooks.ReleaseKeys(releases);
    }
  }
  FState = static_cast<uint8_t>(state);
  if (OnStateChange && FState != old) OnStateChange(FState);
}

void TRecorder::DoRecord(bool append) {
  if (FState != rsIdle) throw Exception("Recorder: NotReady to record.");
  const uint32_t now = FHooks.TickCount();
  const int64_t records = FEvents.GetSize() / kMacroRecordSize;
  if (append && records > 0) {
    // The times go on from the last record.
    const auto* data = static_cast<const unsigned char*>(FEvents.GetMemory());
    const TMacroEvent last = DecodeMacroEvent(data + (records - 1) * kMacroRecordSize);
    FEvents.SetSize(records * kMacroRecordSize);
    FEvents.Seek(0, soEnd);
    FStartTick = now - last.Time;
  } else {
    FEvents.Clear();
    FStartTick = now;
  }
  if (!FHooks.InstallRecordHook()) throw Exception("JournalHook cannot be created");
  SetState(rsRecording);
}

void TRecorder::RecordKey(uint32_t message, uint32_t wParam, uint32_t lParam, uint64_t hwnd) {
  if (FState != rsRecording || !IsMacroKeyMessage(message)) return;
  FCurrent = MakeKeyEvent(message, wParam, lParam, FHooks.TickCount() - FStartTick, hwnd);
  if ((wParam & 0xFF) == kVkCancel) SetState(rsIdle);
  unsigned char record[kMacroRecordSize];
  EncodeMacroEvent(FCurrent, record);
  FEvents.WriteBuffer(record, kMacroRecordSize);
}

void TRecorder::DoPlay(bool cont) {
  if (FState != rsIdle) throw Exception("Recorder: Not ready to play.");
  int64_t from = 0;
  if (cont) from = FEvents.GetPosition() / kMacroRecordSize * kMacroRecordSize;
  auto player = std::make_unique<TMacroPlayer>(DecodeMacroEvents(StreamBytes(FEvents, from)),
                                               FHooks.KeyboardState());
  if (player->Empty()) throw Exception("Recorder: Nothing to play");
  if (!FHooks.InstallPlayHook()) throw Exception("Playback hook cannot be created");
  FPlayer = std::move(player);
  FStartTick = FHooks.TickCount();
  SetState(rsPlaying);
}

bool TRecorder::NextKey(TMacroKey& key) {
  if (FState != rsPlaying || !FPlayer) return false;
  if (FPlayer->Next(key)) return true;
  SetState(rsIdle);
  return false;
}

void TRecorder::LoadFromFile(const std::string& fileName) {
  if (FState != rsIdle) throw Exception("Recorder: Not ready to play.");
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  const std::string bytes = file.ReadRemaining();
  if (bytes.size() % kMacroRecordSize != 0)
    throw Exception(Format("Recorder: %s is not a macro file (its size is not a whole number of records).",
                           fileName.c_str()));
  FEvents.Clear();
  FEvents.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  FEvents.Seek(0, soBeginning);
}

void TRecorder::SaveToFile(const std::string& fileName) const {
  const std::string temporary = fileName + ".saving";
  try {
    TFileStream file(temporary, fmCreate);
    file.WriteBuffer(FEvents.GetMemory(), FEvents.GetSize());
  } catch (...) {
    FileDelete(temporary);
    throw;
  }
  std::error_code error;
  std::filesystem::rename(temporary, fileName, error);
  if (error) {
    FileDelete(temporary);
    throw EFCreateError("Cannot create file " + fileName);
  }
}
