// A chart label's text, its text location and anchor point (hours, degrees), whether the
// anchor is used, and the label's size. The caller fills the fields (and the program-wide
// label size), executes the dialog and takes them back after OK.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/Dialog.h"

class TEditDEC;
class TEditRA;
class TEditSize;
namespace fw { class Edit; }

// The label size the dialog shows and stores: the text height in degrees of the chart.
extern double ChartLabelSize;

class EnterLabelDialog : public fw::Dialog {
public:
    static constexpr int kTemplate = 31;
    static constexpr int kHelpContext = 91;
    // Characters the text field takes.
    static constexpr int kTextChars = 79;
    enum : int {
        kText = 101,
        kTextRA = 102,
        kAnchorRA = 103,
        kAnchorDec = 104,
        kTextDec = 105,
        kSize = 106,
        kUseAnchor = 107,
    };

    explicit EnterLabelDialog(QWidget* parent);

    std::string text;
    double textRA = 0;
    double textDec = 0;
    double anchorRA = 0;
    double anchorDec = 0;
    std::uint8_t useAnchor = 0;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    fw::Edit* text_;
    TEditRA* textRA_;
    TEditDEC* textDec_;
    TEditRA* anchorRA_;
    TEditDEC* anchorDec_;
    TEditSize* size_;
};
