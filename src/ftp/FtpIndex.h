// Archive index files (the 00index.txt family): fills in the descriptions of
// the listing's entries from the layouts archives commonly use.
#pragma once

#include "ftp/FtpData.h"

#include <string>
#include <vector>

// Empties the description column of both lists, then sets the description of
// each entry the file names. False when the file cannot be read.
bool ParseIndexFile(const std::string& fileName, TMFtpFileInfoList& directories,
                    TMFtpFileInfoList& files);
// The same over lines already read.
void ParseIndexLines(const std::vector<std::string>& lines, TMFtpFileInfoList& directories,
                     TMFtpFileInfoList& files);
