// The system's side of SysUtils over POSIX: file identity by device and
// inode, folder listing with opendir, the temporary folder from TMPDIR.
#include "platform/SysUtils.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

char SystemDecimalSeparator() { return '.'; }

std::string SystemTempPath() {
  const char* dir = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(dir && *dir ? dir : "/tmp");
}

std::string SystemFolder() { return "/usr/lib"; }

bool SameFileIdentity(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool CopyFileTime(const std::string& source, const std::string& dest) {
  struct stat s;
  if (::stat(source.c_str(), &s) != 0) return false;
  struct timespec times[2] = {s.st_atim, s.st_mtim};
  return ::utimensat(AT_FDCWD, dest.c_str(), times, 0) == 0;
}

int FileGetAttr(const std::string& fileName) {
  struct stat s;
  if (::stat(fileName.c_str(), &s) != 0) return -1;
  int attr = S_ISDIR(s.st_mode) ? faDirectory : 0;
  if (!(s.st_mode & S_IWUSR)) attr |= faReadOnly;
  return attr;
}

bool FileMoveReplacing(const std::string& source, const std::string& dest) {
  return ::rename(source.c_str(), dest.c_str()) == 0;
}

void CopyFileMetadata(const std::string& target, const std::string& replacement) {
  struct stat s;
  if (::stat(target.c_str(), &s) == 0) ::chmod(replacement.c_str(), s.st_mode & 07777);
}

bool FileLinkOrCopy(const std::string& fileName, const std::string& newName) {
  struct stat s;
  if (::stat(fileName.c_str(), &s) != 0) return false;
  if (s.st_nlink == 1 && ::link(fileName.c_str(), newName.c_str()) == 0) return true;
  const TFileHandle in = FileOpen(fileName, 0);
  if (in == InvalidFileHandle) return false;
  const TFileHandle out = FileCreateNew(newName);
  bool ok = out != InvalidFileHandle;
  std::vector<char> buffer(1 << 20);
  for (int64_t n; ok && (n = FileRead(in, buffer.data(), int64_t(buffer.size()))) != 0;)
    ok = n > 0 && FileWrite(out, buffer.data(), n) == n;
  FileClose(in);
  if (out != InvalidFileHandle) {
    ok = ::fsync(out) == 0 && ok;
    FileClose(out);
    if (!ok) FileDelete(newName);
  }
  return ok;
}

namespace {

struct TFindState {
  DIR* Dir = nullptr;
  std::string Folder;  // with its trailing separator
  std::string Mask;
};

// The system's mask rule: "*" and "?" ignore case, and a mask ending in ".*"
// also takes names without a dot ("*.*" is every name).
bool MaskMatches(std::string_view mask, std::string_view name) {
  if (WildcardMatch(mask, name, true)) return true;
  return mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos &&
         WildcardMatch(mask.substr(0, mask.size() - 2), name, true);
}

int NextMatch(TSearchRec& f) {
  auto* state = reinterpret_cast<TFindState*>(f.FindHandle);
  while (dirent* entry = ::readdir(state->Dir)) {
    std::string name = entry->d_name;
    if (!MaskMatches(state->Mask, name)) continue;
    const std::string full = state->Folder + name;
    struct stat own, s;
    if (::lstat(full.c_str(), &own) != 0) continue;
    const bool link = S_ISLNK(own.st_mode);
    // A link shows what it points at; a dangling one shows as itself.
    if (!link || ::stat(full.c_str(), &s) != 0) s = own;
    int attr = 0;
    if (S_ISDIR(s.st_mode)) attr |= faDirectory;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= faHidden;
    if (!(s.st_mode & S_IWUSR)) attr |= faReadOnly;
    if (!S_ISDIR(s.st_mode) && !S_ISREG(s.st_mode)) attr |= faSysFile;
    if (attr & f.ExcludeAttr) continue;
    if (link) attr |= faSymLink;
    f.Name = name;
    f.AlternateName.clear();
    f.Attr = attr;
    f.Size = S_ISDIR(s.st_mode) ? 0 : static_cast<int64_t>(s.st_size);
    f.Time = static_cast<int64_t>(s.st_mtime);
    f.TimeStamp = UnixToLocalDateTime(f.Time);
    return 0;
  }
  return ENOENT;
}

}  // namespace

int FindFirst(const std::string& path, int attr, TSearchRec& f) {
  FindClose(f);
  auto* state = new TFindState;
  state->Folder = ExtractFilePath(path);
  state->Mask = ExtractFileName(path);
  state->Dir = ::opendir(state->Folder.empty() ? "." : state->Folder.c_str());
  if (!state->Dir) {
    int error = errno;
    delete state;
    return error ? error : ENOENT;
  }
  f.FindHandle = reinterpret_cast<uintptr_t>(state);
  f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  int result = NextMatch(f);
  if (result != 0) FindClose(f);
  return result;
}

int FindNext(TSearchRec& f) {
  if (!f.FindHandle) return EBADF;
  return NextMatch(f);
}

void FindClose(TSearchRec& f) {
  auto* state = reinterpret_cast<TFindState*>(f.FindHandle);
  if (!state) return;
  ::closedir(state->Dir);
  delete state;
  f.FindHandle = 0;
}

TDateTime UnixToLocalDateTime(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  struct tm local{};
  if (!::localtime_r(&t, &local)) return 0;
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

std::string ShortDateTimeText(TDateTime t) {
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  return Format("%04d-%02d-%02d %02d:%02d", y, mo, d, h, mi);
}

int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  return ignoreCase ? AnsiCompareText(a, b) : AnsiCompareStr(a, b);
}

std::string LocaleSortKey(std::string_view s, bool ignoreCase) {
  return ignoreCase ? AnsiUpperCase(s) : std::string(s);
}
