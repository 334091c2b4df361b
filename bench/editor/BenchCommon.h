// Shared by the editor benchmarks: where the corpora are, reading them, and
// a heap counter (every operator new of the process goes through it) so a
// variant's peak memory can be measured without another tool.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>

namespace bench {

// $TQ_CORPUS (set by run.sh) + "/" + name.
std::string CorpusPath(const char* name);
std::string ReadFile(const std::string& path);

// Bytes currently allocated through operator new, and the peak since the
// last ResetHeapPeak.
size_t HeapInUse();
size_t HeapPeak();
void ResetHeapPeak();

// Peak and current resident set of the process, from /proc/self/status.
size_t PeakRss();
size_t CurrentRss();

}  // namespace bench
