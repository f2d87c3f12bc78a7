#include "platform/Dialogs.h"
#include "platform/Application.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/TestDoubles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

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
    platform::ScriptedDialogs scripted;
    platform::RecordingShell shell;
    {
        platform::ScopedServices scope(&shell, &scripted);
        EXPECT_EQ(&platform::dialogs(), &scripted);
        EXPECT_EQ(&platform::shell(), &shell);
        platform::ScriptedDialogs inner;
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
    platform::ScriptedDialogs dialogs;
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
        EXPECT_EQ(dialogs.messages[i].caption, "Test Title");
        EXPECT_EQ(dialogs.messages[i].buttons, platform::Buttons::Ok);
        EXPECT_EQ(dialogs.messages[i].icon, platform::Icon::Error);
    }
}

TEST(ScriptedDialogs, EmptyQueuesDismiss) {
    platform::ScriptedDialogs d;
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
