// Document files on disk: saving that never leaves the user with less than
// before, backups, line ends and tab expansion. The editing control's
// LoadFromFile, SaveToFile and SaveToFileUnix and the exporters' SaveToFile
// are built on these.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Classes.h"
#include "platform/Streams.h"

// Backup modes (the editor's BackupMode).
constexpr uint8_t kBackupNone = 0;
constexpr uint8_t kBackupSingle = 1;    // one ".bak" file, replaced at every save
constexpr uint8_t kBackupNumbered = 2;  // ".bak", then ".bak0", ".bak1", ...

// The name the current file goes to before fileName is saved in mode:
// mode 1 the name with its extension changed to ".bak"; mode 2 that name
// when no such file exists, else the first name with ".bak%d" (0, 1, 2, ...)
// that does not exist. Empty for mode 0, and when the name would be the
// file itself (a document named x.bak in mode 1 keeps no backup rather than
// lose itself).
std::string BackupFileName(const std::string& fileName, uint8_t backupMode);

// Writes fileName through write(stream) so that a failure never leaves less
// than before: the content goes to a temporary file beside fileName; only
// once it is complete does the old file move to its backup name (mode 1 and
// 2) or aside, and the temporary file take its name. Any failure raises an
// Exception after putting every file back as it was (the old file, an older
// backup) and removing the temporary file. A fileName that is a folder, or
// an existing file that may not be written, fails before anything is done.
using TktWriteContent = std::function<void(TStream& stream)>;
void SafeSaveFile(const std::string& fileName, uint8_t backupMode, const TktWriteContent& write);
// The same with the backup's name chosen by the caller: an empty name, the
// target's own name or a folder's means no backup.
void SafeSaveFileAs(const std::string& fileName, const std::string& backupName,
                    const TktWriteContent& write);

// Writes every line of lines followed by lineEnd, in large pieces.
void WriteLines(TStream& stream, const TStrings& lines, std::string_view lineEnd);

// How SafeSaveFile opens its temporary file (tests put a stream in between
// that fails part way, as a full disk does). Returns the previous factory;
// an empty one restores the file stream.
using TktSaveStreamFactory = std::function<std::unique_ptr<TStream>(const std::string& fileName)>;
TktSaveStreamFactory SetSaveStreamFactory(TktSaveStreamFactory factory);

// text with every TAB replaced by tabWidth blanks.
std::string ExpandTabs(std::string_view text, int tabWidth);

// The current date and time as a date-time value: days since 30 December
// 1899, the fraction being the local time of day.
double DateTimeNow();
