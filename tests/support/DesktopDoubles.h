// Scriptable stand-ins for the desktop, for tests that run offscreen: each takes
// a queue of answers and records what it was asked. They live with the tests, so
// the shipped platform library carries only the real desktop.
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Keyring.h"
#include "platform/Shell.h"

#include <QList>

#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace testsupport {

using platform::Answer;
using platform::FileDialogOptions;
using platform::FontChoice;
using platform::MessageRequest;

// Answers from queues. An empty queue answers as a user who dismisses the
// dialog: Ok for an OK-only box, otherwise Cancel; file and font dialogs cancel.
class ScriptedDialogs : public platform::Dialogs {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> openFile(const FileDialogOptions& options) override;
    std::optional<QString> saveFile(const FileDialogOptions& options) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<QString> askPassword(const QString& prompt) override;

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<QString>> passwordAnswers;

    std::vector<MessageRequest> messages;
    std::vector<FileDialogOptions> openRequests;
    std::vector<FileDialogOptions> saveRequests;
    std::vector<FontChoice> fontRequests;
    std::vector<QString> passwordRequests;
};

// A keyring in memory; with available false it behaves as a desktop without a
// secret service.
class MemoryKeyring : public platform::Keyring {
public:
    std::optional<QString> readPassword(const QString& account) override;
    bool writePassword(const QString& account, const QString& password) override;
    void removePassword(const QString& account) override;

    bool available = true;
    std::map<QString, QString> passwords;
    int reads = 0;
};

struct ShellCall {
    QString verb;
    QString target;
    QString parameters;
    QString directory;
    int showCommand = 0;
};

// Records every request and returns queued results (success when empty).
class RecordingShell : public platform::Shell {
public:
    int execute(const QString& verb, const QString& target, const QString& parameters,
                const QString& directory, int showCommand) override;

    std::deque<int> results;
    std::vector<ShellCall> calls;
};

// Copies for real unless told to fail; records every request.
class RecordingFileSystem : public platform::FileSystem {
public:
    bool copyFile(const QString& source, const QString& target) override;
    QString lastError() const override { return m_lastError; }

    // Copies fail with this reason while set.
    bool failCopies = false;
    QString failure = QStringLiteral("The disk is full.");
    std::vector<std::pair<QString, QString>> copies;

private:
    QString m_lastError;
};

class FixedClock : public platform::Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
};

// Draws queued values (0 when empty) and records the seeds.
class ScriptedRandom : public platform::Random {
public:
    void seed(quint64 value) override { seeds.push_back(value); }
    int next(int range) override;

    std::deque<int> values;
    std::vector<quint64> seeds;
    std::vector<int> ranges;
};

} // namespace testsupport
