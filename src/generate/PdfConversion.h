// Turning a written document into PDF through a headless LibreOffice, without Qt, so
// the command-line tool can do it. The call waits for the conversion: LibreOffice
// runs in a process group of its own that is killed when the time limit passes.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

namespace generate {

// A conversion that did not give a PDF; the message says why, for the user.
class EPdfConversion : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message when no LibreOffice is installed.
inline constexpr const char* kNoLibreOffice = "PDF needs LibreOffice Writer. Install the package "
                                              "libreoffice-writer (or libreoffice-writer-nogui).";

struct PdfConversionOptions {
    // The soffice program; empty when none was found.
    std::string soffice;
    // LibreOffice's own settings folder for our conversions, made on first use: the
    // user's own LibreOffice may be open, and would otherwise take the request.
    std::string profileDirectory;
    std::chrono::milliseconds timeLimit{std::chrono::seconds(60)};
    // The helper that keeps one LibreOffice listening for a PdfConverter's later
    // conversions; empty when every conversion is to start LibreOffice itself.
    std::string unoBridge;
};

// The helper's name in the program's data folder.
inline constexpr const char* kUnoBridgeName = "libreoffice-bridge.py";

// The soffice to use: $VITACRAFT_SOFFICE when set (tests point it at a stand-in),
// otherwise the first executable soffice on $PATH; empty when there is none.
std::string findSoffice();

// $XDG_CACHE_HOME (or ~/.cache) followed by vitacraft/libreoffice-profile.
std::string defaultProfileDirectory();

// The options above: findSoffice, defaultProfileDirectory, 60 seconds, and the
// helper of the running program's data folder when it is there. A stand-in soffice
// chosen through $VITACRAFT_SOFFICE gets no helper: it only knows --convert-to.
PdfConversionOptions defaultPdfConversionOptions();

// "file://" and `path` with every byte but letters, digits, "/", "-", "_", "." and
// "~" percent-encoded, as LibreOffice reads a folder's address.
std::string fileUrl(const std::string& path);

// Converts the RTF document `documentPath` into the PDF `pdfPath`, replacing it.
// Raises EPdfConversion when soffice is missing (kNoLibreOffice), fails, runs past
// the time limit, or leaves no file starting with "%PDF" (LibreOffice exits 0 even
// when it could not read the document). `pdfPath` is not touched then.
void convertToPdf(const std::string& documentPath, const std::string& pdfPath,
                  const PdfConversionOptions& options);

} // namespace generate
