// A time-out on the machine's tick count (milliseconds, 32 bits), correct across the count's
// wrap-around after 49.7 days.
#pragma once

#include <cstdint>

namespace kw {

// The machine's tick count: the emulated root's when one is current, else a monotonic clock.
uint32_t TickCount();

class TickTimer {
public:
    void Start(uint32_t duration);
    bool Expired() const; // the count has moved on by the duration since Start
    void WaitPumping() const; // keeps the windows alive until expired
    void WaitFor(uint32_t duration);
    uint32_t Elapsed() const { return TickCount() - start_; }

private:
    uint32_t start_ = 0;
    uint32_t duration_ = 0;
};

} // namespace kw
