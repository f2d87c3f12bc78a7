#include "support/DesktopDoubles.h"

namespace testsupport {

namespace {

template <typename T> std::optional<T> take(std::deque<std::optional<T>>& queue) {
    std::optional<T> value;
    if (!queue.empty()) {
        value.swap(queue.front());
        queue.pop_front();
    }
    return value;
}

} // namespace

Answer ScriptedDialogs::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (answers.empty())
        return request.buttons == platform::Buttons::Ok ? Answer::Ok : Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::askPassword(const QString& prompt) {
    passwordRequests.push_back(prompt);
    return take(passwordAnswers);
}

std::optional<QString> MemoryKeyring::readPassword(const QString& account) {
    ++reads;
    const auto found = passwords.find(account);
    if (!available || found == passwords.end())
        return std::nullopt;
    return found->second;
}

bool MemoryKeyring::writePassword(const QString& account, const QString& password) {
    if (!available)
        return false;
    passwords[account] = password;
    return true;
}

void MemoryKeyring::removePassword(const QString& account) {
    passwords.erase(account);
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogOptions& options) {
    openRequests.push_back(options);
    return take(openAnswers);
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogOptions& options) {
    saveRequests.push_back(options);
    auto path = take(saveAnswers);
    if (path)
        return platform::withDefaultExtension(*path, options.defaultExtension);
    return path;
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial) {
    fontRequests.push_back(initial);
    return take(fontAnswers);
}

int RecordingShell::execute(const QString& verb, const QString& target, const QString& parameters,
                            const QString& directory, int showCommand) {
    calls.push_back({verb, target, parameters, directory, showCommand});
    if (results.empty())
        return platform::kShellSuccess;
    const int result = results.front();
    results.pop_front();
    return result;
}

bool RecordingFileSystem::copyFile(const QString& source, const QString& target) {
    copies.emplace_back(source, target);
    if (failCopies) {
        m_lastError = failure;
        return false;
    }
    platform::LocalFileSystem files;
    const bool copied = files.copyFile(source, target);
    m_lastError = files.lastError();
    return copied;
}

int ScriptedRandom::next(int range) {
    ranges.push_back(range);
    if (values.empty())
        return 0;
    const int value = values.front();
    values.pop_front();
    return value;
}

} // namespace testsupport
