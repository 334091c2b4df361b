// Index file layouts. See FtpIndex.h.
#include "ftp/FtpIndex.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

namespace {

// Characters [from, from + count) of a line, 1-based like the layouts are
// described, taking only what the line holds.
std::string Cut(const std::string& line, size_t from, size_t count = std::string::npos) {
  if (from - 1 >= line.size()) return std::string();
  return Trim(std::string_view(line).substr(from - 1, count));
}

void SetDescription(TMFtpFileInfoList& list, const std::string& name, const std::string& text) {
  int i = list.IndexOfName(name);
  if (i >= 0) list.SetColumn(i, fcDescription, text);
}

void SetBoth(TMFtpFileInfoList& dirs, TMFtpFileInfoList& files, const std::string& name,
             const std::string& text) {
  SetDescription(files, name, text);
  SetDescription(dirs, name, text);
}

}  // namespace

void ParseIndexLines(const std::vector<std::string>& lines, TMFtpFileInfoList& dirs,
                     TMFtpFileInfoList& files) {
  dirs.ClearColumn(fcDescription);
  files.ClearColumn(fcDescription);
  const size_t n = lines.size();
  if (n >= 2 && lines[0].find("do not edit by hand!") != std::string::npos &&
      LowerCase(lines[0]).find("keeper") != std::string::npos) {
    const std::string rule(78, '-');
    size_t i = 1;
    while (i < n && lines[i] != rule) ++i;
    for (++i; i < n; ++i) {
      std::string line = Trim(lines[i]);
      if (line.empty()) continue;
      size_t blank = line.find(' ');
      std::string name = Trim(line.substr(0, blank));
      std::string text = blank == std::string::npos ? std::string() : Trim(line.substr(blank));
      if (!name.empty() && name.back() == '/') {
        name.pop_back();
        SetDescription(dirs, name, text);
      } else {
        SetDescription(files, name, text);
      }
    }
  } else if (n >= 2 &&
             lines[1] == "Some files may have been added or deleted since that date.  See") {
    for (size_t i = 9; i < n; ++i) SetBoth(dirs, files, Cut(lines[i], 1, 13), Cut(lines[i], 34));
  } else if (n >= 2 && lines[1] == "** WinSite (tm):  The Planet's Largest Software Archive for "
                                   "Windows") {
    const std::string rule(78, '*');
    for (size_t i = 22; i < n && lines[i] != rule; i += 2) {
      std::string text = i + 1 < n ? Trim(lines[i + 1]) : std::string();
      SetBoth(dirs, files, Cut(lines[i], 1, 13), text);
    }
  } else if (n >= 3 && lines[2] == "File     Ext     Size   Date     Time   Description") {
    for (size_t i = 4; i < n; ++i)
      SetBoth(dirs, files, Cut(lines[i], 1, 8) + "." + Cut(lines[i], 10, 3), Cut(lines[i], 41));
  } else {
    for (const std::string& raw : lines) {
      std::string line = Trim(raw);
      if (line.empty()) continue;
      size_t sep;
      if (line[0] == '"') {
        line[0] = ' ';
        sep = line.find('"');
      } else {
        sep = line.find(' ');
      }
      if (sep == std::string::npos) continue;
      SetBoth(dirs, files, Trim(line.substr(0, sep)), Trim(line.substr(sep + 1)));
    }
  }
}

bool ParseIndexFile(const std::string& fileName, TMFtpFileInfoList& dirs,
                    TMFtpFileInfoList& files) {
  std::vector<std::string> lines;
  if (!ReadFileLines(fileName, lines)) return false;
  ParseIndexLines(lines, dirs, files);
  return true;
}
