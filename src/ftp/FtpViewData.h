// What the remote list and folder tree show, apart from their windows: the
// sort bases of the list's columns, size texts, the prefix search, the mask
// filter, folder addresses and which cached names make folders.
#pragma once

#include "ftp/FtpData.h"

#include <functional>
#include <string>
#include <vector>

// A scoped enumeration: the tree view's own sort kinds already use stNone.
enum class TMFtpSortBase {
  stNone, stAttrib, stDateTime, stDescription, stName, stSize, stSymbolLink, stOwner, stGroup,
  stFileType
};

// The listing's sort key for a sort base (-1 for stNone).
int SortKeyOf(TMFtpSortBase base);

// "0" gives "0KB"; a number of bytes gives whole kilobytes with thousands
// separators, at least "1KB"; any other text is shown as it stands.
std::string FtpSizeText(const std::string& size);

// The first entry from `start` on whose text begins with `prefix` (both
// compared upper-cased; `upperNames` already is). One pass at most: past the
// end it goes on at the first entry only when `wrap` is set. -1 when none.
int FindNamePrefix(const std::vector<std::string>& upperNames, const std::string& prefix, int start,
                   bool wrap);

// The files of `source` that match the masks, mask by mask in order, each
// entry at most once. `eachMask` runs before every mask (the view pumps its
// messages there).
void FilterFileList(const TMFtpFileInfoList& source, const std::vector<std::string>& masks,
                    TMFtpFileInfoList& out, const std::function<void()>& eachMask = {});

// The address of a folder node: the site root's text ("ftp://host/"), then
// each folder name below it encoded and followed by "/".
std::string FolderNodeURL(const std::string& siteRoot, const std::vector<std::string>& names);

// A cached name that can be a folder of the tree: not empty, ".", "..", and
// holding neither "/" nor control characters.
bool UsableFolderName(const std::string& name);

// Appends a folder name to a remote path ("/" + "pub" is "/pub").
std::string JoinRemotePath(const std::string& path, const std::string& name);
