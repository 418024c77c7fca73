// Makes an empty event of the right class for a type code. The factories sit in a table of
// 100 slots; 53 are registered, in a fixed order of codes.
#pragma once

#include "installer/engine/ScriptEvent.h"

#include <memory>

namespace kw {

class EventFactory {
public:
    explicit EventFactory(int code) : code_(code) {}
    virtual ~EventFactory() = default;
    int TypeCode() const { return code_; }
    // A new, empty event (null when memory runs out).
    virtual std::unique_ptr<ScriptEvent> Create() const;

private:
    int code_;
};

enum { kFactorySlots = 100, kRegisteredFactories = 53 };

// Empties the slots and registers the 53 factories: codes 0-2, 33-40, 3-32 without 13, 41-53.
void RegisterEventFactories();
void FreeEventFactories();
int EventFactoryCount();
const EventFactory* EventFactoryAt(int slot);
// The factory of a code; null, with a check failure, when none is registered.
const EventFactory* FindEventFactory(int code);

} // namespace kw
