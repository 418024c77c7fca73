// Program-wide state brought back to its start: each owner of a global, a singleton or a
// shared cache registers one function that restores it as the program began, and the test
// programs run them all after every test, so that no test sees what another left behind.
// The program itself never runs them.
#pragma once

namespace fw {

class StateReset {
public:
    using Function = void (*)();

    // Registers reset. An owner keeps one of these at namespace scope in the .cpp that defines
    // its state, so the registration is linked into exactly the programs that hold the state.
    explicit StateReset(Function reset);

    // Runs every registered reset, in the order they were registered.
    static void RunAll();
};

} // namespace fw
