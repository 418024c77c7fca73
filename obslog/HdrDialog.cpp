#include "obslog/HdrDialog.h"

#include "framework/gui/ComboBox.h"
#include "framework/gui/InputDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/StringUtil.h"
#include "ui/TurboComboBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

HdrDialog::HdrDialog(QWidget* parent, const ObsRecordHeader& current, const ObsRecordHeader& defaults)
    : fw::Dialog(parent, "Observation Log Listbox Setup"), current_(current), default_(defaults)
{
    auto* fieldGroup = new QGroupBox("Log Field", this);
    auto* fieldLayout = new QVBoxLayout(fieldGroup);
    field_ = AddControl(kField, new fw::ComboBox(fieldGroup));
    fieldLayout->addWidget(field_);
    Body()->addWidget(fieldGroup, 0, 0, 1, 3);

    const auto optionBox = [this](const char* title, int id, TurboComboBox*& box) {
        auto* group = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(group);
        box = AddControl(id, new TurboComboBox(group, 59));
        box->setMinimumContentsLength(22);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        layout->addWidget(box);
        layout->addStretch();
        return group;
    };
    Body()->addWidget(optionBox("Current Options", kCurrent, currentBox_), 1, 0);
    Body()->addWidget(optionBox("Default Options", kDefault, defaultBox_), 1, 2);

    auto* moves = new QVBoxLayout;
    const struct {
        int id;
        const char* text;
    } buttons[] = {{kAddToCurrent, "<-- Add"},        {kAddAllToCurrent, "<-- Add All"},
                   {kCopyToDefault, "Copy -->"},      {kCopyAllToDefault, "Copy All-->"},
                   {kDeleteDefault, "Delete Default Option"}, {kRenameCurrent, "Rename Current Option"}};
    for (const auto& b : buttons) moves->addWidget(AddControl(b.id, new QPushButton(b.text, this)));
    Body()->addLayout(moves, 1, 1);
    Place(kTransferAll, new QPushButton("Transfer Defaults to All Log Fields", this), 2, 0, 1, 3);
    AddStandardButtons(kHelpContext);

    OnNotify(kField, fw::CBN_SELCHANGE, [this] {
        StoreCurrent();
        StoreDefault();
        fieldId_ = 0;
        ShowField();
    });
    OnNotify(kDefault, fw::CBN_KILLFOCUS, [this] { defaultBox_->CommitEditText(); });
    OnNotify(kCurrent, fw::CBN_KILLFOCUS, [this] { currentBox_->CommitEditText(); });
    OnCommand(kAddToCurrent, [this] { AddToCurrent(); });
    OnCommand(kAddAllToCurrent, [this] { AddAllToCurrent(); });
    OnCommand(kCopyToDefault, [this] { CopyToDefault(); });
    OnCommand(kCopyAllToDefault, [this] { CopyAllToDefault(); });
    OnCommand(kDeleteDefault, [this] { DeleteDefault(); });
    OnCommand(kRenameCurrent, [this] { RenameCurrent(); });
    OnCommand(kTransferAll, [this] { TransferAll(); });
}

void HdrDialog::SetupWindow()
{
    // Every list of the header, from the first: where the header's current list stood when it
    // was last edited must not hide the lists before it.
    field_->ClearList();
    for (int i = 0; i < current_.ListCount() && i < ObsRecordHeader::kMaxLists; ++i) {
        const CBdata& list = current_.List(i);
        field_->SetItemData(field_->AddString(list.Name()), list.ListId());
    }
    const int remembered = fieldId_ != 0 ? field_->FindItemData(fieldId_) : fw::CB_ERR;
    field_->SetSelIndex(remembered != fw::CB_ERR ? remembered : 0);
    ShowField();
}

void HdrDialog::ShowField()
{
    currentBox_->ClearList();
    currentBox_->ClearText();
    defaultBox_->ClearList();
    defaultBox_->ClearText();
    if (fieldId_ == 0) {
        const int selected = field_->GetSelIndex();
        if (selected < 0) return;
        fieldId_ = static_cast<std::int32_t>(field_->GetItemData(selected));
    }
    current_.SelectList(fieldId_);
    default_.SelectList(fieldId_);
    currentBox_->LoadChoices(current_.ListById(fieldId_));
    defaultBox_->LoadChoices(default_.ListById(fieldId_));
}

void HdrDialog::StoreCurrent()
{
    if (fieldId_ == 0) return;
    currentBox_->CommitEditText();
    currentBox_->StoreChoices(current_.ListById(fieldId_));
}

void HdrDialog::StoreDefault()
{
    if (fieldId_ == 0) return;
    defaultBox_->CommitEditText();
    defaultBox_->StoreChoices(default_.ListById(fieldId_));
}

void HdrDialog::Commit(TurboComboBox* box, const std::string& text)
{
    if (text.empty()) return;
    // A whole-text match only: an entry that merely begins with the text ("8 inch SCT" for
    // "8 inch") does not stand in for it.
    const int found = box->FindExactString(text, 0);
    if (found != fw::CB_ERR) {
        box->SetSelIndex(found);
        return;
    }
    box->SetSelIndex(-1);
    box->AddText(text, box->NextFreeId());
    box->SetSelIndex(box->FindExactString(text, 0));
}

void HdrDialog::AddToCurrent()
{
    if (defaultBox_->GetSelIndex() >= 0) Commit(currentBox_, defaultBox_->GetSelectedText());
}

void HdrDialog::CopyToDefault()
{
    if (currentBox_->GetSelIndex() >= 0) Commit(defaultBox_, currentBox_->GetSelectedText());
}

void HdrDialog::AddAllToCurrent()
{
    for (int i = 0; i < defaultBox_->GetCount(); ++i) {
        defaultBox_->SetSelIndex(i);
        AddToCurrent();
    }
}

void HdrDialog::CopyAllToDefault()
{
    for (int i = 0; i < currentBox_->GetCount(); ++i) {
        currentBox_->SetSelIndex(i);
        CopyToDefault();
    }
}

void HdrDialog::DeleteDefault()
{
    const int selected = defaultBox_->GetSelIndex();
    if (selected < 0 || fieldId_ == 0) return;
    default_.ListById(fieldId_).RemoveId(static_cast<std::int32_t>(defaultBox_->GetItemData(selected)));
    defaultBox_->DeleteString(selected);
    defaultBox_->SetSelIndex(-1);
    StoreDefault();
}

void HdrDialog::RenameCurrent()
{
    const int selected = currentBox_->GetSelIndex();
    if (selected < 0) return;
    const std::string old = currentBox_->GetString(selected);
    if (old.empty()) return;
    std::string answer = old.substr(0, kRenameLimit);
    if (fw::InputBox(this, "Rename Field Option", "New Name ", answer, kRenameLimit) != fw::IDOK) return;
    answer = fw::Trim(answer);
    if (answer.empty()) {
        fw::MessageBox(this, "Fields cannot be renamed to a blank entry", "Error - Blank Entry",
                       fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    if (!TurboComboBox::AcceptTypedEntry(this, answer, TurboComboBox::kInvalidEntryCaption)) return;
    if (currentBox_->FindExactString(answer) != fw::CB_ERR) {
        fw::MessageBox(this, "Fields cannot be renamed to an existing entry", "Error - Duplicate Entry",
                       fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    const long id = currentBox_->GetItemData(selected);
    currentBox_->DeleteString(selected);
    // The old id stays with the entry, so records that use it show the new text.
    const int added = currentBox_->AddString(answer);
    currentBox_->SetItemData(added, id);
    currentBox_->SetSelIndex(added);
}

void HdrDialog::TransferAll()
{
    StoreCurrent();
    StoreDefault();
    for (int i = 0; i < field_->GetCount(); ++i) {
        field_->SetSelIndex(i);
        fieldId_ = 0;
        ShowField();
        AddAllToCurrent();
        StoreCurrent();
    }
}

void HdrDialog::CmOk()
{
    StoreCurrent();
    StoreDefault();
    fw::Dialog::CmOk();
}
