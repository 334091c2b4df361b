#include "kit/win/BrowseFolder.h"

#include "platform/win/Dialogs.h"

#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace {

TBrowseFolderFunc& BrowseFunc() {
  static TBrowseFolderFunc func;
  return func;
}

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data) {
  // Open at the caller's folder.
  if (msg == BFFM_INITIALIZED && data)
    ::SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

TBrowseFolderFunc SetBrowseFolderFunc(TBrowseFolderFunc func) {
  return std::exchange(BrowseFunc(), std::move(func));
}

bool BrowseDirectory(std::string& folder, const std::string& title, HWND owner) {
  if (BrowseFunc()) {
    std::string chosen = folder;
    if (!BrowseFunc()(chosen, title)) return false;
    folder = chosen;
    return true;
  }
  TDialogErrorMode errorMode;
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOA info{};
  info.hwndOwner = owner ? owner : ::GetActiveWindow();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
  LPITEMIDLIST list = ::SHBrowseForFolderA(&info);
  bool ok = false;
  if (list) {
    char path[MAX_PATH] = {};
    ok = ::SHGetPathFromIDListA(list, path) != FALSE;
    if (ok) folder = path;
    ::CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return ok;
}
