#include "installer/support/WindowStack.h"

#include "framework/stream/StateReset.h"

namespace kw {

WindowStack& WindowStack::Instance()
{
    static WindowStack stack;
    return stack;
}

namespace {
const fw::StateReset resetStack{[] { WindowStack::Instance() = WindowStack(); }};
} // namespace

void WindowStack::Push(QWidget* window)
{
    if (count_ < kCapacity) windows_[count_++] = window;
}

void WindowStack::Pop()
{
    if (count_ > 0) windows_[--count_] = nullptr;
}

QWidget* WindowStack::Top() const { return count_ > 0 ? windows_[count_ - 1] : nullptr; }

}  // namespace kw
