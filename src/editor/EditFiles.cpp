// Safe saving, backups, line writing and tab expansion.
#include "editor/EditFiles.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/SysUtils.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

TktSaveStreamFactory& Factory() {
  static TktSaveStreamFactory factory;
  return factory;
}

bool SameFileName(const std::string& a, const std::string& b) {
#ifdef _WIN32
  return AnsiSameText(a, b);  // the file system ignores case
#else
  return a == b;
#endif
}

bool NameTaken(const std::string& name) { return FileExists(name) || DirectoryExists(name); }

// A name beside fileName that nothing uses yet: fileName + tag + a number.
std::string FreeNameBeside(const std::string& fileName, const char* tag) {
  for (int n = 1;; ++n) {
    std::string name = fileName + tag + IntToStr(n);
    if (!NameTaken(name)) return name;
  }
}

[[noreturn]] void CannotCreate(const std::string& fileName) {
  throw EFCreateError(Format("Cannot create file %s", fileName.c_str()));
}

// Pushes what the stream wrote through to the disk, so the rename that
// follows never publishes a file whose data is still only in memory.
void FlushToDisk(TStream& stream) {
  auto* handleStream = dynamic_cast<THandleStream*>(&stream);
  if (!handleStream) return;
#ifdef _WIN32
  const int result = ::_commit(handleStream->GetHandle());
#else
  const int result = ::fsync(handleStream->GetHandle());
#endif
  if (result != 0) throw EWriteError("Stream write error");
}

// Days from 30 December 1899 to the civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + int64_t(doe) - 719468 + 25569;  // 25569: 1899-12-30 to 1970-01-01
}

}  // namespace

std::string BackupFileName(const std::string& fileName, uint8_t backupMode) {
  if (backupMode != kBackupSingle && backupMode != kBackupNumbered) return std::string();
  std::string name = ChangeFileExt(fileName, ".bak");
  if (backupMode == kBackupSingle && DirectoryExists(name)) return std::string();
  if (backupMode == kBackupNumbered) {
    for (int n = 0; NameTaken(name); ++n) name = ChangeFileExt(fileName, ".bak" + IntToStr(n));
  }
  if (SameFileName(name, fileName)) return std::string();
  return name;
}

TktSaveStreamFactory SetSaveStreamFactory(TktSaveStreamFactory factory) {
  TktSaveStreamFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}

namespace {

// The save itself; backupName is asked once the new content is complete
// (numbered backups look for the first free name then).
void SafeSave(const std::string& fileName, const std::function<std::string()>& backupName,
              const TktWriteContent& write) {
  if (fileName.empty() || DirectoryExists(fileName)) CannotCreate(fileName);
  const bool exists = FileExists(fileName);
  if (exists) {
    // A file another program holds locked, or one that may not be written,
    // stays as it is: the save fails as writing it in place would.
    const TFileHandle h = FileOpen(fileName, fmOpenWrite | fmShareDenyNone);
    if (h == InvalidFileHandle) CannotCreate(fileName);
    FileClose(h);
  }

  // 1. The new content, complete, under a name of its own.
  const std::string temp = FreeNameBeside(fileName, ".~tq");
  {
    std::unique_ptr<TStream> stream;
    try {
      stream = Factory() ? Factory()(temp) : std::make_unique<TFileStream>(temp, fmCreate);
    } catch (const EStreamError&) {
      CannotCreate(fileName);
    }
    try {
      write(*stream);
      FlushToDisk(*stream);
    } catch (...) {
      stream.reset();
      FileDelete(temp);
      throw;
    }
  }

  // 2. The old file moves to its backup name, or aside; an older backup of
  //    the same name moves aside until the new file is in place.
  std::string backup = exists ? backupName() : std::string();
  if (!backup.empty() && (SameFileName(backup, fileName) || DirectoryExists(backup))) backup.clear();
  std::string oldBackupAside;
  std::string moved;
  auto restore = [&] {
    if (!moved.empty()) FileRename(moved, fileName);
    if (!oldBackupAside.empty()) FileRename(oldBackupAside, backup);
    FileDelete(temp);
  };
  if (exists) {
    std::string destination = backup;
#ifdef _WIN32
    // A rename here never replaces its target: without a backup the old
    // file moves aside. (Elsewhere a rename replaces in one step, and the
    // old file need not move at all.)
    if (destination.empty()) destination = FreeNameBeside(fileName, ".~old");
#endif
    if (!destination.empty()) {
      if (!backup.empty() && NameTaken(backup)) {
        oldBackupAside = FreeNameBeside(backup, ".~old");
        if (!FileRename(backup, oldBackupAside)) {
          oldBackupAside.clear();
          restore();
          CannotCreate(fileName);
        }
      }
      if (!FileRename(fileName, destination)) {
        restore();
        CannotCreate(fileName);
      }
      moved = destination;
    }
  }

  // 3. The new file takes the name.
  if (!FileRename(temp, fileName)) {
    restore();
    CannotCreate(fileName);
  }
  if (!oldBackupAside.empty()) FileDelete(oldBackupAside);
  if (backup.empty() && !moved.empty()) FileDelete(moved);
}

}  // namespace

void SafeSaveFile(const std::string& fileName, uint8_t backupMode, const TktWriteContent& write) {
  SafeSave(fileName, [&] { return BackupFileName(fileName, backupMode); }, write);
}

void SafeSaveFileAs(const std::string& fileName, const std::string& backupName,
                    const TktWriteContent& write) {
  SafeSave(fileName, [&] { return backupName; }, write);
}

void WriteLines(TStream& stream, const TStrings& lines, std::string_view lineEnd) {
  constexpr size_t kPiece = 256 * 1024;
  std::vector<char> piece;
  piece.reserve(kPiece);
  auto flush = [&] {
    stream.WriteBuffer(piece.data(), int64_t(piece.size()));
    piece.clear();
  };
  const int count = lines.GetCount();
  for (int i = 0; i < count; ++i) {
    const std::string_view line = lines.GetView(i);
    if (piece.size() + line.size() + lineEnd.size() > kPiece) {
      flush();
      if (line.size() + lineEnd.size() > kPiece) {  // a huge line goes straight through
        stream.WriteBuffer(line.data(), int64_t(line.size()));
        stream.WriteBuffer(lineEnd.data(), int64_t(lineEnd.size()));
        continue;
      }
    }
    piece.insert(piece.end(), line.begin(), line.end());
    piece.insert(piece.end(), lineEnd.begin(), lineEnd.end());
  }
  if (!piece.empty()) flush();
}

std::string ExpandTabs(std::string_view text, int tabWidth) {
  const std::string blanks(size_t(std::max(tabWidth, 0)), ' ');
  std::string result;
  result.reserve(text.size());
  size_t pos = 0;
  for (size_t tab; (tab = text.find('\t', pos)) != std::string_view::npos; pos = tab + 1) {
    result.append(text, pos, tab - pos);
    result += blanks;
  }
  result.append(text, pos);
  return result;
}

double DateTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  const int64_t days = DaysFromCivil(local.tm_year + 1900, unsigned(local.tm_mon + 1),
                                     unsigned(local.tm_mday));
  const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return double(days) + seconds / 86400.0;
}
