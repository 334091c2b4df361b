// The Windows half of the data module: the save dialog the main window
// uses for new names, the form storage "FormStorage" that keeps every
// highlighter attribute (and the dialog's folder) in the registry, and the
// wiring of the data module's handlers into an editor window.
#pragma once

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"
#include "app/Data.h"

class TSaveDialog;
class TFormStorage;

// Makes Data, owned by owner, with its save dialog and form storage
// (section "Data" below ProgramRegistryKey()), and restores the stored
// colours at once, so they are in place before the first document opens.
// The storage saves them when Data goes, unless UninstallRequested.
TData* CreateData(TComponent* owner);

TSaveDialog* DataSaveDialog(TData* data);
TFormStorage* DataFormStorage(TData* data);

// Gives window's editor the data module's double-click and key handlers.
void UseDataHandlers(TktEditWindow* window, TData* data);
