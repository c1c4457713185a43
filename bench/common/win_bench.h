#pragma once
// What every Windows benchmark needs: a message pump, a wait for an event with a generous
// bound, a high-resolution clock and the median of repeated timings.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace vela::bench {

inline void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps until `done` holds; false when it still does not after `limitMs` (a busy machine
// skins slowly, so the bound is generous: it is a safety net, not a measurement).
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 30000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs)
      return false;
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Seconds on the performance counter.
inline double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

// Median of `rounds` timings of `count` calls of `step` (given the call's index), in
// microseconds per call. GDI batches calls, so each round is flushed before it is timed.
inline double MedianMicros(const std::function<void(int)>& step, int count, int rounds) {
  std::vector<double> samples;
  for (int r = 0; r < rounds; ++r) {
    const double start = Now();
    for (int i = 0; i < count; ++i)
      step(i);
    GdiFlush();
    samples.push_back((Now() - start) * 1e6 / count);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

} // namespace vela::bench
