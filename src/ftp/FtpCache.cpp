// The listing cache. See FtpCache.h.
#include "ftp/FtpCache.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

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
  auto hasLineBreak = [](const std::string& s) {
    // One pass over the bytes: asking find_first_of costs a search of the
    // set per character, which made saving a big listing slower than
    // writing it.
    for (char c : s)
      if (c == '\r' || c == '\n') return true;
    return false;
  };
  std::vector<int> kept;
  kept.reserve(static_cast<size_t>(list.GetCount()));
  for (int i = 0; i < list.GetCount(); ++i) {
    bool clean = true;
    for (int c : order) clean = clean && !hasLineBreak(list.GetColumn(i, c));
    if (clean) kept.push_back(i);
  }
  TFileHandle h = FileCreate(fileName);
  if (h == InvalidFileHandle) return;
  // Written in blocks: a listing of any size needs no copy of its own size.
  constexpr size_t kBlock = 256 * 1024;
  std::string block = IntToStr(static_cast<int64_t>(kept.size())) + "\r\n";
  block.reserve(kBlock + 4096);
  bool ok = true;
  auto flush = [&] {
    ok = ok && FileWrite(h, block.data(), static_cast<int64_t>(block.size())) ==
                   static_cast<int64_t>(block.size());
    block.clear();
  };
  for (int i : kept) {
    for (int c : order) block.append(list.GetColumn(i, c)).append("\r\n");
    if (block.size() >= kBlock) flush();
  }
  if (!block.empty()) flush();
  FileClose(h);
  if (!ok) {
    FileDelete(fileName);  // a torn file would be read back as a shorter listing
    return;
  }
  if (!IsWindowsNT()) FtpSystem().MarkHiddenSystem(fileName);
}

bool LoadCacheFile(const std::string& fileName, TMFtpFileInfoList& list) {
  list.Clear();
  std::string text;
  if (!ReadWholeFile(fileName, text)) return false;
  std::string_view rest(text);
  auto nextLine = [&](std::string_view& line) {
    if (rest.empty()) return false;
    size_t nl = rest.find('\n');
    line = rest.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    return true;
  };
  std::string_view first;
  int64_t count = 0;
  if (!nextLine(first) || !TryStrToInt64(Trim(first), count) || count < 0) return false;
  // The count is the file's claim; only the entries really there are taken.
  list.Reserve(static_cast<int>(std::min<int64_t>(count, static_cast<int64_t>(rest.size() / 16 + 1))));
  std::string_view f[8];
  for (int64_t k = 0; k < count; ++k) {
    bool clean = true;
    for (std::string_view& field : f) {
      if (!nextLine(field)) return true;
      if (field.find('\r') != std::string_view::npos) clean = false;
    }
    // A stray CR inside a text is no entry this cache ever wrote.
    if (clean) list.AddEntry(f[0], f[1], f[2], f[3], f[4], f[7], f[5], f[6]);
  }
  return true;
}
