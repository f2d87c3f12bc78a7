// Splits one fuzz input into the small choices and the texts a target needs, so
// that libFuzzer's mutations steer options and data together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size) {}

    // The next byte, or 0 when the input is used up.
    uint8_t byte() {
        if (m_rest.empty())
            return 0;
        const auto b = static_cast<uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return b;
    }
    bool flag() { return byte() & 1; }
    // A value in [low, high].
    int inRange(int low, int high) { return low + byte() % (high - low + 1); }
    // The text up to the next zero byte (the zero is consumed).
    std::string_view text() {
        const size_t end = m_rest.find('\0');
        std::string_view t = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return t;
    }
    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// A property the target checks was broken: report it as a crash with the input.
[[noreturn]] inline void broken() {
    std::abort();
}

} // namespace fuzz
