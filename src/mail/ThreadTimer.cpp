#include "mail/ThreadTimer.h"

namespace mail {

void TThreadTimer::setEnabled(bool enabled) {
    m_enabled = enabled;
    restart();
}

void TThreadTimer::setInterval(std::uint32_t milliseconds) {
    m_interval = milliseconds;
    restart();
}

void TThreadTimer::setOnTimer(std::function<void()> handler) {
    m_onTimer = std::move(handler);
    restart();
}

void TThreadTimer::restart() {
    m_due = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_interval);
}

void TThreadTimer::poll() {
    if (!running() || std::chrono::steady_clock::now() < m_due)
        return;
    restart();
    // Copied, because the handler may replace itself.
    auto handler = m_onTimer;
    handler();
}

} // namespace mail
