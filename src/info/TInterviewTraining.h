// Information page on the interview-training service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TInterviewTraining : public platform::Form {
    Q_OBJECT
public:
    explicit TInterviewTraining(QWidget* parent = nullptr);
};

} // namespace info
