// "Time and Date": the planner's current local date and time, edited field by field, or the
// computer's clock followed (the fields then run with it and cannot be changed).
#pragma once

#include "astro/TimeDate.h"
#include "framework/gui/Dialog.h"

class spinner;

class timedate : public fw::Dialog {
public:
    static constexpr int kTemplate = 5;
    static constexpr int kHelpContext = 80;
    static constexpr int kTimer = 100;
    enum : int {
        kSystem = 101,
        kManual = 102,
        kHour = 103,
        kMinute = 104,
        kYear = 105,
        kMonth = 106,
        kDay = 107,
        kSecond = 108,
    };

    explicit timedate(QWidget* parent = nullptr);
    ~timedate() override;

    // Follow the computer's clock; the edited local date and time. Set before the dialog runs,
    // read after OK.
    bool follow = false;
    TimeDate edited = TimeDate::Now();

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
    bool CanClose() override;
    void CmOk() override;

private:
    void WriteFields();
    void SetMode(bool system);

    spinner* fields_[6];  // month, day, year, hour, minute, second
};
