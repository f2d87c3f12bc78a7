// Information page on the reference-checking service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TReferenceChecking : public platform::Form {
    Q_OBJECT
public:
    explicit TReferenceChecking(QWidget* parent = nullptr);
};

} // namespace info
