#include "editors/TSkillAreaForm.h"

namespace editors {

TSkillAreaForm::TSkillAreaForm(QWidget* parent)
    : platform::Form(QStringLiteral("SkillAreaForm"), QStringLiteral("Skill Area"), parent) {
    resize(480, 360);
}

} // namespace editors
