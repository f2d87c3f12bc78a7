#include "platform/PreviewCommand.h"

#include <QEvent>
#include <QPushButton>

namespace platform {
namespace {

std::function<void()>& previewCommand() {
    static std::function<void()> command;
    return command;
}

std::function<void()>& pagePreviewCommand() {
    static std::function<void()> command;
    return command;
}

// Follows the leader's own enabled setting (not its parent's), so a follower
// set apart never takes the state of a disabled parent for its own.
class EnabledFollower : public QObject {
public:
    EnabledFollower(QWidget* follower, QWidget* leader) : QObject(follower), m_follower(follower) {
        leader->installEventFilter(this);
        follow(leader);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            follow(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void follow(const QWidget* leader) {
        m_follower->setEnabled(!leader->testAttribute(Qt::WA_ForceDisabled));
    }

    QWidget* m_follower;
};

} // namespace

void setPreviewCommand(std::function<void()> command) {
    previewCommand() = std::move(command);
}

void previewResume() {
    if (previewCommand())
        previewCommand()();
}

void setPagePreviewCommand(std::function<void()> command) {
    pagePreviewCommand() = std::move(command);
}

void pagePreview() {
    if (pagePreviewCommand())
        pagePreviewCommand()();
}

void enableWithPreview(QPushButton* pages, QPushButton* preview) {
    new EnabledFollower(pages, preview);
}

} // namespace platform
