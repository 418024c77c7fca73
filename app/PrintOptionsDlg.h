// The Print Options dialog: what to print (the planner's lists or object, or the observing
// log) and in which format, with a miniature of the format's page, and colour when the
// printer has it.
#pragma once

#include "framework/gui/Dialog.h"

#include <vector>

class PrintFormatWindow;

class PrintOptionsDlg : public fw::Dialog {
public:
    static constexpr int kPrevId = 101;
    static constexpr int kNextId = 102;
    static constexpr int kSourceId = 103;
    static constexpr int kColorId = 104;
    static constexpr int kFormatTextId = 110;
    static constexpr int kMiniatureId = 111;
    static constexpr int kHelpContext = 92;

    explicit PrintOptionsDlg(QWidget* parent);

    // Bits by code: the formats the device prints (1-9) and the sources offered (1-5).
    unsigned deviceFormats = 0x3FEu;
    unsigned offeredSources = 0x3Eu;
    bool colorCapable = false;
    // The choice, in and out.
    int source = 2;
    bool color = false;
    int format = 4;

    const std::vector<int>& OfferedFormats() const { return formats_; }
    PrintFormatWindow* Miniature() const { return miniature_; }

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    void SourceChanged();
    // Keeps the format when it is offered, else takes the first; shows it.
    void SelectFormat(int wanted);
    void Step(int direction);

    PrintFormatWindow* miniature_;
    std::vector<int> formats_;
};
