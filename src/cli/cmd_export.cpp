// vitacraft-cli export RESUME OUT [--template NAME|FILE] [--paper a4|letter] [--pdf]:
// generates the résumé document of RESUME into OUT, as "Export Resume as..." does,
// without a display; the options replace the résumé's template and paper for this
// run. A PDF through LibreOffice when OUT ends in .pdf or --pdf is given. OUT may not
// be RESUME, the template, or a database of the program's own.
#include "cli/Command.h"

#include "generate/DocumentGenerator.h"
#include "generate/ExportTarget.h"
#include "generate/PdfConverter.h"
#include "platform/ProgramFolders.h"
#include "rtfengine/Ascii.h"
#include "store/SqliteConnection.h"
#include "store/TDM.h"

#include <cstdio>
#include <optional>

namespace {

bool namesPdf(const std::string& path) {
    if (path.size() < 4)
        return false;
    return rtfengine::equalsIgnoringAsciiCase(std::string_view(path).substr(path.size() - 4),
                                              ".pdf");
}

// The document goes to a scratch file beside OUT first, so a failed conversion
// leaves OUT as it was.
void writePdf(generate::DocumentGenerator& generator, const std::string& out) {
    const std::string document = out + ".vitacraft-rtf";
    try {
        generator.generateDocument(document);
        // One conversion per run, through the same path as the desktop program's.
        generate::PdfConverter(generate::defaultPdfConversionOptions()).convert(document, out);
    } catch (...) {
        std::remove(document.c_str());
        throw;
    }
    std::remove(document.c_str());
}

int runExport(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<std::string> templatePath;
    std::optional<generate::PaperSize> paper;
    bool pdf = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--template") {
            if (i + 1 == args.size() || templatePath) {
                return cli::usageError("export");
            }
            templatePath = args[++i];
        } else if (args[i] == "--paper") {
            if (i + 1 == args.size() || paper || !(paper = generate::paperSizeFromName(args[++i])))
                return cli::usageError("export");
        } else if (args[i] == "--pdf") {
            pdf = true;
        } else if (args[i].rfind("--", 0) == 0) {
            return cli::usageError("export");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        return cli::usageError("export");
    }

    const std::string& resume = positional[0];
    const std::string& out = positional[1];
    const platform::ProgramFolders folders = platform::runningProgramFolders();
    const std::string data = folders.data.string();
    const std::string writable = folders.writable.string();
    const std::string templates = generate::templateDirectory(data);
    // A template's name stands for its file; anything else is a file of the user's.
    if (templatePath && generate::findTemplate(*templatePath))
        templatePath = generate::templatePath(templates, *templatePath);
    // Before the résumé is even opened: an OUT that names a database would lose it.
    generate::checkExportTarget(
        out, resume, templatePath.value_or(generate::defaultTemplatePath(data)), data, writable);
    store::TDM dm(store::openResumeFile(resume));
    generate::DocumentGenerator generator(dm, templates);
    if (templatePath)
        generator.setTemplatePath(*templatePath);
    generator.setPaperSize(paper);
    // The résumé's own template is known only now.
    generate::checkExportTarget(out, resume, generator.templatePath(), data, writable);
    if (pdf || namesPdf(out)) {
        writePdf(generator, out);
        return cli::kExitOk;
    }
    generator.generateDocument(out);
    return cli::kExitOk;
}

const cli::CommandRegistration registration({
    "export",
    "RESUME OUT [--template NAME|FILE] [--paper a4|letter] [--pdf]",
    "writes the résumé document of RESUME to OUT (in the résumé's template and paper unless "
    "given); a PDF when OUT ends in .pdf or --pdf is given",
    runExport,
});

} // namespace
