// What the per-file-type keys do, decided without a window: F9, Alt+F9 and
// Shift+F9 start the row's program on the document (or on a copy of its
// text), Ctrl+F1 and Alt+F1 open the row's help file at the word under the
// caret, and Alt+A to Alt+Z insert the row's text expansions. The main
// window carries the plans out.
#pragma once

#include <string>
#include <string_view>

// The options dialog's run mode.
enum TRunMode {
  rmSaveAndRun = 0,        // save, run in the command's folder
  rmRunCopy = 1,           // run on a copy of the text in the temporary folder
  rmSaveAndRunLocal = 2,   // save, run in the document's folder
};

enum TRunKey { rkF9, rkAltF9, rkShiftF9 };
enum THelpKey { hkCtrlF1, hkAltF1 };

// The document a key acts on.
struct TRunDocument {
  std::string FileName;    // full name; empty for a document never saved
  bool Modified = false;
};

// One shell start (verb "Open", shown restored), and what comes before it.
struct TRunPlan {
  bool Run = false;            // false: the key does nothing
  bool SaveFirst = false;      // save through the ordinary save; nothing runs if that fails
  bool WriteTempCopy = false;  // write the editor's lines to TempCopyFile first
  std::string TempCopyFile;    // temporary folder + the copy's name
  std::string File;            // the program, or the document (or copy) to open
  std::string Parameters;      // the document's (or copy's) full name in double quotes
  std::string Directory;       // the working folder
};

// The document's extension without the dot; empty when it has none.
std::string DocumentExtension(const std::string& fileName);

// The name the copy of an unsaved or saved document gets in the temporary
// folder: the document's name without folder, or "temp." + extension.
std::string TempCopyName(const std::string& fileName, const std::string& extension);

// What the key starts for the document, from the row of FileTypes that lists
// its extension. No extension, no row or an empty field: nothing. The
// command's double quotes are removed and the program is passed with its
// folder, so the shell never takes a same-named program from the working or
// the current folder; the document's name goes in double quotes, so a name
// with blanks arrives as one argument. A command that is empty once its
// quotes are gone opens the document (or copy) itself. tempFolder ends with a
// separator.
TRunPlan PlanRun(TRunKey key, int runMode, const TRunDocument& doc, const std::string& tempFolder);

// Help for the document: the row's help file with its quotes removed, which
// also becomes the main window's help file (HasRow). An empty field asks the
// help system nothing (Jump false).
struct THelpPlan {
  bool HasRow = false;
  bool Jump = false;
  std::string HelpFile;
};
THelpPlan PlanHelp(THelpKey key, const std::string& documentFileName);

// The help system's macro that jumps to topic in the current help file.
std::string HelpJumpMacro(std::string_view topic);

// The expansion of Alt+letter (tag 1 = A ... 26 = Z) for the document, its
// first "|" turned into a carriage return. False when the document's
// extension has no row or the entry is empty.
bool ExpansionFor(int tag, const std::string& documentFileName, std::string& text);
// The first "|" of entry, and only the first, as a carriage return.
std::string ExpandBar(std::string entry);
