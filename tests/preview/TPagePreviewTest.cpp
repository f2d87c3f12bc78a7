// The Page Preview window with a small two-page PDF standing in for LibreOffice's:
// the page count and navigation, zoom, what a failure shows, and that it makes the
// pages afresh without blocking.
#include "preview/TPagePreview.h"

#include "generate/PdfConversion.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPdfView>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <memory>

namespace preview::test {
namespace {

class TPagePreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_pdf = m_dir.filePath("two-pages.pdf");
        QPdfWriter writer(m_pdf);
        QPainter painter(&writer);
        painter.drawText(200, 200, "First page");
        writer.newPage();
        painter.drawText(200, 200, "Second page");
    }

    // A window whose document is a scratch file and whose conversion is `conversion`.
    void open(generate::PdfConversion conversion) {
        PagePreviewCommands commands;
        commands.writeDocument = [this] {
            ++m_written;
            if (!m_generationFailure.isEmpty())
                throw std::runtime_error(m_generationFailure.toStdString());
            return m_dir.filePath("resume.doc");
        };
        commands.exportPdf = [this](const QString& pdf) { m_exported << pdf; };
        commands.openInWordProcessor = [] {};
        m_window = std::make_unique<TPagePreview>(std::move(commands), std::move(conversion));
        m_window->show();
    }
    // The conversion that gives the two-page PDF.
    generate::PdfConversion copyingConversion() {
        const std::string pdf = m_pdf.toStdString();
        return [pdf](const std::string&, const std::string& target) {
            std::filesystem::copy_file(pdf, target,
                                       std::filesystem::copy_options::overwrite_existing);
        };
    }
    bool waitForEnd() {
        QSignalSpy ended(m_window.get(), &TPagePreview::conversionEnded);
        return ended.wait(10000);
    }
    template <typename T> T* child(const char* name) {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString pageCount() { return child<QLabel>("PageCount")->text(); }
    bool messageShown() {
        return child<QStackedWidget>("PageArea")->currentWidget() == child<QLabel>("Message");
    }

    QTemporaryDir m_dir;
    QString m_pdf;
    int m_written = 0;
    QString m_generationFailure;
    QStringList m_exported;
    std::unique_ptr<TPagePreview> m_window;
};

TEST_F(TPagePreviewTest, CountsAndTurnsThePages) {
    open(copyingConversion());
    ASSERT_TRUE(waitForEnd());
    auto* previous = child<QToolButton>("PreviousPage");
    auto* next = child<QToolButton>("NextPage");
    EXPECT_EQ(pageCount(), "Page 1 of 2");
    EXPECT_FALSE(previous->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(pageCount(), "Page 2 of 2");
    EXPECT_EQ(m_window->currentPage(), 1);
    EXPECT_FALSE(next->isEnabled());
    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(pageCount(), "Page 1 of 2");

    QTest::mouseClick(child<QPushButton>("ExportPdfBtn"), Qt::LeftButton);
    ASSERT_EQ(m_exported.size(), 1);
    QFile exported(m_exported.first());
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(exported.read(4) == "%PDF");
}

TEST_F(TPagePreviewTest, ZoomsToFitOrByFactor) {
    open(copyingConversion());
    ASSERT_TRUE(waitForEnd());
    const struct {
        const char* choice;
        QPdfView::ZoomMode mode;
        qreal factor;
    } cases[] = {
        {"Fit page", QPdfView::ZoomMode::FitInView, 0},
        {"50 %", QPdfView::ZoomMode::Custom, 0.5},
        {"400 %", QPdfView::ZoomMode::Custom, 4.0},
        {"Fit width", QPdfView::ZoomMode::FitToWidth, 0},
    };
    auto* zoom = child<QComboBox>("Zoom");
    auto* view = child<QPdfView>("Pages");
    EXPECT_EQ(view->zoomMode(), QPdfView::ZoomMode::FitToWidth);
    for (const auto& c : cases) {
        const int index = zoom->findText(c.choice);
        ASSERT_GE(index, 0) << c.choice;
        zoom->setCurrentIndex(index);
        EXPECT_EQ(view->zoomMode(), c.mode) << c.choice;
        if (c.mode == QPdfView::ZoomMode::Custom) {
            EXPECT_DOUBLE_EQ(view->zoomFactor(), c.factor) << c.choice;
        }
    }
}

TEST_F(TPagePreviewTest, AFailureIsToldInPlaceOfThePages) {
    const struct {
        const char* generationFailure;
        const char* message;
    } cases[] = {
        {"", generate::kNoLibreOffice},
        {"Template not found", "Template not found"},
    };
    for (const auto& c : cases) {
        m_generationFailure = QString::fromLatin1(c.generationFailure);
        open([](const std::string&, const std::string&) {
            throw generate::EPdfConversion(generate::kNoLibreOffice);
        });
        if (m_generationFailure.isEmpty()) {
            ASSERT_TRUE(waitForEnd());
        }
        EXPECT_TRUE(messageShown()) << c.message;
        EXPECT_EQ(child<QLabel>("Message")->text(), c.message);
        EXPECT_EQ(pageCount(), "");
        EXPECT_FALSE(child<QPushButton>("ExportPdfBtn")->isEnabled());
        EXPECT_FALSE(child<QProgressBar>("Busy")->isVisible());
    }
}

TEST_F(TPagePreviewTest, MakesThePagesAfreshWithoutBlocking) {
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    auto convert = copyingConversion();
    open([released, convert](const std::string& document, const std::string& pdf) {
        released.wait();
        convert(document, pdf);
    });
    EXPECT_EQ(m_written, 1);
    EXPECT_TRUE(m_window->isConverting());
    EXPECT_TRUE(child<QProgressBar>("Busy")->isVisible());
    // The event loop runs on while LibreOffice works.
    bool ticked = false;
    QTimer::singleShot(0, [&ticked] { ticked = true; });
    QTRY_VERIFY(ticked);
    // Refresh during a conversion makes the pages once more after it.
    QTest::mouseClick(child<QPushButton>("RefreshBtn"), Qt::LeftButton);
    release->set_value();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(m_written, 2);
    EXPECT_EQ(pageCount(), "Page 1 of 2");
    EXPECT_FALSE(child<QProgressBar>("Busy")->isVisible());

    m_window->hide();
    m_window->show();
    EXPECT_EQ(m_written, 3);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(pageCount(), "Page 1 of 2");
    // Asked for again while open, as the Pages buttons do.
    m_window->showAfresh();
    EXPECT_EQ(m_written, 4);
    ASSERT_TRUE(waitForEnd());
}

} // namespace
} // namespace preview::test
