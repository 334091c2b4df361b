// Listing cache files and index files of hostile bytes. Properties: a cache
// file read back and saved again reads back to the same entries; sorting by
// every key gives an order each neighbouring pair agrees with; an index file
// changes descriptions only.
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "FuzzCheck.h"
#include "ftp/FtpCache.h"
#include "ftp/FtpData.h"
#include "ftp/FtpIndex.h"
#include "ftp/FtpMisc.h"

namespace {
std::string TempName(const char* what) {
  return (std::filesystem::temp_directory_path() /
          ("tq-ftp-fuzz-" + std::to_string(getpid()) + "-" + what))
      .string();
}

std::vector<MFtpFileInfo> Entries(const TMFtpFileInfoList& list) {
  std::vector<MFtpFileInfo> out(list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) list.GetEntry(i, out[i]);
  return out;
}

bool Same(const MFtpFileInfo& a, const MFtpFileInfo& b) {
  return a.FileName == b.FileName && a.Attrib == b.Attrib && a.Date == b.Date && a.Size == b.Size &&
         a.SymbolLink == b.SymbolLink && a.Owner == b.Owner && a.Group == b.Group &&
         a.Description == b.Description;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  const std::string file = TempName("cache"), copy = TempName("copy");
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));

  TMFtpFileInfoList list, back;
  if (LoadCacheFile(file, list)) {
    SaveCacheFile(copy, list);
    FUZZ_CHECK(LoadCacheFile(copy, back), "a saved cache file does not read");
    auto a = Entries(list), b = Entries(back);
    FUZZ_CHECK(a.size() == b.size(), "entries lost in a round trip");
    for (size_t i = 0; i < a.size(); ++i) FUZZ_CHECK(Same(a[i], b[i]), "an entry changed in a round trip");
  }
  for (int key = 0; key <= 8; ++key) {
    list.Sort(key, key % 2 == 0);
    if (key == 1 || key == 3 || key == 8) continue;
    for (int i = 1; i < list.GetCount(); ++i) {
      const std::string& x = list.GetColumn(i - 1, key);
      const std::string& y = list.GetColumn(i, key);
      int r = key == 2 ? CompareSizeText(x, y) : CompareTextLocale(x, y);
      FUZZ_CHECK(key % 2 == 0 ? r <= 0 : r >= 0, "rows out of order after Sort");
    }
  }

  std::vector<std::string> lines = SplitFuzzLines(std::string_view(reinterpret_cast<const char*>(data), size));
  TMFtpFileInfoList dirs, files;
  dirs.CopyFrom(list);
  files.CopyFrom(list);
  ParseIndexLines(lines, dirs, files);
  FUZZ_CHECK(dirs.GetCount() == list.GetCount() && files.GetCount() == list.GetCount(), "an index file added entries");
  for (int i = 0; i < list.GetCount(); ++i)
    FUZZ_CHECK(files.Name(i) == list.Name(i), "an index file renamed an entry");
  std::filesystem::remove(file);
  std::filesystem::remove(copy);
  return 0;
}
