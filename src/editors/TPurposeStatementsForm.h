// Editor of the four purpose statements, the one Purpose row.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TPurposeStatementsForm : public platform::Form {
    Q_OBJECT
public:
    explicit TPurposeStatementsForm(QWidget* parent = nullptr);
};

} // namespace editors
