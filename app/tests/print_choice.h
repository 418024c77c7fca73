// Answers the Print Options dialog with a source, a format and the colour choice, as a user
// would choose them.
#pragma once

#include "app/PrintOptionsDlg.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/MessageBox.h"

namespace apptest {

inline fw::DialogResponder ChoosePrint(int source, int format, bool color, PrintOptionsDlg** seen = nullptr)
{
    return [=](fw::Dialog& d) {
        auto& dlg = dynamic_cast<PrintOptionsDlg&>(d);
        if (seen) *seen = &dlg;
        auto* box = dlg.ControlAs<fw::ComboBox>(PrintOptionsDlg::kSourceId);
        box->SetSelIndex(box->FindItemData(source));
        dlg.SendNotify(PrintOptionsDlg::kSourceId, fw::CBN_SELCHANGE);
        while (dlg.format != format && dlg.Control(PrintOptionsDlg::kNextId)->isEnabled())
            dlg.PressButton(PrintOptionsDlg::kNextId);
        dlg.CheckButton(PrintOptionsDlg::kColorId, color ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        dlg.PressButton(fw::IDOK);
        return fw::IDOK;
    };
}

} // namespace apptest
