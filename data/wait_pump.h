#pragma once

#include <functional>

namespace zk {

// What a blocking call of the data layer (server link, HTTP) does while it waits.
//
// This is one of the two process-wide settings of the data layer (the other is the
// server context of the sessions, data/link/server_context.h). The client installs
// EventLoopWaitPump() once at start-up, on its user-interface thread: a request that
// waits on that thread then keeps painting and timers going (but not user input),
// while the same request on any other thread, or in a program that installs nothing
// (zk_server, zk_admin), simply blocks.

// How often a waiting call hands control to the hook.
constexpr int kWaitPumpIntervalMs = 20;

// Makes `pump` the hook of the calling thread; an empty function removes it.
void InstallWaitPump(std::function<void()> pump);

// The hook the client installs: one pass of the calling thread's event loop that
// leaves user input queued.
std::function<void()> EventLoopWaitPump();

// True when the calling thread is the one that installed a hook.
bool WaitPumpActive();

// Runs the hook when the calling thread installed it; does nothing otherwise.
void RunWaitPump();

// Installs a hook for its own lifetime and removes it afterwards.
class ScopedWaitPump {
public:
    explicit ScopedWaitPump(std::function<void()> pump) { InstallWaitPump(std::move(pump)); }
    ~ScopedWaitPump() { InstallWaitPump({}); }
    ScopedWaitPump(const ScopedWaitPump&) = delete;
    ScopedWaitPump& operator=(const ScopedWaitPump&) = delete;
};

} // namespace zk
