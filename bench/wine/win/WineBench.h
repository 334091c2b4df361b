// What the Wine benchmarks share: times from the performance counter, the
// best or the median of a few rounds (of one work, or of two taken in
// turns), painting now, a pump for what is queued, a borderless form at the
// screen's corner whose client area one control fills, so every figure is
// taken on the same kind of window, and the frame of a bench's main.
#pragma once

#include <algorithm>
#include <cstdio>
#include <exception>
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

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

inline double Least(const std::vector<double>& v) {
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// So many rounds of each of two works, taken in turns (a first) so that a busy
// moment of the machine falls on both sides alike; each call returns the
// seconds it measured.
template <class A, class B>
void InTurns(int rounds, A&& a, B&& b, std::vector<double>& timesA, std::vector<double>& timesB) {
  for (int i = 0; i < rounds; ++i) {
    timesA.push_back(a());
    timesB.push_back(b());
  }
}

// The best round of each of two works taken in turns.
template <class A, class B> void BestInTurns(int rounds, A&& a, B&& b, double& bestA, double& bestB) {
  std::vector<double> timesA, timesB;
  InTurns(rounds, a, b, timesA, timesB);
  bestA = Least(timesA);
  bestB = Least(timesB);
}

// The median round of each of two works taken in turns.
template <class A, class B> void MedianInTurns(int rounds, A&& a, B&& b, double& medianA, double& medianB) {
  std::vector<double> timesA, timesB;
  InTurns(rounds, a, b, timesA, timesB);
  medianA = Median(timesA);
  medianB = Median(timesB);
}

// Paints what wnd has to paint now and waits until GDI has drawn it.
inline void PaintNow(HWND wnd) {
  ::UpdateWindow(wnd);
  ::GdiFlush();
}

// The same for wnd and every window inside it.
inline void PaintAllNow(HWND wnd) {
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
}

inline void Pump() {
  MSG m;
  while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageA(&m);
  }
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

// The frame of a bench's main: what body throws is said on stderr and the
// program gives 1; else what body returns.
template <class F> int Run(F&& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}

// The same for a bench that needs arguments: with fewer than needed after
// the program's name it says its usage and gives 2.
template <class F> int Run(int argc, char** argv, int needed, const char* usage, F&& body) {
  if (argc < needed + 1) {
    std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
    return 2;
  }
  return Run(body);
}

}  // namespace wine_bench
