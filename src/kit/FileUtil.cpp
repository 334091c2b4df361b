// The kit's file routines.
#include "kit/FileUtil.h"

#include <vector>

#include "kit/Progress.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

bool ForceDirectories(const std::string& dir) {
  // The folder comes from the user (the installer's target): one climb per
  // name in it, so a loop, not a call per level, and nothing longer than the
  // longest path the system has.
  constexpr size_t kLongestPath = 32767;
  if (dir.size() > kLongestPath) return false;
  std::vector<std::string> missing;  // the deepest first
  for (std::string d = ExcludeTrailingPathDelimiter(dir); !d.empty() && !DirectoryExists(d);) {
    missing.push_back(d);
    std::string parent = ExtractFileDir(d);
    // A root ("C:", "/") or a name without a folder ends the climb.
    if (parent.empty() || parent == d) break;
    d = ExcludeTrailingPathDelimiter(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!CreateDir(*it) && !DirectoryExists(*it)) return false;
  return true;
}

void CopyFileTo(const std::string& source, const std::string& dest, TObject* progress) {
  std::string target = dest;
  if (DirectoryExists(target)) target = IncludeTrailingPathDelimiter(target) + ExtractFileName(source);
  // The installer may copy a folder's files into that same folder: creating
  // the destination would truncate the source before it is read.
  if (FileExists(target) && SameFileIdentity(source, target)) return;

  TFileHandle in = FileOpen(source, fmOpenRead | fmShareDenyWrite);
  if (in == InvalidFileHandle) throw EFOpenError(Format("Cannot open file %s", source.c_str()));
  struct TCloser {
    TFileHandle& H;
    ~TCloser() {
      if (H != InvalidFileHandle) FileClose(H);
    }
  } closeIn{in};
  ForceDirectories(ExtractFilePath(target));
  TFileHandle out = FileCreate(target);
  if (out == InvalidFileHandle) throw EFCreateError(Format("Cannot create file %s", target.c_str()));
  TCloser closeOut{out};

  const int64_t size = FileSeek(in, 0, 2);
  FileSeek(in, 0, 0);
  if (progress) {
    SetProgressMin(progress, 0);
    SetProgressMax(progress, static_cast<int>(size > INT32_MAX ? INT32_MAX : size));
  }
  std::vector<char> buffer(8192);
  int64_t done = 0;
  for (;;) {
    int64_t n = FileRead(in, buffer.data(), static_cast<int64_t>(buffer.size()));
    if (n < 0) throw EReadError("Stream read error");
    if (n == 0) break;
    if (FileWrite(out, buffer.data(), n) != n) throw EWriteError("Stream write error");
    done += n;
    if (progress) SetProgressValue(progress, static_cast<int>(done > INT32_MAX ? INT32_MAX : done));
  }
  if (progress) SetProgressValue(progress, 0);
  FileClose(out);
  out = InvalidFileHandle;
  CopyFileTime(source, target);
}

std::string GetTempDir() { return SystemTempPath(); }
std::string GetSystemDir() { return IncludeTrailingPathDelimiter(SystemFolder()); }

bool ValidFileName(const std::string& fileName) {
  if (fileName.empty()) return false;
  for (size_t i = 0; i < fileName.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(fileName[i]);
    if (c < 32) return false;
    switch (c) {
      case '<': case '>': case '"': case '|': case '*': case '?': return false;
      case ':': {
        bool driveLetter = i == 1 && ((fileName[0] >= 'A' && fileName[0] <= 'Z') ||
                                      (fileName[0] >= 'a' && fileName[0] <= 'z'));
        if (!driveLetter) return false;
        break;
      }
      default: break;
    }
  }
  return true;
}

namespace {

// The found entry's name in one form or the other, each standing for the
// other when empty.
std::string OtherForm(const std::string& fileName, bool wantShort) {
  TSearchRec f;
  if (FindFirst(fileName, faAnyFile, f) != 0) return std::string();
  std::string r = wantShort && !f.AlternateName.empty() ? f.AlternateName : f.Name;
  FindClose(f);
  return r;
}

std::string ConvertName(const std::string& fileName, bool wantShort) {
  std::string found = OtherForm(fileName, wantShort);
  if (found.empty()) return fileName;
  return ExtractFilePath(fileName) + found;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ConvertPath(const std::string& path, bool wantShort) {
  // The root ("C:\", "\\server\share\", "/") stays; every part after it is
  // looked up in the folder converted so far.
  size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') start = 2;
  while (start < path.size() && IsSeparator(path[start])) ++start;
  std::string result = path.substr(0, start);
  std::string lookup = result;
  while (start < path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string part = path.substr(start, end - start);
    std::string found = part == "." || part == ".." ? std::string() : OtherForm(lookup + part, wantShort);
    result += found.empty() ? part : found;
    lookup += part;
    if (end < path.size()) {
      result += path[end];
      lookup += path[end];
      ++end;
    }
    start = end;
  }
  return result;
}

}  // namespace

std::string ShortToLongFileName(const std::string& fileName) { return ConvertName(fileName, false); }
std::string LongToShortFileName(const std::string& fileName) { return ConvertName(fileName, true); }
std::string ShortToLongPath(const std::string& path) { return ConvertPath(path, false); }
std::string LongToShortPath(const std::string& path) { return ConvertPath(path, true); }
