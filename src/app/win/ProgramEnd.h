// The saves the program makes when it ends: every form's stored properties
// as the forms go, and in the editor the file-type table. The message loop's
// end runs them through the forms' going; a session that ends (log-off,
// shutdown) may end the process before that, so the main window runs them
// itself then.
#pragma once

#include <functional>

class TFormStorage;

// The "FormStorage" of every form and data module the application owns.
void ForEachFormStorage(const std::function<void(TFormStorage*)>& f);

// Only a process that loaded the table writes it back: the calculator, the
// ASCII table, the installer and a start that handed its file over leave
// the stored table as it was, and so does a load that failed.
void SetFileTypesLoaded(bool loaded);
// The table back to the registry at the program's end; nothing when it was
// not loaded or the program is uninstalling (or has just been reinstalled).
// A registry error is shown, and the stored rows it did not reach stay.
void SaveFileTypesAtEnd();
// Everything the program's end saves, while its forms still exist.
void RunSessionEndSaves();
