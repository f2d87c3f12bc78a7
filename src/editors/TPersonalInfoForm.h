// Editor of the contact data and addresses, the one ContactInfo row. It refuses to write the row
// while the first or last name, the home phone or the permanent address line 1 or city is empty.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "editors/SingleRowForm.h"

namespace editors {

class TPersonalInfoForm : public SingleRowForm {
    Q_OBJECT
public:
    explicit TPersonalInfoForm(QWidget* parent = nullptr);

protected:
    // Stops at the first empty field (a blank is not empty): says so in a message box captioned
    // with the program's title, then shows the tab that holds the field.
    bool requiredFieldsFilled() override;
};

} // namespace editors
