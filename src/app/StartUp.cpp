#include "app/StartUp.h"

#include "platform/SysUtils.h"

namespace {

std::string FirstLower(const std::vector<std::string>& args) {
  return args.empty() ? std::string() : LowerCase(args[0]);
}

}  // namespace

std::string BatchQuoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '%') out += '%';
    if (c != '"') out += c;  // a quote cannot be part of a Windows name
  }
  return out + "\"";
}

namespace {

bool IsDelim(char c) { return c == '\\' || c == '/'; }

// name against folder, with "." and ".." steps taken: what the system's
// full-path call makes of a name given on the command line.
std::string ExpandFileNameIn(const std::string& name, const std::string& folder) {
  std::string path;
  if (name.size() >= 3 && name[1] == ':' && IsDelim(name[2]))
    path = name;
  else if (!name.empty() && IsDelim(name[0]))
    path = (folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string()) + name;
  else
    path = IncludeTrailingPathDelimiter(folder) + name;
  // Split after the root, which the steps never climb above.
  size_t rootEnd = 0;
  if (path.size() >= 3 && path[1] == ':' && IsDelim(path[2])) rootEnd = 3;
  else if (!path.empty() && IsDelim(path[0])) rootEnd = 1;
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = rootEnd; i <= path.size(); ++i) {
    if (i == path.size() || IsDelim(path[i])) {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += path[i];
    }
  }
  // Windows names keep their backslashes in the native build too.
  const char delim = path.find('\\') != std::string::npos ? '\\' : PathDelim;
  std::string out = path.substr(0, rootEnd);
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? std::string(1, delim) : std::string()) + parts[i];
  return out;
}

}  // namespace

TStartMode DecideStartMode(const std::string& programFile, const std::vector<std::string>& args,
                           bool firstRun) {
  const std::string name = LowerCase(ExtractFileName(programFile));
  if (name == "setup.exe") return stmInstaller;
  if (name != "tarnquill.exe") return stmRename;
  const std::string first = FirstLower(args);
  if (first == "/u" || first == "/uninstall") return stmUninstall;
  if (first == "/i" || first == "/install") return stmInstall;
  if (firstRun) return stmInstaller;
  if (first == "/c") return stmCalculator;
  if (first == "/a") return stmAsciiTable;
  return stmEditor;
}

bool SkipsHandOver(const std::vector<std::string>& args) { return FirstLower(args) == "/n"; }

bool WantsDebugTrace(const std::vector<std::string>& args) { return !args.empty() && args[0] == "/D"; }

std::string CommandLineFileName(const std::vector<std::string>& args, const std::string& folder) {
  size_t first = 0;
  if (SkipsHandOver(args) || WantsDebugTrace(args)) first = 1;
  std::string joined;
  for (size_t i = first; i < args.size(); ++i) {
    if (i > first) joined += ' ';
    joined += args[i];
  }
  if (joined.empty() || joined[0] == '/') return std::string();
  return ExpandFileNameIn(joined, folder);
}

std::string RenameBatchFileName(const std::string& programFile) {
  return ChangeFileExt(programFile, ".bat");
}

std::string RenameBatchText(const std::string& programFile, const std::string& batchFile,
                            const std::vector<std::string>& args, int tries) {
  const std::string target = ExtractFilePath(programFile) + "Tarnquill.exe";
  const std::string pause = kBatchPause;
  std::string text = "@echo off\r\n";
  // Unrolled rather than counted: each try is one plain line, whatever the
  // command interpreter makes of arithmetic.
  for (int i = 0; i < tries; ++i) {
    if (i > 0) text += pause;
    text += "ren " + BatchQuoted(programFile) + " " + BatchQuoted("Tarnquill.exe") + " 2>nul\r\n";
    text += "if exist " + BatchQuoted(target) + " goto renamed\r\n";
  }
  text += "goto done\r\n:renamed\r\n";
  for (int i = 0; i < tries; ++i) {
    if (i > 0) text += pause;
    text += "if not exist " + BatchQuoted(programFile) + " goto start\r\n";
    text += "erase " + BatchQuoted(programFile) + " 2>nul\r\n";
  }
  text += "if exist " + BatchQuoted(programFile) + " goto done\r\n";
  text += ":start\r\nstart \"\" " + BatchQuoted(target);
  for (size_t i = 0; i < args.size() && i < 3; ++i)
    if (!args[i].empty()) text += " " + BatchQuoted(args[i]);
  text += "\r\n:done\r\nerase " + BatchQuoted(batchFile) + "\r\n";
  return text;
}
