// The text rules behind the main window's edit and block commands: block
// statistics, the in-text calculator, Go to Line's answer, the text a block
// read inserts, the bookmark pop-ups' captions and a roll-up's snippet.
// Plain functions of text, so each rule is tested without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The numbers of a statistics selection: the items between runs of
// characters at or below code 32 and ";", empty ones skipped.
std::vector<std::string> StatisticItems(std::string_view selection);

// The 17-line report (each line ended by CR LF) over the values of the
// items. Raises Exception("Error in values") when an item is no expression
// or there is none. Lines that are not defined for the values (n - 1 = 0,
// or no spread for skew and kurtosis) read "NAN".
std::string StatisticsReport(std::string_view selection);

// The in-text calculator's expression: the caret line's text before the
// caret from after its last blank (the last character is always taken).
std::string SolveExpression(std::string_view lineBeforeCaret);
// The value to put after "=": only when the evaluator takes the expression
// whole and it holds an operator or a function call, so "2*3" gives "6"
// while "WHERE 1", "pi" and "x" give nothing.
std::optional<std::string> SolveValue(std::string_view lineBeforeCaret);

// Go to Line: a whole number (blanks around allowed), clamped to 1 ..
// lineCount; the top line five above it, at least 1. Anything else changes
// nothing.
bool GoToLineAnswer(std::string_view answer, int lineCount, int& caretLine, int& topLine);

// What reading a file into the text inserts: each of the file's lines (as a
// document loads them, CR LF, LF or CR ending a line) preceded by CR LF.
std::string BlockReadText(std::string_view fileText);
// BlockReadText of the file's bytes. File errors reach the caller.
std::string ReadBlockFile(const std::string& fileName);
// Writes text's bytes as the whole of fileName, nothing added, through a
// temporary file that replaces the old one only once it is complete (no
// backup). A failure raises an exception and leaves the old file.
void WriteBlockFile(const std::string& fileName, std::string_view text);

// "Bookmark #3:" plus the first 25 characters of the line, trimmed (the
// prefix "Clear Bookmark #" for the clearing pop-up).
std::string BookmarkCaption(std::string_view prefix, int number, std::string_view line);
// The number after the caption's first "#", 0 when there is none.
int BookmarkNumberFromCaption(std::string_view caption);

// A roll-up's text as it is inserted: without one final line break (CR LF,
// CR or LF) when it has one.
std::string RollUpSnippetText(std::string_view memoText);
