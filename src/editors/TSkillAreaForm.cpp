#include "editors/TSkillAreaForm.h"

namespace editors {

TSkillAreaForm::TSkillAreaForm(QWidget* parent)
    : RecordListForm(QStringLiteral("SkillAreaForm"), QStringLiteral("Skill Area"),
                     Rules{QStringLiteral("Skills"), store::TableCursor::WriteMode::Immediate,
                           false, true, {}, {}},
                     parent) {
    FieldGrid& f = fields();
    f.addEdit(QStringLiteral("Skill Area (Management, Public Relations, etc.)"),
              QStringLiteral("skill"), Caption::Principal);
    f.addMemo(QStringLiteral("Comments/Description:"), QStringLiteral("comments"),
              Caption::Principal);
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPublished"));
    finishLayout();
    resize(600, 360);
}

} // namespace editors
