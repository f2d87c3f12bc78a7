// Editor of the personal and professional references, one entry at a time; the reference type
// decides in which of the two sections it is printed. Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class TReferencesForm : public RecordListForm {
    Q_OBJECT
public:
    explicit TReferencesForm(QWidget* parent = nullptr);
};

} // namespace editors
