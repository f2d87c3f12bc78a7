// Editor of the four purpose statements, the one Purpose row: objective, summary, personal
// statement and keywords, each a plain text on its own tab. Nothing is required.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "editors/SingleRowForm.h"

namespace editors {

class TPurposeStatementsForm : public SingleRowForm {
    Q_OBJECT
public:
    explicit TPurposeStatementsForm(QWidget* parent = nullptr);

    // "&Preview" carries this name here.
    void previewbtnClick() { PreviewBtnClick(); }
};

} // namespace editors
