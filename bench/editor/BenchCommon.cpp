// Corpus access and the counting heap.
#include "BenchCommon.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>

#include <malloc.h>

namespace {
std::atomic<size_t> gInUse{0};
std::atomic<size_t> gPeak{0};

void* Allocate(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const size_t now = gInUse.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
  size_t peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
  return p;
}

void Release(void* p) {
  if (!p) return;
  gInUse.fetch_sub(malloc_usable_size(p));
  std::free(p);
}

size_t StatusField(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0) return size_t(std::strtoull(line.c_str() + n + 1, nullptr, 10)) * 1024;
  return 0;
}
}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }

namespace bench {

std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("TQ_CORPUS");
  return std::string(dir ? dir : ".") + "/" + name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path + " (set TQ_CORPUS)");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

size_t HeapInUse() { return gInUse.load(); }
size_t HeapPeak() { return gPeak.load(); }
void ResetHeapPeak() { gPeak.store(gInUse.load()); }
size_t PeakRss() { return StatusField("VmHWM:"); }
size_t CurrentRss() { return StatusField("VmRSS:"); }

}  // namespace bench
