#include "info/Ttemplates.h"

namespace info {

Ttemplates::Ttemplates(QWidget* parent)
    : platform::Form(QStringLiteral("templates"), QStringLiteral("Templates"), parent) {
    resize(480, 360);
}

} // namespace info
