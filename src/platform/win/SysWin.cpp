// The system's side of SysUtils over the Windows API: the user's decimal
// separator, file identity by volume and file index, folder listing with
// FindFirstFile (which also yields the short 8.3 names).
#include <windows.h>

#include "platform/SysUtils.h"

#include <cerrno>

char SystemDecimalSeparator() {
  char buffer[8] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 0 && buffer[0])
    return buffer[0];
  return '.';
}

std::string SystemTempPath() {
  char buffer[1024];
  DWORD n = ::GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
}

std::string SystemFolder() {
  char buffer[MAX_PATH];
  UINT n = ::GetSystemDirectoryA(buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
}

namespace {
bool FileIdentity(const std::string& name, BY_HANDLE_FILE_INFORMATION& info) {
  // Folders open only with backup semantics; no access right is needed.
  HANDLE h = ::CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = ::GetFileInformationByHandle(h, &info) != 0;
  ::CloseHandle(h);
  return ok;
}
}  // namespace

bool SameFileIdentity(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia, ib;
  if (!FileIdentity(a, ia) || !FileIdentity(b, ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

bool CopyFileTime(const std::string& source, const std::string& dest) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &data)) return false;
  HANDLE h = ::CreateFileA(dest.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = ::SetFileTime(h, nullptr, nullptr, &data.ftLastWriteTime) != 0;
  ::CloseHandle(h);
  return ok;
}

int FileGetAttr(const std::string& fileName) {
  const DWORD attr = ::GetFileAttributesA(fileName.c_str());
  return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(attr & faAnyFile);
}

bool FileMoveReplacing(const std::string& source, const std::string& dest) {
  // A rename on one volume: the name passes from the old file to the new one
  // in one step. (ReplaceFile is no such step under Wine: it deletes the old
  // file before the new one takes the name, and keeps none of its attributes.)
  if (::MoveFileExA(source.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  // GetLastOSError reads errno: give it the nearest meaning.
  const DWORD e = ::GetLastError();
  errno = e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION ? EACCES
          : e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ENOENT
                                                                   : EIO;
  return false;
}

namespace {
// The access rights (the DACL) of a file as a self-relative security
// descriptor; empty when they cannot be read.
std::string FileRights(const std::string& name) {
  DWORD size = 0;
  ::GetFileSecurityA(name.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  if (size == 0) return std::string();
  std::string descriptor(size, '\0');
  if (!::GetFileSecurityA(name.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size))
    return std::string();
  descriptor.resize(size);
  return descriptor;
}
}  // namespace

void CopyFileMetadata(const std::string& target, const std::string& replacement) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data)) return;
  // Archive stays set whatever the old file had: the content is new and has
  // not been backed up.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  ::SetFileAttributesA(replacement.c_str(), (data.dwFileAttributes & kKept) | FILE_ATTRIBUTE_ARCHIVE);
  HANDLE h = ::CreateFileA(replacement.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    ::SetFileTime(h, &data.ftCreationTime, nullptr, nullptr);
    ::CloseHandle(h);
  }
  // Rights the new file has already are not set again: Wine derives them
  // from the Unix permission bits, and setting them back gives the file
  // bits it did not have (execute).
  const std::string rights = FileRights(target);
  if (!rights.empty() && rights != FileRights(replacement))
    ::SetFileSecurityA(replacement.c_str(), DACL_SECURITY_INFORMATION, const_cast<char*>(rights.data()));
}

bool FileLinkOrCopy(const std::string& fileName, const std::string& newName) {
  BY_HANDLE_FILE_INFORMATION info;
  if (FileIdentity(fileName, info) && info.nNumberOfLinks == 1 &&
      ::CreateHardLinkA(newName.c_str(), fileName.c_str(), nullptr))
    return true;
  return ::CopyFileA(fileName.c_str(), newName.c_str(), TRUE) != 0;
}

namespace {
TDateTime LocalDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &st)) return 0;
  return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

void Fill(TSearchRec& f, const WIN32_FIND_DATAA& data) {
  f.Name = data.cFileName;
  f.AlternateName = data.cAlternateFileName;
  f.Attr = static_cast<int>(data.dwFileAttributes & (0x3F | FILE_ATTRIBUTE_REPARSE_POINT));
  f.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  // FILETIME counts 100 ns steps since 1601.
  uint64_t t = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
               data.ftLastWriteTime.dwLowDateTime;
  f.Time = static_cast<int64_t>(t / 10000000ull) - 11644473600ll;
  f.TimeStamp = LocalDateTime(data.ftLastWriteTime);
}

// Skips the entries the search excludes; 0 with f filled, else an error code.
int Accept(TSearchRec& f, WIN32_FIND_DATAA& data) {
  HANDLE h = reinterpret_cast<HANDLE>(f.FindHandle);
  while (static_cast<int>(data.dwFileAttributes) & f.ExcludeAttr)
    if (!::FindNextFileA(h, &data)) return static_cast<int>(::GetLastError());
  Fill(f, data);
  return 0;
}
}  // namespace

int FindFirst(const std::string& path, int attr, TSearchRec& f) {
  FindClose(f);
  WIN32_FIND_DATAA data;
  HANDLE h = ::FindFirstFileA(path.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return static_cast<int>(::GetLastError());
  f.FindHandle = reinterpret_cast<uintptr_t>(h);
  f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  int result = Accept(f, data);
  if (result != 0) FindClose(f);
  return result;
}

int FindNext(TSearchRec& f) {
  if (!f.FindHandle) return ERROR_INVALID_HANDLE;
  WIN32_FIND_DATAA data;
  if (!::FindNextFileA(reinterpret_cast<HANDLE>(f.FindHandle), &data))
    return static_cast<int>(::GetLastError());
  return Accept(f, data);
}

void FindClose(TSearchRec& f) {
  if (!f.FindHandle) return;
  ::FindClose(reinterpret_cast<HANDLE>(f.FindHandle));
  f.FindHandle = 0;
}

TDateTime UnixToLocalDateTime(int64_t seconds) {
  const uint64_t t = static_cast<uint64_t>(seconds + 11644473600ll) * 10000000ull;
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(t);
  utc.dwHighDateTime = static_cast<DWORD>(t >> 32);
  return LocalDateTime(utc);
}

std::string ShortDateTimeText(TDateTime t) {
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(mo);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(mi);
  st.wSecond = static_cast<WORD>(s);
  char date[80] = {}, time[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, sizeof time);
  return std::string(date) + " " + time;
}

int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  const int r = ::CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                                 static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  return r - CSTR_EQUAL;
}

std::string LocaleSortKey(std::string_view s, bool ignoreCase) {
  const DWORD flags = LCMAP_SORTKEY | (ignoreCase ? NORM_IGNORECASE : 0);
  const int n = static_cast<int>(s.size());
  char small[256];
  int size = ::LCMapStringA(LOCALE_USER_DEFAULT, flags, s.data(), n, small, sizeof small);
  std::string key;
  if (size > 0) {
    key.assign(small, static_cast<size_t>(size));
  } else {
    size = ::LCMapStringA(LOCALE_USER_DEFAULT, flags, s.data(), n, nullptr, 0);
    if (size <= 0) return std::string(s);
    key.resize(static_cast<size_t>(size));
    ::LCMapStringA(LOCALE_USER_DEFAULT, flags, s.data(), n, key.data(), size);
  }
  // The key ends in a zero byte that would only get in the way of comparing.
  while (!key.empty() && key.back() == '\0') key.pop_back();
  return key;
}
