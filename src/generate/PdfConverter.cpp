#include "generate/PdfConverter.h"

#include "generate/PdfConversionSteps.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace generate {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often a wait looks whether LibreOffice is still there.
constexpr milliseconds kLookAgain{50};
// How long LibreOffice may take to quit when asked before it is killed.
constexpr milliseconds kQuitWait{5000};

milliseconds remaining(Clock::time_point deadline) {
    return std::max(milliseconds(0),
                    std::chrono::duration_cast<milliseconds>(deadline - Clock::now()));
}

// A process in a group of its own, so that ending it ends whatever it started
// (soffice starts soffice.bin, which can restart itself), and that is always reaped.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { end(); }

    // Starts `arguments` with `channel` as its standard input and output (/dev/null
    // when -1) and its errors to /dev/null; false when it cannot be started.
    bool start(const std::vector<std::string>& arguments, int channel) {
        m_pid = pdfsteps::spawnInOwnGroup(arguments, channel);
        return m_pid > 0;
    }

    bool started() const { return m_pid > 0; }

    // Whether it has ended; it is left unreaped, so its id names no other process
    // when end() signals its group.
    bool exited() const {
        siginfo_t info{};
        return started() && ::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == m_pid;
    }

    void end() {
        if (!started())
            return;
        ::kill(-m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

} // namespace

// Our own profile, or a private one while another of our programs uses it:
// LibreOffice serves one profile from one instance, and a second soffice would hand
// its work to the first.
class PdfConverter::ProfileLock {
public:
    explicit ProfileLock(const std::string& shared) {
        std::error_code ec;
        fs::create_directories(fs::path(shared).parent_path(), ec);
        m_fd = ::open((shared + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_path = shared;
            return;
        }
        std::string pattern = shared + "-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw EPdfConversion("Could not create a folder for the PDF conversion.");
        m_path = pattern;
        m_private = true;
    }
    ~ProfileLock() {
        std::error_code ec;
        if (m_private)
            fs::remove_all(m_path, ec);
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;
    const std::string& path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
    bool m_private = false;
};

// One listening soffice and the bridge connected to it. They talk over a socket
// pair rather than pipes: a write to a bridge that died then fails instead of
// raising SIGPIPE in the program.
class PdfConverter::Instance {
public:
    enum class Outcome { Ok, Error, Gone, Timeout };

    ~Instance() { stop(false); }

    Outcome start(const PdfConversionOptions& options, const std::string& profile,
                  Clock::time_point deadline) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return Outcome::Gone;
        m_channel = ends[0];
        const bool bridgeStarted = m_bridge.start({options.unoBridge, pipeName()}, ends[1]);
        ::close(ends[1]);
        if (!bridgeStarted)
            return Outcome::Gone;
        // LibreOffice starts only once the bridge has its modules: a LibreOffice
        // killed during its start leaves its profile marked as in use.
        Outcome outcome = expect("loaded", deadline);
        if (outcome != Outcome::Ok)
            return outcome;
        if (!m_soffice.start({options.soffice, "-env:UserInstallation=" + fileUrl(profile),
                              "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
                              // The profile lock above keeps other instances away.
                              "--nolockcheck",
                              "--accept=pipe,name=" + m_pipe + ";urp;StarOffice.ComponentContext"},
                             -1))
            return Outcome::Gone;
        return expect("ready", deadline);
    }

    Outcome request(const std::string& line, Clock::time_point deadline) {
        if (::send(m_channel, line.data(), line.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(line.size()))
            return Outcome::Gone;
        std::string answer;
        const Outcome outcome = readLine(answer, deadline);
        if (outcome != Outcome::Ok)
            return outcome;
        return answer == "ok" ? Outcome::Ok : Outcome::Error;
    }

    bool alive() const {
        pollfd peer{m_channel, POLLIN, 0};
        // Between requests the bridge says nothing: anything readable is its end.
        return m_channel >= 0 && ::poll(&peer, 1, 0) == 0 && !m_bridge.exited() &&
               !m_soffice.exited();
    }

    // Politely: the bridge reads the end of its input and asks LibreOffice to quit,
    // and LibreOffice gets a moment to do so; whatever is left is killed.
    void stop(bool politely) {
        if (m_channel >= 0 && politely && m_soffice.started()) {
            ::shutdown(m_channel, SHUT_WR);
            const auto deadline = Clock::now() + kQuitWait;
            while (!m_soffice.exited() && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (m_channel >= 0)
            ::close(m_channel);
        m_channel = -1;
        m_bridge.end();
        m_soffice.end();
    }

private:
    // A name no other instance on the machine uses: LibreOffice's pipes are global.
    const std::string& pipeName() {
        static std::atomic<unsigned> counter{0};
        m_pipe = "vitacraft-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
                 std::to_string(Clock::now().time_since_epoch().count());
        return m_pipe;
    }

    Outcome expect(const std::string& word, Clock::time_point deadline) {
        std::string line;
        const Outcome outcome = readLine(line, deadline);
        if (outcome != Outcome::Ok)
            return outcome;
        return line == word ? Outcome::Ok : Outcome::Gone;
    }

    // One line from the bridge; Gone when it or LibreOffice ends first.
    Outcome readLine(std::string& line, Clock::time_point deadline) {
        for (;;) {
            if (const size_t end = m_buffer.find('\n'); end != std::string::npos) {
                line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return Outcome::Ok;
            }
            const milliseconds left = remaining(deadline);
            if (left.count() == 0)
                return Outcome::Timeout;
            pollfd peer{m_channel, POLLIN, 0};
            const int ready = ::poll(&peer, 1, int(std::min(left, kLookAgain).count()));
            if (ready > 0) {
                char chunk[512];
                const ssize_t n = ::recv(m_channel, chunk, sizeof chunk, MSG_DONTWAIT);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
                    return Outcome::Gone;
                if (n > 0)
                    m_buffer.append(chunk, size_t(n));
            } else if (m_soffice.exited()) {
                return Outcome::Gone;
            }
        }
    }

    Child m_bridge;
    Child m_soffice;
    int m_channel = -1;
    std::string m_pipe;
    std::string m_buffer;
};

PdfConverter::PdfConverter(PdfConversionOptions options) : m_options(std::move(options)) {}

PdfConverter::~PdfConverter() {
    // A conversion on another thread finishes first.
    const std::lock_guard<std::mutex> lock(m_mutex);
    stopInstance(true);
}

const std::string& PdfConverter::profile() {
    if (!m_profile)
        m_profile = std::make_unique<ProfileLock>(m_options.profileDirectory);
    return m_profile->path();
}

void PdfConverter::convertOneShot(const std::string& documentPath, const std::string& pdfPath,
                                  milliseconds limit) {
    PdfConversionOptions options = m_options;
    options.profileDirectory = profile();
    options.timeLimit = limit;
    convertToPdf(documentPath, pdfPath, options);
}

void PdfConverter::stopInstance(bool politely) {
    if (m_instance)
        m_instance->stop(politely);
    m_instance.reset();
}

void PdfConverter::convert(const std::string& documentPath, const std::string& pdfPath) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_options.soffice.empty())
        throw EPdfConversion(kNoLibreOffice);
    const auto deadline = Clock::now() + m_options.timeLimit;
    if (m_options.unoBridge.empty() || m_keepAliveFailed)
        return convertOneShot(documentPath, pdfPath, m_options.timeLimit);
    const pdfsteps::ScratchFolder scratch;
    const fs::path input = pdfsteps::copyDocument(documentPath, scratch);
    const fs::path output = scratch.path() / "document.pdf";
    const std::string request = fileUrl(input.string()) + '\t' + fileUrl(output.string()) + '\n';
    // An instance that ended since the last call is started again; one that ends
    // during this request is too, once, unless it was started for this request.
    for (bool retried = false;; retried = true) {
        if (m_instance && !m_instance->alive())
            stopInstance(false);
        const bool fresh = !m_instance;
        if (fresh) {
            auto instance = std::make_unique<Instance>();
            switch (instance->start(m_options, profile(), deadline)) {
            case Instance::Outcome::Ok:
                m_instance = std::move(instance);
                break;
            case Instance::Outcome::Timeout:
                throw EPdfConversion(pdfsteps::timeLimitMessage(m_options.timeLimit));
            default:
                instance.reset();
                m_keepAliveFailed = true;
                return convertOneShot(documentPath, pdfPath, remaining(deadline));
            }
        }
        switch (m_instance->request(request, deadline)) {
        case Instance::Outcome::Ok:
            return pdfsteps::deliverPdf(output, pdfPath);
        case Instance::Outcome::Timeout:
            stopInstance(false);
            throw EPdfConversion(pdfsteps::timeLimitMessage(m_options.timeLimit));
        case Instance::Outcome::Error:
            if (m_instance->alive())
                throw EPdfConversion(pdfsteps::kCouldNotConvert);
            [[fallthrough]];
        case Instance::Outcome::Gone:
            stopInstance(false);
            if (fresh || retried)
                throw EPdfConversion(pdfsteps::kCouldNotConvert);
        }
    }
}

} // namespace generate
