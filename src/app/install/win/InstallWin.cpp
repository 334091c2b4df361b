// The installer's system services and the uninstallation.
#include "app/install/win/InstallWin.h"

#include <utility>

// Before the Windows headers: the line store's GetObject would be renamed.
#include "platform/Registry.h"
#include "platform/SysUtils.h"

#include "app/Data.h"
#include "kit/win/Placemnt.h"
#include "kit/win/VerInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Shell.h"
#include "platform/win/WinApi.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

TEndProcessFunc& EndProcessFunc() {
  static TEndProcessFunc func = [](unsigned code) { ::ExitProcess(code); };
  return func;
}

struct TMaintenance {
  std::string PendingStart;
  bool ReinstallCompleted = false;
};
TMaintenance& Maintenance() {
  static TMaintenance m;
  return m;
}

class TBoxHost : public TInstallHost {
public:
  void ShowMessage(const std::string& text) override { ::ShowMessage(text); }
};

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

// COM for the link object, once per process and thread of the program.
bool ComReady() {
  static const bool ready = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
                            true;  // S_FALSE or RPC_E_CHANGED_MODE: COM is usable either way
  return ready;
}

}  // namespace

std::string ProgramFile() {
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string GetSpecialFolder(int index) {
  static const char* const kShellFolders[] = {"Desktop", "Start Menu", "Programs", "Startup", "Personal"};
  std::string folder;
  char buffer[MAX_PATH + 1] = {};
  if (index >= 0 && index <= 4) {
    TRegistry reg;
    if (reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"))
      reg.ReadValueText(kShellFolders[index], folder);
  } else if (index == 5) {
    if (::GetWindowsDirectoryA(buffer, MAX_PATH)) folder = buffer;
  } else if (index == 6) {
    if (::GetSystemDirectoryA(buffer, MAX_PATH)) folder = buffer;
  } else if (index == 7) {
    TRegistry reg;
    reg.SetRootKey(rkLocalMachine);
    if (reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion"))
      reg.ReadValueText("ProgramFilesDir", folder);
  }
  return WithBackslash(folder);
}

TSpecialFolders GetSpecialFolders() {
  TSpecialFolders f;
  f.Desktop = GetSpecialFolder(0);
  f.StartMenu = GetSpecialFolder(1);
  f.Programs = GetSpecialFolder(2);
  f.Startup = GetSpecialFolder(3);
  f.Personal = GetSpecialFolder(4);
  f.Windows = GetSpecialFolder(5);
  f.System = GetSpecialFolder(6);
  f.ProgramFiles = GetSpecialFolder(7);
  return f;
}

bool CreateShortcut(const std::string& linkFile, const std::string& arguments, const std::string& target,
                    int icon) {
  ComReady();
  IShellLinkA* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
    return false;
  bool ok = SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
            SUCCEEDED(link->SetWorkingDirectory(ExtractFileDir(target).c_str())) &&
            SUCCEEDED(link->SetIconLocation(target.c_str(), icon));
  IPersistFile* file = nullptr;
  if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH + 1] = {};
    ok = ::MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH) > 0 &&
         SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  } else {
    ok = false;
  }
  link->Release();
  return ok;
}

bool TWinIniWriter::FileExists(const std::string& fileName) { return ::FileExists(fileName); }

bool TWinIniWriter::WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                                const std::string& value) {
  return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName.c_str()) != 0;
}

void WriteVersionAndPath() {
  TRegistry registry;
  if (!registry.OpenKey(ProgramRegistryKey(), true)) return;
  uint32_t ms = 0, ls = 0;
  TVersionInfo info(ProgramFile());
  if (info.GetValid()) info.GetFileLongVersion(ms, ls);
  registry.WriteString("Version", Format("%d.%d.%d.%d", int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16),
                                         int(ls & 0xFFFF)));
  registry.WriteString("Path", ProgramFile());
}

TDistributorAddresses& DistributorAddresses() {
  // Filled in when the distributor supplies addresses; tests fill it.
  static TDistributorAddresses addresses;
  return addresses;
}

TEndProcessFunc SetEndProcessFunc(TEndProcessFunc func) {
  return std::exchange(EndProcessFunc(), std::move(func));
}

void Uninstall() {
  // Nothing the closing program still holds may write the key back.
  UninstallRequested = true;
  SuspendFormStorageSaves(true);
  TBoxHost host;
  const TAssociationTarget target = InstallationTarget();
  RestoreAssociations(RestorePlan(target), target, host);
  DeleteRegistryEntries(target);

  const std::string program = ProgramFile();
  const std::string batch = ChangeFileExt(program, ".bat");
  TSystemInstallFiles files;
  files.WriteFile(batch, UninstallBatchText(program, batch, 10));
  const TUninstallFiles list = UninstallFileList(files, program, GetSpecialFolders());
  for (const std::string& f : list.Files) files.RemoveFile(f);
  for (const std::string& d : list.Folders) files.RemoveDir(d);

  ShellOpen(batch, "", "", SW_HIDE);
  EndProcessFunc()(0);
}

void SetPendingStart(const std::string& program) { Maintenance().PendingStart = program; }
const std::string& PendingStart() { return Maintenance().PendingStart; }
bool ReinstallCompleted() { return Maintenance().ReinstallCompleted; }

void SetReinstallCompleted(bool completed) {
  Maintenance().ReinstallCompleted = completed;
  SuspendFormStorageSaves(SettingsSavesSkipped());
}

bool SettingsSavesSkipped() { return UninstallRequested || Maintenance().ReinstallCompleted; }

void DropPendingMaintenance() {
  UninstallRequested = false;
  Maintenance() = TMaintenance();
  SuspendFormStorageSaves(false);
}
