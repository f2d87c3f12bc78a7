#include "generate/PdfConversion.h"

#include "generate/PdfConversionSteps.h"
#include "platform/ProgramFolders.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

extern char** environ;

namespace generate {
namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Starts soffice in a process group of its own, its output to /dev/null; returns its id.
pid_t startSoffice(const std::vector<std::string>& arguments) {
    const pid_t pid = pdfsteps::spawnInOwnGroup(arguments, -1);
    if (pid < 0)
        throw EPdfConversion(kNoLibreOffice);
    return pid;
}

// Waits for soffice; past the limit its whole group (it starts helpers) is killed.
int waitForSoffice(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            throw EPdfConversion(pdfsteps::timeLimitMessage(limit));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

} // namespace

namespace pdfsteps {

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "vitacraft-pdf-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw EPdfConversion("Could not create a folder for the PDF conversion.");
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path copyDocument(const std::string& documentPath, const ScratchFolder& scratch) {
    const fs::path input = scratch.path() / "document.rtf";
    fs::copy_file(documentPath, input);
    return input;
}

std::string timeLimitMessage(std::chrono::milliseconds limit) {
    return "The PDF conversion did not finish within " +
           std::to_string((limit.count() + 999) / 1000) + " s and was stopped.";
}

void deliverPdf(const fs::path& written, const std::string& pdfPath) {
    if (!fs::exists(written))
        throw EPdfConversion(kCouldNotConvert);
    std::ifstream in(written, std::ios::binary);
    char mark[4] = {};
    if (!in.read(mark, 4) || std::string_view(mark, 4) != "%PDF")
        throw EPdfConversion("LibreOffice wrote no PDF document.");
    fs::copy_file(written, pdfPath, fs::copy_options::overwrite_existing);
}

pid_t spawnInOwnGroup(const std::vector<std::string>& arguments, int channel) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (channel >= 0) {
        posix_spawn_file_actions_adddup2(&actions, channel, 0);
        posix_spawn_file_actions_adddup2(&actions, channel, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error == 0 ? pid : -1;
}

} // namespace pdfsteps

std::string findSoffice() {
    if (const std::string chosen = environment("VITACRAFT_SOFFICE"); !chosen.empty())
        return isExecutableFile(chosen) ? chosen : std::string();
    const std::string path = environment("PATH");
    size_t from = 0;
    while (from <= path.size()) {
        const size_t end = std::min(path.find(':', from), path.size());
        const std::string folder = path.substr(from, end - from);
        const std::string candidate = (folder.empty() ? "." : folder) + "/soffice";
        if (isExecutableFile(candidate))
            return candidate;
        from = end + 1;
    }
    return {};
}

std::string defaultProfileDirectory() {
    std::string cache = environment("XDG_CACHE_HOME");
    if (cache.empty())
        cache = environment("HOME") + "/.cache";
    return cache + "/vitacraft/libreoffice-profile";
}

PdfConversionOptions defaultPdfConversionOptions() {
    PdfConversionOptions options;
    options.soffice = findSoffice();
    options.profileDirectory = defaultProfileDirectory();
    const std::string bridge = (platform::runningProgramFolders().data / kUnoBridgeName).string();
    if (environment("VITACRAFT_SOFFICE").empty() && isExecutableFile(bridge))
        options.unoBridge = bridge;
    return options;
}

std::string fileUrl(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : path) {
        if (std::isalnum(c) != 0 || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

void convertToPdf(const std::string& documentPath, const std::string& pdfPath,
                  const PdfConversionOptions& options) {
    if (options.soffice.empty())
        throw EPdfConversion(kNoLibreOffice);
    const pdfsteps::ScratchFolder scratch;
    const fs::path input = pdfsteps::copyDocument(documentPath, scratch);
    const fs::path output = scratch.path() / "out";
    const pid_t pid =
        startSoffice({options.soffice, "-env:UserInstallation=" + fileUrl(options.profileDirectory),
                      "--headless", "--norestore", "--convert-to", "pdf", "--outdir",
                      output.string(), input.string()});
    const int status = waitForSoffice(pid, options.timeLimit);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EPdfConversion(pdfsteps::kCouldNotConvert);
    pdfsteps::deliverPdf(output / "document.pdf", pdfPath);
}

} // namespace generate
