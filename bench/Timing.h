// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timing helpers shared by the benchmarks.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

// The value that the given fraction of values lie below (nearest rank).
inline double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(values.size()));
  return values[std::min(rank, values.size() - 1)];
}

inline double Median(std::vector<double> values) { return Percentile(std::move(values), 0.5); }

// The median time of work over runs, in milliseconds.
template <typename Work>
double MedianMs(int runs, Work work) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    clock.start();
    work();
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  return Median(times);
}

// The processor time the calling thread has used, in milliseconds: beside a
// wall-clock figure, it shows how much of it was the program's own work and
// how much waiting for a processor other programs held.
inline double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Page faults of the calling thread that had to read from the disk: a font
// file's pages the system had let go of.
inline long ThreadDiskReads() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_majflt;
}
