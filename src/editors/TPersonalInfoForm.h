// Editor of the contact data and addresses, the one ContactInfo row.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TPersonalInfoForm : public platform::Form {
    Q_OBJECT
public:
    explicit TPersonalInfoForm(QWidget* parent = nullptr);
};

} // namespace editors
