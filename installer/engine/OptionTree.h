// The option tree of the component dialog (window class "wndclassopttree"): a
// tree of options, each with a box that is clear, crossed (checked) or grey (partly checked:
// some of its members are), a glyph that opens and closes a group, and its text.
//
// OptionNodes is the tree itself and its rules; OptionTree the control that draws it (through
// the framework's DC, so that a test can record what it draws) and answers the left mouse
// button and its two scroll bars. Like the control it stands for, it has no keyboard handling.
#pragma once

#include "framework/gui/Geometry.h"

#include <QAbstractScrollArea>

#include <functional>
#include <string>
#include <vector>

namespace fw {
class DC;
}

namespace kw {

class OptionNodes {
public:
    enum State : int { kClear = 0, kChecked = 1, kPartly = 2 };
    enum Availability : int { kDisabled = 0, kEnabled = 1, kNoBox = 2 };

    struct Node {
        std::string text;
        int state = kClear;
        int availability = kEnabled;
        bool expanded = false;
        bool exclusive = false; // its children are alternatives: checking one clears the others
        int parent = -1;
        int depth = 0;
        std::vector<int> children;
        int nextSame = -1; // the next node of the same item (a ring), -1 when it has no other
        int tag = -1;      // the caller's number for the item (the component)
    };

    // Appends a node under a parent (-1: a root) and answers its number.
    int Add(int parent, const std::string& text, int state, int availability, int tag = -1);
    // Joins two nodes that stand for the same item: a member without children that changes
    // state gives the state to every other node of its item.
    void LinkSame(int a, int b);
    void SetExclusive(int node, bool exclusive) { nodes_.at(node).exclusive = exclusive; }
    void SetExpanded(int node, bool expanded) { nodes_.at(node).expanded = expanded; }
    // Every node with children takes its state and availability from them (bottom-up): the
    // state 1 when all are checked, 0 when all are clear, else 2 (children without a box do
    // not count); available when any child is, else as its first child.
    void Recompute();

    // A click on the node's box: an enabled node that is clear becomes checked and one that
    // is checked clear (a partly checked one stays); its enabled descendants take the same
    // state, copies of changed members too, a node checked in an exclusive group clears its
    // siblings, and every group is recomputed. True when anything changed.
    bool Toggle(int node);

    int Count() const { return static_cast<int>(nodes_.size()); }
    const Node& At(int node) const { return nodes_.at(node); }
    bool Empty() const { return nodes_.empty(); }
    // The nodes that show, in order: the roots and the children of expanded nodes.
    std::vector<int> Rows() const;

private:
    void SetDown(int node, int state, std::vector<int>& changedLeaves);
    void AddRows(int node, std::vector<int>& rows) const;
    std::vector<Node> nodes_;
};

class OptionTree : public QAbstractScrollArea {
public:
    explicit OptionTree(QWidget* parent = nullptr);

    void SetNodes(const OptionNodes& nodes);
    const OptionNodes& Nodes() const { return nodes_; }
    // Glyphs beside members without children too (two dots), not only beside groups.
    void SetLeafGlyphs(bool on);

    int Focused() const { return focused_; }
    void SetFocused(int node);
    // The owner's notifications: the focused node changed; a box was toggled.
    std::function<void(int node)> onFocus;
    std::function<void(int node)> onChange;

    // Geometry in the control's client area (its viewport): rows of RowHeight() pixels from
    // the first visible row; a node indents 25 pixels a level; its box is 13 pixels wide from
    // 3 pixels right of the indent and 6 above to 7 below the row's middle; the glyph 10 pixels
    // wide, 3 right of the box, 5 above and below the middle; the text 3 right of the glyph.
    int RowHeight() const;
    int FirstRow() const;
    fw::Rect BoxRect(int row) const;
    fw::Rect GlyphRect(int row) const;
    int TextLeft(int row) const;

    // Draws the visible rows of the client area.
    void Draw(fw::DC& dc) const;
    // The left mouse button at a point of the client area: a click on the text focuses the
    // node, on the box of an enabled node focuses and toggles it, on the glyph of a group
    // focuses it and opens or closes it.
    void Click(const QPoint& at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateScrollBars();
    int Depth(int node) const { return nodes_.At(node).depth; }
    int Indent(int row) const;
    int RowMiddle(int row) const;
    std::vector<int> rows_;
    OptionNodes nodes_;
    int focused_ = -1;
    bool leafGlyphs_ = false;
};

} // namespace kw
