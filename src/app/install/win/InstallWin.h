// The installer's and uninstaller's ties to the system: the special folders,
// shortcuts through the shell's link object, another program's INI file,
// "Version" and "Path", the uninstallation itself, and what a completed
// reinstallation leaves for the closing editor to do.
#pragma once

#include <functional>
#include <string>

#include "app/install/Install.h"

// The running program's full path.
std::string ProgramFile();

// 0 "Desktop", 1 "Start Menu", 2 "Programs", 3 "Startup", 4 "Personal"
// (the user's "Shell Folders"), 5 the Windows folder, 6 the system folder,
// 7 "ProgramFilesDir"; with a trailing "\", or empty when unknown.
std::string GetSpecialFolder(int index);
TSpecialFolders GetSpecialFolders();

// Through IShellLinkA and IPersistFile; COM is initialised once per process.
bool CreateShortcut(const std::string& linkFile, const std::string& arguments, const std::string& target,
                    int icon);

class TWinShortcutWriter : public TShortcutWriter {
public:
  bool CreateShortcut(const std::string& linkFile, const std::string& arguments, const std::string& target,
                      int icon) override {
    return ::CreateShortcut(linkFile, arguments, target, icon);
  }
};

class TWinIniWriter : public TIniWriter {
public:
  bool FileExists(const std::string& fileName) override;
  bool WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

// "Version" (the running file's version resource) and "Path".
void WriteVersionAndPath();

// The distributor's addresses. An empty one hides its menu item; an empty
// site also hides "Visit Tarnquill Site" at the installer's end.
struct TDistributorAddresses {
  std::string Mail;
  std::string Site;
  std::string Download;
  std::string AuthorSite;
};
TDistributorAddresses& DistributorAddresses();

// Gives back the associations, deletes the keys, the data files and the
// shortcuts, and runs the batch that deletes the program once it has ended;
// then ends the process through the hook.
void Uninstall();
// Ends the process; tests take it so the test program neither ends nor
// deletes itself. Returns the previous hook.
using TEndProcessFunc = std::function<void(unsigned exitCode)>;
TEndProcessFunc SetEndProcessFunc(TEndProcessFunc func);

// After an installation from a running editor: its closing saves nothing
// (as during an uninstallation), and the new program starts only when the
// message loop has ended. A cancelled close drops both.
void SetPendingStart(const std::string& program);
const std::string& PendingStart();
bool ReinstallCompleted();
void SetReinstallCompleted(bool completed);
// Whether the closing program keeps its settings to itself: an uninstall
// or a reinstallation is pending.
bool SettingsSavesSkipped();
// A close that did not happen: no uninstall, no pending start.
void DropPendingMaintenance();
