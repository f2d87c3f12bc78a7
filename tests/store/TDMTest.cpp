#include "store/TDM.h"

#include "store/qt/Connection.h"
#include "support/QtPrinters.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& name : names)
        all += (all.empty() ? "" : " ") + name;
    return all;
}

} // namespace

namespace {

using store::SqlDataset;
using store::TDM;

class TDMTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("r.vcw"));
        store::createBlankResume(path);
        m_db = store::connection(QStringLiteral("tdm-test"));
        store::openResume(m_db, path);
        m_dm = std::make_unique<TDM>(store::statementsOf(m_db));
    }
    void TearDown() override {
        m_dm.reset();
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("tdm-test"));
    }
    void exec(const QString& sql) {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    // The values of one column over all rows, after opening with ShowItem = 1.
    QStringList rows(SqlDataset& ds, int column = 0) {
        ds.close();
        ds.setParameter("ShowItem", 1);
        ds.open();
        QStringList values;
        for (ds.first(); !ds.eof(); ds.next())
            values << QString::fromStdString(ds.field(column).asString());
        ds.close();
        return values;
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    std::unique_ptr<TDM> m_dm;
};

TEST_F(TDMTest, ResultColumnNames) {
    const struct {
        const char* dataset;
        const char* columns;
    } cases[] = {
        {"EducationalHistory", "Institution URL DateFrom DateTo Degree YearAwarded InAllPublished "
                               "StillAttending Comment EducationalHistory"},
        {"EmploymentHistory", "Company Position City Country URL DateFrom DateTo StillEmployed "
                              "InAllPublished comments EmploymentHistory"},
        {"ObjectiveQuery", "objective"},
        {"SummaryQuery", "purpose.summary Configuration.Summary"},
        {"PersonalQuery", "purpose.personal Configuration.Personal"},
        {"KeywordsQuery", "keyword Keywords"},
        {"SkillsQuery", "skill comments InAllPublished Skills"},
        {"OrganizationsQuery", "Name DateFrom DateTo Comments InAllPublished Organizations"},
        {"HonorsQuery", "Type Title Date Comments InAllPubliched Honors"},
        {"AwardsQuery", "Type Title Date Comments InAllPubliched Awards"},
        {"AchievementQuery", "Type Title Date Comments InAllPubliched Archievements"},
        {"PersonalReferencesQuery", "Type Name Title Organization AddressLine1 AddressLine2 City "
                                    "Phone Email InAllPublished PersonalReferences"},
        {"ProfessionalReferencesQuery", "Type Name Title Organization AddressLine1 AddressLine2 "
                                        "City Phone Email InAllPublished ProfessionalReferences"},
        {"DisplayedOrder", "Section"},
    };
    ASSERT_EQ(m_dm->datasets().size(), 16u);
    for (const auto& c : cases) {
        SqlDataset* ds = m_dm->dataset(c.dataset);
        ASSERT_NE(ds, nullptr) << c.dataset;
        ds->open();
        EXPECT_EQ(joined(ds->columnNames()), c.columns) << c.dataset;
        ds->close();
    }
    m_dm->Configuration.open();
    EXPECT_EQ(m_dm->Configuration.columnNames().size(), 26u);
    m_dm->ContactInfo.open();
    EXPECT_EQ(m_dm->ContactInfo.columnNames().front(), "FirstName");
    EXPECT_EQ(m_dm->dataset("summaryquery"), &m_dm->SummaryQuery);
    EXPECT_EQ(m_dm->dataset("NoSuchQuery"), nullptr);
}

TEST_F(TDMTest, SectionQueriesHaveRowsOnlyWhileShowItemIsOne) {
    exec(
        "UPDATE Purpose SET objective = 'Lead', summary = 'Sum', personal = 'Me', keyword = 'C++'");
    exec("INSERT INTO EducationalHistory (Institution) VALUES ('Uni')");
    exec("INSERT INTO EmploymentHistory (Company, Position) VALUES ('Acme', 'Boss')");
    exec("INSERT INTO Skills (skill) VALUES ('Writing')");
    exec("INSERT INTO Organizations (Name) VALUES ('Club')");
    exec("INSERT INTO Honors (Type, Title) VALUES ('Honor', 'H'), ('Award', 'A'), "
         "('Achievement', 'X')");
    exec("INSERT INTO refer (Type, Name) VALUES ('personal', 'P'), ('professional', 'Q')");

    const auto queries = m_dm->sectionQueries();
    ASSERT_EQ(queries.size(), 13u);
    for (SqlDataset* q : queries) {
        SCOPED_TRACE(q->name());
        EXPECT_EQ(q->parameter("ShowItem"), 0);
        q->open();
        EXPECT_TRUE(q->eof());
        ASSERT_GT(q->fieldCount(), 0);
        EXPECT_EQ(q->field(0).asString(), "");
        q->close();
        // The value set last is kept across closing, as the next run relies on.
        EXPECT_EQ(rows(*q).size(), 1);
        EXPECT_EQ(q->parameter("ShowItem"), 1);
        q->setParameter("ShowItem", 0);
        q->open();
        EXPECT_TRUE(q->eof());
        q->close();
    }
    EXPECT_FALSE(m_dm->DisplayedOrder.hasParameter("ShowItem"));
    EXPECT_EQ(rows(m_dm->SummaryQuery, 1), QStringList{"Summary"});
    EXPECT_EQ(rows(m_dm->KeywordsQuery, 0), QStringList{"C++"});
}

TEST_F(TDMTest, OnlyEntriesPublishedTrueAppearInEntryOrder) {
    exec("INSERT INTO Skills (skill, InAllPublished) VALUES ('b', 'True'), ('no', 'False'), "
         "('empty', ''), ('null', NULL), ('lower', 'true'), ('a', 'True')");
    EXPECT_EQ(rows(m_dm->SkillsQuery), (QStringList{"b", "a"}));
    exec("INSERT INTO Honors (Type, Title, InAllPubliched) VALUES ('Honor', 'kept', 'True'), "
         "('Honor', 'hidden', 'False')");
    EXPECT_EQ(rows(m_dm->HonorsQuery, 1), QStringList{"kept"});
    exec("INSERT INTO EducationalHistory (Institution, InAllPublished) VALUES ('x', 'False'), "
         "('y', 'True')");
    EXPECT_EQ(rows(m_dm->EducationalHistory), QStringList{"y"});
}

TEST_F(TDMTest, EntryTypesCompareIgnoringCase) {
    exec("INSERT INTO Honors (Type, Title) VALUES ('Honor', 'h1'), ('HONOR', 'h2'), "
         "('award', 'a1'), ('Achievement', 'x1'), ('Honour', 'none')");
    exec("INSERT INTO refer (Type, Name) VALUES ('personal', 'p1'), ('Professional', 'q1'), "
         "('PERSONAL', 'p2'), ('friend', 'none')");
    const struct {
        SqlDataset* query;
        int column;
        QStringList expected;
    } cases[] = {
        {&m_dm->HonorsQuery, 1, {"h1", "h2"}},
        {&m_dm->AwardsQuery, 1, {"a1"}},
        {&m_dm->AchievementQuery, 1, {"x1"}},
        {&m_dm->PersonalReferencesQuery, 1, {"p1", "p2"}},
        {&m_dm->ProfessionalReferencesQuery, 1, {"q1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(*c.query, c.column), c.expected) << c.query->name();
}

TEST_F(TDMTest, DisplayedOrderKeepsInsertionOrderAndDatesReadAsDates) {
    exec("DELETE FROM DisplayedOrder");
    for (const char* s : {"Skills", "Awards", "Objective", "honors"})
        exec(QStringLiteral("insert into DisplayedOrder values('%1')").arg(s));
    EXPECT_EQ(rows(m_dm->DisplayedOrder), (QStringList{"Skills", "Awards", "Objective", "honors"}));

    exec("INSERT INTO Organizations (Name, DateFrom) VALUES ('Club', '2019-07-01')");
    SqlDataset& q = m_dm->OrganizationsQuery;
    q.setParameter("ShowItem", 1);
    q.open();
    EXPECT_EQ(q.field(1).kind(), rtfengine::FieldKind::Date);
    EXPECT_EQ(q.field(1).asDateTime().year, 2019);
    EXPECT_TRUE(q.field(2).isNull());
}

TEST_F(TDMTest, GenerationOpensAndClosesAllSixteen) {
    m_dm->ObjectiveQuery.setParameter("ShowItem", 1);
    m_dm->openForGeneration();
    for (SqlDataset* d : m_dm->datasets())
        EXPECT_TRUE(d->isOpen()) << d->name();
    EXPECT_FALSE(m_dm->ObjectiveQuery.eof());
    EXPECT_EQ(m_dm->DisplayedOrder.field(0).asString(), "Objective");
    m_dm->closeAfterGeneration();
    for (SqlDataset* d : m_dm->datasets())
        EXPECT_FALSE(d->isOpen()) << d->name();
}

} // namespace
