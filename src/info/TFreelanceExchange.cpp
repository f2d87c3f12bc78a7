#include "info/TFreelanceExchange.h"

namespace info {

TFreelanceExchange::TFreelanceExchange(QWidget* parent)
    : platform::Form(QStringLiteral("FreelanceExchange"), QStringLiteral("Freelance Exchange"),
                     parent) {
    resize(480, 360);
}

} // namespace info
