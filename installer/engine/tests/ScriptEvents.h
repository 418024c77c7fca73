// Runs single events of the install script in tests, as the script's dispatch does, and reads
// the variables they store.
#pragma once

#include "installer/engine/EventFactory.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/ScriptInstaller.h"

#include <cstddef>
#include <string>
#include <vector>

// Makes one event of the code with its texts and ints and dispatches it; its success.
inline bool RunEvent(kw::ScriptInstaller& script, int code, const std::vector<std::string>& texts,
                     const std::vector<int>& ints)
{
    auto e = kw::FindEventFactory(code)->Create();
    for (std::size_t i = 0; i < texts.size(); ++i) e->Text(static_cast<int>(i)).Assign(texts[i].c_str());
    for (std::size_t i = 0; i < ints.size(); ++i) e->Int(static_cast<int>(i)) = ints[i];
    int result = 0;
    return script.DispatchEvent(*e, result);
}

// A string variable's value, "(none)" when there is no such variable.
inline std::string StringVariable(const kw::ScriptInstaller& script, const char* name)
{
    return script.FindString(name) ? script.FindString(name) : "(none)";
}

// An integer variable's value, -999 when there is no such variable.
inline int IntVariable(const kw::ScriptInstaller& script, const char* name)
{
    return script.FindInt(name) ? *script.FindInt(name) : -999;
}
