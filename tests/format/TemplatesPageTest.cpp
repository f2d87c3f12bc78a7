// The Templates page of the format window: the list of templates, the picture of
// the chosen one, and the paper choice, on a blank résumé.
#include "format/TResumeFormat.h"

#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList kNames{"Contemporary Resume", "Classic Resume", "Compact Resume",
                         "Modern Resume"};
// The pictures the program folder holds: one colour each, none for the last template.
const struct {
    const char* file;
    QColor colour;
} kPictures[] = {{"ContemporaryResume.png", Qt::red},
                 {"ClassicResume.png", Qt::green},
                 {"CompactResume.png", Qt::blue}};

class TemplatesPageTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("templates"));
        for (const auto& picture : kPictures) {
            QImage image(30, 40, QImage::Format_RGB32);
            image.fill(picture.colour);
            ASSERT_TRUE(image.save(m_dir.filePath(QStringLiteral("templates/") + picture.file)));
        }
        platform::setProgramDirectory(m_dir.path());
        const QString path = m_dir.filePath("cv.vcw");
        store::createBlankResume(path);
        m_db = store::connection();
        store::openResume(m_db, path);
        m_form = std::make_unique<format::TResumeFormat>();
    }
    void TearDown() override {
        m_form.reset();
        m_db.close();
        platform::setProgramDirectory({});
        qunsetenv("LC_ALL");
    }
    void exec(const QString& sql) {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    QVariant configuration(const QString& column) {
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec("SELECT " + column + " FROM Configuration"));
        return q.next() ? q.value(0) : QVariant();
    }
    void showTemplatesPage() {
        m_form->show();
        m_form->findChild<QTabBar*>("FlatTabControl1")->setCurrentIndex(2);
    }
    QListWidget* list() { return m_form->findChild<QListWidget*>("TemplateList"); }
    QComboBox* paper() { return m_form->findChild<QComboBox*>("PaperSize"); }
    QPushButton* apply() { return m_form->findChild<QPushButton*>("applybtn"); }
    // The colour in the middle of the picture; invalid when none is shown.
    QColor pictureColour() {
        const QPixmap shown = m_form->findChild<QLabel*>("TemplatePicture")->pixmap();
        if (shown.isNull())
            return {};
        const QImage image = shown.toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
    void click(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    testsupport::ScriptedDialogs m_dialogs;
    testsupport::RecordingShell m_shell;
    platform::ScopedServices m_services{&m_shell, &m_dialogs};
    std::unique_ptr<format::TResumeFormat> m_form;
};

TEST_F(TemplatesPageTest, ListsTheFourTemplatesAndPicturesTheChosenOne) {
    showTemplatesPage();
    QStringList names;
    for (int i = 0; i < list()->count(); ++i)
        names << list()->item(i)->text();
    EXPECT_EQ(names, kNames);
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(pictureColour(), QColor(Qt::red));
    EXPECT_FALSE(apply()->isEnabled());

    const struct {
        int row;
        QColor colour; // invalid: the template has no picture
    } choices[] = {{2, Qt::blue}, {3, {}}, {1, Qt::green}};
    for (const auto& [row, colour] : choices) {
        SCOPED_TRACE(row);
        click(row);
        EXPECT_EQ(list()->currentRow(), row);
        EXPECT_EQ(pictureColour(), colour);
        EXPECT_TRUE(apply()->isEnabled());
    }
    apply()->click();
    EXPECT_EQ(configuration("Template").toString(), "Classic Resume");
    EXPECT_FALSE(apply()->isEnabled());
}

TEST_F(TemplatesPageTest, AStoredNameShowsTheTemplateItGeneratesWith) {
    const struct {
        const char* stored; // nullptr: NULL
        int row;
    } cases[] = {
        {"Compact Resume", 2}, {"modern RESUME", 3}, {"", 0}, {"Elegant", 0}, {nullptr, 0}};
    for (const auto& [stored, row] : cases) {
        SCOPED_TRACE(stored ? stored : "NULL");
        exec(stored ? QStringLiteral("UPDATE Configuration SET Template = '%1'").arg(stored)
                    : QStringLiteral("UPDATE Configuration SET Template = NULL"));
        showTemplatesPage();
        EXPECT_EQ(list()->currentRow(), row);
        EXPECT_FALSE(apply()->isEnabled()) << "showing is no choice";
        m_form->hide();
    }
}

TEST_F(TemplatesPageTest, ThePaperShownIsTheStoredOneOrTheLocalesAndAChoiceIsStored) {
    const struct {
        const char* stored; // nullptr: NULL
        const char* locale;
        const char* shown;
    } cases[] = {{nullptr, "en_US.UTF-8", "Letter"},
                 {nullptr, "de_DE.UTF-8", "A4"},
                 {"A4", "en_US.UTF-8", "A4"},
                 {"letter", "de_DE.UTF-8", "Letter"},
                 {"B5", "en_CA.UTF-8", "Letter"}};
    for (const auto& [stored, locale, shown] : cases) {
        SCOPED_TRACE(std::string(stored ? stored : "NULL") + " " + locale);
        qputenv("LC_ALL", locale);
        exec(stored ? QStringLiteral("UPDATE Configuration SET PaperSize = '%1'").arg(stored)
                    : QStringLiteral("UPDATE Configuration SET PaperSize = NULL"));
        showTemplatesPage();
        EXPECT_EQ(paper()->currentText(), shown);
        EXPECT_TRUE(paper()->isEnabled());
        EXPECT_FALSE(apply()->isEnabled());
        m_form->hide();
    }

    const QStringList items{paper()->itemText(0), paper()->itemText(1)};
    EXPECT_EQ(items, (QStringList{"A4", "Letter"}));
    for (const char* chosen : {"A4", "Letter"}) {
        SCOPED_TRACE(chosen);
        exec("UPDATE Configuration SET PaperSize = NULL");
        showTemplatesPage();
        const int index = paper()->findText(chosen);
        paper()->setCurrentIndex(index);
        emit paper()->activated(index);
        EXPECT_TRUE(apply()->isEnabled());
        apply()->click();
        EXPECT_EQ(configuration("PaperSize").toString(), chosen);
        m_form->hide();
    }
}

TEST_F(TemplatesPageTest, AFileWithoutThePaperColumnShowsLetterAndOffersNoChoice) {
    // What a file that could not take the column (opened read-only) looks like.
    exec("ALTER TABLE Configuration DROP COLUMN PaperSize");
    qputenv("LC_ALL", "de_DE.UTF-8");
    showTemplatesPage();
    EXPECT_EQ(paper()->currentText(), "Letter");
    EXPECT_FALSE(paper()->isEnabled());
    click(1);
    EXPECT_TRUE(apply()->isEnabled());
    apply()->click();
    EXPECT_EQ(configuration("Template").toString(), "Classic Resume");
}

} // namespace
