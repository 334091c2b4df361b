// The listing cache. See FtpCache.h.
#include "ftp/FtpCache.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

#include <cstdio>
#include <ctime>

namespace {

std::string gCacheDir;
int gToday = 0;

// Windows file names stop at 255 characters; the folder part comes on top,
// so keep well below and leave room for the suffix.
constexpr size_t kMaxBaseName = 180;

std::string HashText(std::string_view s) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

}  // namespace

void PrepareCacheDir() {
  gCacheDir = IncludeTrailingPathDelimiter(GetWindowsDir()) + "ftpcache" + PathDelim;
  std::string dir = ExcludeTrailingPathDelimiter(gCacheDir);
  if (!DirectoryExists(dir)) CreateDir(dir);
  FtpSystem().MarkHiddenSystem(dir);
  int y, m, d;
  DecodeDateNumber(TodayDate(), y, m, d);
  gToday = y * 10000 + m * 100 + d;
}

const std::string& CacheDir() { return gCacheDir; }
int CacheToday() { return gToday; }

std::string CacheFileName(const std::string& host, const std::string& user,
                          const std::string& path, bool directories, int port) {
  std::string lower = LowerCase(user);
  std::string base = host + "[" + IntToStr(port) + "]-";
  if (lower != "ftp" && lower != "anonymous") base += "(" + user + ")-";
  base += path;
  std::string name = SanitizeCacheName(base, '~');
  if (name.size() > kMaxBaseName)
    name = name.substr(0, kMaxBaseName - 17) + "~" + HashText(base);
  return gCacheDir + name + ".cache" + (directories ? "d" : "f") + ".ELP";
}

void SaveCacheFile(const std::string& fileName, const TMFtpFileInfoList& list) {
  // A CR or LF inside a text would shift every later line of the file, so an
  // entry holding one is left out.
  static const int order[] = {fcName, fcAttrib, fcDate, fcSize, fcLink, fcOwner, fcGroup,
                              fcDescription};
  std::string body;
  int count = 0;
  for (int i = 0; i < list.GetCount(); ++i) {
    bool clean = true;
    for (int c : order)
      if (list.GetColumn(i, c).find_first_of("\r\n") != std::string::npos) clean = false;
    if (!clean) continue;
    for (int c : order) body += list.GetColumn(i, c) + "\r\n";
    ++count;
  }
  std::string text = IntToStr(count) + "\r\n" + body;
  TFileHandle h = FileCreate(fileName);
  if (h == InvalidFileHandle) return;
  bool ok = FileWrite(h, text.data(), static_cast<int64_t>(text.size())) ==
            static_cast<int64_t>(text.size());
  FileClose(h);
  if (!ok) {
    FileDelete(fileName);  // a torn file would be read back as a shorter listing
    return;
  }
  if (!IsWindowsNT()) FtpSystem().MarkHiddenSystem(fileName);
}

bool LoadCacheFile(const std::string& fileName, TMFtpFileInfoList& list) {
  list.Clear();
  std::vector<std::string> lines;
  if (!ReadFileLines(fileName, lines)) return false;
  int64_t count = 0;
  if (lines.empty() || !TryStrToInt64(Trim(lines[0]), count) || count < 0) return false;
  size_t complete = (lines.size() - 1) / 8;
  if (static_cast<uint64_t>(count) < complete) complete = static_cast<size_t>(count);
  for (size_t k = 0; k < complete; ++k) {
    auto at = [&](int field) { return std::string(lines[1 + k * 8 + field]); };
    list.AddEntry(at(0), at(1), at(2), at(3), at(4), at(7), at(5), at(6));
  }
  return true;
}
