// The program's own application object, so errors reach the standard error box as
// they do for users, and a private settings folder so tests never touch the
// user's mail server settings.
#include "platform/Application.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_app = std::make_unique<platform::Application>(m_argc, m_argv);
        m_app->setApplicationDisplayName(QStringLiteral("Test Title"));
        m_settings = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path());
    }
    void TearDown() override {
        m_settings.reset();
        m_app.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "mail_ui_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<platform::Application> m_app;
    std::unique_ptr<QTemporaryDir> m_settings;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
