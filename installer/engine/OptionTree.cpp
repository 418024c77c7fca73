#include "installer/engine/OptionTree.h"

#include "framework/gui/DC.h"
#include "framework/gui/PainterDC.h"
#include "installer/support/DialogBox.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace kw {

// ---- the tree ------------------------------------------------------------------------------

int OptionNodes::Add(int parent, const std::string& text, int state, int availability, int tag)
{
    Node n;
    n.text = text;
    n.state = state;
    n.availability = availability;
    n.tag = tag;
    n.parent = parent >= 0 && parent < Count() ? parent : -1;
    n.depth = n.parent >= 0 ? nodes_[static_cast<std::size_t>(n.parent)].depth + 1 : 0;
    nodes_.push_back(n);
    const int number = Count() - 1;
    if (n.parent >= 0) nodes_[static_cast<std::size_t>(n.parent)].children.push_back(number);
    return number;
}

void OptionNodes::LinkSame(int a, int b)
{
    if (a == b || a < 0 || b < 0 || a >= Count() || b >= Count()) return;
    auto next = [this](int n) { return nodes_[static_cast<std::size_t>(n)].nextSame < 0 ? n : nodes_[static_cast<std::size_t>(n)].nextSame; };
    for (int m = next(a); m != a; m = next(m))
        if (m == b) return; // already one ring
    // Two rings become one by exchanging the successors of one node of each.
    const int na = next(a), nb = next(b);
    nodes_[static_cast<std::size_t>(a)].nextSame = nb;
    nodes_[static_cast<std::size_t>(b)].nextSame = na;
}

void OptionNodes::Recompute()
{
    // Children always come after their parents, so a walk from the end is bottom-up.
    for (int i = Count() - 1; i >= 0; --i) {
        Node& n = nodes_[static_cast<std::size_t>(i)];
        if (n.children.empty()) continue;
        bool any = false, all1 = true, all0 = true, enabled = false;
        for (int c : n.children) {
            const Node& child = nodes_[static_cast<std::size_t>(c)];
            enabled = enabled || child.availability == kEnabled;
            if (child.availability == kNoBox) continue;
            any = true;
            all1 = all1 && child.state == kChecked;
            all0 = all0 && child.state == kClear;
        }
        n.state = !any || all0 ? kClear : all1 ? kChecked : kPartly;
        n.availability = enabled ? kEnabled : nodes_[static_cast<std::size_t>(n.children.front())].availability;
    }
}

void OptionNodes::SetDown(int node, int state, std::vector<int>& changedLeaves)
{
    Node& n = nodes_[static_cast<std::size_t>(node)];
    n.state = state;
    if (n.children.empty()) changedLeaves.push_back(node);
    for (int c : n.children)
        if (nodes_[static_cast<std::size_t>(c)].availability == kEnabled) SetDown(c, state, changedLeaves);
}

bool OptionNodes::Toggle(int node)
{
    if (node < 0 || node >= Count()) return false;
    const Node& n = nodes_[static_cast<std::size_t>(node)];
    if (n.availability != kEnabled || n.state == kPartly) return false;
    const int to = n.state == kChecked ? kClear : kChecked;
    std::vector<int> changed;
    SetDown(node, to, changed);
    const int parent = n.parent;
    if (to == kChecked && parent >= 0 && nodes_[static_cast<std::size_t>(parent)].exclusive) {
        const std::vector<int> siblings = nodes_[static_cast<std::size_t>(parent)].children;
        for (int s : siblings)
            if (s != node && nodes_[static_cast<std::size_t>(s)].availability == kEnabled) SetDown(s, kClear, changed);
    }
    // Every other node of a changed member's item takes its state.
    for (int leaf : changed) {
        const int state = nodes_[static_cast<std::size_t>(leaf)].state;
        for (int m = nodes_[static_cast<std::size_t>(leaf)].nextSame; m >= 0 && m != leaf;
             m = nodes_[static_cast<std::size_t>(m)].nextSame)
            nodes_[static_cast<std::size_t>(m)].state = state;
    }
    Recompute();
    return true;
}

void OptionNodes::AddRows(int node, std::vector<int>& rows) const
{
    rows.push_back(node);
    const Node& n = nodes_[static_cast<std::size_t>(node)];
    if (n.expanded)
        for (int c : n.children) AddRows(c, rows);
}

std::vector<int> OptionNodes::Rows() const
{
    std::vector<int> rows;
    for (int i = 0; i < Count(); ++i)
        if (nodes_[static_cast<std::size_t>(i)].parent < 0) AddRows(i, rows);
    return rows;
}

// ---- the control ---------------------------------------------------------------------------

namespace {
constexpr int kIndent = 25;                       // pixels a level
constexpr int kBoxGap = 3, kBoxSize = 13;         // the box, right of the indent
constexpr int kGlyphGap = 3, kGlyphWidth = 10;    // the glyph, right of the box
constexpr int kTextGap = 3;                       // the text, right of the glyph
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);                // a disabled node's box
const QColor kPartlyFill(192, 192, 192);          // inside the box of a partly checked node
const QColor kGlyphLines(0, 255, 255);            // a group's glyph lines (cyan)
const QColor kGlyphFill(0, 128, 128);             // behind them, so that they show on white
} // namespace

OptionTree::OptionTree(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName("wndclassopttree");
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setAutoFillBackground(false);
}

void OptionTree::SetNodes(const OptionNodes& nodes)
{
    nodes_ = nodes;
    rows_ = nodes_.Rows();
    focused_ = -1;
    UpdateScrollBars();
    viewport()->update();
}

void OptionTree::SetLeafGlyphs(bool on)
{
    leafGlyphs_ = on;
    viewport()->update();
}

void OptionTree::SetFocused(int node)
{
    if (node == focused_) return;
    focused_ = node;
    viewport()->update();
    if (onFocus) onFocus(node);
}

int OptionTree::RowHeight() const { return std::max(DialogUnitsToPixelsY(9), kBoxSize + 3); }

int OptionTree::FirstRow() const { return verticalScrollBar()->value(); }

int OptionTree::Indent(int row) const
{
    return Depth(rows_[static_cast<std::size_t>(row)]) * kIndent - horizontalScrollBar()->value();
}

int OptionTree::RowMiddle(int row) const { return (row - FirstRow()) * RowHeight() + RowHeight() / 2; }

fw::Rect OptionTree::BoxRect(int row) const
{
    const int left = Indent(row) + kBoxGap, mid = RowMiddle(row);
    return {left, mid - 6, left + kBoxSize, mid + 7};
}

fw::Rect OptionTree::GlyphRect(int row) const
{
    const int left = Indent(row) + kBoxGap + kBoxSize + kGlyphGap, mid = RowMiddle(row);
    return {left, mid - 5, left + kGlyphWidth, mid + 5};
}

int OptionTree::TextLeft(int row) const { return GlyphRect(row).right + kTextGap; }

void OptionTree::Draw(fw::DC& dc) const
{
    const QColor window = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    const int h = RowHeight(), width = viewport()->width(), height = viewport()->height();
    dc.SelectFont(fw::Font(font().family().toStdString(), -QFontInfo(font()).pixelSize()));
    dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    dc.SetBkMode(fw::OPAQUE);
    int bottom = 0;
    for (int row = FirstRow(); row < static_cast<int>(rows_.size()); ++row) {
        const int top = (row - FirstRow()) * h;
        if (top >= height) break;
        bottom = top + h;
        const int node = rows_[static_cast<std::size_t>(row)];
        const OptionNodes::Node& n = nodes_.At(node);
        const int mid = RowMiddle(row);
        dc.FillRect(fw::Rect(0, top, width, top + h), fw::Brush(window));

        if (n.availability != OptionNodes::kNoBox) {
            const fw::Rect b = BoxRect(row);
            dc.SelectPen(fw::Pen(n.availability == OptionNodes::kDisabled ? kGrey : kBlack));
            dc.SelectBrush(fw::Brush::Hollow());
            if (n.state == OptionNodes::kPartly)
                dc.FillRect(fw::Rect(b.left + 2, b.top + 2, b.right - 2, b.bottom - 2), fw::Brush(kPartlyFill));
            dc.Rectangle(b);
            if (n.state == OptionNodes::kChecked) {
                dc.Line({b.left + 3, b.top + 3}, {b.right - 4, b.bottom - 4});
                dc.Line({b.right - 4, b.top + 3}, {b.left + 3, b.bottom - 4});
            }
        }

        const fw::Rect g = GlyphRect(row);
        const int l = g.left, r = g.right, t = g.top, bo = g.bottom, c = (l + r) / 2;
        if (!n.children.empty()) {
            // A group: a square when open, a rounded box when closed, with a minus (two
            // segments from the middle) or a plus (four).
            dc.FillRect(fw::Rect(l + 1, t + 1, r, bo), fw::Brush(kGlyphFill));
            dc.SelectPen(fw::Pen(kBlack));
            if (n.expanded)
                dc.Polyline({{l, t}, {r, t}, {r, bo}, {l, bo}, {l, t}});
            else
                dc.Polyline({{l + 2, t}, {r - 2, t}, {r - 1, t + 1}, {r, t + 2}, {r, bo - 2}, {r - 1, bo - 1}, {r - 2, bo},
                             {l + 2, bo}, {l + 1, bo - 1}, {l, bo - 2}, {l, t + 2}, {l + 1, t + 1}, {l + 2, t}});
            dc.SelectPen(fw::Pen(kGlyphLines));
            dc.Line({c, mid}, {l + 2, mid});
            dc.Line({c, mid}, {r - 2, mid});
            if (!n.expanded) {
                dc.Line({c, mid}, {c, t + 2});
                dc.Line({c, mid}, {c, bo - 2});
            }
        } else if (leafGlyphs_) {
            // A member: a small diamond with two dots.
            dc.SelectPen(fw::Pen(kGrey));
            dc.Polyline({{c, t + 1}, {r - 1, mid}, {c, bo - 1}, {l + 1, mid}, {c, t + 1}});
            dc.FillRect(fw::Rect(c - 2, mid - 1, c, mid + 1), fw::Brush(kGlyphFill));
            dc.FillRect(fw::Rect(c + 1, mid - 1, c + 3, mid + 1), fw::Brush(kGlyphFill));
        }

        // The text, inverted for the focused node.
        const bool focus = node == focused_;
        dc.SetBkColor(focus ? text : window);
        dc.SetTextColor(focus ? window : text);
        const int textHeight = dc.GetTextExtent(n.text.empty() ? std::string(" ") : n.text).cy;
        dc.TextOut({TextLeft(row), mid - textHeight / 2}, n.text);
    }
    if (bottom < height) dc.FillRect(fw::Rect(0, bottom, width, height), fw::Brush(window));
}

void OptionTree::Click(const QPoint& at)
{
    if (at.y() < 0 || rows_.empty()) return;
    const int row = at.y() / RowHeight() + FirstRow();
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const int node = rows_[static_cast<std::size_t>(row)];
    const OptionNodes::Node& n = nodes_.At(node);
    const fw::Rect box = BoxRect(row), glyph = GlyphRect(row);
    const int x = at.x();
    if (x >= TextLeft(row)) {
        SetFocused(node);
    } else if (n.availability != OptionNodes::kNoBox && x >= box.left && x < box.right) {
        if (n.availability != OptionNodes::kEnabled) return;
        SetFocused(node);
        if (nodes_.Toggle(node) && onChange) onChange(node);
        viewport()->update();
    } else if (!n.children.empty() && x >= glyph.left && x <= glyph.right) {
        SetFocused(node);
        nodes_.SetExpanded(node, !n.expanded);
        rows_ = nodes_.Rows();
        UpdateScrollBars(); // keeps the first visible row within the tree
        viewport()->update();
    }
}

void OptionTree::UpdateScrollBars()
{
    const int h = RowHeight();
    const int visible = std::max(1, viewport()->height() / h);
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(rows_.size()) - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    const QFontMetrics fm(font());
    int content = 0;
    for (int node : rows_)
        content = std::max(content, nodes_.At(node).depth * kIndent + kBoxGap + kBoxSize + kGlyphGap + kGlyphWidth +
                                        kTextGap + fm.horizontalAdvance(QString::fromStdString(nodes_.At(node).text)) + 4);
    horizontalScrollBar()->setRange(0, std::max(0, content - viewport()->width()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    horizontalScrollBar()->setSingleStep(8);
}

void OptionTree::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int dpiX = logicalDpiX(), dpiY = logicalDpiY();
    fw::PainterDC dc(painter, fw::Size(viewport()->width(), viewport()->height()), dpiX, dpiY);
    Draw(dc);
}

void OptionTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    Click(event->position().toPoint());
}

void OptionTree::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void OptionTree::scrollContentsBy(int, int) { viewport()->update(); }

void OptionTree::keyPressEvent(QKeyEvent* event)
{
    event->ignore(); // the control has no keyboard handling; the dialog gets the keys
}

} // namespace kw
