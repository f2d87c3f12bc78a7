// Editor of the honors, awards and achievements, one entry at a time.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace editors {

class THonorsCertificationsForm : public platform::Form {
    Q_OBJECT
public:
    explicit THonorsCertificationsForm(QWidget* parent = nullptr);
};

} // namespace editors
