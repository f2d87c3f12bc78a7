// The converter that keeps LibreOffice listening, against stand-ins for soffice and
// for the bridge: one instance for many conversions, started again after it ended,
// every failure reported as a one-shot conversion reports it, and the one-shot path
// wherever the bridge cannot serve.
#include "generate/PdfConverter.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

namespace generate::test {
namespace {

namespace fs = std::filesystem;

using testsupport::readFile;
using testsupport::writeFile;

// Whether the process exists and has not ended (a zombie has ended).
bool running(pid_t pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t paren = stat.rfind(')');
    return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] != 'Z';
}

// Waits for the process to end, as a signal takes a moment to arrive.
bool ends(pid_t pid) {
    for (int i = 0; i < 500 && running(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !running(pid);
}

// Converts by copying: "%PDF " and the document.
constexpr const char* kCopyRequest = "{ printf '%%PDF '; cat \"${doc#file://}\"; } > "
                                     "\"${pdf#file://}\"; echo ok";

// The stand-ins meet as the real ones do: soffice opens the pipe named on its
// command line (here a file of that name in the test's folder, @DIR@), and the
// bridge waits for it.
const std::string kListen = "; for a; do case $a in --accept=*) n=${a#*name=}; "
                            "touch \"@DIR@/listening-${n%%;*}\";; esac; done; exec sleep 1000";
const std::string kConnect = "echo loaded; while [ ! -e \"@DIR@/listening-$1\" ]; do sleep 0.01; "
                             "done; echo ready";

class PdfConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(m_dir.path() / "resume.doc", "{\\rtf1 Hello}");
        writeFile(pdf(), "old");
        m_options.profileDirectory = (m_dir.path() / "profile").string();
        m_options.timeLimit = std::chrono::seconds(20);
        setSoffice("echo $$ >> " + file("soffice-pids") + "; echo \"$1\" >> " + file("profiles") +
                   "; sleep 1000 & echo $! > " + file("helper-pid") + kListen);
        setBridge(kConnect, kCopyRequest);
    }

    // A stand-in soffice: one-shot conversions write "%PDF one-shot"; started to
    // listen, it runs `listening`.
    void setSoffice(const std::string& listening) {
        m_options.soffice =
            script("soffice", "case \"$*\" in *--convert-to*)\n"
                              "  while [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && outdir=$2; "
                              "shift; done\n"
                              "  mkdir -p \"$outdir\"; printf '%%PDF one-shot' > "
                              "\"$outdir/document.pdf\"; exit 0;;\nesac\n" +
                                  listening);
    }

    // A stand-in bridge: `start`, then `request` for every line (in $doc and $pdf);
    // at the end of its input it ends soffice, as the real one asks it to quit.
    void setBridge(const std::string& start, const std::string& request) {
        m_options.unoBridge =
            script("bridge", "echo $$ >> " + file("bridge-pids") + "\n" + start +
                                 "\nwhile IFS=\"$(printf '\\t')\" read -r doc pdf; do " + request +
                                 "; done\nkill $(cat " + file("soffice-pids") + ")\n");
    }

    std::string script(const std::string& name, const std::string& body) {
        const fs::path path = m_dir.path() / name;
        std::string text = body;
        for (size_t at = 0; (at = text.find("@DIR@", at)) != std::string::npos;)
            text.replace(at, 5, m_dir.path().string());
        writeFile(path, "#!/bin/sh\n" + text + "\n");
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }
    std::string file(const std::string& name) const { return (m_dir.path() / name).string(); }
    fs::path pdf() const { return m_dir.path() / "resume.pdf"; }

    std::vector<pid_t> pids(const std::string& name) const {
        std::istringstream in(readFile(m_dir.path() / name));
        std::vector<pid_t> result;
        for (pid_t pid = 0; in >> pid;)
            result.push_back(pid);
        return result;
    }

    std::string convert(PdfConverter& converter) {
        try {
            converter.convert(file("resume.doc"), pdf().string());
        } catch (const EPdfConversion& e) {
            return e.what();
        }
        return {};
    }

    testsupport::TempDir m_dir;
    PdfConversionOptions m_options;
};

TEST_F(PdfConverterTest, OneInstanceServesEveryConversionAndEndsWithTheConverter) {
    {
        PdfConverter converter(m_options);
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(convert(converter), "");
            EXPECT_EQ(readFile(pdf()), "%PDF {\\rtf1 Hello}");
        }
        EXPECT_EQ(pids("soffice-pids").size(), 1u);
        EXPECT_EQ(pids("bridge-pids").size(), 1u);
    }
    // Ended, reaped, and so is what it started.
    EXPECT_FALSE(running(pids("soffice-pids").at(0)));
    EXPECT_FALSE(running(pids("bridge-pids").at(0)));
    EXPECT_TRUE(ends(pids("helper-pid").at(0)));
}

TEST_F(PdfConverterTest, AKilledInstanceIsStartedAgain) {
    for (const char* killed : {"soffice-pids", "bridge-pids"}) {
        fs::remove(file("soffice-pids"));
        fs::remove(file("bridge-pids"));
        PdfConverter converter(m_options);
        ASSERT_EQ(convert(converter), "") << killed;
        const pid_t victim = pids(killed).at(0);
        ::kill(victim, SIGKILL);
        ASSERT_TRUE(ends(victim));
        writeFile(pdf(), "old");
        ASSERT_EQ(convert(converter), "") << killed;
        EXPECT_EQ(readFile(pdf()), "%PDF {\\rtf1 Hello}") << killed;
        EXPECT_EQ(pids("soffice-pids").size(), 2u) << killed;
        EXPECT_EQ(pids("bridge-pids").size(), 2u) << killed;
        EXPECT_FALSE(running(pids("soffice-pids").at(0))) << killed;
    }
}

TEST_F(PdfConverterTest, FailuresAreReportedAndLeaveTheTargetAlone) {
    const struct {
        const char* request;
        const char* message;
    } cases[] = {
        {"echo 'error type detection failed'",
         "LibreOffice could not convert the document to PDF."},
        {"echo ok", "LibreOffice could not convert the document to PDF."},
        {"echo garbage > \"${pdf#file://}\"; echo ok", "LibreOffice wrote no PDF document."},
        {"sleep 1000", "The PDF conversion did not finish within 2 s and was stopped."},
    };
    m_options.timeLimit = std::chrono::milliseconds(1500);
    for (const auto& c : cases) {
        fs::remove(file("soffice-pids"));
        setBridge(kConnect, c.request);
        PdfConverter converter(m_options);
        EXPECT_EQ(convert(converter), c.message) << c.request;
        EXPECT_EQ(readFile(pdf()), "old") << c.request;
    }
    // The hanging instance was ended rather than left to the next conversion.
    EXPECT_FALSE(running(pids("soffice-pids").at(0)));

    m_options.soffice.clear();
    PdfConverter none(m_options);
    EXPECT_EQ(convert(none), kNoLibreOffice);
}

TEST_F(PdfConverterTest, ALibreOfficeThatNeverListensRunsOutOfTime) {
    setBridge("echo loaded; sleep 1000", kCopyRequest);
    m_options.timeLimit = std::chrono::milliseconds(1500);
    PdfConverter converter(m_options);
    EXPECT_EQ(convert(converter), "The PDF conversion did not finish within 2 s and was stopped.");
    EXPECT_EQ(readFile(pdf()), "old");
    // Nothing it started is left running.
    for (const char* started : {"soffice-pids", "bridge-pids"})
        for (const pid_t pid : pids(started))
            EXPECT_FALSE(running(pid)) << started;
}

TEST_F(PdfConverterTest, WithoutABridgeEveryConversionStartsLibreOffice) {
    const struct {
        const char* name;
        const char* bridgeStart; // nullptr: no bridge at all
        const char* listening;
        size_t bridgeStarts;
    } cases[] = {
        {"no bridge", nullptr, "exec sleep 1000", 0},
        {"Python without UNO", "exit 3", "exec sleep 1000", 1},
        {"bridge says something else", "echo Traceback", "exec sleep 1000", 1},
        {"soffice does not listen", "echo loaded; sleep 1000", "exit 0", 1},
    };
    for (const auto& c : cases) {
        fs::remove(file("bridge-pids"));
        setSoffice(c.listening);
        if (c.bridgeStart)
            setBridge(c.bridgeStart, kCopyRequest);
        else
            m_options.unoBridge.clear();
        PdfConverter converter(m_options);
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(convert(converter), "") << c.name;
            EXPECT_EQ(readFile(pdf()), "%PDF one-shot") << c.name;
        }
        EXPECT_EQ(pids("bridge-pids").size(), c.bridgeStarts) << c.name;
    }
}

TEST_F(PdfConverterTest, ThreadsTakeTurns) {
    PdfConverter converter(m_options);
    std::vector<std::thread> threads;
    std::vector<std::string> errors(4);
    for (int i = 0; i < 4; ++i) {
        writeFile(file("doc" + std::to_string(i)), "{\\rtf1 " + std::to_string(i) + "}");
        threads.emplace_back([&, i] {
            try {
                converter.convert(file("doc" + std::to_string(i)), file("out" + std::to_string(i)));
            } catch (const EPdfConversion& e) {
                errors[i] = e.what();
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(errors[i], "");
        EXPECT_EQ(readFile(file("out" + std::to_string(i))),
                  "%PDF {\\rtf1 " + std::to_string(i) + "}");
    }
    EXPECT_EQ(pids("soffice-pids").size(), 1u);
}

TEST_F(PdfConverterTest, ASecondConverterTakesAProfileOfItsOwn) {
    std::string second;
    {
        PdfConverter one(m_options);
        PdfConverter two(m_options);
        ASSERT_EQ(convert(one), "");
        ASSERT_EQ(convert(two), "");
        std::istringstream in(readFile(m_dir.path() / "profiles"));
        std::string first;
        std::getline(in, first);
        std::getline(in, second);
        EXPECT_EQ(first, "-env:UserInstallation=" + fileUrl(m_options.profileDirectory));
        ASSERT_EQ(second.rfind(first + "-", 0), 0u) << second;
    }
    // The private one goes with its converter.
    EXPECT_FALSE(fs::exists(second.substr(std::string("-env:UserInstallation=file://").size())));
}

} // namespace
} // namespace generate::test
