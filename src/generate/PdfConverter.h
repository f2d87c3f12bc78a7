// PDF conversions that keep one LibreOffice listening after the first, so that only
// the first pays for starting it. Plain C++, for the command-line tool and the
// desktop program alike.
#pragma once

#include "generate/PdfConversion.h"

#include <memory>
#include <mutex>
#include <string>

namespace generate {

class PdfConverter {
public:
    explicit PdfConverter(PdfConversionOptions options);
    // Asks the listening LibreOffice to quit, and ends it (and every process it
    // started) when it does not.
    ~PdfConverter();
    PdfConverter(const PdfConverter&) = delete;
    PdfConverter& operator=(const PdfConverter&) = delete;

    // What convertToPdf does, with the same messages and the same time limit for each
    // call, through the listening LibreOffice: started on the first call, and again
    // on the next call after it ended. Where it cannot be used (no helper, Python
    // without the UNO bridge, a LibreOffice that does not listen) every call starts
    // LibreOffice for itself. One conversion at a time; callable from any thread.
    void convert(const std::string& documentPath, const std::string& pdfPath);

private:
    class Instance;
    class ProfileLock;

    const std::string& profile();
    void convertOneShot(const std::string& documentPath, const std::string& pdfPath,
                        std::chrono::milliseconds limit);
    void stopInstance(bool politely);

    const PdfConversionOptions m_options;
    std::mutex m_mutex;
    std::unique_ptr<ProfileLock> m_profile;
    std::unique_ptr<Instance> m_instance;
    bool m_keepAliveFailed = false;
};

} // namespace generate
