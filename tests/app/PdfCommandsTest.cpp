// "Export Resume as PDF..." and the Page Preview window as the program wires them,
// with a stand-in soffice, so that no LibreOffice runs here.
#include "ProgramFixture.h"

#include "preview/TPagePreview.h"
#include "store/qt/ProgramState.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

namespace {

class PdfCommandsTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        QDir().mkpath(m_programDir + "templates");
        QFile rtf(m_programDir + "templates/ContemporaryResume.rtf");
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi Resume}");
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        qunsetenv("VITACRAFT_SOFFICE");
    }
    // A stand-in soffice running `body` as a shell script; $outdir is its output folder.
    void fakeSoffice(const QString& body) {
        const QString script = m_dir.filePath("soffice");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\nwhile [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && outdir=$2; "
                    "shift; done\n" +
                    body + "\n")
                       .toUtf8());
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("VITACRAFT_SOFFICE", script.toLocal8Bit());
    }
    QAction* command(int menu, const QString& caption) {
        for (QAction* a : main().menuBar()->actions()[menu]->menu()->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
};

TEST_F(PdfCommandsTest, ExportAsPdfWritesTheFileAndSaysSo) {
    const struct {
        const char* script;
        const char* pdf;
        platform::Icon icon;
        const char* message;
    } cases[] = {
        {"mkdir -p \"$outdir\"; printf '%%PDF-1.4 stand-in' > \"$outdir/document.pdf\"",
         "%PDF-1.4 stand-in", platform::Icon::None, "Your resume was exported as \"%1\""},
        {"exit 0", nullptr, platform::Icon::Error,
         "LibreOffice could not convert the document to PDF."},
    };
    start({m_resume});
    const QString document = store::currentResumeDocumentPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        fakeSoffice(c.script);
        const QString target = m_dir.filePath("out.pdf");
        QFile::remove(target);
        m_dialogs.messages.clear();
        m_dialogs.saveAnswers = {target};
        QSignalSpy finished(&m_program->pdfExport(), &generate::PdfExport::finished);
        command(0, "Export Resume as PDF...")->trigger();
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(m_dialogs.saveRequests.back().filter, "PDF Document|*.pdf");
        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        const QString message = QString::fromLatin1(c.message);
        EXPECT_EQ(m_dialogs.messages[0].text, c.pdf ? message.arg(target) : message);
        EXPECT_EQ(m_dialogs.messages[0].icon, c.icon);
        QFile pdf(target);
        EXPECT_EQ(pdf.open(QIODevice::ReadOnly), c.pdf != nullptr);
        if (c.pdf) {
            EXPECT_EQ(pdf.readAll(), c.pdf);
        }
        EXPECT_EQ(store::currentResumeDocumentPath(), document);
    }
}

TEST_F(PdfCommandsTest, EveryPreviewButtonHasAPagesButtonBesideIt) {
    fakeSoffice("exit 0");
    start({m_resume});
    auto* pages = qobject_cast<preview::TPagePreview*>(m_program->window("PagePreview"));
    ASSERT_NE(pages, nullptr);
    int windows = 0;
    for (platform::Form* window : m_program->windows()) {
        for (QPushButton* preview : window->findChildren<QPushButton*>()) {
            if (preview->text() != "&Preview")
                continue;
            SCOPED_TRACE(window->objectName().toStdString());
            ++windows;
            QPushButton* beside = nullptr;
            for (QPushButton* b : preview->parentWidget()->findChildren<QPushButton*>())
                if (b->text() == "Pa&ges")
                    beside = b;
            ASSERT_NE(beside, nullptr);
            window->showForm();
            preview->setEnabled(false);
            EXPECT_FALSE(beside->isEnabled());
            preview->setEnabled(true);
            ASSERT_TRUE(beside->isEnabled());
            pages->hide();
            beside->click();
            EXPECT_TRUE(pages->isVisible());
            window->hide();
        }
    }
    EXPECT_EQ(windows, 9);
    QSignalSpy ended(pages, &preview::TPagePreview::conversionEnded);
    ASSERT_TRUE(pages->isConverting() ? ended.wait(10000) : true);
    EXPECT_TRUE(m_dialogs.messages.empty());
}

} // namespace
