// Information page on the résumé templates: a few lines about it and a link to its web page.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class Ttemplates : public InfoPage {
    Q_OBJECT
public:
    explicit Ttemplates(QWidget* parent = nullptr);
};

} // namespace info
