// Requests to the move-executable program.
#pragma once

#include <string>

namespace kw {

struct MoveRequest {
    std::string file;
    std::string target;
    int execute = 0;
};

bool WriteMoveRequest(const MoveRequest& request);

} // namespace kw
