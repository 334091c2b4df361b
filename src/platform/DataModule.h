// TDataModule: a container of non-visual components (highlighters, dialogs,
// exporters) owned by the application and found by name like a form. It
// needs no window, so the portable code can own one.
#pragma once

#include <string>
#include <vector>

#include "platform/Classes.h"

// Fires onDestroy the first time only (a form or module's OnDestroy runs in
// its destructor): an exception out of it goes to onError, never further.
void FireDestroyOnce(bool& fired, const TNotifyEvent& onDestroy, TObject* sender,
                     void (*onError)(TObject* sender) noexcept);

class TDataModule : public TComponent {
public:
  explicit TDataModule(TComponent* owner);
  ~TDataModule() override;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  // Fires OnCreate; the derived class calls it once its components exist.
  void DoCreate();
  // Fires OnDestroy once; a derived module calls it first in its destructor.
  void DoDestroy();

  // Where an exception out of OnDestroy goes (it runs in a destructor, so
  // none may leave): the Windows build shows it as the application shows
  // errors; with no handler it is dropped.
  using TErrorHandler = void (*)(TObject* sender) noexcept;
  static void SetDestroyErrorHandler(TErrorHandler handler);

  // The modules that exist now, oldest first: stored references to a
  // module's components ("Data.PasSyn") find their owner here.
  static const std::vector<TDataModule*>& Modules();
  // The first module of that name (compared without case), or nullptr.
  static TDataModule* FindModule(const std::string& name);

private:
  bool FDestroyFired = false;
};
