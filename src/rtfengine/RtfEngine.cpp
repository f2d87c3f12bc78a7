#include "rtfengine/RtfEngine.h"

#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/OutputFile.h"
#include "rtfengine/ProgramRunner.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfText.h"
#include "rtfengine/RunState.h"
#include "rtfengine/ShellResult.h"
#include "rtfengine/Translator.h"
#include "rtfengine/UdfList.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

extern char** environ;

namespace rtfengine {

namespace {

// One "{\word text}" entry of the information group. A line break or tab would
// become a paragraph or tab mark, which a title has no place for: it reads as a
// space.
void appendInformationEntry(std::string& group, std::string_view word, std::string_view text) {
    if (text.empty())
        return;
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\t' || c == '\v' || c == '\f')
            c = ' ';
    }
    group += "{\\";
    group += word;
    group += ' ';
    appendRtfText(group, line);
    group += '}';
}

std::string readTemplate(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        throw EIOError("Can't read report template from file: " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EIOError("Can't read file " + path);
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.bad())
        throw EIOError("Can't read file " + path);
    if (static_cast<uintmax_t>(in.gcount()) < size)
        throw EIOError("Can't read report template from file: " + path);
    return bytes;
}

} // namespace

std::string informationGroup(const DocumentInformation& information) {
    std::string group = "{\\info";
    appendInformationEntry(group, "title", information.title);
    appendInformationEntry(group, "author", information.author);
    group += '}';
    return group;
}

TRtfEngine::TRtfEngine() = default;

TRtfEngine::~TRtfEngine() {
    if (m_udfList)
        m_udfList->detach(this);
}

void TRtfEngine::setUdfList(TUdfList* list) {
    if (list == m_udfList)
        return;
    // A list swapped in the middle of a run would leave the program's function
    // numbers pointing into the wrong list, so none is accepted then.
    if (m_executing)
        throw EIllegalFunctionUse("Can't set UDFList while executing report");
    if (list && list->version() != kVersion)
        throw EIllegalFunctionUse("TRtfEngine version " + std::to_string(kVersion) +
                                  " doesn't equal TUdfList version " +
                                  std::to_string(list->version()));
    if (m_udfList)
        m_udfList->detach(this);
    m_udfList = list;
    if (m_udfList)
        m_udfList->attach(this);
}

void TRtfEngine::udfListDestroyed(TUdfList* list) {
    if (m_udfList == list)
        m_udfList = nullptr;
}

DocumentTables& TRtfEngine::documentTables() {
    if (!m_run)
        throw EEngineError("The document tables exist only while a report is generated");
    return m_run->tables;
}

bool TRtfEngine::tableRowMode() const {
    return m_run && m_run->tableRowMode;
}

void TRtfEngine::insertRtfFragment(std::string& result, std::string_view fragment) {
    rtfengine::insertRtfFragment(documentTables(), tableRowMode(), result, fragment);
}

int TRtfEngine::findVariable(std::string_view name) const {
    return rtfengine::findVariable(m_varList, name);
}

std::string TRtfEngine::variableValue(int index) const {
    return rtfengine::variableValue(m_varList, index);
}

void TRtfEngine::addVariable(std::string_view name, std::string_view text) {
    rtfengine::addVariable(m_varList, name, text);
}

void TRtfEngine::addVariable(std::string_view name, double number) {
    rtfengine::addVariable(m_varList, name, shortestDecimal(number));
}

void TRtfEngine::saveControls(const std::vector<Dataset*>& datasets) {
    for (Dataset* d : datasets)
        if (d)
            d->disableControls();
}

void TRtfEngine::restoreControls(const std::vector<Dataset*>& datasets) {
    for (Dataset* d : datasets)
        if (d)
            d->enableControls();
}

void TRtfEngine::generate(const std::vector<Dataset*>& datasets) {
    runGuarded(datasets, {});
}

void TRtfEngine::generateAndOpen(const std::vector<Dataset*>& datasets, int showCommand) {
    runGuarded(datasets, [&] {
        const int result = openOutFile(m_outFile, showCommand);
        if (result <= 32)
            throw EIOError("Failed to open report results. Error message: " +
                           shellResultText(result));
    });
}

void TRtfEngine::runGuarded(const std::vector<Dataset*>& datasets,
                            const std::function<void()>& afterCore) {
    m_executeSuccessful = true;
    m_lastErrMsg = "No errors.";
    bool saved = false;
    try {
        if (m_disableControls) {
            saveControls(datasets);
            saved = true;
        }
        runCore(datasets);
        if (afterCore)
            afterCore();
        if (OnFinished)
            OnFinished(*this);
    } catch (const std::exception& e) {
        m_executeSuccessful = false;
        m_lastErrMsg = e.what();
        if (saved) {
            try {
                restoreControls(datasets);
            } catch (...) {
                // The run's own failure is the one to report.
            }
        }
        throw;
    }
    if (saved)
        restoreControls(datasets);
}

void TRtfEngine::runCore(const std::vector<Dataset*>& datasets) {
    m_run = std::make_unique<RunState>(*this, datasets);
    m_executing = true;
    OutputFile working;
    OutputFile document;
    try {
        RunState& run = *m_run;
        run.templateBytes = readTemplate(m_inFile);
        if (run.templateBytes.compare(0, 5, "{\\rtf") != 0)
            throw EBadRtfFormat("Template is not RTF file.");
        if (m_templateFilter)
            run.templateBytes = m_templateFilter(std::move(run.templateBytes));
        std::error_code ec;
        std::filesystem::remove(m_outFile, ec);
        Translator(run).translate();
        working.createTemporary();
        ProgramRunner(run, working).run();
        RecordedPlace last;
        last.start = run.places.empty() ? 0 : run.places.back().offset;
        last.offset = working.size();
        run.places.push_back(last);

        document.create(m_outFile);
        std::string table;
        for (const RecordedPlace& place : run.places) {
            working.copyRange(place.start, place.offset, document);
            table.clear();
            switch (place.kind) {
            case RecordedPlace::Kind::FontTable:
                // Carries the merged colours too when the template had no colour
                // table of its own.
                writeFontTable(run.tables, table);
                break;
            case RecordedPlace::Kind::ColorTable:
                writeColorTable(run.tables, table);
                break;
            case RecordedPlace::Kind::Stylesheet:
                writeStylesheet(run.tables, table);
                break;
            case RecordedPlace::Kind::Info:
                table = informationGroup(m_information);
                break;
            case RecordedPlace::Kind::None:
                break;
            }
            document.write(table);
        }
        document.close();
    } catch (...) {
        working.remove();
        try {
            document.close();
        } catch (...) {
        }
        m_run.reset();
        m_executing = false;
        throw;
    }
    working.remove();
    m_run.reset();
    m_executing = false;
}

int TRtfEngine::openOutFile(const std::string& fileName, int /*showCommand*/) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        return kShellFileNotFound;
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(fileName.c_str()), nullptr};
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0)
        return kShellNoAssociation;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return 0;
    }
    if (!WIFEXITED(status))
        return 0;
    switch (WEXITSTATUS(status)) {
    case 0:
        return kShellSuccess;
    case 2:
        return kShellFileNotFound;
    case 127:
    case 3:
    case 4:
        return kShellNoAssociation;
    default:
        return 1;
    }
}

std::string TRtfEngine::shellResultText(int code) {
    switch (code) {
    case 0:
        return "The operating system is out of memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied access to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred.";
    case 27:
        return "The filename association is incomplete or invalid.";
    case 28:
        return "The DDE transaction could not be completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not be completed because other DDE transactions were "
               "being processed.";
    case 31:
        return "There is no application associated with the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default:
        return "Reason unknown.";
    }
}

} // namespace rtfengine
