// Information page on the résumé-writing service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TResumeWriting : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeWriting(QWidget* parent = nullptr);
};

} // namespace info
