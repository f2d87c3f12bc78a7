// Information page on the career-assessment service: a few lines about it and a link to its web
// page. Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class TCareerAssessment : public InfoPage {
    Q_OBJECT
public:
    explicit TCareerAssessment(QWidget* parent = nullptr);
};

} // namespace info
