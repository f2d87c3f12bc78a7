// Editor of the skill areas, one entry at a time.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class TSkillAreaForm : public platform::Form {
    Q_OBJECT
public:
    explicit TSkillAreaForm(QWidget* parent = nullptr);
};

} // namespace editors
