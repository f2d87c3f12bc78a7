// Information page on the résumé-distribution service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TResumeDistribution : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeDistribution(QWidget* parent = nullptr);
};

} // namespace info
