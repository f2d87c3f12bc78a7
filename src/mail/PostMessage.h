// The message the SMTP client sends: sender, recipients, subject, text lines and
// the paths of the files to attach.
#pragma once

#include <string>
#include <vector>

namespace mail {

struct TPostMessage {
    std::string FromAddress;
    std::string FromName;
    // One address entry per line; an entry may carry a display name.
    std::vector<std::string> ToAddress;
    std::vector<std::string> ToCarbonCopy;
    std::vector<std::string> ToBlindCarbonCopy;
    std::vector<std::string> Body;
    // One file path per line.
    std::vector<std::string> Attachments;
    std::string Subject;
    // The mailer's name, sent as X-Mailer.
    std::string LocalProgram;
    std::string Date;
    std::string ReplyTo;
};

} // namespace mail
