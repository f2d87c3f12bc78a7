#include "info/TReferenceChecking.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ReferenceChecking");
    content.caption = QStringLiteral("Reference Checking");
    content.lines = {
        {QStringLiteral("Know what your references say about you."), true},
        {QStringLiteral("We check your employment references discreetly, as an employer would, and "
                        "report to you what each of them said."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/reference-checking");
    return content;
}

} // namespace

TReferenceChecking::TReferenceChecking(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
