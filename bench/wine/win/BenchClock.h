// What the Wine benchmark programs share: a high-resolution clock in
// seconds and the median of a few rounds.
#pragma once

#include "platform/win/WinApi.h"

#include <algorithm>
#include <vector>

inline double Now() {
  LARGE_INTEGER t, f;
  ::QueryPerformanceCounter(&t);
  ::QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
