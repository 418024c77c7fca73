// The uninstall side of kwmain.
#pragma once

#include "installer/engine/Controller.h"

#include <string>

namespace kw {

class UninstallController : public Controller {
public:
    explicit UninstallController(std::string programDirectory) : programDirectory_(std::move(programDirectory)) {}
    bool Init() override { return false; }
    int Run() override { return 0; }
    void Finish() override {}

private:
    std::string programDirectory_;
};

} // namespace kw
