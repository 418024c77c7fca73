#include "chart/EnterLabelDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <string>

#include "chart/ChartFields.h"
#include "chart/ChartLabel.h"
#include "framework/gui/Edit.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/StateReset.h"
#include "ui/TEditDEC.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"

double ChartLabelSize = 1.0;

namespace {
const fw::StateReset resetLabelSize{[] { ChartLabelSize = 1.0; }};
} // namespace

namespace {
constexpr int kValueLimit = 20;
constexpr int kValueWidth = 120;

// A group of a right ascension and a declination field.
QGroupBox* PositionGroup(QWidget* parent, const char* title, TEditRA* ra, TEditDEC* dec)
{
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    ra->setParent(group);
    dec->setParent(group);
    ra->setMinimumWidth(kValueWidth);
    dec->setMinimumWidth(kValueWidth);
    form->addRow("RA", ra);
    form->addRow("DEC", dec);
    return group;
}
} // namespace

EnterLabelDialog::EnterLabelDialog(QWidget* parent) : fw::Dialog(parent, "Enter Label")
{
    Body()->addWidget(new QLabel("Text", this), 0, 0);
    text_ = Place(kText, new fw::Edit(this, kTextChars), 0, 1, 1, 2);
    text_->setMinimumWidth(2 * kValueWidth + 60);
    anchorRA_ = AddControl(kAnchorRA, new TEditRA(this, kValueLimit));
    anchorDec_ = AddControl(kAnchorDec, new TEditDEC(this, kValueLimit));
    textRA_ = AddControl(kTextRA, new TEditRA(this, kValueLimit));
    textDec_ = AddControl(kTextDec, new TEditDEC(this, kValueLimit));
    Body()->addWidget(PositionGroup(this, "Anchor Point", anchorRA_, anchorDec_), 1, 0, 1, 2);
    Body()->addWidget(PositionGroup(this, "Text Location", textRA_, textDec_), 1, 2);
    Body()->addWidget(new QLabel("Size", this), 2, 0);
    size_ = Place(kSize, new TEditSize(this, kValueLimit), 2, 1);
    size_->setFixedWidth(kValueWidth);
    Place(kUseAnchor, new QCheckBox("Use Anchor Point", this), 2, 2);
    AddStandardButtons(kHelpContext);
}

void EnterLabelDialog::SetupWindow()
{
    text_->SetText(text);
    textRA_->SetValue(textRA);
    textDec_->SetValue(textDec);
    anchorRA_->SetValue(anchorRA);
    anchorDec_->SetValue(anchorDec);
    size_->SetValue(ChartLabelSize);
    CheckButton(kUseAnchor, useAnchor ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void EnterLabelDialog::CmOk()
{
    // Everything is read before anything is taken, so a bad entry changes nothing.
    // The field holds at most kTextChars characters; the label file takes fewer bytes than
    // that many characters can need.
    const std::string entered = text_->GetText();
    if (entered.size() > ChartLabel::kMaxText) {
        fw::MessageBox(text_,
                       "A Label Holds at Most " + std::to_string(ChartLabel::kMaxText) +
                           " Bytes of Text (a Letter Such as \xC2\xB0 Takes Two)",
                       "Label Input Error", fw::MB_OK | fw::MB_ICONEXCLAMATION);
        text_->setFocus(Qt::OtherFocusReason);
        return;
    }
    double tRA = 0, tDec = 0, aRA = 0, aDec = 0, size = 0;
    if (!ReadChartField(*anchorRA_, aRA) || !ReadChartField(*anchorDec_, aDec) || !ReadChartField(*textRA_, tRA) ||
        !ReadChartField(*textDec_, tDec) || !ReadChartField(*size_, size))
        return;
    text = entered;
    textRA = tRA;
    textDec = tDec;
    anchorRA = aRA;
    anchorDec = aDec;
    ChartLabelSize = size;
    useAnchor = IsButtonChecked(kUseAnchor) == fw::BF_CHECKED ? 1 : 0;
    CloseWindow(fw::IDOK);
}
