// The templates a résumé chooses from, the paper it prints on, and the page of a
// template set on that paper.
#include "generate/ResumeTemplates.h"
#include "generate/DocumentGenerator.h"
#include "store/SqliteConnection.h"

#include "ResumeFixture.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace generate::test {
namespace {

TEST(ResumeTemplates, TheFourInTheirOrderEachWithItsFile) {
    std::vector<std::string> listed;
    for (const ResumeTemplate& t : resumeTemplates())
        listed.push_back(std::string(t.name) + " = " + t.fileName);
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "Contemporary Resume = ContemporaryResume.rtf",
                          "Classic Resume = ClassicResume.rtf",
                          "Compact Resume = CompactResume.rtf",
                          "Modern Resume = ModernResume.rtf",
                      }));
}

TEST(ResumeTemplates, ANameFindsItsTemplateAndAnythingElseTheFirst) {
    const struct {
        const char* name;
        const char* found; // nullptr: no template of that name
    } cases[] = {
        {"Classic Resume", "Classic Resume"},
        {"compact RESUME", "Compact Resume"},
        {"Modern Resume", "Modern Resume"},
        {"", nullptr},
        {"Modern", nullptr},
        {" Classic Resume", nullptr},
    };
    for (const auto& [name, found] : cases) {
        SCOPED_TRACE(name);
        const ResumeTemplate* t = findTemplate(name);
        EXPECT_STREQ(t ? t->name : "(none)", found ? found : "(none)");
        EXPECT_STREQ(templateNamed(name).name, found ? found : "Contemporary Resume");
    }
    EXPECT_EQ(templatePath(templateDirectory("/opt/vc/"), "modern resume"),
              "/opt/vc/templates/ModernResume.rtf");
    EXPECT_EQ(templatePath(templateDirectory("/opt/vc"), "Unknown"),
              "/opt/vc/templates/ContemporaryResume.rtf");
}

TEST(PaperSizes, NamesAndLocales) {
    for (const auto& [name, paper] : std::vector<std::pair<const char*, std::optional<PaperSize>>>{
             {"A4", PaperSize::A4},
             {"a4", PaperSize::A4},
             {"Letter", PaperSize::Letter},
             {"LETTER", PaperSize::Letter},
             {"A5", std::nullopt},
             {"", std::nullopt},
             {"Letter ", std::nullopt}})
        EXPECT_EQ(paperSizeFromName(name), paper) << name;
    EXPECT_STREQ(paperSizeName(PaperSize::A4), "A4");
    EXPECT_STREQ(paperSizeName(PaperSize::Letter), "Letter");

    const struct {
        const char* locale;
        PaperSize paper;
    } locales[] = {
        {"en_US.UTF-8", PaperSize::Letter},
        {"es_US", PaperSize::Letter},
        {"fr_CA.UTF-8", PaperSize::Letter},
        {"es_MX.utf8", PaperSize::Letter},
        {"fil_PH", PaperSize::Letter},
        {"en_us@euro", PaperSize::Letter},
        {"en_GB.UTF-8", PaperSize::A4},
        {"de_DE@euro", PaperSize::A4},
        {"pt_BR.UTF-8", PaperSize::A4},
        {"C", PaperSize::A4},
        {"C.UTF-8", PaperSize::A4},
        {"POSIX", PaperSize::A4},
        {"", PaperSize::A4},
        {"en_USA", PaperSize::A4},
    };
    for (const auto& [locale, paper] : locales)
        EXPECT_EQ(paperSizeForLocale(locale), paper) << locale;
}

// Sets the three locale variables for a test and puts them back after it.
class LocaleVariables {
public:
    LocaleVariables() {
        for (size_t i = 0; i < 3; ++i)
            if (const char* value = std::getenv(kNames[i]))
                m_saved[i] = value;
    }
    ~LocaleVariables() {
        for (size_t i = 0; i < 3; ++i)
            set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    static void set(const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_PAPER", "LANG"};

private:
    std::optional<std::string> m_saved[3];
};

TEST(PaperSizes, TheLocaleForPaperIsLcAllThenLcPaperThenLang) {
    const LocaleVariables restore;
    const struct {
        const char* lcAll;
        const char* lcPaper;
        const char* lang;
        PaperSize paper;
    } cases[] = {
        {"en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", PaperSize::Letter},
        {"", "en_CA.UTF-8", "de_DE.UTF-8", PaperSize::Letter},
        {nullptr, "de_DE.UTF-8", "en_US.UTF-8", PaperSize::A4},
        {nullptr, nullptr, "en_PH.UTF-8", PaperSize::Letter},
        {nullptr, nullptr, nullptr, PaperSize::A4},
    };
    for (const auto& c : cases) {
        LocaleVariables::set("LC_ALL", c.lcAll);
        LocaleVariables::set("LC_PAPER", c.lcPaper);
        LocaleVariables::set("LANG", c.lang);
        EXPECT_EQ(localePaperSize(), c.paper)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcPaper ? c.lcPaper : "-") << ' '
            << (c.lang ? c.lang : "-");
    }
}

constexpr const char* kLetterPage =
    "{\\rtf1\\ansi\\paperw12240\\paperh15840\\margl1440\\margr1080\\margt720"
    "{\\*\\comment \\\\paperw12240 is text}\\sectd\\pgwsxn12240\\pghsxn15840\\marglsxn1440"
    "\\pard Hello\\par}";

TEST(FitToPaper, LetterStaysAsDrawnAndA4KeepsTheTextWidth) {
    EXPECT_EQ(fitToPaper(kLetterPage, PaperSize::Letter), kLetterPage);
    // A4 is 334 twips narrower: each side margin gives half of it.
    EXPECT_EQ(fitToPaper(kLetterPage, PaperSize::A4),
              "{\\rtf1\\ansi\\paperw11906\\paperh16838\\margl1273\\margr913\\margt720"
              "{\\*\\comment \\\\paperw12240 is text}\\sectd\\pgwsxn11906\\pghsxn16838"
              "\\marglsxn1273\\pard Hello\\par}");
    // An A4 document fits back onto Letter.
    EXPECT_EQ(fitToPaper(fitToPaper(kLetterPage, PaperSize::A4), PaperSize::Letter), kLetterPage);
}

TEST(FitToPaper, ATemplateWithoutAPageGetsTheOneItWasReadOn) {
    const struct {
        const char* rtf;
        const char* a4;
    } cases[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Hi\\par}",
         "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\paperw11906\\paperh16838\\margl1633\\margr1633 "
         "\\pard Hi\\par}"},
        {"{\\rtf1\\margl1000\\margr1000 Hi}",
         "{\\rtf1\\margl833\\margr833 \\paperw11906\\paperh16838 Hi}"},
        {"{\\rtf1\\paperw12240\\margl1000\\margr1000\\pard Hi}",
         "{\\rtf1\\paperw11906\\margl833\\margr833\\paperh16838 \\pard Hi}"},
    };
    for (const auto& [rtf, a4] : cases) {
        SCOPED_TRACE(rtf);
        EXPECT_EQ(fitToPaper(rtf, PaperSize::Letter), rtf);
        EXPECT_EQ(fitToPaper(rtf, PaperSize::A4), a4);
    }
}

// The generator over a résumé, with two small templates of its own.
class TemplateChoiceTest : public ResumeFixture {
protected:
    void SetUp() override {
        ResumeFixture::SetUp();
        m_templates = m_dir.filePath(QStringLiteral("templates")).toStdString();
        m_scratch = m_dir.filePath(QStringLiteral("tmp")).toStdString();
        std::filesystem::create_directories(m_templates);
        std::filesystem::create_directories(m_scratch);
        for (const char* name : {"ContemporaryResume", "ClassicResume"})
            ASSERT_TRUE(testsupport::writeFile(m_templates + '/' + name + ".rtf",
                                               std::string("{\\rtf1\\ansi\\paperw12240 ") + name +
                                                   " \\\\Name()\\\\}"));
        m_tmpdir = std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR"))
                                         : std::nullopt;
        ::setenv("TMPDIR", m_scratch.c_str(), 1);
        exec("UPDATE ContactInfo SET FirstName = 'Ada'");
    }
    void TearDown() override {
        if (m_tmpdir)
            ::setenv("TMPDIR", m_tmpdir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        ResumeFixture::TearDown();
    }
    std::string generate(DocumentGenerator& generator) {
        const std::string out = m_dir.filePath(QStringLiteral("out.doc")).toStdString();
        generator.generateDocument(out);
        return testsupport::readFile(out);
    }

    std::string m_templates;
    std::string m_scratch;
    std::optional<std::string> m_tmpdir;
};

TEST_F(TemplateChoiceTest, TheResumeNamesTheTemplateAndThePaper) {
    const LocaleVariables restore;
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    const struct {
        const char* templateName;
        const char* paper; // nullptr: NULL, the locale's (A4 here)
        const char* text;
        const char* width;
    } cases[] = {
        {"Classic Resume", "Letter", "ClassicResume", "\\paperw12240"},
        {"classic resume", "a4", "ClassicResume", "\\paperw11906"},
        {"Nothing of ours", "Letter", "ContemporaryResume", "\\paperw12240"},
        {"", nullptr, "ContemporaryResume", "\\paperw11906"},
        {"Contemporary Resume", "B5", "ContemporaryResume", "\\paperw11906"},
    };
    DocumentGenerator generator(*m_dm, m_templates);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.templateName) + " " + (c.paper ? c.paper : "NULL"));
        exec(QStringLiteral("UPDATE Configuration SET Template = '%1', PaperSize = %2")
                 .arg(c.templateName,
                      c.paper ? QStringLiteral("'%1'").arg(c.paper) : QStringLiteral("NULL")));
        const std::string document = generate(generator);
        EXPECT_NE(document.find(c.text), std::string::npos) << document;
        EXPECT_NE(document.find(c.width), std::string::npos) << document;
        // The fitted copy is gone and the engine names the chosen template.
        EXPECT_TRUE(std::filesystem::is_empty(m_scratch));
        EXPECT_EQ(generator.Export().inFile(), generator.templatePath());
    }
    // What the run is told overrides the résumé.
    generator.setPaperSize(PaperSize::Letter);
    generator.setTemplatePath(m_templates + "/ClassicResume.rtf");
    EXPECT_NE(generate(generator).find("ClassicResume"), std::string::npos);
    EXPECT_NE(generate(generator).find("\\paperw12240"), std::string::npos);
}

TEST_F(TemplateChoiceTest, AReadOnlyOlderFileOpensAndPrintsOnLetter) {
    const LocaleVariables restore;
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    exec("ALTER TABLE Configuration DROP COLUMN PaperSize");
    m_dm.reset();
    m_db.close();
    const std::string path = m_path.toStdString();
    const std::string bytes = testsupport::readFile(path);
    // What SQLite falls back to for a file the user may not write.
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto connection = std::make_shared<store::SqliteConnection>(handle);
    store::checkOpenedResume(handle, path);
    store::TDM dm(connection);
    DocumentGenerator generator(dm, m_templates);
    EXPECT_EQ(generator.paperSize(), PaperSize::Letter);
    const std::string document = generate(generator);
    EXPECT_NE(document.find("ContemporaryResume"), std::string::npos) << document;
    EXPECT_NE(document.find("\\paperw12240"), std::string::npos) << document;
    EXPECT_EQ(testsupport::readFile(path), bytes);
}

} // namespace
} // namespace generate::test
