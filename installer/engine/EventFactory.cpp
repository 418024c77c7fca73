#include "installer/engine/EventFactory.h"

#include "framework/stream/StateReset.h"
#include "installer/support/CheckFailed.h"

#include <new>

namespace kw {

namespace {
std::unique_ptr<EventFactory> gSlots[kFactorySlots];
int gCount = 0;
} // namespace

std::unique_ptr<ScriptEvent> EventFactory::Create() const
{
    if (code_ == 3) return std::unique_ptr<ScriptEvent>(new (std::nothrow) FileGroupEvent);
    return std::unique_ptr<ScriptEvent>(new (std::nothrow) ScriptEvent(code_));
}

void RegisterEventFactories()
{
    FreeEventFactories();
    std::vector<int> codes = {0, 1, 2};
    for (int c = 33; c <= 40; ++c) codes.push_back(c);
    for (int c = 3; c <= 32; ++c)
        if (c != 13) codes.push_back(c);
    for (int c = 41; c <= 53; ++c) codes.push_back(c);
    for (int code : codes) gSlots[gCount++] = std::make_unique<EventFactory>(code);
    for (int i = 1; i < gCount; ++i)
        for (int j = 0; j < i; ++j)
            CheckFailed("EVENT", __LINE__, gSlots[i]->TypeCode() != gSlots[j]->TypeCode());
}

void FreeEventFactories()
{
    for (auto& slot : gSlots) slot.reset();
    gCount = 0;
}

namespace {
const fw::StateReset resetFactories{FreeEventFactories};
} // namespace

int EventFactoryCount() { return gCount; }

const EventFactory* EventFactoryAt(int slot)
{
    return slot >= 0 && slot < kFactorySlots ? gSlots[slot].get() : nullptr;
}

const EventFactory* FindEventFactory(int code)
{
    for (int i = 0; i < gCount; ++i)
        if (gSlots[i]->TypeCode() == code) return gSlots[i].get();
    CheckFailed("EVENT", __LINE__, false);
    return nullptr;
}

} // namespace kw
