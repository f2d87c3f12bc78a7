#include "format/TResumeFormat.h"

namespace format {

TResumeFormat::TResumeFormat(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeFormat"),
                     QStringLiteral("Resume Format, Content, Templates"), parent) {
    resize(480, 360);
}

} // namespace format
