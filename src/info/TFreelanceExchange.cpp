#include "info/TFreelanceExchange.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("FreelanceExchange");
    content.caption = QStringLiteral("Freelance Exchange");
    content.lines = {
        {QStringLiteral("Find freelance work on the freelance exchange."), true},
        {QStringLiteral("Businesses post their projects, and service providers like you bid for "
                        "them. Sign up through the link below."),
         false},
    };
    content.address = QStringLiteral("https://freelance-exchange.example/join?referrer=vitacraft");
    // Unlike the other pages it may be covered by other windows.
    content.stayOnTop = false;
    return content;
}

} // namespace

TFreelanceExchange::TFreelanceExchange(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
