#include "framework/gui/Headless.h"

#include <QGuiApplication>

#include <cstdio>

namespace fw {

bool IsHeadless()
{
    QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal";
}

void ReportHeadlessModal(const std::string& what)
{
    std::fprintf(stderr, "headless: %s answered without a window (no responder installed)\n", what.c_str());
}

}  // namespace fw
