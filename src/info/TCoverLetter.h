// Information page on the cover-letter service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TCoverLetter : public platform::Form {
    Q_OBJECT
public:
    explicit TCoverLetter(QWidget* parent = nullptr);
};

} // namespace info
