// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decides whether a call made after every word or listed record should really do its work. Reading the
// clock on every call would cost more than counting the word, so the clock is read only every `stride`
// calls; the stride adapts so that the clock is read about every millisecond, whether calls come every
// 50 ns (words of a large file) or every few milliseconds. The work is due when about 20 ms have passed
// since it was last done.

#include <chrono>
#include <cstdint>

namespace vesk::ui {

class PumpThrottle {
  public:
    using Clock = std::chrono::steady_clock;
    explicit PumpThrottle(std::chrono::milliseconds interval = std::chrono::milliseconds(20)) : m_interval(interval) {}

    // True when the work is due; it is then counted as done.
    bool Due() {
        if (++m_calls < m_stride) return false;
        m_calls = 0;
        const Clock::time_point now = Clock::now();
        const auto sinceCheck = now - m_lastCheck;
        m_lastCheck = now;
        if (sinceCheck < std::chrono::microseconds(500) && m_stride < kMaxStride) m_stride *= 2;
        if (sinceCheck > std::chrono::milliseconds(2) && m_stride > 1) m_stride /= 2;
        if (now - m_lastDone < m_interval) return false;
        m_lastDone = now;
        return true;
    }
    // The work was done by other means (e.g. the event loop ran): start a new interval.
    void Reset() { m_lastDone = Clock::now(); }

  private:
    static constexpr std::uint32_t kMaxStride = 4096;
    std::chrono::milliseconds m_interval;
    std::uint32_t m_calls = 0;
    std::uint32_t m_stride = 1;
    Clock::time_point m_lastCheck = Clock::now();
    Clock::time_point m_lastDone = Clock::now();
};

}  // namespace vesk::ui
