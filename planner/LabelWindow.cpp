#include "planner/LabelWindow.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/DC.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/ResourceModule.h"
#include "globals/Globals.h"
#include "ui/LabelConfig.h"
#include "ui/RScolor.h"

#include <algorithm>

namespace {
// Slot of the window background of every data window.
constexpr int kBackgroundSlot = 3;
// First slot of each role's family, for changes that go to every data window.
constexpr int kFamilyOfRole[LabelWindow::kRoleCount] = {39, 40, 42, 43, 41};

QColor SlotColor(int slot)
{
    return fw::ColorFromRef(RScolor::Instance().GetColor(slot));
}
} // namespace

LabelWindow::LabelWindow(QWidget* parent, const std::string& caption) : fw::Window(parent), caption_(caption)
{
    SetBkgndColor(SlotColor(kBackgroundSlot));
    OnCommand(CM_LABELOUTLINECOLOR, [this] { ColorCommand(Outline); });
    OnCommand(CM_LABELTEXTCOLOR, [this] { ColorCommand(LabelText); });
    OnCommand(CM_LABELBACKCOLOR, [this] { ColorCommand(LabelBack); });
    OnCommand(CM_DATATEXTCOLOR, [this] { ColorCommand(DataText); });
    OnCommand(CM_DATABACKCOLOR, [this] { ColorCommand(DataBack); });
}

LabelWindow::~LabelWindow() = default;

void LabelWindow::RepaintText()
{
    ++repaintRequests_;
    Invalidate(false);
}

void LabelWindow::SetTitle(const std::string& text, bool redraw)
{
    if (text == caption_) return;
    caption_ = text;
    if (redraw) {
        RepaintText();
        if (isVisible()) repaint();
    }
}

void LabelWindow::SetText(const std::string& text, bool repaint)
{
    if (text == value_) return;
    value_ = text;
    if (repaint) RepaintText();
}

int LabelWindow::SetLabelWidth(int percent, bool repaint)
{
    labelWidth_ = percent;
    if (repaint) {
        ++repaintRequests_;
        Invalidate(true);
    }
    return labelWidth_;
}

void LabelWindow::SetColorGroup(int b)
{
    slots_[LabelBack] = b;
    slots_[LabelText] = b + 1;
    slots_[Outline] = b + 2;
    slots_[DataBack] = b + 3;
    slots_[DataText] = b + 4;
}

bool LabelWindow::LoadColors()
{
    LabelConfig* record = Settings();
    if (!record) return false;
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int r = 0; r < kRoleCount; ++r) rs.SetSchemeColor(slots_[r], s, record->SchemeColor(s, r));
    return true;
}

bool LabelWindow::StoreColors()
{
    LabelConfig* record = Settings();
    if (!record) return false;
    const RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int r = 0; r < kRoleCount; ++r) record->SetSchemeColor(s, r, rs.GetSchemeColor(slots_[r], s));
    return true;
}

// 1. Caption font: the character cell one unit less than the height (half of it stacked).
// 2. Corners: half the height (a quarter stacked).
// 3. The caption's area: the label-width share of the left, the whole width, or the top half.
// 4-6. Background, caption box and caption text, vertically centred.
// 7. A value too wide for its box is drawn in a font one unit smaller per step; the font never
//    drops below one unit however small the window is.
// 8. Value box and value text.
int LabelWindow::FittingHeight(fw::DC& dc, const std::string& text, int fullHeight, int room)
{
    int height = std::max(1, fullHeight);
    for (int i = 0; i < kMaxFontSteps && height > 1; ++i) {
        height = std::max(1, fullHeight - (i + 1));
        dc.SelectFont(fw::Font("Arial", height, 400));
        const fw::Size extent = dc.GetTextExtent(text);
        if (extent.cx + extent.cy / 2 <= room) break;
    }
    return height;
}

void LabelWindow::Draw(fw::DC& dc, const fw::Rect& r)
{
    const int W = r.Width();
    const int H = r.Height();
    const bool stacked = labelWidth_ == kStacked;
    const int fullHeight = stacked ? H / 2 - 1 : H - 1;
    const fw::Font captionFont("Arial", std::max(1, fullHeight), 400);
    const fw::Font oldFont = dc.SelectFont(captionFont);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    const int corner = stacked ? H / 4 : H / 2;

    fw::Rect captionArea = r;
    fw::Rect valueArea(r.right, r.top, r.right, r.bottom);
    if (stacked) {
        captionArea.bottom = r.top + H / 2;
        valueArea = fw::Rect(r.left, r.top + H / 2, r.right, r.bottom);
    } else if (labelWidth_ >= 0 && labelWidth_ <= 99) {
        captionArea.right = r.left + W * labelWidth_ / 100;
        valueArea.left = captionArea.right;
    }

    fw::Size extent = dc.GetTextExtent(caption_);
    int textHeight = extent.cy;
    captionDoesNotFit_ = extent.cx + textHeight / 2 > captionArea.Width();
    // A caption too wide for its box is drawn smaller rather than cut off at the box's edge.
    int captionHeight = captionFont.height;
    if (captionDoesNotFit_ && labelWidth_ != 0) {
        captionHeight = FittingHeight(dc, caption_, fullHeight, captionArea.Width());
        dc.SelectFont(fw::Font("Arial", captionHeight, 400));
        extent = dc.GetTextExtent(caption_);
        textHeight = extent.cy;
    }

    dc.FillRect(r, fw::Brush(SlotColor(kBackgroundSlot)));
    if (captionArea.Width() > 0) {
        const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(SlotColor(slots_[LabelBack])));
        const fw::Pen oldPen = dc.SelectPen(fw::Pen(SlotColor(slots_[Outline]), 1));
        dc.RoundRect(captionArea, fw::Size(corner, corner));
        const QColor oldColor = dc.SetTextColor(SlotColor(slots_[LabelText]));
        dc.TextOut(fw::Point(captionArea.left + textHeight / 4,
                         captionArea.top + (captionArea.Height() - textHeight) / 2),
                   caption_);
        dc.SetTextColor(oldColor);
        dc.SelectPen(oldPen);
        dc.SelectBrush(oldBrush);
    }

    const bool hasValue = valueArea.Width() > 0 && labelWidth_ != kCaptionOnly;
    valueFontHeight_ = captionFont.height;
    valueFontReduced_ = false;
    if (hasValue) {
        dc.SelectFont(captionFont);
        extent = dc.GetTextExtent(value_);
        textHeight = extent.cy;
        if (extent.cx + textHeight / 2 > valueArea.Width()) {
            valueFontHeight_ = FittingHeight(dc, value_, fullHeight, valueArea.Width());
            dc.SelectFont(fw::Font("Arial", valueFontHeight_, 400));
            extent = dc.GetTextExtent(value_);
            textHeight = extent.cy;
            valueFontReduced_ = extent.cx + textHeight / 2 > valueArea.Width();
        }
        const QColor back = SlotColor(slots_[DataBack]);
        const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(back));
        const fw::Pen oldPen = dc.SelectPen(fw::Pen(back, 1));
        dc.RoundRect(valueArea, fw::Size(corner, corner));
        const QColor oldColor = dc.SetTextColor(SlotColor(slots_[DataText]));
        dc.TextOut(fw::Point(valueArea.left + textHeight / 4, valueArea.top + (valueArea.Height() - textHeight) / 2),
                   value_);
        dc.SetTextColor(oldColor);
        dc.SelectPen(oldPen);
        dc.SelectBrush(oldBrush);
    }
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldMode);
    dc.SelectFont(oldFont);
}

bool LabelWindow::PaintToDC(fw::DC& dc, const fw::Rect& target)
{
    RScolor& rs = RScolor::Instance();
    dc.SaveDC();
    dc.IntersectClipRect(target);
    // On a device whose resolution differs by axis the window is drawn in square units.
    const fw::Rect area = dc.MapSquareUnits(target);
    printing_ = true;
    rs.SelectPalette(dc);
    Draw(dc, area);
    rs.RestorePalette(dc);
    printing_ = false;
    dc.RestoreDC();
    return true;
}

void LabelWindow::Paint(fw::DC& dc, bool, const fw::Rect&)
{
    if (printing_ || PrintingCount != 0) return;
    const fw::Rect client = GetClientRect();
    if (client.IsEmpty()) return;
    RScolor& rs = RScolor::Instance();
    SetBkgndColor(SlotColor(kBackgroundSlot));
    // Drawn off screen first so that the window never shows a half-drawn state; straight into
    // the window when no bitmap can be had. A bitmap of the window's own (non-empty) size that
    // cannot be made means memory ran out: the user is told once for the window, since the
    // message would otherwise come back with every repaint.
    fw::Bitmap bitmap(client.Width(), client.Height());
    if (!bitmap.IsValid() && !memoryReported_) {
        memoryReported_ = true;
        fw::MessageBox(this, "", "Insufficient Memory for Label Background Painting", fw::MB_OK);
    }
    if (bitmap.IsValid()) {
        {
            fw::PainterDC memory(bitmap);
            rs.SelectPalette(memory);
            Draw(memory, client);
            rs.RestorePalette(memory);
        }
        dc.DrawBitmap(fw::Point(0, 0), bitmap, client);
    } else {
        rs.SelectPalette(dc);
        Draw(dc, client);
        rs.RestorePalette(dc);
    }
}

void LabelWindow::EvSize(const fw::Size&)
{
    Invalidate(true);
}

void LabelWindow::EvRButtonDown(unsigned, const fw::Point& p)
{
    ShowRightButtonMenu(p);
}

void LabelWindow::ShowMenu(const fw::Point& point)
{
    fw::PopupMenu menu;
    AppendColorMenu(menu);
    menu.Track(*this, point.x < 0 ? fw::Point(1, 1) : point);
}

void LabelWindow::AppendColorMenu(fw::PopupMenu& menu)
{
    if (!module_) return;
    menu.AppendItem(CM_LABELOUTLINECOLOR, module_->LoadString(16502));
    menu.AppendItem(CM_LABELTEXTCOLOR, module_->LoadString(16504));
    menu.AppendItem(CM_LABELBACKCOLOR, module_->LoadString(16503));
    menu.AppendItem(CM_DATATEXTCOLOR, module_->LoadString(16505));
    menu.AppendItem(CM_DATABACKCOLOR, module_->LoadString(16506));
}

void LabelWindow::ColorCommand(int role)
{
    RScolor& rs = RScolor::Instance();
    if (rs.EditColor(slots_[role], this)) ApplyColorsToAll(kFamilyOfRole[role], rs.GetColor(slots_[role]));
    if (auto* parent = dynamic_cast<fw::Window*>(parentWidget())) parent->Invalidate(true);
    else Invalidate(true);
}

void LabelWindow::ApplyColorsToAll(int firstSlot, RGBColor color)
{
    if (fw::MessageBox(this, "Apply Color Changes to All Datawindows?", "", fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION) != fw::IDYES)
        return;
    RScolor& rs = RScolor::Instance();
    for (int slot = firstSlot; slot < kSlotLimit; slot += 6) rs.SetSchemeColor(slot, rs.Scheme(), color);
    rs.BuildPalette();
}

void LabelWindow::NotifyPartnerOwner()
{
    if (partnerOwner) partnerOwner->SendCommand(CM_PARTNERCHOICECHANGED);
}
