#include "store/qt/ProgramState.h"

namespace store {

namespace {

struct State {
    int unsaved = 0;
    QString documentPath;
};

State& state() {
    static State value;
    return value;
}

} // namespace

int unsavedFlag() {
    return state().unsaved;
}
void setUnsavedFlag(int value) {
    state().unsaved = value;
}

QString currentResumeDocumentPath() {
    return state().documentPath;
}
void setCurrentResumeDocumentPath(const QString& path) {
    state().documentPath = path;
}

} // namespace store
