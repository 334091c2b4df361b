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

// Writes fileName through write(stream) so that the name holds the old file
// or the new one, whole, at every instant, whenever the program may end: the
// content goes to a temporary file beside fileName; only once it is complete
// does the old file get its backup name as a second name (mode 1 and 2),
// and the new file take fileName in one step, with what the old one was
// besides its content (attributes, access rights). Any failure raises an
// Exception after putting every file back as it was (the old file, an older
// backup) and removing the temporary files. A fileName that is a folder, or
// an existing file that may not be written, fails before anything is done.
// The temporary files a save of fileName left when the program ended part
// way (fileName + ".~tq" + a number) go at the next save of the file.
// A file with other names (hard links) is not written in place: it keeps
// the old content under those names, and fileName alone gets the new one.
using TktWriteContent = std::function<void(TStream& stream)>;
void SafeSaveFile(const std::string& fileName, uint8_t backupMode, const TktWriteContent& write);
// The same with the backup's name chosen by the caller: an empty name, the
// target's own name or a folder's means no backup.
void SafeSaveFileAs(const std::string& fileName, const std::string& backupName,
                    const TktWriteContent& write);

// Writes every line of lines followed by lineEnd, in large pieces.
void WriteLines(TStream& stream, const TStrings& lines, std::string_view lineEnd);

// The steps of a save, in order; a test ends the program after one of them
// to see that the file survives. (A save without a backup, or of a new
// file, has no BackupMade or BackupInPlace.)
enum class TktSaveStep { ContentWritten = 1, BackupMade, NewFileInPlace, BackupInPlace };
using TktSaveStepHook = std::function<void(TktSaveStep step)>;
TktSaveStepHook SetSaveStepHook(TktSaveStepHook hook);

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
