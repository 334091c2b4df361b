// The kit's own folder dialog (a folder edit's dkVCL kind): the shell's
// folders in the kit's folder tree, the chosen folder's path in an edit
// below it, OK and Cancel. With sdAllowCreate the path may be typed and name
// a folder that does not exist yet (see AcceptChosenFolder).
#pragma once

#include <string>

#include "kit/EditNames.h"
#include "platform/win/WinApi.h"

// Opens at folder (or the desktop when it names none); true, and folder
// changed, when the user confirmed a folder. The system's critical-error
// boxes stay away while it runs.
bool SelectDirectory(std::string& folder, TSelectDirOpts options);
