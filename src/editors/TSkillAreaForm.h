// Editor of the skill areas, one entry at a time.
// Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class TSkillAreaForm : public RecordListForm {
    Q_OBJECT
public:
    explicit TSkillAreaForm(QWidget* parent = nullptr);
};

} // namespace editors
