#include "framework/gui/Overlay.h"

namespace fw {

void Overlay::SetLine(int key, const Point& from, const Point& to, const Pen& pen)
{
    marks_[key] = Mark{Kind::Line, from, to, pen};
    Changed();
}

void Overlay::SetRect(int key, const Rect& rect, const Pen& pen)
{
    marks_[key] = Mark{Kind::Rectangle, rect.TopLeft(), rect.BottomRight(), pen};
    Changed();
}

void Overlay::Remove(int key)
{
    if (marks_.erase(key)) Changed();
}

void Overlay::Clear()
{
    if (marks_.empty()) return;
    marks_.clear();
    Changed();
}

const Overlay::Mark* Overlay::Find(int key) const
{
    auto it = marks_.find(key);
    return it == marks_.end() ? nullptr : &it->second;
}

void Overlay::Draw(DC& dc) const
{
    if (marks_.empty()) return;
    Pen oldPen = dc.GetPen();
    Brush oldBrush = dc.SelectBrush(Brush::Hollow());
    for (const auto& m : marks_) {
        dc.SelectPen(m.second.pen);
        if (m.second.kind == Kind::Line)
            dc.Line(m.second.a, m.second.b);
        else
            dc.Rectangle(Rect(m.second.a.x, m.second.a.y, m.second.b.x, m.second.b.y).Normalized());
    }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

}  // namespace fw
