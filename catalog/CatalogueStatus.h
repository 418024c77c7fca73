// Where the catalogue's long operations report their message lines and progress: the
// program's status window once it exists. Tests install a sink that records what is reported.
#pragma once

#include <functional>
#include <string>

struct CatalogueStatusSink {
    std::function<void(const std::string&)> message;
    std::function<void(int)> gauge;  // percent
};

// A status line, shown.
void CatalogueStatusMessage(const std::string& text);
// The progress bar, in percent.
void CatalogueStatusGauge(int percent);

// Installs a sink in place of the status window (empty members: back to the window);
// returns the one it replaces.
CatalogueStatusSink SetCatalogueStatusSink(CatalogueStatusSink sink);
