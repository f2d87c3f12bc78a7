#include "generate/ExportTarget.h"

#include <filesystem>
#include <system_error>

namespace generate {
namespace {

namespace fs = std::filesystem;

// Absolute first: the part of a relative path that does not exist would stay relative.
fs::path resolved(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(path), error).lexically_normal();
    fs::path result = fs::weakly_canonical(absolute, error);
    if (error)
        result = absolute;
    // "/a/bin/" and "/a/bin" are one folder.
    if (!result.has_filename() && result.has_parent_path())
        result = result.parent_path();
    return result;
}

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

std::string workingCopyFileName(int slot) {
    return slot <= 1 ? std::string("data.tmp") : "data-" + std::to_string(slot) + ".tmp";
}

bool isWorkingCopyFileName(std::string_view fileName) {
    if (fileName == "data.tmp")
        return true;
    constexpr std::string_view prefix = "data-";
    constexpr std::string_view suffix = ".tmp";
    if (fileName.size() <= prefix.size() + suffix.size() || !fileName.starts_with(prefix) ||
        !fileName.ends_with(suffix))
        return false;
    const std::string_view number =
        fileName.substr(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    return allDigits(number) && number.front() != '0';
}

bool sameFile(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && resolved(a) == resolved(b);
}

std::string programDatabase(const std::string& path, const std::string& dataDirectory,
                            const std::string& writableDirectory) {
    const fs::path file = resolved(path);
    const std::string name = file.filename().string();
    if (name == "data.mdb" && file.parent_path() == resolved(dataDirectory))
        return "the program's blank resume database";
    if (isWorkingCopyFileName(name) && file.parent_path() == resolved(writableDirectory))
        return "the program's working copy of a new resume";
    return {};
}

void checkExportTarget(const std::string& target, const std::string& resume,
                       const std::string& templatePath, const std::string& dataDirectory,
                       const std::string& writableDirectory) {
    std::string what;
    if (sameFile(target, resume))
        what = "the resume database being exported";
    else if (sameFile(target, templatePath))
        what = "the template the document is made from";
    else
        what = programDatabase(target, dataDirectory, writableDirectory);
    if (!what.empty())
        throw ERefusedTarget("Cannot export to \"" + target + "\": that file is " + what +
                             ". Nothing was written; choose another name.");
}

} // namespace generate
