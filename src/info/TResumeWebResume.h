// Information page on the web-résumé service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TResumeWebResume : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeWebResume(QWidget* parent = nullptr);
};

} // namespace info
