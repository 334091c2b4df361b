// The installer's steps over recorded file, shortcut and INI services and
// the registry (in memory natively, the real one under Wine, below a test
// key of its own), and the uninstaller's plan.
#include "app/install/Install.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "../AppRegistryKey.h"
#include "app/settings/DefaultSettings.h"
#include "app/StartUp.h"
#include "kit/FileUtil.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#ifndef _WIN32
#include "platform/native/MemoryRegistry.h"
#endif

namespace {

// Windows-style paths over a map: the steps never see the real disk.
class TFakeFiles : public TInstallFiles {
public:
  std::map<std::string, std::string> Files;  // lower-case path -> content
  std::set<std::string> Dirs;
  std::string RefuseDir;                     // ForceDirectories of this fails
  std::string RefuseCopyTo;                  // copying onto this fails
  std::vector<std::string> Deleted;

  static std::string K(const std::string& s) { return AnsiLowerCase(s); }
  void Add(const std::string& path, const std::string& content) { Files[K(path)] = content; }
  bool Has(const std::string& path) const { return Files.count(K(path)) != 0; }

  bool ForceDirectories(const std::string& dir, std::string& error) override {
    if (!RefuseDir.empty() && K(dir) == K(RefuseDir)) {
      error = "Access is denied.";
      return false;
    }
    Dirs.insert(K(dir));
    return true;
  }
  bool CopyFile(const std::string& source, const std::string& dest, std::string& error) override {
    if (!Has(source) || K(dest) == K(RefuseCopyTo)) {
      error = "Cannot create file " + dest;
      return false;
    }
    Files[K(dest)] = Files[K(source)];
    return true;
  }
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override {
    std::vector<std::string> names;
    const std::string dir = K(folder);
    const std::string ext = K(pattern.substr(1));  // "*.lng" -> ".lng"; "*.*" -> ".*"
    for (const auto& [path, content] : Files) {
      if (path.compare(0, dir.size(), dir) != 0 || path.find('\\', dir.size()) != std::string::npos) continue;
      const std::string name = path.substr(dir.size());
      if (ext == ".*" || (name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0))
        names.push_back(name);
    }
    return names;
  }
  bool SameFile(const std::string& a, const std::string& b) override { return K(a) == K(b); }
  // A script the settings step reads is a real file.
  bool FileExists(const std::string& name) override { return Has(name) || ::FileExists(name); }
  bool RemoveFile(const std::string& name) override {
    Deleted.push_back(name);
    return Files.erase(K(name)) != 0;
  }
  bool RemoveDir(const std::string& dir) override { return Dirs.erase(K(dir)) != 0; }
  bool WriteFile(const std::string& name, const std::string& text) override {
    Files[K(name)] = text;
    return true;
  }
};

struct TLinkRecord {
  std::string Link, Args, Target;
  int Icon;
};

class TFakeLinks : public TShortcutWriter {
public:
  std::vector<TLinkRecord> Links;
  bool CreateShortcut(const std::string& link, const std::string& args, const std::string& target,
                      int icon) override {
    Links.push_back({link, args, target, icon});
    return true;
  }
};

class TFakeIni : public TIniWriter {
public:
  std::set<std::string> Existing;
  std::vector<std::string> Writes;
  bool FileExists(const std::string& f) override { return Existing.count(AnsiLowerCase(f)) != 0; }
  bool WriteString(const std::string& f, const std::string& s, const std::string& k,
                   const std::string& v) override {
    Writes.push_back(f + "|" + s + "|" + k + "|" + v);
    return true;
  }
};

class TRecorder : public TInstallProgress, public TInstallHost {
public:
  std::vector<int> Percents;
  std::vector<std::string> Actions, Messages;
  void Step(int percent, const std::string& action) override {
    Percents.push_back(percent);
    Actions.push_back(action);
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
};

const char* const kExe = "D:\\dist 50%\\setup.exe";

class Install : public TAppKeyCase {
protected:
  Install() {
    Files.Add(kExe, "program");
    Files.Add("D:\\dist 50%\\English.lng", "lng");
    Files.Add("D:\\dist 50%\\Sample.tq", "tq");
    Files.Add("D:\\dist 50%\\README.txt", "readme");
    Files.Add("D:\\project\\decoy.tq", "decoy");
    Context.RunningExe = kExe;
    Context.Folders.Desktop = "C:\\users\\me\\Desktop\\";
    Context.Folders.Programs = "C:\\users\\me\\Start Menu\\Programs\\";
    Context.Folders.Windows = "C:\\windows\\";
    Context.Files = &Files;
    Context.Links = &Links;
    Context.Ini = &Ini;
    Context.Progress = &Rec;
    Context.Host = &Rec;
    Context.Classes = InstallationTarget();
    Context.Classes.ClassesRoot = rkCurrentUser;
    Context.Classes.ClassesBase = ClassesBase;
    Context.WriteVersionAndPath = [this] {
      TRegistry reg;
      reg.OpenKey(Key, true);
      reg.WriteString("Version", "1.2.3.4");
      ++VersionWrites;
    };
    Choices.Folder = "C:\\Program Files\\Tarnquill";
    Choices.Associate = {kFileTypeCaptions[1], kFileTypeCaptions[7]};  // PAS, H
    TRegistry reg;
    reg.DeleteKey(ClassesBase);
  }
  ~Install() override {
    TRegistry reg;
    reg.DeleteKey(ClassesBase);
  }

  std::string ClassDefault(const std::string& sub) {
    TRegistry reg;
    std::string text;
    if (!reg.OpenKeyReadOnly(ClassesBase + "\\" + sub) || !reg.ReadValueText("", text)) return "<none>";
    return text;
  }
  void SetClassDefault(const std::string& sub, const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(ClassesBase + "\\" + sub, true));
    reg.WriteString("", value);
  }
  std::string Value(const std::string& key, const std::string& name) {
    TRegistry reg;
    std::string text;
    if (!reg.OpenKeyReadOnly(key) || !reg.ReadValueText(name, text)) return "<none>";
    return text;
  }

  std::string ClassesBase = Key + "_Classes";
  TFakeFiles Files;
  TFakeLinks Links;
  TFakeIni Ini;
  TRecorder Rec;
  TInstallContext Context;
  TInstallChoices Choices;
  int VersionWrites = 0;
};

TEST(InstallFolder, AfterDialogAndFullPathRules) {
  struct {
    const char* Chosen;
    bool Action;
    const char* Result;
  } cases[] = {
      {"D:\\Tools", true, "D:\\Tools\\Tarnquill\\"},
      {"D:\\Tools\\", true, "D:\\Tools\\Tarnquill\\"},
      {"D:\\Tarnquill2", true, "D:\\Tarnquill2"},
      {"C:\\Program Files\\TARNQUILL", true, "C:\\Program Files\\TARNQUILL"},
      {"D:\\Tools", false, "D:\\Tools"},
      {"", true, ""},
  };
  for (const auto& c : cases) {
    std::string name = c.Chosen;
    bool action = c.Action;
    FolderAfterDialog(name, action);
    EXPECT_EQ(name, c.Result) << c.Chosen;
  }
  for (const char* full : {"C:\\", "c:/x", "D:\\Tools\\Tarnquill\\", "\\\\server\\share\\x"})
    EXPECT_TRUE(IsFullFolder(full)) << full;
  for (const char* relative : {"", "Tarnquill\\", "C:Tarnquill", "\\Tarnquill", "\\\\server", "\\\\server\\",
                               ":\\x", "1:\\x"})
    EXPECT_FALSE(IsFullFolder(relative)) << relative;
}

TEST(InstallCaptions, SplitIntoExtensionAndDescription) {
  const char* expected[19][2] = {
      {"HTML", "HTML Files"}, {"PAS", "Delphi, Object Pascal"}, {"DPR", "Delphi project"},
      {"DPK", "Delphi package"}, {"ASM", "Assembler"}, {"BAS", "Visual Basic"}, {"CPP", "C++/Visual C"},
      {"H", "C/C++ header"}, {"DFM", "Delphi/Borland C Form"}, {"FOR", "Fortran"}, {"HTM", "HTM files"},
      {"ASP", "ASP Files"}, {"INI", "Windows initialization files"}, {"Java", "Java files"},
      {"JS", "Java Script, JScript"}, {"PL", "Perl"}, {"SQL", "query file"}, {"TXT", "text file"},
      {"VBS", "VB Script"}};
  for (int i = 0; i < 19; ++i) {
    std::string ext, description;
    SplitTypeCaption(kFileTypeCaptions[i], ext, description);
    EXPECT_EQ(ext, expected[i][0]) << i;
    EXPECT_EQ(description, expected[i][1]) << i;
  }
}

TEST_F(Install, AWholeInstallation) {
  SetClassDefault(".PAS", "DelphiUnit");
  Choices.OpenWith = true;
  Ini.Existing.insert("c:\\windows\\wincmd.ini");
  ASSERT_TRUE(RunInstall(Choices, Context));

  EXPECT_EQ(Choices.Folder, "C:\\Program Files\\Tarnquill\\");
  EXPECT_EQ(Rec.Percents, (std::vector<int>{5, 10, 15, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 85, 90, 100}));
  EXPECT_EQ(Rec.Actions.back(), "Completing");
  EXPECT_TRUE(Rec.Messages.empty()) << Rec.Messages[0];

  // The distribution, not the folder the program was started from.
  const std::string dir = "C:\\Program Files\\Tarnquill\\";
  EXPECT_EQ(Files.Files[TFakeFiles::K(dir + "Tarnquill.exe")], "program");
  EXPECT_TRUE(Files.Has(dir + "English.lng"));
  EXPECT_TRUE(Files.Has(dir + "Sample.tq"));
  EXPECT_TRUE(Files.Has(dir + "README.txt"));
  EXPECT_FALSE(Files.Has(dir + "setup.exe"));
  EXPECT_FALSE(Files.Has(dir + "decoy.tq"));

  ASSERT_EQ(Links.Links.size(), 6u);
  const std::string installed = dir + "Tarnquill.exe";
  const char* names[] = {"Tarnquill.lnk", "Advanced Calculator.lnk", "ASCII Table.lnk"};
  const char* args[] = {"", "/c", "/a"};
  for (int i = 0; i < 6; ++i) {
    const std::string folder = i < 3 ? Context.Folders.Desktop : Context.Folders.Programs + "Tarnquill\\";
    EXPECT_EQ(Links.Links[i].Link, folder + names[i % 3]);
    EXPECT_EQ(Links.Links[i].Args, args[i % 3]);
    EXPECT_EQ(Links.Links[i].Icon, i % 3);
    EXPECT_EQ(Links.Links[i].Target, installed);
  }
  EXPECT_EQ(Ini.Writes, (std::vector<std::string>{"C:\\windows\\WINCMD.INI|Configuration|Editor|" + installed}));

  // Quoted commands naming the installed copy, never the setup program.
  const std::string command = "\"" + installed + "\" \"%1\"";
  EXPECT_EQ(ClassDefault("*\\shell\\Open with Tarnquill\\command"), command);
  EXPECT_EQ(ClassDefault(".PAS"), "Tarnquill");
  EXPECT_EQ(ClassDefault(".H"), "Tarnquill");
  EXPECT_EQ(ClassDefault("Tarnquill"), "C/C++ header");
  EXPECT_EQ(ClassDefault("Tarnquill\\DefaultIcon"), installed + ",0");
  EXPECT_EQ(ClassDefault("Tarnquill\\shell\\open\\command"), command);
  EXPECT_EQ(Value(Key + "\\Installation", ".PAS"), "DelphiUnit");
  EXPECT_EQ(Value(Key + "\\Installation", ".H"), "");

  EXPECT_EQ(Value(Key + "\\Setup", "UseLanguage_Checked"), "False");
  EXPECT_EQ(Value(Key + "\\Setup", "Language_Text"), "");
  EXPECT_EQ(Value(Key + "\\Setup", "RightEdge_Value"), "80");  // the defaults
  EXPECT_EQ(VersionWrites, 1);

  // A second installation over the first records nothing more.
  Choices.UseLanguage = false;
  Choices.Language = "English.lng";
  ASSERT_TRUE(RunInstall(Choices, Context));
  EXPECT_EQ(Value(Key + "\\Installation", ".PAS"), "DelphiUnit");
  EXPECT_EQ(Value(Key + "\\Setup", "UseLanguage_Checked"), "True");
  EXPECT_EQ(Value(Key + "\\Setup", "Language_Text"), "English.lng");
}

TEST_F(Install, AFolderItCannotUseWritesNothing) {
  struct {
    const char* Folder;
    const char* RefuseDir;
    const char* RefuseCopy;
    size_t Steps;  // the progress shown before it stopped
  } cases[] = {
      {"", "", "", 1},
      {"Tarnquill", "", "", 1},
      {"\\Tarnquill\\", "", "", 1},
      {"E:\\Locked\\Tarnquill", "E:\\Locked\\Tarnquill\\", "", 1},
      {"E:\\Full\\Tarnquill", "", "E:\\Full\\Tarnquill\\Tarnquill.exe", 2},
  };
  for (const auto& c : cases) {
    Rec = TRecorder();
    Files.RefuseDir = c.RefuseDir;
    Files.RefuseCopyTo = c.RefuseCopy;
    const size_t before = Files.Files.size();
    Choices.Folder = c.Folder;
    EXPECT_FALSE(RunInstall(Choices, Context)) << c.Folder;
    EXPECT_EQ(Rec.Percents.size(), c.Steps) << c.Folder;
    EXPECT_EQ(Rec.Messages.size(), 1u) << c.Folder;
    EXPECT_FALSE(Rec.Messages.empty() || Rec.Messages[0].empty()) << c.Folder;
    EXPECT_EQ(Files.Files.size(), before) << c.Folder;
  }
  EXPECT_TRUE(Links.Links.empty());
  EXPECT_TRUE(Ini.Writes.empty());
  EXPECT_EQ(VersionWrites, 0);
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key));
  EXPECT_FALSE(reg.KeyExists(ClassesBase));
}

TEST_F(Install, MissingSpecialFoldersSkipTheirShortcutsAndTheIniFile) {
  Context.Folders.Desktop = "";
  Context.Folders.Programs = "Programs\\";  // never a relative path
  Context.Folders.Windows = "C:\\windows\\";  // no WINCMD.INI there
  ASSERT_TRUE(RunInstall(Choices, Context));
  EXPECT_TRUE(Links.Links.empty());
  EXPECT_TRUE(Ini.Writes.empty());
  EXPECT_EQ(Rec.Messages, std::vector<std::string>{kNoWindowsCommander});
  EXPECT_EQ(Rec.Percents, (std::vector<int>{5, 10, 15, 65, 70, 75, 85, 90, 100}));

  Rec = TRecorder();
  Choices.WCEdit = false;
  ASSERT_TRUE(RunInstall(Choices, Context));
  EXPECT_TRUE(Rec.Messages.empty());
}

#ifndef _WIN32
TEST_F(Install, ARefusedAssociationSaysWhyAndStops) {
  ResetMemoryRegistry();
  SetMemoryRegistryWriteBudget(3);  // the first extension's class, not its command
  Choices.WCEdit = false;
  EXPECT_THROW(RunInstall(Choices, Context), Exception);  // the language step is refused too
  SetMemoryRegistryWriteBudget(-1);
  ASSERT_EQ(Rec.Messages.size(), 1u);
  EXPECT_EQ(Rec.Messages[0].rfind(kAssociateError, 0), 0u);
  EXPECT_NE(Rec.Messages[0].find("\r\n\r\nWindows return error: "), std::string::npos);
  EXPECT_EQ(ClassDefault(".H"), "<none>");
}
#endif

TEST_F(Install, SettingsChoices) {
  const std::string dir = IncludeTrailingPathDelimiter(SystemTempPath()) + "tq install %s " +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
  ForceDirectories(dir);
  const std::string script = IncludeTrailingPathDelimiter(dir) + "settings.tq";
  const std::string empty = IncludeTrailingPathDelimiter(dir) + "empty.tq";
  {
    TFileStream out(script, fmCreate);
    const std::string text = "Main.FontSize=10\r\nForeign.Evil=1\r\n";
    out.WriteBuffer(text.data(), int64_t(text.size()));
    TFileStream none(empty, fmCreate);
  }
  Choices.WCEdit = false;
  struct {
    bool Installed;
    TSettingsChoice Choice;
    const char* Script;
    bool Defaults;
    bool FontSize;
  } cases[] = {
      {false, scOverwrite, "", true, false},     {true, scOverwrite, "", true, false},
      {false, scSafe, "", true, false},          {true, scSafe, "", false, false},
      {false, scFromScript, "absent", true, false}, {true, scFromScript, "absent", true, false},
      {false, scFromScript, "script", true, true},  {true, scFromScript, "script", false, true},
      {false, scFromScript, "empty", true, false},  {true, scFromScript, "empty", false, false},
  };
  for (const auto& c : cases) {
    TRegistry reg;
    reg.DeleteKey(Key);
    if (c.Installed) {
      ASSERT_TRUE(reg.OpenKey(Key, true));
      reg.WriteString("Version", "0.9.0.0");
      reg.CloseKey();
    }
    const std::string which = c.Script;
    Choices.Settings = c.Choice;
    Choices.ScriptFile = which == "script" ? script : which == "empty" ? empty : dir + "\\absent.tq";
    Rec = TRecorder();
    ASSERT_TRUE(RunInstall(Choices, Context));
    const std::string label = std::to_string(c.Installed) + "/" + std::to_string(c.Choice) + "/" + which;
    EXPECT_EQ(Value(Key + "\\Setup", "RightEdge_Value") == "80", c.Defaults) << label;
    EXPECT_EQ(Value(Key + "\\Main", "FontSize"), c.FontSize ? "10" : "<none>") << label;
    EXPECT_FALSE(reg.KeyExists(Key + "\\Foreign")) << label;
    EXPECT_TRUE(Rec.Messages.empty()) << label;
  }
  FileDelete(script);
  FileDelete(empty);
  RemoveDir(dir);
}

TEST_F(Install, RestorePlanKeepsOneRecordAndSparesOtherPrograms) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + "\\Installation", true));
    reg.WriteString(".pas", "DelphiUnit");
    reg.WriteString(".c", "CFile");
    reg.WriteString(".txt", "txtfile");
    ASSERT_TRUE(reg.OpenKey(Key + "\\Uninstall", true));
    reg.WriteString(".PAS", "OtherEditor");
    reg.WriteString(".java", "");
  }
  SetClassDefault(".pas", "Tarnquill");
  SetClassDefault(".c", "Tarnquill");
  SetClassDefault(".txt", "Notepad");  // associated elsewhere since
  SetClassDefault(".java", "Tarnquill");
  SetClassDefault("Tarnquill\\shell\\open\\command", "x");
  SetClassDefault("*\\shell\\Open with Tarnquill\\command", "x");
  SetClassDefault("*\\shell\\open\\command", "kept");

  const TAssociationTarget target = Context.Classes;
  const std::vector<TRestoreRecord> plan = RestorePlan(target);
  std::map<std::string, std::string> byExt;
  for (const TRestoreRecord& r : plan) byExt[AnsiLowerCase(r.Extension)] = r.Previous;
  EXPECT_EQ(plan.size(), 3u);
  EXPECT_EQ(byExt[".pas"], "OtherEditor");
  EXPECT_EQ(byExt[".c"], "CFile");
  EXPECT_EQ(byExt[".java"], "");
  EXPECT_EQ(byExt.count(".txt"), 0u);

  RestoreAssociations(plan, target, Rec);
  DeleteRegistryEntries(target);
  EXPECT_TRUE(Rec.Messages.empty());
  EXPECT_EQ(ClassDefault(".pas"), "OtherEditor");
  EXPECT_EQ(ClassDefault(".c"), "CFile");
  EXPECT_EQ(ClassDefault(".java"), "");
  EXPECT_EQ(ClassDefault(".txt"), "Notepad");
  EXPECT_EQ(ClassDefault("*\\shell\\open\\command"), "kept");
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key));
  EXPECT_FALSE(reg.KeyExists(ClassesBase + "\\Tarnquill"));
  EXPECT_FALSE(reg.KeyExists(ClassesBase + "\\*\\shell\\Open with Tarnquill"));
}

TEST_F(Install, EachAssociationKeepsOneRecord) {
  SetClassDefault(".pas", "DelphiUnit");
  Choices.Associate = {kFileTypeCaptions[1]};
  ASSERT_TRUE(RunInstall(Choices, Context));
  EXPECT_EQ(Value(Key + "\\Installation", ".PAS"), "DelphiUnit");

  // The user gave .pas to another program, then the options dialog took it back.
  SetClassDefault(".pas", "OtherEditor");
  TAssociationTarget dialog = Context.Classes;
  std::swap(dialog.UninstallKey, dialog.OtherRecordKey);
  dialog.WithIcon = false;
  ASSERT_TRUE(AssociateExtensions({"PAS"}, "Pascal", "C:\\T\\Tarnquill.exe", dialog));
  EXPECT_EQ(Value(Key + "\\Uninstall", ".PAS"), "OtherEditor");
  EXPECT_EQ(Value(Key + "\\Installation", ".PAS"), "<none>");
}

TEST(UninstallBatch, BoundedTriesAndQuotedPaths) {
  for (const char* dir : {"C:\\Program Files\\", "C:\\100% sure\\", "C:\\R&D\\"}) {
    const std::string exe = std::string(dir) + "Tarnquill.exe";
    const std::string bat = std::string(dir) + "Tarnquill.bat";
    const std::string text = UninstallBatchText(exe, bat, 5);
    const std::string quotedExe = BatchQuoted(exe);
    EXPECT_EQ(quotedExe.find('%') == std::string::npos, std::string(dir).find('%') == std::string::npos);
    size_t erases = 0;
    for (size_t p = text.find("erase " + quotedExe); p != std::string::npos;
         p = text.find("erase " + quotedExe, p + 1))
      ++erases;
    EXPECT_EQ(erases, 5u) << dir;
    // The only jump goes forward to the end, which always deletes the batch.
    EXPECT_EQ(text.find("goto 1"), std::string::npos);
    const std::string tail = ":done\r\nerase " + BatchQuoted(bat) + "\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << dir;
  }
  EXPECT_NE(UninstallBatchText("C:\\100% sure\\T.exe", "C:\\b.bat", 1).find("\"C:\\100%% sure\\T.exe\""),
            std::string::npos);
}

TEST(UninstallFiles, OnlyTheProgramsFolderAndTheShortcuts) {
  TFakeFiles files;
  for (const char* f : {"C:\\T\\Tarnquill.exe", "C:\\T\\a.macro", "C:\\T\\s.tq", "C:\\T\\English.lng",
                        "C:\\T\\README.txt", "C:\\T\\Tarnquill.INI", "C:\\T\\Other.ini", "C:\\T\\sub\\x.tq",
                        "C:\\project\\mine.tq"})
    files.Add(f, "x");
  TSpecialFolders folders;
  folders.Desktop = "C:\\Desktop\\";
  folders.Programs = "C:\\Programs\\";
  TUninstallFiles list = UninstallFileList(files, "C:\\T\\Tarnquill.exe", folders);
  std::set<std::string> got;
  for (const std::string& f : list.Files) got.insert(AnsiLowerCase(f));
  const std::set<std::string> expected = {
      "c:\\t\\a.macro", "c:\\t\\s.tq", "c:\\t\\english.lng", "c:\\t\\tarnquill.ini",
      "c:\\programs\\tarnquill\\tarnquill.lnk", "c:\\programs\\tarnquill\\advanced calculator.lnk",
      "c:\\programs\\tarnquill\\ascii table.lnk", "c:\\desktop\\tarnquill.lnk",
      "c:\\desktop\\advanced calculator.lnk", "c:\\desktop\\ascii table.lnk"};
  EXPECT_EQ(got, expected);
  EXPECT_EQ(list.Folders, std::vector<std::string>{"C:\\Programs\\Tarnquill"});

  folders.Desktop.clear();
  folders.Programs = "Programs\\";
  list = UninstallFileList(files, "Tarnquill.exe", folders);
  EXPECT_TRUE(list.Files.empty());
  EXPECT_TRUE(list.Folders.empty());
}

TEST(HelpTexts, MailLinkAndCharsetNames) {
  EXPECT_EQ(MailLink("me@example.org", 1, 2, 30, 400),
            "mailto:me@example.org?subject=Regarding%20Tarnquill.%20Build%3A%201.2.30.400");
  struct {
    int Charset;
    const char* Name;
  } sets[] = {{0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}, {2, "SYMBOL_CHARSET"}, {77, "MAC_CHARSET"},
              {128, "SHIFTJIS_CHARSET"}, {134, "GB2312_CHARSET"}, {204, "RUSSIAN_CHARSET"},
              {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"}, {3, ""}, {200, ""}, {-1, ""}};
  for (const auto& s : sets) EXPECT_EQ(CharsetName(s.Charset), s.Name) << s.Charset;
}

}  // namespace
