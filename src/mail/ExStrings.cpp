#include "mail/ExStrings.h"

#include "rtfengine/Ascii.h"

#include <algorithm>

namespace mail {

int TExStringList::indexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view line = m_lines[i];
        const auto colon = line.find(':');
        if (colon != std::string_view::npos &&
            rtfengine::equalsIgnoringAsciiCase(line.substr(0, colon), name))
            return static_cast<int>(i);
    }
    return -1;
}

void TExStringList::setHeader(std::string_view name, std::string_view value) {
    const int found = indexOfName(name);
    if (value.empty()) {
        if (found >= 0)
            m_lines.erase(m_lines.begin() + found);
        return;
    }
    std::string line(name);
    line += ": ";
    line += value;
    if (found >= 0)
        m_lines[static_cast<std::size_t>(found)] = std::move(line);
    else
        m_lines.push_back(std::move(line));
}

std::string TExStringList::text() const {
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace mail
