// Editor of the personal and professional references, one entry at a time.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TReferencesForm : public platform::Form {
    Q_OBJECT
public:
    explicit TReferencesForm(QWidget* parent = nullptr);
};

} // namespace editors
