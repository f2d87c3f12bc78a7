// A list of text lines with the two operations a mail header needs: finding a
// header line by name and setting or removing a header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mail {

class TExStringList {
public:
    TExStringList() = default;
    TExStringList(std::initializer_list<std::string> lines) : m_lines(lines) {}

    const std::vector<std::string>& lines() const { return m_lines; }
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    const std::string& operator[](std::size_t i) const { return m_lines[i]; }
    void add(std::string line) { m_lines.push_back(std::move(line)); }
    void clear() { m_lines.clear(); }

    // The index of the line whose text before its first ":" equals name, ignoring
    // case; -1 when there is none.
    int indexOfName(std::string_view name) const;
    // A non-empty value makes the line "name: value", replacing the named line or
    // appended; an empty value deletes the named line.
    void setHeader(std::string_view name, std::string_view value);
    // Every line followed by "\r\n".
    std::string text() const;

    bool operator==(const TExStringList&) const = default;

private:
    std::vector<std::string> m_lines;
};

} // namespace mail
