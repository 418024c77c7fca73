#include "catalog/CatalogueStatus.h"

#include "globals/Globals.h"

namespace {
CatalogueStatusSink& Sink()
{
    static CatalogueStatusSink sink;
    return sink;
}
} // namespace

void CatalogueStatusMessage(const std::string& text)
{
    if (Sink().message)
        Sink().message(text);
    // The status window joins here when it exists.
}

void CatalogueStatusGauge(int percent)
{
    if (Sink().gauge)
        Sink().gauge(percent);
}

CatalogueStatusSink SetCatalogueStatusSink(CatalogueStatusSink sink)
{
    CatalogueStatusSink previous = Sink();
    Sink() = std::move(sink);
    return previous;
}
