// Information page on the freelance exchange.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TFreelanceExchange : public platform::Form {
    Q_OBJECT
public:
    explicit TFreelanceExchange(QWidget* parent = nullptr);
};

} // namespace info
