#include "ui/DropWindowPane.h"

#include "framework/gui/DC.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

#include <QApplication>
#include <QMouseEvent>

#include <vector>

namespace {
// Posted to the parent when the pane leaves its full-pane state.
} // namespace

bool DropWindowPane::printingFrame = false;

DropWindowPane::DropWindowPane(QWidget* parent, const std::string& title)
    : DropConfig(title), fw::Window(parent, title)
{
    innerRect = GetClientRect();
    OnCommand(CM_PANELLABELCOLOR, [this] { ColorCommand(RectLabel::Label); });
    OnCommand(CM_PANELTEXTCOLOR, [this] { ColorCommand(RectLabel::Text); });
    OnCommand(CM_EXTERIORPANELCOLOR, [this] { ColorCommand(RectLabel::Exterior); });
    OnCommand(CM_INTERIORPANELCOLOR, [this] { ColorCommand(RectLabel::Interior); });
    OnCommand(CM_PANELOUTLINECOLOR, [this] { ColorCommand(RectLabel::Outline); });
    OnCommand(CM_PANESETTINGS, [this] { ShowSettings(); });
    OnCommand(CM_TOGGLEFULLPANE, [this] { ToggleFullPane(); });
}

DropWindowPane::~DropWindowPane()
{
    DropWindowPane::Store(false);
}

int DropWindowPane::Store(bool writeFileNow)
{
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < 5; ++s)
        for (int k = 0; k < RectLabel::kRoleCount; ++k) SetSchemeColor(s, k, rs.GetSchemeColor(frame.colorSlots[k], s));
    return DropConfig::Store(writeFileNow);
}

int DropWindowPane::Load()
{
    const int result = DropConfig::Load();
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < 5; ++s)
        for (int k = 0; k < RectLabel::kRoleCount; ++k) rs.SetSchemeColor(frame.colorSlots[k], s, SchemeColor(s, k));
    rs.BuildPalette();
    return result;
}

void DropWindowPane::SetColorSlots(int exterior, int label, int interior, int text, int outline)
{
    frame.colorSlots[RectLabel::Exterior] = exterior;
    frame.colorSlots[RectLabel::Label] = label;
    frame.colorSlots[RectLabel::Interior] = interior;
    frame.colorSlots[RectLabel::Text] = text;
    frame.colorSlots[RectLabel::Outline] = outline;
}

void DropWindowPane::ToggleFullPane()
{
    fullPane = !fullPane;
    if (!fullPane) fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(parentWidget()), CM_NORMALPANES);
}

void DropWindowPane::SetPaneCaption(const std::string& text)
{
    SetCaption(text);
    InvalidateRect(fw::Rect(0, 0, width(), stripHeight));
}

void DropWindowPane::SetupWindow()
{
    fw::Window::SetupWindow();
    SetBkgndColor(fw::ColorFromRef(RScolor::Instance().GetColor(frame.colorSlots[RectLabel::Exterior])));
}

void DropWindowPane::Paint(fw::DC& dc, bool, const fw::Rect&)
{
    if (printingFrame || PrintingCount != 0) return;
    RScolor& rs = RScolor::Instance();
    SetBkgndColor(fw::ColorFromRef(rs.GetColor(frame.colorSlots[RectLabel::Exterior])));
    rs.SelectPalette(dc);
    frame.Paint(dc, fw::Size(width(), height()), GetCaption(), frameStyle, stripHeight);
    rs.RestorePalette(dc);
}

void DropWindowPane::PrintFrame(fw::DC& dc, const fw::Rect& rect, fw::Rect* content)
{
    RScolor& rs = RScolor::Instance();
    frame.rect = rect;
    rs.SelectPalette(dc);
    printingFrame = true;
    frame.printing = true;
    frame.PrintPaint(dc, rect, GetCaption(), frameStyle, printStripHeight, content);
    frame.printing = false;
    printingFrame = false;
    rs.RestorePalette(dc);
}

void DropWindowPane::EvSize(const fw::Size& size)
{
    fw::Window::EvSize(size);
    QWidget* parent = parentWidget();
    const fw::Rect parentClient = parent ? fw::Rect::FromQt(parent->rect()) : GetClientRect();
    const fw::Rect own = parent ? fw::Rect::FromQt(geometry()) : GetClientRect();
    frameStyle = RectLabel::FrameStyleOf(parentClient, own);
    stripHeight = static_cast<int>(parentClient.Height() * 0.06);
    sideMargin = stripHeight / 3;
    innerRect = RectLabel::InnerRect(frameStyle, stripHeight, size);
}

void DropWindowPane::EvLButtonDown(unsigned, const fw::Point& p)
{
    QWidget* parent = parentWidget();
    if (!parent) return;
    const fw::Point at = MapToParent(p);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at.x, at.y), mapToGlobal(QPointF(p.x, p.y)),
                      Qt::LeftButton, QApplication::mouseButtons() | Qt::LeftButton,
                      QApplication::keyboardModifiers());
    QApplication::sendEvent(parent, &press);
}

void DropWindowPane::EvRButtonDown(unsigned keys, const fw::Point& p)
{
    fw::Window::EvRButtonDown(keys, p);
    ShowPaneMenu(p);
}

void DropWindowPane::AppendPaneMenu(fw::PopupMenu& menu)
{
    menu.AppendItem(CM_TOGGLEFULLPANE, fullPane ? "Normal Pane" : "Full Pane");
    menu.AppendSeparator();
    menu.AppendItem(CM_PANELLABELCOLOR, "Panel Label Color");
    menu.AppendItem(CM_PANELTEXTCOLOR, "Panel Text Color");
    menu.AppendItem(CM_EXTERIORPANELCOLOR, "Exterior Panel Color");
    menu.AppendItem(CM_INTERIORPANELCOLOR, "Interior Panel Color");
    menu.AppendItem(CM_PANELOUTLINECOLOR, "Panel Label Outline Color");
    menu.AppendSeparator();
    menu.AppendItem(CM_PANESETTINGS, settingsText);
}

void DropWindowPane::ShowPaneMenu(const fw::Point& point)
{
    fw::PopupMenu menu;
    AppendPaneMenu(menu);
    menu.Track(*this, point);
}

// 1. The colour dialog for the role's slot in the current scheme; Cancel changes nothing.
// 2. The choice may go to the same role of every pane: the interior slots 3, 8, 13, 17 and
//    35, or for the other roles the family of every fifth slot that holds the edited one.
//    Then all panes are repainted; on No only this pane is.
// 3. The pane is repainted.
void DropWindowPane::ColorCommand(int role)
{
    RScolor& rs = RScolor::Instance();
    const int slot = frame.colorSlots[role];
    if (!rs.EditColor(slot, this)) return;
    const int answer = fw::MessageBox(this, "Apply Color Changes to All Panes?", "", fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION);
    if (answer == fw::IDYES) {
        const RGBColor color = rs.GetColor(slot);
        std::vector<int> family;
        if (role == RectLabel::Interior) {
            family = {3, 8, 13, 17, 35};
        } else if (slot >= 1 && slot <= 15) {
            for (int s = (slot - 1) % 5 + 1; s <= 15; s += 5) family.push_back(s);
        } else {
            family = {slot};
        }
        for (int s : family) rs.SetSchemeColor(s, rs.Scheme(), color);
        rs.BuildPalette();
        if (QWidget* parent = parentWidget()) {
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (auto* pane = dynamic_cast<DropWindowPane*>(child)) pane->Invalidate(true);
        }
    }
    Invalidate(true);
}
