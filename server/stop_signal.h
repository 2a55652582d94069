#pragma once

namespace zk::server {

// SIGTERM and SIGINT turn into a descriptor that becomes readable and stays readable, so
// the listener and every worker can poll it beside their own socket. One per process.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool valid() const { return readFd_ >= 0; }
    // Readable once a stop was asked for.
    int fd() const { return readFd_; }
    // Asks for the stop as the signals do.
    void Raise() const;
    bool Raised() const;

private:
    int readFd_ = -1;
    int writeFd_ = -1;
};

} // namespace zk::server
