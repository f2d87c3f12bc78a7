#include "support/ServerProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

extern char** environ;

namespace testsupport {

std::uint16_t freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

ServerProcess::ServerProcess(const std::string& program,
                             const std::vector<std::string>& arguments) {
    int out[2];
    if (::pipe(out) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    FILE* in = ::fdopen(out[0], "r");
    char line[64] = {};
    m_ready =
        m_pid > 0 && std::fgets(line, sizeof line, in) != nullptr && std::string(line) == "ready\n";
    std::fclose(in);
}

ServerProcess::~ServerProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool ServerProcess::finished() {
    int status = 0;
    const bool ok = m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid && WIFEXITED(status) &&
                    WEXITSTATUS(status) == 0;
    m_pid = -1;
    return ok;
}

} // namespace testsupport
