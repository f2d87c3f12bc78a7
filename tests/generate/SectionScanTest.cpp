#include "generate/SectionScan.h"
#include "generate/FieldAccess.h"

#include "ResumeFixture.h"

#include <gtest/gtest.h>

namespace generate::test {
namespace {

class SectionScanTest : public ResumeFixture {
protected:
    // The names of the section queries whose ShowItem is 1.
    std::vector<std::string> switchedOn() {
        std::vector<std::string> names;
        for (store::SqlDataset* query : m_dm->sectionQueries()) {
            if (query->parameter("ShowItem") == 1) {
                names.push_back(query->name());
            }
        }
        return names;
    }
};

TEST_F(SectionScanTest, SwitchesOnExactlyTheQueryOfTheCurrentSection) {
    struct Case {
        QString section;
        std::vector<std::string> on;
    };
    const Case cases[] = {
        {"Objective", {"ObjectiveQuery"}},
        {"Summary", {"SummaryQuery"}},
        {"Personal", {"PersonalQuery"}},
        {"Keywords", {"KeywordsQuery"}},
        {"Educational History", {"EducationalHistory"}},
        {"Employment History", {"EmploymentHistory"}},
        {"Professional References", {"ProfessionalReferencesQuery"}},
        {"Personal References", {"PersonalReferencesQuery"}},
        {"Organizations", {"OrganizationsQuery"}},
        {"Skills", {"SkillsQuery"}},
        {"Honors", {"HonorsQuery"}},
        {"Awards", {"AwardsQuery"}},
        {"Achievements", {"AchievementQuery"}},
        {"skills", {}},
        {"Skills ", {}},
        {"Achievement", {}},
        {"", {}},
    };
    m_dm->openForGeneration();
    for (const Case& c : cases) {
        setDisplayedOrder({c.section});
        m_dm->DisplayedOrder.close();
        m_dm->DisplayedOrder.open();
        ExportScanRecord(*m_dm, &m_dm->DisplayedOrder);
        EXPECT_EQ(switchedOn(), c.on) << c.section.toStdString();
        for (store::SqlDataset* query : m_dm->sectionQueries()) {
            EXPECT_TRUE(query->isOpen()) << query->name();
        }
    }
}

TEST_F(SectionScanTest, FollowsTheRowsOfDisplayedOrder) {
    exec("INSERT INTO Skills (skill) VALUES ('Management')");
    exec("INSERT INTO EmploymentHistory (Company) VALUES ('Acme')");
    exec("UPDATE Purpose SET objective = 'A job'");
    setDisplayedOrder({"Skills", "Objective", "Employment History", "Skills"});
    m_dm->openForGeneration();

    std::vector<std::string> passes;
    for (m_dm->DisplayedOrder.first(); !m_dm->DisplayedOrder.eof(); m_dm->DisplayedOrder.next()) {
        ExportScanRecord(*m_dm, &m_dm->DisplayedOrder);
        std::string withRows;
        for (store::SqlDataset* query : m_dm->sectionQueries()) {
            if (!query->eof()) {
                withRows += query->name() + ";";
            }
        }
        passes.push_back(withRows);
    }
    EXPECT_EQ(passes, (std::vector<std::string>{"SkillsQuery;", "ObjectiveQuery;",
                                                "EmploymentHistory;", "SkillsQuery;"}));
}

TEST_F(SectionScanTest, LeavesANestedScanOverASectionQueryWhereItIs) {
    exec("INSERT INTO Skills (skill) VALUES ('First'), ('Second'), ('Third')");
    setDisplayedOrder({"Skills"});
    m_dm->openForGeneration();
    m_dm->DisplayedOrder.first();
    ExportScanRecord(*m_dm, &m_dm->DisplayedOrder);

    std::vector<std::string> printed;
    store::SqlDataset& skills = m_dm->SkillsQuery;
    // Bounded: a handler that restarted the scan would print the first entry forever.
    for (skills.first(); !skills.eof() && printed.size() < 10; skills.next()) {
        ExportScanRecord(*m_dm, &skills);
        printed.push_back(fieldText(skills, "skill"));
    }
    EXPECT_EQ(printed, (std::vector<std::string>{"First", "Second", "Third"}));
}

TEST_F(SectionScanTest, AnEmptyDisplayedOrderSwitchesEveryQueryOff) {
    setDisplayedOrder({"Skills"});
    m_dm->openForGeneration();
    m_dm->DisplayedOrder.first();
    ExportScanRecord(*m_dm, &m_dm->DisplayedOrder);
    ASSERT_EQ(switchedOn(), std::vector<std::string>{"SkillsQuery"});

    m_dm->DisplayedOrder.next();
    ASSERT_TRUE(m_dm->DisplayedOrder.eof());
    ExportScanRecord(*m_dm, &m_dm->DisplayedOrder);
    EXPECT_TRUE(switchedOn().empty());
}

TEST_F(SectionScanTest, ADisplayedOrderWithoutSectionColumnFails) {
    exec("DROP TABLE DisplayedOrder");
    exec("CREATE TABLE DisplayedOrder (Name TEXT)");
    exec("INSERT INTO DisplayedOrder VALUES ('Skills')");
    m_dm->openForGeneration();
    m_dm->DisplayedOrder.first();
    EXPECT_THROW(ExportScanRecord(*m_dm, &m_dm->DisplayedOrder), EFieldNotFound);
}

TEST_F(SectionScanTest, ResetObjectiveQueryKeepsItsSwitch) {
    exec("UPDATE Purpose SET objective = 'A job'");
    m_dm->ObjectiveQuery.setParameter("ShowItem", 1);
    m_dm->ObjectiveQuery.open();
    m_dm->ObjectiveQuery.next();
    ASSERT_TRUE(m_dm->ObjectiveQuery.eof());
    resetObjectiveQuery(*m_dm);
    ASSERT_FALSE(m_dm->ObjectiveQuery.eof());
    EXPECT_EQ(fieldText(m_dm->ObjectiveQuery, "objective"), "A job");
    EXPECT_EQ(m_dm->ObjectiveQuery.parameter("ShowItem"), 1);
}

} // namespace
} // namespace generate::test
