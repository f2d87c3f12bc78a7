// Information page on the freelance exchange: a few lines about it and a link to its web page.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class TFreelanceExchange : public InfoPage {
    Q_OBJECT
public:
    explicit TFreelanceExchange(QWidget* parent = nullptr);
};

} // namespace info
