// The steps every PDF conversion shares, whether LibreOffice is started for it or
// already listening: a private folder for the document, the messages, and the
// checks before the PDF replaces the target.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace generate::pdfsteps {

// A folder of our own for one conversion: LibreOffice names its output after the
// input, and nothing else may be there to be mistaken for it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Copies `documentPath` into `scratch` as document.rtf and returns the copy: an RTF
// document under a .doc name is read as RTF all the same, and the plain name keeps
// the output's name predictable.
std::filesystem::path copyDocument(const std::string& documentPath, const ScratchFolder& scratch);

// The EPdfConversion message for a conversion stopped after `limit`.
std::string timeLimitMessage(std::chrono::milliseconds limit);

// The EPdfConversion message when LibreOffice reports failure or writes nothing.
inline constexpr const char* kCouldNotConvert =
    "LibreOffice could not convert the document to PDF.";

// Replaces `pdfPath` with `written`, after checking that LibreOffice wrote it and
// that it is a PDF (LibreOffice reports success even when it could not read the
// document); raises EPdfConversion and leaves `pdfPath` alone otherwise.
void deliverPdf(const std::filesystem::path& written, const std::string& pdfPath);

// Starts `arguments` (the program first) in a process group of its own, so that it
// and every helper it starts can be ended together. `channel` becomes its standard
// input and output (/dev/null when -1); its errors go to /dev/null. Returns the
// process id, or -1 when it cannot be started.
pid_t spawnInOwnGroup(const std::vector<std::string>& arguments, int channel);

} // namespace generate::pdfsteps
