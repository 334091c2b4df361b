// The open dialog's listing of a folder of 10,000 files into its table,
// with the sort by name it ends with, against a plain FindFirstFileA loop
// that collects the same entries into a vector, in the same run. Each is
// taken three times in turns and the best counts.
//   usage: filedlg_wine_list_bench <folder>
// Prints "filedlg-wine-list-10k-ratio" and "filedlg-wine-list-10k-s".
#include "app/documents/FileDlgRules.h"
#include "kit/RxMemDS.h"
#include "platform/SysUtils.h"
#include "WineBench.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct TPlainEntry {
  std::string Name;
  uint64_t Size;
  FILETIME Time;
};

size_t PlainListing(const std::string& folder) {
  std::vector<TPlainEntry> entries;
  WIN32_FIND_DATAA d;
  HANDLE h = ::FindFirstFileA((folder + "*.*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    entries.push_back({d.cFileName, (uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow, d.ftLastWriteTime});
  } while (::FindNextFileA(h, &d));
  ::FindClose(h);
  return entries.size();
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<folder>", [&] {
    const std::string folder = IncludeTrailingPathDelimiter(argv[1]);
    TRxMemoryData dir(nullptr);
    DefineDirFields(dir);
    dir.Open();
    double ours = 0, bare = 0;
    size_t plainCount = 0;
    wine_bench::BestInTurns(
        3, [&] { return wine_bench::Time([&] { plainCount = PlainListing(folder); }); },
        [&] { return wine_bench::Time([&] { ListFolderInto(dir, folder, {"*.*"}, TFileSortState{fsName, false}); }); },
        bare, ours);
    if (plainCount < 10000 || size_t(dir.GetRecordCount()) != plainCount) {
      std::fprintf(stderr, "%zu files by the plain loop, %d listed: not the 10,000-file folder\n", plainCount,
                   dir.GetRecordCount());
      return 1;
    }
    wine_bench::PrintRatio("filedlg-wine-list-10k-ratio", ours, bare);
    std::printf("filedlg-wine-list-10k-s: %.4f\n", ours);
    return 0;
  });
}
