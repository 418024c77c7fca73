#include "framework/stream/StateReset.h"

#include <vector>

namespace fw {

namespace {
// Built on first use: registrations run during static initialisation, in any file order.
std::vector<StateReset::Function>& Registered()
{
    static std::vector<StateReset::Function> resets;
    return resets;
}
} // namespace

StateReset::StateReset(Function reset)
{
    Registered().push_back(reset);
}

void StateReset::RunAll()
{
    for (Function reset : Registered())
        reset();
}

} // namespace fw
