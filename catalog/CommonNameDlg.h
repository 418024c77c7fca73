// "Objects with Common Names": every common name with its designation, sorted by name. OK
// turns the chosen entry into a designation text the object finder reads ("NGC 224 = ...").
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>
#include <string>

namespace fw { class ListBox; }

class CommonNameDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 29;
    static constexpr int kHelpContext = 68;
    enum : int { kList = 101 };

    explicit CommonNameDlg(QWidget* parent, int resourceId = kTemplate);

    // The number part of the chosen object's identifier, and the text for the finder.
    std::uint32_t number = 0;
    std::string resultText;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    fw::ListBox* list_;
};
