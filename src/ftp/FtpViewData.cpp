// See FtpViewData.h.
#include "ftp/FtpViewData.h"

#include "ftp/FtpMisc.h"
#include "platform/SysUtils.h"

int SortKeyOf(TMFtpSortBase base) {
  switch (base) {
    case TMFtpSortBase::stAttrib: return 0;
    case TMFtpSortBase::stDateTime: return 1;
    case TMFtpSortBase::stSize: return 2;
    case TMFtpSortBase::stSymbolLink: return 3;
    case TMFtpSortBase::stDescription: return 4;
    case TMFtpSortBase::stName: return 5;
    case TMFtpSortBase::stOwner: return 6;
    case TMFtpSortBase::stGroup: return 7;
    case TMFtpSortBase::stFileType: return 8;
    default: return -1;
  }
}

std::string FtpSizeText(const std::string& size) {
  if (size == "0") return "0KB";
  // Only plain digits are a size: a server's "-5" or "n/a" is shown as sent.
  if (size.empty() || size.size() > 19 || size.find_first_not_of("0123456789") != std::string::npos)
    return size;
  int64_t bytes = 0;
  if (!TryStrToInt64(size, bytes)) return size;
  // Rounded half up, as the kilobyte figure of a size always was.
  int64_t kb = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
  if (kb == 0) return "1KB";
  std::string digits = IntToStr(kb);
  std::string out;
  const char sep = FtpSystem().ThousandSeparator;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0 && sep) out += sep;
    out += digits[i];
  }
  return out + "KB";
}

int FindNamePrefix(const std::vector<std::string>& upperNames, const std::string& prefix, int start,
                   bool wrap) {
  const int n = static_cast<int>(upperNames.size());
  if (n == 0) return -1;
  if (start < 0 || start >= n) start = 0;
  const std::string upper = AnsiUpperCase(prefix);
  for (int k = 0; k < n; ++k) {
    int i = start + k;
    if (i >= n) {
      if (!wrap) break;
      i -= n;
    }
    if (upperNames[static_cast<size_t>(i)].compare(0, upper.size(), upper) == 0) return i;
  }
  return -1;
}

void FilterFileList(const TMFtpFileInfoList& source, const std::vector<std::string>& masks,
                    TMFtpFileInfoList& out, const std::function<void()>& eachMask) {
  // Entries are marked by position, not looked up by name: two files whose
  // names differ only in case are two files.
  std::vector<bool> taken(static_cast<size_t>(source.GetCount()), false);
  MFtpFileInfo info;
  for (const std::string& mask : masks) {
    if (eachMask) eachMask();
    for (int i = 0; i < source.GetCount(); ++i) {
      if (taken[static_cast<size_t>(i)] || !MatchMask(mask, source.Name(i))) continue;
      taken[static_cast<size_t>(i)] = true;
      source.GetEntry(i, info);
      out.AddRecord(info);
    }
  }
}

std::string FolderNodeURL(const std::string& siteRoot, const std::vector<std::string>& names) {
  std::string url = siteRoot;
  if (url.empty() || url.back() != '/') url += '/';
  for (const std::string& name : names) url += EncodeURLComponent(name) + "/";
  return url;
}

bool UsableFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || u < ' ' || u == 0x7F) return false;
  }
  return true;
}

std::string JoinRemotePath(const std::string& path, const std::string& name) {
  if (!path.empty() && path.back() == '/') return path + name;
  return path + "/" + name;
}
