// "Filter Selection": the seven sections of the catalogue filter (position, brightness,
// size, shape, type, name and list, observing history), each with a button that opens its
// criterion dialog on the edited settings, an "Active" box that switches the section on, and
// the number of objects that pass it. OK rebuilds the active-filter mask from the boxes.
//
// This class edits a copy of the settings only; ModifyFilterDialog ties it to the catalogue
// database.
#pragma once

#include "catalog/FilterSettings.h"
#include "framework/gui/Dialog.h"

#include <cstdint>

class MainFilterDialog : public fw::Dialog {
public:
    static constexpr int kTemplate = 3;
    static constexpr int kHelpContext = 75;
    enum : int {
        kPosition = 101,
        kPositionActive = 102,
        kBrightness = 103,
        kBrightnessActive = 104,
        kSize = 105,
        kSizeActive = 106,
        kShape = 107,
        kShapeActive = 108,
        kType = 109,
        kTypeActive = 110,
        kName = 111,
        kNameActive = 112,
        kHistory = 113,
        kHistoryActive = 114,
        kHistoryCount = 115,
        kBrightnessCount = 200,
        kNameCount = 201,
        kPositionCount = 202,
        kShapeCount = 203,
        kSizeCount = 204,
        kTypeCount = 205,
    };

    explicit MainFilterDialog(QWidget* parent, int resourceId = kTemplate);

    // The edited copy of the filter settings.
    FilterSettings settings;
    // Whether an observing log is open: the history section works only then.
    std::uint8_t LogOpen = 0;

    // Writes the seven pass counts and enables the history section as LogOpen says.
    void ShowPassCounts();

protected:
    // Called after a section's criterion dialog ended with OK.
    virtual void PositionChanged() {}
    virtual void BrightnessChanged() {}
    virtual void SizeChanged() {}
    virtual void ShapeChanged() {}
    virtual void TypeChanged() {}
    virtual void NameChanged() {}
    virtual void HistoryChanged() {}
    // Asked by OK after the mask was rebuilt; false keeps the dialog open.
    virtual bool ApplyOnOk() { return true; }

    void SetupWindow() override;
    void CmOk() override;

    void CmPosition();
    void CmBrightness();
    void CmSize();
    void CmShape();
    void CmType();
    void CmName();
    void CmHistory();
};
