// The chart's centre (hours, degrees) and field (degrees), with buttons that put the current
// object's catalogue position into the centre and the default field into the sizes. The
// caller fills the fields, executes the dialog and takes them back after OK.
#pragma once

#include "framework/gui/Dialog.h"

class TEditDEC;
class TEditRA;
class TEditSize;

class CoordEntryDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 32;
    static constexpr int kHelpContext = 90;
    static constexpr double kDefaultFieldWidth = 20.0;
    static constexpr double kDefaultFieldHeight = 20.0;
    enum : int {
        kCenterRA = 101,
        kCenterDec = 102,
        kDefaultField = 109,
        kFieldWidth = 110,
        kFieldHeight = 111,
        kRecenterOnObject = 112,
    };

    explicit CoordEntryDlg(QWidget* parent);

    double centerRA = 0;
    double centerDec = 0;
    double fieldWidth = kDefaultFieldWidth;
    double fieldHeight = kDefaultFieldHeight;
    // The current object's position, for "Recenter on Object"; without one the button is
    // greyed (it would centre the chart on 0 h, 0 degrees).
    double objectRA = 0;
    double objectDec = 0;
    bool objectKnown = true;

protected:
    void SetupWindow() override;
    void CmOk() override;
    bool EvCommand(int id) override;

private:
    TEditRA* ra_;
    TEditDEC* dec_;
    TEditSize* width_;
    TEditSize* height_;
};
