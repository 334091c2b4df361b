// What the Wine benchmarks share: times from the performance counter, the
// best or the median of a few rounds, a pump for what is queued, and a
// borderless form at the screen's corner whose client area one control
// fills, so every figure is taken on the same kind of window.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/win/Forms.h"

namespace wine_bench {

inline LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

inline double Ms(LARGE_INTEGER from, LARGE_INTEGER to) { return 1000.0 * Seconds(from, to); }

// The seconds one call of work takes.
template <class F> double Time(F&& work) {
  const LARGE_INTEGER start = Now();
  work();
  return Seconds(start, Now());
}

// The least of three rounds, each returning the seconds it measured, so a
// round can prepare before it starts its clock.
template <class F> double Best(F&& round) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) best = std::min(best, round());
  return best;
}

// Best of three of each, taken in turns so that a busy moment of the
// machine falls on both sides alike.
template <class A, class B> void BestInTurns(A&& a, B&& b, double& bestA, double& bestB) {
  bestA = bestB = 1e9;
  for (int i = 0; i < 3; ++i) {
    bestA = std::min(bestA, a());
    bestB = std::min(bestB, b());
  }
}

inline void Pump() {
  MSG m;
  while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageA(&m);
  }
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

// A figure of ours against the bare work: the ratio on stdout as
// "name: value", both times on stderr.
inline void PrintRatio(const char* name, double ours, double bare) {
  std::fprintf(stderr, "%s: %.4f s against %.4f s\n", name, ours, bare);
  std::printf("%s: %.3f\n", name, bare > 0 ? ours / bare : 0.0);
}

// form borderless at (0, 0) in the given size, with control filling it.
inline void Fill(TForm& form, TControl* control, int width, int height) {
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, width, height);
  control->SetAlign(alClient);
  control->SetParent(&form);
}

}  // namespace wine_bench
