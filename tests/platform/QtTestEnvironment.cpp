// Widgets need the application object; the program's own one is used so its
// exception handling is under test too.
#include "platform/Application.h"
#include "platform/ProgramInfo.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_app = std::make_unique<platform::Application>(m_argc, m_argv);
        platform::setApplicationTitle(QStringLiteral("Test Title"));
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "platform_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<platform::Application> m_app;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
