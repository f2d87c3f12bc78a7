// Editor of the organization memberships and professional affiliations, one entry at a time.
// Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class TOrganizationsForm : public RecordListForm {
    Q_OBJECT
public:
    explicit TOrganizationsForm(QWidget* parent = nullptr);
};

} // namespace editors
