#include "editors/TSkillAreaForm.h"

namespace editors {

TSkillAreaForm::TSkillAreaForm(QWidget* parent)
    : RecordListForm(QStringLiteral("SkillAreaForm"), QStringLiteral("Skill Area"),
                     Rules{.table = QStringLiteral("Skills"), .saveOnShow = false}, parent) {
    FieldGrid& f = fields();
    f.addEditUnderCaption(QStringLiteral("Skill Area (Management, Public Relations, etc.)"),
                          QStringLiteral("skill"), Caption::Principal);
    f.addMemo(QStringLiteral("Comments/Description:"), QStringLiteral("comments"),
              Caption::Principal);
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPublished"));
    finishLayout();
    resize(600, 360);
}

} // namespace editors
