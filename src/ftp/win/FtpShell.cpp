// See FtpShell.h.
#include "ftp/win/FtpShell.h"

#include <shellapi.h>

#include <vector>

namespace {

DWORD_PTR Info(const char* name, DWORD attributes, UINT flags, SHFILEINFOA& info) {
  info = SHFILEINFOA{};
  return ::SHGetFileInfoA(name, attributes, &info, sizeof info, flags | SHGFI_USEFILEATTRIBUTES);
}

}  // namespace

HIMAGELIST ShellImageList(bool small) {
  SHFILEINFOA info;
  return reinterpret_cast<HIMAGELIST>(
      Info("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON), info));
}

int ShellFolderIconIndex(bool open) {
  SHFILEINFOA info;
  if (!Info("folder", FILE_ATTRIBUTE_DIRECTORY,
            SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0), info))
    return -1;
  return info.iIcon;
}

HICON ShellFolderIcon(bool open) {
  SHFILEINFOA info;
  if (!Info("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_ICON | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0), info))
    return nullptr;
  return info.hIcon;
}

void ShellFileInfo(const std::string& name, int& iconIndex, std::string& typeName) {
  SHFILEINFOA info;
  if (!Info(name.c_str(), FILE_ATTRIBUTE_NORMAL, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME, info)) {
    iconIndex = -1;
    typeName.clear();
    return;
  }
  iconIndex = info.iIcon;
  typeName.assign(info.szTypeName, ::strnlen(info.szTypeName, 80));
}

void TakeDroppedFiles(HDROP drop, TStrings& files) {
  files.Clear();
  UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first: a long path is kept whole, never cut to a
    // fixed buffer.
    UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    std::vector<char> path(length + 1, '\0');
    ::DragQueryFileA(drop, i, path.data(), length + 1);
    files.Add(std::string(path.data(), length));
  }
  ::DragFinish(drop);
}

bool HandleFileDrop(TMessage& msg, TStrings& files, const TNotifyEvent& onDropped, TObject* sender) {
  if (msg.Msg != WM_DROPFILES) return false;
  TakeDroppedFiles(reinterpret_cast<HDROP>(msg.WParam), files);
  if (onDropped) onDropped(sender);
  msg.Result = 0;
  return true;
}
