// The hex view's file roads on a 100 MB file, each against its plain limit
// in the same run, best of three each:
//   open  -- LoadFromFile up to painting the first screen, over cp of the file
//   save  -- SaveToFile after one changed byte, backups on, over cp; and,
//            since the save pushes its file to the disk before it takes
//            the name, also over cp followed by the same flush
//   find  -- Find of an absent 6-byte pattern, over reading the file in
//            1 MiB blocks and searching each with memmem (case and no case)
// Prints "name: value" lines.
//   usage: hexedit_files_bench <100 MB file> <work folder>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "hexedit/HexEditor.h"
#include "platform/RecordingCanvas.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

// The plain limit of a search: 1 MiB blocks, memmem on each, overlapping by
// the pattern's length.
long PlainFind(const std::string& file, const std::string& pattern) {
  FILE* f = std::fopen(file.c_str(), "rb");
  std::vector<char> block(1 << 20);
  long pos = 0, found = -1;
  size_t keep = 0;
  for (;;) {
    const size_t n = std::fread(block.data() + keep, 1, block.size() - keep, f);
    if (n == 0) break;
    const size_t have = keep + n;
    if (const void* hit = memmem(block.data(), have, pattern.data(), pattern.size())) {
      found = pos + long(static_cast<const char*>(hit) - block.data());
      break;
    }
    keep = std::min(pattern.size() - 1, have);
    std::memmove(block.data(), block.data() + have - keep, keep);
    pos += long(have - keep);
  }
  std::fclose(f);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: hexedit_files_bench <file> <work folder>\n");
    return 2;
  }
  const fs::path work = argv[2];
  fs::create_directories(work);
  setenv("TMPDIR", work.c_str(), 1);
  const std::string source = argv[1];
  const std::string copy = (work / "copy.bin").string();
  const std::string target = (work / "target.bin").string();

  // --- open --------------------------------------------------------------
  const double cp = Seconds([&] { Shell("cp '" + source + "' '" + copy + "'"); });
  fs::remove(copy);
  const double open = Seconds([&] {
    THexEditor hex(nullptr);
    if (!hex.LoadFromFile(source)) std::exit(1);
    TRecordingCanvas canvas(TRect(0, 0, 1024, 768));
    hex.Paint(canvas);
  });
  std::printf("hex-open-100mb-s: %.3f\n", open);
  std::printf("hex-cp-100mb-s: %.3f\n", cp);
  std::printf("hex-open-100mb-ratio: %.3f\n", open / cp);

  // --- save --------------------------------------------------------------
  fs::copy_file(source, target, fs::copy_options::overwrite_existing);
  double save = 1e30;
  for (int i = 0; i < 3; ++i) {
    THexEditor hex(nullptr);
    if (!hex.LoadFromFile(target)) return 1;
    hex.ChangeByte(1000, hex.GetByte(1000), uint8_t(hex.GetByte(1000) ^ 0xFF));
    const auto start = std::chrono::steady_clock::now();
    if (!hex.SaveToFile(target)) return 1;
    save = std::min(save, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  fs::remove(target);
  fs::remove(fs::path(target).replace_extension(".bak"));
  const double synced = Seconds([&] {
    Shell("cp '" + source + "' '" + copy + "'");
    const int fd = ::open(copy.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) std::exit(1);
    ::close(fd);
  });
  fs::remove(copy);
  std::printf("hex-save-100mb-s: %.3f\n", save);
  std::printf("hex-save-100mb-ratio: %.3f\n", save / cp);
  std::printf("hex-cp-fsync-100mb-s: %.3f\n", synced);
  std::printf("hex-save-100mb-synced-ratio: %.3f\n", save / synced);

  // --- find --------------------------------------------------------------
  const std::string absent = "\x01\x02zq\x03\x04";
  THexEditor hex(nullptr);
  if (!hex.LoadFromFile(source)) return 1;
  const double plain = Seconds([&] {
    if (PlainFind(source, absent) != -1) std::exit(1);
  });
  const double find = Seconds([&] {
    if (hex.Find(absent.data(), 6, 0, hex.GetDataSize() - 1, false, false) != -1) std::exit(1);
  });
  const double nocase = Seconds([&] {
    if (hex.Find(absent.data(), 6, 0, hex.GetDataSize() - 1, true, false) != -1) std::exit(1);
  });
  // The search went to the end: the file's last bytes are found there.
  const std::string tail = hex.GetBytes(hex.GetDataSize() - 6, 6);
  if (hex.Find(tail.data(), 6, 0, hex.GetDataSize() - 1, false, false) < 0) return 1;
  std::printf("hex-find-plain-100mb-s: %.3f\n", plain);
  std::printf("hex-find-100mb-s: %.3f\n", find);
  std::printf("hex-find-100mb-ratio: %.3f\n", plain / find);
  std::printf("hex-find-nocase-100mb-ratio: %.3f\n", plain / nocase);
  return 0;
}
