// Points the user's desktop and programs folders at a test's own folders
// for its lifetime. Wine writes "Shell Folders" again from "User Shell
// Folders" whenever its shell looks a folder up, so both are set (and set
// again by Point() before a step that reads them).
#pragma once

#include <string>

#include "platform/Registry.h"

class TShellFoldersRedirect {
public:
  TShellFoldersRedirect(const std::string& desktop, const std::string& programs)
      : FDesktop(desktop), FPrograms(programs) {
    TRegistry reg;
    if (reg.OpenKey(kShell, true)) {
      FOld[0] = reg.ReadString("Desktop");
      FOld[1] = reg.ReadString("Programs");
    }
    if (reg.OpenKey(kUser, true)) {
      FOld[2] = reg.ReadString("Desktop");
      FOld[3] = reg.ReadString("Programs");
    }
    Point();
  }
  ~TShellFoldersRedirect() {
    TRegistry reg;
    if (reg.OpenKey(kUser, true)) {
      reg.WriteExpandString("Desktop", FOld[2]);
      reg.WriteExpandString("Programs", FOld[3]);
    }
    if (reg.OpenKey(kShell, true)) {
      reg.WriteString("Desktop", FOld[0]);
      reg.WriteString("Programs", FOld[1]);
    }
  }
  void Point() {
    TRegistry reg;
    if (reg.OpenKey(kUser, true)) {
      reg.WriteExpandString("Desktop", FDesktop);
      reg.WriteExpandString("Programs", FPrograms);
    }
    if (reg.OpenKey(kShell, true)) {
      reg.WriteString("Desktop", FDesktop);
      reg.WriteString("Programs", FPrograms);
    }
  }

private:
  static constexpr const char* kShell = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  static constexpr const char* kUser =
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  std::string FDesktop, FPrograms;
  std::string FOld[4];
};
