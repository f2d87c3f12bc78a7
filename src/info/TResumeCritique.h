// Information page on the résumé-critique service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TResumeCritique : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeCritique(QWidget* parent = nullptr);
};

} // namespace info
