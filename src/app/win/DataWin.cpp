// The data module's dialog, stored colours and editor wiring.
#include "app/win/DataWin.h"

#include <windows.h>

#include "app/EditorAppBytes.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/win/Dialogs.h"

namespace {

// The character the key being handled types in the current keyboard
// layout: the message loop has translated it already, so its WM_CHAR waits
// in the queue. 0 when it types none.
char TypedCharacter(HWND wnd) {
  MSG msg;
  if (::PeekMessageA(&msg, wnd, WM_CHAR, WM_CHAR, PM_NOREMOVE)) return static_cast<char>(msg.wParam);
  return '\0';
}

}  // namespace

TData* CreateData(TComponent* owner) {
  auto* data = new TData(owner);
  auto* dialog = new TSaveDialog(data);
  dialog->SetName("SaveDialog");
  auto* storage = new TFormStorage(data);
  storage->SetName("FormStorage");
  storage->SetUseRegistry(true);
  storage->SetIniFileName(ProgramRegistryKey());
  storage->SetIniSection("Data");
  data->ListStoredProps(storage->GetStoredProps());
  storage->GetStoredProps()->Add("SaveDialog.InitialDir");
  ResolveStoredProps(data, storage->GetStoredProps());
  storage->RestoreFormPlacement();
  data->OnDestroy = [data](TObject*) {
    if (!UninstallRequested) DataFormStorage(data)->SaveFormPlacement();
  };
  ::Data = data;
  data->DoCreate();
  return data;
}

TSaveDialog* DataSaveDialog(TData* data) { return dynamic_cast<TSaveDialog*>(data->FindComponent("SaveDialog")); }

TFormStorage* DataFormStorage(TData* data) {
  return dynamic_cast<TFormStorage*>(data->FindComponent("FormStorage"));
}

void UseDataHandlers(TktEditWindow* window, TData* data) {
  window->OnDblClick = [window, data](TObject*) { data->EditorClick(*window->GetEdit()); };
  window->OnKeyDown = [window, data](TObject*, uint16_t& key, TShiftState shift) {
    data->EditorKeyDown(*window->GetEdit(), key, shift, TypedCharacter(window->GetHandle()));
  };
  // A Ctrl+K chord is typed in one go: a click or the focus going
  // elsewhere ends it, so a later Ctrl+C copies instead of duplicating.
  window->OnMouseDown = [window](TObject*, TMouseButton, TShiftState, int, int) {
    SetCtrlKPending(*window->GetEdit(), false);
  };
  window->OnExit = [window](TObject*) { SetCtrlKPending(*window->GetEdit(), false); };
}
