// TDataModule.
#include "platform/DataModule.h"

#include <algorithm>

#include "platform/SysUtils.h"

namespace {
TDataModule::TErrorHandler destroyErrorHandler = nullptr;

std::vector<TDataModule*>& LiveModules() {
  static std::vector<TDataModule*> modules;
  return modules;
}
}  // namespace

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) { LiveModules().push_back(this); }

TDataModule::~TDataModule() {
  DoDestroy();
  auto& modules = LiveModules();
  modules.erase(std::remove(modules.begin(), modules.end(), this), modules.end());
}

const std::vector<TDataModule*>& TDataModule::Modules() { return LiveModules(); }

TDataModule* TDataModule::FindModule(const std::string& name) {
  for (TDataModule* m : LiveModules())
    if (SameText(m->GetName(), name)) return m;
  return nullptr;
}

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
