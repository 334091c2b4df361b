// The macro recorder's hook and key delivery.
#include "app/macros/win/MacroHook.h"

#include "platform/win/WinApi.h"

#include "platform/win/Application.h"

namespace {

// Our own posted keys carry this reserved lParam bit until the hook takes
// them from the queue and clears it: the window never sees it, and any key
// without it during a playback is the user's.
constexpr LPARAM kPlayedMark = 0x10000000;
// A step waits behind what the last key left in the queue (the character
// TranslateMessage posts, what a handler posted), but not forever.
constexpr int kMaxStepWaits = 16;

UINT StepMessage() {
  static const UINT message = ::RegisterWindowMessageA("TarnquillMacroStep");
  return message;
}

bool IsMouseButtonMessage(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN: case WM_XBUTTONUP: case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_NCMBUTTONDBLCLK:
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL:
      return true;
    default:
      return false;
  }
}

// Where a typed key would go: the focused window, or, while the program is
// in the background, the active form's active control.
HWND KeyTarget() {
  if (HWND focus = ::GetFocus()) return focus;
  if (Application) {
    if (TForm* form = Application->GetActiveForm()) {
      TWinControl* control = form->GetActiveControl();
      if (control && control->HandleAllocated()) return control->GetHandle();
      if (form->HandleAllocated()) return form->GetHandle();
    }
    if (TForm* main = Application->GetMainForm(); main && main->HandleAllocated()) return main->GetHandle();
  }
  return nullptr;
}

class TMacroHooks : public IRecorderHooks {
public:
  ~TMacroHooks() override { RemoveHook(); }

  bool InstallRecordHook() override { return Install(); }
  bool InstallPlayHook() override {
    if (!Install()) return false;
    FPlaying = true;
    FWaits = 0;
    PostStep();
    return true;
  }
  void RemoveHook() override {
    FPlaying = false;
    if (FHook) ::UnhookWindowsHookEx(FHook);
    FHook = nullptr;
  }
  void ReleaseKeys(const std::vector<TMacroKey>& keys) override {
    if (keys.empty()) return;
    BYTE state[256];
    std::copy(keys.back().State.begin(), keys.back().State.end(), state);
    ::SetKeyboardState(state);
    const HWND target = KeyTarget();
    for (const TMacroKey& key : keys) ::PostMessageA(target, key.Message, key.WParam, LPARAM(key.LParam));
  }
  uint32_t TickCount() override { return ::GetTickCount(); }
  TKeyState KeyboardState() override {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    TKeyState result{};
    std::copy(std::begin(state), std::end(state), result.begin());
    return result;
  }

  static LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && Current && MacroRecorder) {
      try {
        Current->Handle(*reinterpret_cast<MSG*>(lParam));
      } catch (...) {
        // A failed delivery ends the playback like any other end.
        try {
          MacroRecorder->SetState(rsIdle);
        } catch (...) {
        }
        HandleCallbackException(nullptr);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static TMacroHooks* Current;

private:
  bool Install() {
    RemoveHook();
    FHook = ::SetWindowsHookExA(WH_GETMESSAGE, &GetMessageProc, nullptr, ::GetCurrentThreadId());
    return FHook != nullptr;
  }

  void PostStep() { ::PostThreadMessageA(::GetCurrentThreadId(), StepMessage(), 0, 0); }

  void Handle(MSG& msg) {
    TRecorder& recorder = *MacroRecorder;
    if (recorder.GetState() == rsRecording) {
      if (IsMacroKeyMessage(msg.message))
        recorder.RecordKey(msg.message, uint32_t(msg.wParam), uint32_t(msg.lParam),
                           uint64_t(reinterpret_cast<uintptr_t>(msg.hwnd)));
      return;
    }
    if (!FPlaying) return;
    if (!msg.hwnd && msg.message == StepMessage()) {
      msg.message = WM_NULL;
      Step();
      return;
    }
    if (IsMacroKeyMessage(msg.message)) {
      if (msg.lParam & kPlayedMark) {
        msg.lParam &= ~kPlayedMark;
        ::SetKeyboardState(FState);
        PostStep();
        return;
      }
      // The user's key, held back; Ctrl+Break ends the playback.
      const bool breakKey = msg.message == WM_KEYDOWN && (msg.wParam & 0xFF) == VK_CANCEL;
      msg.message = WM_NULL;
      if (breakKey) recorder.SetState(rsIdle);
      return;
    }
    if (IsMouseButtonMessage(msg.message)) msg.message = WM_NULL;
  }

  void Step() {
    if ((HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) && FWaits < kMaxStepWaits) {
      ++FWaits;
      PostStep();
      return;
    }
    FWaits = 0;
    TMacroKey key;
    if (!MacroRecorder->NextKey(key)) return;
    std::copy(key.State.begin(), key.State.end(), FState);
    ::PostMessageA(KeyTarget(), key.Message, key.WParam, LPARAM(key.LParam) | kPlayedMark);
  }

  HHOOK FHook = nullptr;
  bool FPlaying = false;
  int FWaits = 0;
  BYTE FState[256] = {};
};

TMacroHooks* TMacroHooks::Current = nullptr;

}  // namespace

TRecorder* CreateMacroRecorder() {
  FreeMacroRecorder();
  TMacroHooks::Current = new TMacroHooks();
  MacroRecorder = new TRecorder(*TMacroHooks::Current);
  return MacroRecorder;
}

void FreeMacroRecorder() {
  delete MacroRecorder;
  MacroRecorder = nullptr;
  delete TMacroHooks::Current;
  TMacroHooks::Current = nullptr;
}
