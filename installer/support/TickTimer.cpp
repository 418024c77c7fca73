#include "installer/support/TickTimer.h"

#include "framework/sys/WinRoot.h"
#include "installer/support/MessageLoop.h"

#include <chrono>
#include <thread>

namespace kw {

uint32_t TickCount()
{
    if (fw::WinRoot* root = fw::WinRoot::Current()) return root->TickCount();
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TickTimer::Start(uint32_t duration)
{
    start_ = TickCount();
    duration_ = duration;
}

// Unsigned subtraction gives the ticks since Start even when the count wrapped meanwhile.
bool TickTimer::Expired() const { return uint32_t(TickCount() - start_) >= duration_; }

void TickTimer::WaitPumping() const
{
    while (!Expired()) {
        if (!MessageLoop::Instance().Pump(true)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void TickTimer::WaitFor(uint32_t duration)
{
    Start(duration);
    WaitPumping();
}

} // namespace kw
