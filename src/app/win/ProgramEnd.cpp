// The program's end saves.
#include "app/win/ProgramEnd.h"

#include "app/settings/FileTypes.h"
#include "app/install/win/InstallWin.h"
#include "kit/win/Placemnt.h"
#include "platform/win/Application.h"

namespace {
bool gFileTypesLoaded = false;
}  // namespace

void ForEachFormStorage(const std::function<void(TFormStorage*)>& f) {
  if (!Application) return;
  for (int i = 0; i < Application->GetComponentCount(); ++i)
    if (auto* s = dynamic_cast<TFormStorage*>(Application->GetComponent(i)->FindComponent("FormStorage")))
      f(s);
}

void SetFileTypesLoaded(bool loaded) { gFileTypesLoaded = loaded; }

void SaveFileTypesAtEnd() {
  if (!gFileTypesLoaded || SettingsSavesSkipped()) return;
  try {
    SaveFileTypes();
  } catch (const Exception& e) {
    if (Application) Application->ShowException(e);
  }
}

void RunSessionEndSaves() {
  if (!SettingsSavesSkipped()) ForEachFormStorage([](TFormStorage* s) { s->SaveAsFormGoes(); });
  SaveFileTypesAtEnd();
}
