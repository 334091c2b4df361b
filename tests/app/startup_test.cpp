// Start-up decisions: the mode from the program's name, the first argument
// and the first run; the file the command line names; the rename batch.
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SysUtils.h"

namespace {

using Args = std::vector<std::string>;

TEST(StartMode, NameArgumentAndFirstRunDecideTheMode) {
  const struct {
    const char* Program;
    Args Arguments;
    bool FirstRun;
    TStartMode Mode;
  } cases[] = {
      {"C:\\x\\SETUP.EXE", {"a.txt"}, false, stmInstaller},
      {"C:\\x\\tarnquill2.exe", {}, false, stmRename},
      {"C:\\x\\TarnQuill.EXE", {}, false, stmEditor},
      {"C:\\x\\Tarnquill.exe", {"/U"}, false, stmUninstall},
      {"C:\\x\\Tarnquill.exe", {"/uninstall"}, true, stmUninstall},
      {"C:\\x\\Tarnquill.exe", {"/I"}, false, stmInstall},
      {"C:\\x\\Tarnquill.exe", {"/install"}, false, stmInstall},
      // A first run only installs, whatever the command line holds.
      {"C:\\x\\Tarnquill.exe", {"a.txt"}, true, stmInstaller},
      {"C:\\x\\Tarnquill.exe", {"/c"}, true, stmInstaller},
      {"C:\\x\\Tarnquill.exe", {"/C"}, false, stmCalculator},
      {"C:\\x\\Tarnquill.exe", {"/a"}, false, stmAsciiTable},
      // Only argument 1 selects a mode.
      {"C:\\x\\Tarnquill.exe", {"a.txt", "/c"}, false, stmEditor},
      {"C:\\x\\Tarnquill.exe", {"/n"}, false, stmEditor},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideStartMode(c.Program, c.Arguments, c.FirstRun), c.Mode) << c.Program;
}

TEST(StartMode, HandOverAndTraceSwitches) {
  EXPECT_TRUE(SkipsHandOver({"/N", "a.txt"}));
  EXPECT_FALSE(SkipsHandOver({"a.txt", "/n"}));
  EXPECT_FALSE(SkipsHandOver({}));
  EXPECT_TRUE(WantsDebugTrace({"/D"}));
  EXPECT_FALSE(WantsDebugTrace({"/d"}));
}

TEST(CommandLine, ArgumentsJoinIntoOneFullPath) {
  const std::string d(1, PathDelim);
  const std::string root = PathDelim == '\\' ? "C:\\" : "/";
  const std::string dir = root + "base" + d + "sub";
  const std::string base = dir + d;
  const struct {
    Args Arguments;
    std::string Name;
  } cases[] = {
      {{}, ""},
      {{"a.txt"}, base + "a.txt"},
      // Unquoted words with blanks between them are one name.
      {{"My", "Files", "a.txt"}, base + "My Files a.txt"},
      {{"/n", "a.txt"}, base + "a.txt"},
      {{"/N", "a.txt"}, base + "a.txt"},
      {{"/D", "a.txt"}, base + "a.txt"},
      {{"/d", "a.txt"}, ""},  // not the switch: the text starts with "/"
      {{"/n"}, ""},
      {{"..", "x.txt"}, base + ".. x.txt"},
      {{".." + d + "x.txt"}, root + "base" + d + "x.txt"},
      {{".." + d + ".." + d + ".." + d + "x.txt"}, root + "x.txt"},
      {{"." + d + "y" + d + "." + d + "z.pas"}, base + "y" + d + "z.pas"},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLineFileName(c.Arguments, dir), c.Name);
}

TEST(CommandLine, AbsoluteNamesStayAsGiven) {
  EXPECT_EQ(CommandLineFileName({"C:\\My", "Files\\a.txt"}, "D:\\work"), "C:\\My Files\\a.txt");
  EXPECT_EQ(CommandLineFileName({"\\tmp\\b.txt"}, "D:\\work"), "D:\\tmp\\b.txt");
}

TEST(RenameBatch, EveryStepIsBoundedAndNamesAreQuoted) {
  const std::string text =
      RenameBatchText("C:\\a b\\tq%2.exe", "C:\\a b\\tq%2.bat", {"x&y.txt", "", "c d", "e", "f"}, 2);
  EXPECT_EQ(RenameBatchFileName("C:\\a b\\tq2.exe"), "C:\\a b\\tq2.bat");
  const std::string expected =
      "@echo off\r\n"
      "ren \"C:\\a b\\tq%%2.exe\" \"Tarnquill.exe\" 2>nul\r\n"
      "if exist \"C:\\a b\\Tarnquill.exe\" goto renamed\r\n"
      "ping -n 2 127.0.0.1 >nul\r\n"
      "ren \"C:\\a b\\tq%%2.exe\" \"Tarnquill.exe\" 2>nul\r\n"
      "if exist \"C:\\a b\\Tarnquill.exe\" goto renamed\r\n"
      "goto done\r\n"
      ":renamed\r\n"
      "if not exist \"C:\\a b\\tq%%2.exe\" goto start\r\n"
      "erase \"C:\\a b\\tq%%2.exe\" 2>nul\r\n"
      "ping -n 2 127.0.0.1 >nul\r\n"
      "if not exist \"C:\\a b\\tq%%2.exe\" goto start\r\n"
      "erase \"C:\\a b\\tq%%2.exe\" 2>nul\r\n"
      "if exist \"C:\\a b\\tq%%2.exe\" goto done\r\n"
      ":start\r\n"
      "start \"\" \"C:\\a b\\Tarnquill.exe\" \"x&y.txt\" \"c d\"\r\n"
      ":done\r\n"
      "erase \"C:\\a b\\tq%%2.bat\"\r\n";
  EXPECT_EQ(text, expected);
}

TEST(RenameBatch, TriesFollowTheParameter) {
  auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  const std::string text = RenameBatchText("C:\\t\\x.exe", "C:\\t\\x.bat", {}, 10);
  EXPECT_EQ(count(text, "ren "), 10);
  EXPECT_EQ(count(text, "erase \"C:\\t\\x.exe\""), 10);
  EXPECT_EQ(count(text, "ping "), 18);
  EXPECT_NE(text.find("start \"\" \"C:\\t\\Tarnquill.exe\"\r\n"), std::string::npos);
}

}  // namespace
