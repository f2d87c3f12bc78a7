#include "rtfengine/OutputFile.h"

#include "rtfengine/Errors.h"

#include <unistd.h>

#include <filesystem>
#include <memory>

namespace rtfengine {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

} // namespace

OutputFile::~OutputFile() {
    if (m_file)
        std::fclose(m_file);
}

void OutputFile::create(const std::string& path) {
    close();
    m_path = path;
    m_size = 0;
    m_file = std::fopen(path.c_str(), "w+b");
    if (!m_file)
        throw EIOError("Can't create file " + path);
    m_buffer.reserve(kBufferSize);
}

void OutputFile::createTemporary() {
    close();
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec)
        dir = "/tmp";
    std::string name = (dir / "rteXXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw EIOError("Can't create temporary file in " + dir.string());
    m_file = ::fdopen(fd, "w+b");
    if (!m_file) {
        ::close(fd);
        ::unlink(name.c_str());
        throw EIOError("Can't create temporary file in " + dir.string());
    }
    m_path = name;
    m_size = 0;
    m_buffer.reserve(kBufferSize);
}

void OutputFile::write(std::string_view bytes) {
    if (!m_file)
        fail();
    m_size += bytes.size();
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        flush();
        if (bytes.size() >= kBufferSize) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
                fail();
            return;
        }
    }
    m_buffer.append(bytes);
}

void OutputFile::flush() {
    if (!m_file || m_buffer.empty())
        return;
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        fail();
    m_buffer.clear();
}

void OutputFile::copyRange(uint64_t from, uint64_t to, OutputFile& target) {
    flush();
    if (std::fseek(m_file, static_cast<long>(from), SEEK_SET) != 0)
        fail();
    // Left uninitialised: filling a chunk that fread overwrites anyway cost more
    // than the copy itself for a small document.
    const auto chunk = std::make_unique_for_overwrite<char[]>(kBufferSize);
    while (from < to) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(to - from, kBufferSize));
        const size_t got = std::fread(chunk.get(), 1, want, m_file);
        if (got == 0)
            fail();
        target.write(std::string_view(chunk.get(), got));
        from += got;
    }
    std::fseek(m_file, 0, SEEK_END);
}

void OutputFile::close() {
    if (!m_file)
        return;
    std::FILE* file = m_file;
    bool ok = true;
    try {
        flush();
    } catch (...) {
        ok = false;
    }
    m_file = nullptr;
    m_buffer.clear();
    if (std::fclose(file) != 0 || !ok)
        throw EIOError("Can't write file " + m_path);
}

void OutputFile::remove() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_buffer.clear();
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
}

void OutputFile::fail() const {
    throw EIOError("Can't write file " + m_path);
}

} // namespace rtfengine
