#include "platform/PreviewCommand.h"

namespace platform {
namespace {

std::function<void()>& previewCommand() {
    static std::function<void()> command;
    return command;
}

} // namespace

void setPreviewCommand(std::function<void()> command) {
    previewCommand() = std::move(command);
}

void previewResume() {
    if (previewCommand())
        previewCommand()();
}

} // namespace platform
