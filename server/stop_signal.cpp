#include "server/stop_signal.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace zk::server {

namespace {

// The signal handler can reach nothing but this descriptor.
volatile sig_atomic_t gStopWriteFd = -1;

void OnStopSignal(int)
{
    const int saved = errno;
    const int fd = gStopWriteFd;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

StopSignal::StopSignal()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readFd_ = fds[0];
    writeFd_ = fds[1];
    gStopWriteFd = writeFd_;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A client that vanishes must not end the process; sends use MSG_NOSIGNAL as well.
    std::signal(SIGPIPE, SIG_IGN);
}

StopSignal::~StopSignal()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    gStopWriteFd = -1;
    if (readFd_ >= 0)
        ::close(readFd_);
    if (writeFd_ >= 0)
        ::close(writeFd_);
}

void StopSignal::Raise() const
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(writeFd_, &byte, 1);
}

bool StopSignal::Raised() const
{
    pollfd entry{readFd_, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
}

} // namespace zk::server
