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

TktSaveStepHook& StepHook() {
  static TktSaveStepHook hook;
  return hook;
}

void Reached(TktSaveStep step) {
  if (StepHook()) StepHook()(step);
}

// Every temporary name a save makes is the document's name, this tag and a
// number; nothing else is ever taken for a leftover.
constexpr const char* kTempTag = ".~tq";

bool IsLeftoverName(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || !SameFileName(name.substr(0, prefix.size()), prefix)) return false;
  return std::all_of(name.begin() + std::ptrdiff_t(prefix.size()), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// The temporary files of earlier saves of fileName that the program did not
// live to finish. The document itself is there, so none of them is the last
// copy of anything the user asked to keep. (One a save still writes, in
// another instance, is open, and the system does not let it go.)
void RemoveLeftovers(const std::string& fileName) {
  const std::string folder = ExtractFilePath(fileName);
  const std::string prefix = ExtractFileName(fileName) + kTempTag;
  std::vector<std::string> leftovers;
  TSearchRec f;
  for (int r = FindFirst(fileName + kTempTag + "*", faHidden | faSysFile, f); r == 0; r = FindNext(f))
    if (IsLeftoverName(f.Name, prefix)) leftovers.push_back(folder + f.Name);
  FindClose(f);
  for (const std::string& name : leftovers) FileDelete(name);
}

// The save itself; backupName is asked once the new content is complete
// (numbered backups look for the first free name then).
void SafeSave(const std::string& fileName, const std::function<std::string()>& backupName,
              const TktWriteContent& write) {
  if (fileName.empty() || DirectoryExists(fileName)) CannotCreate(fileName);
  const bool exists = FileExists(fileName);
  if (exists) {
    // A file another program holds locked, or one that may not be written,
    // stays as it is: the save fails as writing it in place would. (A
    // read-only file is asked by its attribute: a user whom the system lets
    // write anything, such as root under Wine, would open it.)
    if (FileGetAttr(fileName) & faReadOnly) CannotCreate(fileName);
    const TFileHandle h = FileOpen(fileName, fmOpenWrite | fmShareDenyNone);
    if (h == InvalidFileHandle) CannotCreate(fileName);
    FileClose(h);
    RemoveLeftovers(fileName);
  }

  // 1. The new content, complete, under a name of its own.
  const std::string temp = FreeNameBeside(fileName, kTempTag);
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
  Reached(TktSaveStep::ContentWritten);

  // 2. The old file gets its backup name as a second name (or a copy): it
  //    never leaves its own name, which passes to the new file in one step.
  //    Where an older backup holds the backup name, the old file waits under
  //    a temporary name until the new file is in place, so a failed save
  //    leaves the older backup too.
  std::string backup = exists ? backupName() : std::string();
  if (!backup.empty() && (SameFileName(backup, fileName) || DirectoryExists(backup))) backup.clear();
  const std::string waiting = !backup.empty() && NameTaken(backup) ? FreeNameBeside(fileName, kTempTag) : "";
  const std::string& backupCopy = waiting.empty() ? backup : waiting;
  if (!backup.empty()) {
    if (!FileLinkOrCopy(fileName, backupCopy)) {
      FileDelete(temp);
      CannotCreate(fileName);
    }
    Reached(TktSaveStep::BackupMade);
  }

  // 3. The new file takes the name, with what the old one was.
  if (exists) CopyFileMetadata(fileName, temp);
  if (!FileMoveReplacing(temp, fileName)) {
    if (!backup.empty()) FileDelete(backupCopy);
    FileDelete(temp);
    CannotCreate(fileName);
  }
  Reached(TktSaveStep::NewFileInPlace);

  // 4. The old file takes the older backup's place. Should it not, it goes
  //    back under its own name: the save fails as a whole.
  if (!waiting.empty()) {
    if (!FileMoveReplacing(waiting, backup)) {
      FileMoveReplacing(waiting, fileName);
      CannotCreate(fileName);
    }
    Reached(TktSaveStep::BackupInPlace);
  }
}

}  // namespace

TktSaveStepHook SetSaveStepHook(TktSaveStepHook hook) {
  TktSaveStepHook previous = std::move(StepHook());
  StepHook() = std::move(hook);
  return previous;
}

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
