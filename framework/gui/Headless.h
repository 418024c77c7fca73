// Whether the program runs without a screen anyone could answer (the offscreen platform of
// the tests). Modal windows opened then without a test responder do not wait: they give
// their cancel answer at once and say so on standard error, so a forgotten responder fails
// a test instead of hanging it.
#pragma once

#include <string>

namespace fw {

bool IsHeadless();
// Reports a modal window that was answered without being shown.
void ReportHeadlessModal(const std::string& what);

}  // namespace fw
