#pragma once

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace model {

// The user stopped a long piece of work. Not a failure: the window drops it
// without a message, and the work's owner has left everything as it was.
class TCancelled : public std::runtime_error {
 public:
  TCancelled() : std::runtime_error("Cancelled") {}
};

// How far a long piece of work has got, as a fraction from 0 to 1, told to a
// callback that answers whether to go on; a "no" ends the work with
// TCancelled. A step reports into its own share of the whole (Part), so it
// need not know what comes before or after it. Without a callback nothing is
// reported and nothing is cancelled. Reports cost a call through
// std::function: make them per block of work, never per point.
class TProgress {
 public:
  using TCallback = std::function<bool(double fraction)>;

  TProgress() = default;
  // The callback must outlive this object and its parts.
  explicit TProgress(const TCallback& callback) : m_callback(&callback) {}

  bool Active() const { return m_callback != nullptr; }

  void Report(double fraction) const {
    if (m_callback && !(*m_callback)(m_begin + (m_end - m_begin) * std::clamp(fraction, 0.0, 1.0))) throw TCancelled();
  }

  // The share from `begin` to `end` (fractions of this one's own range).
  TProgress Part(double begin, double end) const {
    TProgress part = *this;
    part.m_begin = m_begin + (m_end - m_begin) * begin;
    part.m_end = m_begin + (m_end - m_begin) * end;
    return part;
  }

 private:
  const TCallback* m_callback = nullptr;
  double m_begin = 0;
  double m_end = 1;
};

}  // namespace model
