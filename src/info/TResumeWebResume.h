// Information page on the web-résumé service: a few lines about it and a link to its web page.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

namespace info {

class TResumeWebResume : public InfoPage {
    Q_OBJECT
public:
    explicit TResumeWebResume(QWidget* parent = nullptr);

    // The sample address: coloured like a link, opens nothing.
    LinkLabel* sampleAddress() const { return m_sample; }

private:
    LinkLabel* m_sample;
};

} // namespace info
