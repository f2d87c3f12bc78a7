#include "app/Program.h"

#include "info/ShellCommands.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The section bar and the Help menu reach the desktop through the shell.
TEST(InformationCommands, SectionBarAndHelpMenuOpenThroughTheShell) {
    QTemporaryDir dir;
    const QString programDir = dir.filePath("bin") + "/";
    QDir().mkpath(programDir);
    store::createBlankResume(programDir + "data.mdb");
    platform::setProgramDirectory(programDir);
    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingShell shell;
    platform::ScopedServices services(&shell, &dialogs);
    {
        app::Program program({});
        app::TResumeExplorerForm& main = program.ResumeExplorerForm();
        const auto& bar = main.sectionButtons();
        QAction* update = nullptr;
        for (QAction* a : main.menuBar()->actions()[2]->menu()->actions())
            if (a->text() == "&Update Online")
                update = a;
        ASSERT_NE(update, nullptr);

        const struct {
            const char* name;
            std::function<void()> trigger;
            QString target;
        } cases[] = {
            {"Tell A Friend", [&] { bar[8]->click(); }, info::tellAFriendLink()},
            {"section bar update", [&] { bar[9]->click(); }, programDir + "update.exe"},
            {"menu update", [&] { update->trigger(); }, programDir + "update.exe"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            shell.calls.clear();
            c.trigger();
            ASSERT_EQ(shell.calls.size(), 1u);
            EXPECT_EQ(shell.calls[0].verb, "OPEN");
            EXPECT_EQ(shell.calls[0].target, c.target);
        }
        EXPECT_TRUE(dialogs.messages.empty());
    }
    platform::setProgramDirectory({});
}

} // namespace
