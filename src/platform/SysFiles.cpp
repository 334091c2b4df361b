// SysUtils' file routines over the C run-time's descriptors: POSIX natively,
// the Microsoft run-time (with its share modes) under Windows. No Windows
// headers are needed for either.
#include "platform/SysUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace {
// The fm* values of Streams.h, repeated here so SysUtils stands alone.
constexpr uint32_t kOpenModeMask = 0x0003;
constexpr uint32_t kShareMask = 0x00F0;
constexpr uint32_t kOpenWrite = 0x0001, kOpenReadWrite = 0x0002;
constexpr uint32_t kShareExclusive = 0x0010, kShareDenyWrite = 0x0020, kShareDenyRead = 0x0030;

int OpenFlags(uint32_t mode) {
  int flags;
  switch (mode & kOpenModeMask) {
    case kOpenWrite: flags = O_WRONLY; break;
    case kOpenReadWrite: flags = O_RDWR; break;
    default: flags = O_RDONLY; break;
  }
#ifdef _WIN32
  flags |= O_BINARY | O_NOINHERIT;
#else
  flags |= O_CLOEXEC;
#endif
  return flags;
}

#ifdef _WIN32
int ShareFlags(uint32_t mode) {
  switch (mode & kShareMask) {
    case kShareExclusive: return _SH_DENYRW;
    case kShareDenyWrite: return _SH_DENYWR;
    case kShareDenyRead: return _SH_DENYRD;
    default: return _SH_DENYNO;
  }
}
#endif
}  // namespace

TFileHandle FileOpen(const std::string& fileName, uint32_t mode) {
#ifdef _WIN32
  int fd = -1;
  if (_sopen_s(&fd, fileName.c_str(), OpenFlags(mode), ShareFlags(mode), _S_IREAD | _S_IWRITE) != 0)
    return InvalidFileHandle;
  return fd;
#else
  int fd = ::open(fileName.c_str(), OpenFlags(mode));
  if (fd < 0) return InvalidFileHandle;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {  // a folder is not a file
    ::close(fd);
    errno = EISDIR;
    return InvalidFileHandle;
  }
  return fd;
#endif
}

TFileHandle FileCreate(const std::string& fileName) {
#ifdef _WIN32
  int fd = -1;
  if (_sopen_s(&fd, fileName.c_str(), _O_CREAT | _O_TRUNC | _O_RDWR | _O_BINARY | _O_NOINHERIT,
               _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0)
    return InvalidFileHandle;
  return fd;
#else
  int fd = ::open(fileName.c_str(), O_CREAT | O_TRUNC | O_RDWR | O_CLOEXEC, 0666);
  return fd < 0 ? InvalidFileHandle : fd;
#endif
}

TFileHandle FileCreateNew(const std::string& fileName) {
#ifdef _WIN32
  int fd = -1;
  if (_sopen_s(&fd, fileName.c_str(), _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_NOINHERIT,
               _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0)
    return InvalidFileHandle;
  return fd;
#else
  int fd = ::open(fileName.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
  return fd < 0 ? InvalidFileHandle : fd;
#endif
}

int64_t FileRead(TFileHandle h, void* buffer, int64_t count) {
  // The run-time's read takes an unsigned int count: go in slices.
  char* p = static_cast<char*>(buffer);
  int64_t total = 0;
  while (count > 0) {
    unsigned chunk = count > (1 << 30) ? (1u << 30) : static_cast<unsigned>(count);
#ifdef _WIN32
    int n = ::_read(h, p, chunk);
#else
    ssize_t n = ::read(h, p, chunk);
    if (n < 0 && errno == EINTR) continue;
#endif
    if (n < 0) return total > 0 ? total : -1;
    if (n == 0) break;
    total += n;
    p += n;
    count -= n;
  }
  return total;
}

int64_t FileWrite(TFileHandle h, const void* buffer, int64_t count) {
  const char* p = static_cast<const char*>(buffer);
  int64_t total = 0;
  while (count > 0) {
    unsigned chunk = count > (1 << 30) ? (1u << 30) : static_cast<unsigned>(count);
#ifdef _WIN32
    int n = ::_write(h, p, chunk);
#else
    ssize_t n = ::write(h, p, chunk);
    if (n < 0 && errno == EINTR) continue;
#endif
    if (n <= 0) return total > 0 ? total : -1;
    total += n;
    p += n;
    count -= n;
  }
  return total;
}

int64_t FileSeek(TFileHandle h, int64_t offset, int origin) {
#ifdef _WIN32
  return ::_lseeki64(h, offset, origin);
#else
  return ::lseek(h, static_cast<off_t>(offset), origin);
#endif
}

bool FileTruncate(TFileHandle h, int64_t size) {
#ifdef _WIN32
  return ::_chsize_s(h, size) == 0;
#else
  return ::ftruncate(h, static_cast<off_t>(size)) == 0;
#endif
}

void FileClose(TFileHandle h) {
  if (h == InvalidFileHandle) return;
#ifdef _WIN32
  ::_close(h);
#else
  ::close(h);
#endif
}

namespace {
bool StatName(const std::string& name, bool& isDir, int64_t& size) {
#ifdef _WIN32
  struct _stati64 st;
  if (::_stati64(name.c_str(), &st) != 0) return false;
  isDir = (st.st_mode & _S_IFDIR) != 0;
#else
  struct stat st;
  if (::stat(name.c_str(), &st) != 0) return false;
  isDir = S_ISDIR(st.st_mode);
#endif
  size = st.st_size;
  return true;
}
}  // namespace

bool FileExists(const std::string& fileName) {
  bool dir;
  int64_t size;
  return StatName(fileName, dir, size) && !dir;
}

bool DirectoryExists(const std::string& dirName) {
  bool dir;
  int64_t size;
  std::string name = dirName;
  // stat refuses "C:\dir\" on Windows; "C:\" must keep its separator.
  if (name.size() > 1 && (name.back() == '\\' || name.back() == '/') && name[name.size() - 2] != ':')
    name.pop_back();
  return StatName(name, dir, size) && dir;
}

int64_t FileSizeByName(const std::string& fileName) {
  bool dir;
  int64_t size;
  return StatName(fileName, dir, size) && !dir ? size : -1;
}

bool FileDelete(const std::string& fileName) {
#ifdef _WIN32
  return ::_unlink(fileName.c_str()) == 0;
#else
  return ::unlink(fileName.c_str()) == 0;
#endif
}

bool FileRename(const std::string& oldName, const std::string& newName) {
  return std::rename(oldName.c_str(), newName.c_str()) == 0;
}

bool CreateDir(const std::string& dirName) {
#ifdef _WIN32
  return ::_mkdir(dirName.c_str()) == 0;
#else
  return ::mkdir(dirName.c_str(), 0777) == 0;
#endif
}

bool RemoveDir(const std::string& dirName) {
#ifdef _WIN32
  return ::_rmdir(dirName.c_str()) == 0;
#else
  return ::rmdir(dirName.c_str()) == 0;
#endif
}

int GetLastOSError() { return errno; }

std::string SysErrorMessage(int errorCode) { return std::strerror(errorCode); }
