#include "info/TResumeCritique.h"

namespace info {

TResumeCritique::TResumeCritique(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeCritique"), QStringLiteral("Resume Critique"), parent) {
    resize(480, 360);
}

} // namespace info
