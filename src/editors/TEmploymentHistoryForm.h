// Editor of the employment history entries, one entry at a time; each posted entry and each
// deletion reaches the file at once. Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class TEmploymentHistoryForm : public RecordListForm {
    Q_OBJECT
public:
    explicit TEmploymentHistoryForm(QWidget* parent = nullptr);
};

} // namespace editors
