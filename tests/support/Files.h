// Whole-file reads and writes and a private folder per test, in plain C++ so the
// engine and mail tests need no Qt.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// The file's bytes, or an empty string when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Replaces the file with `bytes`; false when it cannot be written.
bool writeFile(const std::filesystem::path& path, std::string_view bytes);

// What a shell command prints on its standard output; empty when it cannot start.
// The caller quotes what it puts into the command.
std::string commandOutput(const std::string& command);

// Whether a program of that name is on the PATH.
bool haveProgram(const std::string& name);

// Runs LibreOffice headless over `files` (a shell word list, relative to `folder`, where
// it runs; globs allowed) with the output filter `filter`, writing into `outDir`. It uses
// a profile of its own in `folder`, so that parallel conversions do not share one and
// the user's LibreOffice is left alone; one start converts every file. Gives what
// LibreOffice printed, for a failure message.
std::string convertWithLibreOffice(const std::filesystem::path& folder, const std::string& filter,
                                   const std::filesystem::path& outDir, const std::string& files);

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace testsupport
