// Editor of the educational history entries, one entry at a time. Unlike the other list
// editors it holds every posted entry, new entry and deletion until Save writes them in one
// batch; hiding the window without Save discards them. Created once at start-up, shown modelessly.
#pragma once

#include "editors/RecordListForm.h"

namespace editors {

class TEducationalHistoryForm : public RecordListForm {
    Q_OBJECT
public:
    explicit TEducationalHistoryForm(QWidget* parent = nullptr);

    // The table has opened: nothing is held yet.
    void table1AfterOpen();
    // An entry is about to be posted into the held changes: Save can write it.
    void DataSource1UpdateData();
};

} // namespace editors
