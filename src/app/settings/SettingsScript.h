// Settings scripts ("*.tq"): one line per registry value of the program's
// sections, "Section.Name=Value" ended by CR LF, written from and read back
// into the per-user registry below a base key (the program's own key, or a
// test's).
//
// A value with a line break, or a name with "=", would not survive one line
// each; so CR is written "%0D", LF "%0A", "=" in a name "%3D", and a "%" that
// would start one of these four "%25". Every other line is the plain form.
#pragma once

#include <string>
#include <string_view>

// The sections a script holds, in the order they are written.
extern const char* const kScriptSections[11];

// The escapes above (isName also escapes "=").
std::string EncodeScriptText(std::string_view text, bool isName);
std::string DecodeScriptText(std::string_view text);

// Appends the lines of the values that stand directly under base\section
// (subkeys are not visited), creating the key when absent.
void SaveRegistrySection(const std::string& base, const std::string& section, std::string& script);
// The whole script, every section in order.
std::string WriteSettingsScript(const std::string& base);

// Writes each line's value as a string under base\section. Only the ten
// value sections are written to (the section name compared without case);
// lines without "." or "=", empty lines and any other section -- such as
// "FileTypes\Batch", whose F9 runs programs -- are skipped. Returns the
// number of values written.
int ReadSettingsScript(const std::string& base, std::string_view script);

// The same through files; file errors raise the platform's file errors.
void SaveSettingsScriptFile(const std::string& base, const std::string& fileName);
int LoadSettingsScriptFile(const std::string& base, const std::string& fileName);
