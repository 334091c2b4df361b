// The installer's steps and the uninstaller's plan.
#include "app/install/Install.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "app/settings/DefaultSettings.h"
#include "app/settings/SettingsScript.h"
#include "app/StartUp.h"
#include "app/settings/Styles.h"
#include "kit/FileUtil.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

const char* const kFileTypeCaptions[19] = {
    "HTML - HTML Files",
    "PAS - Delphi, Object Pascal ",
    "DPR- Delphi project",
    "DPK - Delphi package",
    "ASM - Assembler",
    "BAS - Visual Basic",
    "CPP - C++/Visual C",
    "H     - C/C++ header",
    "DFM - Delphi/Borland C Form",
    "FOR - Fortran",
    "HTM - HTM files",
    "ASP - ASP Files",
    "INI - Windows initialization files",
    "Java - Java files",
    "JS - Java Script, JScript",
    "PL - Perl ",
    "SQL - query file",
    "TXT - text file",
    "VBS - VB Script",
};

const char* const kAssociateError =
    "Could not register file type. Probably you do not have administrator rights on Windows NT/2000";
const char* const kUnassociateError =
    "Could not unregister file type. Probably you do not have administrator rights on Windows NT/2000";
const char* const kNoWindowsCommander = "Windows Commander not found!";

namespace {

// The system's own text for a path it cannot take.
constexpr int kErrorBadPathname = 161;

std::string ClassKey(const TAssociationTarget& t, const std::string& sub) {
  return t.ClassesBase.empty() ? "\\" + sub : t.ClassesBase + "\\" + sub;
}

std::string WithBackslash(const std::string& folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') return folder + "\\";
  return folder;
}

std::string ErrorContinuation(const std::string& text) { return "\r\n\r\nWindows return error: " + text; }

void ReadRecords(const std::string& key, std::vector<TRestoreRecord>& records) {
  if (key.empty()) return;
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(key)) return;
  TStringList names;
  reg.GetValueNames(&names);
  for (int i = 0; i < names.GetCount(); ++i) {
    std::string data;
    reg.ReadValueText(names.Get(i), data);
    records.push_back({names.Get(i), data});
  }
}

void WriteSettings(const TInstallChoices& choices, TInstallFiles& files, TInstallHost& host) {
  switch (choices.Settings) {
    case scOverwrite:
      WriteDefaultSettings();
      break;
    case scSafe:
      if (IsFirstRun()) WriteDefaultSettings();
      break;
    case scFromScript:
      // A script carries no file types, so a first installation needs the
      // defaults under it.
      if (!files.FileExists(choices.ScriptFile) || IsFirstRun()) WriteDefaultSettings();
      if (files.FileExists(choices.ScriptFile)) {
        try {
          LoadSettingsScriptFile(ProgramRegistryKey(), choices.ScriptFile);
        } catch (const Exception& e) {
          host.ShowMessage(e.Message());
        }
      }
      break;
  }
}

}  // namespace

// --- files ------------------------------------------------------------------

bool TSystemInstallFiles::ForceDirectories(const std::string& dir, std::string& error) {
  if (::ForceDirectories(dir)) return true;
  error = SysErrorMessage(GetLastOSError());
  return false;
}

bool TSystemInstallFiles::CopyFile(const std::string& source, const std::string& dest, std::string& error) {
  try {
    CopyFileTo(source, dest);
    return true;
  } catch (const Exception& e) {
    const int code = GetLastOSError();
    error = e.Message();
    if (code != 0) error += "\r\n" + SysErrorMessage(code);
    return false;
  }
}

std::vector<std::string> TSystemInstallFiles::ListFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  TSearchRec f;
  for (int r = FindFirst(WithBackslash(folder) + pattern, faReadOnly | faHidden | faSysFile | faArchive, f);
       r == 0; r = FindNext(f))
    if ((f.Attr & faDirectory) == 0) names.push_back(f.Name);
  FindClose(f);
  return names;
}

bool TSystemInstallFiles::SameFile(const std::string& a, const std::string& b) {
  return AnsiSameText(a, b) || SameFileIdentity(a, b);
}
bool TSystemInstallFiles::FileExists(const std::string& name) { return ::FileExists(name); }
bool TSystemInstallFiles::RemoveFile(const std::string& name) { return FileDelete(name); }
bool TSystemInstallFiles::RemoveDir(const std::string& dir) { return ::RemoveDir(dir); }

bool TSystemInstallFiles::WriteFile(const std::string& name, const std::string& text) {
  TFileHandle h = FileCreate(name);
  if (h == InvalidFileHandle) return false;
  const bool ok = FileWrite(h, text.data(), int64_t(text.size())) == int64_t(text.size());
  FileClose(h);
  return ok;
}

// --- the pages' rules -----------------------------------------------------

void SplitTypeCaption(const std::string& caption, std::string& extension, std::string& description) {
  const size_t dash = caption.find('-');
  if (dash == std::string::npos) {
    extension = Trim(caption);
    description.clear();
    return;
  }
  extension = Trim(caption.substr(0, dash));
  description = Trim(caption.substr(dash + 1));
}

void FolderAfterDialog(std::string& name, bool& action) {
  if (!action || name.empty()) return;
  if (LowerCase(name).find("tarnquill") != std::string::npos) return;
  name = WithBackslash(name) + "Tarnquill\\";
}

bool IsFullFolder(const std::string& folder) {
  auto delim = [](char c) { return c == '\\' || c == '/'; };
  if (folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
      delim(folder[2]))
    return true;
  // "\\server\share": a server and a share, each with a name.
  if (folder.size() >= 5 && delim(folder[0]) && delim(folder[1]) && !delim(folder[2])) {
    const size_t share = folder.find_first_of("\\/", 2);
    return share != std::string::npos && share + 1 < folder.size() && !delim(folder[share + 1]);
  }
  return false;
}

TAssociationTarget InstallationTarget() {
  TAssociationTarget t;
  t.UninstallKey = ProgramRegistryKey() + "\\Installation";
  t.OtherRecordKey = ProgramRegistryKey() + "\\Uninstall";
  t.WithIcon = true;
  return t;
}

std::vector<std::string> LanguageFiles(TInstallFiles& files, const std::string& programFolder) {
  return files.ListFiles(programFolder, "*.lng");
}

void AddOpenWithMenu(const std::string& installedExe, const TAssociationTarget& target) {
  TRegistry reg;
  reg.SetRootKey(target.ClassesRoot);
  const std::string key = ClassKey(target, "*\\shell\\Open with " + target.ClassName + "\\command");
  if (!reg.OpenKey(key, true)) throw ERegistryException("Failed to create key " + key);
  reg.WriteString("", AssociationCommand(installedExe));
}

// --- installing ---------------------------------------------------------------

bool RunInstall(TInstallChoices& choices, TInstallContext& c) {
  TInstallFiles& files = *c.Files;
  TInstallProgress& progress = *c.Progress;
  TInstallHost& host = *c.Host;
  choices.Folder = WithBackslash(choices.Folder);
  const std::string folder = choices.Folder;
  const std::string installed = folder + "Tarnquill.exe";

  progress.Step(5, "Create Folder");
  std::string error;
  if (!IsFullFolder(folder)) {
    host.ShowMessage(SysErrorMessage(kErrorBadPathname));
    return false;
  }
  if (!files.ForceDirectories(folder, error)) {
    host.ShowMessage(error);
    return false;
  }
  progress.Step(10, "Copy Tarnquill.exe");
  if (!files.CopyFile(c.RunningExe, installed, error)) {
    host.ShowMessage(error);
    return false;
  }
  // The distribution is the folder the running program stands in, whatever
  // folder it was started from.
  progress.Step(15, "Copy Files");
  const std::string source = ExtractFilePath(c.RunningExe);
  for (const std::string& name : files.ListFiles(source, "*.*")) {
    if (files.SameFile(source + name, c.RunningExe)) continue;
    files.CopyFile(source + name, folder + name, error);  // one file's failure does not stop the rest
  }

  struct TLink {
    const char* Name;
    const char* Args;
    int Icon;
    const char* Action;
  };
  const TLink desktopLinks[3] = {{"Tarnquill.lnk", "", 0, "Set Tarnquill Desktop shortcut"},
                                 {"Advanced Calculator.lnk", "/c", 1, "Set Calculator Desktop shortcut"},
                                 {"ASCII Table.lnk", "/a", 2, "Set ASCII table Desktop shortcut"}};
  const TLink menuLinks[3] = {{"Tarnquill.lnk", "", 0, "Create menu Tarnquill Icon"},
                              {"Advanced Calculator.lnk", "/c", 1, "Create menu Calculator Icon"},
                              {"ASCII Table.lnk", "/a", 2, "Create menu ASCII table Icon"}};
  if (choices.PlaceDesktop && IsFullFolder(c.Folders.Desktop)) {
    int percent = 30;
    for (const TLink& l : desktopLinks) {
      progress.Step(percent, l.Action);
      percent += 5;
      c.Links->CreateShortcut(WithBackslash(c.Folders.Desktop) + l.Name, l.Args, installed, l.Icon);
    }
  }
  if (choices.StartMenu && IsFullFolder(c.Folders.Programs)) {
    progress.Step(45, "Create menu");
    const std::string menu = WithBackslash(c.Folders.Programs) + "Tarnquill\\";
    if (files.ForceDirectories(menu, error)) {
      int percent = 50;
      for (const TLink& l : menuLinks) {
        progress.Step(percent, l.Action);
        percent += 5;
        c.Links->CreateShortcut(menu + l.Name, l.Args, installed, l.Icon);
      }
    }
  }
  progress.Step(65, "Create Open With menu");
  if (choices.OpenWith) {
    try {
      AddOpenWithMenu(installed, c.Classes);
    } catch (const Exception& e) {
      host.ShowMessage(kAssociateError + ErrorContinuation(e.Message()));
    }
  }
  progress.Step(70, "Sets Windows Commander Settings");
  if (choices.WCEdit) {
    // Only a file manager that is there gets the setting: writing would
    // otherwise create its INI file.
    const std::string ini = c.Folders.Windows.empty() ? std::string() : WithBackslash(c.Folders.Windows) + "WINCMD.INI";
    if (ini.empty() || !IsFullFolder(ini) || !c.Ini->FileExists(ini) ||
        !c.Ini->WriteString(ini, "Configuration", "Editor", installed))
      host.ShowMessage(kNoWindowsCommander);
  }
  progress.Step(75, "Register File Types");
  for (const std::string& caption : choices.Associate) {
    std::string ext, description;
    SplitTypeCaption(caption, ext, description);
    try {
      AssociateExtension("." + ext, description, installed, c.Classes);
    } catch (const Exception& e) {
      host.ShowMessage(kAssociateError + ErrorContinuation(e.Message()));
      break;  // the rest would be refused the same way
    }
  }
  progress.Step(85, "Set Tarnquill Language");
  {
    TRegistry reg;
    if (!reg.OpenKey(ProgramRegistryKey() + "\\Setup", true))
      throw ERegistryException("Failed to create key " + ProgramRegistryKey() + "\\Setup");
    // The installer asks "native English?", the options dialog "a language
    // file?": the answers are opposite.
    reg.WriteString("UseLanguage_Checked", choices.UseLanguage ? "False" : "True");
    reg.WriteString("Language_Text", choices.Language);
  }
  progress.Step(90, "Set Tarnquill Settings");
  WriteSettings(choices, files, host);
  progress.Step(100, "Completing");
  if (c.WriteVersionAndPath) c.WriteVersionAndPath();
  return true;
}

// --- uninstalling -------------------------------------------------------------

std::vector<TRestoreRecord> RestorePlan(const TAssociationTarget& target) {
  std::vector<TRestoreRecord> all;
  ReadRecords(target.UninstallKey, all);
  ReadRecords(target.OtherRecordKey, all);
  // Keyed without case, as the class registry names keys; a later record
  // replaces an earlier one in its place.
  std::vector<TRestoreRecord> plan;
  std::map<std::string, size_t> index;
  for (const TRestoreRecord& r : all) {
    const std::string key = AnsiLowerCase(r.Extension);
    auto it = index.find(key);
    if (it == index.end()) {
      index[key] = plan.size();
      plan.push_back(r);
    } else {
      plan[it->second] = r;
    }
  }
  std::vector<TRestoreRecord> result;
  TRegistry reg;
  reg.SetRootKey(target.ClassesRoot);
  for (const TRestoreRecord& r : plan) {
    if (!reg.OpenKeyReadOnly(ClassKey(target, r.Extension))) continue;
    std::string current;
    const bool ours = reg.ReadValueText("", current) && current == target.ClassName;
    reg.CloseKey();
    if (ours) result.push_back(r);
  }
  return result;
}

void RestoreAssociations(const std::vector<TRestoreRecord>& plan, const TAssociationTarget& target,
                         TInstallHost& host) {
  for (const TRestoreRecord& r : plan) {
    try {
      TRegistry reg;
      reg.SetRootKey(target.ClassesRoot);
      const std::string key = ClassKey(target, r.Extension);
      if (!reg.OpenKey(key, false)) throw ERegistryException("Failed to open key " + key);
      reg.WriteString("", r.Previous);
    } catch (const Exception& e) {
      host.ShowMessage(kUnassociateError + ErrorContinuation(e.Message()));
    }
  }
}

void DeleteRegistryEntries(const TAssociationTarget& target) {
  TRegistry user;
  user.DeleteKey(ProgramRegistryKey());
  TRegistry classes;
  classes.SetRootKey(target.ClassesRoot);
  classes.DeleteKey(ClassKey(target, "*\\shell\\Open with " + target.ClassName));
  classes.DeleteKey(ClassKey(target, target.ClassName));
}

std::string UninstallBatchText(const std::string& programFile, const std::string& batchFile, int tries) {
  std::string text = "@echo off\r\n";
  // Unrolled, as the rename batch is: a program that stays open makes the
  // batch give up instead of looping for ever.
  for (int i = 0; i < tries; ++i) {
    if (i > 0) text += kBatchPause;
    text += "erase " + BatchQuoted(programFile) + " 2>nul\r\n";
    text += "if not exist " + BatchQuoted(programFile) + " goto done\r\n";
  }
  text += ":done\r\nerase " + BatchQuoted(batchFile) + "\r\n";
  return text;
}

TUninstallFiles UninstallFileList(TInstallFiles& files, const std::string& programFile,
                                  const TSpecialFolders& folders) {
  TUninstallFiles result;
  // Only the program's own folder: the current folder may be the user's project.
  const std::string dir = ExtractFilePath(programFile);
  if (IsFullFolder(dir)) {
    for (const char* pattern : {"*.macro", "*.tq", "*.lng"})
      for (const std::string& name : files.ListFiles(dir, pattern)) result.Files.push_back(dir + name);
    const std::string ini = ChangeFileExt(programFile, ".INI");
    if (files.FileExists(ini)) result.Files.push_back(ini);
  }
  static const char* const kLinks[] = {"Tarnquill.lnk", "Advanced Calculator.lnk", "ASCII Table.lnk"};
  if (IsFullFolder(folders.Programs)) {
    const std::string menu = WithBackslash(folders.Programs) + "Tarnquill\\";
    for (const char* link : kLinks) result.Files.push_back(menu + link);
    result.Folders.push_back(WithBackslash(folders.Programs) + "Tarnquill");
  }
  if (IsFullFolder(folders.Desktop))
    for (const char* link : kLinks) result.Files.push_back(WithBackslash(folders.Desktop) + link);
  return result;
}

// --- the help menu's and the ASCII table's texts --------------------------------

std::string MailLink(const std::string& address, int v1, int v2, int v3, int v4) {
  char subject[96];
  std::snprintf(subject, sizeof subject, "Regarding Tarnquill. Build: %d.%d.%d.%d", v1, v2, v3, v4);
  std::string encoded;
  for (const char* p = subject; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      encoded += char(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      encoded += hex;
    }
  }
  return "mailto:" + address + "?subject=" + encoded;
}

std::string CharsetName(int charset) {
  for (const TCharsetName& s : kCharsets)
    if (s.Value == charset) return s.Name;
  return std::string();
}
