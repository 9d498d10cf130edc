#pragma once

// The rise of a process's peak resident memory over a piece of work, read
// from /proc (Linux).
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <algorithm>

// Kilobytes of a line of /proc/self/status, such as "VmHWM:".
inline long StatusKilobytes(const char* key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key)) return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLong();
  return 0;
}

// Runs `work` once per iteration and reports the rise of peak memory.
template <typename Work>
inline void MeasurePeak(benchmark::State& state, Work work) {
  double peakMegabytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly)) reset.write("5");  // resets the peak to the current size
    reset.close();
    const long before = StatusKilobytes("VmRSS:");
    state.ResumeTiming();
    work();
    state.PauseTiming();
    peakMegabytes = std::max(peakMegabytes, (StatusKilobytes("VmHWM:") - before) / 1024.0);
    state.ResumeTiming();
  }
  state.counters["peak_MB"] = peakMegabytes;
}
