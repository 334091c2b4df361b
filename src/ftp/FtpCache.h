// The listing cache: one text file per remote directory and list (folders or
// files) in a hidden folder under the Windows directory.
#pragma once

#include "ftp/FtpData.h"

#include <string>

// Creates the cache folder (hidden + system) and notes today's date. Called
// once at program start; a folder that cannot be made just leaves the cache
// unwritable.
void PrepareCacheDir();
const std::string& CacheDir();
int CacheToday();  // yyyymmdd

std::string CacheFileName(const std::string& host, const std::string& user,
                          const std::string& path, bool directories, int port);
// Writes the list; a file that cannot be written is skipped without a word
// (the cache is an optimisation, never a reason to fail an operation).
void SaveCacheFile(const std::string& fileName, const TMFtpFileInfoList& list);
// Reads a cache file into `list` (cleared first). Only complete entries are
// taken. False when the file cannot be read or holds no count line.
bool LoadCacheFile(const std::string& fileName, TMFtpFileInfoList& list);
