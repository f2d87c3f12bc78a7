// For test binaries without windows: the SQL drivers are plugins found through the
// application object, so every test runs with one QCoreApplication alive.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CoreEnvironment : public testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "vitacraft_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new CoreEnvironment);

} // namespace
