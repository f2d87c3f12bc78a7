// Information page on the résumé-posting service.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "platform/Form.h"

namespace info {

class TResumePosting : public platform::Form {
    Q_OBJECT
public:
    explicit TResumePosting(QWidget* parent = nullptr);
};

} // namespace info
