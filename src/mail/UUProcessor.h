// Turns an attachment's bytes into text lines for a mail body, in MIME base64 or
// in UU encoding, 45 input bytes to a line, each line ended by "\r\n".
//
// The encoders are free functions; TUUProcessor runs them over streams with the
// begin and end events the SMTP client exposes.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace mail {

enum class UUMethods {
    uuMime, // base64 with "=" padding, no trailing line
    uuCode, // UU lines led by a length character, closed by a line holding "`"
};

// Bytes read per encoded line.
constexpr std::size_t kBytesPerLine = 45;

// One encoded line (with "\r\n") of at most 45 bytes.
std::string encodeLine(std::string_view bytes, UUMethods method);
// Every line of data; for uuCode also the closing "`" line.
std::string encodeLines(std::string_view data, UUMethods method);
inline std::string base64Lines(std::string_view data) {
    return encodeLines(data, UUMethods::uuMime);
}
inline std::string uuencodeLines(std::string_view data) {
    return encodeLines(data, UUMethods::uuCode);
}

class TUUProcessor {
public:
    UUMethods Method = UUMethods::uuMime;
    std::function<void()> OnBeginEncode;
    std::function<void()> OnEndEncode;

    // Encodes the whole input from its start into output, leaving the output
    // positioned at its start, also when reading fails (which raises EMailError).
    void Encode(std::istream& input, std::iostream& output);
};

// The last component of a path, used as an attachment's name.
std::string attachmentFileName(std::string_view path);

// The header lines of an attachment part, through its empty line.
std::string attachmentPartHeader(std::string_view fileName, std::string_view boundary);

} // namespace mail
