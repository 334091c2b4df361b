// The installer's and the uninstaller's work, apart from their windows: the
// steps of an installation over narrow services (files, shortcuts, another
// program's INI file, progress, messages) and the registry, and the plan of
// an uninstallation. The Win32 side supplies the services and the folders.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings/Association.h"

// The system's folders the installer writes into, each ending with "\" or
// empty when the system could not name it.
struct TSpecialFolders {
  std::string Desktop, StartMenu, Programs, Startup, Personal, Windows, System, ProgramFiles;
};

class TInstallFiles {
public:
  virtual ~TInstallFiles() = default;
  // Creates dir with every missing folder above it; error gets the
  // system's text on failure.
  virtual bool ForceDirectories(const std::string& dir, std::string& error) = 0;
  // Copies source to dest, which gets source's date; a copy onto itself
  // leaves the file intact.
  virtual bool CopyFile(const std::string& source, const std::string& dest, std::string& error) = 0;
  // The names (no folder) of the files in folder matching pattern.
  virtual std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) = 0;
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  virtual bool FileExists(const std::string& name) = 0;
  virtual bool RemoveFile(const std::string& name) = 0;
  virtual bool RemoveDir(const std::string& dir) = 0;
  virtual bool WriteFile(const std::string& name, const std::string& text) = 0;
};

// The kit's file routines on real files.
class TSystemInstallFiles : public TInstallFiles {
public:
  bool ForceDirectories(const std::string& dir, std::string& error) override;
  bool CopyFile(const std::string& source, const std::string& dest, std::string& error) override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  bool FileExists(const std::string& name) override;
  bool RemoveFile(const std::string& name) override;
  bool RemoveDir(const std::string& dir) override;
  bool WriteFile(const std::string& name, const std::string& text) override;
};

class TShortcutWriter {
public:
  virtual ~TShortcutWriter() = default;
  // The link file pointing at target with arguments, working in target's
  // folder, with target's icon number icon; replaces an existing link.
  virtual bool CreateShortcut(const std::string& linkFile, const std::string& arguments,
                              const std::string& target, int icon) = 0;
};

class TIniWriter {
public:
  virtual ~TIniWriter() = default;
  virtual bool FileExists(const std::string& fileName) = 0;
  virtual bool WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// The gauge and the step's label.
class TInstallProgress {
public:
  virtual ~TInstallProgress() = default;
  virtual void Step(int percent, const std::string& action) = 0;
};

class TInstallHost {
public:
  virtual ~TInstallHost() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// One caption of the file-association page, "PAS - Delphi, Object Pascal ".
extern const char* const kFileTypeCaptions[19];
// The extension (before the first "-") and description (after it), trimmed.
void SplitTypeCaption(const std::string& caption, std::string& extension, std::string& description);

// After the folder dialog: a chosen folder whose name does not hold
// "tarnquill" gets "Tarnquill\" below it.
void FolderAfterDialog(std::string& name, bool& action);
// A folder with its drive ("C:\...") or its server ("\\server\share\..."):
// the only kind an installation accepts.
bool IsFullFolder(const std::string& folder);

enum TSettingsChoice { scOverwrite, scSafe, scFromScript };

struct TInstallChoices {
  std::string Folder;
  bool PlaceDesktop = true, StartMenu = true, OpenWith = false, WCEdit = true;
  // The captions of the checked association boxes, in the page's order.
  std::vector<std::string> Associate;
  bool UseLanguage = true;
  std::string Language;
  std::string ScriptFile;
  TSettingsChoice Settings = scOverwrite;
};

struct TInstallContext {
  std::string RunningExe;     // the running program's full path
  TSpecialFolders Folders;
  TInstallFiles* Files = nullptr;
  TShortcutWriter* Links = nullptr;
  TIniWriter* Ini = nullptr;
  TInstallProgress* Progress = nullptr;
  TInstallHost* Host = nullptr;
  // Where associations go: records under "Installation", the options
  // dialog's "Uninstall" the other record key.
  TAssociationTarget Classes;
  // "Version" and "Path", written last.
  std::function<void()> WriteVersionAndPath;
};

// The association target of an installation below the program's key.
TAssociationTarget InstallationTarget();

extern const char* const kAssociateError;
extern const char* const kUnassociateError;
extern const char* const kNoWindowsCommander;

// The twelve steps. False when the folder could not be used or the program
// could not be copied: the host was told why, nothing else was written, and
// the dialog goes back to the folder page. Choices.Folder gets its "\".
bool RunInstall(TInstallChoices& choices, TInstallContext& context);

// The names of the language files (".lng") in the program's folder.
std::vector<std::string> LanguageFiles(TInstallFiles& files, const std::string& programFolder);

// The installed program's address for the open-with entry: `"<exe>" "%1"`.
void AddOpenWithMenu(const std::string& installedExe, const TAssociationTarget& target);

// Uninstalling.

struct TRestoreRecord {
  std::string Extension;  // with its dot
  std::string Previous;
};
// The associations to give back: the records under "Installation" and
// "Uninstall" below the program's key (target's record key, then its other
// one), one per extension (the other key's, "Uninstall" for the installer's
// target, when an older version kept both), and only where the extension
// still names the program's class.
std::vector<TRestoreRecord> RestorePlan(const TAssociationTarget& target);
// Writes each record back; a refusal is shown and the rest go on.
void RestoreAssociations(const std::vector<TRestoreRecord>& plan, const TAssociationTarget& target,
                         TInstallHost& host);
// The program's key, the open-with entry and the program's class.
void DeleteRegistryEntries(const TAssociationTarget& target);

// The batch that deletes the program after it has ended: a bounded number
// of tries a second apart, then it deletes itself whether or not the
// program went.
std::string UninstallBatchText(const std::string& programFile, const std::string& batchFile, int tries);

// The files an uninstallation deletes, besides the program: the data files
// in the program's folder (macros, scripts, language files and the download
// window's INI file named after the program) and the shortcuts. The folders
// to remove after.
struct TUninstallFiles {
  std::vector<std::string> Files;
  std::vector<std::string> Folders;
};
TUninstallFiles UninstallFileList(TInstallFiles& files, const std::string& programFile,
                                  const TSpecialFolders& folders);

// The mail link to the author: "mailto:" address "?subject=" with the
// subject percent-encoded.
std::string MailLink(const std::string& address, int v1, int v2, int v3, int v4);

// The ASCII table's name for a font's character set ("ANSI_CHARSET"), or
// empty for a set without a name.
std::string CharsetName(int charset);
