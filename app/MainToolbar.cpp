#include "app/MainToolbar.h"

#include "app/StellumMenus.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kSize = 24;

// Triangle pointing left or right inside a box.
void Arrow(QPainter& p, double x, bool right)
{
    QPolygonF t;
    if (right) t << QPointF(x, 6) << QPointF(x + 9, 12) << QPointF(x, 18);
    else t << QPointF(x + 9, 6) << QPointF(x, 12) << QPointF(x + 9, 18);
    p.drawPolygon(t);
}

} // namespace

QIcon ToolbarIcon(int id)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor navy(0x20, 0x30, 0x80);
    p.setPen(QPen(navy, 1.5));
    p.setBrush(navy);
    switch (id) {
    case CM_FIRST:
        p.drawRect(QRectF(5, 6, 2, 12));
        Arrow(p, 9, false);
        break;
    case CM_PREVIOUS: Arrow(p, 7, false); break;
    case CM_NEXT: Arrow(p, 8, true); break;
    case CM_LAST:
        Arrow(p, 6, true);
        p.drawRect(QRectF(17, 6, 2, 12));
        break;
    case CM_ADDTOOBSLIST:
    case CM_REMOVEFROMOBSLIST: {
        // A green plus and a red minus.
        const bool add = id == CM_ADDTOOBSLIST;
        p.setPen(Qt::NoPen);
        p.setBrush(add ? QColor(0x10, 0x90, 0x30) : QColor(0xC0, 0x20, 0x20));
        p.drawRect(QRectF(4, 10, 16, 4));
        if (add) p.drawRect(QRectF(10, 4, 4, 16));
        break;
    }
    case CM_TRANSFERTOLOG: {
        // An arrow into an open book.
        p.setBrush(QColor(0xF0, 0xE8, 0xC8));
        p.drawRect(QRectF(10, 5, 10, 14));
        p.drawLine(QPointF(12, 9), QPointF(18, 9));
        p.drawLine(QPointF(12, 12), QPointF(18, 12));
        p.drawLine(QPointF(12, 15), QPointF(18, 15));
        p.setBrush(navy);
        QPolygonF a;
        a << QPointF(2, 10) << QPointF(7, 10) << QPointF(7, 7) << QPointF(11, 12) << QPointF(7, 17)
          << QPointF(7, 14) << QPointF(2, 14);
        p.drawPolygon(a);
        break;
    }
    case CM_FILTER: {
        QPolygonF funnel;
        funnel << QPointF(3, 4) << QPointF(21, 4) << QPointF(14, 12) << QPointF(14, 20) << QPointF(10, 18)
               << QPointF(10, 12);
        p.setBrush(QColor(0x40, 0x70, 0xC0));
        p.drawPolygon(funnel);
        break;
    }
    case CM_SORT:
        p.setPen(QPen(navy, 2));
        p.drawLine(QPointF(3, 6), QPointF(13, 6));
        p.drawLine(QPointF(3, 11), QPointF(10, 11));
        p.drawLine(QPointF(3, 16), QPointF(7, 16));
        p.drawLine(QPointF(18, 4), QPointF(18, 19));
        p.drawPolygon(QPolygonF() << QPointF(14, 16) << QPointF(22, 16) << QPointF(18, 21));
        break;
    case CM_CLOCKS:
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.drawLine(QPointF(12, 12), QPointF(12, 6));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
    case CM_EDITFIND:
        p.setPen(QPen(navy, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 3, 12, 12));
        p.setPen(QPen(navy, 3.5));
        p.drawLine(QPointF(14, 14), QPointF(20, 20));
        break;
    case CM_FILEPRINT:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(0x90, 0x90, 0x98));
        p.drawRect(QRectF(3, 10, 18, 8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 15, 10, 6));
        break;
    case CM_HELPCURSOR: {
        QPolygonF pointer;
        pointer << QPointF(3, 3) << QPointF(3, 17) << QPointF(7, 13) << QPointF(10, 19) << QPointF(12, 18)
                << QPointF(9, 12) << QPointF(14, 12);
        p.setBrush(Qt::white);
        p.drawPolygon(pointer);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(13);
        p.setFont(font);
        p.drawText(QRectF(13, 4, 10, 16), Qt::AlignCenter, "?");
        break;
    }
    default: break;
    }
    return QIcon(pixmap);
}

MainToolbar::MainToolbar(QWidget* parent) : fw::ToolBar("Toolbar", parent)
{
    setIconSize(QSize(kSize, kSize));
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);
}

void MainToolbar::AddButtons()
{
    auto button = [this](int id, const char* tip) { return AddButton(id, ToolbarIcon(id), tip); };
    button(CM_FIRST, "First");
    button(CM_PREVIOUS, "Previous");
    button(CM_NEXT, "Next");
    button(CM_LAST, "Last");
    s1_ = AddSeparator();
    add_ = button(CM_ADDTOOBSLIST, "Add to Observing List");
    AddSeparator();
    button(CM_TRANSFERTOLOG, "Transfer to Log");
    AddSeparator();
    button(CM_FILTER, "Filter");
    AddSeparator();
    button(CM_SORT, "Sort");
    button(CM_CLOCKS, "Clocks");
    button(CM_EDITFIND, "Find");
    AddSeparator();
    button(CM_FILEPRINT, "Print");
    AddSeparator();
    button(CM_HELPCURSOR, "Help Cursor");
    // The Remove button waits off the bar until the pair swaps.
    remove_ = MakeButton(CM_REMOVEFROMOBSLIST, ToolbarIcon(CM_REMOVEFROMOBSLIST), "Remove from Obs List");
    pairState_ = kAddShown;
    setWindowTitle("Toolbar");
}

bool MainToolbar::SwapPair(QAction* shown, QAction* hidden, int newState)
{
    if (!s1_ || pairState_ == newState || !Contains(shown)) return false;
    RemoveAction(shown);
    InsertAfter(s1_, hidden);
    pairState_ = newState;
    return true;
}

bool MainToolbar::ShowAddButton()
{
    return SwapPair(remove_, add_, kAddShown);
}

bool MainToolbar::ShowRemoveButton()
{
    return SwapPair(add_, remove_, kRemoveShown);
}
