// A file written through a buffer, with its length known at every moment: the
// working output of a run and the assembled document. Never holds a whole document.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace rtfengine {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates (or replaces) the file; raises EIOError when it cannot.
    void create(const std::string& path);
    // Creates a new uniquely named file in the temporary directory, named "rte...".
    void createTemporary();
    const std::string& path() const { return m_path; }
    bool isOpen() const { return m_file != nullptr; }

    void write(std::string_view bytes);
    uint64_t size() const { return m_size; }
    // Copies bytes [from, to) of this file into `target`.
    void copyRange(uint64_t from, uint64_t to, OutputFile& target);

    void close();
    // Closes and deletes the file.
    void remove();

private:
    void flush();
    [[noreturn]] void fail() const;

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_buffer;
    uint64_t m_size = 0;
};

} // namespace rtfengine
