#include "data/wait_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <mutex>
#include <thread>

namespace zk {

namespace {

struct PumpSlot {
    std::mutex mutex;
    std::function<void()> pump;
    std::thread::id owner;
};

PumpSlot& Slot()
{
    static PumpSlot slot;
    return slot;
}

} // namespace

void InstallWaitPump(std::function<void()> pump)
{
    PumpSlot& slot = Slot();
    const std::lock_guard lock(slot.mutex);
    slot.owner = pump ? std::this_thread::get_id() : std::thread::id{};
    slot.pump = std::move(pump);
}

std::function<void()> EventLoopWaitPump()
{
    return [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
}

bool WaitPumpActive()
{
    PumpSlot& slot = Slot();
    const std::lock_guard lock(slot.mutex);
    return slot.pump && slot.owner == std::this_thread::get_id();
}

void RunWaitPump()
{
    std::function<void()> pump;
    {
        PumpSlot& slot = Slot();
        const std::lock_guard lock(slot.mutex);
        if (slot.owner != std::this_thread::get_id())
            return;
        pump = slot.pump;
    }
    // Called outside the lock: the hook may run code that waits again.
    if (pump)
        pump();
}

} // namespace zk
