// Small routines the FTP components share: ftp:// addresses, server path
// conversion, cache names, locale comparison, date numbers, wildcard masks,
// and the few system facts (Windows folder, NT) the components read.
//
// Comparison, shell type names and file attributes come from the system. The
// Win32 half installs them at program start (InstallFtpSystem); until then
// (and natively) code page 1252 comparison and the extension stand in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TFtpSystem {
  // -1, 0 or 1, case ignored, in the user's locale.
  std::function<int(std::string_view a, std::string_view b)> CompareText;
  // The shell's type name for a file of that name (no disk access).
  std::function<std::string(const std::string& name)> FileTypeName;
  // Marks a file or folder hidden + system; nothing where that means nothing.
  std::function<void(const std::string& path)> MarkHiddenSystem;
  std::string WindowsDir;  // no trailing separator
  std::string TempDir;
  bool IsNT = true;
  // Groups the thousands of size texts; 0 keeps the one installed before.
  char ThousandSeparator = 0;
};

// Replaces the system services; fields left empty keep the stand-ins.
void InstallFtpSystem(const TFtpSystem& system);
const TFtpSystem& FtpSystem();

std::string DecodeURL(std::string_view text);
std::string MakeURL(const std::string& host, int port, const std::string& user,
                    const std::string& password);
// Percent-encodes what would change the meaning of one path component of an
// ftp:// address (or not survive a command line), so DecodeURL gives it back.
std::string EncodeURLComponent(std::string_view text);
std::string ConvertServerPath(std::string_view path);
// Every character a Windows file name cannot hold becomes `replacement`;
// "/" and "\" become "-".
std::string SanitizeCacheName(std::string_view text, char replacement);
// True for names Windows reserves for devices (CON, NUL, COM1, LPT1...),
// with or without an extension.
bool IsDeviceName(std::string_view name);
int CompareTextLocale(std::string_view a, std::string_view b);

// Days since 30 December 1899.
int EncodeDateNumber(int year, int month, int day);
void DecodeDateNumber(int date, int& year, int& month, int& day);
int TodayDate();
std::string CurrentYear2();  // "26" in 2026

// Case-sensitive wildcard match of the whole name ("?" one character, "*" a
// run; a star ending the mask needs at least one character). `anchored`:
// matching begins at the first occurrence of the mask's first character.
bool MatchMask(std::string_view mask, std::string_view name, bool anchored = false);

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& fileName, std::string& out);
// The lines of a text file, ended by CR LF, LF or CR. False when the file
// cannot be read.
bool ReadFileLines(const std::string& fileName, std::vector<std::string>& lines);

const std::string& GetWindowsDir();
bool IsWindowsNT();
