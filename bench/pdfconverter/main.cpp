// vitacraft-pdf-bench DOCUMENT OUTDIR COUNT: converts DOCUMENT to PDF COUNT times
// through one PdfConverter, as the desktop program does over a session, and prints
// each conversion's seconds on a line of its own (the first includes starting
// LibreOffice), then the seconds the converter took to end it.
#include "generate/PdfConverter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vitacraft-pdf-bench DOCUMENT OUTDIR COUNT\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point from) {
        return std::chrono::duration<double>(Clock::now() - from).count();
    };
    const int count = std::atoi(argv[3]);
    try {
        auto converter =
            std::make_unique<generate::PdfConverter>(generate::defaultPdfConversionOptions());
        for (int i = 0; i < count; ++i) {
            const auto start = Clock::now();
            converter->convert(argv[1], std::string(argv[2]) + "/" + std::to_string(i) + ".pdf");
            std::printf("%.3f\n", seconds(start));
        }
        const auto start = Clock::now();
        converter.reset();
        std::printf("%.3f\n", seconds(start));
    } catch (const generate::EPdfConversion& e) {
        std::fprintf(stderr, "vitacraft-pdf-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
