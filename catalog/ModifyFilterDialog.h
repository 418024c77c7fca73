// "Filter Selection" on the catalogue database: set-up takes the database's settings, every
// section edited with OK is applied at once (so the counts shown are current, and stay
// applied whatever the user does next), and OK applies the whole edited copy with the
// sections switched on as the boxes say.
#pragma once

#include "catalog/MainFilterDialog.h"

class ModifyFilterDialog : public MainFilterDialog {
public:
    explicit ModifyFilterDialog(QWidget* parent, int resourceId = kTemplate);

protected:
    void SetupWindow() override;
    void PositionChanged() override { Refilter(); }
    void BrightnessChanged() override { Refilter(); }
    void SizeChanged() override { Refilter(); }
    void ShapeChanged() override { Refilter(); }
    void TypeChanged() override { Refilter(); }
    void NameChanged() override { Refilter(); }
    void HistoryChanged() override { Refilter(); }
    bool ApplyOnOk() override;

private:
    // Has the database refilter with the edited copy and takes its new pass counts back.
    void Refilter();
};
