// TTimer.
#include "platform/win/Timer.h"

#include "platform/SysUtils.h"
#include "platform/win/Application.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  // The window system's timer runs while Enabled with a non-zero Interval;
  // a tick without an OnTimer handler does nothing.
  FWindow = std::make_unique<TUtilityWindow>([this](TMessage& msg) {
    if (msg.Msg != WM_TIMER) return false;
    try {
      Timer();
    } catch (...) {
      HandleCallbackException(this);
    }
    return true;
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FRunning) {
    ::KillTimer(FWindow->Handle(), kTimerId);
    FRunning = false;
  }
  if (FInterval != 0 && FEnabled) {
    if (!::SetTimer(FWindow->Handle(), kTimerId, FInterval, nullptr))
      throw EOutOfResources("Not enough timers available");
    FRunning = true;
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == FInterval) return;
  FInterval = interval;
  UpdateTimer();
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}
