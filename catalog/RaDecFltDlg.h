// The right ascension and declination window of the position filter: minimum and maximum
// right ascension in hours (a minimum above the maximum wraps through 0 h) and declination
// in degrees.
#pragma once

#include "framework/gui/Dialog.h"

class TEditDEC;
class TEditRA;

class RaDecFltDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 25;
    static constexpr int kHelpContext = 55;
    enum : int { kRaMin = 105, kRaMax = 106, kDecMin = 107, kDecMax = 108, kRaGroup = 110 };

    explicit RaDecFltDlg(QWidget* parent);

    double raMin = 0;
    double raMax = 24;
    double decMin = -90;
    double decMax = 90;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TEditRA* raMin_;
    TEditRA* raMax_;
    TEditDEC* decMin_;
    TEditDEC* decMax_;
};
