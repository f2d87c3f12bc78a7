// Information page on the career-assessment service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TCareerAssessment : public platform::Form {
    Q_OBJECT
public:
    explicit TCareerAssessment(QWidget* parent = nullptr);
};

} // namespace info
