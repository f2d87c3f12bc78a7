// The résumé document from the data module and the template: the engine configured
// once with the section functions and the scan handler, run over the fifteen
// datasets. Plain C++, so the command-line tool writes documents without Qt; the
// desktop commands build on it.
#pragma once

#include "generate/ResumeTemplates.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/UdfList.h"
#include "store/TDM.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace generate {

// templates/ContemporaryResume.rtf in `dataDirectory`, the program's read-only folder.
std::string defaultTemplatePath(const std::string& dataDirectory);

// What a résumé's document says of itself, from the current row of `contactInfo`:
// the title "Résumé of <first> <last>" and the person as author, so a PDF made from
// it names whose résumé it is. Empty when the résumé has no name yet.
rtfengine::DocumentInformation resumeInformation(rtfengine::Dataset& contactInfo);

class DocumentGenerator {
public:
    // Opens a written document the way the desktop does: its result code as the
    // shell gives it (above 32 for success).
    using DocumentOpener = std::function<int(const std::string& path, int showCommand)>;

    // The résumé chooses its template among those in `templateDirectory`.
    DocumentGenerator(store::TDM& dm, std::string templateDirectory);
    DocumentGenerator(const DocumentGenerator&) = delete;
    DocumentGenerator& operator=(const DocumentGenerator&) = delete;

    // The engine instance and its function list, configured once.
    rtfengine::TRtfEngine& Export() { return m_engine; }
    rtfengine::TUdfList& UdfList1() { return m_functions; }

    // The template file of the next run: the one set here, else the one the résumé
    // names (Configuration.Template) in the templates folder, where an empty or
    // unknown name stands for the first of resumeTemplates().
    std::string templatePath();
    void setTemplatePath(std::string path) { m_templatePath = std::move(path); }
    // The paper of the next run: the one set here, else the résumé's
    // (Configuration.PaperSize). A résumé that has none yet takes the locale's; a file
    // without the column, which only an older file opened read-only is, stays on
    // Letter, the paper it always printed on.
    PaperSize paperSize();
    void setPaperSize(std::optional<PaperSize> paper) { m_paper = paper; }
    // The fifteen datasets the engine receives, alias A (DisplayedOrder) to O.
    std::vector<rtfengine::Dataset*> sectionList();

    // Writes the document to `path`: opens the sixteen datasets, runs the engine over
    // the template and closes them. A failure propagates; the datasets are closed
    // then too, so the next run reads the résumé afresh.
    void generateDocument(const std::string& path);
    // The same, then hands the document to `open` (the engine's own opener when
    // empty).
    void generateAndOpen(const std::string& path, int showCommand, DocumentOpener open);

private:
    // The engine, opening its document through the opener of the run in progress.
    class ExportEngine : public rtfengine::TRtfEngine {
    public:
        DocumentOpener opener;
        int openOutFile(const std::string& fileName, int showCommand) override;
    };

    // Opens the datasets and points the engine at the template, set on the run's
    // paper as it is read, and at `outPath`.
    void prepareRun(const std::string& outPath);
    // The Configuration column's text; nothing when the file has no such column.
    std::optional<std::string> configurationText(std::string_view column);

    store::TDM& m_dm;
    std::string m_templateDirectory;
    std::string m_templatePath;
    std::optional<PaperSize> m_paper;
    rtfengine::TUdfList m_functions;
    ExportEngine m_engine;
};

} // namespace generate
