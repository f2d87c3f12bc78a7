// Editor of the organization memberships, one entry at a time.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TOrganizationsForm : public platform::Form {
    Q_OBJECT
public:
    explicit TOrganizationsForm(QWidget* parent = nullptr);
};

} // namespace editors
