// What the FTP views ask of the shell: the system image lists, folder and
// file icons and type names (by attributes and names only: a remote name is
// never looked up on the local disk), and the paths of a drop.
#pragma once

#include "platform/Classes.h"
#include "platform/win/Controls.h"
#include "platform/win/WinApi.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

HIMAGELIST ShellImageList(bool small);
// The system image list's index of a folder icon (open or closed).
int ShellFolderIconIndex(bool open);
// A copy of the small folder icon (open or closed); the caller destroys it.
HICON ShellFolderIcon(bool open);
// Icon index and type name of a file of that name.
void ShellFileInfo(const std::string& name, int& iconIndex, std::string& typeName);
// Fills `files` with the dropped paths, each whole, and finishes the drop.
void TakeDroppedFiles(HDROP drop, TStrings& files);
// A view's WM_DROPFILES: the paths into `files`, then `onDropped`. False
// for any other message.
bool HandleFileDrop(TMessage& msg, TStrings& files, const TNotifyEvent& onDropped, TObject* sender);
