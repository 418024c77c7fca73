#include "catalog/constFilter.h"

#include "astro/ConstellationTable.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kListWidth = 190;
constexpr int kListHeight = 300;
} // namespace

constFilter::constFilter(QWidget* parent) : fw::Dialog(parent, "Constellation Filter")
{
    auto makeList = [this](const char* title, int id, fw::ListBox*& list) {
        auto* group = new QGroupBox(title, this);
        auto* column = new QVBoxLayout(group);
        list = AddControl(id, new fw::ListBox(group, true));
        list->setMinimumSize(kListWidth, kListHeight);
        column->addWidget(list);
        return group;
    };
    Body()->addWidget(makeList("Available Constellations", kAvailable, available_), 0, 0);
    Body()->addWidget(makeList("Selected Constellations", kSelected, selected_), 0, 2);

    auto* middle = new QVBoxLayout();
    middle->addStretch(1);
    for (const auto& [id, text] : {std::pair<int, const char*>{kAddAll, "Add All   >>"}, {kRemoveAll, "<<  Remove All"}}) {
        auto* button = AddControl(id, new QPushButton(text, this));
        button->setAutoDefault(false);
        middle->addWidget(button);
    }
    middle->addStretch(1);
    Body()->addLayout(middle, 0, 1);
    Body()->addWidget(new QLabel("*Double-Click a Constellation to transfer it between lists", this), 1, 0, 1, 3);
    AddStandardButtons(kHelpContext);

    OnNotify(kAvailable, fw::LBN_DBLCLK, [this] { Transfer(available_, selected_, true); });
    OnNotify(kSelected, fw::LBN_DBLCLK, [this] { Transfer(selected_, available_, false); });
    OnCommand(kAddAll, [this] { AddAll(); });
    OnCommand(kRemoveAll, [this] { RemoveAll(); });
}

void constFilter::FillWithAll(fw::ListBox* list)
{
    for (int code = 0; code < ConstellationCount; ++code)
        list->AddString(ConstellationNames[code]);
}

void constFilter::SetupWindow()
{
    for (int code = 0; code < ConstellationCount; ++code)
        (constellations.Contains(code) ? selected_ : available_)->AddString(ConstellationNames[code]);
}

void constFilter::Transfer(fw::ListBox* from, fw::ListBox* to, bool add)
{
    const int index = from->GetSelIndex();
    if (index == fw::LB_ERR)
        return;
    const std::string name = from->GetString(index);
    from->DeleteString(index);
    to->AddString(name);
    for (int code = 0; code < ConstellationCount; ++code) {
        if (name != ConstellationNames[code])
            continue;
        if (add)
            constellations.Add(code);
        else
            constellations.Toggle(code);
    }
}

void constFilter::AddAll()
{
    available_->ClearList();
    selected_->ClearList();
    FillWithAll(selected_);
    constellations.SelectAll();
}

void constFilter::RemoveAll()
{
    available_->ClearList();
    selected_->ClearList();
    constellations.Clear();
    FillWithAll(available_);
}

void constFilter::CmOk()
{
    if (selected_->GetCount() == 0) {
        fw::MessageBox(this, "Select at least one constellation: no object can pass an empty list.", "ENTRY ERROR",
                   fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    constellations.Clear();
    for (int code = 0; code < ConstellationCount; ++code)
        if (selected_->FindExactString(ConstellationNames[code]) != fw::LB_ERR)
            constellations.Add(code);
    CloseWindow(fw::IDOK);
}
