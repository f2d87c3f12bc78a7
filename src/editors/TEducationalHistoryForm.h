// Editor of the educational history entries, one entry at a time.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TEducationalHistoryForm : public platform::Form {
    Q_OBJECT
public:
    explicit TEducationalHistoryForm(QWidget* parent = nullptr);
};

} // namespace editors
