// TDataModule.
#include "platform/DataModule.h"

namespace {
TDataModule::TErrorHandler destroyErrorHandler = nullptr;
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) {}

TDataModule::~TDataModule() { DoDestroy(); }

void TDataModule::SetDestroyErrorHandler(TErrorHandler handler) { destroyErrorHandler = handler; }

void TDataModule::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void FireDestroyOnce(bool& fired, const TNotifyEvent& onDestroy, TObject* sender,
                     void (*onError)(TObject* sender) noexcept) {
  if (fired) return;
  fired = true;
  if (!onDestroy) return;
  try {
    onDestroy(sender);
  } catch (...) {
    if (onError) onError(sender);
  }
}

void TDataModule::DoDestroy() { FireDestroyOnce(FDestroyFired, OnDestroy, this, destroyErrorHandler); }
