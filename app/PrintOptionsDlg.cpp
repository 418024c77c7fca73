#include "app/PrintOptionsDlg.h"

#include "app/PrintFormatWindow.h"
#include "framework/gui/ComboBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// The formats a source allows: the planner's sources every one, the log's the text formats.
unsigned FormatsOfSource(int source)
{
    return source == PrintSourceLog || source == PrintSourceCurrentLogEntry ? (1u << 8 | 1u << 9) : 0x3FFu;
}

} // namespace

PrintOptionsDlg::PrintOptionsDlg(QWidget* parent) : fw::Dialog(parent, "Print Options")
{
    Place(kSourceId, new fw::ComboBox(this), 0, 0, 1, 3);
    miniature_ = new PrintFormatWindow(this);
    miniature_->setMinimumSize(300, 220);
    Place(kMiniatureId, miniature_, 1, 0, 1, 3);
    auto* text = new QLabel(this);
    text->setWordWrap(true);
    text->setMinimumHeight(2 * text->fontMetrics().height());
    Place(kFormatTextId, text, 2, 0, 1, 3);
    Place(kPrevId, new QPushButton("<< PREV", this), 3, 0);
    Place(kColorId, new QCheckBox("Color", this), 3, 1);
    Place(kNextId, new QPushButton("NEXT >>", this), 3, 2);
    Body()->setAlignment(ControlAs<QWidget>(kColorId), Qt::AlignHCenter);
    OnCommand(kPrevId, [this] { Step(-1); });
    OnCommand(kNextId, [this] { Step(+1); });
    OnNotify(kSourceId, fw::CBN_SELCHANGE, [this] { SourceChanged(); });
    AddStandardButtons(kHelpContext);
}

void PrintOptionsDlg::SetupWindow()
{
    auto* box = ControlAs<fw::ComboBox>(kSourceId);
    box->ClearList();
    for (int code = PrintSourceFiltered; code <= PrintSourceCurrentLogEntry; ++code)
        if (offeredSources & (1u << code)) box->SetItemData(box->AddString(PrintSourceText(code)), code);
    int initial = offeredSources & (1u << PrintSourceCurrentObject) ? PrintSourceCurrentObject
                                                                     : PrintSourceCurrentLogEntry;
    if (box->FindItemData(initial) < 0 && box->GetCount() > 0) initial = static_cast<int>(box->GetItemData(0));
    box->SetSelIndex(box->FindItemData(initial));
    SourceChanged();
    EnableControl(kColorId, colorCapable);
    CheckButton(kColorId, colorCapable && color ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void PrintOptionsDlg::SourceChanged()
{
    auto* box = ControlAs<fw::ComboBox>(kSourceId);
    const int index = box->GetSelIndex();
    source = index >= 0 ? static_cast<int>(box->GetItemData(index)) : 0;
    const unsigned allowed = deviceFormats & FormatsOfSource(source);
    formats_.clear();
    for (int code = 0; code < kPrintFormatCount; ++code)
        if (allowed & (1u << code)) formats_.push_back(code);
    SelectFormat(formats_.empty() ? 0 : formats_.front());
}

void PrintOptionsDlg::SelectFormat(int wanted)
{
    auto at = std::find(formats_.begin(), formats_.end(), wanted);
    if (at == formats_.end()) at = formats_.begin();
    format = at == formats_.end() ? 0 : *at;
    const bool several = formats_.size() > 1;
    EnableControl(kPrevId, several && at != formats_.begin());
    EnableControl(kNextId, several && at + 1 != formats_.end());
    miniature_->SetFormat(format);
    SetControlText(kFormatTextId, PrintFormatText(format));
}

void PrintOptionsDlg::Step(int direction)
{
    auto at = std::find(formats_.begin(), formats_.end(), format);
    if (at == formats_.end()) return;
    const auto index = std::clamp<std::ptrdiff_t>((at - formats_.begin()) + direction, 0,
                                                  static_cast<std::ptrdiff_t>(formats_.size()) - 1);
    SelectFormat(formats_[static_cast<std::size_t>(index)]);
}

bool PrintOptionsDlg::CanClose()
{
    if (!fw::Dialog::CanClose()) return false;
    color = IsButtonChecked(kColorId) == fw::BF_CHECKED;
    return true;
}
