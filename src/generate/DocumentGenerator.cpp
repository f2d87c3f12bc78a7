#include "generate/DocumentGenerator.h"

#include "generate/FieldAccess.h"
#include "generate/SectionFunctionList.h"
#include "generate/SectionScan.h"
#include "rtfengine/Scans.h"

namespace generate {

std::string defaultTemplatePath(const std::string& dataDirectory) {
    return templatePath(templateDirectory(dataDirectory), resumeTemplates().front().name);
}

rtfengine::DocumentInformation resumeInformation(rtfengine::Dataset& contactInfo) {
    contactInfo.first();
    std::string person = fieldText(contactInfo, "FirstName");
    const std::string last = fieldText(contactInfo, "LastName");
    if (!person.empty() && !last.empty())
        person += ' ';
    person += last;
    if (person.empty())
        return {};
    return {"R\xC3\xA9sum\xC3\xA9 of " + person, person};
}

int DocumentGenerator::ExportEngine::openOutFile(const std::string& fileName, int showCommand) {
    return opener ? opener(fileName, showCommand) : TRtfEngine::openOutFile(fileName, showCommand);
}

DocumentGenerator::DocumentGenerator(store::TDM& dm, std::string templateDirectory)
    : m_dm(dm), m_templateDirectory(std::move(templateDirectory)) {
    registerSectionFunctions(m_functions, m_dm);
    m_engine.setCharset(1);
    m_engine.setLang(1033);
    m_engine.setVarList({"AddressString=''", "YearFormat=yyyy"});
    m_engine.setTrueValue("True");
    m_engine.setFalseValue("False");
    m_engine.setDisableControls(true);
    m_engine.setOptions(
        {rtfengine::TRtfOption::eoGraphicsBinary, rtfengine::TRtfOption::eoDotAsColon});
    m_engine.setUdfList(&m_functions);
    m_engine.OnScanRecord = [this](rtfengine::TScanInfo& scanInfo) {
        ExportScanRecord(m_dm, scanInfo.dataSet);
    };
    m_engine.setOutFile("temp.doc");
}

std::vector<rtfengine::Dataset*> DocumentGenerator::sectionList() {
    return {&m_dm.DisplayedOrder,
            &m_dm.ContactInfo,
            &m_dm.EducationalHistory,
            &m_dm.ObjectiveQuery,
            &m_dm.EmploymentHistory,
            &m_dm.SummaryQuery,
            &m_dm.PersonalQuery,
            &m_dm.KeywordsQuery,
            &m_dm.OrganizationsQuery,
            &m_dm.SkillsQuery,
            &m_dm.PersonalReferencesQuery,
            &m_dm.ProfessionalReferencesQuery,
            &m_dm.HonorsQuery,
            &m_dm.AwardsQuery,
            &m_dm.AchievementQuery};
}

namespace {

// Closes the datasets however a run ends. A run that failed half-way would
// otherwise leave them open on the rows it had read, and the next run, finding
// them open, would print that old data instead of the résumé as it is now.
class DatasetsOfRun {
public:
    explicit DatasetsOfRun(store::TDM& dm) : m_dm(dm) {}
    ~DatasetsOfRun() { m_dm.closeAfterGeneration(); }
    DatasetsOfRun(const DatasetsOfRun&) = delete;
    DatasetsOfRun& operator=(const DatasetsOfRun&) = delete;

private:
    store::TDM& m_dm;
};

} // namespace

std::optional<std::string> DocumentGenerator::configurationText(std::string_view column) {
    store::SqlDataset& configuration = m_dm.Configuration;
    const bool wasOpen = configuration.isOpen();
    configuration.open();
    std::optional<std::string> text;
    if (findField(configuration, column))
        text = fieldText(configuration, column);
    if (!wasOpen)
        configuration.close();
    return text;
}

std::string DocumentGenerator::templatePath() {
    if (!m_templatePath.empty())
        return m_templatePath;
    return generate::templatePath(m_templateDirectory,
                                  configurationText("Template").value_or(std::string()));
}

PaperSize DocumentGenerator::paperSize() {
    if (m_paper)
        return *m_paper;
    const std::optional<std::string> stored = configurationText("PaperSize");
    if (!stored)
        return PaperSize::Letter;
    return paperSizeFromName(*stored).value_or(localePaperSize());
}

void DocumentGenerator::prepareRun(const std::string& outPath) {
    m_dm.openForGeneration();
    m_engine.setInformation(resumeInformation(m_dm.ContactInfo));
    m_engine.setInFile(templatePath());
    m_engine.setTemplateFilter(
        [paper = paperSize()](std::string rtf) { return fitToPaper(rtf, paper); });
    m_engine.setOutFile(outPath);
}

void DocumentGenerator::generateDocument(const std::string& path) {
    const DatasetsOfRun datasets(m_dm);
    prepareRun(path);
    m_engine.generate(sectionList());
}

void DocumentGenerator::generateAndOpen(const std::string& path, int showCommand,
                                        DocumentOpener open) {
    const DatasetsOfRun datasets(m_dm);
    prepareRun(path);
    struct OpenerInUse {
        ExportEngine& engine;
        ~OpenerInUse() { engine.opener = nullptr; }
    } inUse{m_engine};
    m_engine.opener = std::move(open);
    m_engine.generateAndOpen(sectionList(), showCommand);
}

} // namespace generate
