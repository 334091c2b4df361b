// Work for a dialog's modal loop: each piece runs once the form is up
// modally, from a timer inside its loop. What the work leaves undecided ends
// as Abort, so a lost step fails the test instead of hanging it.
// RunInModal does the same for work that sends real input, which gets a
// while to end the form first.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/win/Forms.h"
#include "platform/win/RealInput.h"
#include "platform/win/Timer.h"

class TModalWork {
public:
  void Later(TForm& form, std::function<void()> work) {
    FTimers.push_back(std::make_unique<TTimer>(nullptr));
    TTimer* timer = FTimers.back().get();
    timer->SetInterval(50);
    timer->OnTimer = [timer, &form, work](TObject*) {
      if (!form.IsModal()) return;
      timer->SetEnabled(false);
      work();
      if (form.GetModalResult() == mrNone) form.SetModalResult(mrAbort);
    };
  }

private:
  std::vector<std::unique_ptr<TTimer>> FTimers;
};

// Runs show, which brings form up modally, and returns what it returns;
// work runs from a timer inside the form's loop once the form is up and in
// front. Real input that work sends may still be on its way through the X
// server: it gets two seconds to end the form, which then ends as mrAbort.
template <class Show> auto RunInModal(TForm& form, const std::function<void()>& work, Show&& show) {
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) {
    if (!form.IsModal()) return;
    timer.SetEnabled(false);
    BringToFront(form.GetHandle());
    work();
    const DWORD start = ::GetTickCount();
    while (form.GetModalResult() == mrNone && ::GetTickCount() - start < 2000) PumpFor(20);
    if (form.GetModalResult() == mrNone) form.SetModalResult(mrAbort);
  };
  return show();
}
