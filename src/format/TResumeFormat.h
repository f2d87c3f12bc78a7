// The format dialog: fonts of the three text classes, shown sections and their order, template.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace format {

class TResumeFormat : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeFormat(QWidget* parent = nullptr);
};

} // namespace format
