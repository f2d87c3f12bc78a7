#include "editors/TPurposeStatementsForm.h"

#include "editors/TDbMemo.h"

namespace editors {

namespace {

struct Statement {
    const char* tab;
    const char* group;
    const char* name; // the text box
    const char* column;
};

const Statement kStatements[] = {
    {"Objective", "The objective narrative should cleary state your career objectives: ",
     "objective", "objective"},
    {"Summary", "The summary statement should state your career experiences in succinct form: ",
     "summary", "summary"},
    {"Personal", "Mold your personal statement to fit the culture of your prospective employers: ",
     "personal", "personal"},
    {"Keywords", "Keywords are a set of descriptive labels that apply to you: ", "keywords",
     "keyword"},
};

} // namespace

TPurposeStatementsForm::TPurposeStatementsForm(QWidget* parent)
    : SingleRowForm(QStringLiteral("PurposeStatementsForm"),
                    QStringLiteral("Purpose Statements: Use MAPP motivation bullet points here"),
                    QStringLiteral("Purpose"), QStringLiteral("previewbtn"), parent) {
    for (const Statement& statement : kStatements) {
        FieldGrid& grid =
            addGroupPage(QString::fromLatin1(statement.tab), QString::fromLatin1(statement.group));
        TDbMemo* text = grid.addMemo({}, QString::fromLatin1(statement.column));
        text->setObjectName(QString::fromLatin1(statement.name));
    }
    finishLayout();
    resize(560, 360);
}

} // namespace editors
