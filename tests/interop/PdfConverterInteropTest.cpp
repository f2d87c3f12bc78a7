// Two documents through one PdfConverter and the real LibreOffice: the second is
// served by the instance the first started; after that instance crashed, the
// next conversion starts another; and none is left when the converter ends.
#include "generate/PdfConverter.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>

namespace {

using testsupport::commandOutput;

// The listening soffice this process started, or an empty string. (The bracket
// keeps the pattern from matching the shell that runs pgrep.)
std::string listeningSoffice() {
    const std::string pid = commandOutput("pgrep -P " + std::to_string(::getpid()) +
                                          " -f -- '--accept=pipe[,]name=vitacraft'");
    return pid.substr(0, pid.find('\n'));
}

TEST(PdfConverterInterop, LaterConversionsUseTheListeningInstance) {
    if (commandOutput("command -v soffice").empty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const testsupport::TempDir dir;
    generate::PdfConversionOptions options = generate::defaultPdfConversionOptions();
    options.unoBridge = VITACRAFT_BIN_DIR "/libreoffice-bridge.py";
    {
        generate::PdfConverter converter(options);
        const char* texts[] = {"First document", "Second document", "Third document"};
        for (int i = 0; i < 3; ++i) {
            const std::string rtf = (dir.path() / ("d" + std::to_string(i) + ".doc")).string();
            const std::string pdf = (dir.path() / ("d" + std::to_string(i) + ".pdf")).string();
            testsupport::writeFile(rtf, std::string("{\\rtf1\\ansi ") + texts[i] + "\\par}");
            ASSERT_NO_THROW(converter.convert(rtf, pdf)) << texts[i];
            EXPECT_NE(commandOutput("pdftotext '" + pdf + "' -").find(texts[i]), std::string::npos);
            const std::string soffice = listeningSoffice();
            ASSERT_NE(soffice, "") << "no LibreOffice kept listening after " << texts[i];
            // After the second, LibreOffice's own process crashes.
            if (i == 1)
                commandOutput("pkill -KILL -P " + soffice + " soffice.bin");
        }
    }
    EXPECT_EQ(listeningSoffice(), "");
}

} // namespace
