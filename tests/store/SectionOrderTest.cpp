// The section lists and the sender, as the store reads and writes them for the
// format and send windows.
#include "store/qt/SectionOrder.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"
#include "store/qt/Sender.h"
#include "support/QtPrinters.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SectionOrderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath("cv.vcw");
        store::createBlankResume(path);
        m_db = store::connection(QStringLiteral("SectionOrderTest"));
        store::openResume(m_db, path);
    }
    void TearDown() override { m_db.close(); }
    void exec(const QString& sql) {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

TEST_F(SectionOrderTest, WrittenListsReadBackInTheirOrder) {
    const struct {
        const char* name;
        QStringList available;
        QStringList displayed;
    } cases[] = {
        {"both empty", {}, {}},
        {"order kept, not sorted", {"Skills", "Awards"}, {"Summary", "Objective", "Honors"}},
        {"text as typed", {"Kid's \"Corner\"; drop table Skills; --"}, {"Ünïcode"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::writeSections(m_db, c.available, c.displayed);
        EXPECT_EQ(store::readAvailableSections(m_db), c.available);
        EXPECT_EQ(store::readDisplayedSections(m_db), c.displayed);
    }
}

TEST_F(SectionOrderTest, ARefusedRowLeavesBothListsAsTheyWere) {
    store::writeSections(m_db, {"Skills"}, {"Summary"});
    exec("CREATE TRIGGER refuse BEFORE INSERT ON DisplayedOrder WHEN NEW.Section = 'Refused' "
         "BEGIN SELECT RAISE(ABORT, 'section refused'); END");
    try {
        store::writeSections(m_db, {"Awards"}, {"Objective", "Refused"});
        ADD_FAILURE() << "no error";
    } catch (const store::EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("section refused"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(store::readAvailableSections(m_db), QStringList{"Skills"});
    EXPECT_EQ(store::readDisplayedSections(m_db), QStringList{"Summary"});
    // No transaction was left open: the next write goes through.
    exec("DROP TRIGGER refuse");
    store::writeSections(m_db, {"Awards"}, {"Objective", "Refused"});
    EXPECT_EQ(store::readDisplayedSections(m_db), (QStringList{"Objective", "Refused"}));
}

TEST_F(SectionOrderTest, AClosedConnectionIsADatabaseError) {
    m_db.close();
    EXPECT_THROW(store::readAvailableSections(m_db), store::EDatabaseError);
    EXPECT_THROW(store::writeSections(m_db, {}, {}), store::EDatabaseError);
    EXPECT_THROW(store::senderOfResume(m_db), store::EDatabaseError);
}

TEST_F(SectionOrderTest, TheSenderIsTheContactRow) {
    exec("DELETE FROM ContactInfo");
    const store::Sender none = store::senderOfResume(m_db);
    EXPECT_EQ(none.name, " ");
    EXPECT_EQ(none.address, "");
    exec("INSERT INTO ContactInfo (FirstName, LastName, EmailAddress) "
         "VALUES ('Ann', 'Lee', 'ann@example.org')");
    const store::Sender ann = store::senderOfResume(m_db);
    EXPECT_EQ(ann.name, "Ann Lee");
    EXPECT_EQ(ann.address, "ann@example.org");
}

} // namespace
