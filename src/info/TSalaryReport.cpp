#include "info/TSalaryReport.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("SalaryReport");
    content.caption = QStringLiteral("Salary Reports");
    content.lines = {
        {QStringLiteral("Are you paid what you are worth?"), true},
        {QStringLiteral("A personal salary report compares your pay with the market for your "
                        "position, experience and location, so you can negotiate with facts."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/salary-reports");
    return content;
}

} // namespace

TSalaryReport::TSalaryReport(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
