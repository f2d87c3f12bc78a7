// The timer that enforces the transport's time limit. It never interrupts anyone:
// the thread that waits polls it, so OnTimer always runs on that thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace mail {

class TThreadTimer {
public:
    // Runs while enabled, with a non-zero interval and a handler; changing any of
    // the three restarts the interval.
    void setEnabled(bool enabled);
    void setInterval(std::uint32_t milliseconds);
    void setOnTimer(std::function<void()> handler);

    bool enabled() const { return m_enabled; }
    std::uint32_t interval() const { return m_interval; }

    // Fires OnTimer once when an interval has passed since the (re)start, then
    // starts the next interval.
    void poll();

private:
    bool running() const { return m_enabled && m_interval != 0 && m_onTimer; }
    void restart();

    bool m_enabled = true;
    std::uint32_t m_interval = 1000;
    std::function<void()> m_onTimer;
    std::chrono::steady_clock::time_point m_due;
};

} // namespace mail
