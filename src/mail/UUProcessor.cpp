#include "mail/UUProcessor.h"

#include "mail/MailErrors.h"

#include <array>
#include <istream>
#include <ostream>

namespace mail {

namespace {

constexpr std::string_view kMimeAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The grave accent for 0, then "!" to "_".
constexpr std::array<char, 64> uuAlphabet() {
    std::array<char, 64> a{};
    a[0] = '`';
    for (int i = 1; i < 64; ++i)
        a[static_cast<std::size_t>(i)] = static_cast<char>(32 + i);
    return a;
}
constexpr std::array<char, 64> kUuAlphabet = uuAlphabet();

char digit(UUMethods method, unsigned value) {
    switch (method) {
    case UUMethods::uuMime:
        return kMimeAlphabet[value & 63];
    case UUMethods::uuCode:
        return kUuAlphabet[value & 63];
    }
    return '?';
}

// A double quote or backslash in a file name would end or break the quoted value.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace

std::string encodeLine(std::string_view bytes, UUMethods method) {
    std::string line;
    line.reserve(64);
    if (method == UUMethods::uuCode)
        line += digit(method, static_cast<unsigned>(bytes.size()));
    std::size_t i = 0;
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    for (; i + 3 <= bytes.size(); i += 3) {
        line += digit(method, b(i) >> 2);
        line += digit(method, ((b(i) & 3) << 4) | (b(i + 1) >> 4));
        line += digit(method, ((b(i + 1) & 15) << 2) | (b(i + 2) >> 6));
        line += digit(method, b(i + 2) & 63);
    }
    const std::size_t left = bytes.size() - i;
    if (left == 1) {
        line += digit(method, b(i) >> 2);
        line += digit(method, (b(i) & 3) << 4);
        if (method == UUMethods::uuMime)
            line += "==";
    } else if (left == 2) {
        line += digit(method, b(i) >> 2);
        line += digit(method, ((b(i) & 3) << 4) | (b(i + 1) >> 4));
        line += digit(method, (b(i + 1) & 15) << 2);
        if (method == UUMethods::uuMime)
            line += '=';
    }
    line += "\r\n";
    return line;
}

std::string encodeLines(std::string_view data, UUMethods method) {
    std::string out;
    out.reserve((data.size() / kBytesPerLine + 2) * 64);
    for (std::size_t at = 0; at < data.size(); at += kBytesPerLine)
        out += encodeLine(data.substr(at, kBytesPerLine), method);
    if (method == UUMethods::uuCode)
        out += encodeLine({}, method);
    return out;
}

void TUUProcessor::Encode(std::istream& input, std::iostream& output) {
    input.clear();
    input.seekg(0);
    if (OnBeginEncode)
        OnBeginEncode();
    struct AtEnd {
        TUUProcessor& self;
        std::iostream& output;
        ~AtEnd() {
            output.clear();
            output.seekg(0);
            output.seekp(0);
            if (self.OnEndEncode)
                self.OnEndEncode();
        }
    } atEnd{*this, output};
    char block[kBytesPerLine];
    for (;;) {
        input.read(block, kBytesPerLine);
        const auto n = static_cast<std::size_t>(input.gcount());
        if (input.bad())
            throw EMailError("Read error while encoding an attachment");
        if (n == 0)
            break;
        output << encodeLine({block, n}, Method);
    }
    if (Method == UUMethods::uuCode)
        output << encodeLine({}, Method);
}

std::string attachmentFileName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string attachmentPartHeader(std::string_view fileName, std::string_view boundary) {
    std::string h;
    h += "--";
    h += boundary;
    h += "\r\n";
    h += "Content-Type: application/octet-stream; name=" + quoted(fileName) + "\r\n";
    h += "Content-Transfer-Encoding: base64\r\n";
    h += "Content-Disposition: attachment; filename=" + quoted(fileName) + "\r\n";
    h += "\r\n";
    return h;
}

} // namespace mail
