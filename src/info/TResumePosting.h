// Information page on the résumé-posting service: a few lines about it and a link to its web page.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class TResumePosting : public InfoPage {
    Q_OBJECT
public:
    explicit TResumePosting(QWidget* parent = nullptr);
};

} // namespace info
