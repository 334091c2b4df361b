// The kit's file routines: copying a file (for the installer), the system's
// temporary and system folders, file-name checks and the long and short
// forms of names.
#pragma once

#include <string>

class TObject;

// Copies source to dest (into it, under the source's name, when dest is a
// folder), creating dest's folders as needed, and gives the copy the
// source's file date. A progress control (see Progress.h) gets the size as
// its upper bound, the position per 8192-byte block and 0 at the end.
// Copying a file onto itself, under whatever spelling, leaves it as it is.
// Raises EFOpenError "Cannot open file %s", EFCreateError "Cannot create
// file %s", EReadError "Stream read error" or EWriteError "Stream write error".
void CopyFileTo(const std::string& source, const std::string& dest, TObject* progress = nullptr);

// With the trailing separator.
std::string GetTempDir();
std::string GetSystemDir();

// Not empty; none of < > " | * ?, no control character and no ":" except
// right after a leading drive letter.
bool ValidFileName(const std::string& fileName);

// The other form of a name, found through the system's file search; the
// name unchanged when it is not found. The path forms convert each part.
std::string ShortToLongFileName(const std::string& fileName);
std::string LongToShortFileName(const std::string& fileName);
std::string ShortToLongPath(const std::string& path);
std::string LongToShortPath(const std::string& path);

// Creates a folder with every missing folder above it; false on failure.
bool ForceDirectories(const std::string& dir);
