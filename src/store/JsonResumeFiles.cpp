// JSON Resume files on disk: a file is read whole and checked before anything is
// written, and every file this code makes appears under its name only once it is
// complete, so a failure leaves nothing behind and never replaces a file unasked.
#include "store/JsonResume.h"

#include "store/SqliteConnection.h"
#include "store/StoreError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

using json = nlohmann::json;

// Deeper than any résumé nests; a file beyond it is refused before it costs much.
constexpr int kMaxDepth = 64;

[[noreturn]] void raiseImport(const std::string& path, const std::string& problem) {
    throw EJsonResumeError("Cannot import '" + path + "': " + problem + ".");
}

[[noreturn]] void raiseExport(const std::string& path, const std::string& problem) {
    throw EJsonResumeError("Cannot export to '" + path + "': " + problem + ".");
}

[[noreturn]] void raiseExisting(const std::string& path) {
    throw EJsonResumeError("The file '" + path + "' already exists; it was not overwritten.");
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string readWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        raiseImport(path, std::string("the file cannot be read (") + std::strerror(errno) + ")");
    std::string text;
    char buffer[65536];
    ssize_t count;
    while ((count = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(count));
    const int error = errno;
    ::close(fd);
    if (count < 0)
        raiseImport(path, std::string("the file cannot be read (") + std::strerror(error) + ")");
    return text;
}

// Line and column (in characters) of the byte at `offset`, both counted from 1.
std::string position(const std::string& text, size_t offset) {
    offset = std::min(offset, text.size());
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

json parse(const std::string& path, const std::string& text) {
    bool tooDeep = false;
    const auto limit = [&tooDeep](int depth, json::parse_event_t, json&) {
        if (depth > kMaxDepth)
            tooDeep = true;
        return !tooDeep;
    };
    try {
        json document = json::parse(text, limit);
        if (tooDeep)
            raiseImport(path,
                        "its JSON nests deeper than " + std::to_string(kMaxDepth) + " levels");
        return document;
    } catch (const json::parse_error& error) {
        // The parser counts the byte it stopped at from 1.
        raiseImport(path,
                    "it is not JSON (" + position(text, error.byte > 0 ? error.byte - 1 : 0) + ")");
    }
}

// A new, empty file beside `path` that no one else can have chosen; closed.
std::string siblingFile(const std::string& path, int& fd) {
    std::string name = path + ".part-XXXXXX";
    fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    return name;
}

// Gives `part` the name `path`, replacing a file there only when asked to.
bool publish(const std::string& part, const std::string& path, bool replace) {
    if (replace)
        return std::rename(part.c_str(), path.c_str()) == 0;
    if (::link(part.c_str(), path.c_str()) != 0)
        return false;
    ::unlink(part.c_str());
    return true;
}

void writeAll(int fd, const std::string& text) {
    for (size_t written = 0; written < text.size();) {
        const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            throw std::system_error(errno, std::generic_category());
        written += static_cast<size_t>(count);
    }
    if (::fsync(fd) != 0)
        throw std::system_error(errno, std::generic_category());
}

} // namespace

JsonResumeImport readJsonResumeFile(const std::string& path) {
    const json document = parse(path, readWhole(path));
    if (!document.is_object())
        raiseImport(path, "its JSON is not an object, as a JSON Resume is");
    try {
        return resumeFromJson(document);
    } catch (const EJsonResumeError& error) {
        raiseImport(path, error.what());
    }
}

void fillResumeFile(const std::string& resumePath, const ResumeData& data) {
    const std::shared_ptr<SqliteConnection> connection = openResumeFile(resumePath);
    writeResume(connection->handle(), data);
}

std::vector<std::string> importJsonResume(const std::string& jsonPath, const std::string& outPath) {
    if (exists(outPath))
        raiseExisting(outPath);
    JsonResumeImport import = readJsonResumeFile(jsonPath);
    int fd = -1;
    const std::string part = siblingFile(outPath, fd);
    if (part.empty())
        throw EDatabaseError("Cannot create '" + outPath + "': " + std::strerror(errno));
    ::close(fd);
    ::unlink(part.c_str());
    try {
        createBlankResume(part);
        fillResumeFile(part, import.data);
        if (!publish(part, outPath, false)) {
            if (errno == EEXIST)
                raiseExisting(outPath);
            throw EDatabaseError("Cannot create '" + outPath + "': " + std::strerror(errno));
        }
    } catch (...) {
        ::unlink(part.c_str());
        throw;
    }
    return std::move(import.notImported);
}

std::string jsonResumeText(StatementSource& db) {
    const nlohmann::ordered_json document = jsonFromResume(readResume(db));
    try {
        return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::strict) + "\n";
    } catch (const nlohmann::ordered_json::type_error&) {
        throw EJsonResumeError(
            "The resume holds text that is not UTF-8, so it cannot be written as JSON.");
    }
}

void exportJsonResume(StatementSource& db, const std::string& outPath, bool replace) {
    const std::string text = jsonResumeText(db);
    if (!replace && exists(outPath))
        raiseExisting(outPath);
    int fd = -1;
    const std::string part = siblingFile(outPath, fd);
    if (part.empty())
        raiseExport(outPath, std::strerror(errno));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    try {
        ::fchmod(fd, 0666 & ~mask);
        writeAll(fd, text);
        ::close(fd);
        fd = -1;
        if (!publish(part, outPath, replace)) {
            if (errno == EEXIST)
                raiseExisting(outPath);
            raiseExport(outPath, std::strerror(errno));
        }
    } catch (const std::system_error& error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(part.c_str());
        raiseExport(outPath, error.code().message());
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(part.c_str());
        throw;
    }
}

} // namespace store
