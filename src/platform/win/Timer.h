// TTimer: OnTimer every Interval milliseconds while Enabled, delivered
// through the message loop. Exceptions in OnTimer are reported through the
// application and the timer goes on.
#pragma once

#include "platform/Classes.h"
#include "platform/win/UtilWindow.h"

#include <memory>

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned interval);

  TNotifyEvent OnTimer;

protected:
  virtual void Timer();

private:
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  std::unique_ptr<TUtilityWindow> FWindow;
  bool FRunning = false;
};
