#include "data/link/server_context.h"

#include "data/link/app_handshake.h"

#include <mutex>

namespace zk {

namespace {

struct ContextSlot {
    std::mutex mutex;
    std::function<ServerContext()> provider;
};

ContextSlot& Slot()
{
    static ContextSlot slot;
    return slot;
}

} // namespace

void InstallServerContext(std::function<ServerContext()> provider)
{
    ContextSlot& slot = Slot();
    const std::lock_guard lock(slot.mutex);
    slot.provider = std::move(provider);
}

ServerContext CurrentServerContext()
{
    std::function<ServerContext()> provider;
    {
        ContextSlot& slot = Slot();
        const std::lock_guard lock(slot.mutex);
        provider = slot.provider;
    }
    // Called outside the lock: the provider takes its own care of the members it reads.
    return provider ? provider() : ServerContext{};
}

ServerContext ServerContextOf(const AppLinkState& state)
{
    return {state.server_ip, state.server_port, state.init_reply};
}

} // namespace zk
