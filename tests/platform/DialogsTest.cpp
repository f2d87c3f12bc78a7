#include "platform/Dialogs.h"
#include "platform/Application.h"
#include "platform/FileSystem.h"
#include "platform/FontChoiceDialog.h"
#include "platform/Services.h"
#include "support/DesktopDoubles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace platform {

// Readable font choices in failure messages.
void PrintTo(const FontChoice& f, std::ostream* out) {
    *out << '"' << f.face.toStdString() << "\" " << f.size << " colour " << f.color << " style "
         << f.style;
}

} // namespace platform

namespace {

TEST(FileDialogText, FiltersAndDefaultExtensions) {
    EXPECT_EQ(platform::qtNameFilter("Vitacraft Files|*.vcw"), "Vitacraft Files (*.vcw)");
    EXPECT_EQ(platform::qtNameFilter("Docs|*.doc;*.rtf|All|*.*"), "Docs (*.doc *.rtf);;All (*.*)");
    EXPECT_EQ(platform::qtNameFilter(""), "");

    const struct {
        const char* path;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"/home/a/cv", "*.vcw", "/home/a/cv.vcw"},
        {"/home/a/cv", "vcw", "/home/a/cv.vcw"},
        {"/home/a/cv.vcw", "*.vcw", "/home/a/cv.vcw"},
        {"/home/a/cv.old", "*.vcw", "/home/a/cv.old"},
        {"/home/a.b/cv", "*.vcw", "/home/a.b/cv.vcw"},
        {"/home/a/cv", "", "/home/a/cv"},
        {"", "*.vcw", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::withDefaultExtension(c.path, c.extension), c.expected) << c.path;
}

TEST(LocalFileSystem, CopiesOverAnExistingFileAndFailsWithoutHarm) {
    QTemporaryDir dir;
    const QString source = dir.filePath("data.mdb");
    const QString target = dir.filePath("data.tmp");
    for (const auto& [path, bytes] : {std::pair{source, QByteArray("blank")},
                                      std::pair{target, QByteArray("old unsaved work")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    platform::LocalFileSystem files;
    EXPECT_TRUE(files.copyFile(source, target));
    QFile copied(target);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("blank"));

    // Each failure says why; a success forgets the last reason.
    for (const auto& [from, to] : {std::pair{dir.filePath("missing"), target},
                                   std::pair{source, dir.filePath("no/such/dir/x")},
                                   std::pair{source, dir.path()}, std::pair{dir.path(), target}}) {
        SCOPED_TRACE(from.toStdString() + " -> " + to.toStdString());
        EXPECT_FALSE(files.copyFile(from, to));
        EXPECT_FALSE(files.lastError().isEmpty());
    }
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("blank"));
    EXPECT_TRUE(files.copyFile(source, source));
    EXPECT_TRUE(files.lastError().isEmpty());
}

TEST(Services, ScopedDoublesAreRestored) {
    platform::Dialogs* real = &platform::dialogs();
    testsupport::ScriptedDialogs scripted;
    testsupport::RecordingShell shell;
    {
        platform::ScopedServices scope(&shell, &scripted);
        EXPECT_EQ(&platform::dialogs(), &scripted);
        EXPECT_EQ(&platform::shell(), &shell);
        testsupport::ScriptedDialogs inner;
        {
            platform::ScopedServices nested(nullptr, &inner);
            EXPECT_EQ(&platform::dialogs(), &inner);
            EXPECT_EQ(&platform::shell(), &shell);
        }
        EXPECT_EQ(&platform::dialogs(), &scripted);
    }
    EXPECT_EQ(&platform::dialogs(), real);
}

TEST(StandardErrorBox, CommandsAndEventsReportExceptions) {
    testsupport::ScriptedDialogs dialogs;
    platform::ScopedServices scope(nullptr, &dialogs);

    bool after = false;
    platform::runCommand([&] {
        throw std::runtime_error("Could not find file 'x.vcw'.");
        after = true;
    });
    EXPECT_FALSE(after);

    // An exception thrown while the toolkit delivers an event.
    QEvent event(QEvent::User);
    struct Thrower : QObject {
        bool event(QEvent*) override { throw std::runtime_error("from an event"); }
    } thrower;
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));

    ASSERT_EQ(dialogs.messages.size(), 2u);
    const struct {
        const char* text;
    } expected[] = {{"Could not find file 'x.vcw'."}, {"from an event"}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(dialogs.messages[i].text, expected[i].text);
        EXPECT_EQ(dialogs.messages[i].caption, "Vitacraft Pro 3.0");
        EXPECT_EQ(dialogs.messages[i].buttons, platform::Buttons::Ok);
        EXPECT_EQ(dialogs.messages[i].icon, platform::Icon::Error);
    }
}

// What the font dialog showed while it was up.
struct ShownFont {
    QString face;
    int size = -1;
    std::vector<bool> styles; // Bold, Italic, Underline, StrikeOut
    bool missingFaceNote = false;
    bool operator==(const ShownFont&) const = default;
};

void PrintTo(const ShownFont& f, std::ostream* out) {
    *out << '"' << f.face.toStdString() << "\" " << f.size << " styles";
    for (bool on : f.styles)
        *out << ' ' << on;
    *out << (f.missingFaceNote ? " with note" : "");
}

// Runs the desktop's font dialog on `initial`: reads what it shows, lets `act`
// work its widgets, then presses Ok (or Cancel).
std::optional<platform::FontChoice> runFontDialog(const platform::FontChoice& initial,
                                                  ShownFont& shown,
                                                  const std::function<void(QDialog&)>& act,
                                                  bool ok = true) {
    std::function<void()> whenUp;
    whenUp = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(0, whenUp);
            return;
        }
        if (auto* face = dialog->findChild<QComboBox*>("FontFace"))
            shown.face = face->currentText();
        if (auto* size = dialog->findChild<QSpinBox*>("FontSize"))
            shown.size = size->value();
        for (const char* name : {"Bold", "Italic", "Underline", "StrikeOut"}) {
            auto* box = dialog->findChild<QCheckBox*>(name);
            shown.styles.push_back(box && box->isChecked());
        }
        shown.missingFaceNote = dialog->findChild<QLabel*>("MissingFaceNote") != nullptr;
        if (act)
            act(*dialog);
        ok ? dialog->accept() : dialog->reject();
    };
    QTimer::singleShot(0, whenUp);
    return platform::WidgetDialogs().chooseFont(initial);
}

// The dialog shows the stored font as it is stored, a face this desktop lacks
// included, and Ok without a change hands back exactly what was stored.
TEST(FontDialog, ShowsTheStoredFontAndOkWithoutAChangeKeepsIt) {
    const QString installed = QFontDatabase::families().value(0);
    ASSERT_FALSE(installed.isEmpty());
    const struct {
        const char* name;
        platform::FontChoice stored;
        ShownFont shown;
    } cases[] = {
        {"a face not installed, bold and underlined",
         {"Vitacraft Missing Face", 22, 6567967, 5},
         {"Vitacraft Missing Face", 22, {true, false, true, false}, true}},
        {"an installed face",
         {installed, 9, 0, 0},
         {installed, 9, {false, false, false, false}, false}},
        {"no size, a style bit beyond the four",
         {"Arial", 0, 255, 2 + 16},
         {"Arial", 10, {false, true, false, false}, !QFontDatabase::families().contains("Arial")}},
        {"all four styles",
         {"Liberation Serif", 11, 0xffffff, 15},
         {"Liberation Serif",
          11,
          {true, true, true, true},
          !QFontDatabase::families().contains("Liberation Serif")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShownFont shown;
        EXPECT_EQ(runFontDialog(c.stored, shown, {}), c.stored);
        EXPECT_EQ(shown, c.shown);
        ShownFont cancelled;
        EXPECT_EQ(runFontDialog(c.stored, cancelled, {}, false), std::nullopt);
    }
}

// What the user changes is taken; everything else stays as stored.
TEST(FontDialog, TakesWhatTheUserChanged) {
    const platform::FontChoice stored{"Vitacraft Missing Face", 22, 6567967, 1 + 16};
    const struct {
        const char* name;
        std::function<void(QDialog&)> act;
        platform::FontChoice expected;
    } cases[] = {
        {"italic ticked",
         [](QDialog& d) { d.findChild<QCheckBox*>("Italic")->setChecked(true); },
         {"Vitacraft Missing Face", 22, 6567967, 3 + 16}},
        {"bold cleared",
         [](QDialog& d) { d.findChild<QCheckBox*>("Bold")->setChecked(false); },
         {"Vitacraft Missing Face", 22, 6567967, 16}},
        {"another size",
         [](QDialog& d) { d.findChild<QSpinBox*>("FontSize")->setValue(9); },
         {"Vitacraft Missing Face", 9, 6567967, 1 + 16}},
        {"another face",
         [](QDialog& d) { d.findChild<QComboBox*>("FontFace")->setEditText("DejaVu Serif"); },
         {"DejaVu Serif", 22, 6567967, 1 + 16}},
        {"another colour",
         [](QDialog& d) { static_cast<platform::FontChoiceDialog&>(d).setColor(QColor(1, 2, 3)); },
         {"Vitacraft Missing Face", 22, 3 * 65536 + 2 * 256 + 1, 1 + 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShownFont shown;
        EXPECT_EQ(runFontDialog(stored, shown, c.act), c.expected);
    }
}

TEST(ScriptedDialogs, EmptyQueuesDismiss) {
    testsupport::ScriptedDialogs d;
    d.answers = {platform::Answer::Yes};
    EXPECT_EQ(d.message("q", "c", platform::Buttons::YesNo, platform::Icon::None),
              platform::Answer::Yes);
    EXPECT_EQ(d.message("q", "c", platform::Buttons::YesNo, platform::Icon::None),
              platform::Answer::Cancel);
    EXPECT_EQ(d.message("q", "c", platform::Buttons::Ok, platform::Icon::None),
              platform::Answer::Ok);
    d.saveAnswers = {QString("/x/cv")};
    EXPECT_EQ(d.saveFile({"Vitacraft files|*.vcw", "*.vcw", {}, {}}), QString("/x/cv.vcw"));
    EXPECT_EQ(d.saveFile({}), std::nullopt);
    EXPECT_EQ(d.openFile({}), std::nullopt);
    EXPECT_EQ(d.chooseFont({}), std::nullopt);
}

} // namespace
