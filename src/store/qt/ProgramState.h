// The two pieces of application state that windows beyond the main one read:
// whether the working copy is an unsaved new résumé, and the path of the résumé
// document that generation writes and preview, print and e-mail use.
#pragma once

#include <QString>

namespace store {

// 1 while the working copy is the program directory's data.tmp not yet saved
// under a name of its own; 0 otherwise. It says nothing about edits.
int unsavedFlag();
void setUnsavedFlag(int value);

// temp.doc in the program directory at start; the export target afterwards.
QString currentResumeDocumentPath();
void setCurrentResumeDocumentPath(const QString& path);

} // namespace store
