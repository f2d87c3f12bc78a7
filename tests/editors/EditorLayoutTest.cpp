#include "EditorFixture.h"

#include "editors/TDbEdit.h"
#include "editors/TEducationalHistoryForm.h"
#include "editors/TEmploymentHistoryForm.h"
#include "editors/THonorsCertificationsForm.h"
#include "editors/TOrganizationsForm.h"
#include "editors/TPersonalInfoForm.h"
#include "editors/TPurposeStatementsForm.h"
#include "editors/TReferencesForm.h"
#include "editors/TSkillAreaForm.h"

#include <QLabel>

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

using EditorLayoutTest = EditorFixture;

// The columns whose captions are drawn in maroon, as the user sees them while enabled.
std::set<QString> principalColumns(const QWidget& form) {
    std::set<QString> columns;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->buddy() &&
            label->palette().color(QPalette::Active, QPalette::WindowText) == QColor(128, 0, 0))
            columns.insert(label->buddy()->objectName());
    }
    return columns;
}

TEST_F(EditorLayoutTest, PrincipalFieldsHaveMaroonCaptions) {
    struct Case {
        const char* form;
        std::function<std::unique_ptr<QWidget>()> create;
        std::set<QString> principal;
    };
    const Case cases[] = {
        {"employment",
         [] { return std::make_unique<editors::TEmploymentHistoryForm>(); },
         {"Company", "City", "Country", "Position", "DateFrom"}},
        {"education", [] { return std::make_unique<editors::TEducationalHistoryForm>(); }, {}},
        {"honors",
         [] { return std::make_unique<editors::THonorsCertificationsForm>(); },
         {"Title", "Date"}},
        {"organizations",
         [] { return std::make_unique<editors::TOrganizationsForm>(); },
         {"Name", "DateFrom"}},
        {"skills",
         [] { return std::make_unique<editors::TSkillAreaForm>(); },
         {"skill", "comments"}},
        {"references", [] { return std::make_unique<editors::TReferencesForm>(); }, {"Name"}},
        {"personal",
         [] { return std::make_unique<editors::TPersonalInfoForm>(); },
         {"FirstName", "LastName", "HomePhone", "PermanentAddressLine1", "PermanentCity",
          "CurrentAddressLine1", "CurrentCity"}},
        {"purpose", [] { return std::make_unique<editors::TPurposeStatementsForm>(); }, {}},
    };
    for (const Case& c : cases) {
        const auto form = c.create();
        EXPECT_EQ(principalColumns(*form), c.principal) << c.form;
    }
}

// The next widget that the Tab key can stop at, whatever page it is on; the inner parts of a
// field (the text of a date field) count as the field.
const QWidget* nextTabStop(const QWidget* field) {
    const QWidget* widget = field;
    do
        widget = widget->nextInFocusChain();
    while ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || field->isAncestorOf(widget));
    return widget;
}

TEST_F(EditorLayoutTest, TabKeyGoesThroughTheFieldsInOrderThenTheButtons) {
    struct Case {
        std::function<std::unique_ptr<QWidget>()> create;
        std::vector<const char*> order;
    };
    const Case cases[] = {
        {[] { return std::make_unique<editors::TEmploymentHistoryForm>(); },
         {"Company", "City", "Country", "URL", "Position", "StillEmployed", "InAllPublished",
          "DateFrom", "DateTo", "comments", "newbtn", "deletebtn", "savebtn", "First"}},
        {[] { return std::make_unique<editors::TPersonalInfoForm>(); },
         {"FirstName", "LastName", "MiddleInitial", "HomePhone", "WorkPhone", "EmailAddress",
          "PersonalWebsite", "PermanentAddressLine1"}},
    };
    for (const Case& c : cases) {
        const auto form = c.create();
        for (std::size_t i = 1; i < c.order.size(); ++i) {
            const auto* previous = form->findChild<QWidget*>(QString::fromLatin1(c.order[i - 1]));
            ASSERT_NE(previous, nullptr) << c.order[i - 1];
            EXPECT_EQ(nextTabStop(previous)->objectName(), c.order[i]) << c.order[i - 1];
        }
    }
}

} // namespace
