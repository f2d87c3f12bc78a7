// The working copy of new résumés that one running program owns in its program
// directory: data.tmp, or data-2.tmp, data-3.tmp, ... while other programs running
// there hold the ones before it. A lock file (data.tmp.lock) is held for the life
// of the program, so that a second program never replaces the first one's work.
//
// A working copy whose lock was left behind by a program that is no longer
// running, or whose content differs from the blank database, holds work that a
// run which ended without saving left there. It is offered for recovery at start
// and otherwise left alone: nothing overwrites it unasked.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace app {

class OwnWorkingCopy {
public:
    enum class Choice {
        // At start: a copy with work left in it, to offer it; else a free one.
        PreferLeftoverWork,
        // Later (New after starting on a file): a free copy, leaving left work alone.
        AvoidLeftoverWork,
    };

    // Claims a working copy in `directory` (with a trailing separator) and locks
    // it; null when every one is held by a running program. A copy that differs
    // from `blankDatabase` holds work.
    static std::unique_ptr<OwnWorkingCopy> claim(const QString& directory,
                                                 const QString& blankDatabase, Choice choice);

    ~OwnWorkingCopy();
    OwnWorkingCopy(const OwnWorkingCopy&) = delete;
    OwnWorkingCopy& operator=(const OwnWorkingCopy&) = delete;

    const QString& path() const { return m_path; }
    // Whether it held work of a run that ended without saving when it was claimed.
    bool heldLeftoverWork() const { return m_leftoverWork; }

    // Replaces it with a copy of data.mdb (blank) through the platform's file copy;
    // false when the copy failed. A journal a killed run left beside it goes too,
    // since the database engine would otherwise apply it to the blank copy.
    bool resetToBlank(const QString& blankDatabase);
    // Its content now also lives in a résumé file of its own (Save As), so it is no
    // work to recover at the next start; and the reverse, once it is edited anew.
    void markSaved();
    void markUnsaved();

private:
    OwnWorkingCopy(QString path, std::unique_ptr<QLockFile> lock);
    static std::unique_ptr<OwnWorkingCopy> tryClaim(const QString& directory,
                                                    const QString& blankDatabase, int slot);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_leftoverWork = false;
};

} // namespace app
