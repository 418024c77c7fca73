// The export options dialog shared by the planner's observing-list export and the observing
// log's export: paragraph text, a tab-delimited list or a TheSky label file, of which the
// caller allows some and chooses one beforehand.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>

class ExportOptionsDialog : public fw::Dialog {
public:
    // Export forms, as bits of the allowed mask and as the choice.
    enum Form : std::int32_t { ParagraphText = 1, TabDelimited = 2, TheSky = 4 };
    static constexpr int kResourceId = 35;
    // Controls.
    static constexpr int ID_THESKY = 101;
    static constexpr int ID_PARAGRAPH = 102;
    static constexpr int ID_TABDELIMITED = 104;

    explicit ExportOptionsDialog(QWidget* parent, int resource = kResourceId);

    std::int32_t allowed = ParagraphText | TabDelimited | TheSky;
    std::int32_t choice = TabDelimited;

protected:
    // Checks the chosen form's button; a form the mask does not allow cannot be chosen.
    void SetupWindow() override;
    // The checked button becomes the choice.
    bool CanClose() override;
};
