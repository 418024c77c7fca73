// The two sides of kwmain, the installer and the uninstaller, each driven by the program's
// entry through init, run and finish.
#pragma once

namespace kw {

class Controller {
public:
    virtual ~Controller() = default;
    // The run's result (the installer writes it back into "kwmain.ini").
    virtual int Run() = 0;
    // After Run: frees what the run kept.
    virtual void Finish() = 0;
    // True to go on to Run, false to end the program.
    virtual bool Init() = 0;
};

} // namespace kw
