#include "editors/TPersonalInfoForm.h"

#include "editors/TDbEdit.h"
#include "editors/TabPages.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"

namespace editors {

namespace {

constexpr int kContactTab = 0;
constexpr int kPermanentTab = 1;

struct RequiredField {
    const char* column;
    const char* message;
    int tab;
};

// In the order they are checked; the messages are the program's own texts as they stand.
constexpr RequiredField kRequiredFields[] = {
    {"FirstName", "First Name is a required field!", kContactTab},
    {"LastName", "Last Name is a reguired field!", kContactTab},
    {"HomePhone", "Home Phone is a required field!", kContactTab},
    {"PermanentAddressLine1", "Address is a reguired field!", kPermanentTab},
    {"PermanentCity", "City is a reguired field!", kPermanentTab},
};

} // namespace

TPersonalInfoForm::TPersonalInfoForm(QWidget* parent)
    : SingleRowForm(QStringLiteral("PersonalInfoForm"), QStringLiteral("Personal Information"),
                    QStringLiteral("ContactInfo"), QStringLiteral("PreviewBtn"), parent) {
    FieldGrid& contact = addGroupPage(QStringLiteral("Contact Informations"),
                                      QStringLiteral("Tell us a little about who you are: "));
    contact.addEdit(QStringLiteral("First Name: "), QStringLiteral("FirstName"),
                    Caption::Principal);
    contact.addEdit(QStringLiteral("Last Name: "), QStringLiteral("LastName"), Caption::Principal);
    contact.addEdit(QStringLiteral("Middle Initial: "), QStringLiteral("MiddleInitial"),
                    Caption::Plain, 40);
    contact.addEdit(QStringLiteral("Home phone number: "), QStringLiteral("HomePhone"),
                    Caption::Principal);
    contact.addEdit(QStringLiteral("Work phone number: "), QStringLiteral("WorkPhone"));
    contact.addEdit(QStringLiteral("E-mail Address: "), QStringLiteral("EmailAddress"));
    contact.addEdit(QStringLiteral("Personal Website: "), QStringLiteral("PersonalWebsite"));
    contact.addStretch();

    FieldGrid& permanent =
        addGroupPage(QStringLiteral("Permanent Address"),
                     QStringLiteral("Provide information on your permanent address: "));
    permanent.addEdit(QStringLiteral("Address Line 1: "), QStringLiteral("PermanentAddressLine1"),
                      Caption::Principal);
    permanent.addEdit(QStringLiteral("Address Line 2: "), QStringLiteral("PermanentAddressLine2"));
    permanent.addEdit(QStringLiteral("City: "), QStringLiteral("PermanentCity"),
                      Caption::Principal);
    permanent.addEdit(QStringLiteral("State: "), QStringLiteral("PermanentState"));
    permanent.addEdit(QStringLiteral("Country: "), QStringLiteral("PermanentCountry"));
    permanent.addEdit(QStringLiteral("Zip Code: "), QStringLiteral("PermanentZipCode"));
    permanent.addStretch();

    // The current address is kept but not printed; its principal captions are not enforced.
    FieldGrid& current =
        addGroupPage(QStringLiteral("Current Address"),
                     QStringLiteral("Provide information on your current address: "));
    current.addEdit(QStringLiteral("Address Line 1: "), QStringLiteral("CurrentAddressLine1"),
                    Caption::Principal);
    current.addEdit(QStringLiteral("Address Line 2: "), QStringLiteral("CurrentAddressLine2"));
    current.addEdit(QStringLiteral("City: "), QStringLiteral("CurrentCity"), Caption::Principal);
    current.addEdit(QStringLiteral("State: "), QStringLiteral("CurrentState"));
    current.addEdit(QStringLiteral("Country: "), QStringLiteral("CurrentCountry"));
    current.addEdit(QStringLiteral("Zip Code: "), QStringLiteral("CurrentZipCode"));
    current.addStretch();

    finishLayout();
    resize(520, 340);
}

bool TPersonalInfoForm::requiredFieldsFilled() {
    for (const RequiredField& required : kRequiredFields) {
        const auto* field = findChild<TDbEdit*>(QString::fromLatin1(required.column));
        if (!field->text().isEmpty())
            continue;
        platform::dialogs().message(QString::fromLatin1(required.message),
                                    platform::applicationTitle(), platform::Buttons::Ok,
                                    platform::Icon::None);
        tabPages()->setActiveIndex(required.tab);
        FlatTabControl1TabChanged();
        return false;
    }
    return true;
}

} // namespace editors
