// Reads fuzzed server replies line by line through the line I/O, the bytes
// arriving in pieces of a fuzzed size, and takes each line's reply code.
// Checks: every line read ends in its line feed or is the rest before a close,
// the lines together are exactly the bytes sent, and reply codes are never negative.
#include "FuzzInput.h"

#include "mail/LineIo.h"
#include "mail/MailErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace mail;

namespace {

// A peer that has sent `bytes` and then closed; `piece` bytes become readable at a
// time, as a slow server would deliver them.
class ScriptedPeer : public TLineIo {
public:
    ScriptedPeer(std::string_view bytes, size_t piece) : m_bytes(bytes), m_piece(piece) {}
    size_t consumed() const { return m_pos; }

protected:
    IoResult sendSome(const char*, std::size_t size) override {
        return {static_cast<long>(size), 0};
    }
    IoResult peekSome(char* buffer, std::size_t size) override {
        if (m_ready == 0 && m_pos < m_bytes.size())
            return {0, EAGAIN};
        const size_t n = std::min({size, m_ready, m_bytes.size() - m_pos});
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        return {static_cast<long>(n), 0};
    }
    IoResult receiveSome(char* buffer, std::size_t size) override {
        if (m_ready == 0 && m_pos < m_bytes.size())
            return {0, EAGAIN};
        const size_t n = std::min({size, m_ready, m_bytes.size() - m_pos});
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        m_ready -= n;
        return {static_cast<long>(n), 0};
    }
    void awaitIo(IoWait) override { m_ready += m_piece; }

private:
    std::string_view m_bytes;
    size_t m_piece;
    size_t m_pos = 0;
    size_t m_ready = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const size_t piece = 1 + input.byte() % 64;
    const std::string_view replies = input.rest();
    ScriptedPeer peer(replies, piece);
    std::string seen;
    try {
        // Every line takes at least one byte, so this ends.
        for (;;) {
            const std::string line = peer.ReadLn();
            if (line.empty())
                break;
            if (line.back() != '\n' || line.find('\n') != line.size() - 1)
                fuzz::broken();
            if (parseReplyCode(line) < 0)
                fuzz::broken();
            seen += line;
        }
    } catch (const ESockError&) {
        // Only a line longer than the buffer is refused.
        return 0;
    }
    if (seen != replies.substr(0, seen.size()) || peer.consumed() < seen.size())
        fuzz::broken();
    return 0;
}
