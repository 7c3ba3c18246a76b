#include "platform/mdb/isolation.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mdb::detail {
namespace {

bool waitedCleanly(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void stop(pid_t child)
{
    ::kill(child, SIGKILL);
    waitedCleanly(child);
}

} // namespace

std::optional<QByteArray> runIsolated(const std::function<void(int fd)>& work, int silenceMs)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return std::nullopt;
    // Output still buffered would otherwise be written twice, once by each process.
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        int status = 0;
        try {
            work(pipeEnds[1]);
        } catch (...) {
            status = 1;
        }
        ::close(pipeEnds[1]);
        // No exit handlers of the program run in the child.
        ::_exit(status);
    }

    ::close(pipeEnds[1]);
    const int fd = pipeEnds[0];
    QByteArray answer;
    char chunk[64 * 1024];
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, silenceMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            ::close(fd);
            stop(child);
            return std::nullopt;
        }
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            stop(child);
            return std::nullopt;
        }
        if (got == 0) break;
        answer.append(chunk, got);
    }
    ::close(fd);
    if (!waitedCleanly(child)) return std::nullopt;
    return answer;
}

} // namespace mdb::detail
