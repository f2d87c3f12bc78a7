// A server program that a test starts on 127.0.0.1: it is ready once it prints
// "ready" on its standard output, and is stopped when the test ends however the
// test ends.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A port on 127.0.0.1 that nobody listened on a moment ago.
std::uint16_t freeLoopbackPort();

class ServerProcess {
public:
    // Runs program with its arguments and waits for its "ready" line.
    ServerProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool ready() const { return m_ready; }
    // Waits until the program ends by itself; true when it exited with 0.
    bool finished();

private:
    pid_t m_pid = -1;
    bool m_ready = false;
};

} // namespace testsupport
