#include "ui/ListChooser.h"

#include "framework/gui/MessageBox.h"
#include "ui/TListConstel.h"

#include <QGridLayout>

ListChooser::ListChooser(QWidget* parent, int mode)
    : fw::Dialog(parent, "Match Types"), mode_(mode == Constellations ? Constellations : Choices)
{
    if (mode_ == Constellations)
        constellationList_ = Place(kListId, new TListConstel(this, true), 0, 0);
    else
        choiceList_ = Place(kListId, new TurboListBox(this, true), 0, 0);
    Control(kListId)->setMinimumSize(220, 260);
    AddStandardButtons(kHelpContext);
}

void ListChooser::SetupWindow()
{
    if (mode_ == Constellations) {
        std::vector<int> indexes;
        for (int code = 0; code < 100 && indexes.size() < 100; ++code) {
            if (!chosen_.test(static_cast<std::size_t>(code)))
                continue;
            const int i = constellationList_->IndexOfCode(code);
            if (i != fw::LB_ERR)
                indexes.push_back(i);
        }
        constellationList_->SetSelIndexes(indexes, true);
    } else {
        choiceList_->LoadChoices(choices_);
        choiceList_->SetChosenIds(chosen_);
        choiceList_->ApplySelection();
    }
}

void ListChooser::CmOk()
{
    if (mode_ == Choices) {
        chosen_ = choiceList_->GetChosenIds();
    } else {
        chosen_.reset();
        const auto selected = constellationList_->GetSelIndexes();
        for (std::size_t k = 0; k < selected.size() && k < 100; ++k) {
            const long code = constellationList_->GetItemData(selected[k]);
            if (code >= 0 && code < 256)
                chosen_.set(static_cast<std::size_t>(code));
        }
    }
    CloseWindow(fw::IDOK);
}
