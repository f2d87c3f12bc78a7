// Information page on the salary-report service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TSalaryReport : public platform::Form {
    Q_OBJECT
public:
    explicit TSalaryReport(QWidget* parent = nullptr);
};

} // namespace info
