// The About box: the program's name and picture, and texts completed from the version
// block: "Version" with the product version, the copyright notice, and a special build's
// note.
#pragma once

#include "app/VersionBlock.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/MessageBox.h"

class TStellumAboutDlg : public fw::Dialog {
public:
    static constexpr int kResourceId = 22000;
    static constexpr int kVersionId = 22001;
    static constexpr int kLegalId = 22002;
    static constexpr int kSpecialBuildId = 22003;

    explicit TStellumAboutDlg(QWidget* parent, VersionBlock block = VersionBlock::Program());

protected:
    void SetupWindow() override;

private:
    VersionBlock block_;
};
