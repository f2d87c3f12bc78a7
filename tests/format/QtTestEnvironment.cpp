// The program's own application object, offscreen, titled as the program.
#include "platform/Application.h"
#include "platform/ProgramInfo.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_app = std::make_unique<platform::Application>(m_argc, m_argv);
        platform::setApplicationTitle(QStringLiteral("Vitacraft Pro 3.0"));
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "format_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<platform::Application> m_app;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
