#include "info/TSalaryReport.h"

namespace info {

TSalaryReport::TSalaryReport(QWidget* parent)
    : platform::Form(QStringLiteral("SalaryReport"), QStringLiteral("Salary Reports"), parent) {
    resize(480, 360);
}

} // namespace info
