#include "generate/SectionFunctionList.h"

#include "ResumeFixture.h"
#include "generate/FieldAccess.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"

#include <QFile>

#include <gtest/gtest.h>

namespace generate::test {
namespace {

TEST(ArgumentText, ReadsOnlyAVariableArgument) {
    rtfengine::TReportVariable literal;
    literal.setString("HomePhone");
    EXPECT_EQ(argumentText({rtfengine::TUdfArg(&literal)}), "HomePhone");
    EXPECT_EQ(argumentText({}), "");
    EXPECT_EQ(argumentText({rtfengine::TUdfArg()}), "");
}

class SectionFunctionListTest : public ResumeFixture {
protected:
    // Runs `body` as the body of a template over the data module's datasets and
    // returns the written document.
    std::string render(const std::string& body) {
        const QString templatePath = m_dir.filePath("t.rtf");
        const QString outPath = m_dir.filePath("out.doc");
        QFile file(templatePath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string text =
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman Times;}}{\\colortbl;\\red0\\green0\\blue0;}" +
            body + "}";
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();

        rtfengine::TRtfEngine engine;
        engine.setUdfList(&m_list);
        engine.setInFile(templatePath.toStdString());
        engine.setOutFile(outPath.toStdString());
        m_dm->openForGeneration();
        std::vector<rtfengine::Dataset*> datasets;
        for (store::SqlDataset* dataset : m_dm->datasets()) {
            datasets.push_back(dataset);
        }
        engine.generate(datasets);
        QFile out(outPath);
        EXPECT_TRUE(out.open(QIODevice::ReadOnly));
        return out.readAll().toStdString();
    }

    rtfengine::TUdfList m_list;
};

TEST_F(SectionFunctionListTest, RegistersTheEighteenFunctionsInOrder) {
    registerSectionFunctions(m_list, *m_dm);
    struct Expected {
        const char* name;
        int min, max, type;
    };
    const Expected expected[] = {
        {"FormatAddress", 0, 0, 3},
        {"ContactInfo", 0, 1, 3},
        {"Name", 0, 0, 3},
        {"SubHeading", 1, 1, 3},
        {"EducationalHistory", 0, 1, 3},
        {"Objective", 0, 0, 3},
        {"Summary", 0, 0, 3},
        {"Personal", 0, 0, 3},
        {"Keywords", 0, 0, 3},
        {"EmploymentHistory", 0, 1, 3},
        {"Organizations", 0, 1, 3},
        {"Skills", 0, 1, 3},
        {"PersonalReference", 0, 1, 3},
        {"ProfessionalReference", 0, 1, 3},
        {"Honors", 0, 1, 3},
        {"Awards", 0, 1, 3},
        {"Achievement", 0, 1, 3},
        {"ResetQuerys", 0, 0, 1},
    };
    ASSERT_EQ(m_list.count(), 18);
    for (int i = 0; i < 18; ++i) {
        const rtfengine::TUdf& udf = m_list.item(i);
        EXPECT_EQ(udf.name(), expected[i].name) << i;
        EXPECT_EQ(udf.argMinCount(), expected[i].min) << udf.name();
        EXPECT_EQ(udf.argMaxCount(), expected[i].max) << udf.name();
        EXPECT_EQ(static_cast<int>(udf.resultType()), expected[i].type) << udf.name();
        EXPECT_TRUE(static_cast<bool>(udf.OnCalculate)) << udf.name();
    }
}

TEST_F(SectionFunctionListTest, FragmentsReachTheDocumentThroughTheFilter) {
    exec("UPDATE ContactInfo SET FirstName = 'Jos\xc3\xa9', LastName = 'N{u}', "
         "HomePhone = '555-1000'");
    registerSectionFunctions(m_list, *m_dm);
    const std::string document =
        render("\\\\Name()\\\\|\\\\ContactInfo(\"HomePhone\")\\\\|\\\\SubHeading(\"Jobs\")\\\\");

    // The fragment's font joins the document's font table after the template's own.
    EXPECT_NE(document.find("{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}"), std::string::npos);
    EXPECT_NE(document.find("Jos\\'E9  N\\{u\\}"), std::string::npos) << document;
    EXPECT_NE(document.find("555-1000}|"), std::string::npos) << document;
    EXPECT_NE(document.find("Jobs}"), std::string::npos) << document;
}

TEST_F(SectionFunctionListTest, EachCallReadsConfigurationAfresh) {
    registerSectionFunctions(m_list, *m_dm);
    exec("UPDATE Configuration SET NormalTextFontName = 'Courier New', NormalTextFontSize = 9");
    const std::string document = render("\\\\ContactInfo(\"WorkPhone\")\\\\");
    EXPECT_NE(document.find("Courier New;}"), std::string::npos) << document;
    EXPECT_NE(document.find("\\fs18 }"), std::string::npos) << document;
}

TEST_F(SectionFunctionListTest, SwitchedOffQueriesInsertNothing) {
    exec("UPDATE Purpose SET objective = 'A job'");
    exec("INSERT INTO Skills (skill, comments) VALUES ('Management', 'Ten years')");
    registerSectionFunctions(m_list, *m_dm);
    const std::string document = render("[\\\\Objective()\\\\][\\\\Skills(\"Comments\")\\\\]");
    EXPECT_NE(document.find("[][]"), std::string::npos) << document;
}

TEST_F(SectionFunctionListTest, ResetQuerysInsertsNothingAndReopensTheObjective) {
    exec("UPDATE Purpose SET objective = 'A job'");
    registerSectionFunctions(m_list, *m_dm);
    m_dm->ObjectiveQuery.setParameter("ShowItem", 1);
    const std::string document = render("[\\\\ResetQuerys()\\\\]\\\\Objective()\\\\");
    EXPECT_NE(document.find("A job}"), std::string::npos) << document;
    EXPECT_TRUE(m_dm->ObjectiveQuery.isOpen());
    EXPECT_EQ(fieldText(m_dm->ObjectiveQuery, "objective"), "A job");
}

} // namespace
} // namespace generate::test
