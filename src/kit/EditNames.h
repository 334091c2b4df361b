// The file-name and folder edits' handling of their text: the file a
// command line names, quoting a chosen name, appending chosen folders, and
// the ellipsis glyph of the browse button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Sets.h"

// The file the text names: the text itself when such a file exists, else the
// first word of the text read as a command line (double quotes group words
// and are removed).
std::string FileNameFromText(const std::string& text,
                             const std::function<bool(const std::string&)>& fileExists);
// The words of a command line: blanks separate, double quotes group.
std::vector<std::string> CommandLineWords(const std::string& text);

// A chosen name as the edit shows it: in double quotes when it holds a blank
// and does not already begin with a quote.
std::string QuoteFileName(const std::string& name);

// The text after choosing folder: appended after ";" when several folders are
// allowed and the text is not empty, else the folder alone.
std::string AppendFolder(const std::string& text, const std::string& folder, bool multipleDirs);
// The ";"-separated folders of the text (empty parts dropped).
std::vector<std::string> SplitFolders(const std::string& text);

// The ellipsis glyph for a button width: a bitmap Width x 4 with three 2 x 2
// dots at Dots[i] (left edges), spaced Gap apart and centred.
struct TEllipsisGlyph {
  int Width = 0;
  int Height = 4;
  int Gap = 1;
  int Dots[3] = {0, 0, 0};
};
TEllipsisGlyph EllipsisGlyph(int buttonWidth);

// The folder dialog's options: a name typed in may name a folder that does
// not exist yet; the dialog then creates it; and asks first.
enum TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TSet<TSelectDirOpt>;

// Whether the folder dialog may close with folder as the user's choice. An
// existing folder closes it. A missing one only with sdAllowCreate: with
// sdPrompt after askCreate said yes; with sdPerformCreate once create made
// it (create reports its own failure and returns false).
bool AcceptChosenFolder(const std::string& folder, TSelectDirOpts options,
                        const std::function<bool(const std::string&)>& directoryExists,
                        const std::function<bool(const std::string&)>& askCreate,
                        const std::function<bool(const std::string&)>& create);
