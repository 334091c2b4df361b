// The start-up decisions: which mode a process runs in (from the program
// file's name, the first argument and whether the program was ever set up),
// which file the editor opens on its first activation or hands to a running
// instance, and the batch text that gives a renamed program its name back.
#pragma once

#include <string>
#include <vector>

enum TStartMode {
  stmInstaller,   // "setup.exe", or the first run: the installer, then the end
  stmRename,      // any other name than "tarnquill.exe": the rename batch
  stmUninstall,   // "/u", "/uninstall"
  stmInstall,     // "/i", "/install"
  stmCalculator,  // "/c"
  stmAsciiTable,  // "/a"
  stmEditor,
};

// args are the command-line arguments without the program's own name.
TStartMode DecideStartMode(const std::string& programFile, const std::vector<std::string>& args,
                           bool firstRun);

// "/n" in any case as the first argument: no hand-over to a running instance.
bool SkipsHandOver(const std::vector<std::string>& args);
// "/D", exact case, as the first argument: the debug trace is on.
bool WantsDebugTrace(const std::vector<std::string>& args);

// The file the editor opens on its first activation: the arguments joined
// by single blanks (so an unquoted "C:\My Files\a.txt" stays one name),
// without a leading "/n" (any case) or "/D" (exact), made a full path
// against folder; empty when nothing is left or the text starts with "/".
std::string CommandLineFileName(const std::vector<std::string>& args, const std::string& folder);

// Names longer than this fit no global atom, so they cannot be handed over.
constexpr size_t kMaxHandOverName = 255;

// The lines of the batch file that renames programFile (a full path) to
// "Tarnquill.exe" in its folder, deletes the old name and starts the program
// again with up to three of args. Each step is tried at most tries times, a
// second apart; when one never succeeds the batch starts nothing. It always
// deletes itself (batchFile) at the end. Paths and arguments are quoted and
// their "%" doubled, so blanks, "&" or ">" in them stay text.
std::string RenameBatchText(const std::string& programFile, const std::string& batchFile,
                            const std::vector<std::string>& args, int tries);
// The batch file's name: the program's full path with ".bat" for its extension.
std::string RenameBatchFileName(const std::string& programFile);

// Quoted for cmd: a "%" would start a variable reference inside a batch
// file even between quotes, so it is doubled.
std::string BatchQuoted(const std::string& text);
// A batch line that waits about a second between tries of a step.
inline constexpr const char* kBatchPause = "ping -n 2 127.0.0.1 >nul\r\n";
