// Help by context number: opens the program's help (when it has one) at a context number.
// Tests install a responder that records the requests.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace fw {

// The program's help file; empty: the program has none and help requests do nothing.
void SetHelpFile(const std::string& path);
const std::string& HelpFile();

// Opens the help at the context number; false when there is no help to open.
bool ShowHelp(int context);

using HelpResponder = std::function<void(int context)>;
HelpResponder SetHelpResponder(HelpResponder responder);

// For tests: records every help request while it lives.
class RecordedHelp {
public:
    RecordedHelp();
    ~RecordedHelp();
    RecordedHelp(const RecordedHelp&) = delete;
    RecordedHelp& operator=(const RecordedHelp&) = delete;
    const std::vector<int>& Contexts() const { return contexts_; }

private:
    HelpResponder previous_;
    std::vector<int> contexts_;
};

}  // namespace fw
