#include "editors/THonorsCertificationsForm.h"

namespace editors {

THonorsCertificationsForm::THonorsCertificationsForm(QWidget* parent)
    : platform::Form(QStringLiteral("HonorsCertificationsForm"),
                     QStringLiteral("Honors / Certifications"), parent) {
    resize(480, 360);
}

} // namespace editors
