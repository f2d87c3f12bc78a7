#include "info/TResumeWebResume.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ResumeWebResume");
    content.caption = QStringLiteral("Web Resume");
    content.lines = {
        {QStringLiteral("Get a personal web page that holds your resume."), true},
        {QStringLiteral("Your web resume is indexed by the search engines, so employers can find "
                        "you, and you can update it at any time with your own user name and "
                        "password. Your address will look like this:"),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/web-resume");
    return content;
}

} // namespace

TResumeWebResume::TResumeWebResume(QWidget* parent)
    : InfoPage(pageContent(), parent),
      m_sample(new LinkLabel(QStringLiteral("resumes.vitacraft.example/firstname_lastname.html"),
                             body())) {
    m_sample->setObjectName(QStringLiteral("LinkLabel2"));
    addBelowText(m_sample);
}

} // namespace info
