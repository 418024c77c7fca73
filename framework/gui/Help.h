// Help by context number: opens the program's help (when it has one) at a context number.
// Tests install a responder that records the requests.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/Responder.h"

namespace fw {

// The program's help file; empty: the program has none and help requests do nothing.
void SetHelpFile(const std::string& path);
const std::string& HelpFile();

// Opens the help at the context number; false when there is no help to open or nothing on
// the desktop could show it (no web browser).
bool ShowHelp(int context);

// The seam ShowHelp asks first; its responder gets the context number and answers whether
// the help was shown.
using HelpSeam = ModalSeam<struct HelpTag, bool(int context)>;

// For tests: records every help request while it lives.
class RecordedHelp {
public:
    RecordedHelp();
    RecordedHelp(const RecordedHelp&) = delete;
    RecordedHelp& operator=(const RecordedHelp&) = delete;
    const std::vector<int>& Contexts() const { return contexts_; }

private:
    std::vector<int> contexts_;
    Responder<HelpSeam> responder_;
};

}  // namespace fw
