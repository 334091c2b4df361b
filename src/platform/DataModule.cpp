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

void TDataModule::DoDestroy() {
  if (FDestroyFired) return;
  FDestroyFired = true;
  if (!OnDestroy) return;
  try {
    OnDestroy(this);
  } catch (...) {
    if (destroyErrorHandler) destroyErrorHandler(this);
  }
}
