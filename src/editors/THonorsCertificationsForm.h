// Editor of the honors, awards and achievements, one entry at a time; the entry's type decides
// in which of the three sections it is printed. Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class THonorsCertificationsForm : public RecordListForm {
    Q_OBJECT
public:
    explicit THonorsCertificationsForm(QWidget* parent = nullptr);
};

} // namespace editors
