#include "info/TCoverLetter.h"

namespace info {

TCoverLetter::TCoverLetter(QWidget* parent)
    : platform::Form(QStringLiteral("CoverLetter"), QStringLiteral("Cover Letter"), parent) {
    resize(480, 360);
}

} // namespace info
