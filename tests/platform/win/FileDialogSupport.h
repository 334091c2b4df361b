// File dialogs in the Win32 tests: a temporary folder of the test's own,
// and answering a real file dialog from inside its modal loop.
#pragma once

#include "platform/SysUtils.h"
#include "platform/win/InputSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// A folder of its own under the temporary folder (or under parent), removed
// with its files.
class TTempFolder {
public:
  explicit TTempFolder(const std::string& name, std::string parent = std::string()) {
    if (parent.empty()) {
      char temp[MAX_PATH] = {};
      ::GetTempPathA(MAX_PATH, temp);
      parent = temp;
    }
    FPath = IncludeTrailingPathDelimiter(parent) + name + IntToStr(::GetCurrentProcessId());
    ::CreateDirectoryA(FPath.c_str(), nullptr);
  }
  ~TTempFolder() {
    for (const std::string& f : FFiles) ::DeleteFileA(f.c_str());
    ::RemoveDirectoryA(FPath.c_str());
  }
  std::string Add(const std::string& name) {
    std::string path = FPath + "\\" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
    FFiles.push_back(path);
    return path;
  }
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
  std::vector<std::string> FFiles;
};

// Types into the dialog's file-name box and presses OK, from inside the
// dialog's loop.
inline void AnswerFileDialog(const std::string& title, const std::string& typed,
                             UINT* errorMode = nullptr) {
  WhenWindow(title, [typed, errorMode](HWND dialog) {
    ASSERT_NE(dialog, nullptr) << "no file dialog came up";
    if (errorMode) {
      *errorMode = ::SetErrorMode(0);
      ::SetErrorMode(*errorMode);
    }
    ::SetDlgItemTextA(dialog, 0x47C, typed.c_str());
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
}
