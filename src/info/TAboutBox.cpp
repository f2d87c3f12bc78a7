#include "info/TAboutBox.h"

namespace info {

TAboutBox::TAboutBox(QWidget* parent)
    : platform::Form(QStringLiteral("AboutBox"), QStringLiteral("About Vitacraft"), parent) {
    resize(480, 360);
}

} // namespace info
