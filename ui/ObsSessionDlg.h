// "Observing Session Times": the start and finish of the night's observing session, as local
// clock times.
#pragma once

#include "framework/gui/Dialog.h"
#include "framework/stream/Date.h"

class TEditTime;

class ObsSessionDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 33;
    static constexpr int kHelpContext = 93;
    enum : int { kStart = 101, kFinish = 102 };

    explicit ObsSessionDlg(QWidget* parent = nullptr);

    // Shown at set-up; read back from the fields on OK.
    fw::TTime sessionStart = fw::TTime::Now();
    fw::TTime sessionFinish = fw::TTime::Now();

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TEditTime* start_;
    TEditTime* finish_;
};
