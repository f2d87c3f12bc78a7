// For test binaries with windows: the program's own application object, offscreen,
// titled as the program, so errors reach the standard error box as they do for
// users; and a private settings folder so tests never touch the user's settings.
#include "platform/Application.h"
#include "platform/ProgramInfo.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_app = std::make_unique<platform::Application>(m_argc, m_argv);
        platform::setApplicationTitle(QStringLiteral("Vitacraft Pro 3.0"));
        m_settings = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path());
    }
    void TearDown() override {
        m_settings.reset();
        m_app.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "vitacraft_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<platform::Application> m_app;
    std::unique_ptr<QTemporaryDir> m_settings;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
