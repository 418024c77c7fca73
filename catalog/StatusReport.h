// The status window's line and gauge while the catalogue database reads, filters, sorts and
// restores; nothing is shown when the program has no status window.
#pragma once

#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <cstdint>
#include <string>

inline void StatusLine(const std::string& text)
{
    if (StatusWindow)
        StatusWindow->Message(text, true);
}

inline void StatusGauge(std::uint32_t percent)
{
    if (StatusWindow)
        StatusWindow->SetProgress(percent);
}
