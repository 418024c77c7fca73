// A dialog around one list box that returns the chosen ids as a set: constellations
// (mode 0, item data = constellation code) or the entries of a choice list (mode 1).
#pragma once

#include "framework/gui/Dialog.h"
#include "ui/CBdata.h"
#include "ui/TurboListBox.h"

class TListConstel;

class ListChooser : public fw::Dialog {
public:
    enum Mode { Constellations = 0, Choices = 1 };
    static constexpr int kListId = 101;
    static constexpr int kHelpContext = 63;

    ListChooser(QWidget* parent, int mode);

    // Before execution: the ids shown as chosen, and (mode 1) the list to show.
    void SetChosenIds(const TBitSet& ids) { chosen_ = ids; }
    void SetChoices(const CBdata& list) { choices_ = list; }
    // After execution: the chosen ids (unchanged by Cancel).
    const TBitSet& GetChosenIds() const { return chosen_; }

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    int mode_;
    TBitSet chosen_;
    TurboListBox* choiceList_ = nullptr;
    TListConstel* constellationList_ = nullptr;
    CBdata choices_;
};
