// The system's side of SysUtils over POSIX: file identity by device and
// inode, folder listing with opendir, the temporary folder from TMPDIR.
#include "platform/SysUtils.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdlib>

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

namespace {

struct TFindState {
  DIR* Dir = nullptr;
  std::string Folder;  // with its trailing separator
  std::string Mask;
};

int NextMatch(TSearchRec& f) {
  auto* state = reinterpret_cast<TFindState*>(f.FindHandle);
  while (dirent* entry = ::readdir(state->Dir)) {
    std::string name = entry->d_name;
    if (::fnmatch(state->Mask.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
    struct stat s;
    if (::stat((state->Folder + name).c_str(), &s) != 0) continue;
    int attr = 0;
    if (S_ISDIR(s.st_mode)) attr |= faDirectory;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= faHidden;
    if (!(s.st_mode & S_IWUSR)) attr |= faReadOnly;
    if (!S_ISDIR(s.st_mode) && !S_ISREG(s.st_mode)) attr |= faSysFile;
    if (attr & f.ExcludeAttr) continue;
    f.Name = name;
    f.AlternateName.clear();
    f.Attr = attr;
    f.Size = S_ISDIR(s.st_mode) ? 0 : static_cast<int64_t>(s.st_size);
    f.Time = static_cast<int64_t>(s.st_mtime);
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
