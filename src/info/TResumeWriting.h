// Information page on the résumé-writing service: a few lines about it and a link to its web page.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class TResumeWriting : public InfoPage {
    Q_OBJECT
public:
    explicit TResumeWriting(QWidget* parent = nullptr);
};

} // namespace info
