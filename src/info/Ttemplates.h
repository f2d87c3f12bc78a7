// Information page on the résumé templates.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class Ttemplates : public platform::Form {
    Q_OBJECT
public:
    explicit Ttemplates(QWidget* parent = nullptr);
};

} // namespace info
