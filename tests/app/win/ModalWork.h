// Work for a dialog's modal loop: each piece runs once the form is up
// modally, from a timer inside its loop. What the work leaves undecided ends
// as Abort, so a lost step fails the test instead of hanging it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/win/Forms.h"
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
